#include "generator/basket_script.h"
#include "generator/escaping.h"
#include "generator/generation_run.h"
#include "generator/home_facts.h"
#include "generator/page_writer.h"

namespace {

// Normal and rollover image of a bullet kind, with the functions that index
// pages call on mouse over and out. The guard is the script's own.
void writeBulletSwap(GenerationRun& run, PageWriter& out, const char (&normal)[129], const char (&rollover)[129],
                     const char* normalVariable, const char* rolloverVariable, const char* suffix) {
    const std::string normalName = escapeScriptString(homeImage(run, normal));
    const std::string rolloverName = escapeScriptString(homeImage(run, rollover));
    out.printf("var %s=new Image(),%s=new Image();%s.src=\"%s\";%s.src=\"%s\";\n", normalVariable, rolloverVariable,
               normalVariable, normalName.c_str(), rolloverVariable, rolloverName.c_str());
    out.printf("function ROI%s(img2){if(!img2!=null)img2.src=%s.src;}\n", suffix, rolloverVariable);
    out.printf("function OI%s(img2){if(!img2!=null)img2.src=%s.src;}\n", suffix, normalVariable);
}

} // namespace

void writeBulletRollovers(GenerationRun& run, PageWriter& out) {
    const AppearanceSet& a = run.appearance;
    const IndexDecorations& index = run.decorations.index;
    if (index.indexBulletRollover)
        writeBulletSwap(run, out, a.bulletImages[0], a.bulletImages[1], "IndImg", "IndRO", "");
    if (index.itemBulletRollover)
        writeBulletSwap(run, out, a.bulletImages[2], a.bulletImages[3], "ItmImg", "ItmRO", "2");
}

void writeImageSwaps(GenerationRun& run, PageWriter& out) {
    const std::string update = homeImage(run, run.appearance.updateButtonImage);
    if (!update.empty()) {
        out.printf("var UpdImage=new Image();UpdImage.src=\"%s\";\n", escapeScriptString(update).c_str());
        // An item page opened with its item already in the basket shows the
        // update image, which has no name to pass: there is nothing to swap.
        out.put("function AltImage(img1){if(img1)img1.src=UpdImage.src;}\n");
    }
    writeBulletRollovers(run, out);
}
