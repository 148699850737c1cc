#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <unistd.h>

#include "cli/vimra/commands.h"
#include "model/paths.h"
#include "model/settings_store.h"
#include "upload/upload_job.h"

namespace {

std::atomic<bool> g_cancel{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the cancel flag is set from a signal handler");

extern "C" void cancelUpload(int) { g_cancel.store(true); }

// Prints the status lines as they change. On a terminal a progress bar sits
// below them, redrawn in place; otherwise only the lines are printed.
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
    action.sa_handler = cancelUpload;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    struct sigaction previous {};
    sigaction(SIGINT, &action, &previous);

    StderrMessages messages(MessageAnswer::Ok);
    ConsoleObserver observer(isatty(STDOUT_FILENO) != 0);
    UploadJob job(blocks->general, parts, observer, messages, g_cancel);
    int status = job.run();
    sigaction(SIGINT, &previous, nullptr);

    const UploadResult& result = job.result();
    std::printf("%d file%s sent, %d failed%s\n", result.filesSent, result.filesSent == 1 ? "" : "s",
                result.filesFailed, result.cancelled ? ", cancelled" : "");
    return status == 0 ? 0 : 1;
}
