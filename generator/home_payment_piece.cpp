#include <string>

#include "generator/common_text.h"
#include "generator/escaping.h"
#include "generator/generation_run.h"
#include "generator/home_facts.h"
#include "generator/home_page_pieces.h"
#include "generator/order_details_script.h"
#include "generator/page_writer.h"
#include "model/paths.h"

PaymentProvider basketProvider(const GenerationRun& run) {
    const GeneralSettings& g = run.general;
    if (!g.useCustomForm || g.paymentGateway < 1 || g.paymentGateway > 5)
        return PaymentProvider::None;
    return static_cast<PaymentProvider>(g.paymentGateway);
}

bool combinedButtons(const GenerationRun& run) {
    return run.general.formAndGateway != 0 && basketProvider(run) != PaymentProvider::None;
}

// Written with the generic provider chosen, custom form or not: a page of
// the shop's own can post the basket through it.
void writeOrderString(GenerationRun& run, PageWriter& out, const HomeFacts& facts) {
    if (run.general.paymentGateway != static_cast<int>(PaymentProvider::Generic))
        return;
    out.printf("function OrderString(){if(iItems==0){alert(\"%s\");return \"\";} var f1=\"\",f2=\"\",n,p;\n",
               run.commonText.escaped(CommonLabel::NoItemsOrdered).c_str());
    out.put(orderDetailsScript(OrderDetailsFor::OrderString, facts));
    out.put("\nreturn escape(f1+f2);}\n");
}

std::string orderButtonHandler(const GenerationRun& run) {
    switch (basketProvider(run)) {
    case PaymentProvider::WorldPay:
        return "CallWorldPay()";
    case PaymentProvider::InternetSecure:
        return "CallInternetSecure()";
    case PaymentProvider::AuthorizeNet:
        return "CallAuthorizeNet()";
    case PaymentProvider::SecureTrading:
        return "CallSecureTrading()";
    case PaymentProvider::Generic:
        return "CallGeneric()";
    case PaymentProvider::None:
        break;
    }
    return "parent.OrderForm()";
}

std::string orderButtonCaption(const GenerationRun& run) {
    if (basketProvider(run) != PaymentProvider::None)
        return escapeScriptString(fieldText(run.general.payButtonText));
    return run.commonText.escaped(CommonLabel::OrderFormButton);
}

void writeCombinedButtons(const GenerationRun& run, PageWriter& out, const std::string& tableColour) {
    if (!combinedButtons(run))
        return;
    out.printf("d.write(\"<CENTER><TABLE BGCOLOR=%s CELLSPACING=0 BORDER=1><TR><TD BGCOLOR=AAAAAA>", tableColour.c_str());
    out.printf("<INPUT type=BUTTON VALUE=\\\"%s\\\" OnClick=\\\"%s\\\">", orderButtonCaption(run).c_str(),
               orderButtonHandler(run).c_str());
    out.printf("<INPUT type=BUTTON VALUE=\\\"%s\\\" OnClick=\\\"parent.OrderForm();\\\"></TABLE></CENTER>\");\n",
               run.commonText.escaped(CommonLabel::OrderFormButton).c_str());
}
