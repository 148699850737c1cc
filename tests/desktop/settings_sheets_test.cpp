// The settings dialogs and the appearance sheet driven through the main
// window's menu actions on a fresh copy of the program directory: what each
// stores on OK, that Cancel stores nothing, and which defaults file is written.
#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <filesystem>
#include <map>

#include "app/core/appearance_sets.h"
#include "app/core/command_table.h"
#include "app/core/vimra_doc.h"
#include "app/desktop/desktop_shell.h"
#include "app/desktop/detail_page.h"
#include "app/desktop/details_view.h"
#include "app/desktop/fonts_sheet.h"
#include "app/desktop/form_page.h"
#include "app/desktop/form_sheet_dialog.h"
#include "app/desktop/colour_picker.h"
#include "app/desktop/main_frame.h"
#include "app/desktop/simple_dialogs.h"
#include "model/paths.h"
#include "model/settings_fields.h"
#include "model/settings_store.h"
#include "tests/desktop/dialog_driver.h"
#include "tests/desktop/program_window.h"
#include "tests/support/child_process.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

// One change made in a dialog: text typed, a box ticked or cleared, or a radio button chosen.
struct Edit {
    int control;
    QString text = {};
    int checked = -1;
    int choice = -1;
};

void makeEdit(QWidget* control, const Edit& edit) {
    QVERIFY2(control, qPrintable(QStringLiteral("control%1").arg(edit.control)));
    if (auto* line = qobject_cast<QLineEdit*>(control))
        line->setText(edit.text);
    else if (auto* list = qobject_cast<QComboBox*>(control))
        list->setEditText(edit.text);
    else if (auto* box = qobject_cast<QCheckBox*>(control))
        box->setChecked(edit.checked == 1);
    else {
        auto* group = control->findChild<QButtonGroup*>();
        QVERIFY(group && group->button(edit.choice));
        group->button(edit.choice)->click();
    }
}

std::string valueOf(const SettingsBlocks& blocks, const std::string& name) {
    std::string value;
    if (settingsValue(blocks, name, value) != 0)
        return "no field " + name;
    return value;
}

SettingsBlocks savedBlocks(const fs::path& programDir) {
    SettingsBlocks blocks{};
    readBlockFile((programDir / "ZK002.dat").string(), &blocks.general, sizeof blocks.general);
    readBlockFile((programDir / "ZK003.dat").string(), &blocks.appearance, sizeof blocks.appearance);
    return blocks;
}

}  // namespace

class SettingsSheetsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramWindow> m_window;

    void set(const std::string& name, const std::string& value) {
        std::string error;
        QVERIFY2(setSettingsValue(m_window->doc->settings(), name, value, error) == 0, error.c_str());
    }
    std::string get(const std::string& name) { return valueOf(m_window->doc->settings(), name); }
    void trigger(int id) { QVERIFY2(m_window->trigger(id), "the command's action is there and enabled"); }
    FormPage* sheetPage(int index) { return m_window->frame->detailsView()->sheet()->pages().at(std::size_t(index)); }

