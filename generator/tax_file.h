#pragma once
#include <string>

// The number of tax types kept in the tax file ("zktax.dat"); 0 when the
// file is missing or unreadable.
int readTaxTypeCount(const std::string& path);
