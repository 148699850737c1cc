#pragma once
// "KEY=value;" directives on the "#!" lines of a catalogue data file. Each
// directive is found by a substring search of the whole line, so one line may
// hold several and only the first occurrence of a key counts. A value ends at
// the value delimiter, or without one at the end of the line.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

inline constexpr char kDefaultValueDelimiter = ';';

bool isDirectiveLine(std::string_view line);   // begins with "#!"

struct DirectiveValue {
    bool found = false;
    bool delimited = false;   // the delimiter follows the value
    std::size_t at = 0;       // where the key starts
    std::string_view text;    // up to the delimiter, else to the line end
    std::size_t end = 0;      // just after the delimiter, else the line end
};

DirectiveValue findDirective(std::string_view line, std::string_view key, char delimiter);

// "SELECT1=", "TAX8=": a key with the number before its '='.
std::string numberedKey(std::string_view stem, int number);

// The character right after "DELIMITER=" when the line holds that directive
// and anything follows it.
std::optional<char> delimiterDirective(std::string_view line);

// A decimal number at the start of text, as atof reads it in the C locale
// (leading blanks and a '+' allowed); 0 with nothing used when there is none.
double leadingDecimal(std::string_view text, std::size_t& used);

// "FIRSTITEM=": the exact texts "FIRSTITEM=FIRST;" and "FIRSTITEM=NONE;"
// (also with the file's delimiter), or a page name.
enum class FirstItemChoice { NotGiven, First, None, Named };

struct FirstItemDirective {
    FirstItemChoice choice = FirstItemChoice::NotGiven;
    DirectiveValue value;   // the name with Named, which may be empty
};

FirstItemDirective findFirstItem(std::string_view line, char delimiter);
