#include "generator/common_text.h"

#include <cstdio>
#include <filesystem>

#include "generator/escaping.h"
#include "model/regular_file.h"

namespace {

constexpr const char* kDefaults[kCommonTextCount] = {
    "basket",
    "previous index",
    "home",
    "Quantity",
    "calculate",
    "Cost",
    "add to basket",
    "update basket",
    "added",
    "updated",
    "previous",
    "next",
    "Shopping Basket",
    "Item",
    "Unit Price",
    "Quantity",
    "Cost",
    "Remove",
    "Order Form",
    "Reset",
    "Delivery",
    "Cost",
    "Click here for another image",
    "return to",
    "Search for",
    "No items found",
    "Search Results",
    "Search",
    "Including",
    "There are no items ordered",
};

bool validIndex(int index) { return index >= 0 && index < kCommonTextCount; }

// One label from the front of text: up to 99 bytes, ended early by LF or
// CR LF, which is consumed. A line break that follows the 99th byte directly
// belongs to that label, so a label of exactly 99 characters is not followed
// by an empty one.
std::string takeLabel(std::string_view& text) {
    std::size_t length = 0;
    while (length < text.size() && length < kCommonTextMaxLength && text[length] != '\n' &&
           !(text[length] == '\r' && length + 1 < text.size() && text[length + 1] == '\n'))
        ++length;
    std::string label(text.substr(0, length));
    text.remove_prefix(length);
    if (text.starts_with("\r\n"))
        text.remove_prefix(2);
    else if (text.starts_with('\n'))
        text.remove_prefix(1);
    return label;
}

}  // namespace

CommonText::CommonText() {
    for (int i = 0; i < kCommonTextCount; ++i)
        m_labels[i] = kDefaults[i];
}

const char* CommonText::defaultText(int index) { return validIndex(index) ? kDefaults[index] : ""; }

void CommonText::load(const std::string& path) {
    // 30 labels never take more than this, line breaks included.
    constexpr std::size_t kMostBytes = kCommonTextCount * (kCommonTextMaxLength + 2);
    std::string bytes;
    if (std::FILE* file = openRegularFile(path)) {
        bytes.resize(kMostBytes);
        bytes.resize(std::fread(bytes.data(), 1, kMostBytes, file));
        std::fclose(file);
    }
    std::string_view rest = bytes;
    int loaded = 0;
    while (loaded < kCommonTextCount && !rest.empty())
        m_labels[loaded++] = takeLabel(rest);
    for (int i = loaded; i < kCommonTextCount; ++i)
        m_labels[i] = kDefaults[i];
}

int CommonText::save(const std::string& path) const {
    const std::string temporary = path + ".tmp";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file)
        return -1;
    bool ok = true;
    for (const std::string& label : m_labels) {
        ok = ok && std::fwrite(label.data(), 1, label.size(), file) == label.size();
        ok = ok && std::fputc('\n', file) != EOF;
    }
    ok = std::fclose(file) == 0 && ok;
    std::error_code error;
    if (ok)
        std::filesystem::rename(temporary, path, error);
    if (!ok || error) {
        std::filesystem::remove(temporary, error);
        return -1;
    }
    return 0;
}

const std::string& CommonText::operator[](int index) const {
    static const std::string empty;
    return validIndex(index) ? m_labels[index] : empty;
}

void CommonText::set(int index, std::string_view text) {
    if (!validIndex(index))
        return;
    const std::size_t lineBreak = text.find_first_of("\r\n");
    if (lineBreak != std::string_view::npos)
        text = text.substr(0, lineBreak);
    if (text.size() > kCommonTextMaxLength)
        text = text.substr(0, kCommonTextMaxLength);
    m_labels[index] = std::string(text);
}

std::string CommonText::escaped(int index) const { return escapeScriptString((*this)[index]); }
