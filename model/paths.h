#pragma once
// Path rules shared by both programs. Stored paths may use either separator;
// what we build uses the native one. Case is never changed.
#include <string>
#include <string_view>

inline constexpr char kNativeSeparator = '/';

inline bool isPathSeparator(char c) { return c == '/' || c == '\\'; }

// The part after the last separator (the whole path when it has none).
std::string_view baseName(std::string_view path);

// The path as this system opens it: stored names may be written with '\',
// which becomes the native separator.
std::string nativePath(std::string_view path);

// name when folder is empty or name is a full path (from a root or a drive
// letter); otherwise folder, a separator unless it already ends in one, and
// name. Either way with native separators.
std::string join(std::string_view folder, std::string_view name);

// The folder of the running program with a trailing separator; VIMRA_HOME,
// when set, stands in for it. A program's main asks for it and hands it on:
// the libraries take the folder as a parameter, so tests can give them a
// folder of their own.
std::string programDirectory();

// programDirectory() followed by name.
std::string programPath(std::string_view name);

// Copies at most size-1 characters of text into a fixed text field and zeroes
// the rest of it, as every setter of a fixed-size field must.
void copyField(char* field, std::size_t size, std::string_view text);

template <std::size_t N>
void copyField(char (&field)[N], std::string_view text) {
    copyField(field, N, text);
}

// The text of a fixed field, up to its first zero byte or its end.
template <std::size_t N>
std::string_view fieldText(const char (&field)[N]) {
    std::size_t n = 0;
    while (n < N && field[n] != '\0')
        ++n;
    return {field, n};
}
