#pragma once
#include <cstdint>
#include <string>

// The Expires meta tag of every generated page for a date in seconds since 1970.
std::string expiresMetaTag(std::int32_t expiryDate);
