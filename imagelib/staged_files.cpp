#include "imagelib/staged_files.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace

StagedFiles::~StagedFiles() {
    for (const Staged& staged : m_staged)
        ::unlink(staged.temporary.c_str());
}

bool StagedFiles::stage(const std::string& path, std::string_view bytes) {
    static unsigned counter = 0;
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;
    // The new file keeps the access rights of the one it replaces.
    struct stat old;
    if (::stat(path.c_str(), &old) == 0)
        ::fchmod(fd, old.st_mode & 07777);
    bool written = writeAll(fd, bytes.data(), bytes.size()) && ::fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
    if (!written) {
        ::unlink(temporary.c_str());
        return false;
    }
    m_staged.push_back({temporary, path});
    return true;
}

bool StagedFiles::commit() {
    bool all = true;
    for (const Staged& staged : m_staged) {
        if (std::rename(staged.temporary.c_str(), staged.target.c_str()) != 0) {
            ::unlink(staged.temporary.c_str());
            all = false;
        }
    }
    m_staged.clear();
    return all;
}
