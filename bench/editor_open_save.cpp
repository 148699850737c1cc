// Opens a generated data file of 100,000 records in the editor's document
// and saves it, printing both times and the peak memory of the process.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>

#include "editor/commands.h"
#include "editor/korvel_doc.h"
#include "model/user_messages.h"

namespace {

constexpr int kRecords = 100000;

class NoDialogs : public korvel::KorvelDialogs {
public:
    bool chooseFile(const korvel::FileDialogRequest&, std::string&) override { return false; }
    bool editOptionalFields(korvel::OptionalFieldsInput&) override { return false; }
    bool editTaxTypes(korvel::TaxTypesInput&) override { return false; }
    bool editMetaTags(std::string&) override { return false; }
    bool editStartItemPage(korvel::StartItemPageInput&) override { return false; }
};

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Indexes of 100 items each, items with codes, options and a two-line description.
bool writeCatalogue(const std::string& path) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    std::fprintf(out, "#!SELECT1=Colour;SELECT2=Size;\n#!CODE=Code;\n#!TAX1=Standard;17.50;\n");
    int written = 0;
    for (int group = 0; written < kRecords; ++group) {
        std::fprintf(out, "Group %d,,,INDEX,,,,\n", group);
        ++written;
        for (int i = 0; i < 99 && written < kRecords; ++i, ++written)
            std::fprintf(out,
                         "\"Product %d, model %d\",P%06d,%d.%02d,pictures/p%06d.jpg,Red|Green|Blue,#!PV;S|M (1.00)|L "
                         "(2.00),1,A sturdy product for everyday use, made to last and easy to clean. /\n"
                         "<P>Delivered within three working days.\n",
                         group, i, written, 1 + written % 90, written % 100, written);
        std::fprintf(out, "END INDEX\n");
    }
    return std::fclose(out) == 0;
}

} // namespace

int main() {
    std::string pattern = (std::filesystem::temp_directory_path() / "korvel-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        return 1;
    }
    std::filesystem::path folder = pattern;
    std::string path = (folder / "large.txt").string();
    if (!writeCatalogue(path)) {
        std::fprintf(stderr, "couldn't write <%s>\n", path.c_str());
        return 1;
    }
    std::error_code ec;
    long kilobytesBefore = peakKilobytes();

    StderrMessages messages;
    NoDialogs dialogs;
    korvel::CKorvelDoc doc(messages);
    korvel::KorvelCommands commands(doc, dialogs);

    auto start = std::chrono::steady_clock::now();
    if (doc.open(path, false) != 0)
        return 1;
    double openSeconds = secondsSince(start);
    long kilobytesOpen = peakKilobytes();

    // One edited record, so the save has something in the scratch file too.
    korvel::CatalogueRecord record;
    doc.readEntry(5, record);
    record.set(kPriceSlot, "9.99");
    doc.updateEntry(record, 5);

    start = std::chrono::steady_clock::now();
    int saved = commands.save();
    double saveSeconds = secondsSince(start);
    long kilobytesSave = peakKilobytes();

    std::printf("records in file:           %d\n", kRecords);
    std::printf("entries:                   %d (%zu bytes each without label text)\n", doc.entryCount(),
                sizeof(korvel::CatalogueEntry));
    std::printf("file size:                 %ju bytes\n", static_cast<std::uintmax_t>(std::filesystem::file_size(path, ec)));
    std::printf("open:                      %.3f s\n", openSeconds);
    std::printf("save (with reopen):        %.3f s%s\n", saveSeconds, saved == 0 ? "" : " (failed)");
    std::printf("peak memory before open:   %ld KiB\n", kilobytesBefore);
    std::printf("peak memory after open:    %ld KiB\n", kilobytesOpen);
    std::printf("peak memory after save:    %ld KiB\n", kilobytesSave);

    std::filesystem::remove_all(folder, ec);
    return saved == 0 ? 0 : 1;
}
