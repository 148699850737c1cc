#pragma once
// The arguments a catalogue's basket takes after the six every line has
// (cd,desc,up,qty,h,ps). The home page declares them in AddProdToQuote's
// parameter list and every purchase block passes them; both read them from
// here, so a caller can never shift the arguments its callee expects.
#include <vector>

struct GenerationRun;

enum class BasketArgument {
    ProductCode,   // pc1
    Units,         // u1
    Selection,     // sl1 ... slN, one per selection list
    Reload,        // rf: reload the item page for a fresh line code
    ItemTaxType,   // itt1
    AddImage,      // img1: the add button's image, swapped for the update image
};

struct BasketArguments {
    bool productCode = false;   // the data file has a product-code column
    bool units = false;         // the data file declares input units
    int selectionCount = 0;     // the data file's selection lists, 0 to 4
    bool itemTaxType = false;   // the data file declares item tax types and tax is included
    bool addImage = false;      // an add-button image is set

    // In the order of the parameter list.
    std::vector<BasketArgument> inOrder() const;
};

BasketArguments basketArgumentsFor(const GenerationRun& run);
