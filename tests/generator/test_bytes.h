#pragma once
// Little-endian bytes written field by field, independently of the code
// under test, to build data files and to state their expected layout.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

class TestBytes {
public:
    TestBytes& i16(std::int16_t v) { return unsignedValue(static_cast<std::uint16_t>(v), 2); }
    TestBytes& i32(std::int32_t v) { return unsignedValue(static_cast<std::uint32_t>(v), 4); }
    TestBytes& f64(double v) {
        std::uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        return unsignedValue(bits, 8);
    }
    TestBytes& byte(unsigned char v) { m_bytes += static_cast<char>(v); return *this; }
    TestBytes& zeros(std::size_t n) { m_bytes.append(n, '\0'); return *this; }
    // text in a field of size bytes, zero-padded (no terminator when it fills the field).
    TestBytes& text(std::string_view t, std::size_t size) {
        m_bytes += t.substr(0, size);
        return zeros(size - std::min(size, t.size()));
    }
    TestBytes& raw(std::string_view t) { m_bytes += t; return *this; }
    const std::string& str() const { return m_bytes; }
    std::size_t size() const { return m_bytes.size(); }

private:
    TestBytes& unsignedValue(std::uint64_t v, int n) {
        for (int i = 0; i < n; ++i)
            m_bytes += static_cast<char>((v >> (8 * i)) & 0xFF);
        return *this;
    }
    std::string m_bytes;
};
