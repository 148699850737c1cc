// Reads a generated catalogue data file of 100,000 records and prints how
// many records a second the reader gets through.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "model/catalogue_reader.h"

namespace {

constexpr int kRecords = 100000;

std::string makeCatalogue() {
    std::string text = "#!SELECT1=Size;SELECT2=Colour;\n#!UNIT1=Weight;\n#!CODE=Code;\n"
                       "#!<META NAME=\"keywords\" CONTENT=\"boots, shoes\">\n"
                       "#!TAX1=Standard;17.50;TAX2=Reduced;5.00;\n";
    char line[512];
    int written = 0;
    for (int index = 0; written < kRecords; ++index) {
        std::snprintf(line, sizeof line, "Department %d,,,,INDEX,,,,\n!PAGEShelf %d\n", index, index);
        text += line;
        written += 2;
        for (int item = 0; item < 20 && written < kRecords; ++item, ++written) {
            if (item % 7 == 6) {
                std::snprintf(line, sizeof line,
                              "Walking boot %d-%d,WB%05d,%d.99,1.2,boot%d.gif|boot%d_big.gif,"
                              "5|6|7|8,\"Brown,Black\",1,Light and strong /\n"
                              "with a \"leather\" upper and a <B>rubber</B> sole.\n",
                              index, item, written, item + 10, item, item);
            } else {
                std::snprintf(line, sizeof line,
                              "Sock %d-%d, SK%05d , %d.50 ,0.1,sock%d.gif,#!PV;S (0)|M (1.50)|L (2),"
                              "Blue|Grey,2,\"Warm wool sock, sold in pairs, <I>machine washable</I>.\"\r\n",
                              index, item, written, item, item);
            }
            text += line;
        }
        text += "END PAGE\nEND INDEX\n";
        written += 2;
    }
    return text;
}

} // namespace

int main() {
    char pattern[] = "/tmp/vimra-bench-read-XXXXXX";
    if (!mkdtemp(pattern)) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string path = std::string(pattern) + "/catalogue.txt";
    const std::string text = makeCatalogue();
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out || std::fwrite(text.data(), 1, text.size(), out) != text.size() || std::fclose(out) != 0) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return 1;
    }

    double best = 0;
    long records = 0;
    long items = 0;
    for (int run = 0; run < 5; ++run) {
        CatalogueReader reader;
        if (!reader.open(path)) {
            std::fprintf(stderr, "cannot open %s\n", path.c_str());
            return 1;
        }
        auto start = std::chrono::steady_clock::now();
        reader.readHeaderBlock();
        CatalogueRecord record;
        records = 0;
        items = 0;
        while (reader.readRecord(record)) {
            ++records;
            items += record.kind == EntryKind::Item;
        }
        std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        double rate = records / elapsed.count();
        if (rate > best)
            best = rate;
    }
    std::printf("read_catalogue: %ld records (%ld items), %.1f MB\n", records, items,
                text.size() / 1e6);
    std::printf("read_catalogue: best of 5 runs %.0f records/s, %.0f MB/s\n", best,
                best * (text.size() / 1e6) / records);

    std::error_code ec;
    std::filesystem::remove_all(pattern, ec);
    return 0;
}
