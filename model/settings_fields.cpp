#include "model/settings_fields.h"

#include <charconv>
#include <cstddef>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>
#include <unordered_map>
#include <utility>

#include "model/paths.h"

namespace {

// A field's kind follows from its type in the record.
enum class Kind { Text, Byte, Int8, Int16, Int32, Double, Font, Ftp };

template <typename T>
constexpr Kind kindOf() {
    using U = std::remove_cvref_t<T>;
    if constexpr (std::is_array_v<U> && std::is_same_v<std::remove_extent_t<U>, char>)
        return Kind::Text;
    else if constexpr (std::is_same_v<U, std::uint8_t>)
        return Kind::Byte;
    else if constexpr (std::is_same_v<U, std::int8_t>)
        return Kind::Int8;
    else if constexpr (std::is_same_v<U, std::int16_t>)
        return Kind::Int16;
    else if constexpr (std::is_same_v<U, std::int32_t>)
        return Kind::Int32;
    else if constexpr (std::is_same_v<U, double>)
        return Kind::Double;
    else if constexpr (std::is_same_v<U, FontSpec>)
        return Kind::Font;
    else {
        static_assert(std::is_same_v<U, FtpTarget>, "a settings field of an unknown type");
        return Kind::Ftp;
    }
}

struct Row {
    const char* name;
    std::size_t offset;
    std::size_t size;      // of one element
    Kind kind;
    std::size_t count;     // 0: a single field; otherwise an array of count elements
    std::size_t maxChars;  // 0: the field's size minus one
};

#define FIELD(Block, f) {#f, offsetof(Block, f), sizeof(Block::f), kindOf<decltype(Block::f)>(), 0, 0}
#define TEXT_UP_TO(Block, f, n) {#f, offsetof(Block, f), sizeof(Block::f), Kind::Text, 0, n}
#define ARRAY(Block, f)                                                                      \
    {#f, offsetof(Block, f), sizeof(Block::f[0]), kindOf<decltype(Block::f[0])>(),          \
     std::extent_v<decltype(Block::f)>, 0}

const Row kFontParts[] = {
    TEXT_UP_TO(FontSpec, face, 40),
    FIELD(FontSpec, size),
    FIELD(FontSpec, colour),
    FIELD(FontSpec, secondColour),
    FIELD(FontSpec, style),
};

const Row kFtpParts[] = {
    FIELD(FtpTarget, host),
    FIELD(FtpTarget, userName),
    FIELD(FtpTarget, password),
    FIELD(FtpTarget, serverDirectory),
    FIELD(FtpTarget, save),
    FIELD(FtpTarget, port),
};

const Row kGeneralFields[] = {
    FIELD(GeneralSettings, outputDir),
    FIELD(GeneralSettings, inputFile),
    FIELD(GeneralSettings, defaultInputDir),
    FIELD(GeneralSettings, homeLink),
    FIELD(GeneralSettings, catalogueTitle),
    FIELD(GeneralSettings, templateFile),
    FIELD(GeneralSettings, useTemplate),
    FIELD(GeneralSettings, currencySymbolKind),
    FIELD(GeneralSettings, currencySymbolText),
    FIELD(GeneralSettings, symbolFollowsAmount),
    FIELD(GeneralSettings, basketFlags),
    FIELD(GeneralSettings, orderFormFlags),
    FIELD(GeneralSettings, musicFlags),
    FIELD(GeneralSettings, musicFile),
    FIELD(GeneralSettings, separatorKind),
    FIELD(GeneralSettings, expiryDate),
    FIELD(GeneralSettings, taxRate),
    FIELD(GeneralSettings, includeTax),
    FIELD(GeneralSettings, taxDescription),
    FIELD(GeneralSettings, cgiAction),
    ARRAY(GeneralSettings, cgiHiddenFields),
    FIELD(GeneralSettings, includeCgiAction),
    FIELD(GeneralSettings, submitText),
    FIELD(GeneralSettings, insistEmail),
    FIELD(GeneralSettings, insistName),
    TEXT_UP_TO(GeneralSettings, nameFieldName, 40),
    TEXT_UP_TO(GeneralSettings, emailFieldName, 40),
    FIELD(GeneralSettings, cgiMethod),
    FIELD(GeneralSettings, currentSetIndex),
    FIELD(GeneralSettings, customFormViaUrl),
    FIELD(GeneralSettings, customFormSeparateWindow),
    FIELD(GeneralSettings, searchProgram),
    FIELD(GeneralSettings, searchScript),
    FIELD(GeneralSettings, searchPreprocess),
    FIELD(GeneralSettings, searchOutputDir),
    FIELD(GeneralSettings, searchUrl),
    FIELD(GeneralSettings, searchPlacement),
    ARRAY(GeneralSettings, ftpTargets),
    FIELD(GeneralSettings, transferCatalogue),
    FIELD(GeneralSettings, transferSearch),
    FIELD(GeneralSettings, transferOrderForm),
    FIELD(GeneralSettings, searchUsesCatalogueTarget),
    FIELD(GeneralSettings, customFormFile),
    FIELD(GeneralSettings, customFormUrl),
    FIELD(GeneralSettings, useCustomForm),
    FIELD(GeneralSettings, orderFormUrl),
    FIELD(GeneralSettings, changeItemWithIndex),
    FIELD(GeneralSettings, confirmOnAdd),
    FIELD(GeneralSettings, confirmOnUpdate),
    FIELD(GeneralSettings, includeCalculateButton),
    FIELD(GeneralSettings, useTitleInIndex),
    FIELD(GeneralSettings, quantityAlwaysOne),
    FIELD(GeneralSettings, paymentGateway),
    FIELD(GeneralSettings, worldPayStore),
    TEXT_UP_TO(GeneralSettings, worldPayCompany, 3),
    FIELD(GeneralSettings, currencyDecimals),
    FIELD(GeneralSettings, internetSecureReturnUrl),
    FIELD(GeneralSettings, internetSecureLanguage),
    FIELD(GeneralSettings, internetSecureMerchant),
    FIELD(GeneralSettings, internetSecureUsDollars),
    FIELD(GeneralSettings, authorizeNetLogin),
    FIELD(GeneralSettings, worldPayAction),
    FIELD(GeneralSettings, payButtonText),
    FIELD(GeneralSettings, formAndGateway),
    TEXT_UP_TO(GeneralSettings, secureTradingPage, 100),
    TEXT_UP_TO(GeneralSettings, genericAction, 100),
    FIELD(GeneralSettings, tempOutputDir),
    FIELD(GeneralSettings, previewMaxItems),
    FIELD(GeneralSettings, previewRun),
    FIELD(GeneralSettings, archivePath),
    FIELD(GeneralSettings, includeTicker),
};

const Row kAppearanceFields[] = {
    FIELD(AppearanceSet, setName),
    FIELD(AppearanceSet, indexBackgroundImage),
    FIELD(AppearanceSet, indexBackgroundImageMode),
    FIELD(AppearanceSet, indexBackgroundColour),
    FIELD(AppearanceSet, indexTextColour),
    FIELD(AppearanceSet, indexStyle),
    ARRAY(AppearanceSet, bulletImages),
    ARRAY(AppearanceSet, linkImages),
    FIELD(AppearanceSet, navigationAtTop),
    ARRAY(AppearanceSet, indexFonts),
    FIELD(AppearanceSet, indexTableColour),
    FIELD(AppearanceSet, indexCellColour),
    FIELD(AppearanceSet, indexCellRolloverColour),
    FIELD(AppearanceSet, itemCellColour),
    FIELD(AppearanceSet, cellRolloverColour),
    FIELD(AppearanceSet, textCellColour),
    FIELD(AppearanceSet, navigationCellColour),
    FIELD(AppearanceSet, navigationCellRolloverColour),
    FIELD(AppearanceSet, cellAlignment),
    FIELD(AppearanceSet, indexTableWidth),
    FIELD(AppearanceSet, indexTableSpacing),
    FIELD(AppearanceSet, useLinkImages),
    FIELD(AppearanceSet, bulletAlignment),
    FIELD(AppearanceSet, itemBackgroundImage),
    FIELD(AppearanceSet, itemBackgroundImageMode),
    FIELD(AppearanceSet, itemBackgroundColour),
    FIELD(AppearanceSet, itemTextColour),
    ARRAY(AppearanceSet, prevNextImages),
    FIELD(AppearanceSet, itemNavigation),
    FIELD(AppearanceSet, itemSeparatorImage),
    FIELD(AppearanceSet, itemSeparator),
    ARRAY(AppearanceSet, itemFonts),
    FIELD(AppearanceSet, pictureAlignment),
    FIELD(AppearanceSet, calculateButtonImage),
    FIELD(AppearanceSet, addButtonImage),
    FIELD(AppearanceSet, updateButtonImage),
    FIELD(AppearanceSet, itemTableColour),
    ARRAY(AppearanceSet, tableRowColours),
    FIELD(AppearanceSet, columnsColour),
    ARRAY(AppearanceSet, columnCellColours),
    FIELD(AppearanceSet, showPageTitle),
    FIELD(AppearanceSet, itemTableSpacing),
    FIELD(AppearanceSet, columnsSpacing),
    FIELD(AppearanceSet, headerBackgroundImage),
    FIELD(AppearanceSet, headerBackgroundImageMode),
    FIELD(AppearanceSet, headerBackgroundColour),
    FIELD(AppearanceSet, headerTextColour),
    FIELD(AppearanceSet, headerImage),
    FIELD(AppearanceSet, headerLogoImage),
    FIELD(AppearanceSet, includeHeaderFrame),
    ARRAY(AppearanceSet, headerTableColours),
    FIELD(AppearanceSet, headerTableSpacing),
    FIELD(AppearanceSet, navigationInHeader),
    FIELD(AppearanceSet, basketBackgroundImage),
    FIELD(AppearanceSet, basketBackgroundImageMode),
    ARRAY(AppearanceSet, pageColours),
    FIELD(AppearanceSet, basketHeadingImage),
    FIELD(AppearanceSet, basketHeadingImagePosition),
    ARRAY(AppearanceSet, basketColours),
    ARRAY(AppearanceSet, basketFonts),
    FIELD(AppearanceSet, searchBoxColour),
    FIELD(AppearanceSet, searchCellColour),
    FIELD(AppearanceSet, searchFont),
    FIELD(AppearanceSet, searchBoxSize),
    FIELD(AppearanceSet, threeFrameStyle),
    FIELD(AppearanceSet, hideFrameBorders),
    FIELD(AppearanceSet, verticalMainSplit),
    FIELD(AppearanceSet, indexFrameWidth),
    FIELD(AppearanceSet, basketFrameHeight),
    FIELD(AppearanceSet, itemPageWidth),
    FIELD(AppearanceSet, headerFrameHeight),
    FIELD(AppearanceSet, basketTableWidth),
    FIELD(AppearanceSet, itemStyleSheet),
    FIELD(AppearanceSet, indexStyleSheet),
    FIELD(AppearanceSet, linkItemCss),
    FIELD(AppearanceSet, indexMargin),
    FIELD(AppearanceSet, itemMargin),
    FIELD(AppearanceSet, basketMargin),
    FIELD(AppearanceSet, headerFrameMargin),
    FIELD(AppearanceSet, scrollingTextOnIndex),
    ARRAY(AppearanceSet, tickerColours),
    ARRAY(AppearanceSet, tickerSize),
};

#undef FIELD
#undef TEXT_UP_TO
#undef ARRAY

SettingsFieldKind publicKind(Kind kind) {
    switch (kind) {
    case Kind::Byte: return SettingsFieldKind::Byte;
    case Kind::Int8: return SettingsFieldKind::Int8;
    case Kind::Int16: return SettingsFieldKind::Int16;
    case Kind::Int32: return SettingsFieldKind::Int32;
    case Kind::Double: return SettingsFieldKind::Double;
    default: return SettingsFieldKind::Text;
    }
}

long long lowestOf(Kind kind) {
    switch (kind) {
    case Kind::Int8: return INT8_MIN;
    case Kind::Int16: return INT16_MIN;
    case Kind::Int32: return INT32_MIN;
    default: return 0;
    }
}

long long highestOf(Kind kind) {
    switch (kind) {
    case Kind::Byte: return UINT8_MAX;
    case Kind::Int8: return INT8_MAX;
    case Kind::Int16: return INT16_MAX;
    case Kind::Int32: return INT32_MAX;
    default: return 0;
    }
}

// Numbers whose whole type's range would let a page grow without end.
struct NarrowRange {
    const char* name;
    long long lowest, highest;
};
const NarrowRange kNarrowRanges[] = {
    {"currencyDecimals", 0, kMostCurrencyDecimals},
};

template <std::size_t N>
void expand(std::vector<SettingsField>& out, SettingsBlock block, const Row (&rows)[N],
            const std::string& prefix, std::size_t base);

void expandOne(std::vector<SettingsField>& out, SettingsBlock block, const Row& row, const std::string& name,
               std::size_t offset) {
    if (row.kind == Kind::Font)
        expand(out, block, kFontParts, name + ".", offset);
    else if (row.kind == Kind::Ftp)
        expand(out, block, kFtpParts, name + ".", offset);
    else
        out.push_back({name, block, offset, row.size, publicKind(row.kind),
                       row.kind == Kind::Text ? (row.maxChars ? row.maxChars : row.size - 1) : 0,
                       lowestOf(row.kind), highestOf(row.kind)});
}

template <std::size_t N>
void expand(std::vector<SettingsField>& out, SettingsBlock block, const Row (&rows)[N],
            const std::string& prefix, std::size_t base) {
    for (const Row& row : rows) {
        std::string name = prefix + row.name;
        if (row.count == 0) {
            expandOne(out, block, row, name, base + row.offset);
            continue;
        }
        for (std::size_t i = 0; i < row.count; ++i)
            expandOne(out, block, row, name + "." + std::to_string(i), base + row.offset + i * row.size);
    }
}

struct Registry {
    std::vector<SettingsField> fields;
    std::unordered_map<std::string_view, const SettingsField*> byName;

