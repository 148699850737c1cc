#include "model/catalogue_reader.h"

#include <algorithm>
#include <cstring>

#include "model/catalogue_directives.h"
#include "model/slot_lengths.h"

using namespace catalogue_detail;

namespace {

constexpr std::size_t kBufferSize = 1 << 16;
constexpr std::size_t kRecordLineCapacity = 6999;
constexpr std::size_t kContinuationLineCapacity = 3999;
constexpr std::size_t kFieldCollectLimit = 4000;
constexpr std::size_t kDescriptionLimit = 4000;
constexpr char kEndOfData = 0x1A; // Ctrl-Z

bool isTrailingSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

void cutRight(std::string& value) {
    std::size_t n = value.size();
    while (n > 0 && isTrailingSpace(value[n - 1]))
        --n;
    value.resize(n);
}

void cutLeadingBlanks(std::string& value) {
    std::size_t n = 0;
    while (n < value.size() && value[n] == ' ')
        ++n;
    if (n > 0)
        value.erase(0, n);
}

void cutToSlot(std::string& value, int slot) {
    std::size_t max = static_cast<std::size_t>(generatorSlotLength(slot));
    if (value.size() > max)
        value.resize(max);
}

void appendCollected(std::string& value, const char* text, std::size_t length) {
    if (value.size() < kFieldCollectLimit)
        value.append(text, std::min(length, kFieldCollectLimit - value.size()));
}

std::string_view withoutLineEnd(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.remove_suffix(1);
    return line;
}

bool isEndOfData(std::string_view line) { return !line.empty() && line[0] == kEndOfData; }

} // namespace

CatalogueReader::~CatalogueReader() { close(); }

bool CatalogueReader::open(const std::string& path, FileOpening* opening) {
    close();
    std::FILE* stream = openRegularFile(path, opening);
    if (!stream)
        return false;
    m_stream = stream;
    m_ownsStream = true;
    reset();
    return true;
}

void CatalogueReader::attach(std::FILE* stream) {
    close();
    m_stream = stream;
    m_ownsStream = false;
    reset();
}

void CatalogueReader::close() {
    if (m_stream && m_ownsStream)
        std::fclose(m_stream);
    m_stream = nullptr;
    m_ownsStream = false;
    m_bufferPos = m_bufferEnd = 0;
}

void CatalogueReader::reset() {
    m_header = CatalogueHeader{};
    m_stopped = false;
    m_ended = false;
    m_headerRead = false;
    m_hasPending = false;
    m_streamDone = false;
    m_bufferPos = m_bufferEnd = 0;
}

bool CatalogueReader::readLine(std::string& line, std::size_t capacity) {
    line.clear();
    bool any = false;
    for (;;) {
        if (m_bufferPos == m_bufferEnd) {
            if (m_streamDone || !m_stream)
                return any;
            if (!m_buffer)
                m_buffer = std::make_unique<char[]>(kBufferSize);
            // A read error ends the data just as the end of the file does.
            std::size_t n = std::fread(m_buffer.get(), 1, kBufferSize, m_stream);
            m_bufferPos = 0;
            m_bufferEnd = n;
            if (n == 0) {
                m_streamDone = true;
                return any;
            }
        }
        const char* start = m_buffer.get() + m_bufferPos;
        std::size_t available = m_bufferEnd - m_bufferPos;
        const char* lineFeed = static_cast<const char*>(std::memchr(start, '\n', available));
        std::size_t chunk = lineFeed ? static_cast<std::size_t>(lineFeed - start) : available;
        if (line.size() < capacity)
            line.append(start, std::min(chunk, capacity - line.size()));
        any = true;
        if (lineFeed) {
            m_bufferPos += chunk + 1;
            return true;
        }
        m_bufferPos = m_bufferEnd;
    }
}

bool CatalogueReader::nextPhysicalLine(std::string& line) {
    if (m_hasPending) {
        m_hasPending = false;
        line.swap(m_pending);
        return true;
    }
    return readLine(line, kRecordLineCapacity);
}

