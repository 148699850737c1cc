// vimra-cli tax, currency, currency-script, delivery and order-form run as a
// child process on a fresh copy of the built program directory.
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

#include "generator/currency_file.h"
#include "generator/delivery_file.h"
#include "generator/order_form_files.h"
#include "generator/tax_file.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

using Args = std::vector<std::string>;

// A command line of plain words, as the tables below write them.
Args words(const std::string& line) {
    Args args;
    std::istringstream in(line);
    for (std::string word; in >> word;)
        args.push_back(word);
    return args;
}

class DataCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        home = dir / "program";
        copyFreshProgramDirectory(VIMRA_PROGRAM_DIR, home);
        for (const char* name : {"zkas.dat", "zktax.dat", "zkcurr.dat", "zkdlv01.dat", "ZKOT.dat", "zkof01.dat",
                                 "zkticker.dat"})
            fs::remove(home / name);
    }

    ChildResult vimra(const Args& args) {
        return runChild(home / "vimra-cli", args, {{{"VIMRA_HOME", home.string()}}});
    }

    void expectRuns(const Args& args) {
        ChildResult result = vimra(args);
        EXPECT_EQ(result.status, 0) << args.front() << "\n" << result.errors;
    }

    std::string file(std::string_view name) const { return (home / name).string(); }

    TempDir dir;
    fs::path home;
};

} // namespace

TEST_F(DataCommandsTest, TaxTypesAreAddedListedRemovedAndCleared) {
    expectRuns({"tax", "add", "VAT", "17.5"});
    expectRuns({"tax", "add", "Item rates", "0", "--item-rates"});
    expectRuns({"tax", "add", "Third", "5"});
    TaxTypes types;
    types.load(file(kTaxFile));
    ASSERT_EQ(types.count(), 3);
    EXPECT_EQ(types.rate(0), 17.5);
    EXPECT_TRUE(types.useItemRates(1));

    expectRuns({"tax", "remove", "3"});
    ChildResult list = vimra({"tax", "list"});
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.out, "1\tVAT\t17.50\n2\tItem rates\t0.00\titem rates\n");

    ChildResult missing = vimra({"tax", "remove", "3"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.errors, "vimra-cli: there is no tax type 3\n");
    // The first type is the single rate the basket shows, as the dialog's OK leaves it.
    EXPECT_EQ(vimra({"settings", "get", "taxDescription", "taxRate"}).out, "VAT\n17.5\n");

    expectRuns({"tax", "clear"});
    EXPECT_EQ(readTaxTypeCount(file(kTaxFile)), 0);
    EXPECT_EQ(vimra({"tax", "list"}).out, "");
    EXPECT_EQ(vimra({"settings", "get", "taxDescription", "taxRate"}).out, "\n0\n");
}

TEST_F(DataCommandsTest, CurrenciesAreEditedAndTheScriptWrittenAlone) {
    expectRuns({"currency", "add", "EUR", "1.165"});
    expectRuns({"currency", "add", "US$", "1.2734", "--after", "--decimals", "9"});
    expectRuns({"currency", "add", "GBP", "0.9", "--at", "1", "--decimals", "0"});
    expectRuns({"currency", "conversion", "on"});
    expectRuns({"currency", "text", "Prices in \"your\" currency"});
    ChildResult list = vimra({"currency", "list"});
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.out, "conversion on\n"
                        "text Prices in \"your\" currency\n"
                        "1\tGBP\t0.9000\tbefore\t0\n"
                        "2\tEUR\t1.1650\tbefore\t2\n"
                        "3\tUS$\t1.2734\tafter\t6\n");
    expectRuns({"currency", "remove", "1"});
    CurrencyList currencies;
    currencies.load(file(kCurrencyFile));
    ASSERT_EQ(currencies.count(), 2);
    EXPECT_TRUE(currencies.conversionOn());
    EXPECT_EQ(currencies.symbol(0), "EUR");

    // The factory settings: the pound sign, symbol first, two decimals.
    ChildResult script = vimra({"currency-script"});
    ASSERT_EQ(script.status, 0) << script.errors;
    const fs::path written = home / "output" / "zkaltcurr.js";
    EXPECT_EQ(script.out, written.string() + "\n");
    EXPECT_EQ(readFile(written), readFile(fs::path(VIMRA_SOURCE_DIR) / "tests" / "generator" / "data" /
                                          "zkaltcurr-two-currencies.js"));
    EXPECT_EQ(readFile(home / "files01.dat"), written.string() + "\n");

    expectRuns({"currency", "conversion", "off"});
    currencies.load(file(kCurrencyFile));
    EXPECT_FALSE(currencies.conversionOn());
    EXPECT_EQ(currencies.text(CurrencyText::Basket), "Prices in \"your\" currency");
}

