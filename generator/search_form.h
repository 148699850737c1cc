#pragma once
// The search form that sends a visitor's words (searchfor) and the index
// page to come back to (calledby) to the shop's search script.
#include <string>

class PageWriter;
struct GenerationRun;

// The header variant (inHeader: the header frame page, results into the
// index frame) or the index variant on the index page callingPage.
void writeSearchForm(GenerationRun& run, PageWriter& out, const std::string& callingPage, bool inHeader);
