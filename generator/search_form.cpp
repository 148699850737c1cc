#include "generator/search_form.h"

// Not written yet.
void writeSearchForm(GenerationRun&, PageWriter&, const std::string&, bool) {}
