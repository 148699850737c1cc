#include "generator/tax_file.h"

#include <cmath>
#include <cstdio>

#include "generator/record_bytes.h"
#include "model/settings_store.h"

namespace {

constexpr std::int16_t kFormatNumber = 132;
constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kRecordSize = 64;
constexpr std::size_t kMostBytes = kHeaderSize + kRecordSize * kTaxTypesMost;

namespace record {
constexpr std::size_t name = 0, nameSize = 41, rate = 48, one = 56, useItemRates = 58;
}

double finiteOrZero(double value) { return std::isfinite(value) ? value : 0.0; }

} // namespace

int TaxTypes::load(const std::string& path) {
    m_types.clear();
    std::optional<std::string> bytes = readDataFile(path, kMostBytes);
    if (!bytes || bytes->size() < 4)
        return 0;
    const int count = readInt16(*bytes, 2);
    for (int i = 0; i < count; ++i) {
        const std::size_t at = kHeaderSize + kRecordSize * static_cast<std::size_t>(i);
        TaxType type;
        type.name = readText(*bytes, at + record::name, record::nameSize);
        type.rate = readDouble(*bytes, at + record::rate);
        type.useItemRates = readInt16(*bytes, at + record::useItemRates) != 0;
        m_types.push_back(std::move(type));
    }
    return 0;
}

int TaxTypes::save(const std::string& path, UserMessages& messages) const {
    std::string bytes(kHeaderSize + kRecordSize * m_types.size(), '\0');
    putInt16(bytes, 0, kFormatNumber);
    putInt16(bytes, 2, static_cast<std::int16_t>(m_types.size()));
    for (std::size_t i = 0; i < m_types.size(); ++i) {
        const std::size_t at = kHeaderSize + kRecordSize * i;
        putText(bytes, at + record::name, record::nameSize, m_types[i].name);
        putDouble(bytes, at + record::rate, m_types[i].rate);
        putInt16(bytes, at + record::one, 1);
        putInt16(bytes, at + record::useItemRates, m_types[i].useItemRates ? 1 : 0);
    }
    if (replaceFile(path, bytes) == 0)
        return 0;
    messages.show("Could not save Tax Types", "", MessageButtons::Ok);
    return -1;
}

std::string TaxTypes::name(int index) const { return valid(index) ? m_types[index].name : std::string(); }

double TaxTypes::rate(int index) const { return valid(index) ? m_types[index].rate : 0.0; }

std::string TaxTypes::rateText(int index) const {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", rate(index));
    return text;
}

bool TaxTypes::useItemRates(int index) const { return valid(index) && m_types[index].useItemRates; }

void TaxTypes::setName(int index, std::string_view name) {
    if (valid(index))
        m_types[index].name = cutText(name, kTaxNameMaxLength);
}

void TaxTypes::setRate(int index, double rate) {
    if (valid(index))
        m_types[index].rate = finiteOrZero(rate);
}

void TaxTypes::setUseItemRates(int index, bool useItemRates) {
    if (valid(index))
        m_types[index].useItemRates = useItemRates;
}

bool TaxTypes::append(std::string_view name, double rate, bool useItemRates) {
    if (count() >= kTaxTypesMost)
        return false;
    m_types.push_back(TaxType{cutText(name, kTaxNameMaxLength), finiteOrZero(rate), useItemRates});
    return true;
}

bool TaxTypes::remove(int index) {
    if (!valid(index))
        return false;
    m_types.erase(m_types.begin() + index);
    return true;
}

int readTaxTypeCount(const std::string& path) {
    TaxTypes types;
    types.load(path);
    return types.count();
}
