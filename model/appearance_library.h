#pragma once
// The appearance-set library zkas.dat: a 404-byte header followed by slots of
// one AppearanceSet each, and its import from the delivered AppSetValues.csv.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "model/settings_record.h"

#pragma pack(push, 1)
struct AppearanceLibraryHeader {
    std::int16_t format;        // 3 when imported, 1 when created empty
    std::uint8_t reserved2[2];
    std::int32_t setCount;      // imported sets
    std::int32_t slotCount;     // slots in the file; the only count readers use
    char signature[392];        // "Vimra3" when imported, "Vimra 3" when created empty
};
#pragma pack(pop)

static_assert(sizeof(AppearanceLibraryHeader) == 404);

inline constexpr long kAppearanceLibraryHeaderSize = 404;
inline constexpr int kSpareAppearanceSlots = 10;

// The byte position of slot k in the library.
inline long appearanceSlotOffset(int slot) {
    return kAppearanceLibraryHeaderSize + static_cast<long>(kAppearanceSetSize) * slot;
}

// Builds a new library at libraryPath from the CSV file: one set per line,
// then ten spare slots named "unused". Pictures are named under the
// "standard" folder of programDir. Returns 0, -1 when the CSV file cannot
// be opened, -2 when the library cannot be written (then "failed to open
// <path>" goes to the standard output). Short lines are warned about on
// errors. The library is replaced whole, never left half written.
int importAppearanceSets(const std::string& csvPath, const std::string& libraryPath, std::string_view programDir,
                         std::FILE* errors = stderr);

// The set in slot 0. Returns -1 and leaves set as it was when the file is
// missing or too short; 0 otherwise.
int readFirstAppearanceSet(const std::string& libraryPath, AppearanceSet& set);

// The 404-byte header; -1 and header unchanged when the file is missing or short.
int readAppearanceLibraryHeader(const std::string& libraryPath, AppearanceLibraryHeader& header);

// Fills one record from the fields of one CSV line, as the import does:
// field k (from 0) is column k+1. Returns false when the line has fewer than
// the 158 columns of a complete record (the missing fields stay zero).
bool parseAppearanceLine(const std::string& line, std::string_view programDir, AppearanceSet& set);
