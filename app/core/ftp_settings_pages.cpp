#include "app/core/ftp_settings_pages.h"

#include <vector>

namespace {

#define VIMRA_FTP_TARGET_FIELDS(n)                                                                               \
    {.control = 1415, .label = "host", .field = "ftpTargets." #n ".host", .conversions = Trim, .maxChars = 50},   \
    {.control = 1417, .label = "port", .field = "ftpTargets." #n ".port", .kind = FormControl::Number},           \
    {.control = 1416, .label = "user name", .field = "ftpTargets." #n ".userName", .conversions = Trim,           \
     .maxChars = 20},                                                                                             \
    {.control = 1418, .label = "password", .field = "ftpTargets." #n ".password", .maxChars = 20},                \
    {.control = 1414, .label = "server directory", .field = "ftpTargets." #n ".serverDirectory",                  \
     .conversions = Trim, .maxChars = 120},                                                                       \
    {.control = 1419, .label = "save", .field = "ftpTargets." #n ".save", .kind = FormControl::Check}

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
    static const std::vector<FormField> catalogue = {
        VIMRA_FTP_TARGET_FIELDS(0),
        {.control = 1281, .label = "transfer catalogue files", .field = "transferCatalogue", .kind = FormControl::Check},
    };
    static const std::vector<FormField> search = {
        VIMRA_FTP_TARGET_FIELDS(1),
        {.control = 1420, .label = "transfer search files", .field = "transferSearch", .kind = FormControl::Check},
    };
    static const std::vector<FormField> orderForm = {
        VIMRA_FTP_TARGET_FIELDS(2),
        {.control = 1243, .label = "transfer order form", .field = "transferOrderForm", .kind = FormControl::Check},
    };
    switch (page) {
    case FtpPage::Search: return search;
    case FtpPage::OrderForm: return orderForm;
    case FtpPage::Catalogue: break;
    }
    return catalogue;
}
