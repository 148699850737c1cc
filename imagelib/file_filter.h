#pragma once
// File dialogs describe what they offer as "Label (*.a) |*.a;*.b| All Files (*.*) |*.*||":
// pairs of a label and its patterns, each ended by '|', the list ended by an
// empty pair. Qt's dialogs want one "Label (*.a *.b)" line per pair.
#include <string>
#include <string_view>
#include <vector>

struct FileFilter {
    std::string label;                  // as written, blanks at both ends removed
    std::vector<std::string> patterns;  // "*.png", ...
};

std::vector<FileFilter> parseFileFilter(std::string_view filter);

// "Label (*.a *.b)": the label without a pattern list of its own, then the patterns.
std::string nameFilterLine(const FileFilter& filter);
