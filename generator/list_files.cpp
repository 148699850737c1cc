#include "generator/list_files.h"

#include <cstdarg>

#include "model/catalogue_reader.h"
#include "model/regular_file.h"

namespace {

constexpr std::size_t kListBufferSize = 1 << 16;

// Words are runs of ASCII letters and digits; bytes above 127 separate words.
bool isWordChar(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

void ListFiles::open(const std::string& filesListPath, const std::string& searchListPath,
                     const std::string& pagesListPath, bool indexSearch) {
    close();
    openList(m_search, searchListPath);
    openList(m_pages, pagesListPath);
    openList(m_files, filesListPath);
    m_indexSearch = indexSearch;
    m_pageWritten = false;
}

void ListFiles::openList(List& list, const std::string& path) {
    list.path = path;
    list.file = createRegularFile(path);
    list.failed = list.file == nullptr;
    if (list.file)
        std::setvbuf(list.file, nullptr, _IOFBF, kListBufferSize);
}

bool ListFiles::closeList(List& list) {
    if (list.file) {
        list.failed = std::fflush(list.file) != 0 || std::ferror(list.file) || list.failed;
        list.failed = std::fclose(list.file) != 0 || list.failed;
        list.file = nullptr;
    }
    const bool whole = !list.failed;
    list.failed = false;
    return whole;
}

std::vector<std::string> ListFiles::finish() {
    std::vector<std::string> unwritten;
    for (List* list : {&m_files, &m_search, &m_pages}) {
        const bool opened = !list->path.empty();
        if (!closeList(*list) && opened)
            unwritten.push_back(list->path);
        list->path.clear();
    }
    return unwritten;
}

void ListFiles::printLine(List& list, const char* format, ...) {
    if (!list.file)
        return;
    va_list args;
    va_start(args, format);
    if (std::vfprintf(list.file, format, args) < 0)
        list.failed = true;
    va_end(args);
}

void ListFiles::listFile(std::string_view path) {
    printLine(m_files, "%.*s\n", static_cast<int>(path.size()), path.data());
}

void ListFiles::IndexRecord(std::int32_t pageNumber, const CatalogueRecord& record) {
    if (!m_indexSearch)
        return;
    if (!m_pageWritten || pageNumber != m_lastPage) {
        printLine(m_pages, "%d,%s\n", pageNumber, record.shownName().c_str());
        m_lastPage = pageNumber;
        m_pageWritten = true;
    }
    writeWords(record.shownName(), false, pageNumber);
    writeWords(record.code(), false, pageNumber);
    writeWords(record.price(), true, pageNumber);
    writeWords(record.description(), false, pageNumber);
}

void ListFiles::writeWords(std::string_view field, bool isPrice, std::int32_t pageNumber) {
    if (!m_search.file)
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
        printLine(m_search, "%.*s,%d\n", static_cast<int>(i - start), field.data() + start, pageNumber);
    }
}
