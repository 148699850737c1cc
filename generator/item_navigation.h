#pragma once
// The previous and next links of an item page, and the next-link chain of
// an index level: the next link is written as a placeholder whose byte range
// is recorded, then patched in place or blanked once the real next page is known.
#include <optional>
#include <string>

#include "generator/item_page_state.h"

class PageWriter;
struct GenerationRun;

// Writes the bar (when itemNavigation is not 2). range, when given, receives
// the next link's byte range (empty without a next name).
void ItemNavigationBar(const GenerationRun& run, PageWriter& out, const std::string& previousName,
                       const std::string& nextName, NextLinkRange* range);

// Points the placeholder of page pageName at newNext, or blanks it without one.
void PatchNextLink(GenerationRun& run, const std::string& pageName, const NextLinkRange& range,
                   const std::optional<std::string>& newNext);
