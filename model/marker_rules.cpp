#include "model/marker_rules.h"

#include <utility>

namespace {

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

} // namespace

bool matchesWord(std::string_view value, WordMatch match, std::string_view word) {
    if (value.size() < word.size() || (match == WordMatch::Is && value.size() != word.size()))
        return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (upper(value[i]) != word[i])
            return false;
    }
    return true;
}

const MarkerRule* findMarker(std::span<const MarkerRule> rules, const MarkerFields& fields) {
    const std::pair<MarkerField, std::string_view> tested[] = {
        {kNameField, fields.name},   {kCodeField, fields.code},       {kPriceField, fields.price},
        {kUnitField, fields.unit},   {kPictureField, fields.picture},
    };
    for (const MarkerRule& rule : rules) {
        for (const auto& [field, value] : tested) {
            if ((rule.fields & field) && matchesWord(value, rule.match, rule.word))
                return &rule;
        }
    }
    return nullptr;
}
