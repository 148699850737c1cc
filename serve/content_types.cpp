#include "serve/content_types.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace {

struct ContentType {
    std::string_view extension;
    std::string_view type;
};

// What a catalogue folder holds: pages, scripts, styles, images, the data and
// script files the order pages use, sounds and applets.
constexpr ContentType kContentTypes[] = {
    {"html", "text/html"},
    {"htm", "text/html"},
    {"js", "text/javascript"},
    {"css", "text/css"},
    {"gif", "image/gif"},
    {"jpg", "image/jpeg"},
    {"jpeg", "image/jpeg"},
    {"png", "image/png"},
    {"txt", "text/plain"},
    {"dat", "text/plain"},
    {"pl", "text/plain"},
    {"mid", "audio/midi"},
    {"wav", "audio/wav"},
    {"class", "application/java-vm"},
    {"ico", "image/x-icon"},
    {"svg", "image/svg+xml"},
};

} // namespace

std::string_view contentTypeFor(std::string_view fileName) {
    std::size_t slash = fileName.find_last_of('/');
    if (slash != std::string_view::npos)
        fileName.remove_prefix(slash + 1);
    std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos)
        return "application/octet-stream";
    std::string extension(fileName.substr(dot + 1));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const auto& entry : kContentTypes) {
        if (entry.extension == extension)
            return entry.type;
    }
    return "application/octet-stream";
}
