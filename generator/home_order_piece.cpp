#include "generator/common_text.h"
#include "generator/generation_run.h"
#include "generator/home_facts.h"
#include "generator/home_page_pieces.h"

std::string orderHandOverRefusal(GenerationRun& run) {
    const GeneralSettings& g = run.general;
    if (!run.basketOn() || (!g.useCustomForm && g.orderFormUrl[0] == '\0'))
        return {};
    return "the order hand-over to a custom form or an order address is not written yet";
}

void writeOrderForm(GenerationRun& run, PageWriter& out, const HomeFacts& facts) {
    out.printf("function OrderForm(){if(iItems==0){alert(\"%s\");return;} var t1=\"\",d1=-1,f1=this.location."
               "toString();if((d1=f1.lastIndexOf(\"/\"))<0)d1=f1.lastIndexOf(\"\\\\\");if(d1>=0)t1=f1.substring(0,"
               "d1+1);frames[%d].location=t1+\"zko00000.html\"}\n",
               run.commonText.escaped(CommonLabel::NoItemsOrdered).c_str(), facts.basketFrame);
}
