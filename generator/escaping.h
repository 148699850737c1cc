#pragma once
#include <string>
#include <string_view>

// The text made safe inside a script string literal in either quote: a
// backslash before each ", ' and backslash.
std::string escapeScriptString(std::string_view text);
