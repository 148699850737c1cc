#pragma once
#include <string>
#include <string_view>

// The page a visitor opens first: the home page, or the top index page of a
// catalogue written without one.
std::string catalogueEntryPage(std::string_view outputDir);
