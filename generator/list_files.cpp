#include "generator/list_files.h"

#include "model/catalogue_reader.h"

namespace {

constexpr std::size_t kListBufferSize = 1 << 16;

std::FILE* openList(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f)
        std::setvbuf(f, nullptr, _IOFBF, kListBufferSize);
    return f;
}

void closeList(std::FILE*& f) {
    if (f)
        std::fclose(f);
    f = nullptr;
}

// Words are runs of ASCII letters and digits; bytes above 127 separate words.
bool isWordChar(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

void ListFiles::open(const std::string& filesListPath, const std::string& searchListPath,
                     const std::string& pagesListPath, bool indexSearch) {
    close();
    m_search = openList(searchListPath);
    m_pages = openList(pagesListPath);
    m_files = openList(filesListPath);
    m_indexSearch = indexSearch;
    m_pageWritten = false;
}

void ListFiles::close() {
    closeList(m_files);
    closeList(m_search);
    closeList(m_pages);
}

void ListFiles::listFile(std::string_view path) {
    if (m_files)
        std::fprintf(m_files, "%.*s\n", static_cast<int>(path.size()), path.data());
}

void ListFiles::IndexRecord(std::int32_t pageNumber, const CatalogueRecord& record) {
    if (!m_indexSearch)
        return;
    if (!m_pageWritten || pageNumber != m_lastPage) {
        if (m_pages)
            std::fprintf(m_pages, "%d,%s\n", pageNumber, record.name().c_str());
        m_lastPage = pageNumber;
        m_pageWritten = true;
    }
    writeWords(record.name(), false, pageNumber);
    writeWords(record.code(), false, pageNumber);
    writeWords(record.price(), true, pageNumber);
    writeWords(record.description(), false, pageNumber);
}

void ListFiles::writeWords(std::string_view field, bool isPrice, std::int32_t pageNumber) {
    if (!m_search)
        return;
    std::size_t i = 0;
    while (i < field.size()) {
        while (i < field.size() && !isWordChar(field[i]))
            ++i;
        if (i == field.size())
            break;
        std::size_t start = i;
        bool number = isPrice && isDigit(field[i]);
        while (i < field.size() && (number ? (isDigit(field[i]) || field[i] == '.') : isWordChar(field[i])))
            ++i;
        std::fprintf(m_search, "%.*s,%d\n", static_cast<int>(i - start), field.data() + start, pageNumber);
    }
}
