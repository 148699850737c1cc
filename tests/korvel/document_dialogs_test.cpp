// The dialogs of the file's own settings, run by the document's commands on
// a data file of their own: OK stores what the user typed and the command
// applies it; Cancel leaves document and file as they were.
// The core's headers first: Qt's "slots" keyword is a name in them.
#include "editor/desktop/document_dialogs_window.h"
#include "editor/korvel_doc.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_dir.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>

#include "editor/desktop/document_dialogs.h"

#include "tests/desktop/dialog_driver.h"

namespace {

const char* const kDataFile = "Lamp,10,lamp.jpg,Bright\n";

class NoFileDialogs : public KorvelDocumentDialogs {
public:
    bool chooseFile(const korvel::FileDialogRequest&, std::string&) override { return false; }
};

// One open data file with the commands over it.
struct Session {
    TempDir dir;
    std::string path = (dir / "shop.csv").string();
    RecordingMessages messages;
    NoFileDialogs dialogs;
    korvel::CKorvelDoc doc{messages};
    korvel::KorvelCommands commands{doc, dialogs};
    Session() {
        writeFile(path, kDataFile);
        doc.open(path, false);
    }
    std::string fileBytes() const { return readFile(path); }
};

enum class Answer { Ok, Cancel };

template <typename Dialog>
void answerWith(Answer answer, std::function<void(Dialog*)> fill) {
    whenDialogOpens<Dialog>([answer, fill](Dialog* dialog) {
        fill(dialog);
        auto* buttons = dialog->template findChild<QDialogButtonBox*>();
        QTest::mouseClick(buttons->button(answer == Answer::Ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel),
                          Qt::LeftButton);
    });
}

void type(QWidget* dialog, const char* boxName, const QString& text) {
    auto* box = dialog->findChild<QLineEdit*>(QString::fromLatin1(boxName));
    QVERIFY2(box, boxName);
    box->setText(text);
}

} // namespace

class DocumentDialogsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void metaTagsStoreTheTextOnOkOnly() {
        for (Answer answer : {Answer::Ok, Answer::Cancel}) {
            Session s;
            answerWith<CMetaTagsDlg>(answer, [](CMetaTagsDlg* dialog) {
                QCOMPARE(dialog->windowTitle(), QStringLiteral("Meta Tags"));
                dialog->findChild<QPlainTextEdit*>()->setPlainText(QStringLiteral("<META NAME=\"x\" CONTENT=\"y\">"));
            });
            QCOMPARE(s.commands.metaTags(), 0);
            const bool ok = answer == Answer::Ok;
            QCOMPARE(s.doc.file().directives.metaText, std::string(ok ? "<META NAME=\"x\" CONTENT=\"y\">" : ""));
            QCOMPARE(s.doc.isModified(), ok);
        }
    }

    void startItemPageStoresModeAndNameOnOkOnly() {
        for (Answer answer : {Answer::Ok, Answer::Cancel}) {
            Session s;
            answerWith<CStartItemPageDlg>(answer, [](CStartItemPageDlg* dialog) {
                QCOMPARE(dialog->windowTitle(), QStringLiteral("Start Item Page"));
                QRadioButton* first = nullptr;
                QRadioButton* specified = nullptr;
                for (QRadioButton* choice : dialog->findChildren<QRadioButton*>()) {
                    if (choice->text() == QStringLiteral("First Catalogue Item"))
                        first = choice;
                    if (choice->text() == QStringLiteral("Specified"))
                        specified = choice;
                }
                QVERIFY(first && specified);
                QVERIFY(first->isChecked());
                specified->click();
                type(dialog, "name", QStringLiteral("Lamp"));
            });
            QCOMPARE(s.commands.startItemPage(), 0);
            const bool ok = answer == Answer::Ok;
            QCOMPARE(s.doc.file().directives.firstItemMode, ok ? korvel::kNamedFirstItem : korvel::kFirstCatalogueItem);
            QCOMPARE(s.doc.file().directives.firstItemName, std::string(ok ? "Lamp" : ""));
            QCOMPARE(s.doc.isModified(), ok);
        }
    }

    void taxRatesAreRewrittenWhenTheirBoxIsLeft() {
        korvel::TaxTypesInput input;
        CItemTaxTypesDlg dialog(input);
        const struct {
            const char* title;
            const char* typed;
            const char* shown;
        } cases[] = {
            {"VAT", "17.5", "17.50"},
            {"Zero", "", "0.00"},
            {"", "0", ""},
            {"Odd", "abc", "0.00"},
        };
        int row = 1;
        for (const auto& c : cases) {
            auto* title = dialog.findChild<QLineEdit*>(QStringLiteral("title%1").arg(row));
            auto* rate = dialog.findChild<QLineEdit*>(QStringLiteral("rate%1").arg(row));
            QVERIFY(title && rate);
            title->setText(QString::fromLatin1(c.title));
            rate->setText(QString::fromLatin1(c.typed));
            Q_EMIT rate->editingFinished();
            QCOMPARE(rate->text(), QString::fromLatin1(c.shown));
            ++row;
        }
    }

    void taxTypesRewriteTheFileOnOkOnly() {
        for (Answer answer : {Answer::Ok, Answer::Cancel}) {
            Session s;
            answerWith<CItemTaxTypesDlg>(answer, [](CItemTaxTypesDlg* dialog) {
                QCOMPARE(dialog->windowTitle(), QStringLiteral("Item Tax Types"));
                type(dialog, "title1", QStringLiteral("VAT"));
                type(dialog, "rate1", QStringLiteral("17.5"));
            });
            QCOMPARE(s.commands.itemTaxTypes(), 0);
            const bool ok = answer == Answer::Ok;
            QCOMPARE(s.fileBytes(), std::string(ok ? "#!TAX1=VAT;17.50;\nLamp,10,lamp.jpg,,Bright\n" : kDataFile));
            QCOMPARE(s.doc.file().directives.taxCount(), ok ? 1 : 0);
            QVERIFY(s.messages.shown.empty());
        }
    }

    void optionalFieldsRewriteTheFileOnOkOnly() {
        for (Answer answer : {Answer::Ok, Answer::Cancel}) {
            Session s;
            answerWith<COptionalFieldsDlg>(answer, [](COptionalFieldsDlg* dialog) {
                QCOMPARE(dialog->windowTitle(), QStringLiteral("Catalogue Options"));
                type(dialog, "code", QStringLiteral("Ref"));
                type(dialog, "caption1", QStringLiteral("Colour"));
            });
            QCOMPARE(s.commands.optionalFields(), 0);
            const bool ok = answer == Answer::Ok;
            QCOMPARE(s.fileBytes(),
                     std::string(ok ? "#!SELECT1=Colour;\n#!CODE=Ref;\nLamp,,10,lamp.jpg,,Bright\n" : kDataFile));
            QCOMPARE(s.messages.texts(),
                     ok ? std::vector<std::string>{"The data file will be rewritten to reflect\nthe new structure - continue"}
                        : std::vector<std::string>{});
        }
    }

    void optionalFieldsStartWithTheFileCaptions() {
        Session s;
        writeFile(s.path, "#!SELECT1=Colour;SELECT2=Size;\n#!UNIT1=Each;\n#!CHARSET=latin1;\nLamp,10,Each,lamp.jpg,red,big,Bright\n");
        s.doc.open(s.path, false);
        answerWith<COptionalFieldsDlg>(Answer::Cancel, [](COptionalFieldsDlg* dialog) {
            const std::pair<const char*, const char*> shown[] = {
                {"code", ""}, {"unit", "Each"}, {"caption1", "Colour"}, {"caption2", "Size"},
                {"caption3", ""}, {"caption4", ""}, {"charset", "latin1"},
            };
            for (const auto& [name, text] : shown) {
                auto* box = dialog->findChild<QLineEdit*>(QString::fromLatin1(name));
                QVERIFY2(box, name);
                QCOMPARE(box->text(), QString::fromLatin1(text));
            }
        });
        QCOMPARE(s.commands.optionalFields(), 0);
    }
};

QTEST_MAIN(DocumentDialogsTest)
#include "document_dialogs_test.moc"
