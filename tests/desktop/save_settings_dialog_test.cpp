// The settings-archive file dialog on a fresh program directory: a round trip
// through Save and Retrieve, refused files, overwriting, and the selection display.
#include "app/desktop/save_settings_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <filesystem>
#include <map>
#include <memory>

#include "app/core/settings_archive_commands.h"
#include "imagelib/settings_archive.h"
#include "model/paths.h"
#include "tests/desktop/dialog_driver.h"
#include "tests/support/child_process.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

class SaveSettingsDialogTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempDir> m_dir;
    std::string m_programDir;
    std::unique_ptr<SettingsBlocks> m_blocks;
    RecordingMessages m_messages;

    QString inDir(const char* name) const { return QString::fromStdString((m_dir->path() / name).string()); }

    void setTaxRateOnDisk(double rate) {
        m_blocks->general.taxRate = rate;
        QCOMPARE(saveGeneralSettings(m_blocks->general, m_messages, m_programDir), 0);
    }

    std::map<std::string, std::string> settingsFiles() const {
        std::map<std::string, std::string> files;
        for (std::string_view name : settingsArchiveFiles())
            files[std::string(name)] = readFile(m_dir->path() / "vimra" / name);
        return files;
    }

    // Types the path into the file name box, as a user would. (selectFile
    // races the dialog's folder listing for a file that exists.)
    static void typeFileName(QFileDialog* dialog, const QString& path) {
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        QVERIFY(name);
        name->setText(path);
    }

    static QPlainTextEdit* commentBox(QFileDialog* dialog) {
        return dialog->findChild<QPlainTextEdit*>("archiveComment");
    }

    static QString labelText(QFileDialog* dialog, const char* name) {
        return dialog->findChild<QLabel*>(name)->text();
    }

