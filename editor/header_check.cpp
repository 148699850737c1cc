#include <cstdio>
#include <string>

#include "editor/file_directives.h"
#include "editor/generator_reading.h"

namespace korvel {

namespace {

std::string generatorHeader(const std::string& lines) {
    // A blank line ends the block, and makes the stream never empty.
    std::string bytes = lines + "\n";
    std::FILE* stream = fmemopen(bytes.data(), bytes.size(), "rb");
    if (!stream)
        return "unreadable";
    CatalogueReader reader;
    reader.attach(stream);
    reader.readHeaderBlock();
    std::string out = comparableHeader(reader.header());
    reader.close();
    std::fclose(stream);
    return out;
}

} // namespace

bool sameGeneratorHeader(const std::string& a, const std::string& b) {
    return generatorHeader(a) == generatorHeader(b);
}

} // namespace korvel
