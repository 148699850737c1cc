#pragma once
// A program folder and a shop folder in a fresh temporary folder, with
// settings pointing into them, for tests that run the generator whole. The
// program folder is handed to Generate; nothing is read from the environment.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "generator/generate.h"
#include "model/paths.h"
#include "model/settings_record.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_dir.h"

class GeneratorFixture : public ::testing::Test {
protected:
    GeneratorFixture() {
        std::filesystem::create_directories(programDir());
        copyField(general->outputDir, (dir / "out").string());
        copyField(general->searchOutputDir, (dir / "search").string());
        copyField(general->defaultInputDir, (dir / "shop").string());
        copyField(general->inputFile, (dir / "shop" / "shop.txt").string());
        general->basketFlags = 1;
        general->previewMaxItems = 40;
    }

    std::filesystem::path programDir() const { return dir / "program"; }

    // Runs the generator on the data file as it stands; what it reports on
    // its diagnostic stream is kept in diagnostics.
    int generate(GenerationReport* report = nullptr) {
        char* text = nullptr;
        std::size_t size = 0;
        std::FILE* errors = open_memstream(&text, &size);
        int result = Generate(*appearance, *general, messages, programDir().string(), errors, report);
        std::fclose(errors);
        diagnostics = text ? text : "";
        std::free(text);
        return result;
    }

    // Writes data as the shop's data file first.
    int generate(const std::string& data, GenerationReport* report = nullptr) {
        writeFile(dir / "shop" / "shop.txt", data);
        return generate(report);
    }

    std::string page(const char* name) const { return readFile(dir / "out" / name); }
    bool written(const char* name) const { return std::filesystem::exists(dir / "out" / name); }

    TempDir dir;
    std::unique_ptr<GeneralSettings> general = std::make_unique<GeneralSettings>();
    std::unique_ptr<AppearanceSet> appearance = std::make_unique<AppearanceSet>();
    RecordingMessages messages;
    std::string diagnostics;
};
