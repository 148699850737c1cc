#include "generator/scrolling_text_file.h"

#include <cerrno>
#include <fstream>
#include <iterator>
#include <new>
#include <sys/stat.h>

#include "model/settings_store.h"

int readScrollingTextFile(const std::string& path, std::string& text) {
    text.clear();
    struct stat status;
    if (::stat(path.c_str(), &status) != 0)
        return errno == ENOENT ? -2 : -4;
    if (!S_ISREG(status.st_mode))
        return -4;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return -4;
    try {
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::bad_alloc&) {
        text.clear();
        return -3;
    }
    if (in.bad()) {
        text.clear();
        return -4;
    }
    return 0;
}

int writeScrollingTextFile(const std::string& path, std::string_view text) { return replaceFile(path, text); }
