#include <string>

#include "generator/common_text.h"
#include "generator/copy_resource.h"
#include "generator/escaping.h"
#include "generator/generation_run.h"
#include "generator/home_facts.h"
#include "generator/home_page_pieces.h"
#include "generator/order_details_script.h"
#include "generator/page_writer.h"
#include "generator/payment_addresses.h"
#include "model/paths.h"

// Each provider's form is filled by ShowBasket from the basket lines as it
// draws the basket: the loops run in the home page, the forms and their
// Call...() functions land in the basket frame, where the order button
// calls them. The functions reach the basket through parent. Entries are
// numbered iNo from 1 over the lines not emptied. The values go into the
// forms' attributes through ht, so that a quote or a visitor's text cannot
// end them.
namespace {

constexpr int kDeliveryOn = 2;   // orderFormFlags bit 1

template <std::size_t N>
std::string setting(const char (&field)[N]) {
    return escapeScriptString(fieldText(field));
}

// A label inside a string of the script the basket frame runs, itself
// inside a string of ShowBasket.
std::string frameScriptLabel(const GenerationRun& run, CommonLabel label) {
    return escapeScriptString(run.commonText.escaped(label));
}

const char* formTarget(const GenerationRun& run) {
    return run.general.customFormSeparateWindow ? "WPWin" : "_top";
}

bool deliveryOn(const GenerationRun& run) { return (run.general.orderFormFlags & kDeliveryOn) != 0; }

// The line's selection-list values joined by separator, as a script
// expression; empty without selection lists.
std::string selectionValues(const HomeFacts& facts, const char* separator) {
    std::string values;
    for (int k = 1; k <= facts.selectionCount; ++k)
        values += formatText("%sp.sl%d", k > 1 ? separator : "", k);
    return values;
}

// The line's code: its product code, or the prefix and the entry number.
std::string entryCode(const HomeFacts& facts, const char* prefix) {
    return facts.productCode ? "p.pc" : formatText("\"%s\"+iNo", prefix);
}

void writeWorldPay(const GenerationRun& run, PageWriter& out, const HomeFacts& facts) {
    const GeneralSettings& g = run.general;
    out.printf(R"js(d.write("<FORM NAME=WorldPay METHOD=POST ACTION=\"%s\" TARGET=%s>)js"
               R"js(<INPUT TYPE=HIDDEN NAME=store VALUE=\"%s\">)js"
               R"js(<INPUT TYPE=HIDDEN NAME=cname VALUE=\"%s\">");)js"
               "\n",
               setting(g.worldPayAction).c_str(), formTarget(run), setting(g.worldPayStore).c_str(),
               setting(g.worldPayCompany).c_str());
    std::string description = "p.desc";
    if (facts.selectionCount > 0)
        description += "+\", \"+" + selectionValues(facts, "+\", \"+");
    out.put("var iNo=1;for(n=1;n<iNextProd;n++){p=prods[n];if(p.qty==0)continue;\n");
    out.printf(R"js(d.write("<INPUT TYPE=HIDDEN NAME=code"+iNo+" VALUE=\""+ht(%s)+"\">)js"
               R"js(<INPUT TYPE=HIDDEN NAME=desc"+iNo+" VALUE=\""+ht(%s)+"\">)js"
               R"js(<INPUT TYPE=HIDDEN NAME=cost"+iNo+" VALUE=\""+p.up+"\">)js"
               R"js(<INPUT TYPE=HIDDEN NAME=qty"+iNo+" VALUE=\""+p.qty+"\">");iNo++;})js"
               "\n",
               entryCode(facts, "X").c_str(), description.c_str());
    if (run.general.includeTax)
        out.put(R"js(d.write("<INPUT TYPE=HIDDEN NAME=cost"+iNo+" VALUE=\""+fa(parseFloat(fa(fIncTax))-parseFloat(fa(fOrderTotal)))+"\">)js"
                R"js(<INPUT TYPE=HIDDEN NAME=code"+iNo+" VALUE=\"~WP_TAX\">)js"
                R"js(<INPUT TYPE=HIDDEN NAME=desc"+iNo+" VALUE=\""+ht(TName)+"\">)js"
                R"js(<INPUT TYPE=HIDDEN NAME=qty"+iNo+" VALUE=\"1\">");iNo++;)js"
                "\n");
    if (deliveryOn(run))
        out.put(R"js(d.write("<INPUT TYPE=HIDDEN NAME=cost"+iNo+" VALUE=\""+fa(DelivCost)+"\">)js"
                R"js(<INPUT TYPE=HIDDEN NAME=code"+iNo+" VALUE=\"~WP_PNP\">)js"
                R"js(<INPUT TYPE=HIDDEN NAME=desc"+iNo+" VALUE=\""+ht(Sch)+"\">)js"
                R"js(<INPUT TYPE=HIDDEN NAME=qty"+iNo+" VALUE=\"1\">");iNo++;)js"
                "\n");
    out.put(R"js(d.write("<INPUT TYPE=HIDDEN NAME=max VALUE=\""+(iNo-1)+"\"></FORM>");)js"
            "\n");
    // The delivery entry is the last: its cost and description follow the
    // schedule the visitor has chosen by the time of paying.
    if (deliveryOn(run))
        out.printf(R"js(d.write("<SCRIPT LANGUAGE=JAVASCRIPT>function CallWorldPay(){if(parent.iItems==0){alert(\"%s\");return;}var f=document.WorldPay;)js"
                   R"js(f.elements["+((iNo-2)*4+2)+"].value=parent.fa(parent.DelivCost);)js"
                   R"js(f.elements["+((iNo-2)*4+4)+"].value=\"%s - \"+parent.Sch;f.submit();}<\/SCRIPT>");)js"
                   "\n",
                   frameScriptLabel(run, CommonLabel::NoItemsOrdered).c_str(),
                   frameScriptLabel(run, CommonLabel::Delivery).c_str());
    else
        out.put(R"js(d.write("<SCRIPT LANGUAGE=JAVASCRIPT>function CallWorldPay(){document.WorldPay.submit();}<\/SCRIPT>");)js"
                "\n");
}

