#include "upload/ftp_folder_session.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

#include "tests/support/temp_dir.h"
#include "tests/upload/ftp_server_process.h"
#include "upload/ftp_listing.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

FtpEndpoint endpointOf(const FtpServerProcess& server, std::string password = "secret") {
    return {"127.0.0.1", server.port(), "shop", std::move(password)};
}

std::vector<std::string> describe(std::vector<RemoteEntry> entries) {
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    std::vector<std::string> shown;
    for (const auto& entry : entries)
        shown.push_back(entry.name + (entry.isFolder ? "/" : ""));
    return shown;
}

// A server home with /pub holding a file and a folder.
class FolderSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(home / "pub" / "sub");
        writeFile(home / "pub" / "price list.txt", "x");
    }

    FtpServerProcess::Options options() const {
        FtpServerProcess::Options options;
        options.home = home.str();
        return options;
    }

    TempDir home;
};

TEST(FtpListingTest, EntriesOfEachListingStyle) {
    struct Case {
        const char* name;
        std::vector<RemoteEntry> (*parse)(std::string_view);
        std::string_view listing;
        std::vector<std::string> want;
    };
    const Case cases[] = {
        {"MLSD facts in any case, cdir and pdir left out", parseMlsdListing,
         "type=cdir;perm=el; .\r\ntype=pdir; ..\r\nType=Dir;modify=20200101; my folder\r\n"
         "size=3;type=file; a;b.txt\r\nno-facts-line\r\n",
         {"a;b.txt", "my folder/"}},
        {"Unix LIST: folders, files, links, blanks in names", parseListListing,
         "total 8\r\ndrwxr-xr-x 2 o g 4096 Jan  1 12:00 images\r\n"
         "-rw-r--r-- 1 o g 12 Jan  1  2020 two  blanks.html\r\n"
         "lrwxrwxrwx 1 o g 4 Jan  1 12:00 latest -> images\r\n"
         "drwxr-xr-x 2 o g 4096 Jan  1 12:00 .\r\ngarbage\r\n",
         {"images/", "latest", "two  blanks.html"}},
        {"DOS LIST", parseListListing, "01-01-20  12:00PM       <DIR>          shop\r\n"
                                       "01-01-20  12:00PM                  120 index.html\r\n",
         {"index.html", "shop/"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(describe(c.parse(c.listing)), c.want);
    }
}

TEST(FtpListingTest, FolderOfPwdReply) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"257 \"/pub\" is the current directory.", "/pub"},
        {"257 \"/say \"\"hi\"\"\" created", "/say \"hi\""},
        {"257 no folder named", ""},
        {"257 \"/unclosed", ""},
    };
    for (const auto& [reply, want] : cases) {
        SCOPED_TRACE(reply);
        EXPECT_EQ(folderOfPwdReply(reply), want);
    }
}

TEST_F(FolderSessionTest, WalksAndChangesTheServersFolders) {
    // No call opens a control connection beside the one kept.
    auto oneConnection = options();
    oneConnection.maxConsPerIp = 1;
    FtpServerProcess server(oneConnection);
    ASSERT_TRUE(server.running());
    FtpFolderSession session(5s);
    ASSERT_EQ(session.open(endpointOf(server)), RemoteStatus::Done) << session.lastReply();

    std::string folder;
    ASSERT_EQ(session.currentFolder(folder), RemoteStatus::Done);
    EXPECT_EQ(folder, "/");
    ASSERT_EQ(session.changeFolder("pub"), RemoteStatus::Done);
    ASSERT_EQ(session.currentFolder(folder), RemoteStatus::Done);
    EXPECT_EQ(folder, "/pub");

    std::vector<RemoteEntry> entries;
    ASSERT_EQ(session.list(entries), RemoteStatus::Done);
    EXPECT_EQ(describe(entries), (std::vector<std::string>{"price list.txt", "sub/"}));

    EXPECT_EQ(session.makeFolder("NewDirectory"), RemoteStatus::Done);
    EXPECT_EQ(session.makeFolder("NewDirectory"), RemoteStatus::Exists);
    EXPECT_EQ(session.rename("NewDirectory", "images"), RemoteStatus::Done);
    EXPECT_EQ(session.rename("gone", "other"), RemoteStatus::Refused);
    EXPECT_EQ(session.lastReply().substr(0, 3), "550");
    EXPECT_EQ(session.removeFile("price list.txt"), RemoteStatus::Done);
    EXPECT_EQ(session.removeFolder("sub"), RemoteStatus::Done);
    EXPECT_EQ(session.makeFolder("bad\r\nDELE x"), RemoteStatus::Refused);

    EXPECT_TRUE(fs::is_directory(home / "pub" / "images"));
    EXPECT_FALSE(fs::exists(home / "pub" / "NewDirectory"));
    EXPECT_FALSE(fs::exists(home / "pub" / "price list.txt"));
    EXPECT_FALSE(fs::exists(home / "pub" / "sub"));

    ASSERT_EQ(session.changeFolder("/"), RemoteStatus::Done);
    ASSERT_EQ(session.list(entries), RemoteStatus::Done);
    EXPECT_EQ(describe(entries), std::vector<std::string>{"pub/"});
}

