#include "app/core/ftp_settings_pages.h"

#include <vector>

namespace {

// The fields of the three targets the pages edit, by page number.
constexpr std::string_view kHost[] = {"ftpTargets.0.host", "ftpTargets.1.host", "ftpTargets.2.host"};
constexpr std::string_view kPort[] = {"ftpTargets.0.port", "ftpTargets.1.port", "ftpTargets.2.port"};
constexpr std::string_view kUserName[] = {"ftpTargets.0.userName", "ftpTargets.1.userName", "ftpTargets.2.userName"};
constexpr std::string_view kPassword[] = {"ftpTargets.0.password", "ftpTargets.1.password", "ftpTargets.2.password"};
constexpr std::string_view kServerDirectory[] = {"ftpTargets.0.serverDirectory", "ftpTargets.1.serverDirectory",
                                                 "ftpTargets.2.serverDirectory"};
constexpr std::string_view kSave[] = {"ftpTargets.0.save", "ftpTargets.1.save", "ftpTargets.2.save"};

std::vector<FormField> pageFields(FtpPage page, std::vector<FormField> own) {
    const auto n = static_cast<std::size_t>(page);
    std::vector<FormField> fields = {
        {.control = 1415, .label = "host", .field = kHost[n], .conversions = Trim, .maxChars = 50},
        {.control = 1417, .label = "port", .field = kPort[n], .kind = FormControl::Number},
        {.control = 1416, .label = "user name", .field = kUserName[n], .conversions = Trim, .maxChars = 20},
        {.control = 1418, .label = "password", .field = kPassword[n], .maxChars = 20},
        {.control = 1414, .label = "server directory", .field = kServerDirectory[n], .kind = FormControl::RemoteFolder,
         .conversions = Trim, .maxChars = 120, .browseTitle = "Select Remote Directory", .browseControl = 1540},
        {.control = 1419, .label = "save", .field = kSave[n], .kind = FormControl::Check},
    };
    fields.insert(fields.end(), own.begin(), own.end());
    return fields;
}

}  // namespace

std::string_view ftpPageTitle(FtpPage page) {
    switch (page) {
    case FtpPage::Catalogue: return "Catalogue";
    case FtpPage::Search: return "Search";
    case FtpPage::OrderForm: return "Order Form";
    }
    return {};
}

std::span<const FormField> ftpPageFields(FtpPage page) {
    static const std::vector<FormField> catalogue = pageFields(
        FtpPage::Catalogue, {{.control = 1281, .label = "transfer catalogue files", .field = "transferCatalogue",
                              .kind = FormControl::Check}});
    static const std::vector<FormField> search = pageFields(
        FtpPage::Search,
        {{.control = 1420, .label = "transfer search files", .field = "transferSearch", .kind = FormControl::Check},
         {.control = 1242, .label = "use catalogue FTP settings", .field = "searchUsesCatalogueTarget",
          .kind = FormControl::Check}});
    static const std::vector<FormField> orderForm = pageFields(
        FtpPage::OrderForm, {{.control = 1243, .label = "transfer order form", .field = "transferOrderForm",
                              .kind = FormControl::Check}});
    switch (page) {
    case FtpPage::Search: return search;
    case FtpPage::OrderForm: return orderForm;
    case FtpPage::Catalogue: break;
    }
    return catalogue;
}

std::span<const SheetPage> ftpSheetPages() {
    static const SheetPage pages[] = {
        {ftpPageTitle(FtpPage::Catalogue), ftpPageFields(FtpPage::Catalogue)},
        {ftpPageTitle(FtpPage::Search), ftpPageFields(FtpPage::Search)},
        {ftpPageTitle(FtpPage::OrderForm), ftpPageFields(FtpPage::OrderForm)},
    };
    return pages;
}
