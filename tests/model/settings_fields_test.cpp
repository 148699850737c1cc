#include "model/settings_fields.h"

#include <cstring>
#include <gtest/gtest.h>
#include <set>

#include "model/paths.h"

namespace {

std::string blockBytes(const SettingsBlocks& blocks) {
    return std::string(reinterpret_cast<const char*>(&blocks), sizeof blocks);
}

TEST(SettingsFields, NamesAreUniqueAndLandOnTheRecordOffsets) {
    std::set<std::string> names;
    for (const SettingsField& field : settingsFields()) {
        SCOPED_TRACE(field.name);
        EXPECT_TRUE(names.insert(field.name).second) << "listed twice";
        EXPECT_EQ(field.name.find("reserved"), std::string::npos);
        std::size_t blockSize = field.block == SettingsBlock::General ? kGeneralSettingsSize : kAppearanceSetSize;
        EXPECT_LE(field.offset + field.size, blockSize);
        EXPECT_EQ(findSettingsField(field.name), &field);
    }
    EXPECT_EQ(findSettingsField("nosuchfield"), nullptr);
    EXPECT_EQ(findSettingsField("reserved882"), nullptr);
    EXPECT_EQ(findSettingsField("ftpTargets.4.host"), nullptr);
    EXPECT_EQ(findSettingsField("ftpTargets"), nullptr);

    struct Case { const char* name; SettingsBlock block; std::size_t offset; std::size_t size; SettingsFieldKind kind; };
    const auto G = SettingsBlock::General;
    const auto A = SettingsBlock::Appearance;
    using K = SettingsFieldKind;
    const Case cases[] = {
        {"outputDir", G, 0, 129, K::Text},
        {"catalogueTitle", G, 645, 41, K::Text},
        {"basketFlags", G, 880, 2, K::Int16},
        {"taxRate", G, 1285, 8, K::Double},
        {"cgiHiddenFields.4", G, 1537 + 4 * 201, 201, K::Text},
        {"ftpTargets.0.host", G, 4709, 51, K::Text},
        {"ftpTargets.0.port", G, 4709 + 223, 4, K::Int32},
        {"ftpTargets.3.save", G, 5390 + 222, 1, K::Byte},
        {"ftpTargets.2.serverDirectory", G, 5163 + 93, 121, K::Text},
        {"includeTicker", G, 6969, 4, K::Int32},
        {"setName", A, 0, 41, K::Text},
        {"bulletImages.3", A, 597, 129, K::Text},
        {"indexFonts.1.secondColour", A, 1792, 16, K::Text},
        {"indexFonts.0.size", A, 1637 + 52, 1, K::Int8},
        {"itemFonts.6.colour", A, 3758 + 53, 16, K::Text},
        {"prevNextImages.2", A, 2847, 129, K::Text},
        {"tableRowColours.1", A, 5518, 16, K::Text},
        {"searchFont.style", A, 8372 + 85, 1, K::Byte},
        {"basketFonts.5.face", A, 7276 + 5 * 86, 52, K::Text},
        {"navigationInHeader", A, 6453, 4, K::Int32},
        {"headerFrameMargin", A, 9271, 4, K::Int32},
        {"tickerSize.1", A, 9351, 4, K::Int32},
        {"indexHoverColour", A, 1792, 16, K::Text},
        {"itemTableBorderColour", A, 3811, 16, K::Text},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SettingsField* field = findSettingsField(c.name);
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->block, c.block);
        EXPECT_EQ(field->offset, c.offset);
        EXPECT_EQ(field->size, c.size);
        EXPECT_EQ(field->kind, c.kind);
    }
}

TEST(SettingsFields, EveryFieldRoundTripsWithoutTouchingItsNeighbours) {
    SettingsBlocks blocks{};
    std::memset(&blocks, 0x77, sizeof blocks);
    for (const SettingsField& field : settingsFields()) {
        SCOPED_TRACE(field.name);
        const std::string before = blockBytes(blocks);
        std::string value = field.kind == SettingsFieldKind::Text     ? std::string("v")
                            : field.kind == SettingsFieldKind::Int8   ? "-5"
                            : field.kind == SettingsFieldKind::Double ? "17.5"
                            : field.highest < 12                      ? std::to_string(field.highest)
                                                                      : "12";
        std::string error;
        ASSERT_EQ(setSettingsFieldValue(blocks, field, value, error), 0) << error;
        EXPECT_EQ(settingsFieldValue(blocks, field), value);
        const std::string after = blockBytes(blocks);
        std::size_t base = field.block == SettingsBlock::General ? 0 : sizeof(GeneralSettings);
        EXPECT_EQ(after.substr(0, base + field.offset), before.substr(0, base + field.offset));
        EXPECT_EQ(after.substr(base + field.offset + field.size), before.substr(base + field.offset + field.size));
        if (field.kind == SettingsFieldKind::Text) {
            EXPECT_EQ(after.substr(base + field.offset + 1, field.size - 1), std::string(field.size - 1, '\0'));
        }
    }
}

