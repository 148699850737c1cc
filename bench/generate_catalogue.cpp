// Generates catalogues of 10,000 and 100,000 items (an index heading every
// 50 items, pictures shared between items) and compares the run with a plain
// program writing the same bytes into the same number of files. Each run
// happens in a child process, so that its peak memory is its own.
//
// usage: bench_generate_catalogue [work folder]   (default: a fresh folder in /tmp)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "generator/generate.h"
#include "model/paths.h"
#include "model/user_messages.h"

namespace fs = std::filesystem;

namespace {

constexpr int kItemsPerSection = 50;
constexpr int kPictures = 20;

class SilentMessages : public UserMessages {
public:
    MessageAnswer show(const std::string& text, const std::string&, MessageButtons) override {
        std::fprintf(stderr, "message: %s\n", text.c_str());
        return MessageAnswer::Ok;
    }
};

std::string gif(int width, int height) {
    std::string bytes = "GIF89a";
    bytes += std::string("\x01\x00\x01\x00\x00\x00\x00", 7);
    bytes += ',';
    bytes += std::string(4, '\0');
    bytes += static_cast<char>(width & 0xFF);
    bytes += static_cast<char>(width >> 8);
    bytes += static_cast<char>(height & 0xFF);
    bytes += static_cast<char>(height >> 8);
    bytes += std::string(2, '\0');
    return bytes;
}

void writeBytes(const fs::path& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

void writeShop(const fs::path& shop, int items) {
    fs::create_directories(shop);
    for (int p = 0; p < kPictures; ++p)
        writeBytes(shop / ("pic" + std::to_string(p) + ".gif"), gif(100 + p, 80));
    std::FILE* data = std::fopen((shop / "catalogue.txt").c_str(), "wb");
    std::fprintf(data, "#!SELECT1=Size;\n");
    for (int i = 0; i < items; ++i) {
        if (i % kItemsPerSection == 0) {
            if (i > 0)
                std::fprintf(data, "END INDEX\n");
            std::fprintf(data, "Section %d,,INDEX,,\n", i / kItemsPerSection + 1);
        }
        std::fprintf(data, "Item %d,%d.%02d,pic%d.gif,Small|Medium|Large,A useful thing number %d, made with care.\n",
                     i, 1 + i % 90, i % 100, i % kPictures, i);
    }
    std::fprintf(data, "END INDEX\n");
    std::fclose(data);
}

int generateInto(const fs::path& root) {
    const fs::path program = root / "program";
    fs::create_directories(program);
    auto general = std::make_unique<GeneralSettings>();
    auto appearance = std::make_unique<AppearanceSet>();
    copyField(general->outputDir, (root / "out").string());
    copyField(general->searchOutputDir, (root / "search").string());
    copyField(general->defaultInputDir, (root / "shop").string());
    copyField(general->inputFile, (root / "shop" / "catalogue.txt").string());
    general->basketFlags = 1;
    general->currencySymbolKind = 1;
    general->searchPlacement = 1;
    copyField(appearance->indexBackgroundColour, "FFFFFF");
    copyField(appearance->indexTextColour, "000000");
    copyField(appearance->itemBackgroundColour, "FFFFFF");
    copyField(appearance->itemTextColour, "000000");
    appearance->itemMargin = -1;
    appearance->indexMargin = -1;
    SilentMessages messages;
    return Generate(*appearance, *general, messages, program.string(), stderr);
}

// The sizes of the pages a run wrote, in the order of their names.
std::vector<std::uintmax_t> pageSizes(const fs::path& out) {
    std::vector<std::uintmax_t> sizes;
    for (const auto& entry : fs::directory_iterator(out)) {
        const std::string name = entry.path().filename().string();
        if (name.size() > 5 && name.compare(name.size() - 5, 5, ".html") == 0)
            sizes.push_back(entry.file_size());
    }
    return sizes;
}

void writeSameBytes(const fs::path& folder, const std::vector<std::uintmax_t>& sizes) {
    fs::create_directories(folder);
    std::string bytes;
    char name[32];
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        bytes.assign(sizes[i], 'x');
        std::snprintf(name, sizeof name, "p%.7zu.html", i);
        std::FILE* file = std::fopen((folder / name).c_str(), "wb");
        if (!file)
            continue;
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
}

struct ChildResult {
    double seconds = 0;
    long peakKiB = 0;
    int status = -1;
};

// Runs work in a child process and measures its wall time and peak memory.
template <typename Work>
ChildResult inChild(Work work) {
    ChildResult result;
    auto start = std::chrono::steady_clock::now();
    pid_t child = fork();
    if (child == 0)
        _exit(work() == 0 ? 0 : 1);
    int status = 0;
    struct rusage usage {};
    wait4(child, &status, 0, &usage);
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    result.peakKiB = usage.ru_maxrss;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

} // namespace

int main(int argc, char** argv) {
    fs::path work;
    if (argc > 1) {
        work = argv[1];
        fs::create_directories(work);
    } else {
        std::string pattern = (fs::temp_directory_path() / "vimra-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            return 1;
        work = pattern;
    }
    std::printf("work folder: %s (left in place: deleting many files slows creating new ones)\n", work.c_str());
    std::printf("%9s %7s %10s %11s %10s %8s %9s\n", "items", "pages", "generate s", "pages per s", "baseline s",
                "ratio", "peak MiB");
    for (int items : {10000, 100000}) {
        const fs::path root = work / ("catalogue-" + std::to_string(items));
        writeShop(root / "shop", items);
        ChildResult run = inChild([&] { return generateInto(root); });
        if (run.status != 0) {
            std::printf("%9d generation failed\n", items);
            continue;
        }
        const std::vector<std::uintmax_t> sizes = pageSizes(root / "out");
        ChildResult baseline = inChild([&] {
            writeSameBytes(root / "baseline", sizes);
            return 0;
        });
        std::printf("%9d %7zu %10.2f %11.0f %10.2f %8.2f %9.1f\n", items, sizes.size(), run.seconds,
                    static_cast<double>(sizes.size()) / run.seconds, baseline.seconds, run.seconds / baseline.seconds,
                    static_cast<double>(run.peakKiB) / 1024.0);
        std::fflush(stdout);
    }
    return 0;
}