void CatalogueReader::readHeaderBlock() {
    if (m_headerRead)
        return;
    m_headerRead = true;
    HeaderScan scan;
    char delimiter = kDefaultValueDelimiter;
    // Lines are read at record capacity so that the line ending the block is
    // whole when it is read again as the first record.
    while (readLine(m_line, kRecordLineCapacity)) {
        std::string_view text(m_line);
        text = withoutLineEnd(text.substr(0, std::min(text.size(), kHeaderLineCapacity)));
        if (char changed = findDelimiterDirective(text))
            delimiter = changed;
        if (!isDirectiveLine(text)) {
            m_pending.swap(m_line);
            m_hasPending = true;
            break;
        }
        scanHeaderLine(text, delimiter, scan, m_header);
    }
    finishHeader(scan, m_header);
}

bool CatalogueReader::readRecord(CatalogueRecord& record) {
    if (!m_headerRead)
        readHeaderBlock();
    for (;;) {
        if (m_stopped || m_ended)
            return false;
        if (!nextPhysicalLine(m_line) || isEndOfData(m_line)) {
            m_ended = true;
            return false;
        }
        if (isDirectiveLine(m_line)) {
            applyBodyDirective(withoutLineEnd(m_line), m_header, m_fileDirective);
            continue;
        }
        splitRecordLine(m_line, record);
        std::string& description = record.fields[kDescriptionSlot];
        if (!description.empty() && description.back() == '/') {
            description.pop_back();
            readContinuation(description);
        }
        classifyRecord(record);
        return true;
    }
}

void CatalogueReader::splitRecordLine(const std::string& line, CatalogueRecord& record) {
    for (std::string& field : record.fields)
        field.clear();
    const char* text = line.data();
    const std::size_t size = line.size();
    const int count = m_header.fields.count;
    std::size_t pos = 0;
    bool quoted = false; // kept from field to field

    for (int i = 0; i < count && pos < size; ++i) {
        const int slot = m_header.fields.slots[static_cast<std::size_t>(i)];
        std::string& value = record.fields[slot];

        if (i == count - 1) {
            // The last field is the rest of the line, delimiters included.
            std::string_view rest(text + pos, size - pos);
            bool enclosed = rest.front() == '"';
            if (enclosed)
                rest.remove_prefix(1);
            // The closing quote counts only as the last character before the
            // line end; blanks after it keep it.
            value.assign(withoutLineEnd(rest));
            if (enclosed && !value.empty() && value.back() == '"')
                value.pop_back();
            cutRight(value);
            cutToSlot(value, slot);
            break;
        }

        std::size_t runStart = pos;
        while (pos < size) {
            char c = text[pos];
            if (c == m_fieldDelimiter && !quoted)
                break;
            if (c == '"' || c == '\r' || c == '\n') {
                appendCollected(value, text + runStart, pos - runStart);
                if (c == '"')
                    quoted = !quoted;
                runStart = pos + 1;
            }
            ++pos;
        }
        appendCollected(value, text + runStart, pos - runStart);
        if (pos < size)
            ++pos; // the delimiter
        cutRight(value);
        if (i > 0)
            cutLeadingBlanks(value);
        cutToSlot(value, slot);
    }
}

void CatalogueReader::readContinuation(std::string& description) {
    for (;;) {
        // The rest of an over-long continuation line is skipped rather than
        // read as a record of its own.
        if (!readLine(m_line, kContinuationLineCapacity)) {
            m_ended = true;
            return;
        }
        if (isEndOfData(m_line)) {
            m_ended = true;
            return;
        }
        cutRight(m_line);
        if (m_line.empty())
            return;
        bool more = m_line.back() == '/';
        if (more)
            m_line.pop_back();
        if (description.size() < kDescriptionLimit)
            description.append(m_line, 0, kDescriptionLimit - description.size());
        if (!more)
            return;
    }
}
