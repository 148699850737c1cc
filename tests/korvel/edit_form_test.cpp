// The entry form in the main window: what it shows of an entry and the
// file, the controls each kind enables, storing edits when the form loses
// the focus, the page-start tick, the picture boxes, the options tabs, the
// description aids and the Edit menu, and a whole edit read back as the
// generator reads the saved file.
// Editor headers come before Qt's, which define `slots` as a word of their own.
#include "editor/generator_reading.h"
#include "editor/desktop/description_editor.h"
#include "editor/desktop/main_frame.h"
#include "tests/korvel/entry_lookup.h"
#include "editor/desktop/selects_edit_dialog.h"
#include "imagelib/widgets/img_dialog.h"
#include "imagelib/widgets/picture_preview_frame.h"
#include "tests/desktop/dialog_driver.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_dir.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTabBar>
#include <QTest>
#include <memory>

namespace {

constexpr const char* kCatalogue =
    "#!CODE=Code;\n"
    "#!UNIT1=Unit;\n"
    "#!SELECT1=Size;\n"
    "#!SELECT2=Colour;\n"
    "#!TAX1=Standard;20;\n"
    "#!TAX2=Zero;0;\n"
    "Mugs,,,,INDEX,,,,\n"
    "Big mug,M1,4.00,each,mug.png,Large|Small,Red|Blue,2,Holds a pint\n"
    "Small mug,M2,3.00,each,,,,,Small\n"
    "END INDEX\n"
    "END PAGE\n"
    "!COL3\n";

std::vector<std::string> generatorReading(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return {"cannot open " + path};
    std::vector<std::string> reading = korvel::comparableReading(file);
    std::fclose(file);
    return reading;
}

// A window over its own copy of the catalogue; every message recorded.
struct Window {
    explicit Window(const char* catalogue = kCatalogue) : path((folder / "shop.txt").string()) {
        writeFile(path, catalogue);
        frame = std::make_unique<CMainFrame>(messages, folder.str());
        frame->resize(1000, 700);
        frame->show();
        QApplication::setActiveWindow(frame.get());
        QVERIFY(QTest::qWaitForWindowActive(frame.get()));
        frame->openPath(path);
        frame->leftView().expandAll();
    }
    CLeftView& view() { return frame->leftView(); }
    korvel::CKorvelDoc& doc() { return frame->document(); }
    CEditForm1& form() { return frame->form(); }
    template <typename Control>
    Control* control(const char* name) { return child<Control>(&form(), name); }
    QLineEdit* box(const char* name) { return control<QLineEdit>(name); }
    QPlainTextEdit* description() { return control<QPlainTextEdit>("descriptionBox"); }

    QModelIndex find(const QString& label) { return findEntry(view(), label); }
    // A click on the entry in the tree, as the user makes it: the tree takes
    // the focus first.
    void click(const QString& label) {
        QModelIndex index = find(label);
        QVERIFY2(index.isValid(), qPrintable(label));
        QTest::mouseClick(view().viewport(), Qt::LeftButton, {}, view().visualRect(index).center());
        QCOMPARE(QString::fromStdString(doc().currentLabel()), label);
    }
    // Typing into a box replaces what it holds.
    void type(QWidget* box, const QString& text) {
        box->setFocus();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty())
            QTest::keyClick(box, Qt::Key_Delete);
        else
            QTest::keyClicks(box, text);
    }
    korvel::CatalogueRecord record(const QString& label) {
        korvel::CatalogueRecord found;
        for (int entry = 0; entry < doc().entryCount(); ++entry) {
            if (doc().treeItem(entry) != korvel::kNoItem && doc().treeLabel(entry) == label.toStdString())
                doc().readEntry(entry, found);
        }
        return found;
    }

    TempDir folder;
    std::string path;
    RecordingMessages messages;
    std::unique_ptr<CMainFrame> frame;
};

