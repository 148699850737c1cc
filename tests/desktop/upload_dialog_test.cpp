// The upload dialog against a real FTP server on loopback: a whole upload,
// cancelling, closing the window mid-transfer, servers that refuse or stop
// answering, the menu command with the FTP settings sheet, and a picture of
// the dialog at work.
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/core/command_table.h"
#include "app/desktop/ftp_settings_sheet.h"
#include "app/desktop/upload_dialog.h"
#include "model/paths.h"
#include "model/settings_store.h"
#include "tests/desktop/dialog_driver.h"
#include "tests/desktop/program_window.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_dir.h"
#include "tests/upload/binary_bytes.h"
#include "tests/upload/ftp_server_process.h"
#include "tests/upload/silent_server.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

}  // namespace

class UploadDialogTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDir> m_local;
    std::unique_ptr<TempDir> m_remote;
    std::unique_ptr<FtpServerProcess> m_server;
    SettingsBlocks m_blocks{};
    RecordingMessages m_messages;
    std::unique_ptr<CUploadDlg> m_dialog;
    // Every status line the dialog showed, as "1:text", in order.
    QStringList m_lines;
    QList<int> m_progress;

    fs::path programDir() const { return m_local->path() / "program"; }
    fs::path outputDir() const { return m_local->path() / "out"; }

    void startServer(FtpServerProcess::Options options = {}) {
        m_server.reset();
        options.home = (m_remote->path() / "").string();
        m_server = std::make_unique<FtpServerProcess>(options);
        QVERIFY(m_server->running());
        for (auto& target : m_blocks.general.ftpTargets)
            target.port = m_server->port();
    }

    // Local files and the list naming them, as a run of the generator leaves them.
    void writeCatalogue(const std::vector<std::pair<std::string, std::string>>& files) {
        std::string list;
        for (const auto& [name, bytes] : files) {
            writeFile(outputDir() / name, bytes);
            list += (outputDir() / name).string() + "\n";
        }
        writeFile(programDir() / "files01.dat", list);
    }

    // A picture the server stops reading part way, then a page after it.
    void writeStalledCatalogue() {
        startServer({.stallTransfer = "big.png"});
        writeCatalogue({{"big.png", binaryBytes(4'000'000, 7)}, {"after.html", "never sent"}});
    }

    void openDialog(UploadOptions options = {}) {
        m_dialog = std::make_unique<CUploadDlg>(m_blocks, programDir().string() + "/", m_messages);
        m_dialog->setUploadOptions(std::move(options));
        connect(m_dialog.get(), &CUploadDlg::statusLineShown, this,
                [this](int line, const QString& text) { m_lines << QStringLiteral("%1:%2").arg(line).arg(text); });
        connect(child<QProgressBar>(m_dialog.get(), "progress"), &QProgressBar::valueChanged, this,
                [this](int value) { m_progress << value; });
        m_dialog->show();
    }

    QPushButton* button(const char* name) { return child<QPushButton>(m_dialog.get(), name); }

    bool waitForLine(const QString& prefix, int timeoutMs = 20000) {
        return QTest::qWaitFor(
            [&] {
                for (const QString& line : m_lines)
                    if (line.startsWith(prefix))
                        return true;
                return false;
            },
            timeoutMs);
    }

    // After a start: until the job's thread has ended and its last call has
    // given the controls back.
    bool waitForEnd(int timeoutMs = 30000) {
        return QTest::qWaitFor([this] { return !m_dialog->transferring() && button("ok")->isEnabled(); },
                               timeoutMs);
    }

    // The idle dialog: every control usable, nothing shown as under way.
    void verifyIdle() {
        QVERIFY(!m_dialog->running());
        QCOMPARE(button("startUpload")->text(), QStringLiteral("Start Upload"));
        for (const char* name : {"ok", "cancel", "ftpSettings"})
            QVERIFY2(button(name)->isEnabled(), name);
        QVERIFY(child<QGroupBox>(m_dialog.get(), "components")->isEnabled());
        QCOMPARE(m_dialog->tickerText(), QStringLiteral(" File Transfer"));
    }