TEST_F(FolderSessionTest, ServerWithoutMlsdIsListedWithList) {
    auto withoutMlsd = options();
    withoutMlsd.noMlsd = true;
    FtpServerProcess server(withoutMlsd);
    ASSERT_TRUE(server.running());
    FtpFolderSession session(5s);
    ASSERT_EQ(session.open(endpointOf(server)), RemoteStatus::Done);
    ASSERT_EQ(session.changeFolder("/pub"), RemoteStatus::Done);
    std::vector<RemoteEntry> entries;
    ASSERT_EQ(session.list(entries), RemoteStatus::Done) << session.lastReply();
    EXPECT_EQ(describe(entries), (std::vector<std::string>{"price list.txt", "sub/"}));
}

TEST_F(FolderSessionTest, RefusalsKeepTheServersText) {
    auto refusing = options();
    refusing.refuseCwd = "sub";
    FtpServerProcess server(refusing);
    ASSERT_TRUE(server.running());

    FtpFolderSession wrongPassword(5s);
    EXPECT_NE(wrongPassword.open(endpointOf(server, "wrong")), RemoteStatus::Done);
    EXPECT_FALSE(wrongPassword.lastReply().empty());

    FtpFolderSession session(5s);
    ASSERT_EQ(session.open(endpointOf(server)), RemoteStatus::Done);
    ASSERT_EQ(session.changeFolder("/pub"), RemoteStatus::Done);
    EXPECT_EQ(session.changeFolder("sub"), RemoteStatus::Refused);
    EXPECT_EQ(session.lastReply(), "550 Permission denied.");
    std::string folder;
    ASSERT_EQ(session.currentFolder(folder), RemoteStatus::Done);
    EXPECT_EQ(folder, "/pub");
}

// A server that stops answering, or goes away, ends every call within the
// time-out, and a cancel ends it at once.
TEST_F(FolderSessionTest, SilentOrLostServerEndsTheCall) {
    auto silent = options();
    silent.ignoreCommand = "MLSD";
    FtpServerProcess server(silent);
    ASSERT_TRUE(server.running());
    FtpFolderSession session(5s);
    ASSERT_EQ(session.open(endpointOf(server)), RemoteStatus::Done);

    std::vector<RemoteEntry> entries;
    session.setTimeout(400ms);
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(session.list(entries), RemoteStatus::Failed);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
    EXPECT_EQ(session.lastReply(), "time-out: the server stopped answering");

    std::atomic<bool> cancel{false};
    session.setTimeout(30s);
    session.setCancelFlag(&cancel);
    std::thread canceller([&] {
        std::this_thread::sleep_for(300ms);
        cancel = true;
    });
    start = std::chrono::steady_clock::now();
    EXPECT_EQ(session.list(entries), RemoteStatus::Cancelled);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
    canceller.join();
    cancel = false;

    // Still usable after the abandoned listing: a new connection is made.
    EXPECT_EQ(session.makeFolder("after"), RemoteStatus::Done) << session.lastReply();

    server.stop();
    session.setTimeout(2s);
    start = std::chrono::steady_clock::now();
    EXPECT_EQ(session.makeFolder("lost"), RemoteStatus::Failed);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_FALSE(session.lastReply().empty());
}

}  // namespace
