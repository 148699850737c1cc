#include "model/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "model/paths.h"

namespace {

// O_NONBLOCK keeps the open of a FIFO from waiting for its other end; the
// descriptor is checked before anything is read or written, so a FIFO put in
// place after the first look is refused as well.
std::FILE* openChecked(const std::string& name, int flags, const char* mode, FileOpening* opening) {
    auto report = [opening](FileOpening what) {
        if (opening)
            *opening = what;
        return nullptr;
    };
    const std::string path = nativePath(name);
    struct stat before {};
    if (::stat(path.c_str(), &before) == 0 && !S_ISREG(before.st_mode))
        return report(FileOpening::NotRegular);
    int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0)
        return report(FileOpening::Failed);
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        return report(FileOpening::NotRegular);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::FILE* file = ::fdopen(fd, mode);
    if (!file) {
        ::close(fd);
        return report(FileOpening::Failed);
    }
    if (opening)
        *opening = FileOpening::Opened;
    return file;
}

} // namespace

std::FILE* openRegularFile(const std::string& path, FileOpening* opening) {
    return openChecked(path, O_RDONLY, "rb", opening);
}

std::FILE* createRegularFile(const std::string& path, FileOpening* opening) {
    return openChecked(path, O_WRONLY | O_CREAT | O_TRUNC, "wb", opening);
}

bool isRegularFile(const std::string& path) {
    struct stat status {};
    return ::stat(nativePath(path).c_str(), &status) == 0 && S_ISREG(status.st_mode);
}
