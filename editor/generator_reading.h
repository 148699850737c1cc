#pragma once
// What the generator reads from a data file, in a form in which a file and
// the same file saved by the editor compare equal. A save may change only
// what the editor's writing is defined to change, and this form leaves out
// just that:
//  - blank lines, which the generator passes over, dropped or added;
//  - META lines joined into one (the META text compared without its line breaks);
//  - tax rates written with two decimals;
//  - END INDEX, END PAGE, !TABLE, END TABLE and !COL<n> written as those
//    words alone (their other fields dropped);
//  - a page start written with "!PAGE" before its name (the title is kept);
//  - an END INDEX that closes no index dropped, and the indexes still open at
//    the end of the file closed there.
// Fields longer than the editor keeps are cut as well; a save says so.
#include <cstdio>
#include <string>
#include <vector>

#include "model/catalogue_reader.h"

namespace korvel {

std::string comparableHeader(const CatalogueHeader& header);

// The header, then one line per record (with the footnote and header text in
// force for it), read from the stream with ',' between fields.
std::vector<std::string> comparableReading(std::FILE* stream);

} // namespace korvel
