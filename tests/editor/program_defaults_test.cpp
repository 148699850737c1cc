// The one value the editor reads from the generator's defaults file.
#include <gtest/gtest.h>

#include "editor/korvel_doc.h"
#include "editor/program_defaults.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(ProgramDefaults, DefaultInputDirFromTheGeneratorsDefaultsFile) {
    struct Case {
        const char* name;
        std::string bytes;   // nullptr-like: empty means no file
        const char* want;
    };
    std::string normal(6973, '\0');
    normal.replace(258, 12, "/shop/images");
    normal.replace(400, 5, "other");
    std::string unterminated(6973, 'x');
    std::string shortFile(300, '\0');
    shortFile.replace(258, 4, "/pic");
    const Case cases[] = {
        {"normal", normal, "/shop/images"},
        {"no zero byte in the field", unterminated, nullptr},
        {"shorter than the record", shortFile, "/pic"},
        {"too short to hold it", std::string(100, 'x'), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir home;
        if (!c.bytes.empty())
            writeFile(home / "ZK002.dat", c.bytes);
        std::string want = c.want ? c.want : std::string(128, 'x');
        EXPECT_EQ(korvel::readDefaultInputDir(home.str()), want);
    }
    // Before the generator's first start wrote the file: its factory folder.
    TempDir fresh;
    EXPECT_EQ(korvel::readDefaultInputDir(fresh.str()), (fresh / "example").string());
}

TEST(ProgramDefaults, PicturesWithoutAFolderAreLookedUpThere) {
    TempDir home;
    std::string bytes(6973, '\0');
    bytes.replace(258, 8, "/shop/im");
    writeFile(home / "ZK002.dat", bytes);
    RecordingMessages messages;
    korvel::CKorvelDoc doc(messages, home.str());
    EXPECT_EQ(doc.defaultInputDir(), "/shop/im");
    EXPECT_EQ(doc.completePicturePath("tea.jpg"), "/shop/im/tea.jpg");
    EXPECT_EQ(doc.completePicturePath("sub\\Tea.JPG"), "sub\\Tea.JPG");
}

} // namespace
