#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <pthread.h>
#include <unistd.h>

#include "cli/vimra/commands.h"
#include "model/paths.h"
#include "model/settings_store.h"
#include "upload/upload_worker.h"

namespace {

std::atomic<bool> g_interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the flag is set from a signal handler");

extern "C" void noteInterrupt(int) { g_interrupted.store(true); }

// Prints the status lines as they change. On a terminal a progress bar sits
// below them, redrawn in place; otherwise only the lines are printed. Called
// on the worker's thread only, while the main thread just waits.
class ConsoleObserver : public UploadObserver {
public:
    explicit ConsoleObserver(bool terminal) : m_terminal(terminal) {}

    void statusLine(int, const std::string& text) override {
        if (text.empty())
            return;
        clearBar();
        std::printf("%s\n", text.c_str());
        drawBar();
    }

    void progress(int percent) override {
        if (!m_terminal || percent == m_percent)
            return;
        m_percent = percent;
        drawBar();
    }

    void message(const std::string& text, const std::string& caption, MessageButtons buttons) override {
        clearBar();
        std::fflush(stdout);
        m_messages.show(text, caption, buttons);
        drawBar();
    }

    void fileFailed(const std::string& localPath, const std::string& remoteName,
                    const std::string& reason) override {
        clearBar();
        std::fflush(stdout);
        std::fprintf(stderr, "vimra-cli: %s was not sent to %s: %s\n", localPath.c_str(), remoteName.c_str(),
                     reason.c_str());
        drawBar();
    }

    void connectionFailed(const std::string& reason) override {
        clearBar();
        std::fflush(stdout);
        std::fprintf(stderr, "vimra-cli: no connection to the server: %s\n", reason.c_str());
        drawBar();
    }

    void jobFinished() override {
        clearBar();
        std::fflush(stdout);
    }

private:
    void clearBar() {
        if (m_terminal)
            std::printf("\r\033[K");
    }

    void drawBar() {
        if (!m_terminal || m_percent < 0)
            return;
        constexpr int kWidth = 40;
        int filled = m_percent * kWidth / 100;
        std::printf("\r[%.*s%*s] %3d%%", filled, "########################################", kWidth - filled, "",
                    m_percent);
        std::fflush(stdout);
    }

    bool m_terminal;
    int m_percent = -1;
    StderrMessages m_messages{MessageAnswer::Ok};
};

int usage() {
    std::fprintf(stderr, "usage: vimra-cli upload [--catalogue] [--search] [--order-form]\n");
    return 2;
}

} // namespace

// Upload without a window: the parts named on the command line, or the parts
// ticked in the settings, go to the stored FTP destinations. Ctrl-C cancels
// as the dialog's Cancel button does; a second Ctrl-C ends the program.
int runUploadCommand(int argc, char** argv) {
    UploadParts chosen;
    bool anyChosen = false;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--catalogue") == 0)
            chosen.catalogue = true;
        else if (std::strcmp(argv[i], "--search") == 0)
            chosen.search = true;
        else if (std::strcmp(argv[i], "--order-form") == 0)
            chosen.orderForm = true;
        else
            return usage();
        anyChosen = true;
    }

    auto blocks = std::make_unique<SettingsBlocks>();
    loadSettings(*blocks, programDirectory());
    UploadParts parts = anyChosen ? chosen : storedUploadParts(blocks->general);

    struct sigaction action {};
    action.sa_handler = noteInterrupt;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    struct sigaction previous {};
    sigaction(SIGINT, &action, &previous);

    ConsoleObserver observer(isatty(STDOUT_FILENO) != 0);
    UploadOptions options;
    options.programDirectory = programDirectory();
    UploadWorker worker(blocks->general, parts, observer, options);

    // The worker's thread starts with Ctrl-C blocked, so the signal always
    // lands on this thread, which passes it on as the worker's cancel.
    sigset_t interrupt;
    sigemptyset(&interrupt);
    sigaddset(&interrupt, SIGINT);
    sigset_t mask;
    pthread_sigmask(SIG_BLOCK, &interrupt, &mask);
    bool started = worker.start();
    pthread_sigmask(SIG_SETMASK, &mask, nullptr);
    if (!started) {
        sigaction(SIGINT, &previous, nullptr);
        std::fprintf(stderr, "vimra-cli: the upload could not be started\n");
        return 1;
    }
    while (!worker.waitFor(std::chrono::milliseconds(50))) {
        if (g_interrupted.load())
            worker.cancel();
    }
    worker.wait();
    sigaction(SIGINT, &previous, nullptr);

    const int status = worker.status();
    const UploadResult result = worker.result();
    std::printf("%d file%s sent, %d failed%s\n", result.filesSent, result.filesSent == 1 ? "" : "s",
                result.filesFailed, result.cancelled ? ", cancelled" : "");
    return status == 0 ? 0 : 1;
}
