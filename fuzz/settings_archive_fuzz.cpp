// Feeds arbitrary bytes to the settings archive reader as an archive file and
// restores whatever it accepts into an empty folder, which must then hold
// nothing but settings files.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "imagelib/settings_archive.h"

namespace fs = std::filesystem;

namespace {

const std::string& scratchFolder();

void removeScratchFolder() {
    std::error_code ec;
    fs::remove_all(scratchFolder(), ec);
}

// One folder per run, under $TMPDIR, removed at exit.
const std::string& scratchFolder() {
    // Never destroyed, so that the exit handler can still use it.
    static const std::string* const folder = [] {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/settings_archive_fuzz.XXXXXX";
        if (!mkdtemp(pattern.data()))
            std::abort();
        std::atexit(removeScratchFolder);
        return new std::string(pattern);
    }();
    return *folder;
}

bool isSettingsFile(const std::string& name) {
    for (std::string_view file : settingsArchiveFiles()) {
        if (file == name)
            return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string archive = scratchFolder() + "/input.zka";
    const std::string target = scratchFolder() + "/program/";
    std::FILE* file = std::fopen(archive.c_str(), "wb");
    if (!file)
        std::abort();
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    std::error_code ec;
    fs::remove_all(target, ec);
    fs::create_directory(target);

    char comment[kArchiveCommentSize];
    int version = 0;
    const int described = GetArchiveDescription(archive, comment, version);
    const int restored = RestoreArchive(archive, target);
    // Reading a file twice gives the same answer, and only an archive restores.
    if ((described < 0) != (restored < 0))
        std::abort();
    int files = 0;
    for (const auto& entry : fs::directory_iterator(scratchFolder() + "/program")) {
        if (!isSettingsFile(entry.path().filename().string()))
            std::abort();
        ++files;
    }
    if (files != (restored < 0 ? 0 : restored))
        std::abort();
    return 0;
}
