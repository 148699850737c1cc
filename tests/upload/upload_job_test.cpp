#include "upload/upload_job.h"

#include <fcntl.h>
#include <sys/stat.h>

#include "tests/upload/upload_test_fixture.h"
#include "upload/ftp_control_connection.h"
#include "upload/upload_worker.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

class UploadJobTest : public UploadServerTest {};

TEST_F(UploadJobTest, CatalogueFilesArriveByteForByte) {
    struct Case {
        const char* directory;
        const char* remoteFolder;
        const char* firstRemoteName;
    };
    const Case cases[] = {
        {"", "", "zk000000.html"},
        {"shop", "shop", "shop/zk000000.html"},
        {"shop/", "shop", "shop/zk000000.html"},
    };
    auto files = writeCatalogue();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.directory);
        observer = {};
        copyField(settings.ftpTargets[0].serverDirectory, c.directory);
        ASSERT_EQ(run({true, false, false}), 0);
        EXPECT_EQ(result.filesSent, static_cast<int>(files.size()));
        EXPECT_EQ(result.filesFailed, 0);
        for (const auto& [name, bytes] : files) {
            SCOPED_TRACE(name);
            EXPECT_EQ(readFile(m_remote / c.remoteFolder / name), bytes);
        }
        const std::string first = (m_local / "out" / "zk000000.html").string();
        EXPECT_EQ(observer.events[1], "1:connecting to 127.0.0.1");
        EXPECT_TRUE(observer.saw("1:transferring file 1 . . ."));
        EXPECT_TRUE(observer.saw("1:transferring file 6 . . ."));
        EXPECT_FALSE(observer.saw("1:transferring file 7 . . ."));
        EXPECT_TRUE(observer.saw("1:transferring " + first));
        EXPECT_TRUE(observer.saw(std::string("2:to ") + c.firstRemoteName));
        EXPECT_TRUE(observer.saw("3:" + std::to_string(files[4].second.size()) + " bytes"));
        EXPECT_TRUE(observer.saw("3:0 bytes"));
        // The 20000-byte picture goes in five pieces with progress after each.
        auto picture = observer.progressValues;
        EXPECT_NE(std::find(picture.begin(), picture.end(), 20), picture.end());
        EXPECT_NE(std::find(picture.begin(), picture.end(), 80), picture.end());
        EXPECT_EQ(observer.events.back(), "finished");
        EXPECT_EQ(observer.lines[1], "");
        EXPECT_EQ(observer.progressValues.back(), 0);
        EXPECT_TRUE(observer.messages.empty());
    }
}

TEST_F(UploadJobTest, MissingLocalFileLeavesTheRemoteCopyAlone) {
    auto files = writeCatalogue();
    writeFile(m_remote / "shop" / "zki00000.html", "the good copy");
    fs::remove(m_local / "out" / "zki00000.html");
    copyField(settings.ftpTargets[0].serverDirectory, "shop");
    EXPECT_EQ(run({true, false, false}), -1);
    const std::string missing = (m_local / "out" / "zki00000.html").string();
    EXPECT_TRUE(observer.saw("1:error opening " + missing));
    EXPECT_EQ(observer.failed, std::vector<std::string>{missing});
    EXPECT_EQ(readFile(m_remote / "shop" / "zki00000.html"), "the good copy");
    EXPECT_EQ(result.filesSent, static_cast<int>(files.size()) - 1);
    EXPECT_FALSE(result.cancelled);
}

TEST_F(UploadJobTest, EachDistinctFileIsSentOnceInTheOrderFirstListed) {
    // Every page lists the picture it shows; two also show the logo.
    writeList({"a.html", "pic.png", "b.html", "pic.png", "logo.gif", "c.html", "pic.png", "logo.gif"});
    ASSERT_EQ(run({true, false, false}), 0);
    EXPECT_EQ(logLines("transfer.log"),
              (std::vector<std::string>{"i a.html", "i pic.png", "i b.html", "i logo.gif", "i c.html"}));
    EXPECT_EQ(result.filesSent, 5);
    EXPECT_TRUE(observer.saw("1:transferring file 5 . . ."));
    EXPECT_FALSE(observer.saw("1:transferring file 6 . . ."));
}

