#pragma once
// The order form's two files in the program directory: the order text file
// "ZKOT.dat" (the shop's postal address and the closing text of the default
// order form) and the template "zkof01.dat" of an order form that lives at
// another address.
//
// ZKOT.dat: format number (16-bit, 2055 when created here), ten address lines
// of 81 bytes (zero-terminated; the first seven are used), the length L of
// the extra text (32-bit at 812), 0 (32-bit), then the L bytes of the text
// (lines separated by CR LF, no terminator).
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::string_view kOrderTextFile = "ZKOT.dat";
inline constexpr std::string_view kOrderFormTemplateFile = "zkof01.dat";
inline constexpr std::int16_t kOrderTextFormat = 2055;
inline constexpr int kOrderAddressLines = 10;
inline constexpr int kOrderAddressLinesUsed = 7;
inline constexpr std::size_t kOrderAddressLineMaxLength = 80;
inline constexpr std::size_t kOrderTemplateLineMaxLength = 999;

struct OrderText {
    std::int16_t format = kOrderTextFormat;
    std::array<std::string, kOrderAddressLines> addressLines;
    std::string extraText;

    // Cut to 80 characters and at a line break; an index outside 0..9 is ignored.
    void setAddressLine(int index, std::string_view line);
    // Stored with CR LF between lines, whatever breaks the text brings.
    void setExtraText(std::string_view text);
};

// The order text file; a missing file (or one too short to hold its format
// number) gives format 2055 and empty lines and text. What the file does not
// reach reads as empty: an extra text longer than the file is cut at its end.
OrderText readOrderText(const std::string& path);
// Replaces the file atomically. 0 or -1.
int writeOrderText(const std::string& path, const OrderText& text);

// The template's lines as the order form reads them: pieces of at most 999
// characters, each with its line break when it has one. nullopt when the
// template cannot be opened.
std::optional<std::vector<std::string>> readOrderFormTemplate(const std::string& path);
// Whether a template line is the marker of word: it holds "<!" and word.
bool isOrderFormMarker(std::string_view line, std::string_view word);
// Replaces the template atomically with bytes. 0 or -1.
int writeOrderFormTemplate(const std::string& path, std::string_view bytes);
