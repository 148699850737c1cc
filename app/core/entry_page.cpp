#include "app/core/entry_page.h"

#include <filesystem>
#include <system_error>

#include "model/paths.h"

std::string catalogueEntryPage(std::string_view folder) {
    std::string home = join(folder, kHomePage);
    std::error_code ec;
    if (std::filesystem::exists(home, ec))
        return home;
    return join(folder, kTopIndexPage);
}

std::string homePageAddress(std::string_view folder) {
    return "file://" + join(folder, kHomePage);
}
