#include "model/paths.h"

#include <gtest/gtest.h>

// Stored names may be written with '\\': what join builds opens here.
TEST(Paths, JoinKeepsFullPathsAndPutsOthersUnderTheFolder) {
    struct Case { const char* folder; const char* name; const char* want; };
    const Case cases[] = {
        {"", "a.gif", "a.gif"},
        {"/shop", "a.gif", "/shop/a.gif"},
        {"/shop/", "a.gif", "/shop/a.gif"},
        {"C:\\shop\\", "a.gif", "C:/shop/a.gif"},
        {"/shop", "/pics/a.gif", "/pics/a.gif"},
        {"/shop", "\\pics\\a.gif", "/pics/a.gif"},
        {"/shop", "C:\\pics\\a.gif", "C:/pics/a.gif"},
        {"/shop", "d:/pics/a.gif", "d:/pics/a.gif"},
        {"/shop", "pics/a.gif", "/shop/pics/a.gif"},
        {"/shop", "pics\\a.gif", "/shop/pics/a.gif"},
        {"", "sub\\first.htm", "sub/first.htm"},
        {"\\shop\\", "sub\\kenya.jpg", "/shop/sub/kenya.jpg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.folder) + " + " + c.name);
        EXPECT_EQ(join(c.folder, c.name), c.want);
    }
}

TEST(Paths, BaseNameAcceptsBothSeparators) {
    EXPECT_EQ(baseName("C:\\shop\\Pics\\Red.GIF"), "Red.GIF");
    EXPECT_EQ(baseName("/shop/pics/red.gif"), "red.gif");
    EXPECT_EQ(baseName("red.gif"), "red.gif");
    EXPECT_EQ(baseName("pics/"), "");
}

// VIMRA_HOME standing in for the folder is seen by the command tests, which
// set it for the programs they start.
TEST(Paths, ProgramPathIsTheProgramDirectoryFollowedByTheName) {
    const std::string folder = programDirectory();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(isPathSeparator(folder.back()));
    EXPECT_EQ(programPath("zkas.dat"), folder + "zkas.dat");
}

TEST(Paths, CopyFieldCutsAndZeroes) {
    char field[6];
    std::fill(std::begin(field), std::end(field), 'x');
    copyField(field, "abcdefgh");
    EXPECT_EQ(std::string(field), "abcde");
    copyField(field, "ab");
    EXPECT_EQ(fieldText(field), "ab");
    EXPECT_EQ(field[5], '\0');
}