void writeInternetSecure(const GenerationRun& run, PageWriter& out, const HomeFacts& facts) {
    const GeneralSettings& g = run.general;
    const CommonText& labels = run.commonText;
    out.printf(R"js(d.write("<FORM NAME=InternetSecure METHOD=POST ACTION=\"%s\" TARGET=%s>)js"
               R"js(<INPUT TYPE=HIDDEN NAME=MerchantNumber VALUE=\"%s\">)js"
               R"js(<INPUT TYPE=HIDDEN NAME=ReturnURL VALUE=\"%s\">)js"
               R"js(<INPUT TYPE=HIDDEN NAME=language VALUE=\"%s\">");)js"
               "\n",
               escapeScriptString(kInternetSecurePaymentAddress).c_str(), formTarget(run),
               setting(g.internetSecureMerchant).c_str(), setting(g.internetSecureReturnUrl).c_str(),
               setting(g.internetSecureLanguage).c_str());
    out.printf("var iNo=1,s=\"%s::%s::%s::%s::%s\";", labels.escaped(CommonLabel::UnitPriceColumn).c_str(),
               labels.escaped(CommonLabel::QuantityColumn).c_str(),
               facts.productCode ? facts.codeLabel.c_str() : "##", labels.escaped(CommonLabel::ItemColumn).c_str(),
               g.internetSecureUsDollars ? "Flags" : " ");
    std::string description = "p.desc";
    if (facts.selectionCount > 0)
        description += "+\" (\"+" + selectionValues(facts, "+\", \"+") + "+\")\"";
    out.printf(R"js(for(n=1;n<iNextProd;n++){p=prods[n];if(p.qty==0)continue;s+="|"+p.up+"::"+p.qty+"::"+%s+"::"+%s+"%s";iNo++;})js"
               "\n",
               entryCode(facts, "P").c_str(), description.c_str(), g.internetSecureUsDollars ? "::{US}" : "::");
    out.put(R"js(if(fIncTax>fOrderTotal)s+="|"+fa(fIncTax-fOrderTotal)+"::1::TAX::"+TName+"::::";)js"
            "\n");
    out.put(R"js(d.write("<INPUT TYPE=HIDDEN NAME=Products VALUE=\""+ht(s)+"\"></FORM>");)js"
            "\n");
    // The delivery entry is added to the lines as they were drawn, so that
    // paying twice does not add it twice.
    out.printf(R"js(d.write("<SCRIPT LANGUAGE=JAVASCRIPT>var lines=null;function CallInternetSecure(){var f=document.InternetSecure;%sf.submit();}<\/SCRIPT>");)js"
               "\n",
               deliveryOn(run)
                   ? R"js(if(lines==null)lines=f.Products.value;f.Products.value=lines+\"|\"+parent.fa(parent.DelivCost)+\"::1::DLV::\"+parent.Sch+\"::::\";)js"
                   : "");
}

