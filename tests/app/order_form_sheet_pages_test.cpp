// The pages of the order form and FTP sheets and of the Currencies dialog:
// what their rows store, the payment provider chosen by the ticked boxes,
// and the address and closing text kept in the order text file.
#include "app/core/order_form_sheet_pages.h"

#include <gtest/gtest.h>

#include <set>

#include "app/core/currency_dialog_rules.h"
#include "app/core/ftp_settings_pages.h"
#include "generator/order_form_files.h"
#include "model/settings_fields.h"
#include "tests/support/temp_dir.h"

namespace {

const FormField& rowOf(std::span<const FormField> page, int control) {
    for (const FormField& field : page)
        if (field.control == control)
            return field;
    throw std::logic_error("no control " + std::to_string(control));
}

std::string stored(const SettingsBlocks& blocks, std::string_view name) {
    std::string value;
    EXPECT_EQ(settingsValue(blocks, name, value), 0) << name;
    return value;
}

}  // namespace

TEST(DataDialogPages, EveryRowNamesAFieldOnce) {
    const std::pair<const char*, std::span<const FormField>> pages[] = {
        {"cgi", orderFormCgiFields()},
        {"custom", customFormFields()},
        {"payment", paymentDetailFields()},
        {"ftp catalogue", ftpPageFields(FtpPage::Catalogue)},
        {"ftp search", ftpPageFields(FtpPage::Search)},
        {"ftp order form", ftpPageFields(FtpPage::OrderForm)},
        {"currencies", mainCurrencyFields()},
    };
    for (const auto& [name, page] : pages) {
        SCOPED_TRACE(name);
        std::set<int> controls;
        std::set<std::string_view> fields;
        for (const FormField& field : page) {
            EXPECT_NE(findSettingsField(field.field), nullptr) << field.field;
            EXPECT_TRUE(controls.insert(field.control).second) << field.control;
            EXPECT_TRUE(fields.insert(field.field).second) << field.field;
        }
    }
}