TEST(SettingsFields, ValuesAreCutOrRejected) {
    struct Case {
        const char* name;
        std::string value;
        int result;         // of setSettingsValue
        std::string stored; // read back when accepted
    };
    const Case cases[] = {
        {"catalogueTitle", std::string(50, 't'), 0, std::string(40, 't')},
        {"catalogueTitle", "", 0, ""},
        {"worldPayCompany", "ABCDEF", 0, "ABC"},
        {"nameFieldName", std::string(70, 'n'), 0, std::string(40, 'n')},
        {"genericAction", std::string(128, 'g'), 0, std::string(100, 'g')},
        {"secureTradingPage", std::string(128, 's'), 0, std::string(100, 's')},
        {"outputDir", std::string(200, 'o'), 0, std::string(128, 'o')},
        {"musicFile", std::string(200, 'm'), 0, std::string(127, 'm')},
        {"indexFonts.3.colour", std::string(20, 'c'), 0, std::string(15, 'c')},
        {"itemPageWidth", std::string(20, '9'), 0, std::string(15, '9')},
        {"indexFonts.0.face", std::string(60, 'f'), 0, std::string(40, 'f')},
        {"ftpTargets.1.password", " secret ", 0, " secret "},
        {"ftpTargets.1.port", "2121", 0, "2121"},
        {"ftpTargets.1.port", "+21", 0, "21"},
        {"ftpTargets.1.port", "-2147483648", 0, "-2147483648"},
        {"ftpTargets.1.port", "2147483648", -2, ""},
        {"ftpTargets.1.port", "21x", -2, ""},
        {"ftpTargets.1.port", " 21", -2, ""},
        {"ftpTargets.1.port", "", -2, ""},
        {"ftpTargets.1.save", "255", 0, "255"},
        {"ftpTargets.1.save", "256", -2, ""},
        {"ftpTargets.1.save", "-1", -2, ""},
        {"indexFonts.2.size", "-128", 0, "-128"},
        {"indexFonts.2.size", "128", -2, ""},
        {"basketFlags", "-32768", 0, "-32768"},
        {"basketFlags", "32768", -2, ""},
        {"currencyDecimals", "10", 0, "10"},
        {"currencyDecimals", "0", 0, "0"},
        {"currencyDecimals", "11", -2, ""},
        {"currencyDecimals", "2147483647", -2, ""},
        {"currencyDecimals", "-1", -2, ""},
        {"taxRate", "17.5", 0, "17.5"},
        {"taxRate", "0.1", 0, "0.1"},
        {"taxRate", "1e3", 0, "1000"},
        {"taxRate", "-3", 0, "-3"},
        {"taxRate", "abc", -2, ""},
        {"taxRate", "inf", -2, ""},
        {"taxRate", "nan", -2, ""},
        {"taxRate", "1.5%", -2, ""},
        {"noSuchSetting", "1", -1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + "=" + c.value);
        SettingsBlocks blocks{};
        std::string error;
        setSettingsValue(blocks, c.name, "7", error);  // something to keep on failure
        const std::string before = blockBytes(blocks);
        error.clear();
        EXPECT_EQ(setSettingsValue(blocks, c.name, c.value, error), c.result);
        if (c.result == 0) {
            std::string got;
            ASSERT_EQ(settingsValue(blocks, c.name, got), 0);
            EXPECT_EQ(got, c.stored);
            EXPECT_TRUE(error.empty());
        } else {
            EXPECT_EQ(blockBytes(blocks), before);
            EXPECT_NE(error.find(c.result == -1 ? "unknown setting" : c.name), std::string::npos) << error;
        }
    }
}

TEST(SettingsFields, NarrowRangeIsNamedInTheRefusal) {
    SettingsBlocks blocks{};
    std::string error;
    EXPECT_EQ(setSettingsValue(blocks, "currencyDecimals", "2147483647", error), -2);
    EXPECT_EQ(error, "'2147483647' is out of range for currencyDecimals (0 to 10)");
}

TEST(SettingsFields, ValuesReadFromTheBlocks) {
    SettingsBlocks blocks{};
    copyField(blocks.general.catalogueTitle, "Shop");
    blocks.general.taxRate = 17.5;
    blocks.general.ftpTargets[2].port = 2121;
    blocks.appearance.indexFonts[1].size = -2;
    copyField(blocks.appearance.indexFonts[1].secondColour, "#00FF00");
    std::memset(blocks.appearance.setName, 'x', sizeof blocks.appearance.setName);  // no terminator
    struct Case { const char* name; std::string want; };
    const Case cases[] = {
        {"catalogueTitle", "Shop"},
        {"taxRate", "17.5"},
        {"ftpTargets.2.port", "2121"},
        {"indexFonts.1.size", "-2"},
        {"indexFonts.1.secondColour", "#00FF00"},
        {"setName", std::string(41, 'x')},
        {"includeTicker", "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string got;
        ASSERT_EQ(settingsValue(blocks, c.name, got), 0);
        EXPECT_EQ(got, c.want);
    }
    std::string got = "kept";
    EXPECT_EQ(settingsValue(blocks, "nothing", got), -1);
    EXPECT_EQ(got, "kept");
}

} // namespace
