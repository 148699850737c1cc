// "Select Remote Directory" against a real FTP server on loopback, and the
// FTP settings sheet's "..." button that opens it.
#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <chrono>
#include <filesystem>

#include "app/desktop/form_page.h"
#include "app/desktop/ftp_settings_sheet.h"
#include "app/desktop/remote_folder_dialog.h"
#include "tests/support/recording_messages.h"
#include "tests/desktop/dialog_driver.h"
#include "tests/support/temp_dir.h"
#include "tests/upload/ftp_server_process.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// Answers the dialog once it has connected and shows its starting folder.
void whenBrowserReady(std::function<void(CRemoteDirDlg*)> answer, int waitMs = 10000) {
    whenDialogOpens<CRemoteDirDlg>(std::move(answer), waitMs, [](const CRemoteDirDlg* dialog) { return dialog->ready(); });
}

QStringList entryNames(CRemoteDirDlg* dialog) {
    QStringList names;
    auto* list = child<QListWidget>(dialog, "entries");
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    names.sort();
    return names;
}

QStringList locationTexts(CRemoteDirDlg* dialog) {
    QStringList texts;
    auto* locations = child<QComboBox>(dialog, "locations");
    for (int i = 0; i < locations->count(); ++i)
        texts << locations->itemText(i);
    return texts;
}