TEST_F(UploadJobTest, AFileSpelledInOtherWaysIsStillSentOnce) {
    writeList({"a.html", "pic.png"});
    const std::string out = (m_local / "out").string();
    std::string list = readFile(m_local / "files01.dat");
    for (const std::string& spelling : {out + "//pic.png", out + "\\pic.png", out + "/./pic.png",
                                        out + "/../out/pic.png"})
        list += spelling + "\n";
    writeFile(m_local / "files01.dat", list);
    ASSERT_EQ(run({true, false, false}), 0);
    EXPECT_EQ(logLines("transfer.log"), (std::vector<std::string>{"i a.html", "i pic.png"}));
    EXPECT_EQ(result.filesSent, 2);
}

TEST_F(UploadJobTest, ABrokenTransferFailsAloneAndTheJobGoesOn) {
    // Whether a reset data connection is noticed before the server's reply
    // to it arrives is a matter of timing; either way the user reads why.
    const std::set<std::string> reset = {"426 Connection closed; transfer aborted.", "connection closed by the server"};
    struct Case {
        const char* name;
        FtpServerProcess::Options server;
        std::set<std::string> reasons;
    };
    const Case cases[] = {
        {"data connection reset", {.dropTransfer = "b.html"}, reset},
        {"data connection reset in active mode", {.refusePassive = true, .dropTransfer = "b.html"}, reset},
        {"server hangs up", {.hangUp = "b.html"}, {"connection closed by the server"}},
    };
    writeList({"a.html", "b.html", "c.html"});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        observer = {};
        fs::remove(m_remote / "a.html");
        fs::remove(m_remote / "c.html");
        startServer(c.server);
        ASSERT_TRUE(m_server->running());
        EXPECT_EQ(run({true, false, false}), -1);
        EXPECT_EQ(result.filesSent, 2);
        EXPECT_EQ(result.filesFailed, 1);
        EXPECT_FALSE(result.cancelled);
        EXPECT_EQ(observer.failed, std::vector<std::string>{localPath("b.html")});
        ASSERT_EQ(observer.failureReasons.size(), 1u);
        EXPECT_TRUE(c.reasons.count(observer.failureReasons[0])) << observer.failureReasons[0];
        EXPECT_TRUE(observer.connectionFailures.empty());
        EXPECT_EQ(readFile(m_remote / "a.html"), "contents of a.html\n");
        EXPECT_EQ(readFile(m_remote / "c.html"), "contents of c.html\n");
        EXPECT_EQ(observer.events.back(), "finished");
    }
}

