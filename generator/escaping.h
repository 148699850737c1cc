#pragma once
#include <string>
#include <string_view>

// The text made safe inside a script string literal in either quote: a
// backslash before each ", ' and backslash.
std::string escapeScriptString(std::string_view text);

// The text made safe as the content of an HTML element: &, <, > and "
// become character references; other bytes stand as they are.
std::string escapeHtmlText(std::string_view text);
