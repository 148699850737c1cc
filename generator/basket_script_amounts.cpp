#include "generator/basket_script.h"
#include "generator/home_facts.h"
#include "generator/page_writer.h"

void writeCp(PageWriter& out, const HomeFacts& facts) {
    // ln and lup stay in the main currency: AddProdToQuote takes them. The
    // visitor sees the cost in the chosen currency.
    out.put("function cp(in1,up,out1){lq=in1.value;if(!IsInt(lq))lq=0;ln=eval(fa(lq*up));lup=up;");
    out.put(facts.conversion ? "out1.value=fa(lq*fa(up*CCR));}\n" : "out1.value=fa(lq*up);}\n");
}

void writeFa(PageWriter& out) {
    out.put("function fa(nVal){var p1=Math.pow(10,iDP),t=(Math.round(nVal*p1)/p1).toString(),d;"
            "if(iDP>0&&t.indexOf(\".\")<0)t+=\".\";d=t.indexOf(\".\");if(iDP>0)while(t.length-d-1<iDP)t+=\"0\";"
            "return t;}\n");
}

// A basket value as page text: what a visitor typed into a free-text
// list is shown as typed, never read as markup, and a value inside a
// quoted attribute cannot end it.
void writeHtmlText(PageWriter& out) {
    out.put("function ht(v){return String(v).replace(/&/g,\"&amp;\").replace(/\"/g,\"&quot;\")"
            ".replace(/</g,\"&lt;\").replace(/>/g,\"&gt;\");}\n");
}

void writeIsInt(PageWriter& out) {
    out.put("function IsInt(s){if(s.length==0)return false;for(var i=0;i<s.length;i++){var c=s.charAt(i);"
            "if(c<\"0\"||c>\"9\"){alert(\"invalid number [\"+s+\"]\");return false;}}return true;}\n");
}
