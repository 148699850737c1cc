#include <string>

#include "generator/copy_resource.h"
#include "generator/escaping.h"
#include "generator/generation_run.h"
#include "generator/home_page_pieces.h"
#include "generator/page_writer.h"
#include "model/paths.h"

namespace {

enum MusicFlag { StartAutomatically = 1, Loop = 2, Include = 4 };

} // namespace

// The music plays in a small window of its own, opened each time the home
// page loads.
void writeMusicScript(GenerationRun& run, PageWriter& out, const HomeFacts&) {
    const GeneralSettings& g = run.general;
    if (!(g.musicFlags & Include))
        return;
    const AppearanceSet& a = run.appearance;
    const std::string music =
        CopyResource(run, std::string(fieldText(g.musicFile)), std::string(fieldText(g.outputDir)));
    out.printf("var outstring=\"<HTML><HEAD><TITLE>music</TITLE></HEAD><BODY %sBGCOLOR=%s><OBJECT><EMBED SRC=%s "
               "HIDDEN=FALSE HEIGHT=60 WIDTH=160%s%s></OBJECT></BODY></HTML>\";\n",
               escapeScriptString(run.decorations.index.background).c_str(),
               escapeScriptString(fieldText(a.indexBackgroundColour)).c_str(), escapeScriptString(music).c_str(),
               (g.musicFlags & StartAutomatically) ? " AUTOSTART=TRUE" : "", (g.musicFlags & Loop) ? " LOOP=TRUE" : "");
    out.put("var mw\n");
    out.put("mw=window.open(\"\",\"MidiWin\",\"toolbar=no,scrollbars=no,height=65,width=180\")\n");
    // A browser that blocks the window gives no window at all.
    out.put("if(mw){if(parent.iver<4&&mw.document==null)setTimeout(\"mw.document.write(outstring);"
            "mw.document.close()\",50);else{mw.document.write(outstring);mw.document.close()}}\n");
}
