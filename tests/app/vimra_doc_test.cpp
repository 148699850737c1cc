// The document's save points and commands, on real files in a temporary
// program directory.
#include "app/core/vimra_doc.h"

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "app/core/entry_page.h"
#include "model/paths.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

class RecordingShell : public Shell {
public:
    struct Request {
        std::string what;   // "open" or "start"
        std::string path;
        std::vector<std::string> arguments;   // the working folder for "open"
    };

    bool openWithDefaultProgram(const std::string& path, const std::string& workingDir) override {
        requests.push_back({"open", path, {workingDir}});
        return true;
    }
    bool startDetached(const std::string& program, const std::vector<std::string>& arguments) override {
        requests.push_back({"start", program, arguments});
        return true;
    }

    std::vector<Request> requests;
};

class RecordingObserver : public DocumentObserver {
public:
    void documentChanged(ViewHint hint, const std::string& address) override {
        hints.push_back({hint, address});
    }
    std::vector<std::pair<ViewHint, std::string>> hints;
};

template <typename Block>
std::string bytesOf(const Block& block) {
    return std::string(reinterpret_cast<const char*>(&block), sizeof block);
}

// The item pages a run wrote into folder: zk + six digits, not the home page.
int itemPagesIn(const fs::path& folder) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        const bool pageNumber = name.size() == 13 && name.rfind("zk", 0) == 0 &&
                                name.find_first_not_of("0123456789", 2) == 8 && name.substr(8) == ".html";
        if (pageNumber && name != "zk000000.html" && name != "zk100000.html")
            ++count;
    }
    return count;
}

class VimraDoc : public ::testing::Test {
protected:
    VimraDoc() {
        doc.start();
        GeneralSettings& g = general();
        copyField(g.outputDir, (dir / "out").string());
        copyField(g.tempOutputDir, (dir / "preview").string());
        copyField(g.searchOutputDir, (dir / "search").string());
        copyField(g.defaultInputDir, (dir / "shop").string());
        copyField(g.inputFile, (dir / "shop" / "shop.txt").string());
        doc.addObserver(observer);
    }

    GeneralSettings& general() { return doc.settings().general; }
    std::string program() const { return (dir / "program").string(); }
    void writeShop(int items) {
        std::string data;
        for (int i = 1; i <= items; ++i)
            data += "Item " + std::to_string(i) + "," + std::to_string(i) + ".00,,Thing\n";
        writeFile(dir / "shop" / "shop.txt", data);
    }

    TempDir dir;
    bool made = fs::create_directories(dir / "program");   // before the document starts in it
    RecordingMessages messages;
    RecordingShell shell;
    RecordingObserver observer;
    CVimraDoc doc{program(), messages, shell, stderr};
};

TEST_F(VimraDoc, StartWithoutDefaultsFilesTakesTheFactorySettingsUnderTheProgramDirectory) {
    CVimraDoc fresh(program(), messages, shell);
    fresh.start();
    EXPECT_EQ(fieldText(fresh.settings().general.outputDir), join(program(), "output"));
    EXPECT_EQ(std::int32_t{fresh.settings().general.previewMaxItems}, 40);
}

TEST_F(VimraDoc, FailingCreateStillLeavesTheGeneralSettingsSaved) {
    general().previewRun = 1;
    EXPECT_EQ(doc.create(ViewOffer::AskToView), -1);
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{
                                    "failed to open [" + (dir / "shop" / "shop.txt").string() + "]\n",
                                    "error producing catalogue"}));
    // Saved as it stood before the run, previewRun included.
    GeneralSettings expected = general();
    expected.previewRun = 1;
    EXPECT_EQ(readFile(dir / "program" / "ZK002.dat"), bytesOf(expected));
    EXPECT_EQ(std::int32_t{general().previewRun}, 0);
    EXPECT_FALSE(fs::exists(dir / "program" / "ZK003.dat"));
    EXPECT_TRUE(shell.requests.empty());
}