private slots:
    void init() {
        m_dir = std::make_unique<TempDir>();
        copyFreshProgramDirectory(VIMRA_PROGRAM_DIR, m_dir->path() / "vimra");
        m_programDir = (m_dir->path() / "vimra").string() + "/";
        m_blocks = std::make_unique<SettingsBlocks>();
        loadSettings(*m_blocks, m_programDir);
        QCOMPARE(saveAppearanceSet(m_blocks->appearance, m_messages, m_programDir), 0);
        m_messages.shown.clear();
    }

    void aSavedArchiveBringsTheSettingsBack() {
        setTaxRateOnDisk(12.5);
        bool saveDialogSeen = false;
        whenDialogOpens<CSaveSettingsDlg>([&](CSaveSettingsDlg* dialog) {
            saveDialogSeen = true;
            QCOMPARE(dialog->windowTitle(), QString("Save Current Settings"));
            QCOMPARE(labelText(dialog, "archiveNote").toStdString(), std::string(kSaveArchiveNote));
            QVERIFY(!commentBox(dialog)->isReadOnly());
            typeFileName(dialog, inDir("spring"));
            commentBox(dialog)->setPlainText("spring prices");
            dialog->accept();
        });
        saveSettingsCommand(*m_blocks, m_programDir, m_messages, nullptr);
        QVERIFY(saveDialogSeen);
        const std::string archive = (m_dir->path() / "spring.zka").string();
        QVERIFY(fs::is_regular_file(archive));
        QCOMPARE(std::string(fieldText(m_blocks->general.archivePath)), archive);
        QCOMPARE(describeArchiveSelection(archive).comment, std::string("spring prices"));

        setTaxRateOnDisk(20.0);
        QString startFolder;
        whenDialogOpens<CSaveSettingsDlg>([&](CSaveSettingsDlg* dialog) {
            QCOMPARE(dialog->windowTitle(), QString("Restore Settings from File"));
            QCOMPARE(labelText(dialog, "archiveNote").toStdString(), std::string(kRetrieveArchiveNote));
            QVERIFY(commentBox(dialog)->isReadOnly());
            startFolder = dialog->directory().absolutePath();
            typeFileName(dialog, QString::fromStdString(archive));
            dialog->accept();
        });
        QVERIFY(retrieveSettingsCommand(*m_blocks, m_programDir, m_messages, nullptr));
        QCOMPARE(startFolder, QString::fromStdString(m_dir->path().string()));
        QCOMPARE(double(m_blocks->general.taxRate), 12.5);
        QVERIFY(m_messages.shown.empty());
    }

    void retrieveRefusesWhatIsNotAnArchiveAndStaysOpen() {
        writeFile(m_dir->path() / "notes.zka", "just some notes");
        CSaveSettingsDlg dialog(ArchiveDialogMode::Retrieve, "", m_messages);
        dialog.show();
        typeFileName(&dialog, inDir("notes.zka"));
        dialog.accept();

        QCOMPARE(m_messages.texts(), std::vector<std::string>{"Not a valid archive file"});
        QCOMPARE(m_messages.shown[0].caption, std::string("Open Error"));
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.result() != QDialog::Accepted);
    }

    void aTruncatedArchiveLeavesTheSettingsFilesAlone() {
        setTaxRateOnDisk(12.5);
        const std::string archive = (m_dir->path() / "cut.zka").string();
        QCOMPARE(saveSettingsArchive(m_blocks->general, m_programDir, archive, "to be cut"), 0);
        const std::string whole = readFile(archive);
        writeFile(archive, whole.substr(0, whole.size() - 30));
        setTaxRateOnDisk(20.0);
        const auto before = settingsFiles();

        whenDialogOpens<CSaveSettingsDlg>([&](CSaveSettingsDlg* dialog) {
            typeFileName(dialog, QString::fromStdString(archive));
            dialog->accept();  // refused: the dialog stays open and is then cancelled
        });
        QVERIFY(!retrieveSettingsCommand(*m_blocks, m_programDir, m_messages, nullptr));
        QVERIFY(!m_messages.shown.empty());
        QVERIFY(settingsFiles() == before);
        QCOMPARE(double(m_blocks->general.taxRate), 20.0);
    }

    void savingOverAnExistingArchiveAsksFirst() {
        const std::string archive = (m_dir->path() / "old.zka").string();
        QCOMPARE(saveSettingsArchive(m_blocks->general, m_programDir, archive, "old"), 0);
        for (MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
            m_messages.shown.clear();
            m_messages.answerNext(answer);
            CSaveSettingsDlg dialog(ArchiveDialogMode::Save, "", m_messages);
            dialog.show();
            // Typed without its extension: the question names the file the archive would replace.
            typeFileName(&dialog, inDir("old"));
            dialog.accept();
            QCOMPARE(m_messages.texts(), std::vector<std::string>{archive + " already exists.\nDo you want to replace it?"});
            QCOMPARE(m_messages.shown[0].buttons, MessageButtons::YesNo);
            QCOMPARE(dialog.result() == QDialog::Accepted, answer == MessageAnswer::Yes);
        }
    }

    void theSelectionShowsTheArchivesCommentAndDate() {
        const std::string archive = (m_dir->path() / "dated.zka").string();
        QCOMPARE(saveSettingsArchive(m_blocks->general, m_programDir, archive, "summer sale"), 0);
        writeFile(m_dir->path() / "plain.txt", "text");
        const ArchiveSelectionText wanted = describeArchiveSelection(archive);
        QVERIFY(wanted.lastModified.rfind("last modified : ", 0) == 0);

        for (ArchiveDialogMode mode : {ArchiveDialogMode::Save, ArchiveDialogMode::Retrieve}) {
            CSaveSettingsDlg dialog(mode, archive, m_messages);
            QCOMPARE(dialog.directory().absolutePath(), QString::fromStdString(m_dir->path().string()));
            QCOMPARE(labelText(&dialog, "archiveLastModified"), QString("last modified :"));

            emit dialog.currentChanged(QString::fromStdString(archive));
            QCOMPARE(commentBox(&dialog)->toPlainText(), QString("summer sale"));
            QCOMPARE(labelText(&dialog, "archiveLastModified").toStdString(), wanted.lastModified);

            for (const char* other : {"plain.txt", ""}) {
                emit dialog.currentChanged(other[0] ? inDir(other) : QString::fromStdString(m_dir->path().string()));
                QCOMPARE(commentBox(&dialog)->toPlainText(), QString());
                QCOMPARE(labelText(&dialog, "archiveLastModified"), QString());
            }
        }
        QVERIFY(m_messages.shown.empty());
    }
};

QTEST_MAIN(SaveSettingsDialogTest)
#include "save_settings_dialog_test.moc"
