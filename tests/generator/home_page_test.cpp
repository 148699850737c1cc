// The home page and its companions, written by HomePage on a run prepared
// as the driver prepares it for its home-page step. Each case under
// golden-home/<case>/ holds the data file (catalogue.txt), its settings as
// "name=value" lines (settings.txt, applied after base-settings.txt), files
// for the program folder under program/, the expected pages under
// expected/, and the pictures to draw in pictures.txt ("name width height").
// The page's window name stands as "@WINDOW@" there, after the quote
// that opens it (an order window's name adds an "X" in front). Every file
// the home page writes must be expected; the files it copies are listed in
// expected/copies.txt ("written source", the source within the run's folder). With VIMRA_GOLDEN_REFRESH=1 in the
// environment the expected files are rewritten from the run instead.
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <gtest/gtest.h>
#include <initializer_list>
#include <set>
#include <vector>

#include "generator/currency_script.h"
#include "generator/expires_tag.h"
#include "generator/generate.h"
#include "generator/generation_run.h"
#include "generator/home_facts.h"
#include "generator/home_page.h"
#include "generator/home_page_pieces.h"
#include "generator/page_writer.h"
#include "generator/tax_file.h"
#include "model/paths.h"
#include "model/settings_store.h"
#include "tests/generator/step_run.h"
#include "tests/generator/test_bytes.h"
#include "tests/support/golden_files.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

const fs::path kCasesDir = fs::path(VIMRA_SOURCE_DIR) / "tests" / "generator" / "golden-home";
const char* const kPages[] = {"zk000000.html", "zk100000.html", "zko00001.html"};

// A run prepared up to the driver's home-page step.
class HomeRun : public StepRun {
public:
    HomeRun() { blocks->general.basketFlags = 1; }

    // The driver's steps before the home page: the data file opened, the
    // lists, labels, fonts and decorations, the working copies of settings,
    // the modes and counters, the header block.
    void prepare(const std::string& catalogue) {
        const GeneralSettings& g = blocks->general;
        setenv("TZ", "UTC", 1);
        tzset();
        ASSERT_TRUE(startRun(catalogue));
        run->basketFlags = g.basketFlags;
        run->lists.open(run->programFile("files01.dat"), (dir / "search" / "search01.dat").string(),
                        (dir / "search" / "pages01.dat").string(), g.searchPlacement != 0);
        run->commonText.load(run->programFile("titles.dat"));
        run->fontTags = buildFontTags(blocks->appearance);
        preparePageDecorations(*run);
        run->currencySymbol = mainCurrencySymbol(g);
        run->fieldDelimiter = g.separatorKind == 1 ? '\t' : g.separatorKind == 2 ? '|' : ',';
        run->expiresTag = expiresMetaTag(g.expiryDate);
        const int taxTypes = g.includeTax ? readTaxTypeCount(run->programFile("zktax.dat")) : 0;
        const RunModes modes = runModesFor(blocks->appearance, g, taxTypes);
        run->basketFrameIndex = modes.basketFrameIndex;
        run->basketMode = modes.basketMode;
        run->taxMode = modes.taxMode;
        run->reader.setFieldDelimiter(run->fieldDelimiter);
        run->reader.readHeaderBlock();
        run->charset = run->reader.header().charset.empty() ? "iso-8859-1" : run->reader.header().charset;
    }

    int writeHomePage() { return finishStep(HomePage(*run)); }

    // A written page with the run's folder and window name put back as @TMP@ and @WINDOW@.
    std::string page(const char* name) const { return normalised(readFile(dir / "out" / name)); }
    std::string normalised(const std::string& text) const {
        return withWindowPlaceholder(replaceAll(text, dir.str(), "@TMP@"), run->windowName);
    }
};

class GoldenHomePage : public ::testing::TestWithParam<const char*> {};

