#pragma once
// What the upload job and worker tests share: an observer that records every
// call, and a fixture with a loopback FTP server and local files to send.
#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <cstring>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <mutex>
#include <netinet/in.h>
#include <set>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "model/paths.h"
#include "tests/support/temp_dir.h"
#include "tests/upload/binary_bytes.h"
#include "tests/upload/ftp_server_process.h"
#include "tests/upload/silent_server.h"
#include "upload/upload_job.h"

class RecordingObserver : public UploadObserver {
public:
    struct Shown {
        std::string text;
        std::string caption;
        MessageButtons buttons;
    };

    void jobStarted() override { event("started"); }
    void statusLine(int line, const std::string& text) override {
        event(std::to_string(line) + ":" + text);
        lines[line] = text;
    }
    void progress(int percent) override {
        noteThread();
        progressValues.push_back(percent);
        if (onProgress)
            onProgress(percent);
    }
    void message(const std::string& text, const std::string& caption, MessageButtons buttons) override {
        noteThread();
        messages.push_back({text, caption, buttons});
    }
    void fileFailed(const std::string& localPath, const std::string&, const std::string& reason) override {
        noteThread();
        failed.push_back(localPath);
        failureReasons.push_back(reason);
    }
    void connectionFailed(const std::string& reason) override {
        noteThread();
        connectionFailures.push_back(reason);
    }
    void jobFinished() override { event("finished"); }

    bool saw(const std::string& event) const {
        return std::find(events.begin(), events.end(), event) != events.end();
    }
    // The events from the first one starting with prefix on.
    std::vector<std::string> from(const std::string& prefix) const {
        auto it = std::find_if(events.begin(), events.end(),
                               [&](const std::string& e) { return e.rfind(prefix, 0) == 0; });
        return {it, events.end()};
    }
    std::vector<std::string> messageTexts() const {
        std::vector<std::string> texts;
        for (const auto& shown : messages)
            texts.push_back(shown.text);
        return texts;
    }

    std::vector<std::string> events;
    std::string lines[4];
    std::vector<int> progressValues;
    std::vector<Shown> messages;
    std::vector<std::string> failed;
    std::vector<std::string> failureReasons;
    std::vector<std::string> connectionFailures;
    // Every thread that made a call.
    std::set<std::thread::id> threads;
    std::function<void(int)> onProgress;
    std::function<void(const std::string&)> onEvent;

private:
    void event(std::string text) {
        noteThread();
        events.push_back(std::move(text));
        if (onEvent)
            onEvent(events.back());
    }
    void noteThread() { threads.insert(std::this_thread::get_id()); }
};

class UploadServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(m_remote / "shop");
        std::filesystem::create_directories(m_remote / "forms");
        startServer({});
        ASSERT_TRUE(m_server->running());
        std::memset(&settings, 0, sizeof settings);
        for (auto& target : settings.ftpTargets) {
            copyField(target.host, "127.0.0.1");
            copyField(target.userName, "shop");
            copyField(target.password, "secret");
            target.port = m_server->port();
        }
        options.timeout = std::chrono::seconds(5);
        options.pause = std::chrono::milliseconds(0);
        options.programDirectory = m_local.str();
    }

    void startServer(FtpServerProcess::Options extra) {
        m_server.reset();
        extra.home = (m_remote / "").string();
        extra.siteLog = (m_local / "site.log").string();
        extra.transferLog = (m_local / "transfer.log").string();
        m_server = std::make_unique<FtpServerProcess>(extra);
        for (auto& target : settings.ftpTargets)
            target.port = m_server->port();
    }

    int run(UploadParts parts) {
        UploadJob job(settings, parts, observer, cancel, options);
        int status = job.run();
        result = job.result();
        return status;
    }

    // Catalogue-like files in the local output folder and their list.
    std::vector<std::pair<std::string, std::string>> writeCatalogue() {
        std::vector<std::pair<std::string, std::string>> files = {
            {"zk000000.html", "<HTML><HEAD><TITLE>Shop</TITLE></HEAD>\n<FRAMESET></FRAMESET></HTML>\n"},
            {"zki00000.html", "<HTML>\r\n<BODY>index</BODY>\r\n</HTML>\r\n"},
            {"zk000002.html", std::string(9000, 'x') + "\n"},
            {"logo.gif", "GIF89a" + std::string("\0\r\n\x1a\xff\n\r", 7) + binaryBytes(3000, 1)},
            {"my photo.png", "\x89PNG\r\n\x1a\n" + binaryBytes(19992, 2)},
            {"empty.txt", ""},
        };
        std::string list;
        for (std::size_t i = 0; i < files.size(); ++i) {
            writeFile(m_local / "out" / files[i].first, files[i].second);
            list += (m_local / "out" / files[i].first).string();
            // One line as a Windows editor leaves it; the last one without a line end.
            if (i == 1)
                list += "\r\n";
            // A picture shown on two pages is listed twice and sent once.
            else if (i == 3)
                list += "\n" + (m_local / "out" / files[i].first).string() + "\n";
            else if (i + 1 < files.size())
                list += "\n";
        }
        writeFile(m_local / "files01.dat", list);
        return files;
    }

    // Small pages in the local output folder and a list naming them (by their
    // names, which may repeat) in this order.
    void writeList(const std::vector<std::string>& names) {
        std::string list;
        for (const auto& name : names) {
            writeFile(m_local / "out" / name, "contents of " + name + "\n");
            list += (m_local / "out" / name).string() + "\n";
        }
        writeFile(m_local / "files01.dat", list);
    }

    std::string localPath(const std::string& name) const { return (m_local / "out" / name).string(); }

    // A file list of one large picture, then a page that comes after it.
    std::string writeLargeCatalogue() {
        std::string big = binaryBytes(4'000'000, 7);
        writeFile(m_local / "out" / "big.png", big);
        writeFile(m_local / "out" / "after.html", "never sent");
        writeFile(m_local / "files01.dat",
                  (m_local / "out" / "big.png").string() + "\n" + (m_local / "out" / "after.html").string() + "\n");
        return big;
    }

    void writeSearchFiles() {
        std::filesystem::path folder = m_local / "search";
        writeFile(folder / "zksearch2.pl", "#!/usr/bin/perl\nprint \"search\\n\";\n");
        writeFile(folder / "zkread1.pl", "#!/usr/bin/perl\n# builds the database\n");
        writeFile(folder / "pages01.dat", "2,Teapots\n3,Cups\n");
        writeFile(folder / "search01.dat", "Teapot,2\nblue,2\nCup,3\n");
        copyField(settings.searchOutputDir, folder.string());
        copyField(settings.searchScript, "zksearch2.pl");
        copyField(settings.searchPreprocess, "C:\\Vimra\\zkread1.pl");
    }

    std::vector<std::string> siteLog() const { return logLines("site.log"); }

    std::vector<std::string> logLines(const char* name) const {
        std::vector<std::string> lines;
        std::string text = readFile(m_local / name);
        std::size_t start = 0;
        for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
            lines.push_back(text.substr(start, end - start));
        return lines;
    }

    static int modeOf(const std::filesystem::path& path) {
        struct stat info {};
        return ::stat(path.c_str(), &info) == 0 ? static_cast<int>(info.st_mode & 07777) : -1;
    }

    TempDir m_remote;
    TempDir m_local;
    std::unique_ptr<FtpServerProcess> m_server;
    GeneralSettings settings;
    UploadOptions options;
    RecordingObserver observer;
    std::atomic<bool> cancel{false};
    UploadResult result;
};
