#include "upload/upload_worker.h"

#include "tests/upload/upload_test_fixture.h"

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

class UploadWorkerTest : public UploadServerTest {};

// Waits until the job has reached the point flag marks; false when it ended
// before that.
bool reached(const std::atomic<bool>& flag, UploadWorker& worker) {
    auto deadline = std::chrono::steady_clock::now() + 30s;
    while (!flag && std::chrono::steady_clock::now() < deadline) {
        if (worker.waitFor(1ms))
            return flag;
    }
    return flag;
}

TEST_F(UploadWorkerTest, EveryObserverCallComesFromTheWorkerThread) {
    struct Case {
        const char* name;
        bool listMissing;
        int status;
        int filesSent;
    };
    const Case cases[] = {
        {"catalogue and search files", false, 0, 6 + 4},
        {"missing file list", true, -1, 4},
    };
    writeCatalogue();
    writeSearchFiles();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        observer = {};
        options.programDirectory = (c.listMissing ? m_local / "nothing" : m_local.path()).string();
        UploadWorker worker(settings, {true, true, false}, observer, options);
        ASSERT_TRUE(worker.start());
        EXPECT_FALSE(worker.start());
        worker.wait();

        EXPECT_TRUE(worker.finished());
        EXPECT_EQ(worker.status(), c.status);
        EXPECT_EQ(worker.result().filesSent, c.filesSent);
        EXPECT_TRUE(worker.result().permissionsSet);
        ASSERT_EQ(observer.threads.size(), 1u);
        EXPECT_NE(*observer.threads.begin(), std::this_thread::get_id());
        EXPECT_EQ(observer.events.front(), "started");
        EXPECT_EQ(observer.events.back(), "finished");
        EXPECT_TRUE(observer.saw("1:site chmod 777 zkdata"));
        std::vector<std::string> wantMessages;
        if (c.listMissing)
            wantMessages.push_back("couldn't open " + (m_local / "nothing" / "files01.dat").string());
        EXPECT_EQ(observer.messageTexts(), wantMessages);
    }
    EXPECT_EQ(readFile(m_remote / "my photo.png"), readFile(m_local / "out" / "my photo.png"));
}

TEST_F(UploadWorkerTest, CancelMidTransferEndsTheJobCancelled) {
    const std::string big = writeLargeCatalogue();
    std::atomic<bool> underWay{false};
    // A slow observer keeps the transfer going long after the test cancels it.
    observer.onProgress = [&](int percent) {
        if (percent > 0)
            underWay = true;
        std::this_thread::sleep_for(5ms);
    };
    UploadWorker worker(settings, {true, false, false}, observer, options);
    ASSERT_TRUE(worker.start());
    ASSERT_TRUE(reached(underWay, worker));

    auto start = std::chrono::steady_clock::now();
    worker.cancel();
    EXPECT_TRUE(worker.waitFor(10s));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
    worker.wait();

    EXPECT_EQ(worker.status(), -1);
    EXPECT_TRUE(worker.result().cancelled);
    EXPECT_EQ(worker.result().filesSent, 0);
    EXPECT_EQ(observer.from("1:Transfer cancelled"),
              (std::vector<std::string>{"1:Transfer cancelled", "2:", "3:", "finished"}));
    std::error_code ec;
    EXPECT_LT(fs::file_size(m_remote / "big.png", ec), big.size());
    EXPECT_FALSE(fs::exists(m_remote / "after.html"));
}

TEST_F(UploadWorkerTest, DestroyingTheWorkerMidTransferCancelsAndJoins) {
    writeLargeCatalogue();
    // Counted outside the observer, which goes right after the worker: under
    // the sanitizers a call after that is a use after free.
    std::atomic<int> calls{0};
    std::atomic<bool> underWay{false};
    auto watcher = std::make_unique<RecordingObserver>();
    watcher->onProgress = [&](int percent) {
        ++calls;
        if (percent > 0)
            underWay = true;
        std::this_thread::sleep_for(5ms);
    };
    watcher->onEvent = [&](const std::string&) { ++calls; };
    auto worker = std::make_unique<UploadWorker>(settings, UploadParts{true, false, false}, *watcher, options);
    ASSERT_TRUE(worker->start());
    ASSERT_TRUE(reached(underWay, *worker));

    auto start = std::chrono::steady_clock::now();
    worker.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
    const std::vector<std::string> events = watcher->events;
    watcher.reset();

    const int callsWhenGone = calls;
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(calls, callsWhenGone);
    EXPECT_EQ(events.back(), "finished");
    EXPECT_NE(std::find(events.begin(), events.end(), "1:Transfer cancelled"), events.end());
    EXPECT_FALSE(fs::exists(m_remote / "after.html"));
}

TEST_F(UploadWorkerTest, CancelIsNoticedInEveryWait) {
    struct Case {
        const char* name;
        UploadParts parts;
        bool silentServer;
    };
    const Case cases[] = {
        {"catalogue, silent server", {true, false, false}, true},
        {"search files, silent server", {false, true, false}, true},
        {"order form, silent server", {false, false, true}, true},
        {"transfer stuck mid-file", {true, false, false}, false},
    };
    writeLargeCatalogue();
    writeSearchFiles();
    copyField(settings.outputDir, (m_local / "out").string());
    copyField(settings.orderFormUrl, "http://www.example.com/after.html");
    // Long enough that only the cancel can end the job in time.
    options.timeout = 30s;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        observer = {};
        SilentServer silent;
        startServer({.stallTransfer = "big.png"});
        ASSERT_TRUE(m_server->running());
        if (c.silentServer) {
            for (auto& target : settings.ftpTargets)
                target.port = silent.port();
        }
        std::atomic<bool> underWay{false};
        observer.onProgress = [&](int percent) {
            if (percent > 0)
                underWay = true;
        };
        UploadWorker worker(settings, c.parts, observer, options);
        ASSERT_TRUE(worker.start());
        if (!c.silentServer) {
            ASSERT_TRUE(reached(underWay, worker));
        }
        std::this_thread::sleep_for(300ms);
        ASSERT_FALSE(worker.finished());

        auto start = std::chrono::steady_clock::now();
        worker.cancel();
        EXPECT_TRUE(worker.waitFor(10s));
        EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
        worker.wait();
        EXPECT_TRUE(worker.result().cancelled);
        EXPECT_EQ(observer.from("1:Transfer cancelled"),
                  (std::vector<std::string>{"1:Transfer cancelled", "2:", "3:", "finished"}));
        EXPECT_TRUE(observer.messages.empty());
    }
}

TEST_F(UploadWorkerTest, CancelCutsThePermissionPausesShort) {
    writeSearchFiles();
    options.pause = 3s;
    std::atomic<bool> chmodShown{false};
    observer.onEvent = [&](const std::string& event) {
        if (event.rfind("1:site chmod", 0) == 0)
            chmodShown = true;
    };
    UploadWorker worker(settings, {false, true, false}, observer, options);
    ASSERT_TRUE(worker.start());
    ASSERT_TRUE(reached(chmodShown, worker));

    auto start = std::chrono::steady_clock::now();
    worker.cancel();
    EXPECT_TRUE(worker.waitFor(10s));
    // Waiting out the three pauses would take nine seconds.
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
    worker.wait();
    // The permission step has no cancel check: its commands all go.
    EXPECT_EQ(siteLog(), (std::vector<std::string>{"site chmod 755 zksearch2.pl", "site chmod 755 zkread1.pl",
                                                   "site chmod 777 zkdata"}));
    EXPECT_TRUE(worker.result().permissionsSet);
}

} // namespace
