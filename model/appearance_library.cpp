#include "model/appearance_library.h"

#include <climits>
#include <cstring>
#include <string_view>

#include "model/decimal_number.h"
#include "model/paths.h"
#include "model/regular_file.h"
#include "model/settings_store.h"

namespace {

constexpr int kColumnCount = 158;
constexpr std::size_t kLineLimit = 9999;
constexpr int kEndOfFileMark = 26;  // Ctrl-Z

enum class Kind { Skip, Text, Colour, Image, Int32, Byte, Font };

constexpr std::size_t kindSize(Kind kind, std::size_t textSize) {
    switch (kind) {
    case Kind::Skip: return 0;
    case Kind::Text: return textSize;
    case Kind::Colour: return sizeof(Colour);
    case Kind::Image: return sizeof(ImageName);
    case Kind::Int32: return 4;
    case Kind::Byte: return 1;
    case Kind::Font: return sizeof(FontSpec);
    }
    return 0;
}

// Which field of the record each CSV column fills. A row covers the columns
// first..last; they fill consecutive fields of the row's kind from offset on.
struct ColumnRow {
    int first;
    int last;
    std::size_t offset;
    Kind kind;
    std::size_t textSize = 0;  // for Kind::Text
};

constexpr ColumnRow kColumns[] = {
    {1, 1, 0, Kind::Text, 41},       // setName
    {2, 2, 41, Kind::Image},         // indexBackgroundImage
    {3, 3, 170, Kind::Int32},        // indexBackgroundImageMode
    {4, 4, 174, Kind::Colour},       // indexBackgroundColour
    {5, 5, 190, Kind::Colour},       // indexTextColour
    {6, 6, 206, Kind::Int32},        // indexStyle
    {7, 10, 210, Kind::Image},       // bulletImages
    {11, 16, 726, Kind::Image},      // linkImages
    {17, 17, 1500, Kind::Image},     // reserved
    {18, 18, 1629, Kind::Int32},     // reserved
    {19, 19, 1633, Kind::Int32},     // navigationAtTop
    {20, 20, 9259, Kind::Int32},     // indexMargin
    {21, 26, 1637, Kind::Font},      // indexFonts
    {27, 27, 2153, Kind::Colour},    // indexTableColour
    {28, 32, 2169, Kind::Colour},    // index/item link cells, rollovers, static text cell
    {33, 33, 2249, Kind::Colour},    // standard link cell
    {34, 34, 2265, Kind::Colour},    // standard link cell rollover
    {35, 35, 2281, Kind::Int32},     // cellAlignment
    {36, 36, 2285, Kind::Int32},     // indexTableWidth
    {37, 37, 2289, Kind::Int32},     // indexTableSpacing
    {38, 38, 2293, Kind::Byte},      // useLinkImages
    {39, 39, 2294, Kind::Byte},      // bulletAlignment
    {40, 40, 0, Kind::Skip},
    {41, 41, 2295, Kind::Image},     // itemBackgroundImage
    {42, 42, 2424, Kind::Int32},     // itemBackgroundImageMode
    {43, 43, 2428, Kind::Colour},    // itemBackgroundColour
    {44, 44, 2444, Kind::Colour},    // itemTextColour
    {45, 45, 2460, Kind::Image},     // reserved
    {46, 46, 2589, Kind::Image},     // prevNextImages 0 (previous)
    {47, 47, 2718, Kind::Image},     // prevNextImages 1 (reserved)
    {48, 48, 2847, Kind::Image},     // prevNextImages 2 (next)
    {49, 49, 2976, Kind::Image},     // prevNextImages 3 (reserved)
    {50, 50, 3105, Kind::Int32},     // itemNavigation
    {51, 51, 3109, Kind::Image},     // itemSeparatorImage
    {52, 52, 3238, Kind::Int32},     // itemSeparator
    {53, 53, 9263, Kind::Int32},     // itemMargin
    {54, 65, 3242, Kind::Font},      // itemFonts
    {66, 66, 4446, Kind::Int32},     // pictureAlignment
    {67, 67, 4450, Kind::Int32},     // reserved
    {68, 68, 4454, Kind::Image},     // calculateButtonImage
    {69, 69, 4583, Kind::Image},     // reserved
    {70, 70, 4712, Kind::Image},     // addButtonImage
    {71, 71, 4841, Kind::Image},     // reserved
    {72, 72, 4970, Kind::Image},     // updateButtonImage
    {73, 73, 5099, Kind::Image},     // reserved
    {74, 74, 0, Kind::Skip},
    {75, 77, 5228, Kind::Font},      // reserved
    {78, 80, 5486, Kind::Colour},    // itemTableColour, tableRowColours
    {81, 83, 5534, Kind::Colour},    // columnsColour, columnCellColours
    {84, 84, 5646, Kind::Byte},      // reserved
    {85, 85, 5668, Kind::Int32},     // columnsSpacing
    {86, 86, 0, Kind::Skip},
    {87, 87, 5684, Kind::Image},     // headerBackgroundImage
    {88, 88, 5813, Kind::Int32},     // headerBackgroundImageMode
    {89, 89, 5817, Kind::Colour},    // headerBackgroundColour
    {90, 90, 5833, Kind::Colour},    // headerTextColour
    {91, 91, 5849, Kind::Image},     // headerImage
    {92, 92, 5978, Kind::Image},     // headerLogoImage
    {93, 93, 6107, Kind::Image},     // reserved
    {94, 94, 6236, Kind::Image},     // reserved
    {95, 95, 6365, Kind::Int32},     // includeHeaderFrame
    {96, 98, 6598, Kind::Font},      // reserved
    {99, 99, 6453, Kind::Int32},     // navigationInHeader
    {100, 100, 6449, Kind::Int32},   // headerTableSpacing
    {101, 101, 9271, Kind::Int32},   // headerFrameMargin
    {102, 102, 0, Kind::Skip},
    {103, 103, 6856, Kind::Image},   // basketBackgroundImage
    {104, 104, 6985, Kind::Byte},    // basketBackgroundImageMode
    {105, 106, 6986, Kind::Colour},  // pageColours
    {107, 107, 7018, Kind::Image},   // basketHeadingImage
    {108, 108, 7147, Kind::Byte},    // basketHeadingImagePosition
    {109, 109, 9267, Kind::Int32},   // basketMargin
    {110, 114, 7148, Kind::Colour},  // basketColours
    {115, 117, 7228, Kind::Colour},  // reserved
    {118, 123, 7276, Kind::Font},    // basketFonts
    {124, 124, 0, Kind::Skip},
    {125, 125, 7792, Kind::Colour},  // searchBoxColour
    {126, 126, 7808, Kind::Colour},  // searchCellColour
    {127, 130, 7856, Kind::Image},   // reserved
    {131, 131, 8372, Kind::Font},    // searchFont
    {132, 133, 8458, Kind::Font},    // reserved
    {134, 134, 8630, Kind::Int32},   // reserved
    {135, 135, 8638, Kind::Int32},   // searchBoxSize
    {136, 136, 0, Kind::Skip},
    {137, 137, 8642, Kind::Byte},    // threeFrameStyle
    {138, 138, 8643, Kind::Byte},    // hideFrameBorders
    {139, 139, 8644, Kind::Byte},    // verticalMainSplit
    {140, 140, 8645, Kind::Byte},    // reserved
    {141, 146, 8646, Kind::Text, 16}, // frame sizes: indexFrameWidth .. basketTableWidth
    {147, 147, 0, Kind::Skip},
    {148, 148, 8742, Kind::Image},   // reserved
    {149, 149, 8871, Kind::Image},   // itemStyleSheet
    {150, 150, 9000, Kind::Image},   // indexStyleSheet
    {151, 151, 9129, Kind::Image},   // reserved
    {152, 152, 9258, Kind::Byte},    // linkItemCss
    {153, 153, 9279, Kind::Int32},   // scrollingTextOnIndex
    {154, 156, 9283, Kind::Colour},  // tickerColours
    {157, 158, 9347, Kind::Int32},   // tickerSize
};

// Every column 1..158 has exactly one row, in column order, and no two
// targets overlap or leave the record.
constexpr bool columnTableIsSound() {
    int next = 1;
    bool used[kAppearanceSetSize] = {};
    for (const ColumnRow& row : kColumns) {
        if (row.first != next || row.last < row.first)
            return false;
        next = row.last + 1;
        std::size_t size = kindSize(row.kind, row.textSize);
        std::size_t end = row.offset + size * static_cast<std::size_t>(row.last - row.first + 1);
        if (end > kAppearanceSetSize)
            return false;
        for (std::size_t i = row.offset; i < end; ++i) {
            if (used[i])
                return false;
            used[i] = true;
        }
    }
    return next == kColumnCount + 1;
}
static_assert(columnTableIsSound());

struct ColumnTarget {
    std::size_t offset;
    Kind kind;
    std::size_t size;
};

ColumnTarget columnTarget(int column) {
    for (const ColumnRow& row : kColumns) {
        if (column >= row.first && column <= row.last) {
            std::size_t size = kindSize(row.kind, row.textSize);
            return {row.offset + size * static_cast<std::size_t>(column - row.first), row.kind, size};
        }
    }
    return {0, Kind::Skip, 0};
}

// "face/size/colour/style". Without any "/" the font stays all zero; with one
// or two, the parts that are there are stored and the missing ones stay zero.
void storeFont(FontSpec& font, std::string_view value) {
    std::memset(&font, 0, sizeof font);
    if (value.find('/') == std::string_view::npos)
        return;
    std::string_view parts[4] = {"", "", "", ""};  // face, size, colour, style; the style part takes the rest
    for (int i = 0; i < 4; ++i) {
        std::size_t slash = i < 3 ? value.find('/') : std::string_view::npos;
        parts[i] = value.substr(0, slash);
        if (slash == std::string_view::npos)
            break;
        value.remove_prefix(slash + 1);
    }
    copyField(font.face, 41, parts[0]);
    font.size = static_cast<std::int8_t>(static_cast<std::uint8_t>(decimalNumber(parts[1])));
    copyField(font.colour, parts[2]);
    font.style = static_cast<std::uint8_t>(decimalNumber(parts[3]));
}

void storeColumn(AppearanceSet& set, int column, std::string_view value, std::string_view programDir) {
    ColumnTarget target = columnTarget(column);
    char* field = reinterpret_cast<char*>(&set) + target.offset;
    switch (target.kind) {
    case Kind::Skip:
        break;
    case Kind::Text:
    case Kind::Colour:
        copyField(field, target.size, value);
        break;
    case Kind::Image:
        if (value.empty()) {
            std::memset(field, 0, target.size);
        } else {
            std::string path = join(programDir, "standard/");
            for (char c : value)
                path += c == '\\' ? '/' : c;
            copyField(field, target.size, path);
        }
        break;
    case Kind::Int32: {
        std::int32_t number = decimalNumber(value);
        std::memcpy(field, &number, sizeof number);
        break;
    }
    case Kind::Byte:
        *reinterpret_cast<std::uint8_t*>(field) = static_cast<std::uint8_t>(decimalNumber(value));
        break;
    case Kind::Font:
        storeFont(*reinterpret_cast<FontSpec*>(field), value);
        break;
    }
}

// One line of at most kLineLimit characters, its line end included; false at
// the end of the file.
bool readLine(std::FILE* in, std::string& line) {
    line.clear();
    int c;
    while (line.size() < kLineLimit && (c = std::getc(in)) != EOF) {
        line += static_cast<char>(c);
        if (c == '\n')
            break;
    }
    return !line.empty();
}

} // namespace

