// The price texts of item blocks and item table rows for every tax mode,
// with and without currency conversion and declared tax types, and the
// number and description texts the purchase block hands to the basket.
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "generator/generation_run.h"
#include "generator/item_choices.h"
#include "generator/item_price.h"
#include "generator/page_writer.h"
#include "generator/purchase_block.h"
#include "model/paths.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_dir.h"

namespace {

class PriceTexts : public ::testing::Test {
protected:
    void SetUp() override {
        general = std::make_unique<GeneralSettings>();
        appearance = std::make_unique<AppearanceSet>();
        general->includeTax = 1;
        general->taxRate = 17.5;
        general->currencyDecimals = 2;
        general->basketFlags = 1;
        copyField(general->taxDescription, "VAT");
    }

    // A run whose data file declares tax types or not.
    void makeRun(bool declaredTypes) {
        run = std::make_unique<GenerationRun>(*appearance, *general, messages, stderr);
        const std::string data = declaredTypes ? "#!TAX1=Standard;17.5;TAX2=Zero;0;\n" : "";
        writeFile(dir / "data.txt", data + "x,1\n");
        ASSERT_TRUE(run->reader.open((dir / "data.txt").string()));
        run->reader.readHeaderBlock();
        run->currencySymbol = "&#163;";
        run->fontTags.item[1] = {"<F1>", "</F1>"};
        run->fontTags.item[5] = {"<F5>", "</F5>"};
        run->fontTags.item[3] = {"<F3>", "</F3>"};
    }

    template <typename Write>
    std::string written(Write write) {
        PageWriter out;
        const std::string path = (dir / "page.html").string();
        EXPECT_TRUE(out.open(path));
        write(out);
        out.close();
        return readFile(path);
    }

