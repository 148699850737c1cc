#pragma once
// Every file the programs read or write by a name from a data file or the
// settings must be a regular file (or a link to one): a device gives bytes
// without end and a FIFO blocks the open until someone writes to it.
#include <cstdio>
#include <string>

enum class FileOpening { Opened, Failed, NotRegular };

// Opens path for binary reading when it is a regular file; nullptr when it
// cannot be opened or is something else, with which in opening when given.
// Never blocks, whatever stands at path.
std::FILE* openRegularFile(const std::string& path, FileOpening* opening = nullptr);

// Creates or truncates path for binary writing, unless something other than
// a regular file stands there. As openRegularFile otherwise.
std::FILE* createRegularFile(const std::string& path, FileOpening* opening = nullptr);

// Whether path names a regular file (following links).
bool isRegularFile(const std::string& path);
