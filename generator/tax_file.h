#pragma once
// The shop's tax types, kept in the tax file "zktax.dat" in the program
// directory: a name, a rate in percent and a "use item tax rates" flag each.
//
// zktax.dat, little-endian: format number 132 (16-bit), count N (signed
// 16-bit), 0 (16-bit), then N records of 64 bytes: name (41, zero-terminated),
// 7 zero, rate (double), 1 (16-bit), use-item-rates flag (16-bit), 4 zero.
#include <string>
#include <string_view>
#include <vector>

#include "model/user_messages.h"

inline constexpr std::string_view kTaxFile = "zktax.dat";
inline constexpr std::size_t kTaxNameMaxLength = 40;
inline constexpr int kTaxTypesMost = 32767;   // the count is a signed 16-bit field

struct TaxType {
    std::string name;
    double rate = 0.0;        // percent
    bool useItemRates = false;
};

class TaxTypes {
public:
    // Empty list, then the file's types when it can be read. A missing file
    // (or one too short to hold its count) means no tax types, and is no
    // failure; records the file does not reach read as empty types. Always 0.
    int load(const std::string& path);
    // Replaces the file atomically. 0, or -1 after "Could not save Tax Types".
    int save(const std::string& path, UserMessages& messages) const;

    int count() const { return static_cast<int>(m_types.size()); }
    const std::vector<TaxType>& types() const { return m_types; }

    // By index; past the end an empty name, rate 0 and flag clear.
    std::string name(int index) const;
    double rate(int index) const;
    std::string rateText(int index) const;   // "%.2f"
    bool useItemRates(int index) const;

    // Setters ignore an index past the end; names are cut to 40 characters.
    void setName(int index, std::string_view name);
    void setRate(int index, double rate);
    void setUseItemRates(int index, bool useItemRates);
    // False when the list already holds the most a file can count (32767).
    bool append(std::string_view name, double rate, bool useItemRates);
    bool remove(int index);   // false when there is no such type
    void clear() { m_types.clear(); }

private:
    bool valid(int index) const { return index >= 0 && index < count(); }
    std::vector<TaxType> m_types;
};

// The number of tax types in the tax file; 0 when it is missing or unreadable.
int readTaxTypeCount(const std::string& path);
