#include "app/desktop/folder_picker.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

#include "app/core/folder_validation.h"
#include "model/paths.h"

namespace {

QString shownText(const std::string& bytes) { return QFile::decodeName(QByteArray::fromStdString(bytes)); }
std::string bytesOf(const QString& text) { return QFile::encodeName(text).toStdString(); }

}  // namespace

CFolderPicker::CFolderPicker(const std::string& title, const std::string& start, UserMessages& messages,
                             QWidget* parent)
    : QFileDialog(parent), m_title(title), m_messages(messages) {
    setOption(QFileDialog::DontUseNativeDialog);
    setOption(QFileDialog::ShowDirsOnly);
    setFileMode(QFileDialog::Directory);
    setWindowTitle(shownText(title));
    setLabelText(QFileDialog::FileName, tr("Folder:"));

    m_folder = new QLineEdit(this);
    m_folder->setObjectName("folder");
    m_select = new QPushButton(tr("Select"), this);
    m_select->setObjectName("select");
    placeOwnControls();
    connect(m_select, &QPushButton::clicked, this, &CFolderPicker::accept);
    // The dialog's model changes its root whichever way a folder is shown.
    if (auto* shown = findChild<QFileSystemModel*>())
        connect(shown, &QFileSystemModel::rootPathChanged, m_folder, &QLineEdit::setText);
    else
        connect(this, &QFileDialog::directoryEntered, m_folder, &QLineEdit::setText);

    const std::string startFolder = nativePath(start);
    if (!startFolder.empty())
        setDirectory(shownText(startFolder));
    m_folder->setText(startFolder.empty() ? directory().absolutePath() : shownText(startFolder));
}

// Our box and button take the places of the dialog's own file name box and
// its accept button, which would refuse a folder that does not exist yet.
void CFolderPicker::placeOwnControls() {
    auto* grid = qobject_cast<QGridLayout*>(layout());
    auto* nameEdit = findChild<QLineEdit*>("fileNameEdit");
    auto* buttons = findChild<QDialogButtonBox*>("buttonBox");
    if (grid && nameEdit && grid->indexOf(nameEdit) >= 0) {
        int row, column, rowSpan, columnSpan;
        grid->getItemPosition(grid->indexOf(nameEdit), &row, &column, &rowSpan, &columnSpan);
        nameEdit->hide();
        grid->addWidget(m_folder, row, column, rowSpan, columnSpan);
    } else if (grid) {
        grid->addWidget(m_folder, grid->rowCount(), 0, 1, grid->columnCount());
    }
    if (buttons) {
        // Adding a button shows all of the box's buttons again: hide after.
        buttons->addButton(m_select, QDialogButtonBox::ActionRole);
        for (QAbstractButton* button : buttons->buttons()) {
            if (buttons->buttonRole(button) == QDialogButtonBox::AcceptRole)
                button->hide();
        }
    } else if (grid) {
        grid->addWidget(m_select, grid->rowCount(), 0);
    }
    m_select->setDefault(true);
}

void CFolderPicker::accept() {
    const std::optional<std::string> folder =
        selectFolder(bytesOf(m_folder->text()), shownFolder(), m_title, m_messages);
    if (!folder) {
        m_folder->setFocus();
        return;
    }
    m_chosen = *folder;
    QDialog::accept();
}

std::string CFolderPicker::shownFolder() const { return bytesOf(directory().absolutePath()); }

std::optional<std::string> browseFolder(const std::string& title, const std::string& start, UserMessages& messages,
                                        QWidget* parent) {
    CFolderPicker picker(title, start, messages, parent);
    if (picker.exec() != QDialog::Accepted)
        return std::nullopt;
    return picker.chosenFolder();
}
