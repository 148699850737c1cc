#include "app/desktop/simple_dialogs.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>

#include "app/core/dialog_tables.h"
#include "app/core/shell.h"
#include "imagelib/widgets/record_text.h"

namespace {
// The one page of a dialog, kept for as long as the program runs.
template <std::span<const FormField> (*Fields)()>
std::span<const SheetPage> onePage() {
    static const SheetPage page{"", Fields()};
    return {&page, 1};
}

constexpr int kMidiFileControl = 1097;
}  // namespace

CFramesDlg::CFramesDlg(SettingsBlocks& blocks, UserMessages& messages, QWidget* parent)
    : FormSheetDialog(tr("Frames"), onePage<framesDialogFields>(), blocks, messages, parent), m_blocks(blocks) {}

void CFramesDlg::accept() {
    FormSheetDialog::accept();
    if (result() == QDialog::Accepted)
        storeFramesDialogExtras(m_blocks);
}

CBackgroundMusicDlg::CBackgroundMusicDlg(SettingsBlocks& blocks, UserMessages& messages, Shell& shell,
                                         QWidget* parent)
    : FormSheetDialog(tr("Background music"), onePage<backgroundMusicDialogFields>(), blocks, messages, parent),
      m_shell(shell) {
    QPushButton* playButton = buttons()->addButton(tr("Play"), QDialogButtonBox::ActionRole);
    playButton->setObjectName(QStringLiteral("playButton"));
    connect(playButton, &QPushButton::clicked, this, &CBackgroundMusicDlg::play);
}

void CBackgroundMusicDlg::play() {
    const auto* file = qobject_cast<QLineEdit*>(control(kMidiFileControl));
    if (file && !file->text().isEmpty())
        m_shell.openWithDefaultProgram(QFile::encodeName(file->text()).toStdString(), "");
}

COtherOptionsDlg::COtherOptionsDlg(SettingsBlocks& blocks, UserMessages& messages, QWidget* parent)
    : FormSheetDialog(tr("Other Options"), onePage<otherOptionsDialogFields>(), blocks, messages, parent) {}

CSearchDetailsDlg::CSearchDetailsDlg(SettingsBlocks& blocks, UserMessages& messages, QWidget* parent)
    : FormSheetDialog(tr("Search Details"), onePage<searchDetailsDialogFields>(), blocks, messages, parent) {}

CTemplateDlg::CTemplateDlg(SettingsBlocks& blocks, UserMessages& messages, QWidget* parent)
    : FormSheetDialog(tr("Template"), onePage<templateDialogFields>(), blocks, messages, parent) {}