private slots:
    void init() {
        m_local = std::make_unique<TempDir>();
        m_remote = std::make_unique<TempDir>();
        fs::create_directories(programDir());
        fs::create_directories(m_remote->path() / "shop");
        fs::create_directories(m_remote->path() / "forms");
        std::memset(&m_blocks, 0, sizeof m_blocks);
        for (auto& target : m_blocks.general.ftpTargets) {
            copyField(target.host, "127.0.0.1");
            copyField(target.userName, "shop");
            copyField(target.password, "secret");
        }
        copyField(m_blocks.general.ftpTargets[0].serverDirectory, "shop");
        copyField(m_blocks.general.outputDir, outputDir().string());
        m_blocks.general.transferCatalogue = 1;
        m_messages.shown.clear();
        m_lines.clear();
        m_progress.clear();
    }

    void cleanup() {
        m_dialog.reset();
        m_server.reset();
        m_remote.reset();
        m_local.reset();
    }

    void wholeUploadArrivesAndTheDialogIsResetAfterwards() {
        startServer();
        const std::vector<std::pair<std::string, std::string>> files = {
            {"zk000000.html", "<HTML><FRAMESET></FRAMESET></HTML>\n"},
            {"photo.png", "\x89PNG\r\n\x1a\n" + binaryBytes(300'000, 2)},
        };
        writeCatalogue(files);
        copyField(m_blocks.general.orderFormUrl, "http://www.example.com/shop/zkorder.html");
        copyField(m_blocks.general.ftpTargets[2].serverDirectory, "forms");
        writeFile(outputDir() / "zkorder.html", "<FORM>order</FORM>\n");
        const GeneralSettings before = m_blocks.general;

        openDialog({.pause = 0ms});
        QVERIFY(child<QCheckBox>(m_dialog.get(), "transferCatalogue")->isChecked());
        QVERIFY(!child<QCheckBox>(m_dialog.get(), "transferOrderForm")->isChecked());
        // Ticking a box steers this upload only.
        child<QCheckBox>(m_dialog.get(), "transferOrderForm")->setChecked(true);
        button("startUpload")->click();
        QVERIFY(m_dialog->running());
        QCOMPARE(button("startUpload")->text(), QStringLiteral("Cancel Upload"));
        for (const char* name : {"ok", "cancel", "ftpSettings"})
            QVERIFY2(!button(name)->isEnabled(), name);
        QVERIFY(!child<QCheckBox>(m_dialog.get(), "transferCatalogue")->isEnabled());
        QVERIFY(QTest::qWaitFor([this] { return m_dialog->tickerText() != QStringLiteral(" File Transfer"); }, 2000));

        QVERIFY(waitForEnd());
        QVERIFY(m_progress.contains(100));
        QVERIFY(m_lines.contains(QStringLiteral("1:transferring order form")));
        for (int line = 1; line <= 3; ++line)
            QCOMPARE(m_dialog->statusLine(line), QString());
        QCOMPARE(m_dialog->progress(), 0);
        verifyIdle();
        for (const auto& [name, bytes] : files)
            QVERIFY2(readFile(m_remote->path() / "shop" / name) == bytes, name.c_str());
        QCOMPARE(readFile(m_remote->path() / "forms" / "zkorder.html"), std::string("<FORM>order</FORM>\n"));
        QCOMPARE(m_messages.texts(), std::vector<std::string>{});
        QVERIFY(std::memcmp(&before, &m_blocks.general, sizeof before) == 0);
    }

    void lostFilesAreStillNamedWhenTheJobEnds() {
        startServer({.dropTransfer = "lost.png"});
        writeCatalogue({{"lost.png", binaryBytes(600'000, 3)}, {"kept.html", "<HTML></HTML>\n"}});
        openDialog({.pause = 0ms});
        button("startUpload")->click();
        QVERIFY(waitForEnd());
        QCOMPARE(m_dialog->statusLine(1), QStringLiteral("1 file could not be transferred"));
        QCOMPARE(readFile(m_remote->path() / "shop" / "kept.html"), std::string("<HTML></HTML>\n"));
        verifyIdle();
    }

    void aMissingFileListIsShownAndTheJobStillEnds() {
        startServer();
        openDialog();
        button("startUpload")->click();
        QVERIFY(waitForEnd());
        QCOMPARE(m_messages.texts(),
                 std::vector<std::string>{"couldn't open " + (programDir() / "files01.dat").string()});
        verifyIdle();
    }

    void cancelMidFileStopsTheJobAndEnablesTheControls() {
        writeStalledCatalogue();
        openDialog({.timeout = 20s});
        button("startUpload")->click();
        QVERIFY(waitForLine(QStringLiteral("2:to shop/big.png")));
        QTest::qWait(200);

        const auto pressed = std::chrono::steady_clock::now();
        button("startUpload")->click();
        // The caption comes back at once; the controls when the job has ended.
        QVERIFY(!m_dialog->running());
        QCOMPARE(button("startUpload")->text(), QStringLiteral("Start Upload"));
        QVERIFY(waitForEnd());
        QVERIFY(std::chrono::steady_clock::now() - pressed < 5s);
        QCOMPARE(m_dialog->statusLine(1), QStringLiteral("Transfer cancelled"));
        QCOMPARE(m_dialog->statusLine(2), QString());
        QCOMPARE(m_dialog->statusLine(3), QString());
        QCOMPARE(m_dialog->progress(), 0);
        verifyIdle();
        QVERIFY(!fs::exists(m_remote->path() / "shop" / "after.html"));
    }

    void closingTheWindowMidTransferEndsTheJob() {
        struct Case {
            const char* name;
            std::function<void(CUploadDlg*)> close;
        };
        const Case cases[] = {
            {"Escape", [](CUploadDlg* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); }},
            {"close button", [](CUploadDlg* dialog) { dialog->close(); }},
            {"OK", [](CUploadDlg* dialog) { dialog->accept(); }},
            {"Cancel", [](CUploadDlg* dialog) { dialog->reject(); }},
            {"destroyed", [](CUploadDlg* dialog) { delete dialog; }},
        };
        for (const Case& c : cases) {
            m_lines.clear();
            writeStalledCatalogue();
            openDialog({.timeout = 20s});
            button("startUpload")->click();
            QVERIFY2(waitForLine(QStringLiteral("2:to shop/big.png")), c.name);

            QPointer<CUploadDlg> watched = m_dialog.get();
            CUploadDlg* dialog = m_dialog.get();
            if (std::strcmp(c.name, "destroyed") == 0)
                (void)m_dialog.release();
            const auto closed = std::chrono::steady_clock::now();
            c.close(dialog);
            QVERIFY2(std::chrono::steady_clock::now() - closed < 3s, c.name);
            // Whatever the job queued before it ended finds no window, or one
            // that is closed and idle.
            QTest::qWait(300);
            if (watched) {
                QVERIFY2(!dialog->isVisible(), c.name);
                QVERIFY2(!dialog->transferring(), c.name);
                verifyIdle();
            }
            QVERIFY2(!fs::exists(m_remote->path() / "shop" / "after.html"), c.name);
        }
    }

    void connectionFailuresCancelTheJob() {
        struct Case {
            const char* name;
            const char* password;
            bool silent;
        };
        const Case cases[] = {
            {"wrong password", "wrong", false},
            {"server that never answers", "secret", true},
        };
        startServer();
        writeCatalogue({{"zk000000.html", "<HTML></HTML>\n"}});
        for (const Case& c : cases) {
            m_lines.clear();
            SilentServer silent;
            copyField(m_blocks.general.ftpTargets[0].password, c.password);
            m_blocks.general.ftpTargets[0].port = c.silent ? silent.port() : m_server->port();
            openDialog({.timeout = 1s});
            const auto started = std::chrono::steady_clock::now();
            button("startUpload")->click();
            QVERIFY2(waitForEnd(15000), c.name);
            QVERIFY2(std::chrono::steady_clock::now() - started < 10s, c.name);
            const int failed = static_cast<int>(m_lines.indexOf(QStringLiteral("1:Connect failed")));
            QVERIFY2(failed >= 0, c.name);
            QVERIFY2(m_lines.indexOf(QStringLiteral("1:Transfer cancelled")) > failed, c.name);
            QCOMPARE(m_dialog->statusLine(1), QStringLiteral("Transfer cancelled"));
            verifyIdle();
            QVERIFY2(!fs::exists(m_remote->path() / "shop" / "zk000000.html"), c.name);
        }
    }

    void menuCommandOpensTheDialogAndFtpSettingsOkWritesTheGeneralBlock() {
        struct Case {
            const char* name;
            bool confirm;
        };
        for (const Case& c : {Case{"OK", true}, Case{"Cancel", false}}) {
            ProgramWindow window;
            GeneralSettings& general = window.general();
            general.transferCatalogue = 1;
            general.transferSearch = 0;
            general.transferOrderForm = 1;
            const std::string savedBefore = readFile(window.programDir / "ZK002.dat");
            bool opened = false;
            whenDialogOpens<CUploadDlg>([&](CUploadDlg* dialog) {
                opened = true;
                QCOMPARE(dialog->windowTitle(), QStringLiteral("Upload Catalogue to Server"));
                QVERIFY(child<QCheckBox>(dialog, "transferCatalogue")->isChecked());
                QVERIFY(!child<QCheckBox>(dialog, "transferSearch")->isChecked());
                QVERIFY(child<QCheckBox>(dialog, "transferOrderForm")->isChecked());
                whenDialogOpens<CFtpSettingsSheet>([&](CFtpSettingsSheet* sheet) {
                    QWidget* search = sheet->findChild<QTabWidget*>()->widget(1);
                    child<QCheckBox>(search, "control1420")->setChecked(true);
                    if (c.confirm)
                        sheet->accept();
                    else
                        sheet->reject();
                });
                child<QPushButton>(dialog, "ftpSettings")->click();
                QCOMPARE(dialog->settingsChanged(), c.confirm);
                // The boxes are read again from the record after OK.
                QCOMPARE(child<QCheckBox>(dialog, "transferSearch")->isChecked(), c.confirm);
                // Changed after the sheet wrote its file: only the command's own save keeps it.
                copyField(general.ftpTargets[0].host, "ftp.after.example");
                dialog->accept();
            });
            QVERIFY(window.trigger(command::UploadCatalogue));
            QVERIFY2(opened, c.name);
            GeneralSettings saved{};
            QVERIFY(readBlockFile((window.programDir / "ZK002.dat").string(), &saved, sizeof saved));
            if (c.confirm) {
                QCOMPARE(std::string(fieldText(saved.ftpTargets[0].host)), std::string("ftp.after.example"));
                QCOMPARE(int(saved.transferSearch), 1);
            } else {
                QVERIFY(readFile(window.programDir / "ZK002.dat") == savedBefore);
            }
            QCOMPARE(window.messages.texts(), std::vector<std::string>{});
        }
    }

    // A picture of the dialog at work for the documentation, when asked for.
    void screenshot() {
        const QByteArray folder = qgetenv("VIMRA_SCREENSHOT_DIR");
        if (folder.isEmpty())
            QSKIP("set VIMRA_SCREENSHOT_DIR to write the picture");
        writeStalledCatalogue();
        m_blocks.general.transferOrderForm = 1;
        openDialog({.timeout = 20s});
        button("startUpload")->click();
        QVERIFY(waitForLine(QStringLiteral("3:")));
        QVERIFY(QTest::qWaitFor([this] { return m_dialog->progress() > 0; }, 10000));
        QTest::qWait(1500);
        QVERIFY(m_dialog->grab().save(QString::fromLocal8Bit(folder) + "/upload-dialog.png"));
    }
};

QTEST_MAIN(UploadDialogTest)
#include "upload_dialog_test.moc"
