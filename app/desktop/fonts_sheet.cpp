#include "app/desktop/fonts_sheet.h"

#include "app/core/font_pages.h"

CFontsSheet::CFontsSheet(SettingsBlocks& blocks, UserMessages& messages, QWidget* parent)
    : FormSheetDialog(tr("Font details"), fontSheetPages(), blocks, messages, parent) {
    resize(640, 400);
}
