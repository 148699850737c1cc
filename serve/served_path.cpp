#include "serve/served_path.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

bool containsNoCase(std::string_view text, std::string_view what) {
    auto found = std::search(text.begin(), text.end(), what.begin(), what.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
    return found != text.end();
}

// A catalogue's names never need an encoded slash, backslash or NUL, so a
// target holding one is refused before anything is decoded or looked up.
bool hasForbiddenEscape(std::string_view rawTarget) {
    std::string_view pathPart = rawTarget.substr(0, rawTarget.find('?'));
    return pathPart.find('\\') != std::string_view::npos || containsNoCase(pathPart, "%2f") ||
           containsNoCase(pathPart, "%5c") || containsNoCase(pathPart, "%00");
}

bool hasParentStep(std::string_view path) {
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string_view::npos)
            end = path.size();
        if (path.substr(start, end - start) == "..")
            return true;
        start = end + 1;
    }
    return false;
}

bool isRegularFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

} // namespace

bool isInside(const fs::path& root, const fs::path& path) {
    auto pathPart = path.begin();
    for (const auto& rootPart : root) {
        // A trailing separator shows as an empty last component.
        if (rootPart.empty())
            continue;
        if (pathPart == path.end() || *pathPart != rootPart)
            return false;
        ++pathPart;
    }
    return true;
}

std::string entryPageOf(const fs::path& root) {
    for (std::string_view page : {kHomePage, kFirstIndexPage}) {
        if (isRegularFile(root / page))
            return std::string(page);
    }
    return {};
}

ServedFile resolveServedFile(const fs::path& root, std::string_view rawTarget, std::string_view decodedPath) {
    if (hasForbiddenEscape(rawTarget) || decodedPath.empty() || decodedPath.front() != '/' ||
        decodedPath.find('\\') != std::string_view::npos || decodedPath.find('\0') != std::string_view::npos ||
        hasParentStep(decodedPath))
        return {PathVerdict::Forbidden, {}};

    std::string_view relative = decodedPath;
    while (!relative.empty() && relative.front() == '/')
        relative.remove_prefix(1);
    std::string entry;
    if (relative.empty()) {
        entry = entryPageOf(root);
        if (entry.empty())
            return {PathVerdict::NotFound, {}};
        relative = entry;
    }

    std::error_code ec;
    fs::path resolved = fs::canonical(root / fs::path(relative), ec);
    if (ec)
        return {PathVerdict::NotFound, {}};
    if (!isInside(root, resolved))
        return {PathVerdict::Forbidden, {}};
    if (!isRegularFile(resolved))
        return {PathVerdict::NotFound, {}};
    return {PathVerdict::Found, resolved};
}

std::optional<std::string> readServedFile(const fs::path& file, std::size_t maxSize) {
    int fd = ::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::optional<std::string> bytes;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && static_cast<std::size_t>(info.st_size) <= maxSize) {
        std::string content(static_cast<std::size_t>(info.st_size), '\0');
        std::size_t done = 0;
        bool failed = false;
        while (done < content.size()) {
            ssize_t n = ::read(fd, content.data() + done, content.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                failed = true;
            if (n <= 0)
                break;
            done += static_cast<std::size_t>(n);
        }
        // A file that shrank while it was read is served as far as it went.
        content.resize(done);
        if (!failed)
            bytes = std::move(content);
    }
    ::close(fd);
    return bytes;
}
