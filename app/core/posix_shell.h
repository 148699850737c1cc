#pragma once
#include "app/core/shell.h"

// The shell on a POSIX desktop: programs are started in a session of their
// own, never waited for and never left as zombies; files are opened through
// xdg-open.
class PosixShell : public Shell {
public:
    bool openWithDefaultProgram(const std::string& path, const std::string& workingDir) override;
    bool startDetached(const std::string& program, const std::vector<std::string>& arguments) override;
};
