#pragma once
// The 30 visitor-facing labels of the catalogue (link texts, button captions,
// column headings, pop-up words, search texts), kept in "titles.dat" in the
// program directory so that a shop can reword or translate them.
#include <array>
#include <string>
#include <string_view>

inline constexpr int kCommonTextCount = 30;
inline constexpr std::size_t kCommonTextMaxLength = 99;

class CommonText {
public:
    CommonText();   // the 30 defaults

    // Reads up to 30 lines of at most 99 characters each; the rest of a longer
    // line becomes the next label. The line break (LF or CR LF) is removed.
    // Labels the file does not reach, or all of them when it cannot be opened,
    // take their defaults.
    void load(const std::string& path);

    // Writes the 30 labels, each followed by a line break, replacing the file
    // atomically. 0, or -1 when the file cannot be written.
    int save(const std::string& path) const;

    // The label; an empty text for an index outside 0..29.
    const std::string& operator[](int index) const;

    // Sets a label as an edit field would: cut at a line break and to 99 characters.
    void set(int index, std::string_view text);

    // The label escaped for a script string.
    std::string escaped(int index) const;

    static const char* defaultText(int index);

private:
    std::array<std::string, kCommonTextCount> m_labels;
};
