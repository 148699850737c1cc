#pragma once
// Physical lines and record lines of a catalogue data file as the editor
// reads and writes them: fields split at ',' with double quotes, the
// description last, '/' continuation lines joined with CR LF.
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "editor/catalogue_record.h"

namespace korvel {

// Reads physical lines from a stream, knowing the file offset of each.
// Lines of any length are read whole; the LF is removed, a CR before it is
// kept (the field rules cut it).
class LineReader {
public:
    // The stream must be positioned at startOffset.
    LineReader(std::FILE* stream, std::uint64_t startOffset);
    // Reads lines out of bytes that were read from startOffset on.
    LineReader(std::string bytes, std::uint64_t startOffset);

    // False at the end of the stream or on a read error.
    bool next(std::string& line);
    // Delivers the line last read once more.
    void pushBack();
    // Offset of the line last delivered, and of the byte after it.
    std::uint64_t lineOffset() const { return m_lineOffset; }
    std::uint64_t offset() const { return m_pushedBack ? m_lineOffset : m_offset; }
    bool failed() const { return m_failed; }

private:
    bool fill();

    std::FILE* m_stream;
    std::uint64_t m_offset;
    std::uint64_t m_lineOffset;
    std::string m_buffer;
    std::size_t m_position = 0;
    std::string m_last;
    bool m_pushedBack = false;
    bool m_eof = false;
    bool m_failed = false;
};

enum class LineResult { Record, Directive, End };

// Reads the next record: blank lines are skipped, a "#!" line becomes a
// directive record (kind 6, its text in the description, named
// "HEADER/FOOTER"), a line starting with Ctrl-Z ends the data. The fields
// go into the slots of the list, the last taking the rest of the line.
// Sets the record's offset and length; the kind is set only for directives.
LineResult readRecordLine(LineReader& reader, const FieldList& fields, CatalogueRecord& record);

// Decides the kind of a record read from a record line, and takes the
// "!PAGE" prefix off a page start's name and gives a columns entry its count.
void classifyRecord(CatalogueRecord& record);

// Which slot each written field is taken from; the identity unless a
// restructure moves lists.
using SlotSource = std::array<int, kSlotCount>;
SlotSource identitySource();

// Appends one record line (with its LF) holding the fields of the list, each
// taken from slot source[slot] of the record (-1: written empty).
void appendRecordLine(std::string& out, const CatalogueRecord& record, const FieldList& fields,
                      const SlotSource& source);

// The kind an entry is written as: a marker the editor saw in a record that
// the generator reads as something else ("END TABLE/", a name "!TABLE" with
// the price "END PAGE") keeps its record line, so the generator reads the
// same; a kind the user gave is written as it is.
int writtenKind(const CatalogueRecord& record, int kind);

// Appends what the body of a data file holds for one entry of that kind.
void appendEntryLines(std::string& out, int kind, const CatalogueRecord& record,
                      const FieldList& fields, const SlotSource& source);

// Right-cut of TAB, LF, CR and blanks.
std::string_view cutRight(std::string_view text);

} // namespace korvel
