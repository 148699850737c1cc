// A save never loses or quietly changes what the generator reads, never
// writes through a name someone else placed, and replaces only the regular
// file it was given (or the one a link names).
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "editor/catalogue_file.h"
#include "tests/editor/editor_support.h"

namespace {

namespace fs = std::filesystem;

TEST(SaveKeepsTheGeneratorReading, DirectivesBlanksAndBodyDirectives) {
    struct Case {
        const char* name;
        std::string file;
        std::string want;
    };
    const Case cases[] = {
        {"';' inside values keeps the file's delimiter",
         "#!DELIMITER=|\n#!SELECT1=Size &amp; fit|\n#!TAX1=VAT &amp; duty|17.5|\nX,1,p,S,1,d\n",
         "#!DELIMITER=|\n#!SELECT1=Size &amp; fit|\n#!TAX1=VAT &amp; duty|17.50|\nX,1,p,S,1,d\n"},
        {"';' in an unmodelled value as well",
         "#!DELIMITER=|\n#!CODE=a;b|FOOTNOTE=x;y|\nX,R,1,p,d\n",
         "#!DELIMITER=|\n#!CODE=a;b|\n#!FOOTNOTE=x;y|\nX,R,1,p,d\n"},
        {"SELECT wins over TXTOPT on one line", "#!SELECT1=Size;TXTOPT1=Message;\nX,1,p,S,d\n",
         "#!SELECT1=Size;\nX,1,p,S,d\n"},
        {"the later line wins", "#!TXTOPT1=Message;\n#!SELECT1=Size;\n#!SELECT2=Fit;\n#!TXTOPT2=Note;\nX,1,p,S,N,d\n",
         "#!SELECT1=Size;\n#!TXTOPT2=Note;\nX,1,p,S,N,d\n"},
        {"the first of repeated directives counts",
         "#!SELECT1=A;SELECT1=B;CODE=x;CODE=y;TAX1=T;5;TAX1=U;6;CHARSET=c;CHARSET=d;\nX,R,1,p,a,1,d\n",
         "#!SELECT1=A;\n#!CODE=x;\n#!CHARSET=c;\n#!TAX1=T;5.00;\nX,R,1,p,a,1,d\n"},
        {"a first field keeps its leading blanks", "Teas,,INDEX,\n END INDEX\nCup,1,p,d\nEND INDEX\n",
         "Teas,,INDEX,\n END INDEX,,,\nCup,1,p,d\nEND INDEX\n"},
        {"a body directive after a blank line stays in the body",
         "#!SELECT1=A;\n\n#!SELECT2=B;FOOTNOTE=f;\nX,1,p,a,d\n", "#!SELECT1=A;\n\n#!SELECT2=B;FOOTNOTE=f;\nX,1,p,a,d\n"},
        {"a body directive first in a file without directives", "\n#!CODE=c;\nX,1,p,d\n", "\n#!CODE=c;\nX,1,p,d\n"},
        {"lower-case META", "#!<meta name=\"a\">\nX,1,p,d\n", "#!<meta name=\"a\">\nX,1,p,d\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EditorSession s(c.file);
        const UnchangedSave save = saveUnchanged(s);
        EXPECT_EQ(save.saved, c.want);
        EXPECT_EQ(save.after.fieldMask, save.before.fieldMask);
        EXPECT_EQ(save.after.header, save.before.header);
        EXPECT_EQ(meaningful(save.after.records), meaningful(save.before.records));
        EXPECT_EQ(save.after.footnotes.empty(), save.before.footnotes.empty());
    }
}

TEST(SaveKeepsTheGeneratorReading, LowerCaseMetaShowsInTheDialog) {
    EditorSession s("#!<meta name=\"a\">\nX,1,p,d\n");
    std::string shown;
    s.dialogs.meta = [&](std::string& text) {
        shown = text;
        return false;
    };
    s.commands.metaTags();
    EXPECT_EQ(shown, "<meta name=\"a\">");
    EXPECT_TRUE(s.doc.file().directives.keptLines.empty());
}

TEST(SaveKeepsTheGeneratorReading, CutFieldsAreNamedAndTheBackupKeepsThem) {
    const std::string longName(300000, 'n');
    std::string continuation = "Long,1,p,start/\n";
    for (int i = 0; i < 2000; ++i)
        continuation += std::string(40, 'c') + "/\n";
    continuation += "end\n";
    const std::string file = "Short,1,p,d\n" + longName + ",2,p,d\n" + continuation;
    EditorSession s(file);
    s.doc.setModified();
    ASSERT_EQ(s.commands.save(), 0);
    EXPECT_EQ(s.messages.texts(), std::vector<std::string>{"Fields longer than the editor keeps were cut in:\n" +
                                                           std::string(200, 'n') + "\nLong"});
    EXPECT_EQ(readFile(s.dir / "shop.1700000000.txt"), file);
    EXPECT_LT(readFile(s.path).size(), 5000u);
}

struct LinkFolder {
    TempDir dir;
    std::string real = (dir / "real.txt").string();
    std::string link = (dir / "link.txt").string();
};

TEST(SaveReplacesOnlyRegularFiles, ASymbolicLinkIsFollowed) {
    LinkFolder f;
    writeFile(f.real, "Cup,1,p,\"d\"\n");
    fs::create_symlink("real.txt", f.link);
    RecordingMessages messages;
    ScriptedDialogs dialogs;
    korvel::CKorvelDoc doc(messages);
    korvel::KorvelCommands commands(doc, dialogs);
    commands.setClock([] { return 1700000000L; });
    ASSERT_EQ(doc.open(f.link, false), 0);
    doc.setModified();
    ASSERT_EQ(commands.save(), 0);
    EXPECT_TRUE(fs::is_symlink(f.link));
    EXPECT_EQ(readFile(f.real), "Cup,1,p,d\n");
    EXPECT_EQ(readFile(f.dir / "real.1700000000.txt"), "Cup,1,p,\"d\"\n") << "the backup lies beside the file";
    EXPECT_TRUE(messages.shown.empty());
}

TEST(SaveReplacesOnlyRegularFiles, ALinkPlantedAtTheOldTemporaryNameIsNotFollowed) {
    EditorSession s("Cup,1,p,\"d\"\n");
    writeFile(s.dir / "victim.txt", "victim\n");
    fs::create_symlink("victim.txt", s.path + ".$$$");
    s.doc.setModified();
    ASSERT_EQ(s.commands.save(), 0);
    EXPECT_EQ(readFile(s.dir / "victim.txt"), "victim\n");
    EXPECT_FALSE(fs::is_symlink(s.path));
    EXPECT_EQ(readFile(s.path), "Cup,1,p,d\n");
    EXPECT_TRUE(fs::is_symlink(s.path + ".$$$"));
}

TEST(SaveReplacesOnlyRegularFiles, HardLinksAreToldTheyKeepTheOldContents) {
    EditorSession s("Cup,1,p,\"d\"\n");
    fs::create_hard_link(s.path, s.dir / "other.txt");
    s.doc.setModified();
    ASSERT_EQ(s.commands.save(), 0);
    EXPECT_EQ(readFile(s.path), "Cup,1,p,d\n");
    EXPECT_EQ(s.messages.texts(),
              std::vector<std::string>{"Saved " + s.path +
                                       " as a new file: its other names (hard links) still show the old contents"});
}

TEST(SaveReplacesOnlyRegularFiles, WhatCannotBeReplacedIsRefused) {
    struct Case {
        const char* name;
        std::function<void(const std::string& path)> change;   // after the file is opened
    };
    const Case cases[] = {
        {"write-protected", [](const std::string& path) { fs::permissions(path, fs::perms::owner_read); }},
        {"replaced by a FIFO",
         [](const std::string& path) {
             fs::remove(path);
             ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
         }},
        {"replaced by a folder",
         [](const std::string& path) {
             fs::remove(path);
             fs::create_directory(path);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EditorSession s("Cup,1,p,\"d\"\n");
        ASSERT_TRUE(s.doc.hasFile());
        c.change(s.path);
        const fs::file_status before = fs::symlink_status(s.path);
        s.doc.setModified();
        EXPECT_EQ(s.commands.save(), -1);
        EXPECT_EQ(s.messages.texts(), std::vector<std::string>{"Could not open files"});
        EXPECT_EQ(s.files(), std::vector<std::string>{"shop.txt"}) << "nothing written beside it";
        EXPECT_EQ(fs::symlink_status(s.path).type(), before.type());
        EXPECT_EQ(fs::symlink_status(s.path).permissions(), before.permissions());
        EXPECT_TRUE(s.doc.isModified());
    }
}

TEST(SaveReplacesOnlyRegularFiles, DevicesAndFifosAreNotOpened) {
    TempDir dir;
    const std::string fifo = (dir / "fifo.txt").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {std::string("/dev/null"), fifo, dir.str()}) {
        SCOPED_TRACE(path);
        RecordingMessages messages;
        korvel::CKorvelDoc doc(messages);
        EXPECT_NE(doc.open(path, false), 0);   // a FIFO would block here
        EXPECT_FALSE(doc.hasFile());
        EXPECT_EQ(messages.texts(), std::vector<std::string>{"Could not open files"});
    }
}

TEST(ScratchFolders, ThoseOfProcessesThatAreGoneAreRemoved) {
    TempDir tmp;
    pid_t child = fork();
    if (child == 0)
        _exit(0);
    ASSERT_GT(child, 0);
    waitpid(child, nullptr, 0);   // its pid now names no process
    const std::string dead = "korvel-" + std::to_string(child) + "-";
    const std::string alive = "korvel-" + std::to_string(getpid()) + "-";
    fs::create_directories(tmp / (dead + "a1b2c3") / "sub");
    writeFile(tmp / (dead + "a1b2c3") / "korvel.tmp", "x");
    fs::create_directories(tmp / (alive + "a1b2c3"));
    fs::create_directories(tmp / "kept");
    writeFile(tmp / "kept" / "file", "x");
    fs::create_symlink(tmp / "kept", tmp / (dead + "linked"));   // a link with a name not ours
    fs::create_symlink(tmp / "kept", tmp / (dead + "zzzzzz"));   // a link, never followed
    fs::create_directories(tmp / (dead + "toolong7"));
    fs::create_directories(tmp / "other-1-a1b2c3");

    korvel::removeStaleScratchFolders(tmp.path());

    EXPECT_FALSE(fs::exists(tmp / (dead + "a1b2c3")));
    EXPECT_TRUE(fs::exists(tmp / (alive + "a1b2c3")));
    EXPECT_TRUE(fs::is_symlink(tmp / (dead + "zzzzzz")));
    EXPECT_TRUE(fs::exists(tmp / "kept" / "file"));
    EXPECT_TRUE(fs::exists(tmp / (dead + "toolong7")));
    EXPECT_TRUE(fs::exists(tmp / "other-1-a1b2c3"));
}

TEST(ScratchFolders, ADocumentsFolderNamesItsProcess) {
    TempDir data;
    TempDir tmp;
    writeFile(data / "shop.txt", "Cup,1,p,d\n");
    setenv("TMPDIR", tmp.str().c_str(), 1);
    {
        RecordingMessages messages;
        korvel::CKorvelDoc doc(messages);
        ASSERT_EQ(doc.open((data / "shop.txt").string(), false), 0);
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(tmp.path()))
            names.push_back(entry.path().filename().string());
        ASSERT_EQ(names.size(), 1u);
        EXPECT_EQ(names[0].rfind("korvel-" + std::to_string(getpid()) + "-", 0), 0u) << names[0];
    }
    unsetenv("TMPDIR");
    EXPECT_TRUE(fs::is_empty(tmp.path()));
}

} // namespace
