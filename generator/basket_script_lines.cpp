#include "generator/basket_script.h"
#include "generator/common_text.h"
#include "generator/escaping.h"
#include "generator/generation_run.h"
#include "generator/home_facts.h"
#include "generator/page_writer.h"

void writeLineCodeAllocator(PageWriter& out, const HomeFacts& facts) {
    // Each distinct choice of an item's lists gets a fresh code from 10000
    // upward; a line reopened from the basket keeps its own.
    out.put("var upditem=false,nit=10000,cit=-1,itp=0;\n");
    out.printf("function UpdItem(it){cit=prods[it].cd;itp=prods[it].ps;frames[%d].location=prods[it].h;}\n",
               facts.itemFrame);
    out.put("function GetItNo(p7){if(p7==null)p7=0;if(cit==-1||p7!=itp)return nit++;var c1=cit;cit=-1;return c1;}\n");
}

void writeProdQuote(PageWriter& out, const HomeFacts& facts) {
    out.put("function ProdQuote(cd,d,up,q,h,ps");
    if (facts.productCode)
        out.put(",pc");
    if (facts.units)
        out.put(",u");
    for (int k = 1; k <= facts.selectionCount; ++k)
        out.printf(",sl%d", k);
    if (facts.itemTaxTypes > 0)
        out.put(",itt");
    out.put("){this.cd=cd;this.desc=d;this.up=up;this.qty=q;this.cost=fa(q*up);this.h=h;"
            "this.tcost=fa(this.cost*fTRate);this.ps=ps;");
    if (facts.productCode)
        out.put("this.pc=pc;");
    if (facts.units)
        out.put("this.u=u;");
    for (int k = 1; k <= facts.selectionCount; ++k)
        out.printf("this.sl%d=sl%d;", k, k);
    // A line of an item with its own tax type is taxed at that type's rate,
    // unless a chosen tax type overrides the items' rates, as SetTax and
    // IncTax have it.
    if (facts.itemTaxTypes > 0)
        out.put("this.itt=itt;this.tcost=fa(this.cost*(fTRate==0.0?itrs[itt]:fTRate));");
    out.put("return this;}\n\n");
}

void writeBasketGlobals(const GenerationRun& run, PageWriter& out, const HomeFacts& facts) {
    out.printf("window.name=\"%s\";\n", facts.windowName.c_str());
    out.printf("var iNextProd=1,fOrderTotal=0.0,fIncTax=0.0,prods=new Array(),DelivCost=0.0,iItems=0,iDP=%d,iDS=0,"
               "Sch='',fTRate=0.0,TName=\"\",Tu1=0.0,PCode=null,iTT=0,CurrSym=\"%s\",DispTot1=0.0,DispTot2=0.0;\n",
               static_cast<int>(run.general.currencyDecimals), escapeScriptString(run.currencySymbol).c_str());
}

void writeDelItem(PageWriter& out, const HomeFacts& facts) {
    out.put("function DelItem(i3){iItems-=prods[i3].qty;");
    if (facts.units)
        out.put("Tu1-=prods[i3].u*prods[i3].qty;prods[i3].u=0;");
    out.put("prods[i3].qty=0;fOrderTotal-=prods[i3].cost;prods[i3].cost=0.0;fIncTax-=prods[i3].tcost;"
            "prods[i3].tcost=0.0;ShowBasket();}\n");
}

void writeBrowserVariables(PageWriter& out) {
    out.put("var ln,lq,lup,agt=navigator.userAgent.toLowerCase(),is32=(agt.indexOf(\"95\")!=-1||agt.indexOf(\"nt\")"
            "!=-1),isie=(agt.indexOf(\"msie\")!=-1),iver=parseInt(navigator.appVersion);\n");
}

void writeGetProdDet(const GenerationRun& run, PageWriter& out, const HomeFacts& facts) {
    out.put("function GetProdDet(inp,cd,res,but){for(var n=1;n<iNextProd;n++)if(prods[n].cd==cd){"
            "inp.value=prods[n].qty;");
    // The cost as the basket shows it: the converted unit price times the quantity.
    out.put(facts.conversion ? "res.value=fa(prods[n].qty*fa(prods[n].up*CCR));"
                             : "res.value=fa(prods[n].qty*prods[n].up);");
    // An image add button has no caption to change.
    if (run.appearance.addButtonImage[0] == '\0')
        out.printf("but.value=\"%s\";", run.commonText.escaped(CommonLabel::UpdateBasket).c_str());
    out.put("return;}}\n");
}

void writeReset(PageWriter& out) {
    out.put("function Reset(){for(var m=0;m<iNextProd;m++)prods[m]=null;iNextProd=1;fOrderTotal=0.00;"
            "fIncTax=0.00;iItems=0;Tu1=0.0;return true;}\n");
}