QAction* editAction(CMainFrame& frame, const QString& text) {
    for (QAction* menu : frame.menuBar()->actions()) {
        if (menu->text() != QStringLiteral("&Edit"))
            continue;
        for (QAction* action : menu->menu()->actions())
            if (action->text() == text)
                return action;
    }
    qWarning("no Edit action %s", qPrintable(text));
    return nullptr;
}

}  // namespace

class EditFormTest : public QObject {
    Q_OBJECT
private:
    TempDir m_settings;

private Q_SLOTS:
    void initTestCase() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(m_settings.str()));
    }

    void showsTheEntryAsTheFileHasIt() {
        Window window;
        QImage(40, 30, QImage::Format_RGB32).save(QString::fromStdString((window.folder / "mug.png").string()));
        writeFile(window.path, std::string(kCatalogue).replace(std::string(kCatalogue).find("mug.png"), 7,
                                                               (window.folder / "mug.png").string()));
        window.frame->openPath(window.path);
        window.view().expandAll();
        window.click("Big mug");
        QCOMPARE(window.control<QLabel>("entryType")->text(), QStringLiteral("item"));
        QCOMPARE(window.box("textBox")->text(), QStringLiteral("Big mug"));
        QCOMPARE(window.box("codeBox")->text(), QStringLiteral("M1"));
        QCOMPARE(window.box("priceBox")->text(), QStringLiteral("4.00"));
        QCOMPARE(window.box("unitBox")->text(), QStringLiteral("each"));
        QCOMPARE(window.box("firstPictureBox")->text(), QString::fromStdString((window.folder / "mug.png").string()));
        QVERIFY(window.control<PicturePreviewFrame>("picturePreview")->picture());
        auto* tabs = window.control<QTabBar>("optionsTabs");
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(tabs->tabText(1), QStringLiteral("Colour"));
        QCOMPARE(tabs->currentIndex(), 0);
        QCOMPARE(window.box("optionsBox")->text(), QStringLiteral("Large|Small"));
        auto* tax = window.control<QComboBox>("taxList");
        QCOMPARE(tax->count(), 2);
        QCOMPARE(tax->currentText(), QStringLiteral("Zero"));
        QCOMPARE(window.description()->toPlainText(), QStringLiteral("Holds a pint"));

        // A file without optional fields shows none of their controls.
        Window plain("Tea,4.00,tea.jpg,Green\n");
        plain.click("Tea");
        for (const char* name : {"codeBox", "codeCaption", "unitBox", "unitCaption", "optionsTabs", "optionsBox",
                                 "optionsEdit", "taxList", "taxCaption"})
            QVERIFY2(plain.control<QWidget>(name)->isHidden(), name);
        QVERIFY(!plain.control<QWidget>("priceBox")->isHidden());
    }

    void eachKindEnablesItsControls() {
        Window window;
        window.click("Small mug");
        window.view().insertEntry(korvel::kDirective);
        const QStringList all = {"textBox", "codeBox", "priceBox", "unitBox", "firstPictureBox", "secondPictureBox",
                                 "firstPictureBrowse", "secondPictureBrowse", "startPage", "optionsTabs",
                                 "optionsBox", "optionsEdit", "taxList", "descriptionBox", "descriptionEdit"};
        struct Case {
            const char* label;
            const char* type;
            const char* textCaption;
            QStringList enabled;
        };
        const Case cases[] = {
            {"Big mug", "item", "Text", all},
            {"Mugs", "index", "Text", {"textBox"}},
            {"3", "start of columns layout", "No. Columns", {"textBox"}},
            {"new item", "header/footer directive", "Text", {"descriptionBox"}},
            {"END PAGE", "end page", "Text", {}},
        };
        for (const Case& c : cases) {
            QModelIndex index = window.find(c.label == QStringLiteral("3") ? QStringLiteral("columns (3)") : c.label);
            QVERIFY2(index.isValid(), c.label);
            window.view().setCurrentIndex(index);
            QCOMPARE(window.control<QLabel>("entryType")->text(), QString::fromLatin1(c.type));
            QCOMPARE(window.control<QLabel>("textCaption")->text(), QString::fromLatin1(c.textCaption));
            for (const QString& name : all) {
                bool enabled = window.control<QWidget>(name.toLatin1().constData())->isEnabled();
                QVERIFY2(enabled == c.enabled.contains(name), qPrintable(QString::fromLatin1(c.label) + " " + name));
            }
        }
        // With no entry current the form is empty and nothing can be edited.
        window.view().setCurrentIndex(window.find("Mugs"));
        window.doc().setCurrent(-1);
        window.form().load(CEditForm1::PendingEdits::Drop);
        QVERIFY(window.box("textBox")->text().isEmpty());
        QVERIFY(!window.box("textBox")->isEnabled());
    }

    void leavingTheFormStoresTheEdits() {
        Window window;
        window.click("Big mug");
        window.type(window.box("textBox"), "Big mug, blue");
        window.type(window.box("firstPictureBox"), "");
        window.type(window.box("secondPictureBox"), "blue.jpg");
        QVERIFY2(!window.doc().isModified(), "nothing stored while the form has the focus");

        window.click("Small mug");
        QVERIFY(window.doc().isModified());
        QVERIFY2(window.find("Big mug, blue").isValid(), "the tree shows the new label");
        QCOMPARE(window.box("textBox")->text(), QStringLiteral("Small mug"));
        korvel::CatalogueRecord stored = window.record("Big mug, blue");
        QCOMPARE(stored.field(kPictureSlot), std::string("blue.jpg"));

        // Moving on without a change stores nothing more.
        window.click("Big mug, blue");
        window.box("textBox")->setFocus();
        window.click("Small mug");
        QCOMPARE(window.record("Small mug").name(), std::string("Small mug"));
    }

    void commandsStoreTheEditsFirst() {
        Window window;
        window.click("Small mug");
        window.type(window.box("priceBox"), "3.50");
        // The menu keeps the focus in the box; the command stores the form first.
        window.frame->action(kIdFileSave)->trigger();
        QVERIFY(readFile(window.path).find("Small mug,M2,3.50,each") != std::string::npos);
        QVERIFY(window.messages.texts().empty());
    }

    void startPageHereMakesAPageStart() {
        Window window;
        window.click("Small mug");
        window.control<QCheckBox>("startPage")->setFocus();
        window.control<QCheckBox>("startPage")->click();
        window.click("Big mug");
        QCOMPARE(window.doc().getKind(2), int(korvel::kPageStart));
        window.click("Small mug");
        QCOMPARE(window.control<QLabel>("entryType")->text(), QStringLiteral("page start"));
        QVERIFY(window.control<QCheckBox>("startPage")->isChecked());
        window.frame->action(kIdFileSave)->trigger();
        QVERIFY(readFile(window.path).find("\n!PAGESmall mug,M2,3.00") != std::string::npos);
    }

    void pictureButtonsChooseStoreAndPreview() {
        Window window;
        std::filesystem::create_directory(window.folder / "example");
        std::string picture = (window.folder / "Blue Mug.png").string();
        QImage(40, 30, QImage::Format_RGB32).save(QString::fromStdString(picture));
        window.click("Small mug");
        QString title;
        whenDialogOpens<CImgDialog>([&](CImgDialog* dialog) {
            title = dialog->windowTitle();
            dialog->selectFile(QString::fromStdString(picture));
            static_cast<QDialog*>(dialog)->accept();
        });
        window.control<QPushButton>("firstPictureBrowse")->click();
        QCOMPARE(title, QStringLiteral("item image 1"));
        QCOMPARE(window.box("firstPictureBox")->text(), QString::fromStdString(picture));
        QVERIFY(window.control<PicturePreviewFrame>("picturePreview")->picture());
        QVERIFY2(window.doc().isModified(), "a chosen picture is stored at once");
        QCOMPARE(window.record("Small mug").field(kPictureSlot), picture);

        QString folder;
        whenDialogOpens<CImgDialog>([&](CImgDialog* dialog) {
            title = dialog->windowTitle();
            folder = dialog->directory().absolutePath();
            dialog->reject();
        });
        window.control<QPushButton>("secondPictureBrowse")->click();
        QCOMPARE(title, QStringLiteral("item image 2"));
        // An empty box starts in the generator's picture folder.
        QCOMPARE(folder, QString::fromStdString((window.folder / "example").string()));
        QCOMPARE(window.record("Small mug").field(kPictureSlot), picture);
    }

    void optionsTabsKeepEachListsEdits() {
        Window window;
        window.click("Big mug");
        auto* tabs = window.control<QTabBar>("optionsTabs");
        window.type(window.box("optionsBox"), "Large|Small|Tiny");
        tabs->setCurrentIndex(1);
        QCOMPARE(window.box("optionsBox")->text(), QStringLiteral("Red|Blue"));
        window.type(window.box("optionsBox"), "Red|Green");
        tabs->setCurrentIndex(0);
        QCOMPARE(window.box("optionsBox")->text(), QStringLiteral("Large|Small|Tiny"));
        window.click("Small mug");
        korvel::CatalogueRecord stored = window.record("Big mug");
        QCOMPARE(stored.field(kFirstSelectionSlot), std::string("Large|Small|Tiny"));
        QCOMPARE(stored.field(kFirstSelectionSlot + 1), std::string("Red|Green"));
    }

    void selectsEditRewritesTheChosenList() {
        Window window;
        window.click("Big mug");
        window.control<QTabBar>("optionsTabs")->setCurrentIndex(1);
        QStringList shownRows;
        whenDialogOpens<CSelectsEditDlg>([&](CSelectsEditDlg* dialog) {
            auto* list = child<QListWidget>(dialog, "optionsList");
            for (int row = 0; row < list->count(); ++row)
                shownRows << list->item(row)->text();
            child<QCheckBox>(dialog, "includePriceVariations")->click();
            list->setCurrentRow(0);
            QLineEdit* variation = child<QLineEdit>(dialog, "priceVariation");
            variation->setFocus();
            QTest::keyClicks(variation, QStringLiteral("1.50"));
            dialog->accept();
        });
        window.control<QPushButton>("optionsEdit")->click();
        QCOMPARE(shownRows, (QStringList{"Red", "Blue"}));
        QCOMPARE(window.box("optionsBox")->text(), QStringLiteral("#!PV;Red (1.50)|Blue"));
        window.click("Small mug");
        korvel::CatalogueRecord stored = window.record("Big mug");
        QCOMPARE(stored.field(kFirstSelectionSlot + 1), std::string("#!PV;Red (1.50)|Blue"));
        QCOMPARE(stored.field(kFirstSelectionSlot), std::string("Large|Small"));
    }

    void tagButtonsInsertAtTheCaret() {
        Window window;
        window.click("Big mug");
        auto* paragraph = window.control<QPushButton>("tagButton0");
        QCOMPARE(paragraph->text(), QStringLiteral("<P>"));
        QVERIFY2(!paragraph->isEnabled(), "disabled until the description box has had the focus");
        QPlainTextEdit* box = window.description();
        box->setFocus();
        QVERIFY(paragraph->isEnabled());
        QTextCursor cursor = box->textCursor();
        cursor.setPosition(6);
        cursor.setPosition(8, QTextCursor::KeepAnchor);   // "a "
        box->setTextCursor(cursor);
        window.control<QPushButton>("tagButton1")->click();
        QCOMPARE(box->toPlainText(), QStringLiteral("Holds \n<BR CLEAR=ALL>pint"));
        QCOMPARE(QApplication::focusWidget(), box);
        window.click("Small mug");
        QCOMPARE(window.record("Big mug").description(), std::string("Holds \r\n<BR CLEAR=ALL>pint"));

        window.frame->openPath(window.path);
        QVERIFY2(!paragraph->isEnabled(), "opening a file disables them again");
    }

    void largeDescriptionEditorReturnsItsText() {
        Window window;
        window.click("Big mug");
        QString shown;
        whenDialogOpens<CDescriptionDlg>([&](CDescriptionDlg* dialog) {
            shown = dialog->box()->toPlainText();
            dialog->box()->moveCursor(QTextCursor::End);
            QTest::keyClick(dialog->box(), Qt::Key_Return);
            QTest::keyClicks(dialog->box(), QStringLiteral("<B>Dishwasher safe</B>"));
            dialog->accept();
        });
        window.control<QPushButton>("descriptionEdit")->click();
        QCOMPARE(shown, QStringLiteral("Holds a pint"));
        QCOMPARE(window.description()->toPlainText(), QStringLiteral("Holds a pint\n<B>Dishwasher safe</B>"));
        window.click("Small mug");
        QCOMPARE(window.record("Big mug").description(), std::string("Holds a pint\r\n<B>Dishwasher safe</B>"));
    }

    void editMenuWorksOnTheFocusedBox() {
        Window window;
        window.click("Big mug");
        QLineEdit* text = window.box("textBox");
        text->setFocus();
        text->setSelection(4, 3);
        editAction(*window.frame, QStringLiteral("Cu&t"))->trigger();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("mug"));
        QVERIFY2(text->text().isEmpty(), "cut empties the box");
        QLineEdit* code = window.box("codeBox");
        code->setFocus();
        code->selectAll();
        editAction(*window.frame, QStringLiteral("&Paste"))->trigger();
        QCOMPARE(code->text(), QStringLiteral("mug"));
        editAction(*window.frame, QStringLiteral("&Undo"))->trigger();
        QCOMPARE(code->text(), QStringLiteral("M1"));
    }

    void fileMenuOpensTheFileSettings() {
        Window window;
        window.click("Small mug");
        window.type(window.box("unitBox"), "pair");
        const std::pair<int, const char*> commands[] = {{kIdFileOptionalFields, "Catalogue Options"},
                                                        {kIdFileItemTaxTypes, "Item Tax Types"},
                                                        {kIdFileMetaTags, "Meta Tags"},
                                                        {kIdFileStartItemPage, "Start Item Page"}};
        for (const auto& [id, title] : commands) {
            QString shown;
            whenDialogOpens<QDialog>([&shown](QDialog* dialog) { shown = dialog->windowTitle(); });
            window.frame->action(id)->trigger();
            QCOMPARE(shown, QString::fromLatin1(title));
        }
        QCOMPARE(window.record("Small mug").field(kUnitSlot), std::string("pair"));
    }

    void wholeEditIsReadBackByTheGenerator() {
        Window window;
        window.click("Small mug");
        window.type(window.box("textBox"), "Small mug in green");
        window.type(window.box("codeBox"), "M2G");
        window.type(window.box("priceBox"), "3.25");
        window.type(window.box("unitBox"), "pair");
        window.type(window.box("firstPictureBox"), "green.jpg");
        window.type(window.box("secondPictureBox"), "green-side.jpg");
        window.type(window.box("optionsBox"), "Small|Large");
        window.control<QComboBox>("taxList")->setCurrentIndex(0);
        window.type(window.description(), "Green glaze");
        window.click("Mugs");
        window.type(window.box("textBox"), "Mugs and cups");
        window.click("Big mug");
        window.frame->action(kIdFileSave)->trigger();
        QVERIFY(window.messages.texts().empty());

        std::string expected = kCatalogue;
        auto replace = [&](const std::string& from, const std::string& to) {
            expected.replace(expected.find(from), from.size(), to);
        };
        replace("Small mug,M2,3.00,each,,,,,Small", "Small mug in green,M2G,3.25,pair,green.jpg|green-side.jpg,Small|Large,,1,Green glaze");
        replace("Mugs,", "Mugs and cups,");
        writeFile((window.folder / "expected.txt").string(), expected);
        QCOMPARE(generatorReading(window.path), generatorReading((window.folder / "expected.txt").string()));
    }
};

QTEST_MAIN(EditFormTest)
#include "edit_form_test.moc"
