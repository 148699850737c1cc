#pragma once
// The standard links of an index page (basket, previous index, home), with
// the search box and the scrolling text where they are configured.
#include <string>

class PageWriter;
struct GenerationRun;

enum class BarPlace { Top, Bottom };

void NavigationBar(GenerationRun& run, PageWriter& out, const std::string& parentFileName, BarPlace place,
                   const std::string& ownFileName);

// The page carries the search box: on every index page, or on the top one only.
bool carriesSearchBox(const GenerationRun& run, const std::string& ownFileName);

// The navigation is written into the header frame instead of the index pages.
bool navigationInHeaderFrame(const GenerationRun& run);

// The bar's links (basket, previous index, home) as the page writes them;
// previousAddress fills the previous-index link, which is left out when it
// is empty.
std::string standardLinks(const GenerationRun& run, const std::string& previousAddress);

// The index variant of the search form on the page callingPage; nothing
// when the header frame carries the form.
void writeSearchBox(GenerationRun& run, PageWriter& out, const std::string& callingPage);

// The scrolling-text applet with the text inside it for browsers that run
// no applets; copies zkticker.class and zkticker.dat beside the page.
void writeScrollingText(GenerationRun& run, PageWriter& out);