bool parseAppearanceLine(const std::string& line, std::string_view programDir, AppearanceSet& set) {
    std::memset(&set, 0, sizeof set);
    std::string field;
    bool quoted = false;
    int column = 1;
    for (std::size_t i = 0;; ++i) {
        char c = i < line.size() ? line[i] : '\0';
        bool endOfLine = i >= line.size() || c == '\r' || c == '\n';
        if (endOfLine || (c == ',' && !quoted)) {
            storeColumn(set, column, field, programDir);
            if (column == kColumnCount)
                return true;
            ++column;
            field.clear();
            if (endOfLine)
                return false;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (static_cast<unsigned char>(c) >= 32) {
            field += c;
        }
    }
}

static std::string libraryHeader(int format, int sets, int slots, const char* signature) {
    AppearanceLibraryHeader header{};
    header.format = static_cast<std::int16_t>(format);
    header.setCount = sets;
    header.slotCount = slots;
    copyField(header.signature, signature);
    return std::string(reinterpret_cast<const char*>(&header), sizeof header);
}

int importAppearanceSets(const std::string& csvPath, const std::string& libraryPath, std::string_view programDir,
                         std::FILE* errors) {
    std::FILE* in = openRegularFile(csvPath);
    if (!in)
        return -1;
    // The library is built whole and then put in place, so a failure never
    // leaves a half-written zkas.dat that a later start would take as complete.
    std::string library = libraryHeader(3, 2, 3, "Vimra3");
    AppearanceSet set;
    std::string line;
    int count = 0;
    while (readLine(in, line) && line[0] != kEndOfFileMark) {
        if (!parseAppearanceLine(line, programDir, set))
            std::fputs("Warning - too few fields on input record (bburefrm)\n", errors);
        library.append(reinterpret_cast<const char*>(&set), sizeof set);
        ++count;
    }
    std::fclose(in);
    std::memset(&set, 0, sizeof set);
    copyField(set.setName, "unused");
    for (int i = 0; i < kSpareAppearanceSlots; ++i)
        library.append(reinterpret_cast<const char*>(&set), sizeof set);
    library.replace(0, sizeof(AppearanceLibraryHeader),
                    libraryHeader(3, count, count + kSpareAppearanceSlots, "Vimra3"));
    if (replaceFile(libraryPath, library) != 0) {
        std::printf("failed to open %s\n\n", libraryPath.c_str());
        std::fflush(stdout);
        return -2;
    }
    return 0;
}

static int readAt(const std::string& path, long offset, void* data, std::size_t size) {
    std::FILE* in = openRegularFile(path);
    if (!in)
        return -1;
    int result = -1;
    if (std::fseek(in, offset, SEEK_SET) == 0 && std::fread(data, 1, size, in) == size)
        result = 0;
    std::fclose(in);
    return result;
}

int readFirstAppearanceSet(const std::string& libraryPath, AppearanceSet& set) {
    AppearanceSet first;
    if (readAt(libraryPath, appearanceSlotOffset(0), &first, sizeof first) != 0)
        return -1;
    set = first;
    return 0;
}

int readAppearanceLibraryHeader(const std::string& libraryPath, AppearanceLibraryHeader& header) {
    AppearanceLibraryHeader read;
    if (readAt(libraryPath, 0, &read, sizeof read) != 0)
        return -1;
    header = read;
    return 0;
}
