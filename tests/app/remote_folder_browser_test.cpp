#include "app/core/remote_folder_browser.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <set>

#include "tests/support/recording_messages.h"

namespace {

// A server held in memory: folders by absolute path, each with its entries.
class FakeSession : public RemoteFolderSession {
public:
    FakeSession() {
        folders["/"] = {{"pub", true}, {"readme.txt", false}};
        folders["/pub"] = {{"shop", true}, {"index.html", false}};
        folders["/pub/shop"] = {};
    }

    RemoteStatus changeFolder(const std::string& folder) override {
        calls.push_back("CWD " + folder);
        const std::string target = folder.front() == '/' ? folder : joinRemotePath(current, folder);
        if (!folders.count(target) || refusedFolders.count(target))
            return refuse("550 No such directory.");
        current = target;
        return RemoteStatus::Done;
    }
    RemoteStatus currentFolder(std::string& folder) override {
        if (pwd)
            folder = *pwd;
        else
            folder = current;
        return folder.empty() ? RemoteStatus::Refused : RemoteStatus::Done;
    }
    RemoteStatus list(std::vector<RemoteEntry>& entries) override {
        calls.push_back("LIST " + current);
        entries = folders[current];
        entries.push_back({".", true});
        entries.push_back({"..", true});
        return RemoteStatus::Done;
    }
    RemoteStatus makeFolder(const std::string& name) override {
        calls.push_back("MKD " + name);
        if (refuseEverything)
            return refuse("");
        if (find(name) != folders[current].end())
            return RemoteStatus::Exists;
        folders[current].push_back({name, true});
        folders[joinRemotePath(current, name)] = {};
        return RemoteStatus::Done;
    }
    RemoteStatus rename(const std::string& from, const std::string& to) override {
        calls.push_back("RNFR " + from + " RNTO " + to);
        auto entry = find(from);
        if (refuseEverything || entry == folders[current].end())
            return refuse("550 Rename refused.");
        entry->name = to;
        return RemoteStatus::Done;
    }
    RemoteStatus removeFile(const std::string& name) override { return remove("DELE " + name, name); }
    RemoteStatus removeFolder(const std::string& name) override { return remove("RMD " + name, name); }
    std::string lastReply() const override { return reply; }

    std::vector<RemoteEntry>::iterator find(const std::string& name) {
        auto& entries = folders[current];
        return std::find_if(entries.begin(), entries.end(), [&](const RemoteEntry& e) { return e.name == name; });
    }
    std::vector<std::string> names(const std::string& folder) {
        std::vector<std::string> result;
        for (const auto& entry : folders[folder])
            result.push_back(entry.name);
        return result;
    }