    TempDir dir;
    std::unique_ptr<GeneralSettings> general;
    std::unique_ptr<AppearanceSet> appearance;
    RecordingMessages messages;
    std::unique_ptr<GenerationRun> run;
};

TEST_F(PriceTexts, TaxNotesAndColumnsCloseTheConversionScriptExactlyOnce) {
    struct Case {
        const char* name;
        bool conversion;
        int taxMode;
        bool declared;
        const char* block;
        const char* row;
    };
    const Case cases[] = {
        {"no tax", false, 0, false, "<P><F1>&#163;&nbsp;12.50</F1>", "<td align=right><F5>&#163;&nbsp;12.50&nbsp;</TD>"},
        {"conversion without tax", true, 0, false,
         "<P><F1><script language=javascript>document.write(parent.CurrConv(12.50));</script>\n</F1>",
         "<td align=right><F5><SCRIPT LANGUAGE=JAVASCRIPT>document.write(parent.CurrConv(12.50)+\"&nbsp;</td>\");</SCRIPT>"},
        {"conversion without tax, declared types", true, 0, true,
         "<P><F1><script language=javascript>document.write(parent.CurrConv(12.50));</script>\n</F1>",
         "<td align=right><F5><SCRIPT LANGUAGE=JAVASCRIPT>document.write(parent.CurrConv(12.50)+\"&nbsp;</td>\");</SCRIPT>"},
        {"one rate", false, 1, false, "<P><F1>&#163;&nbsp;12.50&nbsp;&nbsp;(14.69 Including VAT)</F1>",
         "<td align=right><F5>&#163;&nbsp;12.50&nbsp;</TD><td align=right><F5>14.69&nbsp;</td>\n"},
        {"one rate converted", true, 1, false,
         "<P><F1><script language=javascript>document.write(parent.CurrConv(12.50)+\"&nbsp;&nbsp;(\"+parent.CurrConv2(14.69)"
         "+\" Including VAT)\");</script>\n</F1>",
         "<td align=right><F5><SCRIPT LANGUAGE=JAVASCRIPT>document.write(parent.CurrConv(12.50)+\"&nbsp;</td>\"+\"<td "
         "align=right><F5>\"+parent.CurrConv2(14.69)+\"&nbsp;</td>\");</script>"},
        {"several rates", false, 2, false,
         "<P><F1>&#163;&nbsp;12.50&nbsp;&nbsp;<script language='javascript'>if(parent.trs[parent.iTT]!=1.0)document.write(\"(\"+"
         "parent.fa(12.50*parent.trs[parent.iTT])+\" Including \"+parent.tts[parent.iTT]+\")\");</script></F1>",
         "<td align=right><F5>&#163;&nbsp;12.50&nbsp;</TD><script language=javascript>if(parent.trs[parent.iTT]!=1.0)"
         "document.write(\"<td align=right><F5>\"+parent.fa(12.50*parent.trs[parent.iTT]));</script>&nbsp;</td>"},
        {"several rates converted", true, 2, false,
         "<P><F1><script language=javascript>document.write(parent.CurrConv(12.50)+(parent.trs[parent.iTT]==1.00?\"\":"
         "\"&nbsp;&nbsp;(\"+parent.CurrConv2(12.50*parent.trs[parent.iTT])+\" Including \"+parent.tts[parent.iTT]+\")\"));"
         "</script>\n</F1>",
         "<td align=right><F5><SCRIPT LANGUAGE=JAVASCRIPT>document.write(parent.CurrConv(12.50)+\"&nbsp;</td>\"+(parent."
         "trs[parent.iTT]==1.0?\"\":(\"<td align=right><F5>\"+parent.CurrConv2(12.50*parent.trs[parent.iTT])+\"&nbsp;</td>"
         "\")));</script>"},
        {"one rate, declared types", false, 1, true,
         "<P><F1>&#163;&nbsp;12.50<script language=javascript>document.write(\"&nbsp;&nbsp;\"+parent.TaxDisplay(12.50,1));"
         "</script>\n</F1>",
         "<td align=right><F5>&#163;&nbsp;12.50&nbsp;</TD><td align=right><F5><script language=javascript>document.write("
         "parent.IncTax(12.50,1));</script>&nbsp;</td>\n"},
        {"one rate converted, declared types", true, 1, true,
         "<P><F1><script language=javascript>document.write(parent.CurrConv(12.50)+\"&nbsp;&nbsp;\"+parent.TaxDisplay("
         "12.50,1));</script>\n</F1>",
         "<td align=right><F5><SCRIPT LANGUAGE=JAVASCRIPT>document.write(parent.CurrConv(12.50)+\"&nbsp;</td>\"+(parent."
         "trs[parent.iTT]==1.0?\"\":(\"<td align=right><F5>\"+parent.IncTax(12.50,1)+\"&nbsp;</td>\")));</script>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        makeRun(c.declared);
        run->currencyConversion = c.conversion;
        run->taxMode = c.taxMode;
        CatalogueRecord record;
        record.fields[kPriceSlot] = "12.50";
        record.fields[kTaxTypeSlot] = "2";
        EXPECT_EQ(written([&](PageWriter& out) { writeBlockPrice(*run, out, record, run->fontTags.item[1]); }), c.block);
        EXPECT_EQ(written([&](PageWriter& out) { writeRowPrice(*run, out, record); }), c.row);
    }
}

// A stored count of places beyond any use is taken at the nearest sensible
// one: 2147483647 would write one price until the disk is full.
TEST_F(PriceTexts, CurrencyDecimalsAreTakenInTheirRange) {
    struct Case { std::int32_t decimals; const char* block; };
    const Case cases[] = {
        {2, "<P><F1>&#163;&nbsp;12.50&nbsp;&nbsp;(14.69 Including VAT)</F1>"},
        {2147483647, "<P><F1>&#163;&nbsp;12.50&nbsp;&nbsp;(14.6875000000 Including VAT)</F1>"},
        {-5, "<P><F1>&#163;&nbsp;12.50&nbsp;&nbsp;(15 Including VAT)</F1>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.decimals);
        general->currencyDecimals = c.decimals;
        makeRun(false);
        run->taxMode = 1;
        CatalogueRecord record;
        record.fields[kPriceSlot] = "12.50";
        EXPECT_EQ(written([&](PageWriter& out) { writeBlockPrice(*run, out, record, run->fontTags.item[1]); }), c.block);
    }
}

TEST_F(PriceTexts, SymbolAfterTheAmountAndPricesThatAreText) {
    general->symbolFollowsAmount = 1;
    makeRun(false);
    CatalogueRecord record;
    record.fields[kPriceSlot] = "12.50";
    EXPECT_EQ(written([&](PageWriter& out) { writeBlockPrice(*run, out, record, run->fontTags.item[1]); }),
              "<P><F1>12.50&nbsp;&#163;</F1>");
    EXPECT_EQ(written([&](PageWriter& out) { writeRowPrice(*run, out, record); }),
              "<td align=right><F5><F5>&nbsp;12.50&nbsp;&#163;</TD>");
    record.fields[kPriceSlot] = "call us";
    EXPECT_EQ(written([&](PageWriter& out) { writeBlockPrice(*run, out, record, run->fontTags.item[1]); }),
              "<P><F1>call us</F1>");
    // A text price gets no purchase controls at all.
    ItemChoices none;
    EXPECT_EQ(written([&](PageWriter& out) { PurchaseBlock(*run, out, record, none, 0, PurchasePlace::Block); }), "");
}

TEST(ScriptAmount, IsAValidScriptNumber) {
    struct Case {
        const char* price;
        const char* amount;
    };
    const Case cases[] = {
        {"12.50", "12.50"}, {"007.5", "7.5"}, {"12.50 each", "12.50"}, {"0", "0"}, {"0.50", ".50"}, {"000", "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.price);
        EXPECT_EQ(scriptAmount(c.price), c.amount);
    }
}

TEST(BasketDescription, CutsAtFiftyWithoutTagsOrApostrophes) {
    struct Case {
        const char* name;
        std::string description;
        std::string passed;
    };
    const Case cases[] = {
        {"short", "A round pot", "A round pot"},
        {"apostrophes", "Grandma's 'best' pot", "Grandmas best pot"},
        {"sixty characters", std::string(60, 'x'), std::string(50, 'x') + "..."},
        {"exactly fifty", std::string(50, 'y'), std::string(50, 'y') + "..."},
        {"tag between words", "Red<BR>pot", "Red pot"},
        {"tag beside a blank", "Red <B>pot</B>", "Red pot"},
        {"tags count towards the cut", "<B>" + std::string(50, 'z') + "</B>", std::string(47, 'z') + "..."},
        {"tag cut open", std::string(45, 'w') + " <FONT COLOR=red>", std::string(45, 'w') + " ..."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(basketDescription(c.description), c.passed);
    }
}

} // namespace
