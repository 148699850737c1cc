#pragma once
// Settings archives: the generator's settings files packed into one file with
// a comment, and unpacked again over the program directory.
//
// An archive is a ZIP file. Its entry "description" holds the line
// "version <n>\n" followed by the comment's bytes; every other entry is one of
// the settings files below, stored under its bare name. The catalogue data
// file and the appearance-set library zkas.dat never go into an archive.
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

inline constexpr std::size_t kArchiveCommentSize = 1000;  // with its closing zero
inline constexpr int kArchiveVersion = 100;
inline constexpr int kOldestArchiveVersion = 100;
inline constexpr int kNewestArchiveVersion = 110;

// The files an archive carries, when the program directory holds them: both
// defaults files, currencies, tax types, delivery schedules, the order form's
// text and template, the scrolling text and the common text.
std::span<const std::string_view> settingsArchiveFiles();

// Packs the settings files found in sourceDir and comment (cut to
// kArchiveCommentSize - 1 bytes) into archivePath, replacing it atomically.
// 0, or -1 when a settings file cannot be read or the archive not written.
int WriteArchive(const std::string& archivePath, const std::string& sourceDir, std::string_view comment);

// Replaces the settings files in targetDir with those in the archive and
// returns how many it replaced. Every entry is read and checked first: -1,
// with nothing changed, when the file is no archive, is damaged or holds an
// entry that is not one of the settings files.
int RestoreArchive(const std::string& archivePath, const std::string& targetDir);

// Fills comment (zero-terminated) and version from the archive and returns 0;
// -1 when the file is not an archive, leaving comment empty and version 0.
int GetArchiveDescription(const std::string& archivePath, char (&comment)[kArchiveCommentSize], int& version);
