#pragma once
// The pieces that other features put into the home page: alternate
// currencies, tax types, delivery schedules, the order hand-over, payment
// providers and background music. Each writes nothing when its feature is
// off.
#include <string>

class PageWriter;
struct GenerationRun;
struct HomeFacts;

// Alternate currencies (zkcurr.dat with its "include" flag and an entry,
// and a basket: run.currencyConversion, set with the page decorations).
// DPVsel, for data files with selection lists; nothing without alternate currencies.
void writeCurrencyOptionFunction(GenerationRun& run, PageWriter& out, const HomeFacts& facts);
// The currency arrays inline and in zkaltcurr.js (listed for upload), then
// CurrCurr, CCR, CurrConv, CurrConv2 and SetCurr; nothing without alternate currencies.
void writeCurrencyScript(GenerationRun& run, PageWriter& out, const HomeFacts& facts);

// Tax (includeTax): the item tax types' arrays with TaxDisplay, TaxAmt and
// IncTax, the tax types' arrays with SetTax; nothing without tax.
void writeTaxScript(GenerationRun& run, PageWriter& out, const HomeFacts& facts);
// 1 + taxRate/100 as "%.4f": the multiplier of a single tax rate.
std::string settingsTaxMultiplier(const GenerationRun& run);

// Delivery charges (orderFormFlags bit 1).
// The schedule functions of the closing part; nothing without delivery charges.
void writeDeliveryScript(GenerationRun& run, PageWriter& out, const HomeFacts& facts);
// ShowBasket's first statement and the selector cells of its button table,
// as script text; empty without delivery charges.
std::string deliveryRecalculation(const GenerationRun& run);
std::string deliverySelector(const GenerationRun& run, const HomeFacts& facts);

// The order hand-over. OrderForm() loads the default order page into the
// basket frame, or opens the shop's custom form or its order address with
// the basket in the address's "det" query; for those it copies the custom
// form into the output folder and lists the form for upload.
void writeOrderForm(GenerationRun& run, PageWriter& out, const HomeFacts& facts);

// Payment providers (paymentGateway 1 to 5).
enum class PaymentProvider {
    None = 0,
    WorldPay = 1,
    InternetSecure = 2,
    AuthorizeNet = 3,
    SecureTrading = 4,
    Generic = 5,
};
// The provider whose form the basket uses: one is chosen and a custom form
// is used; None otherwise.
PaymentProvider basketProvider(const GenerationRun& run);
// The basket shows its payment button and its order-form button in a button
// table of their own.
bool combinedButtons(const GenerationRun& run);
// The generic provider's OrderString(): the basket as one escaped text.
void writeOrderString(GenerationRun& run, PageWriter& out, const HomeFacts& facts);
// The basket's order button: its click handler and its caption, for a
// script string; and the second button table of combined buttons (script
// statements).
std::string orderButtonHandler(const GenerationRun& run);
std::string orderButtonCaption(const GenerationRun& run);
void writeCombinedButtons(const GenerationRun& run, PageWriter& out, const std::string& tableColour);
// ShowBasket's statements that write the provider's hidden form and its
// Call...() function into the basket frame, after the basket's own form.
// Copies the SecureTrading order page, which its function opens.
void writePaymentForm(GenerationRun& run, PageWriter& out, const HomeFacts& facts);

// Background music (musicFlags bit 2).
void writeMusicScript(GenerationRun& run, PageWriter& out, const HomeFacts& facts);
