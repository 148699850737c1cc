#include "generator/expires_tag.h"

#include <ctime>

std::string expiresMetaTag(std::int32_t expiryDate) {
    std::time_t when = expiryDate;
    std::tm local {};
    char date[64] = "";
    // Day and month names come from the C locale, which the program never changes.
    if (localtime_r(&when, &local))
        std::strftime(date, sizeof date, "%a, %d %b %Y", &local);
    return std::string("<META HTTP-EQUIV=\"Expires\" CONTENT=\"") + date + " 12:00:00 GMT\">\n";
}
