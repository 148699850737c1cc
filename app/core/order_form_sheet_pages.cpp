#include "app/core/order_form_sheet_pages.h"

#include "generator/order_form_files.h"
#include "model/paths.h"

namespace {

constexpr PaymentBox kPaymentBoxes[kPaymentProviders] = {
    {1278, "Worldpay"}, {1288, "Internet Secure"}, {1295, "Authorize.Net"}, {1301, "SecureTrading"}, {1297, "Generic"},
};

std::string withLineFeeds(const std::string& text) {
    std::string result;
    for (char c : text)
        if (c != '\r')
            result += c;
    return result;
}

}  // namespace

std::span<const FormField> orderFormCgiFields() {
    static const std::vector<FormField> fields = {
        {.control = 1118, .label = "ACTION", .field = "cgiAction", .conversions = Trim, .maxChars = 200},
        {.control = 1119, .label = "hidden field 1", .field = "cgiHiddenFields.0", .conversions = Trim, .maxChars = 200},
        {.control = 1120, .label = "hidden field 2", .field = "cgiHiddenFields.1", .conversions = Trim, .maxChars = 200},
        {.control = 1121, .label = "hidden field 3", .field = "cgiHiddenFields.2", .conversions = Trim, .maxChars = 200},
        {.control = 1122, .label = "hidden field 4", .field = "cgiHiddenFields.3", .conversions = Trim, .maxChars = 200},
        {.control = 1123, .label = "hidden field 5", .field = "cgiHiddenFields.4", .conversions = Trim, .maxChars = 200},
        {.control = 1125, .label = "include CGI action", .field = "includeCgiAction", .kind = FormControl::Check},
        {.control = 1126, .label = "insist email address supplied", .field = "insistEmail", .kind = FormControl::Check},
        {.control = 1129, .label = "insist name supplied", .field = "insistName", .kind = FormControl::Check},
        {.control = 1127, .label = "name entry field NAME =", .field = "nameFieldName", .conversions = Trim,
         .maxChars = 40},
        {.control = 1128, .label = "email entry field NAME =", .field = "emailFieldName", .conversions = Trim,
         .maxChars = 40},
        {.control = 1252, .label = "METHOD", .field = "cgiMethod", .kind = FormControl::Radio,
         .choices = {"Post", "Get"}},
        {.control = 1124, .label = "submit button text", .field = "submitText", .conversions = Trim, .maxChars = 40},
        {.control = 1255, .label = "Order Form URL", .field = "orderFormUrl", .maxChars = 128},
    };
    return fields;
}

std::span<const FormField> customFormFields() {
    static const std::vector<FormField> fields = {
        {.control = 1130, .label = "custom order form", .field = "customFormFile", .maxChars = 128},
        {.control = 1133, .label = "custom form URL", .field = "customFormUrl", .maxChars = 128},
        {.control = 1131, .label = "use custom form", .field = "useCustomForm", .kind = FormControl::Check},
        {.control = 1153, .label = "Separate Window", .field = "customFormSeparateWindow", .kind = FormControl::Check},
    };
    return fields;
}

std::span<const FormField> paymentDetailFields() {
    static const std::vector<FormField> fields = {
        {.control = 1279, .label = "WorldPay name", .field = "worldPayStore", .maxChars = 50},
        {.control = 1280, .label = "WorldPay currency", .field = "worldPayCompany", .maxChars = 3},
        {.control = 1289, .label = "InternetSecure Return URL", .field = "internetSecureReturnUrl", .maxChars = 100},
        {.control = 1290, .label = "Merchant Number", .field = "internetSecureMerchant", .maxChars = 20},
        {.control = 1291, .label = "language", .field = "internetSecureLanguage", .maxChars = 20},
        {.control = 1293, .label = "USD", .field = "internetSecureUsDollars", .kind = FormControl::Check},
        {.control = 1296, .label = "Authorize.Net logon", .field = "authorizeNetLogin", .maxChars = 20},
        // The SecureTrading logon shares the 100-character field the WorldPay form posts to.
        {.control = 1302, .label = "SecureTrading Logon ID", .field = "worldPayAction", .maxChars = 100},
        {.control = 1298, .label = "Order Form", .field = "secureTradingPage", .maxChars = 100},
        {.control = 1303, .label = "generic URL", .field = "genericAction", .maxChars = 100},
        {.control = 1299, .label = "button text", .field = "payButtonText", .maxChars = 40},
        {.control = 1300, .label = "form and ipp", .field = "formAndGateway", .kind = FormControl::Check},
    };
    return fields;
}

std::span<const PaymentBox> paymentBoxes() { return kPaymentBoxes; }

PaymentBoxes paymentBoxesOf(int paymentGateway) {
    PaymentBoxes boxes{};
    if (paymentGateway >= 1 && paymentGateway <= kPaymentProviders)
        boxes[static_cast<std::size_t>(paymentGateway - 1)] = true;
    return boxes;
}

int paymentGatewayOf(const PaymentBoxes& boxes) {
    int gateway = 0;
    for (int i = 0; i < kPaymentProviders; ++i)
        if (boxes[static_cast<std::size_t>(i)])
            gateway = i + 1;
    return gateway;
}

void storeOrderFormChoices(GeneralSettings& general, const PaymentBoxes& boxes) {
    general.paymentGateway = static_cast<std::uint8_t>(paymentGatewayOf(boxes));
    general.customFormViaUrl = 1;
}

OrderTextPage loadOrderTextPage(std::string_view programDir) {
    const OrderText file = readOrderText(join(programDir, kOrderTextFile));
    OrderTextPage page;
    for (int i = 0; i < kOrderTextPageLines; ++i)
        page.lines[static_cast<std::size_t>(i)] = file.addressLines[static_cast<std::size_t>(i)];
    page.text = withLineFeeds(file.extraText);
    return page;
}

int storeOrderTextPage(const OrderTextPage& page, std::string_view programDir) {
    const std::string path = join(programDir, kOrderTextFile);
    OrderText file = readOrderText(path);
    for (int i = 0; i < kOrderTextPageLines; ++i) {
        std::string_view line = page.lines[static_cast<std::size_t>(i)];
        line = line.substr(0, line.find_first_of("\r\n"));
        file.setAddressLine(i, line.substr(0, kOrderTextPageLineMaxChars));
    }
    file.setExtraText(page.text);
    return writeOrderText(path, file);
}
