#include "model/settings_store.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

#include "model/appearance_library.h"
#include "model/paths.h"
#include "model/regular_file.h"

std::string generalSettingsPath(std::string_view programDir) { return join(programDir, kGeneralSettingsFile); }
std::string appearanceSetPath(std::string_view programDir) { return join(programDir, kAppearanceSetFile); }

long readBlockFile(const std::string& path, void* block, std::size_t size) {
    // A folder, a device or a FIFO of that name is no defaults file.
    std::FILE* in = openRegularFile(path);
    if (!in)
        return -1;
    std::size_t got = std::fread(block, 1, size, in);
    std::fclose(in);
    return static_cast<long>(got);
}

static bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

int replaceFile(const std::string& path, std::string_view bytes) {
    static unsigned counter = 0;
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return -1;
    }
    if (fd < 0)
        return -1;
    // The new file keeps the access rights of the one it replaces.
    struct stat old;
    if (::stat(path.c_str(), &old) == 0)
        ::fchmod(fd, old.st_mode & 07777);
    bool written = writeAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
    if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::error_code ec;
        std::filesystem::remove(temporary, ec);
        return -1;
    }
    return 0;
}

void loadSettings(SettingsBlocks& blocks, std::string_view programDir) {
    std::memset(&blocks.general, 0, sizeof blocks.general);
    std::memset(&blocks.appearance, 0, sizeof blocks.appearance);
    if (readBlockFile(generalSettingsPath(programDir), &blocks.general, sizeof blocks.general) < 0)
        loadFactoryDefaults(blocks, programDir);
    readBlockFile(appearanceSetPath(programDir), &blocks.appearance, sizeof blocks.appearance);
}

void loadFactoryDefaults(SettingsBlocks& blocks, std::string_view programDir) {
    const std::string library = join(programDir, "zkas.dat");
    std::error_code ec;
    if (!std::filesystem::exists(library, ec))
        importAppearanceSets(join(programDir, "AppSetValues.csv"), library, programDir);
    readFirstAppearanceSet(library, blocks.appearance);

    auto setProgramPath = [programDir](char* field, std::size_t size, std::string_view name) {
        copyField(field, size, join(programDir, name));
    };
    GeneralSettings& g = blocks.general;
    std::memset(&g, 0, sizeof g);
    setProgramPath(g.musicFile, sizeof g.musicFile, "swing01.mid");
    setProgramPath(g.outputDir, sizeof g.outputDir, "output");
    setProgramPath(g.tempOutputDir, sizeof g.tempOutputDir, "tempout");
    setProgramPath(g.defaultInputDir, sizeof g.defaultInputDir, "example");
    setProgramPath(g.inputFile, sizeof g.inputFile, "example/example.txt");
    setProgramPath(g.searchProgram, sizeof g.searchProgram, "zksearch1.pl");
    setProgramPath(g.searchPreprocess, sizeof g.searchPreprocess, "zkread1.pl");
    setProgramPath(g.searchOutputDir, sizeof g.searchOutputDir, "search");
    setProgramPath(g.secureTradingPage, sizeof g.secureTradingPage, "SecureTrading/zkorderpage.html");
    copyField(g.catalogueTitle, "Vimra generated catalogue");
    copyField(g.searchScript, "zksearch2.pl");
    copyField(g.searchUrl, "http://localhost/cgi-bin/zksearch2.pl");
    copyField(g.payButtonText, "Pay on-line");
    g.musicFlags = 3;
    g.reserved882 = 300;
    g.basketFlags = 1;
    g.orderFormFlags = 1;
    g.currencySymbolKind = 1;
    g.reserved3933 = 1;
    g.currencyDecimals = 2;
    g.changeItemWithIndex = 1;
    g.previewMaxItems = 40;
    g.includeTicker = 1;
    for (FtpTarget& target : g.ftpTargets)
        target.port = 21;
}

static int saveBlock(const std::string& path, const void* block, std::size_t size,
                     const char* failure, UserMessages& messages) {
    if (replaceFile(path, std::string_view(static_cast<const char*>(block), size)) == 0)
        return 0;
    messages.show(failure, "Defaults Save Error", MessageButtons::Ok);
    return -1;
}

int saveGeneralSettings(const GeneralSettings& general, UserMessages& messages, std::string_view programDir) {
    return saveBlock(generalSettingsPath(programDir), &general, sizeof general, "failed to save data (1)",
                     messages);
}

int saveAppearanceSet(const AppearanceSet& appearance, UserMessages& messages, std::string_view programDir) {
    return saveBlock(appearanceSetPath(programDir), &appearance, sizeof appearance, "failed to save data (2)",
                     messages);
}