TEST_F(VimraDoc, CreateOffersToOpenTheHomePage) {
    writeShop(2);
    struct Case {
        const char* name;
        ViewOffer offer;
        MessageAnswer answer;
        bool asked;
        bool opened;
    };
    const Case cases[] = {
        {"yes", ViewOffer::AskToView, MessageAnswer::Yes, true, true},
        {"no", ViewOffer::AskToView, MessageAnswer::No, true, false},
        {"not asked", ViewOffer::DontAsk, MessageAnswer::Yes, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.shown.clear();
        shell.requests.clear();
        messages.answerNext(c.answer);
        ASSERT_EQ(doc.create(c.offer), 0);
        if (c.asked) {
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(messages.shown[0].text, "do you wish to view the catalogue?");
            EXPECT_EQ(messages.shown[0].buttons, MessageButtons::YesNo);
        } else {
            EXPECT_TRUE(messages.shown.empty());
        }
        if (c.opened) {
            ASSERT_EQ(shell.requests.size(), 1u);
            EXPECT_EQ(shell.requests[0].what, "open");
            EXPECT_EQ(shell.requests[0].path, (dir / "out" / "zk000000.html").string());
            EXPECT_EQ(shell.requests[0].arguments, std::vector<std::string>{(dir / "out").string()});
        } else {
            EXPECT_TRUE(shell.requests.empty());
        }
        EXPECT_TRUE(fs::exists(dir / "out" / "zki00000.html"));
    }
}

TEST_F(VimraDoc, EntryPageIsTheHomePageWhenThereIsOne) {
    EXPECT_EQ(doc.entryPage(), (dir / "out" / "zki00000.html").string());
    EXPECT_EQ(doc.previewEntryPage(), (dir / "preview" / "zki00000.html").string());
    writeFile(dir / "out" / "zk000000.html", "");
    writeFile(dir / "preview" / "zk000000.html", "");
    EXPECT_EQ(doc.entryPage(), (dir / "out" / "zk000000.html").string());
    EXPECT_EQ(doc.previewEntryPage(), (dir / "preview" / "zk000000.html").string());
}

TEST_F(VimraDoc, UpdateCatViewWritesAShortPreviewAndRestoresTheSettings) {
    writeShop(10);
    general().previewMaxItems = 3;
    ASSERT_EQ(doc.updateCatView(), 0);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(fieldText(general().outputDir), (dir / "out").string());
    EXPECT_EQ(std::int32_t{general().previewRun}, 0);
    EXPECT_FALSE(fs::exists(dir / "out"));
    EXPECT_EQ(itemPagesIn(dir / "preview"), 3);
    EXPECT_TRUE(fs::exists(dir / "preview" / "zki00000.html"));
    ASSERT_EQ(observer.hints.size(), 1u);
    EXPECT_EQ(observer.hints[0].first, ViewHint::ShowPreview);
    EXPECT_EQ(static_cast<int>(observer.hints[0].first), 1000);
    EXPECT_EQ(observer.hints[0].second, "file://" + (dir / "preview" / "zk000000.html").string());
}

TEST_F(VimraDoc, FailingUpdateCatViewRestoresTheSettingsAndSendsNoHint) {
    general().previewRun = 1;
    EXPECT_EQ(doc.updateCatView(), -1);
    EXPECT_EQ(messages.texts().back(), "error producing catalogue");
    EXPECT_EQ(fieldText(general().outputDir), (dir / "out").string());
    EXPECT_EQ(std::int32_t{general().previewRun}, 0);
    EXPECT_TRUE(observer.hints.empty());
}

TEST_F(VimraDoc, PreviewAddressHasExactlyOneSeparatorBeforeTheHomePage) {
    writeShop(1);
    const std::string folder = (dir / "preview").string();
    for (const std::string& tempOutputDir : {folder, folder + "/"}) {
        SCOPED_TRACE(tempOutputDir);
        observer.hints.clear();
        copyField(general().tempOutputDir, tempOutputDir);
        ASSERT_EQ(doc.updateCatView(), 0);
        ASSERT_EQ(observer.hints.size(), 1u);
        EXPECT_EQ(observer.hints[0].second, "file://" + folder + "/zk000000.html");
    }
    EXPECT_EQ(homePageAddress("C:\\shop\\temp\\"), "file://C:/shop/temp/zk000000.html");
}

TEST_F(VimraDoc, RemovedObserverIsNoLongerTold) {
    writeShop(1);
    doc.removeObserver(observer);
    ASSERT_EQ(doc.updateCatView(), 0);
    EXPECT_TRUE(observer.hints.empty());
}

TEST_F(VimraDoc, EditInputFileStartsTheEditorOrOpensTheFile) {
    struct Case {
        const char* name;
        bool editorPresent;
        std::string inputFile;
        std::string what;
        std::vector<std::string> arguments;
        std::string commandLine;
    };
    const std::string editor = join(program(), "korvel");
    const Case cases[] = {
        {"editor on the file", true, "/shop/my data.txt", "start", {"/shop/my data.txt"}, editor + " /shop/my data.txt"},
        {"editor without a file", true, "", "start", {}, editor + " "},
        {"no editor", false, "/shop/notes.txt", "open", {""}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        shell.requests.clear();
        std::error_code ec;
        fs::remove(editor, ec);
        if (c.editorPresent)
            writeFile(editor, "#!/bin/sh\n");
        copyField(general().inputFile, c.inputFile);

        EditInputFileStart start = doc.editInputFile();
        EXPECT_EQ(start.commandLine, c.commandLine);
        ASSERT_EQ(shell.requests.size(), 1u);
        EXPECT_EQ(shell.requests[0].what, c.what);
        if (c.editorPresent) {
            EXPECT_EQ(start.kind, EditInputFileStart::Kind::StartEditor);
            EXPECT_EQ(shell.requests[0].path, editor);
        } else {
            EXPECT_EQ(start.kind, EditInputFileStart::Kind::OpenWithDefaultProgram);
            EXPECT_EQ(shell.requests[0].path, c.inputFile);
        }
        EXPECT_EQ(shell.requests[0].arguments, c.arguments);
    }
}

TEST(CustomColour, TextIsLowerCaseHexOfRedGreenBlue) {
    struct Case { Rgb colour; const char* want; };
    const Case cases[] = {
        {{255, 0, 0}, "#ff0000"},
        {{0, 0, 0}, "#000000"},
        {{255, 255, 255}, "#ffffff"},
        {{10, 171, 205}, "#0aabcd"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.want);
        EXPECT_EQ(customColourText(c.colour), c.want);
        const std::optional<Rgb> back = colourOfText(c.want);
        ASSERT_TRUE(back);
        EXPECT_EQ(customColourText(*back), c.want);
    }
}

TEST(CustomColour, OnlyHashAndSixHexDigitsNameAColour) {
    EXPECT_EQ(customColourText(colourOfText(" #0AaBcD ").value_or(Rgb{})), "#0aabcd");
    for (const char* text : {"navy", "#fff", "#ggg000", "0aabcd", "#0aabcd0", "", "#12 456"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(colourOfText(text));
    }
}

TEST_F(VimraDoc, CustomColourIsRememberedForTheNextTime) {
    EXPECT_EQ(customColourText(doc.lastCustomColour()), "#000000");
    EXPECT_EQ(doc.chooseCustomColour({0, 128, 255}), "#0080ff");
    EXPECT_EQ(customColourText(doc.lastCustomColour()), "#0080ff");
}

TEST_F(VimraDoc, ExitWritesBothDefaultsFiles) {
    copyField(general().catalogueTitle, "Tea shop");
    copyField(doc.settings().appearance.setName, "Green");
    EXPECT_EQ(doc.close(), 0);
    EXPECT_EQ(readFile(dir / "program" / "ZK002.dat"), bytesOf(doc.settings().general));
    EXPECT_EQ(readFile(dir / "program" / "ZK003.dat"), bytesOf(doc.settings().appearance));
    EXPECT_TRUE(messages.shown.empty());

    CVimraDoc again(program(), messages, shell);
    again.start();
    EXPECT_EQ(bytesOf(again.settings().general), bytesOf(doc.settings().general));
    EXPECT_EQ(bytesOf(again.settings().appearance), bytesOf(doc.settings().appearance));
}

TEST_F(VimraDoc, ExitReportsDefaultsFilesThatCannotBeWritten) {
    // A folder where a file should be cannot be replaced, even by root.
    fs::create_directories(dir / "program" / "ZK002.dat");
    fs::create_directories(dir / "program" / "ZK003.dat");
    EXPECT_EQ(doc.close(), -1);
    EXPECT_EQ(messages.texts(), (std::vector<std::string>{"failed to save data (1)", "failed to save data (2)"}));
}

} // namespace
