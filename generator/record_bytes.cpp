#include "generator/record_bytes.h"

#include <bit>
#include <cmath>
#include <cstdio>

#include "model/regular_file.h"

namespace {

std::uint64_t readUnsigned(std::string_view bytes, std::size_t at, std::size_t size) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < size; ++i)
        value |= static_cast<std::uint64_t>(readByte(bytes, at + i)) << (8 * i);
    return value;
}

void putUnsigned(std::string& bytes, std::size_t at, std::size_t size, std::uint64_t value) {
    for (std::size_t i = 0; i < size; ++i)
        putByte(bytes, at + i, static_cast<std::uint8_t>(value >> (8 * i)));
}

} // namespace

std::optional<std::string> readDataFile(const std::string& path, std::size_t maxBytes) {
    std::FILE* file = openRegularFile(path);
    if (!file)
        return std::nullopt;
    std::string bytes;
    char buffer[65536];
    while (bytes.size() < maxBytes) {
        std::size_t wanted = std::min(sizeof buffer, maxBytes - bytes.size());
        std::size_t got = std::fread(buffer, 1, wanted, file);
        bytes.append(buffer, got);
        if (got < wanted)
            break;
    }
    std::fclose(file);
    return bytes;
}

std::uint8_t readByte(std::string_view bytes, std::size_t at) {
    return at < bytes.size() ? static_cast<std::uint8_t>(bytes[at]) : 0;
}

std::int16_t readInt16(std::string_view bytes, std::size_t at) {
    return static_cast<std::int16_t>(readUnsigned(bytes, at, 2));
}

std::int32_t readInt32(std::string_view bytes, std::size_t at) {
    return static_cast<std::int32_t>(readUnsigned(bytes, at, 4));
}

double readDouble(std::string_view bytes, std::size_t at) {
    double value = std::bit_cast<double>(readUnsigned(bytes, at, 8));
    return std::isfinite(value) ? value : 0.0;
}

std::string readText(std::string_view bytes, std::size_t at, std::size_t size) {
    std::string text;
    for (std::size_t i = 0; i + 1 < size; ++i) {
        char c = static_cast<char>(readByte(bytes, at + i));
        if (c == '\0')
            break;
        text += c;
    }
    return text;
}

void putByte(std::string& bytes, std::size_t at, std::uint8_t value) {
    if (at < bytes.size())
        bytes[at] = static_cast<char>(value);
}

void putInt16(std::string& bytes, std::size_t at, std::int16_t value) {
    putUnsigned(bytes, at, 2, static_cast<std::uint16_t>(value));
}

void putInt32(std::string& bytes, std::size_t at, std::int32_t value) {
    putUnsigned(bytes, at, 4, static_cast<std::uint32_t>(value));
}

void putDouble(std::string& bytes, std::size_t at, double value) {
    putUnsigned(bytes, at, 8, std::bit_cast<std::uint64_t>(value));
}

void putText(std::string& bytes, std::size_t at, std::size_t size, std::string_view text) {
    if (size == 0)
        return;
    std::size_t length = std::min(text.size(), size - 1);
    for (std::size_t i = 0; i < size; ++i)
        putByte(bytes, at + i, i < length ? static_cast<std::uint8_t>(text[i]) : 0);
}

std::string cutText(std::string_view text, std::size_t maxLength) {
    return std::string(text.substr(0, std::min(text.size(), maxLength)));
}
