#pragma once
// The generator's reading of a catalogue data file: the "#!" header block,
// then one record per logical line, classified into entry kinds.
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "model/field_slots.h"
#include "model/regular_file.h"

enum class EntryKind {
    Ignored,      // blank line or "END CI"
    Link,
    EndIndex,
    IndexHeading,
    PageStart,
    EndPage,
    TableStart,
    EndTable,
    ColumnsStart,
    PictureLine,
    Item,         // the walker ignores an item with an empty name outside a page
    TextLine,
};

enum class SelectionKind { None, List, TextOption };

struct SelectionDeclaration {
    std::string caption;   // up to 29 characters
    SelectionKind kind = SelectionKind::None;
};

struct TaxTypeDeclaration {
    std::string name;      // up to 30 characters
    double rate = 0;       // percent
};

enum class FirstItemKind { First, None, Named };

struct CatalogueHeader {
    FieldMask fieldMask = 0;
    FieldList fields;                 // the slots of the mask in order
    SelectionDeclaration selections[kSelectionCount];
    int selectionCount = 0;
    TaxTypeDeclaration taxTypes[8];
    int taxTypeCount = 0;
    FirstItemKind firstItemKind = FirstItemKind::First;
    std::string firstItemName;        // as written in the file, with FirstItemKind::Named
    std::string footnote;             // changed by body directives as the reader passes them
    std::string headerText;
    std::string unitCaption;
    std::string codeCaption;
    std::string charset;              // empty when not given
    std::string metaText;             // "\n" then each "<META" piece followed by "\n"
};

struct CatalogueRecord {
    std::string fields[kSlotCount];   // indexed by FieldSlot; empty when not given
    EntryKind kind = EntryKind::Ignored;

    // Set by classification:
    std::string title;                // index heading or page title, prefixes removed
    std::string linkAddress;          // link entries: the address after "!" or "!!"
    bool linkOpensWholeWindow = false;
    int columnCount = 2;              // columns start

    const std::string& name() const { return fields[kNameSlot]; }
    const std::string& code() const { return fields[kCodeSlot]; }
    const std::string& price() const { return fields[kPriceSlot]; }
    const std::string& unit() const { return fields[kUnitSlot]; }
    const std::string& picture() const { return fields[kPictureSlot]; }
    const std::string& selection(int n) const { return fields[kFirstSelectionSlot + n]; } // n = 0..3
    const std::string& taxType() const { return fields[kTaxTypeSlot]; }
    const std::string& description() const { return fields[kDescriptionSlot]; }
    // The name as pages, scripts and search lists show it: a page start's
    // title, every other record's name field.
    const std::string& shownName() const { return kind == EntryKind::PageStart ? title : name(); }
};

class CatalogueReader {
public:
    CatalogueReader() = default;
    ~CatalogueReader();
    CatalogueReader(const CatalogueReader&) = delete;
    CatalogueReader& operator=(const CatalogueReader&) = delete;

    // Opens the file for binary reading; false when it cannot be opened or
    // is no regular file (which opening tells when given).
    bool open(const std::string& path, FileOpening* opening = nullptr);
    // Reads from an already open stream, which the reader does not close.
    void attach(std::FILE* stream);
    void close();

    // The field delimiter of record lines: ',' '\t' or '|' (from separatorKind).
    void setFieldDelimiter(char delimiter) { m_fieldDelimiter = delimiter; }

    // Reads the header block and builds the field mask and field list.
    void readHeaderBlock();
    const CatalogueHeader& header() const { return m_header; }

    // Reads and classifies the next record; false once the data has ended.
    // Body directives met on the way are applied to header().
    bool readRecord(CatalogueRecord& record);

    // Ends the data for good (the preview limit).
    void stop() { m_stopped = true; }

    // Called with the file name of every "FILE=" body directive.
    void setFileDirectiveHandler(std::function<void(std::string_view)> handler) {
        m_fileDirective = std::move(handler);
    }

private:
    void reset();
    // One physical line without its LF, at most capacity characters of it
    // (the rest up to the LF is skipped); false at the end of the stream.
    bool readLine(std::string& line, std::size_t capacity);
    bool nextPhysicalLine(std::string& line);
    void splitRecordLine(const std::string& line, CatalogueRecord& record);
    void readContinuation(std::string& description);

    std::FILE* m_stream = nullptr;
    bool m_ownsStream = false;
    bool m_stopped = false;
    bool m_ended = false;          // end of stream, read error or a Ctrl-Z line
    bool m_headerRead = false;
    bool m_hasPending = false;     // the line that ended the header block
    char m_fieldDelimiter = ',';
    CatalogueHeader m_header;
    std::function<void(std::string_view)> m_fileDirective;

    std::unique_ptr<char[]> m_buffer;
    std::size_t m_bufferPos = 0;
    std::size_t m_bufferEnd = 0;
    bool m_streamDone = false;
    std::string m_line;
    std::string m_pending;
};

// Classifies a record whose fields are filled (upper-case comparisons).
void classifyRecord(CatalogueRecord& record);

// A page start's title: its name without a leading "!PAGE+", then "!PAGE",
// then "!CI" (so "!PAGE+!CI" loses both).
std::string pageTitle(std::string_view name);