TEST_F(UploadJobTest, AStuckTransferTimesOutAndTheJobGoesOn) {
    writeList({"a.html", "b.html", "c.html"});
    startServer({.stallTransfer = "b.html"});
    ASSERT_TRUE(m_server->running());
    options.timeout = 1s;
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(run({true, false, false}), -1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
    EXPECT_EQ(observer.failed, std::vector<std::string>{localPath("b.html")});
    EXPECT_EQ(observer.failureReasons, std::vector<std::string>{"time-out: the server stopped answering"});
    EXPECT_EQ(readFile(m_remote / "c.html"), "contents of c.html\n");
    EXPECT_FALSE(result.cancelled);
}

TEST_F(UploadJobTest, AListThatIsNotARegularFileIsReportedAsMissing) {
    struct Case {
        const char* name;
        std::function<void(const fs::path&)> make;
    };
    const Case cases[] = {
        {"folder", [](const fs::path& list) { fs::create_directory(list); }},
        {"link to a folder", [](const fs::path& list) { fs::create_directory_symlink(list.parent_path(), list); }},
        {"named pipe", [](const fs::path& list) { ::mkfifo(list.c_str(), 0600); }},
        {"device", [](const fs::path& list) { fs::create_symlink("/dev/zero", list); }},
    };
    writeList({"a.html"});
    const fs::path list = m_local / "files01.dat";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        observer = {};
        fs::remove_all(list);
        c.make(list);
        UploadWorker worker(settings, {true, false, false}, observer, options);
        ASSERT_TRUE(worker.start());
        bool ended = worker.waitFor(5s);
        if (!ended && fs::is_fifo(list))
            ::close(::open(list.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
        worker.wait();
        EXPECT_TRUE(ended);
        EXPECT_EQ(worker.status(), -1);
        EXPECT_TRUE(worker.result().listFileMissing);
        EXPECT_EQ(observer.messageTexts(), std::vector<std::string>{"couldn't open " + list.string()});
        EXPECT_FALSE(observer.saw("1:transferring file 1 . . ."));
    }

    fs::remove_all(list);
    writeFile(m_local / "list.txt", localPath("a.html") + "\n");
    fs::create_symlink(m_local / "list.txt", list);
    observer = {};
    EXPECT_EQ(run({true, false, false}), 0);
    EXPECT_EQ(result.filesSent, 1);
}

TEST_F(UploadJobTest, DamagedFileListLinesFailAloneAndTheRestArrives) {
    writeFile(m_local / "out" / "zk000001.html", "page\n");
    const std::string longLine = (m_local / "out").string() + "/" + std::string(20000, 'a');
    writeFile(m_local / "files01.dat",
              longLine + "\n\n" + std::string("\0\x01", 2) + "\n" + (m_local / "out" / "zk000001.html").string());
    EXPECT_EQ(run({true, false, false}), -1);
    EXPECT_EQ(result.filesSent, 1);
    EXPECT_EQ(result.filesFailed, 2);
    EXPECT_FALSE(result.cancelled);
    EXPECT_EQ(readFile(m_remote / "zk000001.html"), "page\n");
    EXPECT_EQ(observer.events.back(), "finished");
}

TEST_F(UploadJobTest, MissingFileListIsReportedAndTheOtherPartsRun) {
    writeSearchFiles();
    options.programDirectory = (m_local / "nothing").string();
    EXPECT_EQ(run({true, true, false}), -1);
    const std::string listPath = (m_local / "nothing" / "files01.dat").string();
    ASSERT_EQ(observer.messageTexts(), std::vector<std::string>{"couldn't open " + listPath});
    EXPECT_EQ(observer.messages[0].caption, "");
    EXPECT_EQ(observer.messages[0].buttons, MessageButtons::Ok);
    EXPECT_TRUE(result.listFileMissing);
    // The catalogue part still connects, then has nothing to send.
    EXPECT_TRUE(observer.saw("1:connecting to 127.0.0.1"));
    EXPECT_FALSE(observer.saw("1:transferring file 1 . . ."));
    EXPECT_EQ(readFile(m_remote / "zkdata" / "pages01.dat"), "2,Teapots\n3,Cups\n");
}

TEST_F(UploadJobTest, SearchFilesAndTheirPermissions) {
    struct Case {
        const char* name;
        bool useCatalogueTarget;
        const char* catalogueDirectory;
        const char* searchDirectory;
        const char* folder;
        std::vector<std::string> commands;
    };
    const Case cases[] = {
        {"own destination, login folder", false, "elsewhere", "", "",
         {"site chmod 755 zksearch2.pl", "site chmod 755 zkread1.pl", "site chmod 777 zkdata"}},
        {"catalogue destination, shop", true, "shop", "elsewhere", "shop",
         {"site chmod 755 shop/zksearch2.pl", "site chmod 755 shop/zkread1.pl", "site chmod 777 shop/zkdata"}},
    };
    writeSearchFiles();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        observer = {};
        fs::remove(m_local / "site.log");
        settings.searchUsesCatalogueTarget = c.useCatalogueTarget;
        copyField(settings.ftpTargets[0].serverDirectory, c.catalogueDirectory);
        copyField(settings.ftpTargets[1].serverDirectory, c.searchDirectory);
        ASSERT_EQ(run({false, true, false}), 0);
        EXPECT_EQ(result.filesSent, 4);
        EXPECT_TRUE(result.permissionsSet);
        fs::path folder = m_remote / c.folder;
        for (const char* name : {"zksearch2.pl", "zkread1.pl"})
            EXPECT_EQ(readFile(folder / name), readFile(m_local / "search" / name)) << name;
        for (const char* name : {"pages01.dat", "search01.dat"})
            EXPECT_EQ(readFile(folder / "zkdata" / name), readFile(m_local / "search" / name)) << name;
        EXPECT_EQ(modeOf(folder / "zksearch2.pl"), 0755);
        EXPECT_EQ(modeOf(folder / "zkread1.pl"), 0755);
        EXPECT_EQ(modeOf(folder / "zkdata"), 0777);
        EXPECT_EQ(siteLog(), c.commands);
        for (const auto& command : c.commands)
            EXPECT_TRUE(observer.saw("1:" + command)) << command;
        EXPECT_TRUE(observer.saw("2:200 SITE CHMOD successful."));
        EXPECT_TRUE(observer.messages.empty());
    }
}

TEST_F(UploadJobTest, SearchFilesGoAsTextTheOthersAsBinary) {
    // Text mode lets the server give the scripts the line ends of its own
    // system; catalogue files and the order form keep every byte.
    writeSearchFiles();
    writeFile(m_local / "out" / "page.html", "<HTML>\r\n</HTML>\r\n");
    writeFile(m_local / "files01.dat", (m_local / "out" / "page.html").string() + "\n");
    copyField(settings.outputDir, (m_local / "out").string());
    copyField(settings.orderFormUrl, "http://www.example.com/page.html");
    copyField(settings.ftpTargets[2].serverDirectory, "forms");
    ASSERT_EQ(run({true, true, true}), 0);
    EXPECT_EQ(logLines("transfer.log"),
              (std::vector<std::string>{"i page.html", "a zksearch2.pl", "a zkread1.pl", "a zkdata/pages01.dat",
                                        "a zkdata/search01.dat", "i forms/page.html"}));
    EXPECT_EQ(readFile(m_remote / "page.html"), "<HTML>\r\n</HTML>\r\n");
}

TEST_F(UploadJobTest, WithoutAPreprocessingScriptNoFolderIsMadeExecutable) {
    writeSearchFiles();
    copyField(settings.searchPreprocess, "");
    copyField(settings.ftpTargets[1].serverDirectory, "shop");
    fs::permissions(m_remote / "shop", fs::perms(0750));
    ASSERT_EQ(run({false, true, false}), 0);
    EXPECT_EQ(result.filesSent, 3);
    EXPECT_EQ(siteLog(), (std::vector<std::string>{"site chmod 755 shop/zksearch2.pl", "site chmod 777 shop/zkdata"}));
    EXPECT_EQ(modeOf(m_remote / "shop"), 0750);
}

TEST_F(UploadJobTest, FailedPermissionLogonIsShownCaptionedFtp) {
    // The transfer connection stays open, so the server refuses a second one.
    startServer({.maxConsPerIp = 1});
    writeSearchFiles();
    EXPECT_EQ(run({false, true, false}), 0);
    EXPECT_FALSE(result.permissionsSet);
    ASSERT_EQ(observer.messages.size(), 1u);
    EXPECT_EQ(observer.messages[0].text, "421 Too many connections from the same IP address.");
    EXPECT_EQ(observer.messages[0].caption, "FTP");
    EXPECT_EQ(observer.messages[0].buttons, MessageButtons::Ok);
}

TEST_F(UploadJobTest, OrderForm) {
    struct Case {
        const char* name;
        bool custom;
        const char* localName;
        const char* remoteName;
    };
    const Case cases[] = {
        {"default form", false, "zkorder.html", "zkorder.html"},
        {"custom form", true, "myform.html", "order.htm"},
    };
    copyField(settings.outputDir, (m_local / "out").string());
    copyField(settings.orderFormUrl, "http://www.example.com/shop/zkorder.html");
    copyField(settings.customFormFile, "C:\\forms\\myform.html");
    copyField(settings.customFormUrl, "http://www.example.com/forms/order.htm");
    copyField(settings.ftpTargets[2].serverDirectory, "forms");
    writeFile(m_local / "out" / "zkorder.html", "<FORM>default</FORM>\n");
    writeFile(m_local / "out" / "myform.html", "<FORM>custom</FORM>\n" + binaryBytes(5000, 3));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        observer = {};
        settings.useCustomForm = c.custom;
        ASSERT_EQ(run({false, false, true}), 0);
        EXPECT_EQ(readFile(m_remote / "forms" / c.remoteName), readFile(m_local / "out" / c.localName));
        EXPECT_TRUE(observer.saw("1:transferring order form"));
        EXPECT_TRUE(observer.saw("2:to forms/" + std::string(c.remoteName)));
    }

    observer = {};
    settings.useCustomForm = 0;
    fs::remove(m_local / "out" / "zkorder.html");
    EXPECT_EQ(run({false, false, true}), -1);
    EXPECT_TRUE(observer.saw("1:transfer failed (zkorder.html)"));
    EXPECT_FALSE(result.cancelled);
    EXPECT_EQ(observer.events.back(), "finished");
}

