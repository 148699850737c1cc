#pragma once
// The three list files a run leaves behind: the file list the upload sends
// ("files01.dat"), and the page and word lists the search script reads
// ("pages01.dat", "search01.dat").
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

struct CatalogueRecord;

class ListFiles {
public:
    ListFiles() = default;
    ~ListFiles() { close(); }
    ListFiles(const ListFiles&) = delete;
    ListFiles& operator=(const ListFiles&) = delete;

    // Opens (creating or truncating) the three files; a file that cannot be
    // created is simply not written. indexSearch false leaves the search files empty.
    void open(const std::string& filesListPath, const std::string& searchListPath,
              const std::string& pagesListPath, bool indexSearch);
    void close();

    // One line per file of the catalogue: every page and every copied resource.
    void listFile(std::string_view path);

    // Feeds one record's words to the search lists under a page number.
    void IndexRecord(std::int32_t pageNumber, const CatalogueRecord& record);

private:
    void writeWords(std::string_view field, bool isPrice, std::int32_t pageNumber);

    std::FILE* m_files = nullptr;
    std::FILE* m_search = nullptr;
    std::FILE* m_pages = nullptr;
    bool m_indexSearch = false;
    bool m_pageWritten = false;
    std::int32_t m_lastPage = 0;
};