TEST_P(GoldenHomePage, MatchesExpectedPagesByteForByte) {
    const fs::path caseDir = kCasesDir / GetParam();
    HomeRun home;
    ASSERT_NO_FATAL_FAILURE(home.takeCase(caseDir));
    ASSERT_NO_FATAL_FAILURE(home.prepare(readFile(caseDir / "catalogue.txt")));
    const std::set<fs::path> inputs = regularFilesUnder(home.dir / "out");
    ASSERT_EQ(home.writeHomePage(), 0) << home.diagnostics;
    EXPECT_EQ(home.diagnostics, "");
    const GoldenRun run = home.goldenRun(caseDir, inputs, [&](const std::string& text) { return home.normalised(text); });
    if (goldenRefreshRequested()) {
        rewriteExpectedFiles(run);
        GTEST_SKIP() << "expected files rewritten; review them with git diff";
    }
    // The three pages always, and any other file the case expects (zkaltcurr.js).
    for (const char* name : kPages)
        EXPECT_TRUE(home.written(name)) << name;
    EXPECT_TRUE(matchesExpectedFiles(run));
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenHomePage,
                         ::testing::Values("no_basket", "two_frames", "three_frames_vertical_header",
                                           "three_frames_horizontal", "tax_one", "tax_two", "item_tax",
                                           "currencies", "order_custom_form", "order_address",
                                           "payment_worldpay", "payment_internetsecure", "payment_authorizenet",
                                           "payment_securetrading", "payment_generic",
                                           "delivery_charges", "payment_worldpay_tax_delivery",
                                           "payment_authorizenet_tax_delivery", "payment_internetsecure_delivery",
                                           "payment_generic_tax", "order_address_tax", "music"));

