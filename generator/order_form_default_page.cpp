#include <cstdio>
#include <string>

#include "generator/basket_arguments.h"
#include "generator/basket_script.h"
#include "generator/escaping.h"
#include "generator/generation_run.h"
#include "generator/order_form_files.h"
#include "generator/order_form_sections.h"
#include "generator/page_writer.h"
#include "model/paths.h"

// zko00000.html is loaded into the basket frame and is only a script: it
// reads the basket from the home page, builds the whole order form as the
// text outstring and writes it into a window of its own. Every text of the
// form is inside a script string.
namespace {

struct OrderColumns {
    bool productCode = false;
    std::string codeLabel;   // escaped for a script string
    int selectionCount = 0;
    std::string selectionLabels[kSelectionCount];
    bool freeText[kSelectionCount] = {};
    bool tax = false;        // includeTax
    bool itemTaxTypes = false;
    int labelColumns() const { return selectionCount + 3 + (productCode ? 1 : 0) + (tax ? 1 : 0); }
};

OrderColumns orderColumnsFor(const GenerationRun& run) {
    const CatalogueHeader& header = run.reader.header();
    // The order form's columns are the basket's.
    const BasketArguments arguments = basketArgumentsFor(run);
    OrderColumns columns;
    columns.productCode = arguments.productCode;
    columns.codeLabel = escapeScriptString(header.codeCaption);
    columns.selectionCount = arguments.selectionCount;
    for (int i = 0; i < columns.selectionCount; ++i) {
        columns.selectionLabels[i] = escapeScriptString(header.selections[i].caption);
        columns.freeText[i] = header.selections[i].kind == SelectionKind::TextOption;
    }
    columns.tax = run.general.includeTax != 0;
    columns.itemTaxTypes = arguments.itemTaxType;
    return columns;
}

bool deliveryCharges(const GenerationRun& run) {
    constexpr int kDeliveryCharges = 2;   // orderFormFlags bit 1
    return (run.general.orderFormFlags & kDeliveryCharges) != 0;
}

// A setting of the form's own, escaped for a script string; its default
// when it is not set.
template <std::size_t N>
std::string formSetting(const char (&field)[N], const char* byDefault) {
    return escapeScriptString(field[0] == '\0' ? std::string_view(byDefault) : fieldText(field));
}
std::string nameField(const GeneralSettings& g) { return formSetting(g.nameFieldName, "NAME"); }
std::string emailField(const GeneralSettings& g) { return formSetting(g.emailFieldName, "email"); }

void writeBasketReading(const GenerationRun& run, PageWriter& out) {
    out.put("<HEAD><SCRIPT LANGUAGE='JAVASCRIPT'>\nvar prods=parent.prods,iNextProd=parent.iNextProd,fOrderTotal="
            "parent.fOrderTotal,fIncTax=parent.fIncTax,fTotalCost\nparent.DelivCost=Math.round(parseFloat(parent."
            "DelivCost)*100)/100, iNoSelects=parent.iNoSelects;\n");
    // The form shows the main currency's amounts, whatever currency the
    // basket shows.
    out.printf("var iDP=%d;\n", static_cast<int>(run.general.currencyDecimals));
    writeFa(out);
    out.put("</SCRIPT></HEAD>\n<SCRIPT LANGUAGE='JAVASCRIPT'>\n");
}

// cF(e1,n1): the check before the form is sent.
void writeFormCheck(const GenerationRun& run, PageWriter& out) {
    const GeneralSettings& g = run.general;
    out.put("outstring+=\"<SCRIPT LANGUAGE='JAVASCRIPT'>function cF(e1,n1){");
    if (g.insistName)
        out.put("if(n1.value==\\\"\\\"){alert(\\\"please enter your name\\\");n1.focus();n1.select();return false;}");
    if (g.insistEmail)
        out.put("var s=e1.value,a=s.indexOf(\\\"@\\\"),p=s.indexOf(\\\".\\\");if(s.indexOf(\\\" \\\")>=0||a<1||"
                "a==s.length-1||p<1||p==s.length-1){alert(\\\"please enter a valid email address\\\");e1.focus();"
                "e1.select();return false;}");
    out.put("return true;}<\\/SCRIPT>\";\n");
}

void writeFormHead(const GenerationRun& run, PageWriter& out) {
    const GeneralSettings& g = run.general;
    out.put("outstring =\"<HEAD><TITLE>Order Form</TITLE>\";\n");
    if (cgiHandling(g) && (g.insistEmail || g.insistName))
        writeFormCheck(run, out);
    out.put("outstring+=\"</HEAD><BODY BGCOLOR=WHITE><BASEFONT SIZE=2 FACE=arial><P>"
            "<FONT SIZE=+3 COLOR=RED FACE=arial>Order Form</FONT><P>\";\n");
}

void writeOrderTable(const GenerationRun& run, PageWriter& out, const OrderColumns& columns) {
    out.put("outstring+=\"<TABLE WIDTH=600 BORDER=1><TR BGCOLOR=AADDFF><TD> Item</TD>");
    if (columns.productCode)
        out.printf("<TD>%s</TD>", columns.codeLabel.c_str());
    for (int i = 0; i < columns.selectionCount; ++i)
        out.printf("<TD>%s</TD>", columns.selectionLabels[i].c_str());
    out.printf("<TD> Unit Price </TD><TD> Quantity </TD><TD> Cost (%s)</TD>", escapeScriptString(run.currencySymbol).c_str());
    if (columns.tax)
        out.printf("<TD>+\"+parent.TName+(parent.fTRate%s?\"(\"+fa((parent.fTRate-1.0)*100.00)+\"%%)\":\"\")+\"</TD>",
                   columns.itemTaxTypes ? ">1.0" : "!=1.00");
    out.put("</TR>\";\n");

    out.put("for(var n=1;n<iNextProd;n++){var p=prods[n];if(p.qty>0)outstring+=\"<TR><TD>\"+p.desc+\"</TD>");
    if (columns.productCode)
        out.put("<TD>\"+p.pc+\"</TD>");
    // What a visitor typed is shown as typed (parent.ht).
    for (int k = 1; k <= columns.selectionCount; ++k)
        out.printf(columns.freeText[k - 1] ? "<TD>\"+parent.ht(p.sl%d)+\"</TD>" : "<TD>\"+p.sl%d+\"</TD>", k);
    out.put("<TD ALIGN=RIGHT>\"+fa(p.up)+\"</TD><TD ALIGN=RIGHT>\"+p.qty+\"</TD><TD ALIGN=RIGHT>\"+fa(p.cost)+\"</TD>");
    if (columns.tax)
        out.put("<TD ALIGN=RIGHT>\"+fa(p.tcost)+\"</TD>");
    out.put("</TR>\";}\n");

    const char* total = columns.tax ? "fIncTax" : "fOrderTotal";
    out.printf("outstring+=\"<TR BGCOLOR=AADDFF><TD COLSPAN=%d></TD><TD ALIGN=RIGHT>\"+fa(%s)+\"</TD></TR>\";\n",
               columns.labelColumns(), total);
    if (deliveryCharges(run)) {
        out.printf("fTotalCost=%s+parent.DelivCost;\n", total);
        out.printf("outstring+=\"<TR BGCOLOR=AADDFF><TD COLSPAN=%d ALIGN=RIGHT>including delivery cost&nbsp;(\"+"
                   "parent.Sch+\")&nbsp;\"+fa(parent.DelivCost)+\"</TD><TD ALIGN=RIGHT>\"+fa(fTotalCost)+\"</TD></TR>\";\n",
                   columns.labelColumns());
    }
    out.put("outstring+=\"</TABLE>\";\n");
}

void writeFormTag(const GenerationRun& run, PageWriter& out) {
    const GeneralSettings& g = run.general;
    out.put("outstring+=\"<P><FONT SIZE=+2 FACE=arial>Fill in your details</FONT><FORM NAME=\\\"OrdForm\\\"");
    if (cgiHandling(g)) {
        if (g.insistEmail || g.insistName)
            out.printf(" ONSUBMIT=\\\"return cF(this.%s,this.%s)\\\"", emailField(g).c_str(), nameField(g).c_str());
        out.printf(" METHOD=%s %s", cgiMethodName(g), escapeScriptString(fieldText(g.cgiAction)).c_str());
    }
    out.put(">");
    if (cgiHandling(g)) {
        for (const auto& field : g.cgiHiddenFields) {
            if (field[0] != '\0')
                out.printf("<INPUT TYPE=HIDDEN %s >", escapeScriptString(fieldText(field)).c_str());
        }
    }
    out.put("\";\n");
}

void writeDetailsTable(const GenerationRun& run, PageWriter& out) {
    const GeneralSettings& g = run.general;
    const bool cgi = cgiHandling(g);
    const std::string name = cgi ? nameField(g) : "NAME";
    const std::string email = cgi ? emailField(g) : "email";
    out.put("outstring+=\"<TABLE WIDTH=600 BGCOLOR=FFFFDD>\";\n");
    auto row = [&out](const char* label, const std::string& input) {
        out.printf("outstring+=\"<TR><TD>%s</TD><TD>%s</TD></TR>\";\n", label, input.c_str());
    };
    auto text = [](const std::string& field, const char* size) {
        return formatText("<INPUT TYPE=TEXT NAME=\\\"%s\\\" %s>", field.c_str(), size);
    };
    row("Name", text(name, "SIZE=40 MAXLENGTH=40"));
    row("Address", "<TEXTAREA NAME=\\\"ADDRESS\\\" ROWS=6 COLS=40></TEXTAREA>");
    row("Email", text(email, "SIZE=40"));
    row("Phone", text("PHONE", "SIZE=40"));
    row("Fax", text("FAX", "SIZE=40"));
    row("Payment Method", text("PAYMENT METHOD", "SIZE=40"));
    row("Card Number", text("CN1", "SIZE=4 MAXLENGTH=4") + " -" + text("CN2", "SIZE=4 MAXLENGTH=4") + " -" +
                           text("CN3", "SIZE=4 MAXLENGTH=4") + " -" + text("CN4", "SIZE=4 MAXLENGTH=4"));
    row("Expiry Date", text("EXPIRY DATE", "SIZE=7 MAXLENGTH=7"));
}

// The lines and totals again, as hidden fields for the form handler.
void writeHiddenOrder(const GenerationRun& run, PageWriter& out, const OrderColumns& columns) {
    out.put("outstring+=\"<TR><TD></TD><TD>\";\n");
    out.put("for(var n=1;n<iNextProd;n++){var p=prods[n];if(p.qty>0)outstring+=\"<INPUT TYPE=HIDDEN "
            "NAME=\\\"ITEM\"+n+\"\\\" VALUE=\\\"\"+parent.ht(p.desc");
    if (columns.productCode)
        out.put("+\"|\"+p.pc");
    for (int k = 1; k <= columns.selectionCount; ++k)
        out.printf("+\"|\"+p.sl%d", k);
    out.put("+\" : \"+p.qty+\" @ \"+p.up+\" = \"+fa(p.cost)");
    if (columns.tax)
        out.put("+\" with tax added : \"+fa(p.tcost)");
    out.put(")+\"\\\">\";}\n");
    if (deliveryCharges(run)) {
        if (columns.tax)
            out.put("outstring+=\"<INPUT TYPE=HIDDEN NAME=\\\"ITEMSTOTAL\\\" VALUE=\\\"total of items (with tax "
                    "added) is \"+fa(fIncTax)+\"\\\">\";\n");
        else
            out.put("outstring+=\"<INPUT TYPE=HIDDEN NAME=\\\"ITEMSTOTAL\\\" VALUE=\\\"total of items is \"+"
                    "fa(fOrderTotal)+\"\\\">\";\n");
        out.put("outstring+=\"<INPUT TYPE=HIDDEN NAME=\\\"GRANDTOTAL\\\" VALUE=\\\"including delivery (\"+parent.ht(parent.Sch)+"
                "\") of \"+fa(parent.DelivCost)+\" is \"+fa(fTotalCost)+\"\\\">\";\n");
    }
    out.printf("outstring+=\"<INPUT TYPE=SUBMIT NAME=\\\"SUBMIT\\\" VALUE=\\\"%s\\\"></TD></TR>\";\n",
               formSetting(run.general.submitText, "Send Order").c_str());
}

void writeAddressTable(const GenerationRun& run, PageWriter& out) {
    out.printf("outstring+=\"</TABLE></FORM><FONT SIZE=+2 FACE=arial>%srint and send to</FONT>\";\n",
               cgiHandling(run.general) ? "or p" : "P");
    const OrderText text = readOrderText(run.programFile(kOrderTextFile));
    out.put("outstring+=\"<TABLE WIDTH=600><TR><TD><FONT COLOR=DARKBLUE>");
    for (int i = 0; i < kOrderAddressLinesUsed; ++i)
        out.printf("%s<BR>", escapeScriptString(text.addressLines[i]).c_str());
    out.put("\";\n");
    if (!text.extraText.empty())
        out.printf("outstring+=\"%s\";\n", escapeScriptString(lineBreaksAsBreaks(text.extraText)).c_str());
    out.put("outstring+=\"</FONT></TD></TR></TABLE></BODY></html>\";\n");
}

// The basket frame showed this page: the basket is drawn again, and the
// form goes into the order window.
void writeEnding(const GenerationRun& run, PageWriter& out) {
    out.printf("parent.ShowBasket();\nnw=window.open(\"\",\"X%s\");\n", run.windowName.c_str());
    // A window the browser refused to open (a popup blocker) is left alone;
    // the browser says it blocked one.
    out.put("if(nw){if(parent.iver<4&&(nw.document==null||parent.isie))setTimeout(\"nw.document.write(outstring);"
            "nw.document.close()\",50);\nelse{nw.document.write(outstring);nw.document.close();nw.focus();}}\n");
    out.put("</SCRIPT>\n");
}

} // namespace

int writeDefaultOrderPage(GenerationRun& run) {
    const std::string path = run.outputPath("zko00000.html");
    PageWriter out;
    if (!out.open(path)) {
        std::fprintf(run.diagnostics, "couldn't open <%s>\n", path.c_str());
        run.fileNotWritten(path);
        return -1;
    }
    run.lists.listFile(path);
    const OrderColumns columns = orderColumnsFor(run);
    writeBasketReading(run, out);
    writeFormHead(run, out);
    writeOrderTable(run, out, columns);
    writeFormTag(run, out);
    writeDetailsTable(run, out);
    if (cgiHandling(run.general))
        writeHiddenOrder(run, out, columns);
    writeAddressTable(run, out);
    writeEnding(run, out);
    const std::size_t unwrittenBefore = run.unwrittenFiles.size();
    run.closePage(out);
    return run.unwrittenFiles.size() == unwrittenBefore ? 0 : -1;
}
