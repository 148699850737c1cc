#pragma once
// Runs one of our programs as a child process, the way a user or a script
// would, and collects what it printed.
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <utility>
#include <vector>

struct ChildResult {
    int status = -1;   // the exit status; -1 when it did not exit normally
    std::string out;
    std::string errors;
};

struct ChildOptions {
    // Variables set in the child's environment, over the test's own.
    std::vector<std::pair<std::string, std::string>> environment;
    // When above 0, every write past that file size fails with EFBIG, as on a
    // full disk. Output through the pipes is not limited.
    rlim_t fileSizeLimit = 0;
};

ChildResult runChild(const std::filesystem::path& program, const std::vector<std::string>& args,
                     const ChildOptions& options = {});

// A copy of the built program directory without the settings, the upload
// list and the output of earlier runs, as on a first start.
void copyFreshProgramDirectory(const std::filesystem::path& from, const std::filesystem::path& to);