TEST(DataDialogPages, RowsStoreWhatTheControlHolds) {
    struct Case {
        const char* name;
        std::span<const FormField> page;
        int control;
        FormValue typed;
        const char* field;
        std::string expected;
    };
    const std::string long250(250, 'x');
    const Case cases[] = {
        {"cgi action trimmed and cut", orderFormCgiFields(), 1118, {.text = "  " + long250}, "cgiAction",
         std::string(200, 'x')},
        {"hidden field 5", orderFormCgiFields(), 1123, {.text = " NAME=a VALUE=b "}, "cgiHiddenFields.4",
         "NAME=a VALUE=b"},
        {"method Get", orderFormCgiFields(), 1252, {.choice = 1}, "cgiMethod", "1"},
        {"method Post", orderFormCgiFields(), 1252, {.choice = 0}, "cgiMethod", "0"},
        {"name field cut to 40", orderFormCgiFields(), 1127, {.text = std::string(45, 'n')}, "nameFieldName",
         std::string(40, 'n')},
        {"order form URL kept untrimmed", orderFormCgiFields(), 1255, {.text = " https://a/b "}, "orderFormUrl",
         " https://a/b "},
        {"WorldPay currency cut to 3", paymentDetailFields(), 1280, {.text = "GBPX"}, "worldPayCompany", "GBP"},
        {"generic URL cut to 100", paymentDetailFields(), 1303, {.text = long250}, "genericAction",
         std::string(100, 'x')},
        {"form and ipp", paymentDetailFields(), 1300, {.checked = true}, "formAndGateway", "1"},
        {"host trimmed", ftpPageFields(FtpPage::Search), 1415, {.text = " ftp.example.org "}, "ftpTargets.1.host",
         "ftp.example.org"},
        {"password as typed", ftpPageFields(FtpPage::OrderForm), 1418, {.text = " pass word "},
         "ftpTargets.2.password", " pass word "},
        {"password cut to 20", ftpPageFields(FtpPage::Catalogue), 1418, {.text = std::string(25, 'p')},
         "ftpTargets.0.password", std::string(20, 'p')},
        {"server directory trimmed", ftpPageFields(FtpPage::Catalogue), 1414, {.text = " /www/shop "},
         "ftpTargets.0.serverDirectory", "/www/shop"},
        {"port number", ftpPageFields(FtpPage::Catalogue), 1417, {.text = "2121"}, "ftpTargets.0.port", "2121"},
        {"transfer order form", ftpPageFields(FtpPage::OrderForm), 1243, {.checked = true}, "transferOrderForm", "1"},
        {"search uses the catalogue target", ftpPageFields(FtpPage::Search), 1242, {.checked = true},
         "searchUsesCatalogueTarget", "1"},
        {"pound", mainCurrencyFields(), 1368, {.choice = 0}, "currencySymbolKind", "1"},
        {"dollar", mainCurrencyFields(), 1368, {.choice = 1}, "currencySymbolKind", "2"},
        {"other", mainCurrencyFields(), 1368, {.choice = 2}, "currencySymbolKind", "0"},
        {"other symbol cut to 50", mainCurrencyFields(), 1369, {.text = std::string(60, 's')}, "currencySymbolText",
         std::string(50, 's')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SettingsBlocks blocks{};
        storeFormValue(blocks, rowOf(c.page, c.control), c.typed);
        EXPECT_EQ(stored(blocks, c.field), c.expected);
    }
}

TEST(DataDialogPages, StoredCurrencyKindShowsItsButton) {
    const FormField& kind = rowOf(mainCurrencyFields(), 1368);
    for (auto [stored, button] : {std::pair{1, 0}, {2, 1}, {0, 2}}) {
        SettingsBlocks blocks{};
        blocks.general.currencySymbolKind = static_cast<std::uint8_t>(stored);
        EXPECT_EQ(loadFormValue(blocks, kind).choice, button) << stored;
    }
}

TEST(PaymentProviders, TheLastTickedBoxWins) {
    struct Case {
        const char* name;
        PaymentBoxes boxes;
        int expected;
    };
    const Case cases[] = {
        {"none", {}, 0},
        {"Worldpay", {true, false, false, false, false}, 1},
        {"Worldpay and Generic", {true, false, false, false, true}, 5},
        {"Internet Secure and Authorize.Net", {false, true, true, false, false}, 3},
        {"SecureTrading", {false, false, false, true, false}, 4},
        {"all", {true, true, true, true, true}, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(paymentGatewayOf(c.boxes), c.expected);
        GeneralSettings general{};
        storeOrderFormChoices(general, c.boxes);
        EXPECT_EQ(int(general.paymentGateway), c.expected);
        EXPECT_EQ(int(general.customFormViaUrl), 1);
    }
}

TEST(PaymentProviders, OnlyTheStoredProviderIsTicked) {
    for (int gateway = 1; gateway <= kPaymentProviders; ++gateway) {
        const PaymentBoxes boxes = paymentBoxesOf(gateway);
        EXPECT_EQ(std::count(boxes.begin(), boxes.end(), true), 1) << gateway;
        EXPECT_EQ(paymentGatewayOf(boxes), gateway);
    }
    for (int outside : {0, 6, 255, -1})
        EXPECT_EQ(paymentBoxesOf(outside), PaymentBoxes{}) << outside;
}

TEST(OrderTextPage, LinesAndTextGoToTheOrderTextFile) {
    TempDir dir;
    OrderText before;
    for (int i = 0; i < kOrderAddressLines; ++i)
        before.setAddressLine(i, "old " + std::to_string(i));
    before.setExtraText("old text");
    ASSERT_EQ(writeOrderText((dir / kOrderTextFile).string(), before), 0);
    const std::string programDir = dir.str() + "/";

    OrderTextPage page = loadOrderTextPage(programDir);
    EXPECT_EQ(page.lines[6], "old 6");
    EXPECT_EQ(page.text, "old text");
    page.lines[0] = std::string(70, 'a');
    page.lines[1] = "first\nsecond";
    page.text = "Thank you\nfor your order";
    ASSERT_EQ(storeOrderTextPage(page, programDir), 0);

    const OrderText after = readOrderText((dir / kOrderTextFile).string());
    EXPECT_EQ(after.addressLines[0], std::string(60, 'a'));
    EXPECT_EQ(after.addressLines[1], "first");
    EXPECT_EQ(after.addressLines[6], "old 6");
    EXPECT_EQ(after.addressLines[7], "old 7");   // beyond the page: kept
    EXPECT_EQ(after.extraText, "Thank you\r\nfor your order");
    EXPECT_EQ(loadOrderTextPage(programDir).text, "Thank you\nfor your order");
}

TEST(OrderTextPage, AMissingFileGivesAnEmptyPageAndIsCreated) {
    TempDir dir;
    const std::string programDir = dir.str() + "/";
    OrderTextPage page = loadOrderTextPage(programDir);
    EXPECT_EQ(page.lines[0], "");
    EXPECT_EQ(page.text, "");
    page.lines[2] = "High Street";
    ASSERT_EQ(storeOrderTextPage(page, programDir), 0);
    const OrderText after = readOrderText((dir / kOrderTextFile).string());
    EXPECT_EQ(after.format, kOrderTextFormat);
    EXPECT_EQ(after.addressLines[2], "High Street");
}
