#pragma once
// The marker words that make a record line an index heading, a page start, a
// table or columns marker instead of an item. Words are compared with the
// upper-cased field values. The generator and the editor test them in a
// different order and on different fields; each program has its own table,
// side by side below, and the first rule that matches decides.
#include <span>
#include <string_view>

enum class Marker {
    Link,           // picture begins with '!'
    EndIndex,
    IndexHeading,
    PageStart,
    EndPage,
    TableStart,
    EndTable,
    ColumnsStart,
    EndOfColumnsItem,   // "END CI": the generator ignores the record
};

// The fields a rule tests.
enum MarkerField : unsigned {
    kNameField = 1u << 0,
    kCodeField = 1u << 1,
    kPriceField = 1u << 2,
    kUnitField = 1u << 3,
    kPictureField = 1u << 4,
};
inline constexpr unsigned kMarkerFieldsButName = kCodeField | kPriceField | kUnitField | kPictureField;
inline constexpr unsigned kAllMarkerFields = kNameField | kMarkerFieldsButName;

enum class WordMatch { Is, BeginsWith };

struct MarkerRule {
    Marker marker;
    unsigned fields;
    WordMatch match;
    std::string_view word;
};

inline constexpr MarkerRule kGeneratorMarkerRules[] = {
    {Marker::Link, kPictureField, WordMatch::BeginsWith, "!"},
    {Marker::EndIndex, kAllMarkerFields, WordMatch::Is, "END INDEX"},
    {Marker::IndexHeading, kNameField, WordMatch::BeginsWith, "!INDEX"},
    {Marker::IndexHeading, kMarkerFieldsButName, WordMatch::Is, "INDEX"},
    {Marker::PageStart, kNameField, WordMatch::BeginsWith, "!PAGE"},
    {Marker::PageStart, kNameField, WordMatch::Is, "!CI"},
    {Marker::PageStart, kMarkerFieldsButName, WordMatch::Is, "PAGE"},
    {Marker::EndPage, kAllMarkerFields, WordMatch::Is, "END PAGE"},
    {Marker::TableStart, kCodeField | kNameField, WordMatch::BeginsWith, "!TABLE"},
    {Marker::EndTable, kAllMarkerFields, WordMatch::Is, "END TABLE"},
    {Marker::ColumnsStart, kCodeField | kNameField, WordMatch::BeginsWith, "!COL"},
    {Marker::EndOfColumnsItem, kCodeField | kNameField, WordMatch::Is, "END CI"},
};

inline constexpr MarkerRule kEditorMarkerRules[] = {
    {Marker::Link, kPictureField, WordMatch::BeginsWith, "!"},
    {Marker::EndIndex, kAllMarkerFields, WordMatch::Is, "END INDEX"},
    {Marker::IndexHeading, kMarkerFieldsButName, WordMatch::Is, "INDEX"},
    {Marker::IndexHeading, kNameField, WordMatch::BeginsWith, "!INDEX"},
    {Marker::TableStart, kNameField | kCodeField, WordMatch::BeginsWith, "!TABLE"},
    {Marker::EndTable, kNameField | kCodeField, WordMatch::BeginsWith, "END TABLE"},
    {Marker::PageStart, kNameField, WordMatch::BeginsWith, "!PAGE"},
    {Marker::PageStart, kMarkerFieldsButName, WordMatch::Is, "PAGE"},
    {Marker::EndPage, kAllMarkerFields, WordMatch::Is, "END PAGE"},
    {Marker::ColumnsStart, kCodeField | kNameField, WordMatch::BeginsWith, "!COL"},
};

struct MarkerFields {
    std::string_view name, code, price, unit, picture;
};

// Whether value, upper-cased, is or begins with word.
bool matchesWord(std::string_view value, WordMatch match, std::string_view word);

// The first rule whose word one of its fields matches; null when none does.
const MarkerRule* findMarker(std::span<const MarkerRule> rules, const MarkerFields& fields);
