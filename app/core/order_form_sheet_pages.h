#pragma once
// The pages of the order form sheet: the CGI form, the address and closing
// text of the default form, the custom form and the on-line payment details.
#include <array>
#include <span>
#include <string>
#include <string_view>

#include "app/core/form_fields.h"

// "Default Form - CGI": the form handler, its hidden fields and checks.
std::span<const FormField> orderFormCgiFields();
// "Custom Form": the shop's own form and where it lives.
std::span<const FormField> customFormFields();
// "On-line credit card": every control but the five provider boxes.
std::span<const FormField> paymentDetailFields();

// The provider boxes in the order their numbers run: "Worldpay" (1),
// "Internet Secure" (2), "Authorize.Net" (3), "SecureTrading" (4), "Generic" (5).
inline constexpr int kPaymentProviders = 5;
using PaymentBoxes = std::array<bool, kPaymentProviders>;
struct PaymentBox {
    int control;
    std::string_view label;
};
std::span<const PaymentBox> paymentBoxes();

// The box of the stored provider is ticked; none for 0 or a number out of range.
PaymentBoxes paymentBoxesOf(int paymentGateway);
// The last ticked box in provider order wins; 0 when none is ticked.
int paymentGatewayOf(const PaymentBoxes& boxes);

// What OK stores beside the pages' tables: the provider, and the custom form
// always hands its data over in the address.
void storeOrderFormChoices(GeneralSettings& general, const PaymentBoxes& boxes);

// "Default Form (text)": the seven address lines and the closing text of the
// default order form, kept in the order text file of the program directory.
inline constexpr int kOrderTextPageLines = 7;
inline constexpr int kOrderTextPageLineMaxChars = 60;
struct OrderTextPage {
    std::array<std::string, kOrderTextPageLines> lines;
    std::string text;   // lines separated by "\n"
};
OrderTextPage loadOrderTextPage(std::string_view programDir);
// Lines are cut to 60 characters and at a line break; the other address
// lines of the file are kept. 0, or -1 when the file could not be written.
int storeOrderTextPage(const OrderTextPage& page, std::string_view programDir);
