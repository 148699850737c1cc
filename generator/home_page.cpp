#include "generator/home_page.h"

#include <cstdio>
#include <string>
#include <vector>

#include "generator/basket_script.h"
#include "generator/companion_pages.h"
#include "generator/escaping.h"
#include "generator/generation_run.h"
#include "generator/home_facts.h"
#include "generator/home_page_pieces.h"
#include "generator/home_page_sections.h"
#include "generator/page_writer.h"
#include "model/paths.h"

void writeHomeHead(const GenerationRun& run, PageWriter& out) {
    out.printf("<HTML><HEAD><meta HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=%s\">\n<META "
               "name=\"generator\" content=\"Vimra V3.0beta1\">",
               run.charset.c_str());
    out.put(run.reader.header().metaText);
    out.printf("<TITLE>%s</TITLE>", std::string(fieldText(run.general.catalogueTitle)).c_str());
    out.put(run.expiresTag);
    out.put("<SCRIPT LANGUAGE='JAVASCRIPT'>\nif(parent==null)parent=window;\n");
}

void writeRolloverPreload(GenerationRun& run, PageWriter& out) {
    const AppearanceSet& a = run.appearance;
    if (!a.useLinkImages)
        return;
    enum LinkImage { HomeRollover = 1, PreviousRollover = 3, BasketRollover = 5 };
    enum BulletImage { IndexRollover = 1, ItemRollover = 3 };
    const char (*images[])[129] = {&a.linkImages[BasketRollover], &a.linkImages[HomeRollover],
                                   &a.linkImages[PreviousRollover], &a.bulletImages[IndexRollover],
                                   &a.bulletImages[ItemRollover]};
    std::vector<std::string> names;
    for (const auto* image : images) {
        std::string name = homeImage(run, *image);
        if (name.empty())
            continue;
        // Built in steps: GCC 12 at -O3 warns falsely of overlapping copies in "\"" + ... + "\"".
        std::string quoted = "\"";
        quoted += escapeScriptString(name);
        quoted += '"';
        names.push_back(std::move(quoted));
    }
    out.put("\n// preload rollovers\nvar roilist=new Array(");
    for (std::size_t i = 0; i < names.size(); ++i)
        out.put((i > 0 ? "," : "") + names[i]);
    out.put(");\n");
    out.printf("for(i=0;i<%d;i++){temp=new Image();temp.src=roilist[i];}\n", static_cast<int>(names.size()));
}

void writeFrameSources(const GenerationRun& run, PageWriter& out, const HomeFacts& facts) {
    out.printf("var Fr1=\"zki00000.html\", Fr2=\"%s\",inParams = document.location.toString(), iPi=-1;\n",
               facts.firstItemPage.c_str());
    // Only a page name ("zki" or "zk0" and five digits) is taken from the
    // address: the frameset is written from these names.
    out.put("if((iPi=inParams.indexOf(\"?\"))>0){inParams=inParams.substring(iPi+1);"
            "if((iPi=inParams.search(/zki\\d{5}/))>=0)Fr1=inParams.substring(iPi,iPi+8)+\".html\";"
            "if((iPi=inParams.search(/zk0\\d{5}/))>=0)Fr2=inParams.substring(iPi,iPi+8)+\".html\";}\n");
    if (run.appearance.includeHeaderFrame)
        out.put("var LastInd;\n");
}

int HomePage(GenerationRun& run) {
    const std::string path = run.outputPath("zk000000.html");
    const HomeFacts facts = homeFactsFor(run);
    PageWriter out;
    if (!out.open(path)) {
        std::fprintf(run.diagnostics, "couldn't open <%s>\n", path.c_str());
        run.fileNotWritten(path);
        return 1;
    }
    run.lists.listFile(path);

    writeHomeHead(run, out);
    writeRolloverPreload(run, out);
    writeFrameSources(run, out, facts);
    if (facts.basket)
        writeBasketScript(run, out, facts);
    else
        writeBulletRollovers(run, out);
    writeDeliveryScript(run, out, facts);
    writeClosingFunctions(run, out, facts);
    writeMusicScript(run, out, facts);
    out.put("</SCRIPT></HEAD>\n\n");
    writeFrameset(run, out, facts);

    const std::size_t unwrittenBefore = run.unwrittenFiles.size();
    run.closePage(out);
    const bool pageWritten = run.unwrittenFiles.size() == unwrittenBefore;
    const bool companionsWritten = writeCompanionPages(run, facts);
    return pageWritten && companionsWritten ? 0 : 1;
}
