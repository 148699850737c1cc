#include "generator/currency_file.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "generator/record_bytes.h"
#include "model/settings_store.h"

namespace {

constexpr std::int16_t kFormatNumber = 213;
constexpr std::size_t kHeaderSize = 288;
constexpr std::size_t kEntrySize = 104;
// The entries at their most and two texts of up to 4 MiB; a longer text is cut.
constexpr std::size_t kMostBytes = kHeaderSize + kEntrySize * kCurrenciesMost + (8u << 20);

namespace header {
constexpr std::size_t count = 2, include = 8, text1Offset = 12, text1Length = 16, text2Offset = 20,
                      text2Length = 24;
}
namespace entry {
constexpr std::size_t name = 0, nameSize = 41, symbol = 41, symbolSize = 21, rate = 64, followsAmount = 72,
                      one = 74, decimalPlaces = 76;
}

double finiteOrZero(double value) { return std::isfinite(value) ? value : 0.0; }

// A stored text: its recorded length from its recorded offset, up to its zero byte.
std::string storedText(std::string_view bytes, std::int32_t offset, std::int32_t length) {
    if (offset <= 0 || length <= 0 || static_cast<std::size_t>(offset) >= bytes.size())
        return {};
    std::string_view text = bytes.substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(length));
    return std::string(text.substr(0, text.find('\0')));
}

CurrencyEntry normalised(CurrencyEntry entry) {
    entry.name = cutText(entry.name, kCurrencyNameMaxLength);
    entry.symbol = cutText(entry.symbol, kCurrencySymbolMaxLength);
    entry.rate = finiteOrZero(entry.rate);
    entry.decimalPlaces = clampCurrencyDecimals(entry.decimalPlaces);
    return entry;
}

} // namespace

int clampCurrencyDecimals(long decimalPlaces) {
    return static_cast<int>(std::clamp<long>(decimalPlaces, 0, kCurrencyDecimalsMost));
}

int CurrencyList::load(const std::string& path) {
    *this = CurrencyList();
    std::optional<std::string> bytes = readDataFile(path, kMostBytes);
    if (!bytes || bytes->size() < 4)
        return 0;
    const std::string_view file = *bytes;
    m_includeAlternates = readInt32(file, header::include) != 0;
    const int count = readInt16(file, header::count);
    for (int i = 0; i < count; ++i) {
        const std::size_t at = kHeaderSize + kEntrySize * static_cast<std::size_t>(i);
        CurrencyEntry read;
        read.name = readText(file, at + entry::name, entry::nameSize);
        read.symbol = readText(file, at + entry::symbol, entry::symbolSize);
        read.rate = readDouble(file, at + entry::rate);
        read.followsAmount = readByte(file, at + entry::followsAmount) != 0;
        read.decimalPlaces = clampCurrencyDecimals(readInt16(file, at + entry::decimalPlaces));
        m_entries.push_back(std::move(read));
    }
    m_basketText = storedText(file, readInt32(file, header::text1Offset), readInt32(file, header::text1Length));
    m_secondText = storedText(file, readInt32(file, header::text2Offset), readInt32(file, header::text2Length));
    return 0;
}

int CurrencyList::write(const std::string& path, UserMessages& messages, const char* failure) const {
    std::string bytes(kHeaderSize + kEntrySize * m_entries.size(), '\0');
    putInt16(bytes, 0, kFormatNumber);
    putInt16(bytes, header::count, static_cast<std::int16_t>(m_entries.size()));
    putInt32(bytes, header::include, m_includeAlternates ? 1 : 0);
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const std::size_t at = kHeaderSize + kEntrySize * i;
        const CurrencyEntry& e = m_entries[i];
        putText(bytes, at + entry::name, entry::nameSize, e.name);
        putText(bytes, at + entry::symbol, entry::symbolSize, e.symbol);
        putDouble(bytes, at + entry::rate, e.rate);
        putByte(bytes, at + entry::followsAmount, e.followsAmount ? 1 : 0);
        putInt16(bytes, at + entry::one, 1);
        putInt16(bytes, at + entry::decimalPlaces, static_cast<std::int16_t>(clampCurrencyDecimals(e.decimalPlaces)));
    }
    auto appendText = [&bytes](const std::string& text, std::size_t offsetField, std::size_t lengthField) {
        if (text.empty())
            return;
        putInt32(bytes, offsetField, static_cast<std::int32_t>(bytes.size()));
        putInt32(bytes, lengthField, static_cast<std::int32_t>(text.size() + 1));
        bytes += text;
        bytes += '\0';
    };
    appendText(m_basketText, header::text1Offset, header::text1Length);
    appendText(m_secondText, header::text2Offset, header::text2Length);
    if (replaceFile(path, bytes) == 0)
        return 0;
    messages.show(failure, "", MessageButtons::Ok);
    return -1;
}

int CurrencyList::save(const std::string& path, UserMessages& messages) const {
    return write(path, messages, "Could not save Curr Types");
}

int CurrencyList::saveText(const std::string& path, UserMessages& messages) const {
    return write(path, messages, "Could not save currency text");
}

bool CurrencyList::add(CurrencyEntry added) { return insert(count(), std::move(added)); }

bool CurrencyList::insert(int position, CurrencyEntry inserted) {
    if (count() >= kCurrenciesMost || position < 0 || position > count())
        return false;
    m_entries.insert(m_entries.begin() + position, normalised(std::move(inserted)));
    return true;
}

bool CurrencyList::remove(int index) {
    if (!valid(index))
        return false;
    m_entries.erase(m_entries.begin() + index);
    return true;
}

std::string CurrencyList::symbol(int index) const { return valid(index) ? m_entries[index].symbol : std::string(); }

double CurrencyList::rate(int index) const { return valid(index) ? m_entries[index].rate : 0.0; }

int CurrencyList::followsAmount(int index) const { return valid(index) && m_entries[index].followsAmount ? 1 : 0; }

std::string CurrencyList::decimalPlacesText(int index) const {
    return valid(index) ? std::to_string(m_entries[index].decimalPlaces) : std::string();
}

void CurrencyList::setRate(int index, double rate) {
    if (valid(index))
        m_entries[index].rate = finiteOrZero(rate);
}

void CurrencyList::setSymbol(int index, std::string_view symbol) {
    if (valid(index))
        m_entries[index].symbol = cutText(symbol, kCurrencySymbolMaxLength);
}

void CurrencyList::setFollowsAmount(int index, bool followsAmount) {
    if (valid(index))
        m_entries[index].followsAmount = followsAmount;
}

void CurrencyList::setDecimalPlaces(int index, long decimalPlaces) {
    if (valid(index))
        m_entries[index].decimalPlaces = clampCurrencyDecimals(decimalPlaces);
}

const std::string& CurrencyList::text(CurrencyText which) const {
    return which == CurrencyText::Basket ? m_basketText : m_secondText;
}

void CurrencyList::setText(CurrencyText which, std::string_view text) {
    (which == CurrencyText::Basket ? m_basketText : m_secondText) = std::string(text.substr(0, text.find('\0')));
}

std::optional<std::string> readCurrencyText(const std::string& path, CurrencyText which, UserMessages& messages) {
    std::optional<std::string> bytes = readDataFile(path, kMostBytes);
    if (!bytes) {
        messages.show("Could not retrieve currency text", "", MessageButtons::Ok);
        return std::nullopt;
    }
    const std::size_t offsetField = which == CurrencyText::Basket ? header::text1Offset : header::text2Offset;
    return storedText(*bytes, readInt32(*bytes, offsetField), readInt32(*bytes, offsetField + 4));
}
