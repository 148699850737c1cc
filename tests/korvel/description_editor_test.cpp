// "Item Description": the colours land where the colouring rules put them,
// typing recolours only its own line, the tag buttons insert with undo, and
// OK hands back a changed text while Cancel hands back nothing.
#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <cstring>

#include "editor/desktop/description_editor.h"
#include "editor/desktop/description_highlighter.h"
#include "tests/desktop/dialog_driver.h"

namespace {

// One letter per character of each line: '.' base, 'T' tag, 'D' double-quoted,
// 'S' single-quoted, '?' a colour of none of these.
QStringList colourLines(QTextEdit* box) {
    QStringList lines;
    for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next()) {
        QString line(block.length() - 1, QLatin1Char('.'));
        for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
            QChar letter = QLatin1Char('?');
            const QColor colour = range.format.foreground().color();
            if (colour == DescriptionHighlighter::colourOf(korvel::DescriptionColour::Tag))
                letter = QLatin1Char('T');
            else if (colour == DescriptionHighlighter::colourOf(korvel::DescriptionColour::DoubleQuoted))
                letter = QLatin1Char('D');
            else if (colour == DescriptionHighlighter::colourOf(korvel::DescriptionColour::SingleQuoted))
                letter = QLatin1Char('S');
            for (int p = range.start; p < range.start + range.length && p < line.size(); ++p)
                line[p] = letter;
        }
        lines << line;
    }
    return lines;
}

QPushButton* button(QWidget* dialog, const QString& label) {
    for (QPushButton* candidate : dialog->findChildren<QPushButton*>())
        if (candidate->text() == label)
            return candidate;
    return nullptr;
}

} // namespace

class DescriptionEditorTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QApplication::setOrganizationName(QStringLiteral("VimraTest"));
        QApplication::setApplicationName(QStringLiteral("KorvelDescriptionTest"));
        QSettings().clear();
    }

    void coloursTheWholeTextOnOpening() {
        // The string opened on the second line runs on into the third.
        CDescriptionDlg dialog("<b>it's</b>\r\n<img src=\"a.gif\"> \"s\r\nt\" 'q1' <span>");
        dialog.show();
        QCoreApplication::processEvents();   // a queued recolouring must not undo the opening's
        QCOMPARE(colourLines(dialog.box()), (QStringList{"TTT....TTTT", "TTTTTTTTTDDDDDDDT.DD", "DD.SSSS......."}));
        QVERIFY(!dialog.changed());
        QCOMPARE(dialog.box()->textCursor().position(), 0);
        QCOMPARE(dialog.box()->palette().color(QPalette::Base), QColor(250, 250, 242));
    }

    void typingRecoloursOnlyItsLine() {
        CDescriptionDlg dialog("<b>a\r\n\"s\r\nt\" <i>");
        dialog.show();
        QCoreApplication::processEvents();
        QCOMPARE(colourLines(dialog.box()), (QStringList{"TTT.", "DD", "DD.TTT"}));

        QTextCursor cursor = dialog.box()->textCursor();
        cursor.setPosition(4);   // end of the first line
        dialog.box()->setTextCursor(cursor);
        QTest::keyClicks(dialog.box(), QStringLiteral("\""));
        QCoreApplication::processEvents();
        // Coloured as one text, the new quote would have closed at the second line's.
        QCOMPARE(colourLines(dialog.box()), (QStringList{"TTT.D", "DD", "DD.TTT"}));

        cursor.setPosition(dialog.box()->document()->findBlockByNumber(1).position() + 2);
        dialog.box()->setTextCursor(cursor);
        QTest::keyClicks(dialog.box(), QStringLiteral(" <b>"));
        QCOMPARE(colourLines(dialog.box()), (QStringList{"TTT.D", "DDDDDD", "DD.TTT"}));
        QVERIFY(dialog.changed());
        QCOMPARE(QString::fromStdString(dialog.text()), QStringLiteral("<b>a\"\r\n\"s <b>\r\nt\" <i>"));
    }

    void tagButtonsInsertOverTheSelectionWithUndo() {
        const struct {
            const char* label;
            const char* want;
        } cases[] = {
            {"<P>", "ab\n<P>ef"},
            {"<BR..", "ab\n<BR CLEAR=ALL>ef"},
            {"<UL>", "ab\n<UL><LI>ef"},
            {"<LI>", "ab\n<LI>ef"},
            {"</UL>", "ab\n</UL>ef"},
        };
        for (const auto& c : cases) {
            CDescriptionDlg dialog("abcdef");
            dialog.show();
            QTextCursor cursor = dialog.box()->textCursor();
            cursor.setPosition(2);
            cursor.setPosition(4, QTextCursor::KeepAnchor);
            dialog.box()->setTextCursor(cursor);
            QPushButton* tag = button(&dialog, QString::fromLatin1(c.label));
            QVERIFY2(tag, c.label);
            QTest::mouseClick(tag, Qt::LeftButton);
            QCOMPARE(dialog.box()->toPlainText(), QString::fromLatin1(c.want));
            QCOMPARE(dialog.box()->textCursor().position(), int(std::strlen(c.want)) - 2);
            QCOMPARE(colourLines(dialog.box()).last().count(QLatin1Char('T')), int(std::strlen(c.want)) - 5);
            dialog.box()->undo();
            QCOMPARE(dialog.box()->toPlainText(), QStringLiteral("abcdef"));
        }
    }

    void formBoxTakesTheSameTagInsertion() {
        QPlainTextEdit box(QStringLiteral("abcd"));
        QTextCursor cursor = box.textCursor();
        cursor.setPosition(2);
        box.setTextCursor(cursor);
        insertDescriptionTag(&box, QString::fromLatin1(kDescriptionTags[0].insertion));
        QCOMPARE(box.toPlainText(), QStringLiteral("ab\n<P>cd"));
        box.undo();
        QCOMPARE(box.toPlainText(), QStringLiteral("abcd"));
    }

    void okHandsBackAChangedTextAndCancelNothing() {
        const std::string original = "line one\r\nline two";
        whenDialogOpens<CDescriptionDlg>([](CDescriptionDlg* dialog) {
            dialog->box()->moveCursor(QTextCursor::End);
            QTest::keyClicks(dialog->box(), QStringLiteral("!"));
            QTest::keyClick(dialog->box(), Qt::Key_Return);
            QTest::keyClicks(dialog->box(), QStringLiteral("three"));
            QTest::mouseClick(button(dialog, QStringLiteral("OK")), Qt::LeftButton);
        });
        QCOMPARE(CDescriptionDlg::edit(original, nullptr), std::optional<std::string>("line one\r\nline two!\r\nthree"));

        whenDialogOpens<CDescriptionDlg>([](CDescriptionDlg* dialog) {
            QTest::keyClicks(dialog->box(), QStringLiteral("x"));
            QTest::mouseClick(button(dialog, QStringLiteral("Cancel")), Qt::LeftButton);
        });
        QCOMPARE(CDescriptionDlg::edit(original, nullptr), std::nullopt);

        whenDialogOpens<CDescriptionDlg>(
            [](CDescriptionDlg* dialog) { QTest::mouseClick(button(dialog, QStringLiteral("OK")), Qt::LeftButton); });
        QCOMPARE(CDescriptionDlg::edit(original, nullptr), std::nullopt);
    }

    void longTextIsCutWithoutHalfALineBreak() {
        CDescriptionDlg dialog(std::string(5999, 'a'));
        dialog.box()->moveCursor(QTextCursor::End);
        QTest::keyClick(dialog.box(), Qt::Key_Return);
        QTest::keyClicks(dialog.box(), QStringLiteral("bc"));
        QCOMPARE(dialog.text(), std::string(5999, 'a'));
    }

    void bytesBeyondUtf8SurviveAnUnchangedText() {
        const std::string latin1 = "caf\xe9 <b>x</b>\r\nnext";
        CDescriptionDlg dialog(latin1);
        QCOMPARE(dialog.text(), latin1);
    }

    void laysOutAndRemembersItsRectangle() {
        QRect kept;
        {
            CDescriptionDlg dialog("text");
            dialog.show();
            dialog.resize(600, 400);
            QCoreApplication::processEvents();
            QCOMPARE(dialog.box()->geometry(), QRect(10, 10, 580, 355));
            QCOMPARE(button(&dialog, QStringLiteral("Cancel"))->geometry(), QRect(535, 375, 55, 20));
            QCOMPARE(button(&dialog, QStringLiteral("OK"))->geometry(), QRect(475, 375, 55, 20));
            QCOMPARE(button(&dialog, QStringLiteral("</UL>"))->geometry(), QRect(146, 375, 34, 20));
            kept = dialog.geometry();
        }
        CDescriptionDlg next("other");
        QCOMPARE(next.size(), kept.size());
    }
};

QTEST_MAIN(DescriptionEditorTest)
#include "description_editor_test.moc"
