#pragma once
// The 30 visitor-facing labels of the catalogue (link texts, button captions,
// column headings, pop-up words, search texts), kept in "titles.dat" in the
// program directory so that a shop can reword or translate them.
#include <array>
#include <string>
#include <string_view>

inline constexpr int kCommonTextCount = 30;
inline constexpr std::size_t kCommonTextMaxLength = 99;

// The labels by their place in "titles.dat", named for what they caption.
enum class CommonLabel : int {
    ShowBasket = 0,         // "basket": standard link to the basket
    PreviousIndex = 1,      // "previous index": standard link back
    Home = 2,               // "home": standard link home
    Quantity = 3,           // "Quantity": purchase block
    ShowCost = 4,           // "calculate": cost button of the purchase block
    Cost = 5,               // "Cost": purchase block
    AddToBasket = 6,        // "add to basket": button and its image's text
    UpdateBasket = 7,       // "update basket": the add button once the item is in the basket
    ItemAdded = 8,          // "added": status bar and pop-up
    ItemUpdated = 9,        // "updated": status bar and pop-up
    PreviousItem = 10,      // "previous": item navigation
    NextItem = 11,          // "next": item navigation
    BasketHeading = 12,     // "Shopping Basket"
    ItemColumn = 13,        // "Item": basket column, payment forms
    UnitPriceColumn = 14,   // "Unit Price": basket column, payment forms
    QuantityColumn = 15,    // "Quantity": basket column, payment forms
    CostColumn = 16,        // "Cost": basket column
    RemoveColumn = 17,      // "Remove": basket column
    OrderFormButton = 18,   // "Order Form"
    ResetButton = 19,       // "Reset"
    Delivery = 20,          // "Delivery": delivery selector
    DeliveryCost = 21,      // "Cost": delivery charge
    AnotherImage = 22,      // "Click here for another image"
    ReturnTo = 23,          // "return to": text of the large image link
    SearchFor = 24,         // "Search for": search form
    NoItemsFound = 25,      // search script
    SearchResults = 26,     // search script
    SearchButton = 27,      // "Search"
    Including = 28,         // "Including": tax note after prices
    NoItemsOrdered = 29,    // "There are no items ordered": alert on an empty basket
};
static_assert(static_cast<int>(CommonLabel::NoItemsOrdered) == kCommonTextCount - 1);

class CommonText {
public:
    CommonText();   // the 30 defaults

    // Reads up to 30 lines of at most 99 characters each; the rest of a longer
    // line becomes the next label. The line break (LF or CR LF) is removed.
    // Labels the file does not reach, or all of them when it cannot be opened,
    // take their defaults.
    void load(const std::string& path);

    // Writes the 30 labels, each followed by a line break, replacing the file
    // atomically. 0, or -1 when the file cannot be written.
    int save(const std::string& path) const;

    // The label; an empty text for an index outside 0..29.
    const std::string& operator[](int index) const;
    const std::string& operator[](CommonLabel label) const { return (*this)[static_cast<int>(label)]; }

    // Sets a label as an edit field would: cut at a line break and to 99 characters.
    void set(int index, std::string_view text);

    // The label escaped for a script string.
    std::string escaped(int index) const;
    std::string escaped(CommonLabel label) const { return escaped(static_cast<int>(label)); }

    static const char* defaultText(int index);

private:
    std::array<std::string, kCommonTextCount> m_labels;
};
