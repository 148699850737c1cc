#include "generator/order_details_script.h"

#include "generator/home_facts.h"
#include "generator/page_writer.h"

namespace {

// The template below names every basket variable as $name: $ stands for
// the scope the function reaches them through.
std::string scoped(std::string text, const std::string& scope) {
    for (std::size_t at = text.find('$'); at != std::string::npos; at = text.find('$', at + scope.size()))
        text.replace(at, 1, scope);
    return text;
}

} // namespace

std::string orderDetailsScript(OrderDetailsFor use, const HomeFacts& facts) {
    const int extraColumns = (facts.productCode ? 1 : 0) + facts.selectionCount;
    const char* percent = use == OrderDetailsFor::OrderString ? "" : R"js(+"%")js";
    const char* version = use == OrderDetailsFor::SecureTrading ? R"js(????\\)js" : R"js(10\\\\)js";
    std::string script =
        formatText(R"js(f1=$fa($fOrderTotal)+"\\"+$fa($fIncTax)+"\\"+$fa($DelivCost)+"\\"+parseInt($iNextProd-1)+"\\"+$Sch+"\\")js"
                   R"js(+$TName+($fTRate>0?" "+$fa(($fTRate-1.0)*100.00)%s:"")+"\\%d\\"+$CurrSym+"\\%s")js",
                   percent, extraColumns, version);
    if (facts.productCode)
        script += R"js(+$PCode+"\\")js";
    for (int i = 0; i < facts.selectionCount; ++i)
        script += formatText(R"js(+$sln[%d]+"\\")js", i);
    script += R"js(;for(n=1;n<$iNextProd;n++){p=$prods[n];f2+=p.desc+"\\")js";
    if (facts.productCode)
        script += R"js(+p.pc+"\\")js";
    for (int k = 1; k <= facts.selectionCount; ++k)
        script += formatText(R"js(+p.sl%d+"\\")js", k);
    script += R"js(+$fa(p.up)+"\\"+p.qty+"\\"+$fa(p.cost)+"\\"+$fa(p.tcost)+"\\";})js";
    return scoped(script, use == OrderDetailsFor::SecureTrading ? "parent." : "");
}
