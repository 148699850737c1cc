// The Set Appearance dialog's rules: listing the library, Use and Update.
#include "app/core/appearance_sets.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "model/appearance_library.h"
#include "model/paths.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> namesOf(const std::vector<AppearanceSetEntry>& entries) {
    std::vector<std::string> names;
    for (const auto& entry : entries)
        names.push_back(entry.name);
    return names;
}

std::string headerOf(std::int16_t format, std::int32_t sets, std::int32_t slots, const char* signature) {
    AppearanceLibraryHeader header{};
    header.format = format;
    header.setCount = sets;
    header.slotCount = slots;
    copyField(header.signature, signature);
    return std::string(reinterpret_cast<const char*>(&header), sizeof header);
}

std::string slotOf(const char* name, std::int32_t indexStyle = 0) {
    AppearanceSet set{};
    copyField(set.setName, name);
    set.indexStyle = indexStyle;
    return std::string(reinterpret_cast<const char*>(&set), sizeof set);
}

AppearanceSet setAt(const std::string& library, int slot) {
    AppearanceSet set{};
    std::memcpy(&set, library.data() + appearanceSlotOffset(slot), sizeof set);
    return set;
}

AppearanceLibraryHeader headerIn(const std::string& library) {
    AppearanceLibraryHeader header{};
    std::memcpy(&header, library.data(), sizeof header);
    return header;
}

class AppearanceSetsTest : public ::testing::Test {
protected:
    void SetUp() override {
        programDir = dir.str() + "/";
        blocks = std::make_unique<SettingsBlocks>();
        copyField(blocks->appearance.setName, "Current");
        copyField(blocks->appearance.indexTextColour, "#123456");
        blocks->appearance.indexStyle = 7;
    }

    // A library imported from one CSV line per set, with its ten "unused" slots.
    void importSets(const std::string& csv) {
        writeFile(dir / "sets.csv", csv);
        std::FILE* warnings = std::tmpfile();
        ASSERT_EQ(importAppearanceSets((dir / "sets.csv").string(), library(), programDir, warnings), 0);
        std::fclose(warnings);
    }

    std::string library() const { return (dir / "zkas.dat").string(); }
    std::string libraryBytes() const { return readFile(dir / "zkas.dat"); }

    TempDir dir;
    std::string programDir;
    std::unique_ptr<SettingsBlocks> blocks;
    RecordingMessages messages;
};

TEST_F(AppearanceSetsTest, AMissingLibraryIsCreatedEmptyWith22Slots) {
    auto entries = listAppearanceSets(programDir, messages);

    const std::string bytes = libraryBytes();
    ASSERT_EQ(bytes.size(), 404u);
    EXPECT_EQ(bytes, headerOf(1, 22, 22, "Vimra 3"));
    ASSERT_EQ(entries.size(), 22u);
    for (int slot = 0; slot < 22; ++slot) {
        EXPECT_EQ(entries[slot].name, "");
        EXPECT_EQ(entries[slot].position, appearanceSlotOffset(slot));
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(AppearanceSetsTest, ALibraryThatCannotBeCreatedIsReportedAndListsNothing) {
    auto entries = listAppearanceSets(programDir + "missing-folder/", messages);
    EXPECT_TRUE(entries.empty());
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"file open error"});
}

