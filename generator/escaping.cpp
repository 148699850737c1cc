#include "generator/escaping.h"

std::string escapeScriptString(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (char c : text) {
        // The backslash itself is escaped too, so that a text holding or
        // ending in one cannot swallow the closing quote.
        if (c == '"' || c == '\'' || c == '\\')
            out += '\\';
        out += c;
    }
    return out;
}
