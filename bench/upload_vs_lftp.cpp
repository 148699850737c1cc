// The upload job against lftp's "mirror -R", side by side: a catalogue of
// 10,000 small pages and 20 pictures, each picture listed in "files01.dat"
// once for each of the 500 items that show it, as the generator writes it.
// Both go to the same loopback FTP server, which the benchmark starts, each
// into a fresh folder. They take turns for a few rounds, going first by
// turns too, so that a machine busy with something else weighs on both
// alike (creating files soon after many were deleted is slow on ext4, and
// the first to do it pays); the best time of each counts.
// Everything is removed at the end.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "bench/upload_bench_support.h"
#include "model/paths.h"
#include "model/user_messages.h"
#include "tests/upload/ftp_server_process.h"
#include "upload/upload_worker.h"

namespace {

namespace fs = std::filesystem;

constexpr int kPages = 10000;
constexpr int kPictures = 20;
constexpr std::size_t kPictureSize = 30000;
constexpr int kRounds = 3;

// Pages of a few kilobytes, each followed in the list by the picture it shows.
bool writeCatalogue(const fs::path& site, const fs::path& listFolder) {
    std::vector<fs::path> pictures;
    for (int p = 0; p < kPictures; ++p) {
        std::string bytes(kPictureSize, '\0');
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>((i * 2654435761u + static_cast<unsigned>(p)) >> 13);
        pictures.push_back(site / ("picture" + std::to_string(p) + ".jpg"));
        if (!writeBytes(pictures.back(), bytes))
            return false;
    }
    std::string list;
    for (int i = 0; i < kPages; ++i) {
        const fs::path& picture = pictures[static_cast<std::size_t>(i % kPictures)];
        std::string page = "<HTML><HEAD><TITLE>Item " + std::to_string(i) + "</TITLE></HEAD><BODY>\n";
        page += "<IMG SRC=\"" + picture.filename().string() + "\">\n";
        page += std::string(1500 + static_cast<std::size_t>(i % 1000), 'x') + "\n</BODY></HTML>\n";
        fs::path path = site / ("zk" + std::to_string(100000 + i) + ".html");
        if (!writeBytes(path, page))
            return false;
        list += path.string() + "\n" + picture.string() + "\n";
    }
    return writeBytes(listFolder / "files01.dat", list);
}

struct Run {
    double seconds = 0;
    bool ok = false;
};

// Writing back what earlier runs left in the cache would otherwise slow
// down whichever run comes next.
template <typename Work> Run timed(Work work) {
    ::sync();
    auto start = std::chrono::steady_clock::now();
    bool ok = work();
    std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return {elapsed.count(), ok};
}

bool uploadJob(GeneralSettings settings, const fs::path& listFolder, const std::string& remoteFolder) {
    QuietObserver observer;
    UploadOptions options;
    options.programDirectory = listFolder.string();
    copyField(settings.ftpTargets[0].serverDirectory, remoteFolder.c_str());
    UploadWorker worker(settings, {true, false, false}, observer, options);
    if (!worker.start())
        return false;
    worker.wait();
    return worker.status() == 0;
}

bool lftpMirror(int port, const fs::path& site, const std::string& remoteFolder) {
    std::string script = "mirror -R --no-perms " + site.string() + " " + remoteFolder + "; quit";
    std::vector<std::string> args = {"lftp", "-u", "shop,secret", "-p", std::to_string(port), "-e", script,
                                     "127.0.0.1"};
    std::vector<char*> argv;
    for (auto& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    pid_t pid = -1;
    int spawned = posix_spawnp(&pid, "lftp", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        std::fprintf(stderr, "bench_upload_vs_lftp: lftp could not be started (is it installed?)\n");
        return false;
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The files in folder and their bytes; the two copies must agree with the site.
std::pair<long, std::uintmax_t> contents(const fs::path& folder) {
    long files = 0;
    std::uintmax_t bytes = 0;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        if (entry.is_regular_file(ec)) {
            ++files;
            bytes += entry.file_size(ec);
        }
    }
    return {files, bytes};
}

} // namespace

int main() {
    const auto fresh = freshBenchFolder("vimra-bench-upload-lftp");
    if (!fresh)
        return 1;
    const fs::path root = *fresh;
    const fs::path site = root / "site";
    const fs::path remote = root / "server";
    std::error_code ec;
    fs::create_directories(site, ec);
    fs::create_directories(remote, ec);

    int status = 1;
    if (writeCatalogue(site, root)) {
        FtpServerProcess server({.home = remote.string()});
        if (server.running()) {
            GeneralSettings settings = loopbackUploadSettings(server.port());

            const auto siteContents = contents(site);
            std::printf("catalogue: %d pages and %d pictures (%ld files, %ju bytes; %d list lines)\n", kPages,
                        kPictures, siteContents.first, siteContents.second, 2 * kPages);
            std::printf("%-8s %16s %16s %8s\n", "round", "upload job (s)", "lftp mirror (s)", "ratio");
            // A copy counts only when every file arrived whole.
            auto complete = [&](const Run& run, const fs::path& folder) {
                return run.ok && contents(folder) == siteContents;
            };
            double bestJob = 1e9;
            double bestLftp = 1e9;
            bool allComplete = true;
            for (int round = 1; round <= kRounds; ++round) {
                const std::string jobFolder = "job" + std::to_string(round);
                const std::string lftpFolder = "lftp" + std::to_string(round);
                fs::create_directories(remote / jobFolder, ec);
                fs::create_directories(remote / lftpFolder, ec);
                Run job;
                Run lftp;
                auto runJob = [&] { job = timed([&] { return uploadJob(settings, root, jobFolder); }); };
                auto runLftp = [&] { lftp = timed([&] { return lftpMirror(server.port(), site, lftpFolder); }); };
                if (round % 2 == 1) {
                    runJob();
                    runLftp();
                } else {
                    runLftp();
                    runJob();
                }
                bool jobComplete = complete(job, remote / jobFolder);
                bool lftpComplete = complete(lftp, remote / lftpFolder);
                std::printf("%-8d %14.2f%s %15.2f%s %8.2f\n", round, job.seconds, jobComplete ? " " : "!",
                            lftp.seconds, lftpComplete ? " " : "!", job.seconds / lftp.seconds);
                allComplete = allComplete && jobComplete && lftpComplete;
                bestJob = std::min(bestJob, job.seconds);
                bestLftp = std::min(bestLftp, lftp.seconds);
            }
            std::printf("%-8s %14.2f  %15.2f  %8.2f\n", "best", bestJob, bestLftp, bestJob / bestLftp);
            std::printf("upload job: %.0f files/s, lftp: %.0f files/s%s\n", siteContents.first / bestJob,
                        siteContents.first / bestLftp, allComplete ? "" : " (! = a copy was incomplete)");
            status = allComplete ? 0 : 1;
        } else {
            std::fprintf(stderr, "bench_upload_vs_lftp: the FTP test server did not start\n");
        }
    }
    fs::remove_all(root, ec);
    return status;
}
