#include "cli/vimra/entry_page.h"

#include <filesystem>

#include "model/paths.h"

std::string catalogueEntryPage(std::string_view outputDir) {
    std::string home = join(outputDir, "zk000000.html");
    std::error_code ec;
    if (std::filesystem::exists(home, ec))
        return home;
    return join(outputDir, "zki00000.html");
}