    std::map<std::string, std::vector<RemoteEntry>> folders;
    std::set<std::string> refusedFolders;
    std::optional<std::string> pwd;
    bool refuseEverything = false;
    std::string current = "/";
    std::string reply;
    std::vector<std::string> calls;

private:
    RemoteStatus refuse(std::string text) {
        reply = std::move(text);
        return RemoteStatus::Refused;
    }
    RemoteStatus remove(const std::string& call, const std::string& name) {
        calls.push_back(call);
        auto entry = find(name);
        if (refuseEverything || entry == folders[current].end())
            return refuse("");
        folders[current].erase(entry);
        return RemoteStatus::Done;
    }
};

std::vector<std::string> locationTexts(const RemoteFolderBrowser& browser) {
    std::vector<std::string> texts;
    for (const auto& location : browser.locations())
        texts.push_back(std::string(static_cast<std::size_t>(location.indent), ' ') + location.text);
    return texts;
}

std::vector<std::string> entryNames(const RemoteFolderBrowser& browser) {
    std::vector<std::string> names;
    for (const auto& entry : browser.entries())
        names.push_back(entry.name);
    return names;
}

class RemoteFolderBrowserTest : public ::testing::Test {
protected:
    FakeSession session;
    RecordingMessages messages;
    RemoteFolderBrowser browser{session, "shop.example", messages};
};

TEST(RemotePathTest, JoinAndParent) {
    EXPECT_EQ(joinRemotePath("/", "pub"), "/pub");
    EXPECT_EQ(joinRemotePath("/pub", "shop"), "/pub/shop");
    EXPECT_EQ(joinRemotePath("/pub/", "shop"), "/pub/shop");
    EXPECT_EQ(parentRemoteFolder("/pub/shop"), "/pub");
    EXPECT_EQ(parentRemoteFolder("/pub"), "/");
    EXPECT_EQ(parentRemoteFolder("pub"), std::nullopt);
}

// The location list and the "Current Directory : " line follow every walk.
TEST_F(RemoteFolderBrowserTest, LocationsFollowTheCurrentFolder) {
    browser.start("pub");
    struct Step {
        const char* name;
        void (*act)(RemoteFolderBrowser&);
        std::vector<std::string> locations;
        int selected;
        const char* line;
        bool canGoUp;
    };
    const Step steps[] = {
        {"start in /pub", [](RemoteFolderBrowser&) {}, {"/ (shop.example)", " pub"}, 1,
         "Current Directory : shop.example (/pub)", true},
        {"into shop", [](RemoteFolderBrowser& b) { b.openEntry(0); }, {"/ (shop.example)", " pub", "  /pub/shop"}, 2,
         "Current Directory : shop.example (/pub/shop)", true},
        {"up to the start", [](RemoteFolderBrowser& b) { b.upOneLevel(); }, {"/ (shop.example)", " pub"}, 1,
         "Current Directory : shop.example (/pub)", true},
        {"up to the root", [](RemoteFolderBrowser& b) { b.upOneLevel(); }, {"/ (shop.example)", " pub"}, 0,
         "Current Directory : shop.example (/)", false},
        {"starting entry", [](RemoteFolderBrowser& b) { b.chooseLocation(1); }, {"/ (shop.example)", " pub"}, 1,
         "Current Directory : shop.example (/pub)", true},
        {"a file row is not opened", [](RemoteFolderBrowser& b) { b.openEntry(1); }, {"/ (shop.example)", " pub"},
         1, "Current Directory : shop.example (/pub)", true},
        {"root entry", [](RemoteFolderBrowser& b) { b.chooseLocation(0); }, {"/ (shop.example)", " pub"}, 0,
         "Current Directory : shop.example (/)", false},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        step.act(browser);
        EXPECT_EQ(locationTexts(browser), step.locations);
        EXPECT_EQ(browser.selectedLocation(), step.selected);
        EXPECT_EQ(browser.currentDirectoryText(), step.line);
        EXPECT_EQ(browser.canGoUp(), step.canGoUp);
    }
    EXPECT_EQ(entryNames(browser), (std::vector<std::string>{"pub", "readme.txt"}));
    EXPECT_TRUE(messages.shown.empty());

    browser.upOneLevel();
    EXPECT_EQ(messages.texts(),
              std::vector<std::string>{"You are at the top level and cannot go up another level."});
    EXPECT_EQ(messages.shown[0].caption, "Error");
    EXPECT_EQ(browser.select(), "/");
}

TEST_F(RemoteFolderBrowserTest, StartingAtTheRootShowsSlashTwice) {
    browser.start("");
    EXPECT_EQ(locationTexts(browser), (std::vector<std::string>{"/ (shop.example)", " /"}));
    EXPECT_EQ(browser.currentDirectoryText(), "Current Directory : shop.example (/)");
}

TEST_F(RemoteFolderBrowserTest, RefusedChangeKeepsTheList) {
    session.refusedFolders.insert("/pub/shop");
    browser.start("/pub");
    browser.openEntry(0);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Unable to change directory"});
    EXPECT_EQ(messages.shown[0].caption, "Error");
    EXPECT_EQ(browser.currentFolder(), "/pub");
    EXPECT_EQ(entryNames(browser), (std::vector<std::string>{"shop", "index.html"}));
}

TEST_F(RemoteFolderBrowserTest, NewFoldersTakeTheNextFreeName) {
    browser.start("/pub");
    std::vector<std::string> made;
    for (int i = 0; i < 3; ++i) {
        const std::optional<int> row = browser.createFolder();
        ASSERT_TRUE(row);
        made.push_back(browser.entries()[static_cast<std::size_t>(*row)].name);
    }
    EXPECT_EQ(made, (std::vector<std::string>{"NewDirectory", "NewDirectory[1]", "NewDirectory[2]"}));

    const int row = *browser.createFolder();
    browser.finishRename(row, "images");
    EXPECT_EQ(session.names("/pub"),
              (std::vector<std::string>{"shop", "index.html", "NewDirectory", "NewDirectory[1]", "NewDirectory[2]",
                                        "images"}));
    EXPECT_TRUE(messages.shown.empty());

    session.refuseEverything = true;
    EXPECT_EQ(browser.createFolder(), std::nullopt);
    browser.finishRename(0, "other");
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"FAILED", "poda"}));
}

