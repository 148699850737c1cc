#pragma once
#include <cstdio>

#include "model/settings_record.h"
#include "model/user_messages.h"

// Writes the whole catalogue from the data file and the settings in one run.
// Returns 0 on success, -1 on failure. The blocks are only read.
int Generate(const AppearanceSet& appearance, const GeneralSettings& general, UserMessages& messages,
             std::FILE* diagnostics = stderr);