private slots:
    void init() { m_window = std::make_unique<ProgramWindow>(); }
    void cleanup() { m_window.reset(); }

    void eachDialogStoresOnOkAndNothingOnCancel() {
        struct Case {
            int command;
            QString title;
            std::map<std::string, std::string> before;
            std::vector<Edit> edits;
            std::map<std::string, std::string> after;
            bool writesAppearance;  // ZK003.dat written on OK; otherwise no file until exit
        };
        const Case cases[] = {
            {command::Frames, "Frames",
             {{"indexFrameWidth", "20%"}, {"hideFrameBorders", "1"}, {"threeFrameStyle", "0"},
              {"verticalMainSplit", "0"}, {"linkItemCss", "1"}, {"itemStyleSheet", ""}},
             {{1144, "25 %"}, {1148, {}, 1}, {1154, {}, -1, 1}, {1150, {}, -1, 1}, {1412, "item.css"}},
             {{"indexFrameWidth", "25%"}, {"hideFrameBorders", "0"}, {"threeFrameStyle", "1"},
              {"verticalMainSplit", "1"}, {"linkItemCss", "0"}, {"itemStyleSheet", "item.css"}},
             false},
            {command::BackgroundMusic, "Background music",
             {{"musicFile", ""}, {"musicFlags", "1"}},
             {{1097, "/music/tune.mid"}, {1100, {}, 1}, {1102, {}, 1}},
             {{"musicFile", "/music/tune.mid"}, {"musicFlags", "7"}},
             false},
            {command::Behaviour, "Other Options",
             {{"confirmOnUpdate", "0"}, {"quantityAlwaysOne", "1"}, {"changeItemWithIndex", "1"}},
             {{1263, {}, 1}, {1363, {}, 0}},
             {{"confirmOnUpdate", "1"}, {"quantityAlwaysOne", "0"}, {"changeItemWithIndex", "1"}},
             false},
            {command::Search, "Search Details",
             {{"searchProgram", "zksearch.pl"}, {"searchPlacement", "0"}, {"searchUrl", ""}},
             {{1225, "cgi-bin/my search.pl"}, {1029, {}, -1, 2}, {1229, "http://shop.example/search"}},
             {{"searchProgram", "cgi-bin/mysearch.pl"}, {"searchPlacement", "2"},
              {"searchUrl", "http://shop.example/search"}},
             false},
            {command::ItemTemplate, "Template",
             {{"templateFile", ""}, {"useTemplate", "0"}},
             {{1017, "  template.htm "}, {1019, {}, 1}},
             {{"templateFile", "template.htm"}, {"useTemplate", "1"}},
             false},
            {command::Fonts, "Font details",
             {{"indexFonts.0.face", "arial"}, {"indexFonts.0.size", "2"}, {"indexFonts.0.style", "0"},
              {"indexFonts.1.secondColour", "red"}, {"searchFont.colour", "black"}, {"searchFont.style", "1"}},
             {{3000, "verdana"}, {3001, "5"}, {3003, {}, 1}, {3004, {}, 1}, {3212, "navy"}, {3213, {}, 0}},
             {{"indexFonts.0.face", "verdana"}, {"indexFonts.0.size", "5"}, {"indexFonts.0.style", "3"},
              {"indexFonts.1.secondColour", "red"}, {"searchFont.colour", "navy"}, {"searchFont.style", "0"}},
             true},
        };
        for (const Case& c : cases) {
            const std::string trace = c.title.toStdString();
            for (const auto& [name, value] : c.before)
                set(name, value);
            const std::string generalFile = readFile(m_window->programDir / "ZK002.dat");
            const std::string appearanceFile = readFile(m_window->programDir / "ZK003.dat");
            for (bool ok : {false, true}) {
                bool answered = false;
                whenDialogOpens<FormSheetDialog>([&](FormSheetDialog* dialog) {
                    QCOMPARE(dialog->windowTitle(), c.title);
                    for (const Edit& edit : c.edits)
                        makeEdit(dialog->control(edit.control), edit);
                    answered = true;
                    if (ok)
                        dialog->buttons()->button(QDialogButtonBox::Ok)->click();
                    else
                        dialog->buttons()->button(QDialogButtonBox::Cancel)->click();
                });
                trigger(c.command);
                QVERIFY2(answered, trace.c_str());
                for (const auto& [name, value] : ok ? c.after : c.before)
                    QVERIFY2(get(name) == value, (trace + " " + name + ": " + get(name)).c_str());
            }
            QVERIFY2(m_window->messages.texts().empty(), trace.c_str());
            QCOMPARE(readFile(m_window->programDir / "ZK002.dat"), generalFile);
            if (!c.writesAppearance) {
                QCOMPARE(readFile(m_window->programDir / "ZK003.dat"), appearanceFile);
                continue;
            }
            const SettingsBlocks saved = savedBlocks(m_window->programDir);
            for (const auto& [name, value] : c.after)
                QVERIFY2(valueOf(saved, name) == value, (trace + " saved " + name).c_str());
        }
    }

    void aFontSizeOutOfRangeKeepsTheSheetOpenOnItsPage() {
        set("basketFonts.2.size", "3");
        const std::string appearanceFile = readFile(m_window->programDir / "ZK003.dat");
        bool stayedOpen = false;
        whenDialogOpens<CFontsSheet>([&](CFontsSheet* sheet) {
            auto* tabs = sheet->findChild<QTabWidget*>("pages");
            QVERIFY(tabs);
            QCOMPARE(tabs->count(), 5);
            // The basket's "order" element: the third of the fourth page.
            auto* size = qobject_cast<QLineEdit*>(sheet->page(3)->control(3181));
            QVERIFY(size);
            size->setText("8");
            sheet->buttons()->button(QDialogButtonBox::Ok)->click();
            stayedOpen = sheet->isVisible();
            QCOMPARE(tabs->currentIndex(), 3);
            sheet->buttons()->button(QDialogButtonBox::Cancel)->click();
        });
        trigger(command::Fonts);
        QVERIFY(stayedOpen);
        QCOMPARE(m_window->messages.texts(), std::vector<std::string>{"Please enter an integer between 0 and 7."});
        QCOMPARE(get("basketFonts.2.size"), std::string("3"));
        QCOMPARE(readFile(m_window->programDir / "ZK003.dat"), appearanceFile);
    }

    void playOpensTheMidiFileShownInTheDialog() {
        whenDialogOpens<CBackgroundMusicDlg>([](CBackgroundMusicDlg* dialog) {
            qobject_cast<QLineEdit*>(dialog->control(1097))->setText("/music/waltz.mid");
            dialog->findChild<QPushButton*>("playButton")->click();
            dialog->reject();
        });
        trigger(command::BackgroundMusic);
        QCOMPARE(m_window->shell.opened, std::vector<std::string>{"/music/waltz.mid"});
    }

    void theAppearanceSheetIsSavedByUpdateCatView() {
        auto* sheet = m_window->frame->detailsView()->sheet();
        QCOMPARE(sheet->count(), 7);
        QCOMPARE(sheet->tabText(1), QStringLiteral("Index (1)"));
        struct Case {
            int page;
            Edit edit;
            std::string field;
            std::string expected;
        };
        const Case cases[] = {
            {1, {1181, "teal"}, "indexBackgroundColour", "teal"},
            {2, {1364, {}, -1, 2}, "indexStyle", "2"},
            {3, {1402, {}, 1}, "pictureAlignment", std::to_string((std::stoi(get("pictureAlignment")) & 15) | 16)},
            {4, {1358, "35"}, "itemTableSpacing", "20"},
            {5, {1228, "olive"}, "basketColours.4", "olive"},
            {6, {1371, "12"}, "headerFrameMargin", "12"},
            {0, {1025, "Tea by the sea"}, "catalogueTitle", "Tea by the sea"},
        };
        for (const Case& c : cases)
            makeEdit(sheetPage(c.page)->control(c.edit.control), c.edit);
        trigger(command::UpdateCatView);
        const SettingsBlocks saved = savedBlocks(m_window->programDir);
        for (const Case& c : cases) {
            QVERIFY2(get(c.field) == c.expected, (c.field + ": " + get(c.field)).c_str());
            QVERIFY2(valueOf(saved, c.field) == c.expected, (c.field + " saved: " + valueOf(saved, c.field)).c_str());
        }
    }

    void aPictureChosenWithItsButtonIsSavedAtOnce() {
        FormPage* index = sheetPage(1);
        std::string offeredTitle;
        index->setBrowse([&offeredTitle](const FormField& field, const std::string&) -> std::optional<std::string> {
            offeredTitle = std::string(field.browseTitle);
            return std::string("/pictures/dot.gif");
        });
        auto* dots = index->findChild<QAbstractButton*>("control1011Browse");
        QVERIFY(dots);
        dots->click();
        QCOMPARE(offeredTitle, std::string("index bullet image"));
        QCOMPARE(valueOf(savedBlocks(m_window->programDir), "bulletImages.0"), std::string("/pictures/dot.gif"));
    }

    // Loading a record into the sheet or a dialog and storing it back, with
    // nothing typed, changes no field: every shipped set goes through once.
    void whatIsNotTouchedComesBackUnchanged() {
        const std::vector<AppearanceSetEntry> entries = listAppearanceSets(m_window->doc->programDir(), m_window->messages);
        int sets = 0;
        for (int i = 0; i < int(entries.size()); ++i) {
            if (entries[std::size_t(i)].name.empty())
                continue;
            ++sets;
            QCOMPARE(useAppearanceSet(m_window->doc->settings(), m_window->doc->programDir(), entries, i, m_window->messages), 0);
            const auto expected = std::make_unique<SettingsBlocks>(m_window->doc->settings());
            const auto changedFields = [&] {
                std::string changed;
                for (const SettingsField& field : settingsFields())
                    if (settingsFieldValue(*expected, field) != settingsFieldValue(m_window->doc->settings(), field))
                        changed += field.name + " ";
                return changed;
            };
            m_window->doc->appearanceReplaced();
            QVERIFY2(changedFields().empty(), (entries[std::size_t(i)].name + " sheet: " + changedFields()).c_str());
            set("linkItemCss", "0");  // the one field the frames dialog always stores
            expected->appearance.linkItemCss = 0;
            for (int id : {command::Fonts, command::Frames, command::BackgroundMusic, command::Behaviour,
                           command::Search, command::ItemTemplate}) {
                whenDialogOpens<FormSheetDialog>(
                    [](FormSheetDialog* dialog) { dialog->buttons()->button(QDialogButtonBox::Ok)->click(); });
                trigger(id);
                QVERIFY2(changedFields().empty(),
                         (entries[std::size_t(i)].name + " " + std::to_string(id) + ": " + changedFields()).c_str());
            }
        }
        QVERIFY(sets > 1);
        QVERIFY(m_window->messages.texts().empty());
    }

    // Pictures of the two sheets and the colour picker for the documentation, when asked for.
    void screenshots() {
        const QByteArray folder = qgetenv("VIMRA_SCREENSHOT_DIR");
        if (folder.isEmpty())
            QSKIP("set VIMRA_SCREENSHOT_DIR to write the pictures");
        auto* sheet = m_window->frame->detailsView()->sheet();
        sheet->setCurrentIndex(1);
        QVERIFY(m_window->frame->detailsView()->grab().save(QString::fromLocal8Bit(folder) + "/appearance-sheet.png"));
        whenDialogOpens<CFontsSheet>([&folder](CFontsSheet* fonts) {
            QTest::qWait(100);
            QVERIFY(fonts->grab().save(QString::fromLocal8Bit(folder) + "/fonts-sheet.png"));
            fonts->reject();
        });
        trigger(command::Fonts);
        whenDialogOpens<CColourPicker>([&folder](CColourPicker* picker) {
            picker->setColour(Rgb{0x2a, 0x6f, 0xb5});
            QTest::qWait(100);
            QVERIFY(picker->grab().save(QString::fromLocal8Bit(folder) + "/colour-picker.png"));
            picker->reject();
        });
        trigger(command::CustomColour);
    }
};

QTEST_MAIN(SettingsSheetsTest)
#include "settings_sheets_test.moc"
