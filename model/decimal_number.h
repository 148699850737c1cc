#pragma once
#include <cstdint>
#include <string_view>

// The leading decimal number of a text, as typed into a number field or a
// column of the appearance table: leading blanks and a sign allowed, an empty
// or non-numeric text gives 0, values beyond int32 are held at its limits.
std::int32_t decimalNumber(std::string_view text);
