#pragma once
// The three list files a run leaves behind: the file list the upload sends
// ("files01.dat"), and the page and word lists the search script reads
// ("pages01.dat", "search01.dat").
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

struct CatalogueRecord;

class ListFiles {
public:
    ListFiles() = default;
    ~ListFiles() { close(); }
    ListFiles(const ListFiles&) = delete;
    ListFiles& operator=(const ListFiles&) = delete;

    // Opens (creating or truncating) the three files; a file that cannot be
    // created is not written, and finish() names it. indexSearch false leaves
    // the search files empty.
    void open(const std::string& filesListPath, const std::string& searchListPath,
              const std::string& pagesListPath, bool indexSearch);
    // Closes the three files and returns the paths of those that could not
    // be created or written whole.
    std::vector<std::string> finish();
    void close() { finish(); }

    // One line per file of the catalogue: every page and every copied resource.
    void listFile(std::string_view path);

    // Feeds one record's words to the search lists under a page number.
    void IndexRecord(std::int32_t pageNumber, const CatalogueRecord& record);

private:
    void writeWords(std::string_view field, bool isPrice, std::int32_t pageNumber);

    struct List {
        std::FILE* file = nullptr;
        std::string path;
        bool failed = false;   // not created, or a write came up short
    };
    void openList(List& list, const std::string& path);
    bool closeList(List& list);   // false when the list is not whole on disk
    __attribute__((format(printf, 3, 4))) void printLine(List& list, const char* format, ...);

    List m_files;
    List m_search;
    List m_pages;
    bool m_indexSearch = false;
    bool m_pageWritten = false;
    std::int32_t m_lastPage = 0;
};
