#pragma once
// Which file of the served folder a request names, if any. Nothing outside
// the folder is ever named: parent steps, encoded slashes, backslashes and
// symbolic links that lead out are refused, whatever their spelling.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

inline constexpr std::string_view kHomePage = "zk000000.html";
inline constexpr std::string_view kFirstIndexPage = "zki00000.html";

enum class PathVerdict { Found, NotFound, Forbidden };

struct ServedFile {
    PathVerdict verdict;
    std::filesystem::path file;   // canonical, when found
};

// root is the served folder in canonical form. rawTarget is the request
// target as it came (query and all), decodedPath its path part with the
// percent escapes decoded. "/" names the home page when it exists, else the
// first index page.
ServedFile resolveServedFile(const std::filesystem::path& root, std::string_view rawTarget,
                             std::string_view decodedPath);

// The page "/" stands for in root: kHomePage or kFirstIndexPage, whichever
// exists first as a file; empty when neither does.
std::string entryPageOf(const std::filesystem::path& root);

// True when path lies inside root, compared component by component (so
// "/srv/cat" does not contain "/srv/catalogue"). Both canonical.
bool isInside(const std::filesystem::path& root, const std::filesystem::path& path);

// The bytes of a regular file of at most maxSize bytes; nothing for a
// missing, larger or non-regular file (a FIFO is never waited on) or when
// the read fails.
std::optional<std::string> readServedFile(const std::filesystem::path& file, std::size_t maxSize);
