#pragma once
// Reading the entries of a folder listing: MLSD's facts, or the lines of a
// LIST in the Unix or the DOS style for servers without MLSD.
#include <string>
#include <string_view>
#include <vector>

#include "upload/remote_folder_session.h"

// Lines that cannot be read, and "." and "..", are left out.
std::vector<RemoteEntry> parseMlsdListing(std::string_view listing);
std::vector<RemoteEntry> parseListListing(std::string_view listing);

// The folder a 257 reply names: the text between its quotes, a doubled
// quote standing for one. Empty when the reply names none.
std::string folderOfPwdReply(std::string_view reply);
