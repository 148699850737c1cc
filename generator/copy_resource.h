#pragma once
#include <string>

struct GenerationRun;

// Copies a file a page refers to into destinationFolder under its base name
// and lists it in "files01.dat" (listed even when the copy fails). Returns
// the base name pages use to refer to it.
std::string CopyResource(GenerationRun& run, const std::string& sourcePath,
                         const std::string& destinationFolder);
