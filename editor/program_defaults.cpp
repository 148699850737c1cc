#include "editor/program_defaults.h"

#include "model/paths.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>

#include "model/settings_record.h"
#include "model/settings_store.h"

namespace korvel {

namespace {
// The editor reads no further into the generator's record than this.
constexpr std::size_t kSharedBytes = 6574;
constexpr std::size_t kDefaultInputDirOffset = offsetof(GeneralSettings, defaultInputDir);
constexpr std::size_t kDefaultInputDirSize = sizeof(GeneralSettings::defaultInputDir);
static_assert(kDefaultInputDirOffset + kDefaultInputDirSize <= kSharedBytes);
} // namespace

std::string readDefaultInputDir(std::string_view programDir) {
    std::FILE* in = std::fopen(generalSettingsPath(programDir).c_str(), "rb");
    // Until the generator first saves its settings, it looks in its factory folder.
    if (!in)
        return join(programDir, "example");
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
