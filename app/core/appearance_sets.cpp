#include "app/core/appearance_sets.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "model/appearance_library.h"
#include "model/paths.h"
#include "model/regular_file.h"

namespace {

constexpr int kEmptyLibrarySlots = 22;
constexpr std::string_view kUpdateCaption = "Update Appearance Set";

AppearanceLibraryHeader emptyLibraryHeader() {
    AppearanceLibraryHeader header{};
    header.format = 1;
    header.setCount = kEmptyLibrarySlots;
    header.slotCount = kEmptyLibrarySlots;
    copyField(header.signature, "Vimra 3");
    return header;
}

std::string_view headerBytes(const AppearanceLibraryHeader& header) {
    return {reinterpret_cast<const char*>(&header), sizeof header};
}

class OpenFile {
public:
    explicit OpenFile(std::FILE* file) : m_file(file) {}
    ~OpenFile() {
        if (m_file)
            std::fclose(m_file);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    std::FILE* get() const { return m_file; }
    explicit operator bool() const { return m_file != nullptr; }

private:
    std::FILE* m_file;
};

long fileSize(std::FILE* file) {
    if (std::fseek(file, 0, SEEK_END) != 0)
        return -1;
    return std::ftell(file);
}

// Reads up to size bytes at position; how many were read.
std::size_t readAt(std::FILE* file, long position, void* data, std::size_t size) {
    if (std::fseek(file, position, SEEK_SET) != 0)
        return 0;
    return std::fread(data, 1, size, file);
}

// How many slots to list: what the header claims, but never more than the
// file holds (a last partial slot included) plus a few empty ones past it.
int listedSlotCount(std::int32_t claimed, long size) {
    long slotsInFile = 0;
    if (size > kAppearanceLibraryHeaderSize)
        slotsInFile = (size - kAppearanceLibraryHeaderSize + static_cast<long>(kAppearanceSetSize) - 1) /
                      static_cast<long>(kAppearanceSetSize);
    long limit = std::min<long>(slotsInFile + kAppearanceSlotsPastEnd, kMaxAppearanceSlots);
    return static_cast<int>(std::clamp<long>(claimed, 0, limit));
}

std::string slotName(std::FILE* file, long position) {
    char name[sizeof AppearanceSet::setName] = {};
    std::size_t read = readAt(file, position, name, sizeof name);
    return std::string(name, std::find(name, name + read, '\0'));
}

bool isFreeSlot(const AppearanceSetEntry& entry) {
    return entry.name.empty() || entry.name == kUnusedSlotName;
}

bool isEntry(const std::vector<AppearanceSetEntry>& entries, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < entries.size();
}

std::string_view trimBlanks(std::string_view text) {
    constexpr std::string_view blanks = " \t";
    std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// The library's bytes, or an empty library when there is none yet; false
// when something stands at path that cannot be read as a file.
bool readLibrary(const std::string& path, std::string& bytes) {
    FileOpening opening = FileOpening::Failed;
    OpenFile file(openRegularFile(path, &opening));
    if (!file) {
        if (opening == FileOpening::NotRegular)
            return false;
        bytes = std::string(headerBytes(emptyLibraryHeader()));
        return true;
    }
    bytes.clear();
    char buffer[65536];
    std::size_t read;
    while ((read = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        bytes.append(buffer, read);
    if (std::ferror(file.get()))
        return false;
    if (bytes.size() < sizeof(AppearanceLibraryHeader))
        bytes.replace(0, bytes.size(), headerBytes(emptyLibraryHeader()));
    return true;
}

} // namespace

std::string appearanceLibraryPath(std::string_view programDir) {
    return join(programDir, kAppearanceLibraryFile);
}

std::vector<AppearanceSetEntry> listAppearanceSets(std::string_view programDir, UserMessages& messages) {
    const std::string path = appearanceLibraryPath(programDir);
    AppearanceLibraryHeader header{};
    long size = 0;
    OpenFile file(openRegularFile(path));
    if (file) {
        size = fileSize(file.get());
        if (readAt(file.get(), 0, &header, sizeof header) != sizeof header)
            header = emptyLibraryHeader();
    }
    // A file too short for its header holds no set, so a new empty library loses nothing.
    if (!file || size < kAppearanceLibraryHeaderSize) {
        header = emptyLibraryHeader();
        size = kAppearanceLibraryHeaderSize;
        if (replaceFile(path, headerBytes(header)) != 0) {
            messages.show("file open error", "", MessageButtons::Ok);
            return {};
        }
    }
    std::vector<AppearanceSetEntry> entries;
    const int count = listedSlotCount(header.slotCount, size);
    entries.reserve(static_cast<std::size_t>(count));
    for (int slot = 0; slot < count; ++slot) {
        const long position = appearanceSlotOffset(slot);
        entries.push_back({file && position < size ? slotName(file.get(), position) : std::string(), position});
    }
    return entries;
}

int initialAppearanceSelection(const GeneralSettings& general, const std::vector<AppearanceSetEntry>& entries) {
    return isEntry(entries, general.currentSetIndex) ? general.currentSetIndex : kNoAppearanceSet;
}

int useAppearanceSet(SettingsBlocks& blocks, std::string_view programDir,
                     const std::vector<AppearanceSetEntry>& entries, int selected, UserMessages& messages) {
    if (!isEntry(entries, selected)) {
        messages.show("There is no highlighted selection", "", MessageButtons::Ok);
        return -1;
    }
    OpenFile file(openRegularFile(appearanceLibraryPath(programDir)));
    if (!file) {
        messages.show("file open error", "", MessageButtons::Ok);
        return -1;
    }
    // A slot cut short by the end of the file replaces only what it holds.
    AppearanceSet set = blocks.appearance;
    readAt(file.get(), entries[static_cast<std::size_t>(selected)].position, &set, sizeof set);
    blocks.appearance = set;
    blocks.general.currentSetIndex = static_cast<std::int16_t>(selected);
    return 0;
}

std::string suggestedAppearanceSetName(const AppearanceSet& current, const std::vector<AppearanceSetEntry>& entries,
                                       int selected) {
    if (isEntry(entries, selected) && !isFreeSlot(entries[static_cast<std::size_t>(selected)]))
        return entries[static_cast<std::size_t>(selected)].name;
    return std::string(fieldText(current.setName));
}

int appearanceSlotToUpdate(const std::vector<AppearanceSetEntry>& entries, int selected) {
    if (isEntry(entries, selected))
        return selected;
    auto free = std::find_if(entries.begin(), entries.end(), isFreeSlot);
    return static_cast<int>(free - entries.begin());
}

int updateAppearanceSet(SettingsBlocks& blocks, std::string_view programDir,
                        std::vector<AppearanceSetEntry>& entries, int selected, std::string_view name,
                        UserMessages& messages) {
    const std::string caption(kUpdateCaption);
    const std::string_view trimmed = trimBlanks(name);
    if (trimmed.empty()) {
        messages.show("Please enter a name for the appearance set", caption, MessageButtons::Ok);
        return -1;
    }
    AppearanceSet record = blocks.appearance;
    copyField(record.setName, trimmed);
    const std::string storedName(fieldText(record.setName));

    const int slot = appearanceSlotToUpdate(entries, selected);
    if (slot >= kMaxAppearanceSlots) {
        messages.show("The appearance library is full", caption, MessageButtons::Ok);
        return -1;
    }
    const std::string path = appearanceLibraryPath(programDir);
    std::string library;
    if (!readLibrary(path, library)) {
        messages.show("file open error", "", MessageButtons::Ok);
        return -1;
    }
    // The name is taken from the file, not the list: a damaged slot count can
    // hide a set behind the last listed slot, and it is not overwritten unasked.
    const std::size_t position = static_cast<std::size_t>(appearanceSlotOffset(slot));
    AppearanceSetEntry replaced{"", static_cast<long>(position)};
    if (position < library.size()) {
        const std::string_view stored = std::string_view(library).substr(position, sizeof record.setName);
        replaced.name = std::string(stored.substr(0, stored.find('\0')));
    }
    if (!isFreeSlot(replaced) && replaced.name != storedName &&
        messages.show("Replace the appearance set \"" + replaced.name + "\" with \"" + storedName + "\"?", caption,
                      MessageButtons::YesNo) != MessageAnswer::Yes)
        return -1;

    if (library.size() < position + sizeof record)
        library.resize(position + sizeof record, '\0');
    library.replace(position, sizeof record, reinterpret_cast<const char*>(&record), sizeof record);
    AppearanceLibraryHeader header;
    std::memcpy(&header, library.data(), sizeof header);
    if (header.slotCount < slot + 1) {
        header.slotCount = slot + 1;
        library.replace(0, sizeof header, headerBytes(header));
    }
    if (replaceFile(path, library) != 0) {
        messages.show("failed to save the appearance set", caption, MessageButtons::Ok);
        return -1;
    }

    copyField(blocks.appearance.setName, storedName);
    blocks.general.currentSetIndex = static_cast<std::int16_t>(slot);
    if (static_cast<std::size_t>(slot) == entries.size())
        entries.push_back({storedName, static_cast<long>(position)});
    else
        entries[static_cast<std::size_t>(slot)].name = storedName;
    return slot;
}