TEST_F(UploadJobTest, ConnectFailureCancelsTheJob) {
    struct Case {
        const char* name;
        bool stopServer;
        const char* host;
        const char* password;
        const char* reason;
    };
    const Case cases[] = {
        {"wrong password", false, "127.0.0.1", "wrong", "530 Authentication failed."},
        {"not a host name", false, "127.0.0.1/x@y", "secret", "invalid server address"},
        {"line break in the password", false, "127.0.0.1", "secret\r\nDELE zk000000.html", "invalid user name or password"},
        {"stopped server", true, "127.0.0.1", "secret", "connection refused"},
    };
    writeCatalogue();
    writeSearchFiles();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        observer = {};
        copyField(settings.ftpTargets[0].host, c.host);
        copyField(settings.ftpTargets[0].password, c.password);
        if (c.stopServer)
            m_server->stop();
        EXPECT_EQ(run({true, true, true}), -1);
        EXPECT_TRUE(result.cancelled);
        EXPECT_EQ(result.filesSent, 0);
        EXPECT_EQ(observer.from("1:Connect failed"),
                  (std::vector<std::string>{"1:Connect failed", "1:Transfer cancelled", "2:", "3:", "finished"}));
        ASSERT_EQ(observer.connectionFailures.size(), 1u);
        EXPECT_EQ(observer.connectionFailures[0], c.reason);
        EXPECT_FALSE(observer.saw("1:transferring order form"));
        EXPECT_FALSE(fs::exists(m_remote / "zk000000.html"));
        EXPECT_TRUE(observer.messages.empty());
    }
}

