// Feeds arbitrary bytes to the image probe under each of the three names.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "generator/image_probe.h"

namespace {

const char* const kNames[] = {"/probe.gif", "/probe.jpg", "/probe.png"};

const std::string& scratchFolder();

void removeScratchFolder() {
    for (const char* name : kNames)
        std::remove((scratchFolder() + name).c_str());
    rmdir(scratchFolder().c_str());
}

// One folder per run, under $TMPDIR (a memory file system there keeps the
// runs fast), removed at exit.
const std::string& scratchFolder() {
    // Never destroyed, so that the exit handler can still use it.
    static const std::string* const folder = [] {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/image_probe_fuzz.XXXXXX";
        if (!mkdtemp(pattern.data()))
            std::abort();
        std::atexit(removeScratchFolder);
        return new std::string(pattern);
    }();
    return *folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (const char* name : kNames) {
        const std::string path = scratchFolder() + name;
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (!file)
            std::abort();
        if (size > 0 && std::fwrite(data, 1, size, file) != size)
            std::abort();
        std::fclose(file);

        ImageSize probed;
        const bool ok = probeImageSize(path, probed);
        const bool sane = ok ? probed.height >= 0 && probed.height <= kMaxProbedImageSide && probed.width >= 0 &&
                                   probed.width <= kMaxProbedImageSide
                             : probed.height == 0 && probed.width == 0;
        if (!sane)
            std::abort();
        if (imageSizeText(path).empty() == ok)
            std::abort();
    }
    return 0;
}
