#pragma once
// What the document asks of the desktop: opening a file or address with the
// program the user chose for it, and starting another program. The window
// program and the command line each supply their own.
#include <string>
#include <vector>

class Shell {
public:
    virtual ~Shell() = default;
    // Opens path with its default program; workingDir, when not empty, is the
    // folder that program starts in. False when the request could not be made.
    virtual bool openWithDefaultProgram(const std::string& path, const std::string& workingDir) = 0;
    // Starts program with arguments as an independent process and does not
    // wait for it. False when it could not be started.
    virtual bool startDetached(const std::string& program, const std::vector<std::string>& arguments) = 0;
    // Shows the catalogue written into folder in the user's browser. By
    // default its home page is opened from disk, with folder as working folder.
    virtual bool viewCatalogue(const std::string& folder);
};
