#include "app/core/shell.h"

#include "app/core/entry_page.h"
#include "model/paths.h"

bool Shell::viewCatalogue(const std::string& folder) {
    return openWithDefaultProgram(join(folder, kHomePage), folder);
}
