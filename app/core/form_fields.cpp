#include "app/core/form_fields.h"

#include <algorithm>
#include <cstring>

#include "model/decimal_number.h"
#include "model/settings_fields.h"

namespace {

constexpr std::string_view kColourNames[] = {
    "black", "silver", "gray", "white", "maroon", "red", "pink", "purple", "fuchsia", "green",
    "lightgreen", "lime", "olive", "yellow", "lightyellow", "navy", "blue", "teal", "aqua", "lightblue",
};

constexpr std::string_view kFontFaces[] = {
    "arial", "verdana", "impact", "courier", "comic sans ms", "helvetica", "Times New Roman",
};


long long storedNumber(const SettingsBlocks& blocks, const SettingsField& field) {
    return std::stoll(settingsFieldValue(blocks, field));
}

void storeNumber(SettingsBlocks& blocks, const SettingsField& field, long long number) {
    number = std::clamp(number, field.lowest, field.highest);
    std::string ignored;
    setSettingsFieldValue(blocks, field, std::to_string(number), ignored);
}

bool hasRange(const FormField& field) { return field.highest >= field.lowest; }

// The bits of the field that a check box or radio group stands for, shifted down.
long long partMask(const FormField& field) { return field.bits <= 0 ? ~0LL : (1LL << field.bits) - 1; }

long long partOf(const FormField& field, long long number) {
    return field.bit < 0 ? number : (number >> field.bit) & partMask(field);
}

long long withPart(const FormField& field, long long number, long long part) {
    if (field.bit < 0)
        return part;
    const long long mask = partMask(field) << field.bit;
    return (number & ~mask) | ((part << field.bit) & mask);
}

std::string converted(const FormField& field, std::string text) {
    if (field.conversions & NoBlanks)
        std::erase(text, ' ');
    if (field.conversions & Trim) {
        const auto first = text.find_first_not_of(' ');
        text = first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(' ') - first + 1);
    }
    if (field.maxChars > 0 && text.size() > static_cast<std::size_t>(field.maxChars))
        text.resize(static_cast<std::size_t>(field.maxChars));
    return text;
}

long long choiceValue(const FormField& field, int choice) {
    if (choice < 0)
        choice = 0;
    if (static_cast<std::size_t>(choice) < field.choiceValues.size())
        return field.choiceValues[static_cast<std::size_t>(choice)];
    return choice;
}

}  // namespace

FormValue loadFormValue(const SettingsBlocks& blocks, const FormField& field) {
    FormValue value;
    // The tables are ours; a test holds every name in them to a field.
    const SettingsField* found = findSettingsField(field.field);
    if (!found)
        return value;
    const SettingsField& stored = *found;
    switch (field.kind) {
    case FormControl::Check: {
        const bool set = partOf(field, storedNumber(blocks, stored)) != 0;
        value.checked = (field.conversions & Inverted) ? !set : set;
        break;
    }
    case FormControl::Radio: {
        const long long number = partOf(field, storedNumber(blocks, stored));
        for (std::size_t i = 0; i < field.choices.size(); ++i)
            if (choiceValue(field, static_cast<int>(i)) == number)
                value.choice = static_cast<int>(i);
        break;
    }
    default: value.text = settingsFieldValue(blocks, stored); break;
    }
    return value;
}

std::string checkFormValue(const FormField& field, const FormValue& value) {
    if (field.kind != FormControl::Number || !hasRange(field) || (field.conversions & Clamp))
        return {};
    const long long number = decimalNumber(value.text);
    if (number < field.lowest || number > field.highest)
        return "Please enter an integer between " + std::to_string(field.lowest) + " and " +
               std::to_string(field.highest) + ".";
    return {};
}

void storeFormValue(SettingsBlocks& blocks, const FormField& field, const FormValue& value) {
    const SettingsField* found = findSettingsField(field.field);
    if (!found)
        return;
    const SettingsField& stored = *found;
    switch (field.kind) {
    case FormControl::Check: {
        const bool set = (field.conversions & Inverted) ? !value.checked : value.checked;
        storeNumber(blocks, stored, withPart(field, storedNumber(blocks, stored), set ? 1 : 0));
        break;
    }
    case FormControl::Radio:
        storeNumber(blocks, stored, withPart(field, storedNumber(blocks, stored), choiceValue(field, value.choice)));
        break;
    case FormControl::Number: {
        long long number = decimalNumber(converted(field, value.text));
        if (hasRange(field))
            number = std::clamp(number, field.lowest, field.highest);
        storeNumber(blocks, stored, number);
        break;
    }
    default: {
        std::string ignored;
        setSettingsFieldValue(blocks, stored, converted(field, value.text), ignored);
        break;
    }
    }
}

std::vector<FormValue> loadFormValues(const SettingsBlocks& blocks, std::span<const FormField> fields) {
    std::vector<FormValue> values;
    values.reserve(fields.size());
    for (const FormField& field : fields)
        values.push_back(loadFormValue(blocks, field));
    return values;
}

void storeFormValues(SettingsBlocks& blocks, std::span<const FormField> fields, std::span<const FormValue> values) {
    for (std::size_t i = 0; i < fields.size() && i < values.size(); ++i)
        storeFormValue(blocks, fields[i], values[i]);
}

std::span<const std::string_view> colourNames() { return kColourNames; }
std::span<const std::string_view> fontFaces() { return kFontFaces; }
