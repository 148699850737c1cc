#pragma once
// "Font details": the faces, sizes, colours and styles of the catalogue's
// texts, a page per part of the catalogue.
#include "app/desktop/form_sheet_dialog.h"

class CFontsSheet : public FormSheetDialog {
    Q_OBJECT
public:
    CFontsSheet(SettingsBlocks& blocks, UserMessages& messages, QWidget* parent = nullptr);
};