TEST_F(UploadJobTest, SilentServerEndsTheJobAfterTheTimeOut) {
    SilentServer silent;
    ASSERT_GT(silent.port(), 0);
    settings.ftpTargets[0].port = silent.port();
    writeCatalogue();
    options.timeout = 1s;
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(run({true, false, false}), -1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
    EXPECT_TRUE(result.cancelled);
    EXPECT_TRUE(observer.saw("1:Connect failed"));
}

TEST_F(UploadJobTest, CancelDuringALargeFileStopsAfterTheCurrentPiece) {
    const std::string big = writeLargeCatalogue();
    int piecesAfterCancel = -1;
    observer.onProgress = [&](int percent) {
        if (cancel) {
            ++piecesAfterCancel;
        } else if (percent > 0) {
            cancel = true;
            piecesAfterCancel = 0;
        }
    };
    EXPECT_EQ(run({true, false, false}), -1);
    EXPECT_TRUE(result.cancelled);
    // Only the reset of the bar follows the cancel.
    EXPECT_EQ(piecesAfterCancel, 1);
    EXPECT_EQ(observer.progressValues.back(), 0);
    EXPECT_TRUE(observer.saw("1:Transfer cancelled"));
    EXPECT_FALSE(observer.saw("1:transferring file 2 . . ."));
    std::error_code ec;
    EXPECT_LT(fs::file_size(m_remote / "big.png", ec), big.size());
    EXPECT_FALSE(fs::exists(m_remote / "after.html"));
}

TEST_F(UploadJobTest, TheDataConnectionModeThatWorks) {
    struct Case {
        const char* name;
        FtpServerProcess::Options server;
    };
    const Case cases[] = {
        {"active mode refused", {.refuseActive = true}},
        {"server cannot reach the client", {.activeUnreachable = true}},
        {"passive mode refused", {.refusePassive = true}},
    };
    auto files = writeCatalogue();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        startServer(c.server);
        ASSERT_TRUE(m_server->running());
        ASSERT_EQ(run({true, false, false}), 0);
        for (const auto& [name, bytes] : files)
            EXPECT_EQ(readFile(m_remote / name), bytes) << name;
        fs::remove(m_remote / "zk000000.html");
    }
}

TEST_F(UploadJobTest, NothingTickedOnlyResetsTheStatus) {
    EXPECT_EQ(run({}), 0);
    EXPECT_EQ(observer.events,
              (std::vector<std::string>{"started", "1:", "2:", "3:", "finished"}));
    EXPECT_TRUE(observer.messages.empty());
}

TEST_F(UploadJobTest, ControlConnectionLogonAgainstTheServer) {
    FtpControlConnection connection(5s);
    FtpLogonInfo info;
    info.host = "127.0.0.1";
    info.port = m_server->port();
    info.userName = "shop";
    info.password = "wrong";
    EXPECT_FALSE(connection.logOn(info));
    EXPECT_EQ(connection.replyLine(), "530 Authentication failed.");
    info.password = "secret";
    ASSERT_TRUE(connection.logOn(info));
    EXPECT_TRUE(connection.command("site chmod 700 shop"));
    connection.quit();
    EXPECT_EQ(modeOf(m_remote / "shop"), 0700);
}

} // namespace
