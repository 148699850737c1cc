#pragma once
// Loading and saving the generator's two settings blocks: ZK002.dat holds
// GeneralSettings, ZK003.dat holds AppearanceSet, both raw images in the
// program directory (programDir, a folder) that the caller names.
#include <cstddef>
#include <string>
#include <string_view>

#include "model/settings_record.h"
#include "model/user_messages.h"

inline constexpr std::string_view kGeneralSettingsFile = "ZK002.dat";
inline constexpr std::string_view kAppearanceSetFile = "ZK003.dat";

struct SettingsBlocks {
    GeneralSettings general;
    AppearanceSet appearance;
};  // zero-initialised by value-initialisation: SettingsBlocks blocks{};

// Document start: zeroes both blocks, reads ZK002.dat (factory defaults when
// it cannot be opened), then reads ZK003.dat when it can be opened. A short
// file fills what it holds and leaves the rest zero; extra bytes are ignored.
void loadSettings(SettingsBlocks& blocks, std::string_view programDir);

// The factory settings: imports AppSetValues.csv into zkas.dat when zkas.dat
// does not exist, takes its first set as the appearance block (the block is
// kept when there is none), and fills the general block with the defaults.
void loadFactoryDefaults(SettingsBlocks& blocks, std::string_view programDir);

// Write the block whole to ZK002.dat / ZK003.dat. The file is replaced
// atomically, so a failed save leaves the old one intact. On failure the user
// sees "failed to save data (1)" / "(2)" and -1 is returned; 0 on success.
int saveGeneralSettings(const GeneralSettings& general, UserMessages& messages, std::string_view programDir);
int saveAppearanceSet(const AppearanceSet& appearance, UserMessages& messages, std::string_view programDir);

// Full paths of the two defaults files in the program directory.
std::string generalSettingsPath(std::string_view programDir);
std::string appearanceSetPath(std::string_view programDir);

// Reads at most size bytes of the file at path into block and returns how many
// were read, or -1 when the file cannot be opened. The bytes the file does not
// reach are left as they were.
long readBlockFile(const std::string& path, void* block, std::size_t size);

// Replaces the file at path with bytes: writes a temporary file beside it,
// flushes it to disk and renames it over the old one. 0 or -1.
int replaceFile(const std::string& path, std::string_view bytes);
