#pragma once
// Where a generated catalogue is entered.
#include <string>
#include <string_view>

inline constexpr std::string_view kHomePage = "zk000000.html";
inline constexpr std::string_view kTopIndexPage = "zki00000.html";

// The page a visitor opens first: the home page in folder, or the top index
// page of a catalogue written without one.
std::string catalogueEntryPage(std::string_view folder);

// The file address of the home page in folder, with exactly one separator
// before the page name: "file://" + folder + "/zk000000.html".
std::string homePageAddress(std::string_view folder);
