#pragma once
// Replacing several files of one folder so that a failure part way leaves
// every one of them as it was: all new contents are first written to
// temporaries beside their targets, and only when each of them is on disk are
// they renamed over the old files.
#include <string>
#include <string_view>
#include <vector>

class StagedFiles {
public:
    StagedFiles() = default;
    StagedFiles(const StagedFiles&) = delete;
    StagedFiles& operator=(const StagedFiles&) = delete;
    // Removes whatever temporaries were not committed.
    ~StagedFiles();

    // Writes bytes to a new temporary beside path (created exclusively) and
    // flushes it to disk. false when that fails; the target is untouched.
    bool stage(const std::string& path, std::string_view bytes);
    // Renames every temporary over its target. false when a rename failed.
    bool commit();

private:
    struct Staged {
        std::string temporary;
        std::string target;
    };
    std::vector<Staged> m_staged;
};