TEST_F(DataCommandsTest, DeliverySchedulesAreCheckedAndListed) {
    expectRuns({"delivery", "add-formula", "Standard", "--initial", "2.5", "--factor", "0.1", "--min", "5"});
    expectRuns({"delivery", "add-range", "By items", "--basis", "items", "1:3", "5:6"});
    ChildResult list = vimra({"delivery", "list"});
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.out, "1\tStandard\tformula\torder cost\n"
                        "\tCost = 2.50 + 0.10 * (order cost)\n"
                        "\tminimum 5.00\n"
                        "2\tBy items\tranges\tnumber of items\n"
                        "\t1 to 4: 3.00\n"
                        "\t5 and over: 6.00\n");

    ChildResult falling = vimra({"delivery", "add-range", "Falling", "5:1", "3:2"});
    EXPECT_EQ(falling.status, 1);
    EXPECT_NE(falling.errors.find("Ranges must be entered in ascending order (1)"), std::string::npos) << falling.errors;

    DeliverySchedules schedules;
    schedules.load(file(kDeliveryFile));
    ASSERT_EQ(schedules.count(), 2);
    EXPECT_EQ(schedules.schedules()[1].ranges[1].charge, 6.0);

    expectRuns({"delivery", "remove", "1"});
    schedules.load(file(kDeliveryFile));
    ASSERT_EQ(schedules.count(), 1);
    EXPECT_EQ(schedules.schedules()[0].name, "By items");
}

TEST_F(DataCommandsTest, FortyFirstDeliveryScheduleIsRefused) {
    for (int i = 0; i < kDeliverySlots; ++i)
        ASSERT_EQ(vimra({"delivery", "add-formula", "s" + std::to_string(i), "--factor", "1"}).status, 0) << i;
    ChildResult more = vimra({"delivery", "add-formula", "more", "--factor", "1"});
    EXPECT_EQ(more.status, 1);
    EXPECT_NE(more.errors.find("Cannot insert another delivery schedule - limit reached"), std::string::npos);
    DeliverySchedules schedules;
    schedules.load(file(kDeliveryFile));
    EXPECT_EQ(schedules.count(), kDeliverySlots);
}

TEST_F(DataCommandsTest, OrderFormAddressTextAndTemplate) {
    expectRuns({"order-form", "set", "address1", "The Tea Shop"});
    expectRuns({"order-form", "set", "address7", "England"});
    expectRuns({"order-form", "set", "text", "Thank you\nfor your order"});
    ChildResult show = vimra({"order-form", "show"});
    EXPECT_EQ(show.out, "address1=The Tea Shop\naddress2=\naddress3=\naddress4=\naddress5=\naddress6=\n"
                        "address7=England\ntext=Thank you\nfor your order\n");
    OrderText text = readOrderText(file(kOrderTextFile));
    EXPECT_EQ(text.format, kOrderTextFormat);
    EXPECT_EQ(text.extraText, "Thank you\r\nfor your order");

    writeFile(dir / "form.html", "<html>\n<!-- VIMRA START1 -->\n</html>\n");
    expectRuns({"order-form", "template", (dir / "form.html").string()});
    EXPECT_EQ(readFile(home / "zkof01.dat"), "<html>\n<!-- VIMRA START1 -->\n</html>\n");
    EXPECT_EQ(vimra({"order-form", "template", (dir / "none.html").string()}).status, 1);
}

