// The folder picker's Select button on a real folder tree: accepted folders
// close the dialog, refused ones keep it open with the user told why.
#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <filesystem>

#include "app/desktop/folder_picker.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

class FolderPickerTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDir> m_dir;

    std::string at(std::string_view name) const { return (*m_dir / name).string(); }
    static QLineEdit* folderBox(const CFolderPicker& picker) { return picker.findChild<QLineEdit*>("folder"); }

private slots:
    void init() {
        m_dir = std::make_unique<TempDir>();
        fs::create_directories(*m_dir / "shown" / "sub");
        writeFile(*m_dir / "notes.txt", "x");
    }
    void cleanup() { m_dir.reset(); }

    void looksLikeAFolderPicker() {
        RecordingMessages messages;
        CFolderPicker picker("Output Directory", at("shown"), messages);
        QCOMPARE(picker.windowTitle(), QStringLiteral("Output Directory"));
        QVERIFY(folderBox(picker));
        QCOMPARE(folderBox(picker)->text(), QString::fromStdString(at("shown")));
        auto* select = picker.findChild<QPushButton*>("select");
        QVERIFY(select);
        QCOMPARE(select->text(), QStringLiteral("Select"));
        bool labelled = false;
        for (QLabel* label : picker.findChildren<QLabel*>())
            labelled = labelled || label->text() == QStringLiteral("Folder:");
        QVERIFY(labelled);
        picker.show();
        QStringList visibleButtons;
        for (QAbstractButton* button : picker.findChild<QDialogButtonBox*>()->buttons()) {
            if (button->isVisible())
                visibleButtons << button->text().remove('&');
        }
        visibleButtons.sort();
        QCOMPARE(visibleButtons, QStringList({"Cancel", "Select"}));

        // The box follows the folder being shown.
        picker.setDirectory(QString::fromStdString(at("shown/sub")));
        QCOMPARE(folderBox(picker)->text(), QString::fromStdString(at("shown/sub")));
        auto* up = picker.findChild<QToolButton*>("toParentButton");
        QVERIFY(up);
        up->click();
        QCOMPARE(folderBox(picker)->text(), QString::fromStdString(at("shown")));
    }

    void selectChecksTheTypedFolder() {
        const std::string question = "\nThis folder does not exist.\n\nDo you want to create it?";
        struct Case {
            const char* name;
            std::string typed;
            MessageAnswer answer;
            std::optional<std::string> chosen;
            std::vector<std::string> messages;
        };
        const Case cases[] = {
            {"existing folder, trailing slash", at("shown/sub") + "/", MessageAnswer::Yes, at("shown/sub"), {}},
            {"a file", at("notes.txt"), MessageAnswer::Yes, std::nullopt,
             {at("notes.txt") + "\nThis is a file not a directory."}},
            {"missing, Yes", at("made/a/b"), MessageAnswer::Yes, at("made/a/b"), {at("made/a/b") + question}},
            {"missing, No", at("left/out"), MessageAnswer::No, std::nullopt, {at("left/out") + question}},
        };
        for (const Case& c : cases) {
            qInfo("%s", c.name);
            RecordingMessages messages;
            messages.answerNext(c.answer);
            CFolderPicker picker("Output Directory", at("shown"), messages);
            picker.show();
            folderBox(picker)->setText(QString::fromStdString(c.typed));
            picker.findChild<QPushButton*>("select")->click();

            QCOMPARE(messages.texts(), c.messages);
            QCOMPARE(picker.isVisible(), !c.chosen.has_value());
            if (c.chosen) {
                QCOMPARE(picker.result(), int(QDialog::Accepted));
                QCOMPARE(picker.chosenFolder(), *c.chosen);
                QVERIFY(fs::is_directory(*c.chosen));
            } else {
                QCOMPARE(picker.focusWidget(), static_cast<QWidget*>(folderBox(picker)));
            }
        }
        QVERIFY(!fs::exists(at("left")));
    }

    void browseReturnsTheFolderOrNothing() {
        struct Case {
            bool select;
            std::optional<std::string> want;
        };
        const Case cases[] = {{true, at("shown/sub")}, {false, std::nullopt}};
        for (const Case& c : cases) {
            QTimer::singleShot(0, this, [this, &c] {
                auto* picker = qobject_cast<CFolderPicker*>(QApplication::activeModalWidget());
                QVERIFY(picker);
                folderBox(*picker)->setText("sub\\");
                if (c.select)
                    picker->findChild<QPushButton*>("select")->click();
                else
                    picker->reject();
            });
            RecordingMessages messages;
            QCOMPARE(browseFolder("Output Directory", at("shown"), messages, nullptr), c.want);
            QVERIFY(messages.shown.empty());
        }
    }
};

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    FolderPickerTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "folder_picker_test.moc"
