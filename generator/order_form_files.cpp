#include "generator/order_form_files.h"

#include "generator/record_bytes.h"
#include "model/settings_store.h"

namespace {

constexpr std::size_t kAddressLineSize = 81;
constexpr std::size_t kAddressLinesAt = 2;
constexpr std::size_t kTextLengthAt = 812;
constexpr std::size_t kBlockSize = 820;
// An extra text beyond 16 MiB is cut; a template beyond 64 MiB too.
constexpr std::size_t kMostOrderTextBytes = kBlockSize + (16u << 20);
constexpr std::size_t kMostTemplateBytes = 64u << 20;

} // namespace

void OrderText::setAddressLine(int index, std::string_view line) {
    if (index < 0 || index >= kOrderAddressLines)
        return;
    line = line.substr(0, line.find_first_of(std::string_view("\r\n\0", 3)));
    addressLines[index] = cutText(line, kOrderAddressLineMaxLength);
}

void OrderText::setExtraText(std::string_view text) {
    extraText.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        if (text[i] == '\n' || text[i] == '\r')
            extraText += "\r\n";
        else
            extraText += text[i];
    }
}

OrderText readOrderText(const std::string& path) {
    OrderText text;
    std::optional<std::string> bytes = readDataFile(path, kMostOrderTextBytes);
    if (!bytes || bytes->size() < 2)
        return text;
    const std::string_view file = *bytes;
    text.format = readInt16(file, 0);
    for (int i = 0; i < kOrderAddressLines; ++i)
        text.addressLines[i] = readText(file, kAddressLinesAt + kAddressLineSize * i, kAddressLineSize);
    const std::int32_t length = readInt32(file, kTextLengthAt);
    if (length > 0 && file.size() > kBlockSize)
        text.extraText = std::string(file.substr(kBlockSize, static_cast<std::size_t>(length)));
    return text;
}

int writeOrderText(const std::string& path, const OrderText& text) {
    std::string bytes(kBlockSize, '\0');
    putInt16(bytes, 0, text.format);
    for (int i = 0; i < kOrderAddressLines; ++i)
        putText(bytes, kAddressLinesAt + kAddressLineSize * i, kAddressLineSize, text.addressLines[i]);
    const std::string_view extra = std::string_view(text.extraText).substr(0, kMostOrderTextBytes - kBlockSize);
    putInt32(bytes, kTextLengthAt, static_cast<std::int32_t>(extra.size()));
    bytes += extra;
    return replaceFile(path, bytes);
}

std::optional<std::vector<std::string>> readOrderFormTemplate(const std::string& path) {
    std::optional<std::string> bytes = readDataFile(path, kMostTemplateBytes);
    if (!bytes)
        return std::nullopt;
    std::vector<std::string> lines;
    std::string_view rest = *bytes;
    while (!rest.empty()) {
        std::size_t end = rest.find('\n');
        std::size_t length = end == std::string_view::npos ? rest.size() : end + 1;
        length = std::min(length, kOrderTemplateLineMaxLength);
        lines.emplace_back(rest.substr(0, length));
        rest.remove_prefix(length);
    }
    return lines;
}

bool isOrderFormMarker(std::string_view line, std::string_view word) {
    return line.find("<!") != std::string_view::npos && line.find(word) != std::string_view::npos;
}

int writeOrderFormTemplate(const std::string& path, std::string_view bytes) { return replaceFile(path, bytes); }
