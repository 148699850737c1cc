#pragma once
// The shop's alternate currencies, kept in the currency file "zkcurr.dat" in
// the program directory with the "include alternate currencies" flag and the
// currency text the basket shows beside its currency selector.
//
// zkcurr.dat, little-endian: a 288-byte header (format number 213, entry
// count N as signed 16-bit at 2, the include flag as 32-bit at 8, offset and
// length of currency text 1 at 12 and 16, of text 2 at 20 and 24; a length
// counts the text's zero byte and is 0 for no text), N entries of 104 bytes
// (name 41 and symbol 21, zero-terminated; rate double at 64; follows-amount
// byte at 72; 1 at 74; decimal places 16-bit at 76), then the texts.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/user_messages.h"

inline constexpr std::string_view kCurrencyFile = "zkcurr.dat";
inline constexpr std::size_t kCurrencyNameMaxLength = 40;
inline constexpr std::size_t kCurrencySymbolMaxLength = 20;
inline constexpr int kCurrencyDecimalsMost = 6;
inline constexpr int kCurrenciesMost = 32767;   // the count is a signed 16-bit field

struct CurrencyEntry {
    std::string name;          // not shown in the catalogue
    std::string symbol;        // what the visitor sees
    double rate = 0.0;         // amount of this currency per 1 of the main currency
    bool followsAmount = false;   // symbol after the amount
    int decimalPlaces = 0;     // 0 to 6
};

// Decimal places as every reader and setter takes them: clamped to 0..6.
int clampCurrencyDecimals(long decimalPlaces);

enum class CurrencyText { Basket = 1, Second = 2 };

class CurrencyList {
public:
    // Empty list with the flag clear, then the file's header, entries and
    // texts. A missing file (or one too short to hold its count) means no
    // alternate currencies and is no failure; entries the file does not reach
    // read as empty ones. The format number is not checked. Always 0.
    int load(const std::string& path);
    // Writes the flag, the entries and the texts, replacing the file
    // atomically. 0, or -1 after "Could not save Curr Types".
    int save(const std::string& path, UserMessages& messages) const;
    // The same write, for the currency text: -1 after "Could not save currency text".
    int saveText(const std::string& path, UserMessages& messages) const;

    bool includeAlternates() const { return m_includeAlternates; }
    void setIncludeAlternates(bool include) { m_includeAlternates = include; }
    // Alternate currencies are on: the flag is set and there is an entry.
    bool conversionOn() const { return m_includeAlternates && !m_entries.empty(); }

    int count() const { return static_cast<int>(m_entries.size()); }
    const std::vector<CurrencyEntry>& entries() const { return m_entries; }

    // Appends, or inserts before position (0..count); texts are cut and the
    // decimal places clamped. False when the list is full or position is
    // outside 0..count.
    bool add(CurrencyEntry entry);
    bool insert(int position, CurrencyEntry entry);
    bool remove(int index);

    // By index; past the end "", 0, 0 and "".
    std::string symbol(int index) const;
    double rate(int index) const;
    int followsAmount(int index) const;
    std::string decimalPlacesText(int index) const;

    // Setters ignore an index past the end.
    void setRate(int index, double rate);
    void setSymbol(int index, std::string_view symbol);   // first 20 characters
    void setFollowsAmount(int index, bool followsAmount);
    void setDecimalPlaces(int index, long decimalPlaces); // clamped to 0..6

    const std::string& text(CurrencyText which) const;
    void setText(CurrencyText which, std::string_view text);   // cut at a zero byte

private:
    bool valid(int index) const { return index >= 0 && index < count(); }
    int write(const std::string& path, UserMessages& messages, const char* failure) const;

    bool m_includeAlternates = false;
    std::vector<CurrencyEntry> m_entries;
    std::string m_basketText;
    std::string m_secondText;
};

// Currency text 1 or 2 as stored in the file: nullopt after "Could not
// retrieve currency text" when the file cannot be opened; empty when the
// file records no text.
std::optional<std::string> readCurrencyText(const std::string& path, CurrencyText which, UserMessages& messages);
