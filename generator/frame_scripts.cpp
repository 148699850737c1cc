#include "generator/frame_scripts.h"

#include "generator/page_writer.h"

void writeFramesetRedirect(PageWriter& out, const std::string& ownName) {
    out.printf("<script language=javascript>if(parent.location.href==location.href)location.href=\"%s?%s\";</script>\n",
               "zk000000.html", ownName.c_str());
}

void writeItemFrameChange(PageWriter& out, int itemFrame, int itemPage) {
    // The home page takes an item page from "zk0" and five digits after the
    // "?" of its address; the test mirrors that rule.
    out.printf("<SCRIPT LANGUAGE=JAVASCRIPT>if(parent!=self&&(parent.document.readyState==\"complete\"||"
               "!/\\?.*zk0\\d{5}/.test(parent.location.href)))parent.frames[%d].location=\"zk%.6d.html\";</SCRIPT>\n",
               itemFrame, itemPage);
}
