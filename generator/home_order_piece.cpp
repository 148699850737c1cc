#include <string>

#include "generator/common_text.h"
#include "generator/copy_resource.h"
#include "generator/escaping.h"
#include "generator/generation_run.h"
#include "generator/home_facts.h"
#include "generator/home_page_pieces.h"
#include "generator/order_details_script.h"
#include "generator/page_writer.h"
#include "model/paths.h"

namespace {

// The text after the address's last "/".
std::string lastAddressPart(std::string_view address) {
    const std::size_t slash = address.rfind('/');
    return std::string(slash == std::string_view::npos ? address : address.substr(slash + 1));
}

// The order page's address as script text before the "?det=": the first
// part is an expression the address is added to (the home page's folder
// t1), the second the address itself, for a script string. A copied custom
// form lies beside the home page; the others are addresses of their own.
struct OrderAddress {
    std::string folder;
    std::string address;
};

OrderAddress orderAddress(const GeneralSettings& g) {
    if (!g.useCustomForm)
        return {"", escapeScriptString(fieldText(g.orderFormUrl))};
    if (g.customFormUrl[0] != '\0')
        return {"", escapeScriptString(fieldText(g.customFormUrl))};
    return {"t1+", escapeScriptString(baseName(fieldText(g.customFormFile)))};
}

// The form the order goes to is uploaded with the catalogue: the custom form
// (copied here unless it lives at an address of its own) or the page the
// order form writer fills in under the order address's name.
void copyAndListOrderPage(GenerationRun& run) {
    const GeneralSettings& g = run.general;
    if (!g.useCustomForm) {
        const std::string name = lastAddressPart(fieldText(g.orderFormUrl));
        if (!name.empty())
            run.lists.listFile(run.outputPath(name));
        return;
    }
    const std::string form(fieldText(g.customFormFile));
    if (form.empty())
        return;
    if (g.customFormUrl[0] == '\0')
        CopyResource(run, form, std::string(fieldText(g.outputDir)));
    else
        run.lists.listFile(run.outputPath(std::string(baseName(form))));
}

} // namespace

void writeOrderForm(GenerationRun& run, PageWriter& out, const HomeFacts& facts) {
    const GeneralSettings& g = run.general;
    const std::string noItems = run.commonText.escaped(CommonLabel::NoItemsOrdered);
    if (!g.useCustomForm && g.orderFormUrl[0] == '\0') {
        out.printf("function OrderForm(){if(iItems==0){alert(\"%s\");return;} var t1=\"\",d1=-1,f1=this.location."
                   "toString();if((d1=f1.lastIndexOf(\"/\"))<0)d1=f1.lastIndexOf(\"\\\\\");if(d1>=0)t1=f1.substring(0,"
                   "d1+1);frames[%d].location=t1+\"zko00000.html\"}\n",
                   noItems.c_str(), facts.basketFrame);
        return;
    }
    copyAndListOrderPage(run);
    const OrderAddress target = orderAddress(g);
    const std::string window = (g.customFormSeparateWindow ? "X" : "") + facts.windowName;
    // f1 first holds the home page's address, for its folder t1; then the order's summary.
    out.printf("function OrderForm(){if(iItems==0){alert(\"%s\");return;} var t1=\"\",d1=-1,f1=this.location."
               "toString(),f2=\"\",f3,n,p,nw;if((d1=f1.lastIndexOf(\"/\"))<0)d1=f1.lastIndexOf(\"\\\\\");if(d1>=0)t1="
               "f1.substring(0,d1+1);\n",
               noItems.c_str());
    out.put(orderDetailsScript(OrderDetailsFor::OrderForm, facts));
    out.printf("\nf3=%s\"%s?det=\"+escape(f1)+escape(f2);\nnw=window.open(f3,\"%s\");\n", target.folder.c_str(),
               target.address.c_str(), window.c_str());
    // A window the browser refused to open is no window.
    out.put("if(nw&&nw.opener==null)nw.opener=self;}\n");
}