QListWidgetItem* rowNamed(CRemoteDirDlg* dialog, const QString& name) {
    const auto found = child<QListWidget>(dialog, "entries")->findItems(name, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.front();
}

void doubleClick(CRemoteDirDlg* dialog, const QString& name) {
    auto* list = child<QListWidget>(dialog, "entries");
    QListWidgetItem* item = rowNamed(dialog, name);
    QVERIFY2(item, qPrintable(name));
    const QPoint at = list->visualItemRect(item).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

void selectRow(CRemoteDirDlg* dialog, const QString& name) {
    QListWidgetItem* item = rowNamed(dialog, name);
    QVERIFY2(item, qPrintable(name));
    child<QListWidget>(dialog, "entries")->setCurrentItem(item);
}

}  // namespace

class RemoteFolderDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDir> m_home;
    std::unique_ptr<FtpServerProcess> m_server;
    RecordingMessages m_messages;

    void startServer(FtpServerProcess::Options options = {}) {
        options.home = m_home->str();
        m_server = std::make_unique<FtpServerProcess>(options);
        QVERIFY(m_server->running());
    }
    FtpEndpoint endpoint() const { return {"127.0.0.1", m_server->port(), "shop", "secret"}; }
    fs::path pub() const { return m_home->path() / "pub"; }

private slots:
    void init() {
        m_home = std::make_unique<TempDir>();
        fs::create_directories(pub() / "sub");
        writeFile(pub() / "price.txt", "x");
        m_messages.shown.clear();
    }
    void cleanup() {
        m_server.reset();
        m_home.reset();
    }

    void startsInTheFolderAndGoesUpToTheRoot() {
        startServer();
        whenBrowserReady([](CRemoteDirDlg* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Select Remote Directory"));
            QCOMPARE(locationTexts(dialog), QStringList({"/ (127.0.0.1)", "    pub"}));
            QCOMPARE(child<QComboBox>(dialog, "locations")->currentIndex(), 1);
            QCOMPARE(child<QLabel>(dialog, "currentDirectory")->text(),
                     QStringLiteral("Current Directory : 127.0.0.1 (/pub)"));
            QCOMPARE(entryNames(dialog), QStringList({"price.txt", "sub"}));
            const std::pair<const char*, const char*> tips[] = {
                {"upOneLevel", "Up One Level"}, {"createFolder", "Create New Folder"}, {"delete", "Delete"}};
            for (const auto& [name, tip] : tips)
                QCOMPARE(child<QToolButton>(dialog, name)->toolTip(), QString::fromLatin1(tip));

            doubleClick(dialog, "sub");
            QCOMPARE(locationTexts(dialog), QStringList({"/ (127.0.0.1)", "    pub", "        /pub/sub"}));
            QCOMPARE(child<QComboBox>(dialog, "locations")->currentIndex(), 2);

            auto* up = child<QToolButton>(dialog, "upOneLevel");
            up->click();
            up->click();
            QCOMPARE(child<QLabel>(dialog, "currentDirectory")->text(),
                     QStringLiteral("Current Directory : 127.0.0.1 (/)"));
            QCOMPARE(entryNames(dialog), QStringList({"pub"}));
            QVERIFY(!up->isEnabled());
            QCOMPARE(child<QComboBox>(dialog, "locations")->currentIndex(), 0);
            child<QPushButton>(dialog, "select")->click();
        });
        const auto chosen = CRemoteDirDlg::choose(endpoint(), "pub", m_messages);
        QCOMPARE(chosen, std::optional<std::string>("/"));
        QVERIFY(m_messages.shown.empty());
    }

    void createsRenamesAndDeletes() {
        startServer();
        whenBrowserReady([this](CRemoteDirDlg* dialog) {
            auto* list = child<QListWidget>(dialog, "entries");
            auto endEdit = [list](const QString& typed) {
                auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
                QVERIFY2(editor && list->isAncestorOf(editor), "no label editor");
                if (!typed.isEmpty())
                    editor->setText(typed);
                QTest::keyClick(editor, typed.isEmpty() ? Qt::Key_Escape : Qt::Key_Return);
            };
            child<QToolButton>(dialog, "createFolder")->click();
            endEdit({});
            child<QToolButton>(dialog, "createFolder")->click();
            QVERIFY(fs::is_directory(pub() / "NewDirectory[1]"));
            endEdit("images");
            QTRY_VERIFY(fs::is_directory(pub() / "images"));
            QTRY_COMPARE(entryNames(dialog), QStringList({"NewDirectory", "images", "price.txt", "sub"}));

            selectRow(dialog, "price.txt");
            child<QPushButton>(dialog, "properties")->click();
            endEdit("prices.txt");
            QTRY_VERIFY(fs::exists(pub() / "prices.txt"));

            selectRow(dialog, "prices.txt");
            child<QToolButton>(dialog, "delete")->click();
            selectRow(dialog, "sub");
            child<QToolButton>(dialog, "delete")->click();
            QCOMPARE(entryNames(dialog), QStringList({"NewDirectory", "images"}));
            QVERIFY(!fs::exists(pub() / "prices.txt"));
            QVERIFY(!fs::exists(pub() / "sub"));

            list->clearSelection();
            child<QToolButton>(dialog, "delete")->click();
            QCOMPARE(m_messages.texts(), std::vector<std::string>{"Select a file to delete."});
            child<QPushButton>(dialog, "cancel")->click();
        });
        QCOMPARE(CRemoteDirDlg::choose(endpoint(), "/pub", m_messages), std::nullopt);
        QVERIFY(fs::is_directory(pub() / "NewDirectory"));
    }

    void refusedChangeKeepsTheList() {
        FtpServerProcess::Options options;
        options.refuseCwd = "sub";
        startServer(options);
        whenBrowserReady([this](CRemoteDirDlg* dialog) {
            doubleClick(dialog, "sub");
            QCOMPARE(m_messages.texts(), std::vector<std::string>{"Unable to change directory"});
            QCOMPARE(m_messages.shown.front().caption, std::string("Error"));
            QCOMPARE(entryNames(dialog), QStringList({"price.txt", "sub"}));
            QCOMPARE(child<QLabel>(dialog, "currentDirectory")->text(),
                     QStringLiteral("Current Directory : 127.0.0.1 (/pub)"));
            child<QPushButton>(dialog, "select")->click();
        });
        QCOMPARE(CRemoteDirDlg::choose(endpoint(), "/pub", m_messages), std::optional<std::string>("/pub"));
    }

    void silentServerEndsWithinTheTimeOut() {
        FtpServerProcess::Options options;
        options.ignoreCommand = "MLSD";
        startServer(options);
        whenBrowserReady([](CRemoteDirDlg* dialog) { child<QPushButton>(dialog, "cancel")->click(); });
        const auto start = std::chrono::steady_clock::now();
        QCOMPARE(CRemoteDirDlg::choose(endpoint(), "/pub", m_messages, nullptr, 500ms), std::nullopt);
        QVERIFY(std::chrono::steady_clock::now() - start < 4s);
        QCOMPARE(m_messages.texts(), std::vector<std::string>{"time-out: the server stopped answering"});
    }

    void failedConnectionClosesTheDialog() {
        startServer();
        const int port = m_server->port();
        m_server->stop();
        const auto chosen = CRemoteDirDlg::choose({"127.0.0.1", port, "shop", "secret"}, "/pub", m_messages);
        QCOMPARE(chosen, std::nullopt);
        QCOMPARE(m_messages.texts(), std::vector<std::string>{"connection refused"});
        QCOMPARE(m_messages.shown.front().caption, std::string("Error"));
    }

    void ftpSheetDotsFillTheServerDirectory() {
        startServer();
        SettingsBlocks blocks{};
        TempDir programDir;
        CFtpSettingsSheet sheet(blocks, programDir.str(), m_messages);
        FormPage* search = sheet.page(1);
        qobject_cast<QLineEdit*>(search->control(1415))->setText(" 127.0.0.1 ");
        qobject_cast<QLineEdit*>(search->control(1417))->setText(QString::number(m_server->port()));
        qobject_cast<QLineEdit*>(search->control(1416))->setText("shop");
        qobject_cast<QLineEdit*>(search->control(1418))->setText("secret");
        auto* directory = qobject_cast<QLineEdit*>(search->control(1414));
        directory->setText(" pub ");
        QVERIFY(qobject_cast<QCheckBox*>(search->control(1242)));

        whenBrowserReady([](CRemoteDirDlg* dialog) {
            QCOMPARE(child<QComboBox>(dialog, "locations")->itemText(1), QStringLiteral("    pub"));
            doubleClick(dialog, "sub");
            child<QPushButton>(dialog, "select")->click();
        });
        child<QToolButton>(search, "control1540")->click();
        QCOMPARE(directory->text(), QStringLiteral("/pub/sub"));
        // Only typed: nothing is stored before OK.
        QCOMPARE(std::string(blocks.general.ftpTargets[1].serverDirectory), std::string());
        QVERIFY(m_messages.shown.empty());
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    RemoteFolderDialogTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "remote_folder_dialog_test.moc"
