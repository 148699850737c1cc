#include "model/paths.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

std::string_view baseName(std::string_view path) {
    for (std::size_t i = path.size(); i > 0; --i) {
        if (isPathSeparator(path[i - 1]))
            return path.substr(i);
    }
    return path;
}

// A name that starts at a root ("/x", "\\x") or a drive ("C:...") stands on its own.
static bool isAbsolute(std::string_view name) {
    if (!name.empty() && isPathSeparator(name.front()))
        return true;
    return name.size() >= 2 && name[1] == ':' &&
           ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'));
}

std::string nativePath(std::string_view path) {
    std::string native(path);
    for (char& c : native)
        if (c == '\\')
            c = kNativeSeparator;
    return native;
}

std::string join(std::string_view folder, std::string_view name) {
    // A relative name with a folder in it ("pics/a.gif") lies under folder
    // too; left alone it would be looked for wherever the program was started.
    if (folder.empty() || isAbsolute(name))
        return nativePath(name);
    std::string path = nativePath(folder);
    if (!isPathSeparator(path.back()))
        path += kNativeSeparator;
    path += nativePath(name);
    return path;
}

static std::string withTrailingSeparator(std::string folder) {
    if (folder.empty() || !isPathSeparator(folder.back()))
        folder += kNativeSeparator;
    return folder;
}

std::string programDirectory() {
    if (const char* home = std::getenv("VIMRA_HOME"); home && *home)
        return withTrailingSeparator(home);
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec && exe.has_parent_path())
        return withTrailingSeparator(exe.parent_path().string());
    auto cwd = std::filesystem::current_path(ec);
    return withTrailingSeparator(ec ? std::string(".") : cwd.string());
}

std::string programPath(std::string_view name) {
    return programDirectory() + std::string(name);
}

void copyField(char* field, std::size_t size, std::string_view text) {
    if (size == 0)
        return;
    std::size_t n = text.size() < size - 1 ? text.size() : size - 1;
    if (n > 0)
        std::memcpy(field, text.data(), n);
    std::memset(field + n, 0, size - n);
}
