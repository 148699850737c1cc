// korvel-cli over a real file, when the program has been built.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "tests/support/temp_dir.h"

namespace {

std::string run(const std::string& command, int& status) {
    std::string output;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return output;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, n);
    status = pclose(pipe);
    return output;
}

TEST(KorvelCli, TreeAndResave) {
    std::string program = std::string(VIMRA_PROGRAM_DIR) + "/korvel-cli";
    if (!std::filesystem::exists(program))
        GTEST_SKIP() << "korvel-cli is not built";
    TempDir dir;
    std::string path = (dir / "shop.txt").string();
    writeFile(path, "Teas,,INDEX,\n\"Tea, green\",4.00,,\"Fresh, light\"\nEND INDEX\n!COL3\n");
    int status = -1;
    EXPECT_EQ(run("'" + program + "' tree '" + path + "'", status), "1\t0\tTeas\n0\t1\tTea, green\n9\t0\tcolumns (3)\n");
    EXPECT_EQ(status, 0);

    run("'" + program + "' resave '" + path + "' 2>&1", status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readFile(path), "Teas,,INDEX,\n\"Tea, green\",4.00,,Fresh, light\nEND INDEX\n!COL3\n");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, 2) << "the file and its backup";

    run("'" + program + "' tree '" + (dir / "missing.txt").string() + "' 2>&1", status);
    EXPECT_NE(status, 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "missing.txt"));
}

} // namespace