void writeAuthorizeNet(const GenerationRun& run, PageWriter& out, const HomeFacts& facts) {
    const GeneralSettings& g = run.general;
    const char* total = g.includeTax ? "fIncTax" : "fOrderTotal";
    std::string line = "p.desc";
    if (facts.productCode)
        line += "+\", \"+p.pc+\"  \"";
    line += "+\", \"+p.qty+\"@\"+p.up+\"  \"";
    if (facts.selectionCount > 0)
        line += "+\" (\"+" + selectionValues(facts, "+\", \"+") + "+\")\"";
    line += "+\", \"+fa(p.cost)";
    if (g.includeTax)
        line += "+(fa(p.cost)!=fa(p.tcost)?\" (\"+fa(p.tcost)+\")\":\"\")";
    out.printf("var InvoiceNo=new Date(),s=\"\";for(n=1;n<iNextProd;n++){p=prods[n];if(p.qty==0)continue;s+=%s+\"; \";}\n",
               line.c_str());
    out.printf(R"js(d.write("<FORM NAME=AuthorizeNet METHOD=POST ACTION=\"%s\" TARGET=%s>)js"
               R"js(<INPUT TYPE=HIDDEN NAME=x_Version VALUE=\"3.0\">)js"
               R"js(<INPUT TYPE=HIDDEN NAME=x_Show_Form VALUE=\"PAYMENT_FORM\">)js"
               R"js(<INPUT TYPE=HIDDEN NAME=x_Amount VALUE=\""+fa(%s)+"\">)js"
               R"js(<INPUT TYPE=HIDDEN NAME=x_Login VALUE=\"%s\">)js"
               R"js(<INPUT TYPE=HIDDEN NAME=x_Invoice_Num VALUE=\""+InvoiceNo.getTime()+"\">)js"
               R"js(<INPUT TYPE=HIDDEN NAME=x_Email_Customer VALUE=\"TRUE\">)js"
               R"js(<INPUT TYPE=HIDDEN NAME=x_Description VALUE=\""+ht(s)+"\"></FORM>");)js"
               "\n",
               escapeScriptString(kAuthorizeNetPaymentAddress).c_str(), formTarget(run), total,
               setting(g.authorizeNetLogin).c_str());
    std::string delivery;
    if (deliveryOn(run))
        delivery = formatText(R"js(f.x_Description.value+=\"  Delivery: \"+parent.fa(parent.DelivCost)+\" \"+parent.Sch;)js"
                              R"js(f.x_Amount.value=parent.fa(parseFloat(parent.fa(parent.%s))+parseFloat(parent.fa(parent.DelivCost)));)js",
                              total);
    out.printf(R"js(d.write("<SCRIPT LANGUAGE=JAVASCRIPT>function CallAuthorizeNet(){var f=document.AuthorizeNet;%sf.submit();}<\/SCRIPT>");)js"
               "\n",
               delivery.c_str());
}

// No form: the shop's order page, copied beside the home page, takes the
// basket in its address and goes on to the provider itself.
void writeSecureTrading(GenerationRun& run, PageWriter& out, const HomeFacts& facts) {
    const GeneralSettings& g = run.general;
    const std::string page =
        CopyResource(run, std::string(fieldText(g.secureTradingPage)), std::string(fieldText(g.outputDir)));
    const std::string window = (g.customFormSeparateWindow ? "X" : "") + facts.windowName;
    out.printf(R"js(d.write("<SCRIPT LANGUAGE=JAVASCRIPT>function CallSecureTrading(){var f1=\"\",f2=\"\",n,p,nw;)js"
               R"js(if(parent.iItems==0){alert(\"%s\");return false;}%s)js",
               frameScriptLabel(run, CommonLabel::NoItemsOrdered).c_str(),
               escapeScriptString(orderDetailsScript(OrderDetailsFor::SecureTrading, facts)).c_str());
    out.printf(R"js(nw=window.open(\"%s?det=\"+escape(f1)+escape(f2),\"%s\");if(nw&&nw.opener==null)nw.opener=self;return false;}<\/SCRIPT>");)js"
               "\n",
               escapeScriptString(escapeScriptString(page)).c_str(), window.c_str());
}

void writeGeneric(const GenerationRun& run, PageWriter& out) {
    out.printf(R"js(d.write("<FORM NAME=Generic METHOD=POST ACTION=\"%s\" TARGET=\"%s\">)js"
               R"js(<INPUT TYPE=HIDDEN NAME=order_string VALUE=\"\"></FORM>");)js"
               "\n",
               setting(run.general.genericAction).c_str(), formTarget(run));
    out.printf(R"js(d.write("<SCRIPT LANGUAGE=JAVASCRIPT>function CallGeneric(){if(parent.iItems==0){alert(\"%s\");return;}document.Generic.order_string.value=parent.OrderString();document.Generic.submit();}<\/SCRIPT>");)js"
               "\n",
               frameScriptLabel(run, CommonLabel::NoItemsOrdered).c_str());
}

} // namespace

void writePaymentForm(GenerationRun& run, PageWriter& out, const HomeFacts& facts) {
    switch (basketProvider(run)) {
    case PaymentProvider::WorldPay:
        writeWorldPay(run, out, facts);
        break;
    case PaymentProvider::InternetSecure:
        writeInternetSecure(run, out, facts);
        break;
    case PaymentProvider::AuthorizeNet:
        writeAuthorizeNet(run, out, facts);
        break;
    case PaymentProvider::SecureTrading:
        writeSecureTrading(run, out, facts);
        break;
    case PaymentProvider::Generic:
        writeGeneric(run, out);
        break;
    case PaymentProvider::None:
        break;
    }
}