TEST_F(DataCommandsTest, UsageErrorsExitTwoAndChangeNothing) {
    expectRuns({"tax", "add", "VAT", "20"});
    const std::string taxBefore = readFile(home / "zktax.dat");
    const char* cases[] = {
        "tax",
        "tax add VAT",
        "tax add VAT twenty",
        "tax add VAT nan",
        "tax remove 0",
        "tax list extra",
        "tax frobnicate",
        "currency add EUR inf",
        "currency add EUR 1 --decimals two",
        "currency conversion maybe",
        "currency-script extra",
        "delivery add-formula NoFactor",
        "delivery add-range Bad 5",
        "delivery add-range Bad 1:x",
        "delivery add-range Bad --basis weight 1:2",
        "delivery add-range Many 1:1 2:1 3:1 4:1 5:1 6:1 7:1 8:1 9:1 10:1 11:1",
        "order-form set address8 x",
        "order-form set phone x",
    };
    for (const char* args : cases) {
        SCOPED_TRACE(args);
        ChildResult result = vimra(words(args));
        EXPECT_EQ(result.status, 2) << result.errors;
        EXPECT_EQ(result.out, "");
        EXPECT_FALSE(result.errors.empty());
    }
    EXPECT_EQ(readFile(home / "zktax.dat"), taxBefore);
    for (const char* name : {"zkcurr.dat", "zkdlv01.dat", "ZKOT.dat"})
        EXPECT_FALSE(fs::exists(home / name)) << name;
}

TEST_F(DataCommandsTest, HelpGoesToStandardOutput) {
    for (const char* args : {"tax --help", "tax add --help", "currency --help", "currency-script --help",
                             "delivery add-range --help", "order-form --help"}) {
        SCOPED_TRACE(args);
        ChildResult result = vimra(words(args));
        EXPECT_EQ(result.status, 0);
        EXPECT_NE(result.out.find("Usage: vimra-cli"), std::string::npos) << result.out;
        EXPECT_EQ(result.errors, "");
    }
}

TEST_F(DataCommandsTest, ScrollingTextIsSetAndShownAsItStands) {
    ChildResult none = vimra({"ticker", "show"});
    EXPECT_EQ(none.status, 0) << "no zkticker.dat yet: no text";
    EXPECT_EQ(none.out, "");
    expectRuns({"ticker", "set", "Sale <b>now</b> on\nall week"});
    EXPECT_EQ(readFile(home / "zkticker.dat"), "Sale <b>now</b> on\nall week");
    EXPECT_EQ(vimra({"ticker", "show"}).out, "Sale <b>now</b> on\nall week");
    expectRuns({"ticker", "set", ""});
    EXPECT_EQ(readFile(home / "zkticker.dat"), "");

    for (const char* args : {"ticker", "ticker set", "ticker show extra", "ticker scroll"}) {
        SCOPED_TRACE(args);
        EXPECT_EQ(vimra(words(args)).status, 2);
    }
    ChildResult help = vimra({"ticker", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: vimra-cli ticker"), std::string::npos) << help.out;

    fs::remove(home / "zkticker.dat");
    fs::create_directories(home / "zkticker.dat");
    ChildResult unreadable = vimra({"ticker", "show"});
    EXPECT_EQ(unreadable.status, 1);
    EXPECT_EQ(unreadable.errors, "vimra-cli: cannot read <" + file("zkticker.dat") + ">\n");
    EXPECT_EQ(vimra({"ticker", "set", "x"}).status, 1);
}
