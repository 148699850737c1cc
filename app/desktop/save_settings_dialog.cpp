#include "app/desktop/save_settings_dialog.h"

#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStringList>

#include "app/core/settings_archive_commands.h"
#include "imagelib/file_filter.h"
#include "imagelib/settings_archive.h"
#include "model/paths.h"

namespace {

QString decoded(std::string_view text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

QStringList archiveNameFilters() {
    QStringList filters;
    for (const FileFilter& filter : parseFileFilter(kArchiveFilter))
        filters << QString::fromStdString(nameFilterLine(filter));
    return filters;
}

} // namespace

CSaveSettingsDlg::CSaveSettingsDlg(ArchiveDialogMode mode, std::string_view archivePath, UserMessages& messages,
                                   QWidget* parent)
    : QFileDialog(parent), m_mode(mode), m_messages(messages), m_comment(new QPlainTextEdit),
      m_note(new QLabel), m_lastModified(new QLabel(tr("last modified :"))) {
    // The extra controls need the dialog's own widgets, not the desktop's.
    setOption(QFileDialog::DontUseNativeDialog);
    setNameFilters(archiveNameFilters());
    const std::string startDirectory = archiveStartDirectory(archivePath);
    if (!startDirectory.empty())
        setDirectory(QFile::decodeName(nativePath(startDirectory).c_str()));
    if (mode == ArchiveDialogMode::Save) {
        setWindowTitle(decoded(kSaveArchiveTitle));
        setAcceptMode(QFileDialog::AcceptSave);
        setFileMode(QFileDialog::AnyFile);
        // accept() asks about the name the archive really gets, with ".zka" added.
        setOption(QFileDialog::DontConfirmOverwrite);
        m_note->setText(decoded(kSaveArchiveNote));
    } else {
        setWindowTitle(decoded(kRetrieveArchiveTitle));
        setAcceptMode(QFileDialog::AcceptOpen);
        setFileMode(QFileDialog::ExistingFile);
        m_comment->setReadOnly(true);
        m_note->setText(decoded(kRetrieveArchiveNote));
    }
    m_comment->setObjectName("archiveComment");
    m_note->setObjectName("archiveNote");
    m_lastModified->setObjectName("archiveLastModified");
    m_note->setWordWrap(true);
    m_comment->setMaximumHeight(m_comment->fontMetrics().lineSpacing() * 5);

    // Below the file controls, across the whole dialog.
    if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
        const int row = grid->rowCount();
        const int columns = grid->columnCount();
        grid->addWidget(new QLabel(tr("archive comments")), row, 0, 1, columns);
        grid->addWidget(m_comment, row + 1, 0, 1, columns);
        grid->addWidget(m_note, row + 2, 0, 1, columns);
        grid->addWidget(m_lastModified, row + 3, 0, 1, columns);
    }
    connect(this, &QFileDialog::currentChanged, this, &CSaveSettingsDlg::showSelection);
}

std::string CSaveSettingsDlg::selectedPath() const {
    const QStringList files = selectedFiles();
    return files.isEmpty() ? std::string() : QFile::encodeName(files.first()).toStdString();
}

std::string CSaveSettingsDlg::comment() const {
    std::string text = m_comment->toPlainText().toLocal8Bit().toStdString();
    if (text.size() >= kArchiveCommentSize)
        text.resize(kArchiveCommentSize - 1);
    return text;
}

void CSaveSettingsDlg::showSelection(const QString& path) {
    m_comment->clear();
    m_lastModified->clear();
    if (!QFileInfo(path).isFile())
        return;
    const ArchiveSelectionText text = describeArchiveSelection(QFile::encodeName(path).toStdString());
    m_comment->setPlainText(decoded(text.comment));
    m_lastModified->setText(decoded(text.lastModified));
}

void CSaveSettingsDlg::accept() {
    const std::string path = selectedPath();
    const QFileInfo chosen(QFile::decodeName(path.c_str()));
    if (m_mode == ArchiveDialogMode::Save && !path.empty() && !chosen.isDir()) {
        const std::string archive = archiveSaveName(path);
        if (QFileInfo::exists(QFile::decodeName(archive.c_str())) &&
            m_messages.show(archive + " already exists.\nDo you want to replace it?", std::string(kSaveArchiveTitle),
                            MessageButtons::YesNo) != MessageAnswer::Yes)
            return;
    }
    if (m_mode == ArchiveDialogMode::Retrieve && chosen.isFile() && !confirmArchiveToRetrieve(path, m_messages))
        return;
    QFileDialog::accept();
}

void saveSettingsCommand(SettingsBlocks& blocks, const std::string& programDir, UserMessages& messages,
                         QWidget* parent) {
    CSaveSettingsDlg dialog(ArchiveDialogMode::Save, fieldText(blocks.general.archivePath), messages, parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    saveSettingsArchive(blocks.general, programDir, dialog.selectedPath(), dialog.comment());
}

bool retrieveSettingsCommand(SettingsBlocks& blocks, const std::string& programDir, UserMessages& messages,
                             QWidget* parent) {
    CSaveSettingsDlg dialog(ArchiveDialogMode::Retrieve, fieldText(blocks.general.archivePath), messages, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    return retrieveSettingsArchive(blocks, programDir, dialog.selectedPath(), messages) == 0;
}
