#include "upload/ftp_listing.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

namespace {

std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!line.empty())
            lines.push_back(line);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

void addEntry(std::vector<RemoteEntry>& entries, std::string_view name, bool isFolder) {
    if (name.empty() || name == "." || name == "..")
        return;
    entries.push_back({std::string(name), isFolder});
}

// Skips one field of blanks-separated text; false when there is none.
bool skipField(std::string_view& line) {
    std::size_t start = line.find_first_not_of(' ');
    if (start == std::string_view::npos)
        return false;
    std::size_t end = line.find(' ', start);
    if (end == std::string_view::npos)
        return false;
    line.remove_prefix(end);
    return true;
}

std::string_view afterBlanks(std::string_view line) {
    std::size_t start = line.find_first_not_of(' ');
    return start == std::string_view::npos ? std::string_view() : line.substr(start);
}

}  // namespace

std::vector<RemoteEntry> parseMlsdListing(std::string_view listing) {
    std::vector<RemoteEntry> entries;
    for (std::string_view line : linesOf(listing)) {
        // "fact=value;fact=value; name": the name follows the first blank.
        std::size_t blank = line.find(' ');
        if (blank == std::string_view::npos)
            continue;
        std::string_view facts = line.substr(0, blank);
        std::string_view type;
        while (!facts.empty()) {
            std::size_t end = facts.find(';');
            std::string_view fact = facts.substr(0, end);
            std::size_t equals = fact.find('=');
            if (equals != std::string_view::npos && equalsIgnoringCase(fact.substr(0, equals), "type"))
                type = fact.substr(equals + 1);
            if (end == std::string_view::npos)
                break;
            facts.remove_prefix(end + 1);
        }
        if (equalsIgnoringCase(type, "cdir") || equalsIgnoringCase(type, "pdir"))
            continue;
        addEntry(entries, line.substr(blank + 1), equalsIgnoringCase(type, "dir"));
    }
    return entries;
}

std::vector<RemoteEntry> parseListListing(std::string_view listing) {
    std::vector<RemoteEntry> entries;
    for (std::string_view line : linesOf(listing)) {
        if (line.rfind("total ", 0) == 0)
            continue;
        const char kind = line.front();
        if (std::isdigit(static_cast<unsigned char>(kind))) {
            // DOS style: date, time, "<DIR>" or a size, name.
            std::string_view rest = line;
            if (!skipField(rest) || !skipField(rest))
                continue;
            rest = afterBlanks(rest);
            const bool isFolder = rest.rfind("<DIR>", 0) == 0;
            if (!skipField(rest))
                continue;
            addEntry(entries, afterBlanks(rest), isFolder);
            continue;
        }
        if (!std::strchr("-dlbcps", kind))
            continue;
        // Unix style: mode, links, owner, group, size, month, day, time or year, name.
        std::string_view rest = line;
        bool complete = true;
        for (int field = 0; field < 8 && complete; ++field)
            complete = skipField(rest);
        if (!complete)
            continue;
        std::string_view name = afterBlanks(rest);
        if (kind == 'l')
            name = name.substr(0, name.find(" -> "));
        addEntry(entries, name, kind == 'd');
    }
    return entries;
}

std::string folderOfPwdReply(std::string_view reply) {
    std::size_t open = reply.find('"');
    if (open == std::string_view::npos)
        return {};
    std::string folder;
    for (std::size_t i = open + 1; i < reply.size(); ++i) {
        if (reply[i] != '"') {
            folder += reply[i];
            continue;
        }
        if (i + 1 < reply.size() && reply[i + 1] == '"') {
            folder += '"';
            ++i;
            continue;
        }
        return folder;
    }
    return {};
}
