#include "generator/page_template.h"

#include <cstring>

#include "model/regular_file.h"

bool readPageTemplate(const std::string& path, PageTemplate& pageTemplate, std::FILE* diagnostics) {
    pageTemplate = PageTemplate{};
    FileOpening opening = FileOpening::Failed;
    std::FILE* in = openRegularFile(path, &opening);
    if (!in) {
        std::fprintf(diagnostics, "%s <%s>\n",
                     opening == FileOpening::NotRegular ? "not a regular file" : "couldn't open", path.c_str());
        return false;
    }
    // Lines of up to 999 characters, as the template has always been read:
    // a longer line arrives as several pieces, each kept unchanged.
    char line[1000];
    bool inHead = true;
    while (std::fgets(line, sizeof line, in)) {
        if (inHead) {
            pageTemplate.head += line;
            if (std::strstr(line, "<!") && std::strstr(line, "VIMRA START"))
                inHead = false;
        } else {
            pageTemplate.tail += line;
        }
    }
    std::fclose(in);
    pageTemplate.loaded = true;
    return true;
}
