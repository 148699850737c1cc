#pragma once
// The pages of the FTP settings sheet: each edits one upload target and says
// whether that part of the catalogue is transferred.
#include <span>
#include <string_view>

#include "app/core/form_fields.h"
#include "app/core/sheet_pages.h"

enum class FtpPage { Catalogue = 0, Search = 1, OrderForm = 2 };
inline constexpr FtpPage kFtpPages[] = {FtpPage::Catalogue, FtpPage::Search, FtpPage::OrderForm};

// "Catalogue", "Search" or "Order Form".
std::string_view ftpPageTitle(FtpPage page);
// Host, port, user name, password, server directory (its "..." browses the
// server), "save", the page's transfer box and, on the search page, "use
// catalogue FTP settings". The page's target is ftpTargets.<page number>.
std::span<const FormField> ftpPageFields(FtpPage page);

// The three pages in tab order, as the sheet shows them.
std::span<const SheetPage> ftpSheetPages();
