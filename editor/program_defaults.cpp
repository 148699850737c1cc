#include "editor/program_defaults.h"

#include <cstdio>
#include <cstring>

#include "model/paths.h"

namespace korvel {

namespace {
constexpr std::size_t kSharedBytes = 6574;
constexpr std::size_t kDefaultInputDirOffset = 258;
constexpr std::size_t kDefaultInputDirSize = 129;
} // namespace

std::string readDefaultInputDir() {
    std::FILE* in = std::fopen(programPath("ZK002.dat").c_str(), "rb");
    if (!in)
        return {};
    char bytes[kSharedBytes];
    std::size_t got = std::fread(bytes, 1, sizeof bytes, in);
    std::fclose(in);
    if (got <= kDefaultInputDirOffset)
        return {};
    std::size_t available = std::min(got - kDefaultInputDirOffset, kDefaultInputDirSize);
    const char* field = bytes + kDefaultInputDirOffset;
    // The field is cut at its end even when no zero byte closes it.
    std::size_t length = strnlen(field, available);
    if (length == kDefaultInputDirSize)
        --length;
    return std::string(field, length);
}

} // namespace korvel
