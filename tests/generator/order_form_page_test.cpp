// The order form, written by OrderFormPage on a run prepared as the driver
// prepares it after the item pages. Each case under golden-order/<case>/
// holds the data file (catalogue.txt), its settings as "name=value" lines
// (settings.txt, applied after base-settings.txt), the order text
// (order-text.txt: "addressN=..." lines and "text=..." lines, one for each
// line of the closing text), files for the program folder under program/,
// and every file the run writes into the output folder under expected/.
// The home page's window name is "W4242". With VIMRA_GOLDEN_REFRESH=1 in
// the environment the expected files are rewritten from the run instead.
#include <filesystem>
#include <gtest/gtest.h>
#include <vector>

#include "generator/currency_script.h"
#include "generator/generation_run.h"
#include "generator/order_form_files.h"
#include "generator/order_form_page.h"
#include "model/paths.h"
#include "model/settings_fields.h"
#include "model/settings_store.h"
#include "tests/generator/step_run.h"
#include "tests/support/golden_files.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

const fs::path kCasesDir = fs::path(VIMRA_SOURCE_DIR) / "tests" / "generator" / "golden-order";

// A run prepared up to the driver's order-form step.
class OrderRun : public StepRun {
public:
    void orderText(const std::string& text) {
        OrderText order;
        std::string closing;
        for (const std::string& line : textLines(text)) {
            if (line.rfind("address", 0) == 0 && line.size() > 9 && line[8] == '=')
                order.setAddressLine(line[7] - '1', line.substr(9));
            else if (line.rfind("text=", 0) == 0)
                closing += (closing.empty() ? "" : "\n") + line.substr(5);
        }
        order.setExtraText(closing);
        ASSERT_EQ(writeOrderText((dir / "program" / "ZKOT.dat").string(), order), 0);
    }

    void prepare(const std::string& catalogue) {
        ASSERT_TRUE(startRun(catalogue));
        run->lists.open(run->programFile("files01.dat"), (dir / "search" / "search01.dat").string(),
                        (dir / "search" / "pages01.dat").string(), false);
        run->currencySymbol = mainCurrencySymbol(blocks->general);
        run->reader.readHeaderBlock();
        run->windowName = "W4242";
    }

    int writeOrderForm() { return finishStep(OrderFormPage(*run)); }
};

void prepareCase(OrderRun& order, const fs::path& caseDir) {
    ASSERT_NO_FATAL_FAILURE(order.takeCase(caseDir));
    if (fs::exists(caseDir / "order-text.txt")) {
        ASSERT_NO_FATAL_FAILURE(order.orderText(readFile(caseDir / "order-text.txt")));
    }
    ASSERT_NO_FATAL_FAILURE(order.prepare(readFile(caseDir / "catalogue.txt")));
}

class GoldenOrderForm : public ::testing::TestWithParam<const char*> {};

TEST_P(GoldenOrderForm, MatchesExpectedFilesByteForByte) {
    const fs::path caseDir = kCasesDir / GetParam();
    OrderRun order;
    ASSERT_NO_FATAL_FAILURE(prepareCase(order, caseDir));
    ASSERT_EQ(order.writeOrderForm(), 0) << order.diagnostics;
    EXPECT_EQ(order.diagnostics, "");
    EXPECT_TRUE(order.messages.texts().empty());
    // The window name is fixed and the run's folder appears nowhere: the files are compared as written.
    const GoldenRun run{.expectedDir = caseDir / "expected", .runDir = order.dir / "out"};
    if (goldenRefreshRequested()) {
        rewriteExpectedFiles(run);
        GTEST_SKIP() << "expected files rewritten; review them with git diff";
    }
    EXPECT_TRUE(matchesExpectedFiles(run));
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenOrderForm,
                         ::testing::Values("default_print", "default_cgi_delivery", "default_cgi_tax",
                                           "template_markers", "template_without_markers"));

// zko00000.html goes on the upload list; the template form is listed by the
// home page's order hand-over, not here.
TEST(OrderFormPage, ListsTheDefaultPageForUpload) {
    OrderRun order;
    ASSERT_NO_FATAL_FAILURE(prepareCase(order, kCasesDir / "default_print"));
    ASSERT_EQ(order.writeOrderForm(), 0);
    EXPECT_EQ(readFile(order.dir / "program" / "files01.dat"), join((order.dir / "out").string(), "zko00000.html") + "\n");
}