TEST_F(RemoteFolderBrowserTest, RowCommandsAndTheirRefusals) {
    browser.start("/pub");
    struct Case {
        const char* name;
        void (*act)(RemoteFolderBrowser&);
        bool refuse;
        std::vector<std::string> names;
        std::string message;
        std::string caption;
    };
    const Case cases[] = {
        {"properties without a row", [](RemoteFolderBrowser& b) { EXPECT_FALSE(b.startRename(std::nullopt)); },
         false, {"shop", "index.html"}, "Select a file to show properties.", "Properties"},
        {"delete without a row", [](RemoteFolderBrowser& b) { b.deleteEntry(std::nullopt); }, false,
         {"shop", "index.html"}, "Select a file to delete.", "Delete"},
        {"rename of a row gone", [](RemoteFolderBrowser& b) { b.finishRename(7, "x"); }, false,
         {"shop", "index.html"}, "Unspecified Error", "Error"},
        {"refused delete", [](RemoteFolderBrowser& b) { b.deleteEntry(1); }, true, {"shop", "index.html"},
         "Failed to remove.", "Error"},
        {"rename", [](RemoteFolderBrowser& b) {
             EXPECT_TRUE(b.startRename(1));
             b.finishRename(1, "home.html");
         }, false, {"shop", "home.html"}, "", ""},
        {"delete a file", [](RemoteFolderBrowser& b) { b.deleteEntry(1); }, false, {"shop"}, "", ""},
        {"delete a folder", [](RemoteFolderBrowser& b) { b.deleteEntry(0); }, false, {}, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        messages.shown.clear();
        session.refuseEverything = c.refuse;
        c.act(browser);
        EXPECT_EQ(session.names("/pub"), c.names);
        EXPECT_EQ(entryNames(browser), c.names);
        ASSERT_EQ(messages.shown.size(), c.message.empty() ? 0u : 1u);
        if (!c.message.empty()) {
            EXPECT_EQ(messages.shown[0].text, c.message);
            EXPECT_EQ(messages.shown[0].caption, c.caption);
        }
    }
    EXPECT_EQ(session.calls.back(), "LIST /pub");
    EXPECT_TRUE(std::count(session.calls.begin(), session.calls.end(), "RMD shop"));
}

TEST_F(RemoteFolderBrowserTest, SelectFallsBackToTheStartingFolder) {
    browser.start("/pub");
    browser.openEntry(0);
    EXPECT_EQ(browser.select(), "/pub/shop");
    session.pwd = "";
    EXPECT_EQ(browser.select(), "/pub");
}

TEST_F(RemoteFolderBrowserTest, ServerNamingNoFolder) {
    session.pwd = "";
    browser.start("/pub");
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"Error in finding the directory"});
    EXPECT_EQ(browser.currentFolder(), "/");
    EXPECT_EQ(entryNames(browser), (std::vector<std::string>{"pub", "readme.txt"}));
}

}  // namespace
