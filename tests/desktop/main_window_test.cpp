// The main window driven through its real menu actions, on a fresh copy of
// the program directory: the document's save points, Create, Update Cat View
// with the preview pane, Edit Input File, Custom Colour and the sheet.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <optional>

#include "app/core/command_table.h"
#include "app/core/vimra_doc.h"
#include "app/desktop/desktop_shell.h"
#include "app/desktop/details_view.h"
#include "app/desktop/main_frame.h"
#include "app/desktop/output_view.h"
#include "app/desktop/scrolling_text_dialog.h"
#include "app/desktop/about_box.h"
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include "app/desktop/appearance_set_dialog.h"
#include "app/desktop/colour_picker.h"
#include "model/paths.h"
#include "model/settings_store.h"
#include "tests/support/child_process.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_dir.h"
#include "tests/desktop/dialog_driver.h"
#include "tests/desktop/program_window.h"

#ifdef VIMRA_HAVE_WEBENGINE
#include <QWebEnginePage>
#endif

namespace fs = std::filesystem;

namespace {

GeneralSettings savedGeneral(const fs::path& programDir) {
    GeneralSettings general{};
    readBlockFile((programDir / "ZK002.dat").string(), &general, sizeof general);
    return general;
}

#ifdef VIMRA_HAVE_WEBENGINE
QVariant runScript(QWebEnginePage* page, const QString& script) {
    std::optional<QVariant> result;
    page->runJavaScript(script, [&result](const QVariant& value) { result = value; });
    if (!QTest::qWaitFor([&result] { return result.has_value(); }, 10000))
        return QStringLiteral("no answer");
    return *result;
}
#endif

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramWindow> m_window;

    GeneralSettings& general() { return m_window->general(); }
    void trigger(int id) { QVERIFY2(m_window->trigger(id), "the command's action is there and enabled"); }

private slots:
    void init() { m_window = std::make_unique<ProgramWindow>(); }
    void cleanup() { m_window.reset(); }

    void menusFollowTheCommandTable() {
        QCOMPARE(m_window->frame->windowTitle(), QStringLiteral("Vimra3"));
        for (const CommandEntry& entry : generatorCommands()) {
            QAction* action = m_window->frame->action(entry.id);
            QVERIFY2(action, entry.text.data());
            QCOMPARE(action->shortcut(), QKeySequence(QString::fromLatin1(entry.shortcut.data(),
                                                                          qsizetype(entry.shortcut.size()))));
            QCOMPARE(action->statusTip().isEmpty(), entry.prompt.empty());
        }
        QCOMPARE(m_window->frame->action(command::UpdateCatView)->statusTip(),
                 QStringLiteral("Refresh the view of the catalogue (right frame)"));
    }

    void createSavesFirstAndOffersTheCatalogueOverHttp() {
        m_window->messages.answerNext(MessageAnswer::Yes);
        trigger(command::Create);
        QCOMPARE(m_window->messages.texts(), std::vector<std::string>{"do you wish to view the catalogue?"});
        QVERIFY(fs::exists(m_window->folder.path() / "out" / "zk000000.html"));
        QCOMPARE(fieldText(savedGeneral(m_window->programDir).outputDir), fieldText(general().outputDir));
        QCOMPARE(m_window->shell.opened.size(), std::size_t(1));
        QCOMPARE(m_window->shell.workingDirs, std::vector<std::string>{""});
        QVERIFY2(m_window->shell.opened[0].starts_with("http://127.0.0.1:"), m_window->shell.opened[0].c_str());
        QVERIFY(m_window->shell.opened[0].find("/zk000000.html") != std::string::npos);
        QCOMPARE(general().previewRun, 0);
    }

    void createThatFailsStillLeavesTheSettingsSaved() {
        m_window->frame->detailsView()->findChild<QLineEdit*>("control1000")->setText(
            QString::fromStdString((m_window->folder.path() / "missing.txt").string()));
        m_window->messages.answerNext(MessageAnswer::Yes);
        trigger(command::Create);
        QVERIFY(!m_window->messages.texts().empty());
        QCOMPARE(m_window->messages.texts().back(), std::string("error producing catalogue"));
        QCOMPARE(fieldText(savedGeneral(m_window->programDir).inputFile), fieldText(general().inputFile));
        QVERIFY(m_window->shell.opened.empty());
    }

    void updateCatViewShowsThePreviewAndRestoresTheOutput() {
        const std::string outputDir(fieldText(general().outputDir));
        QSignalSpy loaded(m_window->frame->outputView(), &COutputView::pageLoaded);
        trigger(command::UpdateCatView);
        QVERIFY(m_window->messages.texts().empty());
        QCOMPARE(fieldText(general().outputDir), outputDir);
        QCOMPARE(general().previewRun, 0);
        QVERIFY(!fs::exists(outputDir));
        const QUrl expected = QUrl::fromLocalFile(QString::fromStdString((m_window->folder.path() / "preview" / "zk000000.html").string()));
        QCOMPARE(m_window->frame->outputView()->shownAddress(), expected);
        if (m_window->frame->outputView()->hasEmbeddedBrowser())
            QVERIFY(loaded.wait(30000) || !loaded.isEmpty());
    }

