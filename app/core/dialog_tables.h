#pragma once
// The simple settings dialogs as tables of fields. What they change stays in
// the record until the program writes it at exit.
#include <span>

#include "app/core/form_fields.h"

// "Frames": how many frames, their sizes, the split and the style sheets.
std::span<const FormField> framesDialogFields();
// The frames dialog does not show "include style sheets"; OK always clears it.
void storeFramesDialogExtras(SettingsBlocks& blocks);
// "Background music": the MIDI file and when it plays.
std::span<const FormField> backgroundMusicDialogFields();
// "Other Options": the six behaviour switches.
std::span<const FormField> otherOptionsDialogFields();
// "Search Details": the search programs, their output and where the box appears.
std::span<const FormField> searchDetailsDialogFields();
// "Template": the item page template.
std::span<const FormField> templateDialogFields();
