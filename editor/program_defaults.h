#pragma once
// What the editor takes from the generator's defaults file beside the program.
#include <string>

namespace korvel {

// The generator's defaultInputDir: the zero-terminated text at byte 258 of
// the first 6574 bytes of "ZK002.dat" in the program directory; empty when
// the file is missing or too short.
std::string readDefaultInputDir();

} // namespace korvel
