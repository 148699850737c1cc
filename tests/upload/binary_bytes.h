#pragma once
// Reproducible bytes of every value, for files that must arrive unchanged.
#include <cstddef>
#include <string>

inline std::string binaryBytes(std::size_t size, unsigned seed) {
    std::string bytes(size, '\0');
    unsigned value = seed;
    for (auto& b : bytes) {
        value = value * 1103515245u + 12345u;
        b = static_cast<char>(value >> 16);
    }
    return bytes;
}