    void aFailedUpdateCatViewSaysSoAndShowsNothing() {
        m_window->frame->detailsView()->findChild<QLineEdit*>("control1000")->clear();
        trigger(command::UpdateCatView);
        QVERIFY(!m_window->messages.texts().empty());
        QCOMPARE(m_window->messages.texts().back(), std::string("error producing catalogue"));
        QVERIFY(m_window->frame->outputView()->shownAddress().isEmpty());
        QCOMPARE(general().previewRun, 0);
    }

    void theBasketWorksInThePreviewPane() {
#ifdef VIMRA_HAVE_WEBENGINE
        QSignalSpy loaded(m_window->frame->outputView(), &COutputView::pageLoaded);
        trigger(command::UpdateCatView);
        QVERIFY(loaded.wait(30000) || !loaded.isEmpty());
        QWebEnginePage* page = m_window->frame->outputView()->page();
        // The item frame fills after the frameset; its add control is the
        // quantity button or the add link of the first item.
        const QString click = QStringLiteral(
            "(function(){var f=frames['ZKITEM'];if(!f||!f.document)return 'no item frame';"
            "var d=f.document;var c=d.querySelector('input[name=qtbut0]')||"
            "d.querySelector('a[href^=\"javascript:cpl0();parent.AddProdToQuote(\"]');"
            "if(!c)return 'no add control';c.click();return 'clicked';})()");
        QString answer;
        QVERIFY(QTest::qWaitFor([&] { answer = runScript(page, click).toString(); return answer == "clicked"; }, 20000));
        QVERIFY(QTest::qWaitFor([&] { return runScript(page, "iNextProd").toInt() == 2; }, 10000));
        QVERIFY(!runScript(page, "prods[1].sDesc || prods[1].d || String(prods[1])").toString().isEmpty());
#else
        QSKIP("built without the embedded browser");
#endif
    }

    void whatIsTypedIntoTheSheetIsAppliedByUpdateCatView() {
        auto* title = m_window->frame->detailsView()->findChild<QLineEdit*>("control1025");
        QVERIFY(title);
        title->setText("Tea by the sea");
        trigger(command::UpdateCatView);
        QCOMPARE(fieldText(general().catalogueTitle), std::string_view("Tea by the sea"));
        QCOMPARE(fieldText(savedGeneral(m_window->programDir).catalogueTitle), std::string_view("Tea by the sea"));
    }

    void reloadingTheAppearanceRefillsTheSheetAndSavesBoth() {
        copyField(general().catalogueTitle, "Retrieved title");
        fs::remove(m_window->programDir / "ZK003.dat");
        m_window->doc->appearanceReplaced();
        auto* title = m_window->frame->detailsView()->findChild<QLineEdit*>("control1025");
        QCOMPARE(title->text(), QStringLiteral("Retrieved title"));
        QVERIFY(fs::exists(m_window->programDir / "ZK003.dat"));
        QCOMPARE(fieldText(savedGeneral(m_window->programDir).catalogueTitle), std::string_view("Retrieved title"));
    }

    void editInputFileStartsTheEditorOnTheInputFile() {
        const std::string input(fieldText(general().inputFile));
        // The build puts the editor into the program directory; first a directory without it.
        fs::remove(m_window->programDir / "korvel");
        trigger(command::EditInputFile);
        // No editor in the program directory: the file opens with its default program.
        QCOMPARE(m_window->shell.opened, std::vector<std::string>{input});
        writeFile(m_window->programDir / "korvel", "#!/bin/sh\n");
        trigger(command::EditInputFile);
        QCOMPARE(m_window->shell.started, (std::vector<std::string>{(m_window->programDir / "korvel").string(), input}));
    }

