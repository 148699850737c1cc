#include "generator/copy_resource.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <new>
#include <sys/stat.h>

#include "generator/generation_run.h"
#include "model/paths.h"
#include "model/regular_file.h"

namespace {

constexpr std::size_t kCopyBlockSize = 10000;

// The destination already holds this very file (the same size and
// modification time, which a copy keeps): copying again would only cost time.
bool alreadyCopied(const struct stat& source, const std::string& destinationPath) {
    struct stat destination {};
    if (::stat(destinationPath.c_str(), &destination) != 0)
        return false;
    return destination.st_size == source.st_size &&
           destination.st_mtim.tv_sec == source.st_mtim.tv_sec &&
           destination.st_mtim.tv_nsec == source.st_mtim.tv_nsec;
}

bool samePath(const std::string& a, const std::string& b) {
    if (a == b)
        return true;
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec) && !ec;
}

} // namespace

std::string CopyResource(GenerationRun& run, const std::string& sourcePath,
                         const std::string& destinationFolder) {
    if (sourcePath.empty() || destinationFolder.empty())
        return {};
    std::string name(baseName(sourcePath));
    std::string destinationPath = join(destinationFolder, name);
    run.lists.listFile(destinationPath);
    const std::string source = nativePath(sourcePath);
    if (samePath(source, destinationPath))
        return name;

    struct stat sourceStat {};
    bool statOk = ::stat(source.c_str(), &sourceStat) == 0;
    if (statOk && S_ISREG(sourceStat.st_mode) && alreadyCopied(sourceStat, destinationPath))
        return name;

    FileOpening opening = FileOpening::Failed;
    std::FILE* in = run.openSource(source, &opening);
    if (!in) {
        if (opening == FileOpening::Failed)
            std::fprintf(run.diagnostics, "File does not exists <%s>\n", source.c_str());
        return name;
    }
    std::FILE* out = createRegularFile(destinationPath);
    if (!out) {
        std::fprintf(run.diagnostics, "cannot create file <%s>\n", destinationPath.c_str());
        run.fileNotWritten(destinationPath);
        std::fclose(in);
        return name;
    }
    std::unique_ptr<char[]> block(new (std::nothrow) char[kCopyBlockSize]);
    if (!block) {
        run.messages.show("new of 10000 failed!!!", "new", MessageButtons::Ok);
        run.fileNotWritten(destinationPath);
        std::fclose(in);
        std::fclose(out);
        return name;
    }
    bool ok = true;
    std::size_t n;
    while ((n = std::fread(block.get(), 1, kCopyBlockSize, in)) > 0) {
        if (std::fwrite(block.get(), 1, n, out) != n) {
            ok = false;
            break;
        }
    }
    if (std::ferror(in))
        ok = false;
    std::fclose(in);
    ok = std::fflush(out) == 0 && !std::ferror(out) && ok;
    if (std::fclose(out) != 0)
        ok = false;
    if (!ok) {
        std::fprintf(run.diagnostics, "cannot create file <%s>\n", destinationPath.c_str());
        run.fileNotWritten(destinationPath);
        return name;
    }
    if (statOk) {
        const struct timespec times[2] = {sourceStat.st_atim, sourceStat.st_mtim};
        ::utimensat(AT_FDCWD, destinationPath.c_str(), times, 0);
    }
    return name;
}
