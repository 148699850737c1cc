// Upload throughput against the loopback FTP server of the tests: 1,000 small
// catalogue files, then one 50 MB file, each through the upload job.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "bench/upload_bench_support.h"
#include "model/paths.h"
#include "model/user_messages.h"
#include "tests/upload/ftp_server_process.h"
#include "upload/upload_worker.h"

namespace {

namespace fs = std::filesystem;

struct Timing {
    double seconds;
    int status;
    UploadResult result;
    long pieces;
};

// Runs the job on its worker thread, as the upload dialog does; listFolder
// holds the "files01.dat" to send.
Timing upload(const GeneralSettings& settings, const fs::path& listFolder) {
    QuietObserver observer;
    UploadOptions options;
    options.pause = std::chrono::milliseconds(0);
    options.programDirectory = listFolder.string();
    UploadWorker worker(settings, {true, false, false}, observer, options);
    auto start = std::chrono::steady_clock::now();
    if (!worker.start())
        return {0, -1, {}, 0};
    worker.wait();
    std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return {elapsed.count(), worker.status(), worker.result(), observer.pieces};
}

} // namespace

int main() {
    constexpr int kSmallFiles = 1000;
    constexpr std::size_t kSmallSize = 2048;
    constexpr std::size_t kLargeSize = 50u * 1024 * 1024;

    // Fresh folders each run; the small files are left in place, since
    // deleting many files slows down creating new ones on these disks.
    const auto folder = freshBenchFolder("vimra-bench-upload");
    if (!folder)
        return 1;
    const fs::path root = *folder;
    const fs::path local = root / "out";
    const fs::path remote = root / "server";
    std::error_code ec;
    fs::create_directories(local, ec);
    fs::create_directories(remote / "small", ec);
    fs::create_directories(remote / "large", ec);

    FtpServerProcess server({.home = remote.string()});
    if (!server.running()) {
        std::fprintf(stderr, "bench_upload: the FTP test server did not start\n");
        return 1;
    }

    GeneralSettings settings = loopbackUploadSettings(server.port());
    FtpTarget& target = settings.ftpTargets[0];

    std::string page(kSmallSize, 'p');
    std::string list;
    for (int i = 0; i < kSmallFiles; ++i) {
        fs::path path = local / ("zk" + std::to_string(100000 + i) + ".html");
        if (!writeBytes(path, page))
            return 1;
        list += path.string() + "\n";
    }
    fs::create_directories(root / "small", ec);
    if (!writeBytes(root / "small" / "files01.dat", list))
        return 1;

    std::string big(kLargeSize, '\0');
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>((i * 2654435761u) >> 13);
    const fs::path bigPath = root / "big.png";
    fs::create_directories(root / "large", ec);
    if (!writeBytes(bigPath, big) || !writeBytes(root / "large" / "files01.dat", bigPath.string() + "\n"))
        return 1;

    copyField(target.serverDirectory, "small");
    Timing small = upload(settings, root / "small");
    copyField(target.serverDirectory, "large");
    Timing large = upload(settings, root / "large");
    server.stop();

    // The same small files to a server that refuses passive mode.
    fs::create_directories(remote / "active", ec);
    FtpServerProcess activeServer({.home = remote.string(), .refusePassive = true});
    target.port = activeServer.port();
    copyField(target.serverDirectory, "active");
    Timing active = upload(settings, root / "small");
    activeServer.stop();

    std::printf("upload of %d files of %zu bytes: %.2f s, %.0f files/s (%d sent, %d failed)\n", kSmallFiles,
                kSmallSize, small.seconds, small.result.filesSent / small.seconds, small.result.filesSent,
                small.result.filesFailed);
    std::printf("upload of one %zu MB file: %.2f s, %.1f MB/s, %ld progress reports (%s)\n",
                kLargeSize / (1024 * 1024), large.seconds, (kLargeSize / (1024.0 * 1024.0)) / large.seconds,
                large.pieces, large.status == 0 ? "arrived" : "FAILED");
    std::printf("upload of %d files in active mode: %.2f s, %.0f files/s (%d sent, %d failed)\n", kSmallFiles,
                active.seconds, active.result.filesSent / active.seconds, active.result.filesSent,
                active.result.filesFailed);
    std::printf("files left in %s\n", root.c_str());

    fs::remove(bigPath, ec);
    fs::remove(remote / "large" / "big.png", ec);
    return small.status == 0 && large.status == 0 && active.status == 0 ? 0 : 1;
}
