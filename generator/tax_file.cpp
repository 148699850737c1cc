#include "generator/tax_file.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "model/regular_file.h"

int readTaxTypeCount(const std::string& path) {
    std::FILE* in = openRegularFile(path);
    if (!in)
        return 0;
    unsigned char header[6] = {};
    std::size_t n = std::fread(header, 1, sizeof header, in);
    std::fclose(in);
    if (n < 4)
        return 0;
    std::int16_t count;
    std::memcpy(&count, header + 2, sizeof count);
    return count > 0 ? count : 0;
}
