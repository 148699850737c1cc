#pragma once
// Every named field of the two settings blocks, reachable by its name as text:
// "catalogueTitle", "taxRate", "cgiHiddenFields.2", "ftpTargets.0.port",
// "indexFonts.1.secondColour", "tickerSize.0". Reserved bytes are not listed.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/settings_store.h"

enum class SettingsBlock { General, Appearance };
enum class SettingsFieldKind { Text, Byte, Int8, Int16, Int32, Double };

struct SettingsField {
    std::string name;
    SettingsBlock block;
    std::size_t offset;       // in its block
    std::size_t size;         // bytes
    SettingsFieldKind kind;
    std::size_t maxChars;     // texts: the most characters stored
    // Whole numbers: the values the field takes. The type's range, or less
    // where a larger value has no sensible use.
    long long lowest = 0;
    long long highest = 0;
};

// The places after the point of prices with tax included, as the pages use it.
inline constexpr int kMostCurrencyDecimals = 10;

// All fields, the general block's first, each in record order.
const std::vector<SettingsField>& settingsFields();

// nullptr when no field has that name.
const SettingsField* findSettingsField(std::string_view name);

// The value as text: texts as stored, integers in decimal, the tax rate in
// the shortest form that reads back to the same double.
std::string settingsFieldValue(const SettingsBlocks& blocks, const SettingsField& field);

// Parses and stores value. Texts are cut to the field's length; numbers must
// be whole (no trailing characters) and lie in the field's range. Returns 0, or -1 with
// the reason in error and the blocks unchanged.
int setSettingsFieldValue(SettingsBlocks& blocks, const SettingsField& field, std::string_view value,
                          std::string& error);

// By name: 0, -1 for an unknown name, -2 for a value the field cannot take.
int settingsValue(const SettingsBlocks& blocks, std::string_view name, std::string& value);
int setSettingsValue(SettingsBlocks& blocks, std::string_view name, std::string_view value,
                     std::string& error);
