#include "generator/companion_pages.h"

#include <cstdio>

#include "generator/generation_run.h"
#include "generator/home_facts.h"
#include "generator/page_writer.h"
#include "model/paths.h"

namespace {

bool openCompanion(GenerationRun& run, PageWriter& out, const char* name) {
    const std::string path = run.outputPath(name);
    if (!out.open(path)) {
        std::fprintf(run.diagnostics, "couldn't open <%s>\n", path.c_str());
        run.fileNotWritten(path);
        return false;
    }
    run.lists.listFile(path);
    return true;
}

bool closeCompanion(GenerationRun& run, PageWriter& out) {
    const std::size_t before = run.unwrittenFiles.size();
    run.closePage(out);
    return run.unwrittenFiles.size() == before;
}

} // namespace

bool writeCompanionPages(GenerationRun& run, const HomeFacts& facts) {
    const AppearanceSet& a = run.appearance;
    bool written = true;
    PageWriter out;
    if (openCompanion(run, out, "zk100000.html")) {
        out.printf("<html><body %sbgcolor=%s></body></html>\n", run.decorations.item.background.c_str(),
                   std::string(fieldText(a.itemBackgroundColour)).c_str());
        written = closeCompanion(run, out) && written;
    } else {
        written = false;
    }
    // The empty call draws the basket into its frame; opened on its own the
    // page has no basket to call.
    if (openCompanion(run, out, "zko00001.html")) {
        out.printf("<html><body %sbgcolor=%s></body><SCRIPT LANGUAGE=JAVASCRIPT>if(parent.AddProdToQuote)"
                   "parent.AddProdToQuote(\"\")</SCRIPT>"
                   "</html>\n",
                   facts.basketBackgroundPage.c_str(), std::string(fieldText(a.pageColours[0])).c_str());
        written = closeCompanion(run, out) && written;
    } else {
        written = false;
    }
    return written;
}
