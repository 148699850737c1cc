// Runs the built vimra-cli against a program directory of its own.
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <vector>

#include "tests/support/temp_dir.h"

namespace {

struct CliResult {
    int status;
    std::string out;
    std::string err;
};

class SettingsCommand : public ::testing::Test {
protected:
    CliResult run(const std::vector<std::string>& args) {
        std::string command = "VIMRA_HOME='" + home.str() + "' '" VIMRA_PROGRAM_DIR "/vimra-cli' settings";
        for (const std::string& arg : args)
            command += " '" + arg + "'";
        command += " >'" + (output / "out").string() + "' 2>'" + (output / "err").string() + "'";
        int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(output / "out"), readFile(output / "err")};
    }

    TempDir home;
    TempDir output;
};

TEST_F(SettingsCommand, SetSavesBothFilesAndGetReadsThemBack) {
    CliResult set = run({"set", "catalogueTitle=My shop", "ftpTargets.0.port=2121", "indexFonts.1.size=3"});
    EXPECT_EQ(set.status, 0) << set.err;
    EXPECT_EQ(set.err, "");
    std::string general = readFile(home / "ZK002.dat");
    ASSERT_EQ(general.size(), 6973u);
    EXPECT_EQ(general.substr(645, 8), std::string("My shop\0", 8));
    EXPECT_EQ(readFile(home / "ZK003.dat").size(), 10027u);

    CliResult get = run({"get", "catalogueTitle", "ftpTargets.0.port", "ftpTargets.1.port", "indexFonts.1.size"});
    EXPECT_EQ(get.status, 0) << get.err;
    EXPECT_EQ(get.out, "My shop\n2121\n21\n3\n");

    CliResult list = run({"list"});
    EXPECT_EQ(list.status, 0);
    list.out.insert(0, "\n");
    EXPECT_NE(list.out.find("\ncatalogueTitle=My shop\n"), std::string::npos);
    EXPECT_NE(list.out.find("\noutputDir=" + home.str() + "/output\n"), std::string::npos);
    EXPECT_EQ(list.out.find("reserved"), std::string::npos);
}

TEST_F(SettingsCommand, DottedPartsLandWhereTheFilesKeepThem) {
    struct Case { const char* assignment; const char* file; std::size_t offset; std::string bytes; };
    const Case cases[] = {
        {"ftpTargets.1.host=ftp.example.com", "ZK002.dat", 4936, std::string("ftp.example.com\0", 16)},
        {"ftpTargets.1.userName=shop", "ZK002.dat", 4936 + 51, std::string("shop\0", 5)},
        {"ftpTargets.1.password= p w ", "ZK002.dat", 4936 + 72, std::string(" p w \0", 6)},
        {"ftpTargets.1.serverDirectory=www/cat", "ZK002.dat", 4936 + 93, std::string("www/cat\0", 8)},
        {"ftpTargets.1.save=1", "ZK002.dat", 4936 + 222, std::string("\1", 1)},
        {"ftpTargets.3.port=990", "ZK002.dat", 5390 + 223, std::string("\xde\x03\0\0", 4)},
        {"indexFonts.2.face=verdana", "ZK003.dat", 1809, std::string("verdana\0", 8)},
        {"indexFonts.2.size=4", "ZK003.dat", 1809 + 52, std::string("\4", 1)},
        {"indexFonts.2.colour=navy", "ZK003.dat", 1809 + 53, std::string("navy\0", 5)},
        {"indexFonts.2.secondColour=red", "ZK003.dat", 1809 + 69, std::string("red\0", 4)},
        {"indexFonts.2.style=3", "ZK003.dat", 1809 + 85, std::string("\3", 1)},
        {"bulletImages.1=dot.gif", "ZK003.dat", 339, std::string("dot.gif\0", 8)},
        {"prevNextImages.2=next.gif", "ZK003.dat", 2847, std::string("next.gif\0", 9)},
        {"indexHoverColour=#FF0000", "ZK003.dat", 1792, std::string("#FF0000\0", 8)},
    };
    std::vector<std::string> args{"set"};
    for (const Case& c : cases)
        args.push_back(c.assignment);
    CliResult set = run(args);
    ASSERT_EQ(set.status, 0) << set.err;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.assignment);
        EXPECT_EQ(readFile(home / c.file).substr(c.offset, c.bytes.size()), c.bytes);
    }
}

TEST_F(SettingsCommand, BadRequestsChangeNothing) {
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* err;  // part of the error output
    };
    const Case cases[] = {
        {{}, 2, "usage:"},
        {{"show"}, 2, "usage:"},
        {{"get"}, 2, "usage:"},
        {{"list", "extra"}, 2, "usage:"},
        {{"set", "catalogueTitle"}, 2, "usage:"},
        {{"get", "catalogueTitle", "noSuchSetting"}, 1, "unknown setting 'noSuchSetting'"},
        {{"set", "catalogueTitle=x", "noSuchSetting=1"}, 1, "unknown setting 'noSuchSetting'"},
        {{"set", "catalogueTitle=x", "taxRate=abc"}, 1, "'abc' is not a number (taxRate)"},
        {{"set", "ftpTargets.0.save=256"}, 1, "out of range"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.empty() ? "no arguments" : c.args[0] + " " + std::to_string(c.args.size()));
        CliResult r = run(c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_FALSE(std::filesystem::exists(home / "ZK002.dat"));
        EXPECT_FALSE(std::filesystem::exists(home / "ZK003.dat"));
    }
}

TEST_F(SettingsCommand, FailedSaveIsReported) {
    std::filesystem::create_directory(home / "ZK003.dat");  // nothing can replace it
    CliResult r = run({"set", "catalogueTitle=x"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Defaults Save Error: failed to save data (2)\n");
    EXPECT_EQ(readFile(home / "ZK002.dat").substr(645, 2), std::string("x\0", 2));
}

} // namespace
