// "Selects Edit" driven as the entry form opens it: options shown as text and
// variation, edited, added and deleted, and the list written back on OK only.
// The core's headers first: Qt's "slots" keyword is a name in them.
#include "tests/support/recording_messages.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <string>

#include "editor/desktop/selects_edit_dialog.h"

#include "tests/desktop/dialog_driver.h"

namespace {

enum class Answer { Ok, Cancel };

struct Outcome {
    bool accepted;
    std::string list;
};

// Runs the dialog on list as the form does, lets act work in it, then answers.
Outcome edit(const std::string& list, Answer answer, std::function<void(CSelectsEditDlg*)> act,
             UserMessages* messages = nullptr) {
    RecordingMessages recorded;
    whenDialogOpens<CSelectsEditDlg>([answer, act](CSelectsEditDlg* dialog) {
        act(dialog);
        auto* buttons = dialog->findChild<QDialogButtonBox*>();
        QTest::mouseClick(buttons->button(answer == Answer::Ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel),
                          Qt::LeftButton);
    });
    Outcome outcome{false, list};
    outcome.accepted = editOptionsList(nullptr, messages ? *messages : recorded, outcome.list);
    return outcome;
}

struct Controls {
    explicit Controls(QWidget* dialog)
        : list(child<QListWidget>(dialog, "optionsList")), text(child<QLineEdit>(dialog, "optionText")),
          variation(child<QLineEdit>(dialog, "priceVariation")),
          variationCaption(child<QLabel>(dialog, "priceVariationCaption")),
          include(child<QCheckBox>(dialog, "includePriceVariations")), add(child<QPushButton>(dialog, "addOption")),
          remove(child<QPushButton>(dialog, "deleteOption")) {}

    QStringList rows() const {
        QStringList shown;
        for (int row = 0; row < list->count(); ++row)
            shown << list->item(row)->text();
        return shown;
    }
    int selectedRow() const {
        const auto selected = list->selectedItems();
        return selected.isEmpty() ? -1 : list->row(selected.front());
    }
    void clickRow(int row, Qt::KeyboardModifiers modifiers = {}) const {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, list->visualItemRect(list->item(row)).center());
    }
    // Below the last option: the lists here are short.
    void clickBelowOptions() const {
        const QRect area = list->viewport()->rect();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(area.left() + 5, area.bottom() - 5));
    }

    QListWidget* list;
    QLineEdit* text;
    QLineEdit* variation;
    QLabel* variationCaption;
    QCheckBox* include;
    QPushButton* add;
    QPushButton* remove;
};

// Replaces a box's text as typing does (a program's setText is not an edit).
void retype(QLineEdit* box, const QString& text) {
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
}

} // namespace

class SelectsEditDialogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void showsOptionsAsTextAndVariation() {
        const struct {
            const char* list;
            bool ticked;
            QStringList rows;
            QStringList texts, variations;   // by row, once selected
        } cases[] = {
            {"#!PV;Red (1.50)|Blue", true, {"Red (1.50)", "Blue"}, {"Red", "Blue"}, {"1.50", ""}},
            {"Large (XL)|Small", false, {"Large (XL)", "Small"}, {"Large (XL)", "Small"}, {"", ""}},
            {"#!PV;A(x) (y)|B ( 2 )", true, {"A(x) (y)", "B ( 2 )"}, {"A", "B"}, {"x", " 2 "}},
        };
        for (const auto& c : cases) {
            const Outcome outcome = edit(c.list, Answer::Ok, [&c](CSelectsEditDlg* dialog) {
                QCOMPARE(dialog->windowTitle(), QStringLiteral("Selects Edit"));
                const Controls controls(dialog);
                QCOMPARE(controls.include->isChecked(), c.ticked);
                QCOMPARE(controls.variationCaption->isEnabled(), c.ticked);
                QCOMPARE(controls.rows(), c.rows);
                QCOMPARE(controls.selectedRow(), -1);
                QVERIFY(!controls.remove->isEnabled());
                for (int row = 0; row < controls.list->count(); ++row) {
                    controls.clickRow(row);
                    QCOMPARE(controls.selectedRow(), row);
                    QCOMPARE(controls.text->text(), c.texts[row]);
                    QCOMPARE(controls.variation->text(), c.variations[row]);
                    QCOMPARE(controls.variation->isEnabled(), c.ticked);
                    QVERIFY(controls.remove->isEnabled());
                }
            });
            QVERIFY(outcome.accepted);
            QCOMPARE(outcome.list, std::string(c.list));   // shown and taken back unchanged
        }
    }

    void editingRewritesTheSelectedOption() {
        const struct {
            const char* name;
            const char* list;
            int row;
            const char* text;        // nullptr: left alone
            const char* variation;   // nullptr: left alone
            const char* shown;
            const char* result;
        } cases[] = {
            {"new text keeps the variation", "#!PV;Red (1.50)|Blue", 0, "Green", nullptr, "Green (1.50)",
             "#!PV;Green (1.50)|Blue"},
            {"new variation", "#!PV;Red (1.50)|Blue", 0, nullptr, "2.00", "Red (2.00)", "#!PV;Red (2.00)|Blue"},
            {"variation added", "#!PV;Red (1.50)|Blue", 1, nullptr, "-0.25", "Blue (-0.25)",
             "#!PV;Red (1.50)|Blue (-0.25)"},
            {"blank variation leaves the text alone", "#!PV;Red (1.50)|Blue", 0, nullptr, " ", "Red",
             "#!PV;Red|Blue"},
            {"without variations the text is the option", "Large (XL)|Small", 0, "Huge (XXL)", nullptr, "Huge (XXL)",
             "Huge (XXL)|Small"},
            {"blank option dropped on OK", "#!PV;Red (1.50)|Blue", 0, "", "", "", "#!PV;Blue"},
            {"8-bit neighbours keep their bytes", "Cr\xe8me|Blue", 1, "Navy", nullptr, "Navy", "Cr\xe8me|Navy"},
        };
        for (const auto& c : cases) {
            const Outcome outcome = edit(c.list, Answer::Ok, [&c](CSelectsEditDlg* dialog) {
                const Controls controls(dialog);
                controls.clickRow(c.row);
                if (c.text)
                    retype(controls.text, QString::fromLatin1(c.text));
                if (c.variation)
                    retype(controls.variation, QString::fromLatin1(c.variation));
                QCOMPARE(controls.list->item(c.row)->text(), QString::fromLatin1(c.shown));
            });
            QVERIFY2(outcome.accepted, c.name);
            QVERIFY2(outcome.list == c.result, c.name);
        }
    }

    void variationsCanBeSwitchedOffAndOn() {
        Outcome outcome = edit("#!PV;Red (1.50)|Blue (0.25)", Answer::Ok, [](CSelectsEditDlg* dialog) {
            const Controls controls(dialog);
            controls.clickRow(0);
            QVERIFY(controls.variation->isEnabled());
            controls.include->click();
            QVERIFY(!controls.variation->isEnabled());
            QVERIFY(!controls.variationCaption->isEnabled());
            QCOMPARE(controls.rows(), QStringList({"Red", "Blue"}));
            QCOMPARE(controls.text->text(), QStringLiteral("Red"));
            QCOMPARE(controls.variation->text(), QString());
        });
        QCOMPARE(outcome.list, std::string("Red|Blue"));

        outcome = edit("Red|Blue", Answer::Ok, [](CSelectsEditDlg* dialog) {
            const Controls controls(dialog);
            QVERIFY(!controls.variationCaption->isEnabled());
            controls.clickRow(1);
            QVERIFY(!controls.variation->isEnabled());
            controls.include->click();
            QVERIFY(controls.variationCaption->isEnabled());
            QVERIFY(controls.variation->isEnabled());
            retype(controls.variation, QStringLiteral("1.00"));
        });
        QCOMPARE(outcome.list, std::string("#!PV;Red|Blue (1.00)"));
    }

    // '|' would split an option; with variations '(' ends the text and ')' the variation.
    void boxesRefuseWhatWouldChangeTheOptionsMeaning() {
        const struct {
            const char* list;
            const char* box;
            const char* typed;
            const char* kept;
        } cases[] = {
            {"#!PV;Red", "optionText", "a|b", "ab"},
            {"#!PV;Red", "optionText", "a(b)", "ab)"},
            {"Red", "optionText", "a(b)|", "a(b)"},
            {"#!PV;Red", "priceVariation", "1|2)", "12"},
            {"#!PV;Red", "priceVariation", "(1)", "(1"},
        };
        for (const auto& c : cases) {
            edit(c.list, Answer::Cancel, [&c](CSelectsEditDlg* dialog) {
                Controls(dialog).clickRow(0);
                auto* box = child<QLineEdit>(dialog, c.box);
                retype(box, QString::fromLatin1(c.typed));
                QCOMPARE(box->text(), QString::fromLatin1(c.kept));
            });
        }
        edit("Red", Answer::Cancel, [](CSelectsEditDlg* dialog) {
            const Controls controls(dialog);
            controls.clickRow(0);
            retype(controls.text, QString(120, QLatin1Char('x')));
            QCOMPARE(controls.text->text().size(), 100);
        });
    }

    void addAppendsNewAndSelectsIt() {
        const Outcome outcome = edit("Red", Answer::Ok, [](CSelectsEditDlg* dialog) {
            const Controls controls(dialog);
            controls.add->click();
            QCOMPARE(controls.rows(), QStringList({"Red", "new"}));
            QCOMPARE(controls.selectedRow(), 1);
            QCOMPARE(controls.text->text(), QStringLiteral("new"));
            QTest::keyClicks(controls.text, QStringLiteral("Yellow"));   // "new" is selected, typing replaces it
            controls.add->click();
        });
        QCOMPARE(outcome.list, std::string("Red|Yellow|new"));
        QCOMPARE(edit("", Answer::Ok, [](CSelectsEditDlg* dialog) { Controls(dialog).add->click(); }).list,
                 std::string("new"));
    }

    void deleteRemovesTheSelectedOption() {
        const Outcome outcome = edit("#!PV;A (1)|B (2)|C (3)", Answer::Ok, [](CSelectsEditDlg* dialog) {
            const Controls controls(dialog);
            controls.clickRow(1);
            controls.remove->click();
            QCOMPARE(controls.rows(), QStringList({"A (1)", "C (3)"}));
            QCOMPARE(controls.selectedRow(), 1);   // the next option
            QCOMPARE(controls.text->text(), QStringLiteral("C"));
            QCOMPARE(controls.variation->text(), QStringLiteral("3"));
            controls.remove->click();
            QCOMPARE(controls.selectedRow(), 0);   // the last one went: the one before
            QCOMPARE(controls.text->text(), QStringLiteral("A"));
            controls.remove->click();
            QCOMPARE(controls.list->count(), 0);
            QVERIFY(!controls.remove->isEnabled());
            QVERIFY(!controls.text->isEnabled());
            QCOMPARE(controls.text->text(), QString());
        });
        QCOMPARE(outcome.list, std::string("#!PV;"));
    }

    void clickLeavingNothingHighlightedIsReported() {
        const struct {
            const char* name;
            const char* list;
            std::function<void(const Controls&)> click;
            bool reported;
        } cases[] = {
            {"below the options, none selected", "Red|Blue", [](const Controls& c) { c.clickBelowOptions(); }, true},
            {"empty list", "", [](const Controls& c) { c.clickBelowOptions(); }, true},
            {"an option", "Red|Blue", [](const Controls& c) { c.clickRow(1); }, false},
            {"Ctrl-click takes the highlight off",
             "Red|Blue",
             [](const Controls& c) {
                 c.clickRow(0);
                 c.clickRow(0, Qt::ControlModifier);
             },
             true},
        };
        for (const auto& c : cases) {
            RecordingMessages messages;
            edit(
                c.list, Answer::Cancel, [&c](CSelectsEditDlg* dialog) { c.click(Controls(dialog)); }, &messages);
            QVERIFY2(messages.shown.size() == (c.reported ? 1u : 0u), c.name);
            if (c.reported) {
                QCOMPARE(messages.shown[0].text, std::string("There is no highlighted selection"));
                QCOMPARE(messages.shown[0].caption, std::string("Korvel"));
                QVERIFY(messages.shown[0].buttons == MessageButtons::Ok);
            }
        }
    }

    void cancelLeavesTheListAlone() {
        const Outcome outcome = edit("#!PV;Red (1.50)|Blue", Answer::Cancel, [](CSelectsEditDlg* dialog) {
            const Controls controls(dialog);
            controls.clickRow(0);
            retype(controls.text, QStringLiteral("Green"));
            controls.add->click();
            controls.include->click();
        });
        QVERIFY(!outcome.accepted);
        QCOMPARE(outcome.list, std::string("#!PV;Red (1.50)|Blue"));
    }
};

QTEST_MAIN(SelectsEditDialogTest)
#include "selects_edit_dialog_test.moc"
