#pragma once
// The pieces that other features put into the home page: alternate
// currencies, tax types, delivery schedules, the order hand-over, payment
// providers and background music. Each is written here for its feature
// switched off. A feature that is on refuses, with its reason, before the
// page is begun, so that no home page ever holds a piece written wrongly.
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
std::string deliveryPieceRefusal(GenerationRun& run);
// The schedule functions of the closing part; nothing without delivery charges.
void writeDeliveryScript(GenerationRun& run, PageWriter& out, const HomeFacts& facts);
// ShowBasket's first statement and the selector cells of its button table,
// as script text; empty without delivery charges.
std::string deliveryRecalculation(const GenerationRun& run);
std::string deliverySelector(const GenerationRun& run, const HomeFacts& facts);

// The order hand-over to a custom form or an order address (useCustomForm,
// orderFormUrl); the default order page needs neither.
std::string orderHandOverRefusal(GenerationRun& run);
// OrderForm(): the default order page loaded into the basket frame.
void writeOrderForm(GenerationRun& run, PageWriter& out, const HomeFacts& facts);

// Payment providers: a provider's form with a custom form, or the generic
// provider's OrderString().
std::string paymentPieceRefusal(GenerationRun& run);
void writeOrderString(GenerationRun& run, PageWriter& out, const HomeFacts& facts);
// The order button of the basket: its click handler and its caption, for a
// script string; and the provider's hidden form after the basket (empty).
std::string orderButtonHandler(const GenerationRun& run);
std::string orderButtonCaption(const GenerationRun& run);
std::string paymentHiddenForm(const GenerationRun& run);

// Background music (musicFlags bit 2).
std::string musicPieceRefusal(GenerationRun& run);
void writeMusicScript(GenerationRun& run, PageWriter& out, const HomeFacts& facts);
