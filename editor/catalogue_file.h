#pragma once
// The open data file and its scratch file: the file directives, the current
// and target structures, and the records added or changed since the last
// save, which are appended to the scratch file and never overwritten.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "editor/catalogue_record.h"
#include "editor/file_directives.h"
#include "editor/record_line.h"

namespace korvel {

enum class RecordFile : std::uint8_t { Data, Scratch };

struct RecordLocation {
    RecordFile file = RecordFile::Data;
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
};

class CatalogueFile {
public:
    CatalogueFile() = default;
    ~CatalogueFile();
    CatalogueFile(const CatalogueFile&) = delete;
    CatalogueFile& operator=(const CatalogueFile&) = delete;

    // Opens the data file (created empty when missing) and a fresh, empty
    // scratch file, and reads the directives; the records follow through
    // readNextRecord. False when either file cannot be opened.
    bool open(const std::string& path);
    // Closes both files; false when either close failed.
    bool close();
    bool isOpen() const { return m_data != nullptr; }

    // Reads and classifies the next record of the data file; false at its end.
    bool readNextRecord(CatalogueRecord& record);
    // Whether reading the data file ended on a read error rather than its end.
    bool readFailed() const { return m_readFailed; }

    // Appends a record to the scratch file; false when writing failed.
    bool appendScratch(const CatalogueRecord& record, RecordLocation& location);
    // Reads a record back from wherever it lies; false when it cannot.
    bool fetch(const RecordLocation& location, CatalogueRecord& record);
    bool scratchEmpty() const { return m_scratchSize == 0; }

    FileDirectives directives;
    FieldMask currentMask = kDefaultFieldMask;
    FieldMask targetMask = kDefaultFieldMask;
    FieldList currentSlots = fieldListOf(kDefaultFieldMask);
    FieldList targetSlots = fieldListOf(kDefaultFieldMask);
    // The slot each field of a restructure rewrite is taken from.
    SlotSource targetSource = identitySource();
    bool modified = false;
    CatalogueRecord work;   // the record last read

    // Sets the target structure (and where its fields come from).
    void setTarget(FieldMask mask, const SlotSource& source);

    // The directive lines a save writes: the editor's own form, unless the
    // directives are as they were read and that form would change what the
    // generator reads from them; then the lines as they were read.
    void appendDirectives(std::string& out) const;

private:
    bool openScratch();

    std::FILE* m_data = nullptr;
    std::FILE* m_scratch = nullptr;
    std::uint64_t m_scratchSize = 0;
    std::filesystem::path m_scratchFolder;
    std::string m_directiveLines;        // as read
    FileDirectives m_readDirectives;     // as read
    std::unique_ptr<LineReader> m_reader;
    bool m_readFailed = false;
};

// Removes the scratch folders in folder that processes which no longer run
// left behind (killed before they could remove their own).
void removeStaleScratchFolders(const std::filesystem::path& folder);

// Reads a record of a data file back from its offset, with the file's fields.
bool fetchDataRecord(std::FILE* data, const FieldList& fields, const RecordLocation& location,
                     CatalogueRecord& record);

} // namespace korvel
