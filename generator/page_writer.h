#pragma once
// The small formatted writer every page goes through: a FILE* with a large
// buffer, printf-style templates checked by the compiler, and the byte offset
// of what has been written (the next-link placeholder is patched by offset).
#include <cstdarg>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

class PageWriter {
public:
    PageWriter() = default;
    ~PageWriter() { close(); }
    PageWriter(const PageWriter&) = delete;
    PageWriter& operator=(const PageWriter&) = delete;

    // Creates or truncates the file; false when it cannot be created or
    // something other than a regular file stands at path.
    bool open(const std::string& path);
    // False when any write or the close failed: the page on disk is not
    // what was written to it. True when nothing was open.
    bool close();
    bool isOpen() const { return m_file != nullptr; }
    const std::string& path() const { return m_path; }

    // Writes nothing while the writer is closed, so a page that could not be
    // created is skipped without a check at every line.
    __attribute__((format(printf, 2, 3))) void printf(const char* format, ...);
    void put(std::string_view text);

    long offset() const { return m_offset; }

private:
    std::FILE* m_file = nullptr;
    std::unique_ptr<char[]> m_buffer;   // kept across pages: one allocation per writer
    std::string m_path;
    long m_offset = 0;
    bool m_failed = false;   // a write came up short
};

// Writes text over the bytes at offset of an existing file, leaving the rest
// as it is; false when the file cannot be opened or text is longer than length.
bool overwriteInPlace(const std::string& path, long offset, long length, std::string_view text);

// A template filled into a text, for the decorations prepared once per run.
__attribute__((format(printf, 1, 2))) std::string formatText(const char* format, ...);
