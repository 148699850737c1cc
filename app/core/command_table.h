#pragma once
// The generator's commands as the menus, keys, toolbar and status bar offer
// them. The window builds its menus and toolbar from this table.
#include <span>
#include <string_view>

namespace command {
inline constexpr int Create = 32771;
inline constexpr int UpdateCatView = 32791;
inline constexpr int EditInputFile = 32793;
inline constexpr int RetrieveSettings = 32801;
inline constexpr int SaveSettings = 32800;
inline constexpr int FtpSettings = 32809;
inline constexpr int UploadCatalogue = 32810;
inline constexpr int Exit = 57665;
inline constexpr int DeliveryCost = 32774;
inline constexpr int Tax = 32777;
inline constexpr int BackgroundMusic = 32775;
inline constexpr int OrderForm = 32788;
inline constexpr int Behaviour = 32789;
inline constexpr int Currencies = 32790;
inline constexpr int CommonText = 32799;
inline constexpr int Search = 32787;
inline constexpr int ScrollingText = 32824;
inline constexpr int AppearanceSets = 32779;
inline constexpr int Frames = 32780;
inline constexpr int Fonts = 32785;
inline constexpr int CustomColour = 32803;
inline constexpr int ItemTemplate = 32792;
inline constexpr int ToggleStatusBar = 59393;
inline constexpr int ToggleToolbar = 59392;
inline constexpr int HelpIndex = 57666;
inline constexpr int UsingHelp = 57668;
inline constexpr int About = 57664;
}  // namespace command

struct CommandEntry {
    int id;
    std::string_view menu;      // "File", "Data", ...; empty: reached from no menu
    std::string_view text;      // the menu entry, '&' before its mnemonic
    std::string_view shortcut;  // "Ctrl+U", ...; empty for none
    int toolbarPosition;        // 1 for the first button; 0 for none
    bool separatorBefore;       // a separator line above it in its menu
    std::string_view prompt;    // shown in the status bar while the entry is highlighted
};

// Every command, menus in their order and entries in menu order.
std::span<const CommandEntry> generatorCommands();

// The entry of id, or nullptr.
const CommandEntry* findCommand(int id);