TEST(OrderFormPage, WritesNothingWithoutTheDefaultOrderForm) {
    const char* cases[] = {"orderFormFlags=2", "useCustomForm=1",
                           "useCustomForm=1\norderFormUrl=https://secure.example/order.html"};
    for (const char* settings : cases) {
        SCOPED_TRACE(settings);
        OrderRun order;
        ASSERT_NO_FATAL_FAILURE(prepareCase(order, kCasesDir / "default_print"));
        ASSERT_NO_FATAL_FAILURE(order.settings(settings));
        EXPECT_EQ(order.writeOrderForm(), 0);
        EXPECT_TRUE(fs::is_empty(order.dir / "out"));
    }
}

TEST(OrderFormPage, FailuresAreReportedAndCounted) {
    struct Case {
        const char* name;
        const char* settings;
        bool templateFile;
        const char* blocker;        // a folder in the output's place
        const char* diagnostic;     // on the diagnostic stream, or empty
        const char* message;        // shown to the user, or empty; @TMP@ is the run's folder
    };
    const Case cases[] = {
        {"default page cannot be created", "", false, "zko00000.html", "couldn't open <@TMP@/out/zko00000.html>\n", ""},
        {"template missing", "orderFormUrl=https://secure.example/order.html", false, nullptr, "",
         "couldn't open @TMP@/program/zkof01.dat"},
        {"template output cannot be created", "orderFormUrl=https://secure.example/order.html", true, "order.html",
         "", "couldn't open @TMP@/out/order.html"},
        {"address names no file", "orderFormUrl=https://secure.example/shop/", true, nullptr, "",
         "couldn't open @TMP@/out"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OrderRun order;
        ASSERT_NO_FATAL_FAILURE(prepareCase(order, kCasesDir / "default_print"));
        ASSERT_NO_FATAL_FAILURE(order.settings(c.settings));
        if (c.templateFile)
            writeFile(order.dir / "program" / "zkof01.dat", "<HTML>\n");
        if (c.blocker)
            fs::create_directories(order.dir / "out" / c.blocker);
        EXPECT_EQ(order.writeOrderForm(), -1);
        EXPECT_EQ(order.diagnostics, replaceAll(c.diagnostic, "@TMP@", order.dir.str()));
        const std::vector<std::string> shown = order.messages.texts();
        if (*c.message) {
            ASSERT_EQ(shown.size(), 1u);
            EXPECT_EQ(shown[0].rfind(replaceAll(c.message, "@TMP@", order.dir.str()), 0), 0u) << shown[0];
        } else {
            EXPECT_TRUE(shown.empty());
        }
        EXPECT_EQ(order.run->unwrittenFiles.size(), 1u);
    }
}

} // namespace

namespace {

// The template delivered with the program: every marker is taken, the form
// tag comes before the details inputs the template brings, with cF, and the
// address before the closing text.
TEST(OrderFormPage, TheDeliveredTemplateTakesEveryPiece) {
    OrderRun order;
    ASSERT_NO_FATAL_FAILURE(prepareCase(order, kCasesDir / "template_markers"));
    fs::copy_file(fs::path(VIMRA_SOURCE_DIR) / "package" / "defaults" / "zkof01.dat", order.dir / "program" / "zkof01.dat",
                  fs::copy_options::overwrite_existing);
    ASSERT_EQ(order.writeOrderForm(), 0);
    const std::string page = readFile(order.dir / "out" / "order.html");
    EXPECT_EQ(page.find("VIMRA START"), std::string::npos);
    const std::size_t check = page.find("function cF(e1, n1)");
    const std::size_t form = page.find("<FORM NAME=\"OrdForm\" ONSUBMIT=\"return cF(this.email,this.NAME);\" METHOD=POST "
                                       "ACTION=\"https://secure.example/cgi-bin/order.pl\">\n<INPUT TYPE=HIDDEN "
                                       "NAME=\"recipient\" VALUE=\"orders@shop.example\" >\n");
    const std::size_t name = page.find("<INPUT TYPE=TEXT NAME=\"NAME\"");
    const std::size_t email = page.find("<INPUT TYPE=TEXT NAME=\"email\"");
    const std::size_t formEnd = page.find("</FORM>");
    const std::size_t address = page.find("<FONT COLOR=DARKBLUE>\n  Corner Shop<BR>\n  1 High Street<BR>\n");
    const std::size_t closing = page.find("<P>\nThank you for your order.<BR>We deliver within 7 days.\n</FONT>");
    for (std::size_t at : {check, form, name, email, formEnd, address, closing})
        ASSERT_NE(at, std::string::npos) << page;
    EXPECT_LT(check, form);
    EXPECT_LT(form, name);
    EXPECT_LT(name, email);
    EXPECT_LT(email, formEnd);
    EXPECT_LT(formEnd, address);
    EXPECT_LT(address, closing);
}

} // namespace