TEST_F(AppearanceSetsTest, AnImportedLibraryListsItsSetsAndTheUnusedSlots) {
    importSets("Autumn,a.gif\nWinter\n\"Spring, late\"\n");
    auto entries = listAppearanceSets(programDir, messages);

    std::vector<std::string> want = {"Autumn", "Winter", "Spring, late"};
    want.resize(13, "unused");
    EXPECT_EQ(namesOf(entries), want);
    EXPECT_EQ(entries[12].position, appearanceSlotOffset(12));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(AppearanceSetsTest, ADamagedHeaderListsNoMoreThanTheFileCanHold) {
    const struct {
        const char* name;
        std::string library;
        std::vector<std::string> want;
    } cases[] = {
        {"negative count", headerOf(3, 1, -5, "Vimra3") + slotOf("A"), {}},
        {"count below the slots", headerOf(3, 2, 1, "Vimra3") + slotOf("A") + slotOf("B"), {"A"}},
        {"absurd count", headerOf(3, 1, INT_MAX, "Vimra3") + slotOf("A"),
         [] {
             std::vector<std::string> names(1 + kAppearanceSlotsPastEnd, "");
             names[0] = "A";
             return names;
         }()},
        {"last slot cut short", headerOf(3, 2, 2, "Vimra3") + slotOf("A") + slotOf("Half").substr(0, 2), {"A", "Ha"}},
        {"shorter than a header", std::string(100, '\xff'), std::vector<std::string>(22, "")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(dir / "zkas.dat", c.library);
        auto entries = listAppearanceSets(programDir, messages);
        EXPECT_EQ(namesOf(entries), c.want);
        EXPECT_LE(entries.capacity(), c.want.size() + kAppearanceSlotsPastEnd);
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(AppearanceSetsTest, TheListStartsOnTheCurrentSetWhenItIsListed) {
    importSets("Autumn\nWinter\n");
    auto entries = listAppearanceSets(programDir, messages);
    const struct {
        std::int16_t current;
        int want;
    } cases[] = {{0, 0}, {1, 1}, {11, 11}, {12, kNoAppearanceSet}, {-1, kNoAppearanceSet}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.current);
        blocks->general.currentSetIndex = c.current;
        EXPECT_EQ(initialAppearanceSelection(blocks->general, entries), c.want);
    }
}

TEST_F(AppearanceSetsTest, UseCopiesTheSelectedSetAndMakesItCurrent) {
    writeFile(dir / "zkas.dat", headerOf(3, 2, 2, "Vimra3") + slotOf("Autumn", 1) + slotOf("Winter", 2));
    auto entries = listAppearanceSets(programDir, messages);

    ASSERT_EQ(useAppearanceSet(*blocks, programDir, entries, 1, messages), 0);
    EXPECT_EQ(std::string(fieldText(blocks->appearance.setName)), "Winter");
    EXPECT_EQ(std::int32_t{blocks->appearance.indexStyle}, 2);
    EXPECT_EQ(std::string(fieldText(blocks->appearance.indexTextColour)), "");
    EXPECT_EQ(int{blocks->general.currentSetIndex}, 1);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(AppearanceSetsTest, UseWithoutASelectionChangesNothing) {
    writeFile(dir / "zkas.dat", headerOf(3, 1, 1, "Vimra3") + slotOf("Autumn", 1));
    auto entries = listAppearanceSets(programDir, messages);
    blocks->general.currentSetIndex = 5;
    for (int selected : {kNoAppearanceSet, 1}) {
        SCOPED_TRACE(selected);
        messages.shown.clear();
        EXPECT_EQ(useAppearanceSet(*blocks, programDir, entries, selected, messages), -1);
        EXPECT_EQ(messages.texts(), std::vector<std::string>{"There is no highlighted selection"});
        EXPECT_EQ(std::string(fieldText(blocks->appearance.setName)), "Current");
        EXPECT_EQ(int{blocks->general.currentSetIndex}, 5);
    }
}

TEST_F(AppearanceSetsTest, TheUpdateNameIsTheSelectedSetsOrTheCurrentOne) {
    importSets("Autumn\n");
    auto entries = listAppearanceSets(programDir, messages);
    const struct {
        int selected;
        const char* want;
    } cases[] = {{0, "Autumn"}, {1, "Current"}, {kNoAppearanceSet, "Current"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.selected);
        EXPECT_EQ(suggestedAppearanceSetName(blocks->appearance, entries, c.selected), c.want);
    }
}

TEST_F(AppearanceSetsTest, UpdateWritesTheCurrentAppearanceIntoTheChosenSlot) {
    const struct {
        const char* name;
        std::string library;
        int selected;
        int wantSlot;
        std::int32_t wantSlotCount;
        std::vector<std::string> wantNames;
    } cases[] = {
        {"selected slot keeps its name", headerOf(3, 2, 4, "Vimra3") + slotOf("A") + slotOf("Mine") +
                                             slotOf("unused") + slotOf("unused"),
         1, 1, 4, {"A", "Mine", "unused", "unused"}},
        {"first free slot", headerOf(3, 2, 4, "Vimra3") + slotOf("A") + slotOf("B") + slotOf("unused") + slotOf(""),
         kNoAppearanceSet, 2, 4, {"A", "B", "Mine", ""}},
        {"appended when none is free", headerOf(3, 2, 2, "Vimra3") + slotOf("A") + slotOf("B"), kNoAppearanceSet, 2,
         3, {"A", "B", "Mine"}},
        {"past the end of an empty library", headerOf(1, 22, 22, "Vimra 3"), 3, 3, 22,
         [] {
             std::vector<std::string> names(22, "");
             names[3] = "Mine";
             return names;
         }()},
        {"after a negative count", headerOf(3, 1, -3, "Vimra3"), kNoAppearanceSet, 0, 1, {"Mine"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(dir / "zkas.dat", c.library);
        blocks->general.currentSetIndex = -1;
        copyField(blocks->appearance.setName, "Current");
        auto entries = listAppearanceSets(programDir, messages);

        ASSERT_EQ(updateAppearanceSet(*blocks, programDir, entries, c.selected, "  Mine ", messages), c.wantSlot);
        EXPECT_TRUE(messages.shown.empty());
        EXPECT_EQ(int{blocks->general.currentSetIndex}, c.wantSlot);
        EXPECT_EQ(std::string(fieldText(blocks->appearance.setName)), "Mine");
        EXPECT_EQ(namesOf(entries), c.wantNames);

        const std::string bytes = libraryBytes();
        ASSERT_GE(bytes.size(), static_cast<std::size_t>(appearanceSlotOffset(c.wantSlot + 1)));
        EXPECT_EQ(std::int32_t{headerIn(bytes).slotCount}, c.wantSlotCount);
        EXPECT_EQ(int{headerIn(bytes).format}, int{headerIn(c.library).format});
        const AppearanceSet stored = setAt(bytes, c.wantSlot);
        EXPECT_EQ(std::memcmp(&stored, &blocks->appearance, sizeof stored), 0);
        // The slots before the written one are as they were, or zero where the file did not reach.
        const std::size_t before = static_cast<std::size_t>(appearanceSlotOffset(c.wantSlot));
        std::string original = c.library;
        original.resize(std::max(original.size(), before), '\0');
        EXPECT_EQ(bytes.substr(404, before - 404), original.substr(404, before - 404));
        EXPECT_EQ(namesOf(listAppearanceSets(programDir, messages)), c.wantNames);
    }
}

TEST_F(AppearanceSetsTest, ReplacingASetOfAnotherNameAsksFirst) {
    const struct {
        const char* name;
        std::string library;
        int selected;
    } cases[] = {
        {"selected set", headerOf(3, 1, 1, "Vimra3") + slotOf("Autumn", 1), 0},
        // A count too small hides the set in the next slot; appending would overwrite it.
        {"set hidden by the count", headerOf(3, 1, 0, "Vimra3") + slotOf("Autumn", 1), kNoAppearanceSet},
    };
    for (const auto& c : cases) {
        for (MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
            SCOPED_TRACE(std::string(c.name) + (answer == MessageAnswer::Yes ? ", yes" : ", no"));
            writeFile(dir / "zkas.dat", c.library);
            blocks->general.currentSetIndex = -1;
            copyField(blocks->appearance.setName, "Current");
            auto entries = listAppearanceSets(programDir, messages);
            const auto listed = namesOf(entries);
            messages.shown.clear();
            messages.answerNext(answer);

            const int slot = updateAppearanceSet(*blocks, programDir, entries, c.selected, "Winter", messages);
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(messages.shown[0].text, "Replace the appearance set \"Autumn\" with \"Winter\"?");
            EXPECT_EQ(messages.shown[0].buttons, MessageButtons::YesNo);
            if (answer == MessageAnswer::No) {
                EXPECT_EQ(slot, -1);
                EXPECT_EQ(libraryBytes(), c.library);
                EXPECT_EQ(std::string(fieldText(blocks->appearance.setName)), "Current");
                EXPECT_EQ(int{blocks->general.currentSetIndex}, -1);
                EXPECT_EQ(namesOf(entries), listed);
            } else {
                EXPECT_EQ(slot, 0);
                EXPECT_EQ(std::string(fieldText(setAt(libraryBytes(), 0).setName)), "Winter");
                EXPECT_EQ(std::int32_t{setAt(libraryBytes(), 0).indexStyle}, 7);
                EXPECT_EQ(namesOf(entries), std::vector<std::string>{"Winter"});
            }
        }
    }
}

TEST_F(AppearanceSetsTest, UpdateRefusesAnEmptyNameAndCutsALongOne) {
    const std::string library = headerOf(3, 1, 2, "Vimra3") + slotOf("A") + slotOf("unused");
    writeFile(dir / "zkas.dat", library);
    auto entries = listAppearanceSets(programDir, messages);
    for (const char* name : {"", "  \t "}) {
        SCOPED_TRACE(name);
        messages.shown.clear();
        EXPECT_EQ(updateAppearanceSet(*blocks, programDir, entries, 1, name, messages), -1);
        EXPECT_EQ(messages.texts(), std::vector<std::string>{"Please enter a name for the appearance set"});
        EXPECT_EQ(libraryBytes(), library);
        EXPECT_EQ(std::string(fieldText(blocks->appearance.setName)), "Current");
    }

    messages.shown.clear();
    const std::string longName(60, 'n');
    ASSERT_EQ(updateAppearanceSet(*blocks, programDir, entries, 1, longName, messages), 1);
    EXPECT_EQ(entries[1].name, longName.substr(0, 40));
    EXPECT_EQ(std::string(fieldText(setAt(libraryBytes(), 1).setName)), longName.substr(0, 40));
    // Updating the same set again under its (cut) name asks nothing.
    ASSERT_EQ(updateAppearanceSet(*blocks, programDir, entries, 1, longName, messages), 1);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(AppearanceSetsTest, AFailedUpdateChangesNothing) {
    writeFile(dir / "zkas.dat", headerOf(3, 1, 2, "Vimra3") + slotOf("A") + slotOf("unused"));
    auto entries = listAppearanceSets(programDir, messages);
    fs::remove(dir / "zkas.dat");
    fs::create_directory(dir / "zkas.dat");
    blocks->general.currentSetIndex = -1;

    EXPECT_EQ(updateAppearanceSet(*blocks, programDir, entries, 1, "Mine", messages), -1);
    EXPECT_EQ(messages.texts(), std::vector<std::string>{"file open error"});
    EXPECT_EQ(std::string(fieldText(blocks->appearance.setName)), "Current");
    EXPECT_EQ(int{blocks->general.currentSetIndex}, -1);
    EXPECT_EQ(entries[1].name, "unused");
}

} // namespace