    Registry() {
        expand(fields, SettingsBlock::General, kGeneralFields, "", 0);
        expand(fields, SettingsBlock::Appearance, kAppearanceFields, "", 0);
        // Colours with names of their own that live inside a font entry.
        const std::pair<const char*, const char*> aliases[] = {
            {"indexHoverColour", "indexFonts.1.secondColour"},
            {"itemTableBorderColour", "itemFonts.6.colour"},
        };
        for (const auto& [alias, target] : aliases) {
            for (std::size_t i = 0; i < fields.size(); ++i) {
                if (fields[i].name == target) {
                    SettingsField field = fields[i];
                    field.name = alias;
                    fields.push_back(field);
                    break;
                }
            }
        }
        for (SettingsField& field : fields) {
            for (const NarrowRange& range : kNarrowRanges) {
                if (field.name == range.name) {
                    field.lowest = range.lowest;
                    field.highest = range.highest;
                }
            }
        }
        for (const SettingsField& field : fields)
            byName.emplace(field.name, &field);
    }
};

const Registry& registry() {
    static const Registry instance;
    return instance;
}

const char* blockBytes(const SettingsBlocks& blocks, SettingsBlock block) {
    return block == SettingsBlock::General ? reinterpret_cast<const char*>(&blocks.general)
                                           : reinterpret_cast<const char*>(&blocks.appearance);
}

char* blockBytes(SettingsBlocks& blocks, SettingsBlock block) {
    return const_cast<char*>(blockBytes(static_cast<const SettingsBlocks&>(blocks), block));
}

template <typename T>
T load(const char* at) {
    T value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

template <typename T>
void store(char* at, T value) {
    std::memcpy(at, &value, sizeof value);
}

// Built by appending: GCC 12 at -O3 warns falsely (-Wrestrict) about the
// inserts that "'" + std::string(value) turns into.
std::string quoted(std::string_view value) {
    std::string text;
    text.reserve(value.size() + 2);
    text.push_back('\'');
    text.append(value);
    text.push_back('\'');
    return text;
}

} // namespace

const std::vector<SettingsField>& settingsFields() { return registry().fields; }

const SettingsField* findSettingsField(std::string_view name) {
    const auto& byName = registry().byName;
    auto it = byName.find(name);
    return it == byName.end() ? nullptr : it->second;
}

std::string settingsFieldValue(const SettingsBlocks& blocks, const SettingsField& field) {
    const char* at = blockBytes(blocks, field.block) + field.offset;
    switch (field.kind) {
    case SettingsFieldKind::Text: {
        std::size_t n = 0;
        while (n < field.size && at[n] != '\0')
            ++n;
        return std::string(at, n);
    }
    case SettingsFieldKind::Byte: return std::to_string(load<std::uint8_t>(at));
    case SettingsFieldKind::Int8: return std::to_string(load<std::int8_t>(at));
    case SettingsFieldKind::Int16: return std::to_string(load<std::int16_t>(at));
    case SettingsFieldKind::Int32: return std::to_string(load<std::int32_t>(at));
    case SettingsFieldKind::Double: {
        char buffer[64];
        auto result = std::to_chars(buffer, buffer + sizeof buffer, load<double>(at));
        return std::string(buffer, result.ptr);
    }
    }
    return {};
}

int setSettingsFieldValue(SettingsBlocks& blocks, const SettingsField& field, std::string_view value,
                          std::string& error) {
    char* at = blockBytes(blocks, field.block) + field.offset;
    if (field.kind == SettingsFieldKind::Text) {
        copyField(at, field.size, value.substr(0, field.maxChars));
        return 0;
    }
    std::string_view digits = value;
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    if (field.kind == SettingsFieldKind::Double) {
        double number = 0;
        auto result = std::from_chars(digits.data(), digits.data() + digits.size(), number);
        if (digits.empty() || result.ec != std::errc() || result.ptr != digits.data() + digits.size() ||
            !std::isfinite(number)) {
            error = quoted(value) + " is not a number (" + field.name + ")";
            return -1;
        }
        store(at, number);
        return 0;
    }
    long long number = 0;
    auto result = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (digits.empty() || (result.ec != std::errc() && result.ec != std::errc::result_out_of_range) ||
        result.ptr != digits.data() + digits.size()) {
        error = quoted(value) + " is not a whole number (" + field.name + ")";
        return -1;
    }
    const long long low = field.lowest;
    const long long high = field.highest;
    if (result.ec == std::errc::result_out_of_range || number < low || number > high) {
        error = quoted(value) + " is out of range for " + field.name + " (" + std::to_string(low) + " to " +
                std::to_string(high) + ")";
        return -1;
    }
    switch (field.kind) {
    case SettingsFieldKind::Byte: store(at, static_cast<std::uint8_t>(number)); break;
    case SettingsFieldKind::Int8: store(at, static_cast<std::int8_t>(number)); break;
    case SettingsFieldKind::Int16: store(at, static_cast<std::int16_t>(number)); break;
    default: store(at, static_cast<std::int32_t>(number)); break;
    }
    return 0;
}

int settingsValue(const SettingsBlocks& blocks, std::string_view name, std::string& value) {
    const SettingsField* field = findSettingsField(name);
    if (!field)
        return -1;
    value = settingsFieldValue(blocks, *field);
    return 0;
}

int setSettingsValue(SettingsBlocks& blocks, std::string_view name, std::string_view value, std::string& error) {
    const SettingsField* field = findSettingsField(name);
    if (!field) {
        error = "unknown setting " + quoted(name);
        return -1;
    }
    return setSettingsFieldValue(blocks, *field, value, error) == 0 ? 0 : -2;
}
