// Starting programs without waiting for them.
#include "app/core/posix_shell.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

bool appears(const fs::path& path) {
    for (int i = 0; i < 500; ++i) {
        if (fs::exists(path) && fs::file_size(path) > 0)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

TEST(PosixShell, StartsAProgramWithItsArgumentsAndDoesNotWait) {
    TempDir dir;
    const fs::path gate = dir / "gate";
    const fs::path done = dir / "done";
    PosixShell shell;
    const auto before = std::chrono::steady_clock::now();
    // The program waits for the gate, so returning at all shows we did not wait for it.
    ASSERT_TRUE(shell.startDetached("/bin/sh", {"-c", "while [ ! -e \"$1\" ]; do sleep 0.01; done; echo \"$2\" > \"$3\"",
                                                "sh", gate.string(), "one argument", done.string()}));
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(4));
    writeFile(gate, "");
    ASSERT_TRUE(appears(done));
    EXPECT_EQ(readFile(done), "one argument\n");
}

TEST(PosixShell, MissingProgramIsReported) {
    TempDir dir;
    PosixShell shell;
    EXPECT_FALSE(shell.startDetached((dir / "korvel").string(), {"/shop/data.txt"}));
}

} // namespace
