#include "generator/basket_arguments.h"
#include "generator/basket_script.h"
#include "generator/common_text.h"
#include "generator/generation_run.h"
#include "generator/home_facts.h"
#include "generator/home_page_pieces.h"
#include "generator/page_writer.h"

namespace {

bool imageAdd(const GenerationRun& run) { return run.appearance.addButtonImage[0] != '\0'; }
bool imageUpdate(const GenerationRun& run) { return run.appearance.updateButtonImage[0] != '\0'; }

void writeParameters(const GenerationRun& run, PageWriter& out) {
    out.put("cd,desc,up,qty,h,ps");
    int selection = 0;
    for (BasketArgument argument : basketArgumentsFor(run).inOrder()) {
        switch (argument) {
        case BasketArgument::ProductCode:
            out.put(",pc1");
            break;
        case BasketArgument::Units:
            out.put(",u1");
            break;
        case BasketArgument::Selection:
            out.printf(",sl%d", ++selection);
            break;
        case BasketArgument::Reload:
            out.put(",rf");
            break;
        case BasketArgument::ItemTaxType:
            out.put(",itt1");
            break;
        case BasketArgument::AddImage:
            out.put(",img1");
            break;
        }
    }
}

void writeNewLine(const GenerationRun& run, PageWriter& out, const HomeFacts& facts) {
    const std::string added = run.commonText.escaped(CommonLabel::ItemAdded);
    // Price, quantity and cost come from the cp call just before: lup, lq, ln.
    out.printf("if(iP==i){window.status=desc+\" %s\";prods[iNextProd++]=new ProdQuote(cd,desc,lup,lq,h,ps",
               added.c_str());
    if (facts.productCode)
        out.put(",pc1");
    if (facts.units)
        out.put(",u1");
    for (int k = 1; k <= facts.selectionCount; ++k)
        out.printf(",sl%d", k);
    if (facts.itemTaxTypes > 0)
        out.put(",itt1");
    out.put(");");
    if (facts.selectionCount > 0)
        out.printf("if(rf){nit++;frames[%d].location=h;}", facts.itemFrame);
    if (run.general.confirmOnAdd)
        out.printf("alert(desc+\" %s\");", added.c_str());
    out.put("}\n");
}

// The updated line's cost with tax takes the place of its old one in fIncTax.
void writeUpdatedLineTax(const GenerationRun& run, PageWriter& out, const HomeFacts& facts) {
    if (!facts.tax || (facts.itemTaxTypes == 0 && facts.taxTypes == 0))
        return;
    out.put("fIncTax-=prods[iP].tcost;");
    // IncTax shows the chosen currency; the line keeps the main currency.
    if (facts.itemTaxTypes > 0 && facts.conversion)
        out.put("prods[iP].tcost=fa(ln*(fTRate!=0.0?fTRate:itrs[itt1]));");
    else if (facts.itemTaxTypes > 0)
        out.put("prods[iP].tcost=IncTax(ln,itt1);");
    else if (facts.taxTypes == 1)
        out.printf("prods[iP].tcost=fa(ln*%s);", settingsTaxMultiplier(run).c_str());
    else
        out.put("prods[iP].tcost=fa(ln*trs[iTT]);");
}

void writeExistingLine(const GenerationRun& run, PageWriter& out, const HomeFacts& facts) {
    out.put("else{iItems-=prods[iP].qty;");
    if (facts.units)
        out.put("Tu1-=(prods[iP].u*prods[iP].qty);prods[iP].u=u1;");
    out.put("prods[iP].qty=lq;prods[iP].up=lup;fOrderTotal-=prods[iP].cost;prods[iP].cost=ln;");
    for (int k = 1; k <= facts.selectionCount; ++k)
        out.printf("prods[iP].sl%d=sl%d;", k, k);
    writeUpdatedLineTax(run, out, facts);
    if (run.general.quantityAlwaysOne && imageUpdate(run) && imageAdd(run))
        out.put("AltImage(img1);");
    out.put("}\n");
}

} // namespace

void writeAddProdToQuote(const GenerationRun& run, PageWriter& out, const HomeFacts& facts) {
    out.put("function AddProdToQuote(");
    writeParameters(run, out);
    // An empty code (zko00001.html) only redraws.
    out.put("){var i=iNextProd,iP=i;if (cd!=\"\"){\n");
    const std::string updated = run.commonText.escaped(CommonLabel::ItemUpdated);
    out.printf("for(var n=1;n<i;n++)if(prods[n].cd==cd){iP=n;window.status=desc+\" %s\";", updated.c_str());
    if (run.general.confirmOnUpdate)
        out.printf("alert(desc+\" %s\");", updated.c_str());
    out.put("break;}\n");
    writeNewLine(run, out, facts);
    writeExistingLine(run, out, facts);
    out.put("fOrderTotal+=ln;iItems+=(lq*1);");
    if (imageUpdate(run) && imageAdd(run))
        out.put("AltImage(img1);");
    if (facts.units)
        out.put("Tu1+=(u1*lq);");
    if (facts.tax)
        out.put("fIncTax+=parseFloat(prods[iP].tcost);");
    out.put("}\n");
    // No value is returned: a javascript: link that calls this would show it
    // in place of the item page.
    out.put(facts.ownFrame ? "ShowBasket();}\n" : "}\n");
}
