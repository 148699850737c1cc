#include "imagelib/settings_archive.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <vector>
#include <zip.h>

#include "imagelib/staged_files.h"
#include "model/paths.h"
#include "model/regular_file.h"
#include "model/settings_store.h"

namespace {

constexpr std::array<std::string_view, 9> kSettingsFiles = {
    "ZK002.dat", "ZK003.dat",  "zkcurr.dat",   "zktax.dat",  "zkdlv01.dat",
    "ZKOT.dat",  "zkof01.dat", "zkticker.dat", "titles.dat",
};
constexpr std::string_view kDescriptionEntry = "description";
constexpr std::string_view kVersionPrefix = "version ";

// Settings files are a few kilobytes; anything far larger is not one of ours.
constexpr std::size_t kMaxEntrySize = 1 << 20;
constexpr std::size_t kMaxArchiveSize = 16 << 20;

struct Entry {
    std::string name;
    std::string bytes;
};

struct ArchiveContents {
    int version = 0;
    std::string comment;
    std::vector<Entry> files;
};

bool isSettingsFile(std::string_view name) {
    return std::find(kSettingsFiles.begin(), kSettingsFiles.end(), name) != kSettingsFiles.end();
}

// The whole file, or nothing when it cannot be read or exceeds limit.
std::optional<std::string> readWholeFile(const std::string& path, std::size_t limit) {
    std::FILE* file = openRegularFile(path);
    if (!file)
        return std::nullopt;
    // A large file is refused without reading it: the dialog asks at every selection.
    struct stat status;
    if (::fstat(::fileno(file), &status) != 0 || static_cast<unsigned long long>(status.st_size) > limit) {
        std::fclose(file);
        return std::nullopt;
    }
    std::string bytes;
    char buffer[8192];
    std::size_t n;
    bool fits = true;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        if (bytes.size() + n > limit) {
            fits = false;
            break;
        }
        bytes.append(buffer, n);
    }
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed || !fits)
        return std::nullopt;
    return bytes;
}

