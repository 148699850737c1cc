// The folder picker's Select step: which typed folders are accepted, refused
// or offered for creation, and what the user is told.
#include "app/core/folder_validation.h"

#include <filesystem>
#include <gtest/gtest.h>

#include "tests/support/recording_messages.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

const char* verdictName(FolderVerdict verdict) {
    switch (verdict) {
    case FolderVerdict::Accept: return "Accept";
    case FolderVerdict::Stay: return "Stay";
    case FolderVerdict::AskToCreate: return "AskToCreate";
    }
    return "?";
}

class FolderValidation : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(m_dir / "shown" / "sub");
        writeFile(m_dir / "notes.txt", "x");
    }
    std::string at(std::string_view name) const { return (m_dir / name).string(); }
    std::string shown() const { return at("shown"); }

    TempDir m_dir;
};

TEST_F(FolderValidation, ChecksTheTypedText) {
    const std::string root = m_dir.str();
    struct Case {
        const char* name;
        std::string typed;
        FolderVerdict verdict;
        std::string want;  // the folder, or the message when staying
    };
    const Case cases[] = {
        {"existing folder", at("shown/sub"), FolderVerdict::Accept, at("shown/sub")},
        {"one trailing slash dropped", at("shown/sub") + "/", FolderVerdict::Accept, at("shown/sub")},
        {"one trailing backslash dropped", at("shown/sub") + "\\", FolderVerdict::Accept, at("shown/sub")},
        {"backslashes typed", root + "\\shown\\sub", FolderVerdict::Accept, at("shown/sub")},
        {"relative to the shown folder", "sub", FolderVerdict::Accept, at("shown/sub")},
        {"empty means the shown folder", "", FolderVerdict::Accept, shown()},
        {"a lone backslash is the root", "\\", FolderVerdict::Accept, "/"},
        {"a lone slash is the root", "/", FolderVerdict::Accept, "/"},
        {"a file", at("notes.txt"), FolderVerdict::Stay, at("notes.txt") + "\nThis is a file not a directory."},
        {"a missing folder", at("new/deeper"), FolderVerdict::AskToCreate, at("new/deeper")},
        {"network server", "\\\\server", FolderVerdict::Stay, "\\\\server\nThis is not a valid folder."},
        {"network share", "\\\\server\\share\\dir", FolderVerdict::Stay,
         "\\\\server\\share\\dir\nThis is not a valid folder."},
        {"bare drive", "C:", FolderVerdict::Stay, "C:\nThe drive is invalid."},
        {"drive root", "c:\\", FolderVerdict::Stay, "c:\\\nThe drive is invalid."},
        {"folder on a drive", "D:/data", FolderVerdict::Stay, "D:/data\nThe drive is invalid."},
        {"relative to a drive", "e:data", FolderVerdict::Stay, "e:data\nThe drive is invalid."},
        {"a colon further on is a name", "ab:c", FolderVerdict::AskToCreate, at("shown/ab:c")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const FolderCheck check = checkFolder(c.typed, shown());
        EXPECT_STREQ(verdictName(check.verdict), verdictName(c.verdict));
        EXPECT_EQ(c.verdict == FolderVerdict::Stay ? check.message : check.folder, c.want);
    }
}

TEST_F(FolderValidation, MissingFolderQuestionQuotesTheTypedText) {
    const FolderCheck check = checkFolder("new\\one\\", shown());
    EXPECT_EQ(check.message, "new\\one\\\nThis folder does not exist.\n\nDo you want to create it?");
    EXPECT_EQ(check.folder, at("shown/new/one"));
}

TEST_F(FolderValidation, AcceptedFolderFitsTheFieldAndIsThere) {
    // A folder whose path is exactly as long as the field, and a longer path below it.
    const std::string base = m_dir.str() + "/";
    const std::string fits = base + std::string(kFolderFieldChars - base.size(), 'f');
    ASSERT_TRUE(fs::create_directory(fits));
    const FolderCheck check = checkFolder(fits + "/beyond/the/field", shown());
    EXPECT_STREQ(verdictName(check.verdict), "Accept");
    EXPECT_EQ(check.folder, fits);
}

TEST_F(FolderValidation, SelectAsksAndCreatesOrStays) {
    struct Case {
        const char* name;
        std::string typed;
        MessageAnswer answer;
        std::optional<std::string> want;
        std::vector<std::string> messages;
        bool created;
    };
    const std::string missing = at("made/a/b");
    const std::string question = "\nThis folder does not exist.\n\nDo you want to create it?";
    const Case cases[] = {
        {"existing folder: nothing asked", at("shown/sub/"), MessageAnswer::Yes, at("shown/sub"), {}, false},
        {"a file: told, stays", at("notes.txt"), MessageAnswer::Yes, std::nullopt,
         {at("notes.txt") + "\nThis is a file not a directory."}, false},
        {"missing, No: stays, nothing made", missing, MessageAnswer::No, std::nullopt, {missing + question}, false},
        {"missing, Yes: the whole path made", missing, MessageAnswer::Yes, missing, {missing + question}, true},
        {"cannot be made: told, stays", at("notes.txt/sub"), MessageAnswer::Yes, std::nullopt,
         {at("notes.txt/sub") + question, "You do not have permission\nto create this folder."}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingMessages messages;
        messages.answerNext(c.answer);
        EXPECT_EQ(selectFolder(c.typed, shown(), "Output Directory", messages), c.want);
        EXPECT_EQ(messages.texts(), c.messages);
        for (const auto& shownMessage : messages.shown)
            EXPECT_EQ(shownMessage.caption, "Output Directory");
        if (!c.messages.empty()) {
            EXPECT_EQ(messages.shown.front().buttons,
                      c.messages.front().ends_with(question) ? MessageButtons::YesNo : MessageButtons::Ok);
        }
        EXPECT_EQ(fs::is_directory(missing), c.created);
        fs::remove_all(at("made"));
    }
}

}  // namespace
