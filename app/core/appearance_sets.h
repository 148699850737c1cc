#pragma once
// The Set Appearance dialog without its window: listing the named sets of the
// library zkas.dat, taking one as the current appearance (Use), and storing
// the current appearance under a name (Update). The dialog shows the entries
// and collects the selection and the name; every rule lives here.
#include <string>
#include <string_view>
#include <vector>

#include "model/settings_store.h"
#include "model/user_messages.h"

inline constexpr std::string_view kAppearanceLibraryFile = "zkas.dat";
inline constexpr std::string_view kUnusedSlotName = "unused";

// A library slot as the list shows it: the set's name (empty for a slot past
// the end of the file) and where the slot starts in the file.
struct AppearanceSetEntry {
    std::string name;
    long position;
};

// No entry selected in the list.
inline constexpr int kNoAppearanceSet = -1;

// A damaged header may claim any number of slots. The list never holds more
// than the file holds plus this many empty slots past its end (an empty
// library claims 22), nor more than the absolute maximum.
inline constexpr int kAppearanceSlotsPastEnd = 32;
inline constexpr int kMaxAppearanceSlots = 10000;

std::string appearanceLibraryPath(std::string_view programDir);

// One entry per slot of the header's slot count, in file order. A missing
// library is created empty (format 1, 22 slots, "Vimra 3"); when it cannot
// be, "file open error" is shown and the list is empty.
std::vector<AppearanceSetEntry> listAppearanceSets(std::string_view programDir, UserMessages& messages);

// The entry the list starts on: currentSetIndex when it names one, else none.
int initialAppearanceSelection(const GeneralSettings& general, const std::vector<AppearanceSetEntry>& entries);

// Use: reads up to a whole record from the selected slot into the appearance
// block and makes it the current set. 0; -1 after "There is no highlighted
// selection" when selected is no entry, or "file open error" when the library
// cannot be read (the blocks are then unchanged).
int useAppearanceSet(SettingsBlocks& blocks, std::string_view programDir,
                     const std::vector<AppearanceSetEntry>& entries, int selected, UserMessages& messages);

// The name the Update dialog offers: the selected set's name, or the current
// set's name when no named set is selected.
std::string suggestedAppearanceSetName(const AppearanceSet& current, const std::vector<AppearanceSetEntry>& entries,
                                       int selected);

// The slot Update writes into: the selected one, else the first free one
// (named "unused" or empty), else a new slot after the last.
int appearanceSlotToUpdate(const std::vector<AppearanceSetEntry>& entries, int selected);

// Update: stores the appearance block, renamed to name (blanks at both ends
// removed, cut to the field), into appearanceSlotToUpdate's slot. An empty
// name is refused with a message; replacing a set of another name asks first.
// On success the library is replaced whole, the block takes the name, the
// slot becomes currentSetIndex, entries are refreshed, and the slot is
// returned. -1 when refused, declined or not written (nothing changes then).
int updateAppearanceSet(SettingsBlocks& blocks, std::string_view programDir,
                        std::vector<AppearanceSetEntry>& entries, int selected, std::string_view name,
                        UserMessages& messages);
