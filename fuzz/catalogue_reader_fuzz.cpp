// Feeds arbitrary bytes as a catalogue data file and reads the header block
// and every record with each of the three field delimiters.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "model/catalogue_reader.h"
#include "model/slot_lengths.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0; // fmemopen refuses an empty buffer
    for (char delimiter : {',', '\t', '|'}) {
        std::FILE* stream = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
        if (!stream)
            return 0;
        CatalogueReader reader;
        reader.attach(stream);
        reader.setFieldDelimiter(delimiter);
        std::size_t files = 0;
        reader.setFileDirectiveHandler([&](std::string_view name) { files += name.size(); });
        reader.readHeaderBlock();
        const CatalogueHeader& header = reader.header();
        if (header.fields.count < 4 || header.fields.count > kSlotCount ||
            header.selectionCount > 4 || header.taxTypeCount > 8)
            __builtin_trap();
        CatalogueRecord record;
        while (reader.readRecord(record)) {
            for (int slot = 0; slot < kSlotCount; ++slot) {
                if (record.fields[slot].size() > static_cast<std::size_t>(generatorSlotLength(slot)))
                    __builtin_trap();
            }
            if (record.columnCount < 1 || record.columnCount > 9)
                __builtin_trap();
        }
        reader.close();
        std::fclose(stream);
    }
    return 0;
}
