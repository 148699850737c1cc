// The editor's messages as message boxes: the question asked when the window
// closes with changes, answered both ways, and the icons of refusals.
#include "editor/commands.h"
#include "editor/desktop/document_dialogs_window.h"
#include "tests/support/temp_dir.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>

#include "editor/desktop/korvel_message_boxes.h"
#include "tests/desktop/dialog_driver.h"

namespace {

class NoFileDialogs : public KorvelDocumentDialogs {
public:
    bool chooseFile(const korvel::FileDialogRequest&, std::string&) override { return false; }
};

void clickButton(QMessageBox* box, QMessageBox::StandardButton which) {
    QAbstractButton* button = box->button(which);
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace

class KorvelMessageBoxesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void saveOnExitAsksAndSavesOnYesOnly() {
        for (bool yes : {true, false}) {
            TempDir dir;
            const std::string path = (dir / "shop.csv").string();
            writeFile(path, "Lamp,10,lamp.jpg,Bright\n");
            KorvelMessageBoxes messages;
            NoFileDialogs dialogs;
            korvel::CKorvelDoc doc(messages);
            korvel::KorvelCommands commands(doc, dialogs);
            QCOMPARE(doc.open(path, false), 0);
            doc.file().directives.metaText = "<META NAME=\"a\">";
            doc.setModified();

            whenDialogOpens<QMessageBox>([yes](QMessageBox* box) {
                QCOMPARE(box->text(), QStringLiteral("Save Changes"));
                QCOMPARE(box->icon(), QMessageBox::Question);
                clickButton(box, yes ? QMessageBox::Yes : QMessageBox::No);
            });
            QCOMPARE(commands.saveOnExit(), 0);
            QCOMPARE(readFile(path),
                     std::string(yes ? "#!<META NAME=\"a\">\nLamp,10,lamp.jpg,Bright\n" : "Lamp,10,lamp.jpg,Bright\n"));
            int files = 0;
            for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
                ++files;
            QCOMPARE(files, 1);   // no backup, no temporary file left
        }
    }

    void refusalsStopAndOtherMessagesWarn() {
        const struct {
            const char* caption;
            QMessageBox::Icon icon;
        } cases[] = {
            {"File Options", QMessageBox::Critical},
            {"Item Tax Types", QMessageBox::Critical},
            {"File creation failure", QMessageBox::Critical},
            {"No Current File", QMessageBox::Warning},
            {"Korvel", QMessageBox::Warning},
        };
        KorvelMessageBoxes messages;
        for (const auto& c : cases) {
            whenDialogOpens<QMessageBox>([&c](QMessageBox* box) {
                QCOMPARE(box->windowTitle(), QString::fromLatin1(c.caption));
                QCOMPARE(box->icon(), c.icon);
                clickButton(box, QMessageBox::Ok);
            });
            QCOMPARE(messages.show("There is no current file", c.caption, MessageButtons::Ok), MessageAnswer::Ok);
        }
    }
};

QTEST_MAIN(KorvelMessageBoxesTest)
#include "korvel_message_boxes_test.moc"
