#pragma once
// The optional item page template: its head half replaces the item pages'
// built-in head and its tail half their built-in end.
#include <cstdio>
#include <string>

struct PageTemplate {
    bool loaded = false;
    std::string head;   // every line up to and including the first "<!" ... "VIMRA START" line
    std::string tail;   // the remaining lines
};

// Reads the template; false (after "couldn't open <%s>\n" on diagnostics)
// when the file cannot be opened.
bool readPageTemplate(const std::string& path, PageTemplate& pageTemplate, std::FILE* diagnostics);
