#pragma once
// How the Common Text dialog lays out the 30 labels: in groups, each label
// with the caption that says where the catalogue shows it.
#include <span>
#include <string_view>

struct CommonTextEntry {
    int index;                // the label's place in titles.dat
    std::string_view caption;
};
struct CommonTextGroup {
    std::string_view title;
    std::span<const CommonTextEntry> entries;
};

// "Standard Links", "Item (Shopping)", "Pop up messages", "Item Navigation",
// "Shopping Basket table", "Basket Frame", "Search", "Miscellaneous": every
// label exactly once.
std::span<const CommonTextGroup> commonTextGroups();