struct ZipDiscard {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using ZipReader = std::unique_ptr<zip_t, ZipDiscard>;

// Reads one entry to its end, so that its checksum is verified; nothing when
// it is damaged or larger than the limit.
std::optional<std::string> readEntry(zip_t* archive, zip_uint64_t index) {
    zip_file_t* file = zip_fopen_index(archive, index, 0);
    if (!file)
        return std::nullopt;
    std::string bytes;
    char buffer[8192];
    zip_int64_t n;
    bool fits = true;
    while ((n = zip_fread(file, buffer, sizeof buffer)) > 0) {
        if (bytes.size() + static_cast<std::size_t>(n) > kMaxEntrySize) {
            fits = false;
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    bool closed = zip_fclose(file) == 0;
    if (n < 0 || !fits || !closed)
        return std::nullopt;
    return bytes;
}

bool parseDescription(std::string_view text, ArchiveContents& contents) {
    if (text.substr(0, kVersionPrefix.size()) != kVersionPrefix)
        return false;
    text.remove_prefix(kVersionPrefix.size());
    std::size_t lineEnd = text.find('\n');
    if (lineEnd == std::string_view::npos)
        return false;
    const char* first = text.data();
    const char* last = text.data() + lineEnd;
    auto [end, error] = std::from_chars(first, last, contents.version);
    if (error != std::errc() || end != last)
        return false;
    contents.comment = std::string(text.substr(lineEnd + 1));
    return true;
}

// Reads and checks every entry of the archive: nothing unless the file is a
// sound ZIP file holding one description and only distinct settings files.
std::optional<ArchiveContents> readArchive(const std::string& archivePath) {
    std::optional<std::string> bytes = readWholeFile(archivePath, kMaxArchiveSize);
    if (!bytes || bytes->empty())
        return std::nullopt;
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes->data(), bytes->size(), 0, &error);
    if (!source) {
        zip_error_fini(&error);
        return std::nullopt;
    }
    ZipReader archive(zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error));
    zip_error_fini(&error);
    if (!archive) {
        zip_source_free(source);
        return std::nullopt;
    }
    zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    if (count < 0)
        return std::nullopt;
    ArchiveContents contents;
    bool described = false;
    for (zip_uint64_t index = 0; index < static_cast<zip_uint64_t>(count); ++index) {
        const char* rawName = zip_get_name(archive.get(), index, ZIP_FL_ENC_RAW);
        if (!rawName)
            return std::nullopt;
        std::string name(rawName);
        std::optional<std::string> entry = readEntry(archive.get(), index);
        if (!entry)
            return std::nullopt;
        if (name == kDescriptionEntry) {
            if (described || !parseDescription(*entry, contents))
                return std::nullopt;
            described = true;
            continue;
        }
        // Only bare names of settings files, each once: no entry can reach
        // outside the program directory or overwrite anything else in it.
        bool repeated = std::any_of(contents.files.begin(), contents.files.end(),
                                    [&](const Entry& file) { return file.name == name; });
        if (!isSettingsFile(name) || repeated)
            return std::nullopt;
        contents.files.push_back({std::move(name), std::move(*entry)});
    }
    if (!described)
        return std::nullopt;
    return contents;
}

// The finished ZIP file held in a buffer source, copied out.
std::optional<std::string> bufferBytes(zip_source_t* buffer) {
    if (zip_source_open(buffer) < 0)
        return std::nullopt;
    std::optional<std::string> bytes;
    if (zip_source_seek(buffer, 0, SEEK_END) == 0) {
        zip_int64_t size = zip_source_tell(buffer);
        if (size >= 0 && zip_source_seek(buffer, 0, SEEK_SET) == 0) {
            std::string out(static_cast<std::size_t>(size), '\0');
            if (zip_source_read(buffer, out.data(), out.size()) == size)
                bytes = std::move(out);
        }
    }
    zip_source_close(buffer);
    return bytes;
}

std::optional<std::string> packArchive(const std::vector<Entry>& entries) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t* archive = buffer ? zip_open_from_source(buffer, ZIP_TRUNCATE, &error) : nullptr;
    zip_error_fini(&error);
    if (!archive) {
        if (buffer)
            zip_source_free(buffer);
        return std::nullopt;
    }
    zip_source_keep(buffer);
    bool added = true;
    for (const Entry& entry : entries) {
        zip_source_t* source = zip_source_buffer(archive, entry.bytes.data(), entry.bytes.size(), 0);
        if (!source || zip_file_add(archive, entry.name.c_str(), source, ZIP_FL_ENC_RAW) < 0) {
            if (source)
                zip_source_free(source);
            added = false;
            break;
        }
    }
    std::optional<std::string> bytes;
    if (!added) {
        zip_discard(archive);
    } else if (zip_close(archive) == 0) {
        bytes = bufferBytes(buffer);
    } else {
        zip_discard(archive);
    }
    zip_source_free(buffer);
    return bytes;
}

} // namespace

std::span<const std::string_view> settingsArchiveFiles() { return kSettingsFiles; }

int WriteArchive(const std::string& archivePath, const std::string& sourceDir, std::string_view comment) {
    if (archivePath.empty())
        return -1;
    std::vector<Entry> entries;
    std::string description(kVersionPrefix);
    description += std::to_string(kArchiveVersion) + "\n";
    description += comment.substr(0, kArchiveCommentSize - 1);
    entries.push_back({std::string(kDescriptionEntry), std::move(description)});
    for (std::string_view name : kSettingsFiles) {
        const std::string path = join(sourceDir, name);
        std::error_code ec;
        if (!std::filesystem::exists(path, ec) && !ec)
            continue;  // a file the shop never wrote
        std::optional<std::string> bytes = readWholeFile(path, kMaxEntrySize);
        if (!bytes)
            return -1;
        entries.push_back({std::string(name), std::move(*bytes)});
    }
    std::optional<std::string> archive = packArchive(entries);
    if (!archive)
        return -1;
    return replaceFile(nativePath(archivePath), *archive);
}

int RestoreArchive(const std::string& archivePath, const std::string& targetDir) {
    std::optional<ArchiveContents> contents = readArchive(nativePath(archivePath));
    if (!contents)
        return -1;
    StagedFiles staged;
    for (const Entry& file : contents->files) {
        if (!staged.stage(join(targetDir, file.name), file.bytes))
            return -1;
    }
    if (!staged.commit())
        return -1;
    return static_cast<int>(contents->files.size());
}

int GetArchiveDescription(const std::string& archivePath, char (&comment)[kArchiveCommentSize], int& version) {
    comment[0] = '\0';
    version = 0;
    std::optional<ArchiveContents> contents = readArchive(nativePath(archivePath));
    if (!contents)
        return -1;
    copyField(comment, contents->comment);
    version = contents->version;
    return 0;
}
