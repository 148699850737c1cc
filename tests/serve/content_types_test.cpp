#include <gtest/gtest.h>

#include "serve/content_types.h"

namespace {

TEST(ContentTypes, EachKindOfCatalogueFileHasItsType) {
    struct Case {
        const char* name;
        const char* want;
    };
    const Case cases[] = {
        {"zk000000.html", "text/html"},
        {"old.htm", "text/html"},
        {"zkaltcurr.js", "text/javascript"},
        {"style.css", "text/css"},
        {"pic.gif", "image/gif"},
        {"pic.jpg", "image/jpeg"},
        {"pic.jpeg", "image/jpeg"},
        {"pic.png", "image/png"},
        {"notes.txt", "text/plain"},
        {"search01.dat", "text/plain"},
        {"zkorder.pl", "text/plain"},
        {"tune.mid", "audio/midi"},
        {"ding.wav", "audio/wav"},
        {"Ticker.class", "application/java-vm"},
        {"favicon.ico", "image/x-icon"},
        {"logo.svg", "image/svg+xml"},
        {"PIC.JPG", "image/jpeg"},
        {"Index.HTML", "text/html"},
        {"archive.zip", "application/octet-stream"},
        {"README", "application/octet-stream"},
        {"trailing.", "application/octet-stream"},
        {"folder.html/file", "application/octet-stream"},
        {"pics/a.b/photo.png", "image/png"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(contentTypeFor(c.name), c.want);
    }
}

} // namespace
