#include "generator/basket_script.h"
#include "generator/home_facts.h"
#include "generator/page_writer.h"

void writeProductCodeLabel(PageWriter& out, const HomeFacts& facts) {
    if (facts.productCode)
        out.printf("\nPCode=\"%s\";", facts.codeLabel.c_str());
}

void writeSelectionLookups(PageWriter& out, const HomeFacts& facts) {
    // An item page restores the choices of the line it shows: the option's
    // place in the list's array, or the free text.
    out.put("function GetInd(a1,s1,i1){for(var n=1;n<iNextProd;n++)if(prods[n].cd==i1){var v1=prods[n][\"sl\"+s1];"
            "for(var j=0;j<a1.length;j++)if(a1[j]==v1)return j;return 0;}return 0;}\n");
    out.put("function GetTxt(s1,i1){for(var n=1;n<iNextProd;n++)if(prods[n].cd==i1){");
    for (int k = 1; k <= facts.selectionCount; ++k)
        if (facts.freeText[k - 1])
            out.printf("if(s1==%d)return prods[n].sl%d;", k, k);
    out.put("break;}return \"\";}\n");
}

void writeSelectionLabels(PageWriter& out, const HomeFacts& facts) {
    out.printf("var iNoSelects=%d, sln=new Array(", facts.selectionCount);
    for (int i = 0; i < facts.selectionCount; ++i)
        out.printf("\"%s\",", facts.selectionLabels[i].c_str());
    out.put("\"\");\n");
}
