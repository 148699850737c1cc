#pragma once
// The shopping basket's script in the home page's head, one function per
// section in the order the page holds them. The script keeps the basket in
// the frameset window's variables; every other page reaches it through
// parent.
class PageWriter;
struct GenerationRun;
struct HomeFacts;

// All sections below in their order, with the other features' pieces
// between them. Written only when the basket is on.
void writeBasketScript(GenerationRun& run, PageWriter& out, const HomeFacts& facts);

// Lines (basket_script_lines.cpp).
void writeLineCodeAllocator(PageWriter& out, const HomeFacts& facts);     // UpdItem, GetItNo
void writeProdQuote(PageWriter& out, const HomeFacts& facts);             // the basket line constructor
void writeBasketGlobals(const GenerationRun& run, PageWriter& out, const HomeFacts& facts);
void writeDelItem(PageWriter& out, const HomeFacts& facts);
void writeBrowserVariables(PageWriter& out);
void writeGetProdDet(const GenerationRun& run, PageWriter& out, const HomeFacts& facts);
void writeReset(PageWriter& out);

// Image swaps (basket_script_images.cpp): AltImage, ROI/OI, ROI2/OI2. The
// bullet rollovers are written without the basket too.
void writeImageSwaps(GenerationRun& run, PageWriter& out);
void writeBulletRollovers(GenerationRun& run, PageWriter& out);

// Amounts and texts (basket_script_amounts.cpp): cp, fa, IsInt, ht.
void writeCp(PageWriter& out, const HomeFacts& facts);
void writeFa(PageWriter& out);
void writeIsInt(PageWriter& out);
void writeHtmlText(PageWriter& out);   // ht

// The data file's extra columns (basket_script_columns.cpp): PCode,
// GetInd/GetTxt, iNoSelects and sln.
void writeProductCodeLabel(PageWriter& out, const HomeFacts& facts);
void writeSelectionLookups(PageWriter& out, const HomeFacts& facts);
void writeSelectionLabels(PageWriter& out, const HomeFacts& facts);

// AddProdToQuote (basket_script_add.cpp).
void writeAddProdToQuote(const GenerationRun& run, PageWriter& out, const HomeFacts& facts);

// ShowBasket (basket_script_show.cpp).
void writeShowBasket(GenerationRun& run, PageWriter& out, const HomeFacts& facts);
