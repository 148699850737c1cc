// korvel-cli over a real file, when the program has been built.
#include <gtest/gtest.h>

#include <algorithm>

#include <cstdio>
#include <filesystem>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/child_process.h"
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

std::string program() { return std::string(VIMRA_PROGRAM_DIR) + "/korvel-cli"; }

TEST(KorvelCli, NoRegularFileIsNeitherReadNorReplaced) {
    if (!std::filesystem::exists(program()))
        GTEST_SKIP() << "korvel-cli is not built";
    TempDir dir;
    const std::string fifo = (dir / "fifo.txt").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_symlink(fifo, dir / "link.txt");
    for (const std::string& path : {fifo, (dir / "link.txt").string()}) {
        for (const char* command : {"tree", "resave"}) {
            SCOPED_TRACE(path + " " + command);
            int status = -1;
            // Opening the FIFO would wait for a writer for ever.
            std::string out = run("timeout 10 '" + program() + "' " + command + " '" + path + "' 2>&1", status);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << out;
            EXPECT_EQ(out, "Korvel: Could not open files\n");
            EXPECT_TRUE(std::filesystem::is_fifo(fifo));
            EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.txt"));
        }
    }
}

// Runs "korvel-cli resave path" in a child whose files cannot grow past
// limit bytes (0: no limit).
ChildResult resaveLimited(const std::string& path, rlim_t limit) {
    return runChild(program(), {"resave", path}, {{}, limit});
}

// A data file of about 40 KB, and its backup from an earlier save.
std::string prepareShop(const std::filesystem::path& folder) {
    const std::string path = (folder / "shop.txt").string();
    std::string text = "#!CODE=Ref;\n";
    for (int i = 0; i < 800; ++i)
        text += "Item " + std::to_string(i) + ",R" + std::to_string(i) + ",\"1.00\",pic.jpg,A \"fine\" thing\n";
    writeFile(path, text);
    writeFile(folder / "shop.1600000000.txt", "an earlier backup\n");
    return path;
}

void expectUntouched(const std::filesystem::path& folder, const std::string& text) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"shop.1600000000.txt", "shop.txt"}));
    EXPECT_EQ(readFile(folder / "shop.txt"), text);
    EXPECT_EQ(readFile(folder / "shop.1600000000.txt"), "an earlier backup\n");
}

TEST(KorvelCli, ASaveOnAFullFileSystemFailsAndLeavesFileAndBackup) {
    if (!std::filesystem::exists(program()))
        GTEST_SKIP() << "korvel-cli is not built";
    TempDir dir;
    const std::string path = prepareShop(dir.path());
    const std::string text = readFile(path);
    const ChildResult limited = resaveLimited(path, 8192);
    EXPECT_EQ(limited.status, 1);
    EXPECT_EQ(limited.errors.substr(0, 15), "failed to write") << limited.errors;
    EXPECT_NE(limited.errors.find("Korvel: Couldn't open file for output\n"), std::string::npos) << limited.errors;
    expectUntouched(dir.path(), text);

    // A small file system that the saved file does not fit in, where one can be mounted.
    TempDir mountPoint;
    if (mount("tmpfs", mountPoint.str().c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "no tmpfs can be mounted here; the size limit stood for a full disk";
    const std::string onTmpfs = prepareShop(mountPoint.path());
    const std::string onTmpfsText = readFile(onTmpfs);
    // The rest of the file system taken up.
    if (std::FILE* filler = std::fopen((mountPoint / "filler").c_str(), "wb")) {
        const std::string block(4096, 'x');
        while (std::fwrite(block.data(), 1, block.size(), filler) == block.size() && std::fflush(filler) == 0) {
        }
        std::fclose(filler);
    }
    const ChildResult full = resaveLimited(onTmpfs, 0);
    std::filesystem::remove(mountPoint / "filler");
    EXPECT_EQ(full.status, 1) << full.errors;
    EXPECT_NE(full.errors.find("Korvel: Couldn't open file for output\n"), std::string::npos) << full.errors;
    expectUntouched(mountPoint.path(), onTmpfsText);
    umount(mountPoint.str().c_str());
}

} // namespace
