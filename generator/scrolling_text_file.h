#pragma once
// The scrolling text, kept in "zkticker.dat" in the program directory as
// plain bytes without a terminator. The Scrolling Text dialog reads and
// writes it; each run copies it beside the pages for the applet.
#include <string>
#include <string_view>

inline constexpr std::string_view kScrollingTextFile = "zkticker.dat";

// Reads the whole file into text. 0, -2 when there is no such file, -3 when
// memory runs out, -4 when it cannot be read; text is empty on failure.
int readScrollingTextFile(const std::string& path, std::string& text);
// Replaces the file whole. 0 or -1.
int writeScrollingTextFile(const std::string& path, std::string_view text);
