#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <pthread.h>
#include <string>

#include "cli/vimra/commands.h"
#include "model/paths.h"
#include "model/settings_store.h"
#include "serve/catalogue_server.h"

namespace {

struct ServeArguments {
    std::string folder;
    int port = kDefaultServePort;
};

int serveUsage() {
    std::fprintf(stderr, "usage: vimra-cli serve [FOLDER] [--port N]\n"
                         "  serves FOLDER (default: outputDir) on http://127.0.0.1:N/ (default N: %d;\n"
                         "  0 picks a free port) until Ctrl-C\n",
                 kDefaultServePort);
    return 2;
}

bool parsePort(const char* text, int& port) {
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || value < 0 || value > 65535)
        return false;
    port = static_cast<int>(value);
    return true;
}

bool parseArguments(int argc, char** argv, ServeArguments& arguments) {
    bool haveFolder = false;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--port") == 0) {
            if (i + 1 >= argc || !parsePort(argv[++i], arguments.port))
                return false;
        } else if (argv[i][0] == '-' || haveFolder) {
            return false;
        } else {
            arguments.folder = argv[i];
            haveFolder = true;
        }
    }
    return true;
}

std::string storedOutputDir() {
    SettingsBlocks blocks{};
    loadSettings(blocks, programDirectory());
    return nativePath(blocks.general.outputDir);
}

} // namespace

// Serves a catalogue on the loopback address until SIGINT or SIGTERM, so it
// can be viewed in a browser.
int runServeCommand(int argc, char** argv) {
    ServeArguments arguments;
    if (!parseArguments(argc, argv, arguments))
        return serveUsage();
    if (arguments.folder.empty())
        arguments.folder = storedOutputDir();
    if (arguments.folder.empty()) {
        std::fprintf(stderr, "vimra-cli: no output folder is set; name the folder to serve\n");
        return 1;
    }

    // Blocked before the server's threads exist, so they inherit the mask and
    // the signals reach only the sigwait below.
    sigset_t endSignals;
    sigemptyset(&endSignals);
    sigaddset(&endSignals, SIGINT);
    sigaddset(&endSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &endSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    CatalogueServer server(arguments.folder);
    switch (server.start(arguments.port)) {
    case ServeStart::Started:
        break;
    case ServeStart::FolderMissing:
        std::fprintf(stderr, "vimra-cli: there is no folder %s to serve\n", arguments.folder.c_str());
        return 1;
    case ServeStart::PortInUse:
        std::fprintf(stderr, "vimra-cli: port %d is in use; choose another with --port N\n", arguments.port);
        return 1;
    case ServeStart::CannotListen:
        std::fprintf(stderr, "vimra-cli: cannot listen on %s:%d\n", kServeHost, arguments.port);
        return 1;
    }

    // The hint first, so that whoever waits for the address finds it already said.
    std::fprintf(stderr, "Serving %s; press Ctrl-C to end.\n", arguments.folder.c_str());
    std::printf("%s\n", server.address().c_str());
    std::fflush(stdout);

    int received = 0;
    sigwait(&endSignals, &received);
    server.stop();
    return 0;
}
