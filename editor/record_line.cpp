#include "editor/record_line.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "model/catalogue_reader.h"
#include "model/marker_rules.h"

namespace korvel {

namespace {

constexpr std::size_t kReadChunk = 1 << 16;
constexpr char kCtrlZ = 0x1A;
constexpr std::size_t kDescriptionHeld = 4001;

bool isCut(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view cutLeftSpaces(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    return text;
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// The description as the generator reads it: a leading quote removed, and
// then a quote that is the last character before the line end.
std::string_view descriptionText(std::string_view rest) {
    if (rest.empty() || rest.front() != '"')
        return cutRight(rest);
    rest.remove_prefix(1);
    while (!rest.empty() && (rest.back() == '\r' || rest.back() == '\n'))
        rest.remove_suffix(1);
    if (!rest.empty() && rest.back() == '"')
        rest.remove_suffix(1);
    return cutRight(rest);
}

} // namespace

std::string_view cutRight(std::string_view text) {
    while (!text.empty() && isCut(text.back()))
        text.remove_suffix(1);
    return text;
}

LineReader::LineReader(std::FILE* stream, std::uint64_t startOffset)
    : m_stream(stream), m_offset(startOffset), m_lineOffset(startOffset) {}

LineReader::LineReader(std::string bytes, std::uint64_t startOffset)
    : m_stream(nullptr), m_offset(startOffset), m_lineOffset(startOffset), m_buffer(std::move(bytes)), m_eof(true) {}

bool LineReader::fill() {
    if (m_eof || m_failed || !m_stream)
        return false;
    m_buffer.erase(0, m_position);
    m_position = 0;
    std::size_t old = m_buffer.size();
    m_buffer.resize(old + kReadChunk);
    std::size_t got = std::fread(m_buffer.data() + old, 1, kReadChunk, m_stream);
    m_buffer.resize(old + got);
    if (got < kReadChunk) {
        if (std::ferror(m_stream))
            m_failed = true;
        m_eof = true;
    }
    return got > 0;
}

bool LineReader::next(std::string& line) {
    if (m_pushedBack) {
        m_pushedBack = false;
        line = m_last;
        return true;
    }
    line.clear();
    bool any = false;
    for (;;) {
        if (m_position >= m_buffer.size() && !fill())
            break;
        std::string_view rest(m_buffer.data() + m_position, m_buffer.size() - m_position);
        std::size_t lf = rest.find('\n');
        any = true;
        if (lf != std::string_view::npos) {
            line.append(rest.substr(0, lf));
            m_position += lf + 1;
            m_lineOffset = m_offset;
            m_offset += line.size() + 1;
            m_last = line;
            return true;
        }
        line.append(rest);
        m_position = m_buffer.size();
    }
    if (!any || line.empty())
        return false;
    // The last line of the file, without a line end.
    m_lineOffset = m_offset;
    m_offset += line.size();
    m_last = line;
    return true;
}

void LineReader::pushBack() { m_pushedBack = true; }

LineResult readRecordLine(LineReader& reader, const FieldList& fields, CatalogueRecord& record) {
    std::string line;
    for (;;) {
        if (!reader.next(line))
            return LineResult::End;
        if (!line.empty() && line.front() == kCtrlZ)
            return LineResult::End;
        if (!cutRight(line).empty())
            break;
    }
    record.clear();
    record.offset = reader.lineOffset();

    if (startsWith(line, "#!")) {
        std::string_view text(line);
        text.remove_prefix(2);
        if (!text.empty() && text.back() == '\r')
            text.remove_suffix(1);
        record.set(kNameSlot, "HEADER/FOOTER");
        record.cut = !record.set(kDescriptionSlot, text);
        record.kind = kDirective;
        record.length = reader.offset() - record.offset;
        return LineResult::Directive;
    }

    std::size_t at = 0;
    bool quoted = false;
    std::string value;
    for (int i = 0; i + 1 < fields.count && at < line.size(); ++i) {
        value.clear();
        for (; at < line.size(); ++at) {
            char c = line[at];
            if (c == '"')
                quoted = !quoted;
            else if (c == ',' && !quoted)
                break;
            else if (c != '\r' && c != '\n')
                value += c;
        }
        if (at < line.size())
            ++at;   // the comma
        // The first field keeps its leading blanks: " END INDEX" is text.
        std::string_view kept = i == 0 ? cutRight(value) : cutLeftSpaces(cutRight(value));
        if (!record.set(fields.slots[static_cast<std::size_t>(i)], kept))
            record.cut = true;
    }

    std::string description;
    bool more = false;
    if (at < line.size() && fields.count > 0) {
        std::string_view text = descriptionText(std::string_view(line).substr(at));
        more = !text.empty() && text.back() == '/';
        if (more)
            text.remove_suffix(1);
        description.assign(text);
    }
    while (more) {
        if (!reader.next(line))
            break;
        if (!line.empty() && line.front() == kCtrlZ) {
            reader.pushBack();
            break;
        }
        std::string_view piece = cutRight(line);
        if (piece.empty())
            break;
        more = piece.back() == '/';
        if (more)
            piece.remove_suffix(1);
        // Held to one character over the slot, so that the cut is still seen.
        description += "\r\n";
        description.append(piece.substr(0, std::min(piece.size(), kDescriptionHeld)));
        if (description.size() > kDescriptionHeld)
            description.resize(kDescriptionHeld);
    }
    if (!record.set(kDescriptionSlot, description))
        record.cut = true;
    record.length = reader.offset() - record.offset;
    return LineResult::Record;
}

void classifyRecord(CatalogueRecord& record) {
    const MarkerRule* rule =
        findMarker(kEditorMarkerRules, {record.field(kNameSlot), record.field(kCodeSlot), record.field(kPriceSlot),
                                        record.field(kUnitSlot), record.field(kPictureSlot)});
    if (rule) {
        switch (rule->marker) {
        case Marker::Link:
            record.kind = kItem;
            return;
        case Marker::EndIndex:
            record.kind = kEndIndex;
            return;
        case Marker::IndexHeading:
            // The name keeps a "!INDEX" prefix: written back as read, it stays a
            // heading for the generator too.
            record.kind = kIndex;
            return;
        case Marker::TableStart:
            record.kind = kTableStart;
            return;
        case Marker::EndTable:
            record.kind = kEndTable;
            return;
        case Marker::PageStart:
            record.kind = kPageStart;
            if (rule->match == WordMatch::BeginsWith)
                record.set(kNameSlot, std::string_view(record.field(kNameSlot)).substr(rule->word.size()));
            return;
        case Marker::EndPage:
            record.kind = kEndPage;
            return;
        case Marker::ColumnsStart: {
            // The generator takes the count from the code field first.
            const bool inCode = matchesWord(record.field(kCodeSlot), WordMatch::BeginsWith, rule->word);
            const std::string& field = record.field(inCode ? kCodeSlot : kNameSlot);
            // One digit, as the generator reads it: "!COL12" has one column.
            const char digit = field.size() > rule->word.size() ? field[rule->word.size()] : '0';
            int count = digit >= '1' && digit <= '9' ? digit - '0' : 0;
            record.kind = kColumns;
            record.set(kNameSlot, std::to_string(count));
            return;
        }
        case Marker::EndOfColumnsItem:   // not a marker to the editor
            break;
        }
    }
    // Not a marker: an item or index-frame text by what it holds.
    if (!record.field(kPriceSlot).empty() || !record.field(kPictureSlot).empty() ||
        !record.field(kDescriptionSlot).empty())
        record.kind = kItem;
    else
        record.kind = kIndexText;
}

SlotSource identitySource() {
    SlotSource source{};
    for (int slot = 0; slot < kSlotCount; ++slot)
        source[static_cast<std::size_t>(slot)] = slot;
    return source;
}

namespace {

// A field before the description. Quotes cannot be written inside such a
// field (every reader drops them and they would swallow the commas that
// follow), nor can line breaks; a field holding a comma, or a first field
// that would read as a directive or as the end of the data, is quoted.
void appendField(std::string& out, std::string_view value, bool first) {
    std::string clean;
    clean.reserve(value.size());
    for (char c : value) {
        if (c != '"' && c != '\r' && c != '\n')
            clean += c;
    }
    bool quote = clean.find(',') != std::string::npos ||
                 (first && (startsWith(clean, "#!") || (!clean.empty() && clean.front() == kCtrlZ)));
    if (quote)
        out += '"';
    out += clean;
    if (quote)
        out += '"';
}

// The description, each line break written as '/' and a new line. A text
// that begins with a quote is enclosed in quotes so that no reader takes the
// first one away; a last line that ends in '/' gets an extra '/' and an empty
// line, so that it does not swallow the next record; a line does not start
// with Ctrl-Z.
void appendDescription(std::string& out, std::string_view text) {
    std::string clean;
    clean.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;   // a line break is CR LF; a CR alone is text, as the generator reads it
        } else {
            clean += c;
        }
    }
    bool enclose = !clean.empty() && clean.front() == '"';
    std::size_t start = 0;
    bool firstLine = true;
    for (;;) {
        std::size_t lf = clean.find('\n', start);
        bool last = lf == std::string::npos;
        std::string_view piece = std::string_view(clean).substr(start, last ? std::string::npos : lf - start);
        // A line that starts with Ctrl-Z would end the data for every reader.
        while (!firstLine && !piece.empty() && piece.front() == kCtrlZ)
            piece.remove_prefix(1);
        if (firstLine && enclose)
            out += '"';
        out += piece;
        // A last line that ends in '/' or in blanks would lose them to the
        // right cut: it goes on to an empty line, which ends the record.
        const std::string_view cutPiece = cutRight(piece);
        const bool keepEnd = last && (cutPiece.size() != piece.size() || (!cutPiece.empty() && cutPiece.back() == '/'));
        if (!last || keepEnd)
            out += '/';
        if (firstLine && enclose)
            out += '"';
        out += '\n';
        if (last) {
            if (keepEnd)
                out += '\n';
            break;
        }
        firstLine = false;
        start = lf + 1;
    }
}

} // namespace

void appendRecordLine(std::string& out, const CatalogueRecord& record, const FieldList& fields,
                      const SlotSource& source) {
    static const std::string empty;
    for (int i = 0; i < fields.count; ++i) {
        int from = source[static_cast<std::size_t>(fields.slots[static_cast<std::size_t>(i)])];
        const std::string& value = from >= 0 ? record.field(from) : empty;
        if (i + 1 < fields.count) {
            appendField(out, value, i == 0);
            out += ',';
        } else {
            appendDescription(out, value);
        }
    }
}

namespace {

// The name a columns entry is written with: "!COL" and its count.
std::string columnsName(const CatalogueRecord& record) {
    std::string_view name = record.name();
    if (matchesWord(name, WordMatch::BeginsWith, "!COL"))
        name.remove_prefix(4);
    return "!COL" + std::to_string(std::atoi(std::string(name).c_str()) % 10);
}

// Whether the generator reads the record's own fields as the marker that
// the short form of kind writes.
bool generatorReadsAs(const CatalogueRecord& record, int kind) {
    ::CatalogueRecord fields;
    for (int slot = 0; slot < kSlotCount; ++slot)
        fields.fields[slot] = record.field(slot);
    if (kind == kColumns)
        fields.fields[kNameSlot] = columnsName(record);
    ::classifyRecord(fields);
    switch (kind) {
    case kEndPage:
        return fields.kind == ::EntryKind::EndPage;
    case kTableStart:
        return fields.kind == ::EntryKind::TableStart;
    case kEndTable:
        return fields.kind == ::EntryKind::EndTable;
    case kColumns:
        return fields.kind == ::EntryKind::ColumnsStart;
    default:
        return true;
    }
}

} // namespace

int writtenKind(const CatalogueRecord& record, int kind) {
    if (kind != kEndPage && kind != kTableStart && kind != kEndTable && kind != kColumns)
        return kind;
    // A kind the user chose is written as that marker.
    CatalogueRecord own = record;
    if (kind == kColumns)
        own.set(kNameSlot, columnsName(record));   // reading it made the name its count
    classifyRecord(own);
    if (own.kind != kind || generatorReadsAs(record, kind))
        return kind;
    return kItem;
}

void appendEntryLines(std::string& out, int kind, const CatalogueRecord& record,
                      const FieldList& fields, const SlotSource& source) {
    const int written = writtenKind(record, kind);
    if (written != kind && kind == kColumns) {
        CatalogueRecord line = record;
        line.set(kNameSlot, columnsName(record));
        appendRecordLine(out, line, fields, source);
        return;
    }
    switch (written) {
    case kEndPage:
        out += "END PAGE\n";
        return;
    case kTableStart:
        out += "!TABLE\n";
        return;
    case kEndTable:
        out += "END TABLE\n";
        return;
    case kColumns:
        out += columnsName(record) + "\n";
        return;
    case kDirective: {
        out += "#!";
        for (char c : record.description()) {
            if (c != '\r' && c != '\n')
                out += c;
        }
        out += '\n';
        return;
    }
    case kPageStart:
        out += "!PAGE";
        appendRecordLine(out, record, fields, source);
        return;
    default:
        appendRecordLine(out, record, fields, source);
        return;
    }
}

} // namespace korvel
