#pragma once
// The Content-Type a served file goes out with, chosen by its extension.
#include <string_view>

// The type for the file name's extension, compared without regard to case;
// "application/octet-stream" for any other extension or none.
std::string_view contentTypeFor(std::string_view fileName);