    void customColourPutsItsTextOnTheClipboard() {
        std::vector<Rgb> offered;
        m_window->frame->chooseColour = [&offered](Rgb start) -> std::optional<Rgb> {
            offered.push_back(start);
            return Rgb{255, 0, 0};
        };
        trigger(command::CustomColour);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("#ff0000"));
        m_window->frame->chooseColour = [&offered](Rgb start) -> std::optional<Rgb> {
            offered.push_back(start);
            return std::nullopt;
        };
        trigger(command::CustomColour);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("#ff0000"));
        QCOMPARE(offered.size(), std::size_t(2));
        QCOMPARE(offered[0].red, 0);
        QCOMPARE(offered[1].red, 255);
    }

    void scrollingTextIsStoredAndItsFileWrittenOnOkOnly() {
        writeFile(m_window->programDir / "zkticker.dat", "Old news");
        whenDialogOpens<CScrollingTextDlg>([](CScrollingTextDlg* dialog) {
            QCOMPARE(dialog->findChild<QPlainTextEdit*>("text")->toPlainText(), QStringLiteral("Old news"));
            dialog->findChild<QPlainTextEdit*>("text")->setPlainText("Fresh beans every Tuesday");
            dialog->findChild<QLineEdit*>("width")->setText("450");
            dialog->findChild<QLineEdit*>("border")->setText("navy");
            dialog->reject();
        });
        trigger(command::ScrollingText);
        QCOMPARE(readFile(m_window->programDir / "zkticker.dat"), std::string("Old news"));

        whenDialogOpens<CScrollingTextDlg>([](CScrollingTextDlg* dialog) {
            dialog->findChild<QPlainTextEdit*>("text")->setPlainText("Fresh beans every Tuesday");
            dialog->findChild<QLineEdit*>("width")->setText("450");
            dialog->findChild<QLineEdit*>("height")->setText("tall");
            dialog->findChild<QLineEdit*>("border")->setText("navy");
            // "C" picks the text colour with the colour picker.
            whenDialogOpens<CColourPicker>([](CColourPicker* picker) {
                picker->setColour(Rgb{0, 255, 0});
                picker->accept();
            });
            dialog->findChild<QPushButton*>("textColourPick")->click();
            dialog->accept();
        });
        trigger(command::ScrollingText);
        QCOMPARE(readFile(m_window->programDir / "zkticker.dat"), std::string("Fresh beans every Tuesday"));
        const ScrollingTextForm stored = m_window->doc->scrollingText();
        QCOMPARE(stored.width, std::string("450"));
        QCOMPARE(stored.height, std::string("0"));
        QCOMPARE(stored.borderColour, std::string("navy"));
        QCOMPARE(stored.textColour, std::string("#00ff00"));
    }

    void theAboutBoxTypesItsTickerLine() {
        QStringList seen;
        whenDialogOpens<CAboutBox>([&seen](CAboutBox* about) {
            [[maybe_unused]] const bool enough = QTest::qWaitFor([&] {
                if (seen.isEmpty() || seen.back() != about->tickerText())
                    seen.append(about->tickerText());
                return seen.size() >= 4;
            }, 5000);
            about->accept();
        });
        trigger(command::About);
        QVERIFY(seen.size() >= 4);
        QVERIFY(seen[1].startsWith(seen[0]) && seen[1].size() == seen[0].size() + 1);
    }

    void usingAnAppearanceSetShowsItAndReloadsTheSheet() {
        QSignalSpy loaded(m_window->frame->outputView(), &COutputView::pageLoaded);
        QString chosenName;
        whenDialogOpens<CAppearanceSetDlg>([&chosenName](CAppearanceSetDlg* dialog) {
            auto* list = dialog->findChild<QListWidget*>("appearanceList");
            QVERIFY(list && list->count() > 2);
            list->setCurrentRow(1);
            chosenName = list->item(1)->text();
            dialog->findChild<QPushButton*>("useButton")->click();
        });
        trigger(command::AppearanceSets);
        QVERIFY(!chosenName.isEmpty());
        QCOMPARE(QString::fromLatin1(fieldText(m_window->doc->settings().appearance.setName)), chosenName);
        QCOMPARE(general().currentSetIndex, 1);
        AppearanceSet saved{};
        QVERIFY(readBlockFile((m_window->programDir / "ZK003.dat").string(), &saved, sizeof saved) > 0);
        QCOMPARE(QString::fromLatin1(fieldText(saved.setName)), chosenName);
        QVERIFY(!m_window->frame->outputView()->shownAddress().isEmpty());
        QVERIFY(m_window->messages.texts().empty());
    }

    void closingTheWindowSavesBothDefaultsFiles() {
        m_window->frame->detailsView()->findChild<QLineEdit*>("control1025")->setText("Closing time typed");
        m_window->doc->settings().appearance.setName[0] = 'Z';
        fs::remove(m_window->programDir / "ZK002.dat");
        fs::remove(m_window->programDir / "ZK003.dat");
        m_window->frame->close();
        QCOMPARE(fieldText(savedGeneral(m_window->programDir).catalogueTitle), std::string_view("Closing time typed"));
        AppearanceSet appearance{};
        QVERIFY(readBlockFile((m_window->programDir / "ZK003.dat").string(), &appearance, sizeof appearance) > 0);
        QCOMPARE(appearance.setName[0], 'Z');
    }
};

int main(int argc, char** argv) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    MainWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "main_window_test.moc"
