#pragma once
// The fixed-layout little-endian records of the small data files beside the
// program (currencies, tax types, delivery schedules, order text). A file is
// read whole into memory; bytes past its end read as zero, so a file cut
// short gives zero fields and empty texts instead of garbage.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The bytes of a regular file, at most maxBytes of them; nullopt when the
// file cannot be opened or is no regular file.
std::optional<std::string> readDataFile(const std::string& path, std::size_t maxBytes);

std::uint8_t readByte(std::string_view bytes, std::size_t at);
std::int16_t readInt16(std::string_view bytes, std::size_t at);
std::int32_t readInt32(std::string_view bytes, std::size_t at);
// A non-finite value (NaN, infinity) reads as 0: no amount can use it.
double readDouble(std::string_view bytes, std::size_t at);
// The zero-terminated text of a field of size bytes, at most size-1 of them.
std::string readText(std::string_view bytes, std::size_t at, std::size_t size);

// Writers over a record already sized: each value lands at its offset.
void putByte(std::string& bytes, std::size_t at, std::uint8_t value);
void putInt16(std::string& bytes, std::size_t at, std::int16_t value);
void putInt32(std::string& bytes, std::size_t at, std::int32_t value);
void putDouble(std::string& bytes, std::size_t at, double value);
// At most size-1 characters of text; the rest of the field stays zero.
void putText(std::string& bytes, std::size_t at, std::size_t size, std::string_view text);

// text cut to at most maxLength bytes.
std::string cutText(std::string_view text, std::size_t maxLength);
