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

std::string escapeHtmlText(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 16);
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}
