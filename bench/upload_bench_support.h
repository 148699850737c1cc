#pragma once
// What the upload benchmarks share: a fresh folder, the settings of the
// loopback test server, an observer that keeps quiet except for faults, and
// a plain file writer.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

#include "model/paths.h"
#include "model/settings_record.h"
#include "model/user_messages.h"
#include "upload/upload_worker.h"

class QuietObserver : public UploadObserver {
public:
    void statusLine(int, const std::string&) override {}
    void progress(int) override { ++pieces; }
    void message(const std::string& text, const std::string& caption, MessageButtons buttons) override {
        m_messages.show(text, caption, buttons);
    }
    void fileFailed(const std::string& localPath, const std::string&, const std::string& reason) override {
        std::fprintf(stderr, "benchmark upload: %s failed: %s\n", localPath.c_str(), reason.c_str());
    }
    long pieces = 0;

private:
    StderrMessages m_messages{MessageAnswer::Ok};
};

inline bool writeBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}

// A new folder under the temporary directory, named from prefix.
inline std::optional<std::filesystem::path> freshBenchFolder(const std::string& prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        return std::nullopt;
    }
    return std::filesystem::path(pattern);
}

// Settings whose first upload target is the loopback test server.
inline GeneralSettings loopbackUploadSettings(int port) {
    GeneralSettings settings;
    std::memset(&settings, 0, sizeof settings);
    FtpTarget& target = settings.ftpTargets[0];
    copyField(target.host, "127.0.0.1");
    copyField(target.userName, "shop");
    copyField(target.password, "secret");
    target.port = port;
    return settings;
}