// The page the order goes to is uploaded with the catalogue: a custom form
// is copied beside the home page unless it has an address of its own, and
// the order address's page is listed under its last name; the SecureTrading
// order page is copied too.
TEST(HomePage, CopiesAndListsThePagesTheOrderGoesTo) {
    struct Case {
        const char* name;
        const char* settings;
        std::vector<const char*> copied;
        std::vector<const char*> listedOnly;
    };
    const Case cases[] = {
        {"custom form", "useCustomForm=1\ncustomFormFile=@TMP@/shop/form.html", {"form.html"}, {}},
        {"custom form at an address",
         "useCustomForm=1\ncustomFormFile=@TMP@/shop/form.html\ncustomFormUrl=https://secure.example/f.html",
         {},
         {"form.html"}},
        {"order address", "orderFormUrl=https://secure.example/shop/order.html", {}, {"order.html"}},
        {"SecureTrading",
         "useCustomForm=1\ncustomFormFile=@TMP@/shop/form.html\npaymentGateway=4\n"
         "secureTradingPage=@TMP@/shop/pay/zkorderpage.html",
         {"form.html", "zkorderpage.html"},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HomeRun home;
        ASSERT_NO_FATAL_FAILURE(home.settings(readFile(kCasesDir / "base-settings.txt")));
        ASSERT_NO_FATAL_FAILURE(home.settings(c.settings));
        writeFile(home.dir / "shop" / "form.html", "<html>form</html>\n");
        fs::create_directories(home.dir / "shop" / "pay");
        writeFile(home.dir / "shop" / "pay" / "zkorderpage.html", "<html>order page</html>\n");
        ASSERT_NO_FATAL_FAILURE(home.prepare("Apple,1.50,,Crisp\n"));
        ASSERT_EQ(home.writeHomePage(), 0) << home.diagnostics;
        EXPECT_EQ(home.diagnostics, "");
        const std::string list = readFile(home.dir / "program" / "files01.dat");
        auto listed = [&](const char* name) {
            const std::string line = join((home.dir / "out").string(), name) + "\n";
            std::size_t count = 0;
            for (std::size_t at = list.find(line); at != std::string::npos; at = list.find(line, at + 1))
                ++count;
            return count;
        };
        for (const char* name : c.copied) {
            EXPECT_TRUE(home.written(name)) << name;
            EXPECT_EQ(listed(name), 1u) << name;
        }
        for (const char* name : c.listedOnly) {
            EXPECT_FALSE(home.written(name)) << name;
            EXPECT_EQ(listed(name), 1u) << name;
        }
    }
}

// With tax and delivery charges the providers' forms carry a tax entry and
// a delivery entry, and paying adds the delivery the visitor has chosen by
// then. The forms are written alone here: they are ShowBasket's last
// statements.
TEST(HomePage, PaymentFormsCarryTaxAndDelivery) {
    struct Case {
        const char* provider;
        std::vector<const char*> parts;
    };
    const Case cases[] = {
        {"1",
         {R"js(NAME=code"+iNo+" VALUE=\"~WP_TAX\")js", R"js(VALUE=\""+fa(parseFloat(fa(fIncTax))-parseFloat(fa(fOrderTotal)))+"\")js",
          R"js(NAME=code"+iNo+" VALUE=\"~WP_PNP\")js", R"js(VALUE=\""+fa(DelivCost)+"\")js",
          R"js(f.elements["+((iNo-2)*4+2)+"].value=parent.fa(parent.DelivCost);f.elements["+((iNo-2)*4+4)+"].value=\"Delivery - \"+parent.Sch;)js",
          R"js(if(parent.iItems==0){alert(\"There are no items ordered\");return;})js"}},
        {"2",
         {R"js(if(fIncTax>fOrderTotal)s+="|"+fa(fIncTax-fOrderTotal)+"::1::TAX::"+TName+"::::";)js",
          R"js(if(lines==null)lines=f.Products.value;f.Products.value=lines+\"|\"+parent.fa(parent.DelivCost)+\"::1::DLV::\"+parent.Sch+\"::::\";f.submit();)js"}},
        {"3",
         {R"js(+(fa(p.cost)!=fa(p.tcost)?" ("+fa(p.tcost)+")":"")+"; ";)js", R"js(NAME=x_Amount VALUE=\""+fa(fIncTax)+"\")js",
          R"js(f.x_Description.value+=\"  Delivery: \"+parent.fa(parent.DelivCost)+\" \"+parent.Sch;)js",
          R"js(f.x_Amount.value=parent.fa(parseFloat(parent.fa(parent.fIncTax))+parseFloat(parent.fa(parent.DelivCost)));)js"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.provider);
        HomeRun home;
        ASSERT_NO_FATAL_FAILURE(home.settings(readFile(kCasesDir / "base-settings.txt")));
        ASSERT_NO_FATAL_FAILURE(home.settings(std::string("includeTax=1\norderFormFlags=3\nuseCustomForm=1\n") +
                                              "paymentGateway=" + c.provider));
        ASSERT_NO_FATAL_FAILURE(home.prepare("Apple,1.50,,Crisp\n"));
        const HomeFacts facts = homeFactsFor(*home.run);
        const fs::path path = home.dir / "form.js";
        {
            PageWriter out;
            ASSERT_TRUE(out.open(path.string()));
            writePaymentForm(*home.run, out, facts);
            ASSERT_TRUE(out.close());
        }
        const std::string form = readFile(path);
        for (const char* part : c.parts)
            EXPECT_NE(form.find(part), std::string::npos) << part << "\n" << form;
    }
}

TEST(HomePage, ListsItsPagesForUploadAndNamesAFreshWindow) {
    HomeRun home;
    ASSERT_NO_FATAL_FAILURE(home.settings(readFile(kCasesDir / "base-settings.txt")));
    ASSERT_NO_FATAL_FAILURE(home.prepare("Apple,1.50,,Crisp\n"));
    ASSERT_EQ(home.writeHomePage(), 0);
    const std::string list = readFile(home.dir / "program" / "files01.dat");
    for (const char* name : kPages)
        EXPECT_NE(list.find(join((home.dir / "out").string(), name) + "\n"), std::string::npos) << name;
    const std::string& window = home.run->windowName;
    ASSERT_GE(window.size(), 2u);
    EXPECT_EQ(window[0], 'W');
    EXPECT_LT(std::atol(window.c_str() + 1), 254658);
    EXPECT_NE(readFile(home.dir / "out" / "zk000000.html").find("window.name=\"" + window + "\";\n"),
              std::string::npos);
}

// The basket is drawn into the frame the layout gives it, and a line with
// options returns to its item in the item frame, past a header frame.
TEST(HomePage, BasketAndItemFramesFollowTheLayout) {
    struct Case {
        const char* name;
        const char* settings;
        int basketFrame;
        int itemFrame;
        const char* frameset;
    };
    const Case cases[] = {
        {"two frames", "threeFrameStyle=0", 1, 1,
         "<FRAMESET COLS=180,*><FRAME FRAMEBORDER=1 SCROLLING=AUTO SRC=\"+Fr1+\" NAME=ZKLIST><FRAME FRAMEBORDER=1 "
         "SCROLLING=AUTO SRC=\"+Fr2+\" NAME=ZKITEM></FRAMESET>\");"},
        {"two frames under a header", "threeFrameStyle=0\nincludeHeaderFrame=1", 2, 2,
         "NAME=ZKHEADER><FRAMESET COLS=180,*>"},
        {"three frames", "threeFrameStyle=1", 2, 1, "<FRAMESET ROWS=*,110><FRAMESET COLS=180,*>"},
        {"three frames under a header", "threeFrameStyle=1\nincludeHeaderFrame=1\nverticalMainSplit=1", 3, 2,
         "NAME=ZKHEADER><FRAMESET COLS=180,*><FRAME FRAMEBORDER=1 SCROLLING=AUTO SRC=\"+Fr1+\" NAME=ZKLIST>"
         "<FRAMESET ROWS=*,110>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HomeRun home;
        ASSERT_NO_FATAL_FAILURE(home.settings(readFile(kCasesDir / "base-settings.txt")));
        ASSERT_NO_FATAL_FAILURE(home.settings(c.settings));
        ASSERT_NO_FATAL_FAILURE(home.prepare("#!SELECT1=Size;\nTee,10.00,,Small|Large,Cotton\n"));
        ASSERT_EQ(home.writeHomePage(), 0) << home.diagnostics;
        const std::string page = home.page("zk000000.html");
        const std::string basket = "function ShowBasket(){var d=frames[" + std::to_string(c.basketFrame) + "]";
        const std::string order = "frames[" + std::to_string(c.basketFrame) + "].location=t1+\"zko00000.html\"";
        const std::string item = "frames[" + std::to_string(c.itemFrame) + "].location=prods[it].h;";
        const std::string image = "var d=frames[" + std::to_string(c.itemFrame) + "].document;";
        for (const std::string& part : {basket, order, item, image, std::string(c.frameset)})
            EXPECT_NE(page.find(part), std::string::npos) << part;
    }
}

// The companions' backgrounds: the basket's in its plain page form, with
// "fixed" only in mode 2 and none in mode 0.
TEST(HomePage, CompanionPagesCarryTheFrameBackgrounds) {
    struct Case {
        const char* mode;
        const char* basketPage;
    };
    const Case cases[] = {
        {"0", "<html><body bgcolor=EEEEFF></body>"},
        {"1", "<html><body BACKGROUND=paper.gif bgcolor=EEEEFF></body>"},
        {"2", "<html><body BACKGROUND=paper.gif bgproperties=\"fixed\" bgcolor=EEEEFF></body>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        HomeRun home;
        ASSERT_NO_FATAL_FAILURE(home.settings(readFile(kCasesDir / "base-settings.txt")));
        ASSERT_NO_FATAL_FAILURE(home.settings(std::string("basketBackgroundImage=@TMP@/shop/paper.gif\n") +
                                              "basketBackgroundImageMode=" + c.mode));
        writeFile(home.dir / "shop" / "paper.gif", gifBytes(64, 64));
        ASSERT_NO_FATAL_FAILURE(home.prepare("Apple,1.50,,Crisp\n"));
        ASSERT_EQ(home.writeHomePage(), 0) << home.diagnostics;
        EXPECT_EQ(home.page("zko00001.html"),
                  std::string(c.basketPage) + "<SCRIPT LANGUAGE=JAVASCRIPT>if(parent.AddProdToQuote)parent.AddProdToQuote(\"\")</SCRIPT></html>\n");
        EXPECT_EQ(home.written("paper.gif"), std::string(c.mode) != "0");
    }
}

// A feature whose piece is not written yet refuses: no home page, a reason
// on the diagnostic stream, the run fails. Off, or where the page does not
// use it, it is accepted.
// Every feature that puts a piece into the home page, on alone, with and
// without the basket: the page is written and nothing is named as missing.
TEST(HomePage, IsWrittenWithEachFeatureOn) {
    // The currency list's header: format 213, entry count, include flag.
    auto currencyList = [](int entries, int include) {
        std::string bytes(288, '\0');
        bytes[0] = static_cast<char>(213);
        bytes[2] = static_cast<char>(entries);
        bytes[8] = static_cast<char>(include);
        return bytes + std::string(104 * entries, '\0');
    };
    struct Case {
        const char* name;
        const char* settings;
        std::string currencies;   // zkcurr.dat, none when empty
    };
    const Case cases[] = {
        {"tax", "includeTax=1", ""},
        {"tax without a basket", "includeTax=1\nbasketFlags=0", ""},
        {"delivery charges", "orderFormFlags=3", ""},
        {"delivery charges without a basket", "orderFormFlags=2\nbasketFlags=0", ""},
        {"custom form", "useCustomForm=1", ""},
        {"order address", "orderFormUrl=http://shop.example/order.html", ""},
        {"generic provider", "paymentGateway=5", ""},
        {"provider without a custom form", "paymentGateway=1", ""},
        {"alternate currencies", "", currencyList(1, 1)},
        {"currencies not included", "", currencyList(1, 0)},
        {"currency list without entries", "", currencyList(0, 1)},
        {"alternate currencies without a basket", "basketFlags=0", currencyList(1, 1)},
        {"music", "musicFlags=4", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HomeRun home;
        ASSERT_NO_FATAL_FAILURE(home.settings(readFile(kCasesDir / "base-settings.txt")));
        ASSERT_NO_FATAL_FAILURE(home.settings(c.settings));
        if (!c.currencies.empty())
            writeFile(home.dir / "program" / "zkcurr.dat", c.currencies);
        ASSERT_NO_FATAL_FAILURE(home.prepare("Apple,1.50,,Crisp\n"));
        const int result = home.writeHomePage();
        EXPECT_EQ(result, 0) << home.diagnostics;
        EXPECT_EQ(home.diagnostics, "");
        EXPECT_TRUE(home.written("zk000000.html"));
        EXPECT_TRUE(home.run->unwrittenFiles.empty());
    }
}

// zktax.dat as the Tax dialog writes it: name, rate, use-item-rates flag.
struct TaxRecord {
    const char* name;
    double rate;
    bool itemRates;
};
std::string taxFile(std::initializer_list<TaxRecord> types) {
    TestBytes file;
    file.i16(132).i16(static_cast<std::int16_t>(types.size())).i16(0);
    for (const TaxRecord& t : types)
        file.text(t.name, 41).zeros(7).f64(t.rate).i16(1).i16(t.itemRates ? 1 : 0).zeros(4);
    return file.str();
}

// zkcurr.dat with its include flag and entries of symbol, rate, symbol
// after the amount and decimal places as stored (unclamped).
struct CurrencyRecord {
    const char* symbol;
    double rate;
    bool after;
    std::int16_t decimals;
};
std::string currencyFile(bool include, std::initializer_list<CurrencyRecord> entries) {
    TestBytes file;
    file.i16(213).i16(static_cast<std::int16_t>(entries.size())).i16(0).i16(0).i32(include ? 1 : 0);
    file.i32(0).i32(0).i32(0).i32(0).zeros(260);
    for (const CurrencyRecord& e : entries) {
        file.text("", 41).text(e.symbol, 21).zeros(2).f64(e.rate).byte(e.after ? 1 : 0).zeros(1);
        file.i16(1).i16(e.decimals).zeros(26);
    }
    return file.str();
}

// What the tax types and the data file's item tax types put into the
// basket script: the first two types only, 0.0 for a type that leaves the
// rate to the items, multipliers with four decimals.
TEST(HomePage, TaxScriptFollowsTheTaxTypes) {
    struct Case {
        const char* name;
        const char* settings;
        std::string taxes;   // zktax.dat, none when empty
        const char* catalogue;
        std::vector<std::string> present;
        std::vector<std::string> absent;
    };
    const Case cases[] = {
        {"three tax types", "includeTax=1", taxFile({{"VAT", 17.5, false}, {"Export", 0, false}, {"Luxury", 25, false}}),
         "Lamp,40.00,,Desk lamp\n",
         {"var tts=new Array(\"VAT\",\"Export\",\"\"), trs=new Array(1.1750,1.0000,0.0);\n", "SetTax(0);\n",
          "<OPTION\"+(iTT==1?\" SELECTED\":\"\")+\">Export</SELECT>"},
         {"Luxury", "itts"}},
        {"a type that uses the items' rates", "includeTax=1",
         taxFile({{"Items", 17.5, true}, {"Flat", 5, false}}), "#!TAX1=Food;5;\nBread,2.00,,1,Loaf\n",
         {"trs=new Array(0.0000,1.0500,0.0);", "var itts=new Array(\"Food\",\"\"), itrs=new Array(1.0500,0.0);\n",
          "prods[n].tcost=fa(prods[n].cost*(fTRate==0.0?itrs[prods[n].itt]:fTRate));",
          "function TaxDisplay(c,r){if(fTRate<=0.0){", "AddProdToQuote(cd,desc,up,qty,h,ps,itt1)",
          "if(fTRate<=0.0){d.write(\"<TR><TD COLSPAN=5>\");for(n=0;n<1;n++)"},
         {}},
        {"one tax type", "includeTax=1\ntaxRate=17.5\ntaxDescription=VAT", taxFile({{"VAT", 17.5, false}}),
         "Lamp,40.00,,Desk lamp\n",
         {"prods[iP].tcost=fa(ln*1.1750);", "+VAT <FONT SIZE=-1>17.50%</TD>", "fa(p.up*p.qty*1.1750)"},
         {"ttsel", "trs[iTT]"}},
        {"no tax types", "includeTax=1\ntaxDescription=Tax", "", "Lamp,40.00,,Desk lamp\n",
         {"+Tax <FONT SIZE=-1>0.00%</TD>", "fa(p.up*p.qty*1.0000)", "fIncTax+=parseFloat(prods[iP].tcost);"},
         {"SetTax", "fIncTax-=prods[iP].tcost;prods[iP].tcost"}},
        {"item tax types without tax", "", taxFile({{"VAT", 17.5, false}}), "#!TAX1=Food;5;\nBread,2.00,,1,Loaf\n",
         {"function ProdQuote(cd,d,up,q,h,ps){", "AddProdToQuote(cd,desc,up,qty,h,ps){"},
         {"itts", "tts", "TaxAmt", "fIncTax+=parseFloat"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HomeRun home;
        ASSERT_NO_FATAL_FAILURE(home.settings(readFile(kCasesDir / "base-settings.txt")));
        ASSERT_NO_FATAL_FAILURE(home.settings(c.settings));
        if (!c.taxes.empty())
            writeFile(home.dir / "program" / "zktax.dat", c.taxes);
        ASSERT_NO_FATAL_FAILURE(home.prepare(c.catalogue));
        ASSERT_EQ(home.writeHomePage(), 0) << home.diagnostics;
        const std::string page = home.page("zk000000.html");
        for (const std::string& part : c.present)
            EXPECT_NE(page.find(part), std::string::npos) << part;
        for (const std::string& part : c.absent)
            EXPECT_EQ(page.find(part), std::string::npos) << part;
    }
}

// The alternate-currency flag is worked out once, with the page
// decorations, and the home page keeps it: item pages call the currency
// functions exactly when the home page defines them.
TEST(HomePage, CurrencyScriptOnlyWithAlternateCurrenciesAndABasket) {
    struct Case {
        const char* name;
        const char* settings;
        std::string currencies;
        bool offered;
    };
    const Case cases[] = {
        {"two currencies", "", currencyFile(true, {{"EUR", 1.165, false, 2}, {"US$", 1.2734, true, 9}}), true},
        {"include flag without entries", "", currencyFile(true, {}), false},
        {"entries not included", "", currencyFile(false, {{"EUR", 1.165, false, 2}}), false},
        {"no basket", "basketFlags=0", currencyFile(true, {{"EUR", 1.165, false, 2}}), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HomeRun home;
        ASSERT_NO_FATAL_FAILURE(home.settings(readFile(kCasesDir / "base-settings.txt")));
        ASSERT_NO_FATAL_FAILURE(home.settings(c.settings));
        writeFile(home.dir / "program" / "zkcurr.dat", c.currencies);
        ASSERT_NO_FATAL_FAILURE(home.prepare("#!SELECT1=Size;\nTee,10.00,,#!PV;Small|Large (2.50),Cotton tee\n"));
        EXPECT_EQ(home.run->currencyConversion, c.offered);
        ASSERT_EQ(home.writeHomePage(), 0) << home.diagnostics;
        EXPECT_EQ(home.run->currencyConversion, c.offered);
        const std::string page = home.page("zk000000.html");
        EXPECT_EQ(home.written("zkaltcurr.js"), c.offered);
        for (const char* part : {"Currs", "CurrConv", "DPVsel", "SetCurr", "CCR", "zkaltcurr.js"})
            EXPECT_EQ(page.find(part) != std::string::npos, c.offered) << part;
        if (!c.offered)
            continue;
        // Nine decimal places in the file are six in the script.
        EXPECT_NE(page.find("CurrDP=new Array(2,2,6,0);\nvar iNoCurr=3;\n"), std::string::npos);
        const std::string script = join((home.dir / "out").string(), "zkaltcurr.js");
        EXPECT_NE(readFile(home.dir / "program" / "files01.dat").find(script + "\n"), std::string::npos);
        // The inline arrays come first: the script file, when the server has a newer one, overrides them.
        EXPECT_NE(page.find("var CurrText=\"\";\n</SCRIPT><SCRIPT SRC=\"zkaltcurr.js\" LANGUAGE=JAVASCRIPT></SCRIPT>"
                            "<SCRIPT LANGUAGE=JAVASCRIPT>var CurrCurr=0,CCR=1.0;\n"),
                  std::string::npos);
    }
}

TEST(HomePage, AnOutputFolderThatCannotHoldThePageFails) {
    HomeRun home;
    ASSERT_NO_FATAL_FAILURE(home.settings(readFile(kCasesDir / "base-settings.txt")));
    ASSERT_NO_FATAL_FAILURE(home.prepare("Apple,1.50,,Crisp\n"));
    fs::create_directories(home.dir / "out" / "zk000000.html");   // a folder in the page's place
    EXPECT_EQ(home.writeHomePage(), 1);
    EXPECT_NE(home.diagnostics.find("couldn't open <"), std::string::npos) << home.diagnostics;
}

} // namespace
