#pragma once
// What the editor takes from the generator's defaults file beside the program.
#include <string>
#include <string_view>

namespace korvel {

// The generator's defaultInputDir, read from the first 6574 bytes of its
// general settings file in programDir (the only part the two programs
// share); empty when the file is too short to hold the field, and the
// generator's factory folder, "example" in programDir, when it is missing.
std::string readDefaultInputDir(std::string_view programDir);

} // namespace korvel
