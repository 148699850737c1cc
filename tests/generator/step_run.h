#pragma once
// A run in a fresh folder (shop/, program/, search/, out/) with its settings
// and messages, which a test prepares as the driver does up to one of its
// steps. What the run reports on its diagnostic stream is kept.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <utility>

#include "generator/generation_run.h"
#include "model/paths.h"
#include "model/settings_fields.h"
#include "model/settings_store.h"
#include "tests/support/golden_files.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_dir.h"

class StepRun {
public:
    StepRun() {
        for (const char* folder : {"shop", "program", "search", "out"})
            std::filesystem::create_directories(dir / folder);
    }
    ~StepRun() {
        run.reset();
        if (diagnosticsStream)
            std::fclose(diagnosticsStream);
        std::free(diagnosticsText);
    }
    StepRun(const StepRun&) = delete;
    StepRun& operator=(const StepRun&) = delete;

    // "name=value" lines, @TMP@ standing for the run's folder.
    void settings(const std::string& text, const std::string& source = "settings") {
        applySettings(text, source, dir.str(), *blocks);
    }

    // Writes catalogue as the data file and starts the run on the program
    // folder; false when the data file cannot be opened.
    bool startRun(const std::string& catalogue) {
        writeFile(dir / "shop" / "catalogue.txt", catalogue);
        diagnosticsStream = open_memstream(&diagnosticsText, &diagnosticsSize);
        run = std::make_unique<GenerationRun>(blocks->appearance, blocks->general, messages, diagnosticsStream);
        run->programDir = (dir / "program").string();
        return run->reader.open(std::string(fieldText(blocks->general.inputFile)));
    }

    // After the step: the upload lists closed and the diagnostics taken.
    int finishStep(int result) {
        run->lists.finish();
        std::fflush(diagnosticsStream);
        diagnostics = diagnosticsText ? diagnosticsText : "";
        return result;
    }

    bool written(const char* name) const { return std::filesystem::exists(dir / "out" / name); }

    // A golden case's settings over its cases' base-settings.txt, its files
    // for the program folder and its pictures.
    void takeCase(const std::filesystem::path& caseDir) {
        namespace fs = std::filesystem;
        settings(readFile(caseDir.parent_path() / "base-settings.txt"), "base-settings.txt");
        settings(readFile(caseDir / "settings.txt"), "settings.txt");
        if (fs::exists(caseDir / "program"))
            fs::copy(caseDir / "program", dir / "program", fs::copy_options::recursive);
        drawPictures(caseDir / "pictures.txt", dir / "shop");
    }

    // The output folder's files besides inputs, against the case's expected/
    // folder, normalised by normalise.
    GoldenRun goldenRun(const std::filesystem::path& caseDir, std::set<std::filesystem::path> inputs,
                        std::function<std::string(const std::string&)> normalise) const {
        return GoldenRun{.expectedDir = caseDir / "expected",
                         .runDir = dir / "out",
                         .inputs = std::move(inputs),
                         .sourceDir = dir.path(),
                         .normalise = std::move(normalise)};
    }

    TempDir dir;
    std::unique_ptr<SettingsBlocks> blocks = std::make_unique<SettingsBlocks>();
    RecordingMessages messages;
    std::unique_ptr<GenerationRun> run;
    std::string diagnostics;

private:
    std::FILE* diagnosticsStream = nullptr;
    char* diagnosticsText = nullptr;
    std::size_t diagnosticsSize = 0;
};
