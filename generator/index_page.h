#pragma once
#include <optional>
#include <string>

struct GenerationRun;

// Writes one index page and, as its records pass, the item pages and the
// sub-index pages below it. Returns 0, or -1 when the page cannot be created.
int IndexPage(GenerationRun& run, const std::string& fileName, const std::string& parentFileName,
              const std::optional<std::string>& title);
