// Patching the next-link placeholder of an item page in place.
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>

#include "generator/generation_run.h"
#include "generator/item_navigation.h"
#include "model/paths.h"
#include "tests/support/recording_messages.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(NextLinkPatch, RewritesOrBlanksExactlyThePlaceholder) {
    const std::string link = "<TD><A HREF=\"zk999999.html\" TARGET=ZKITEM>N</A></TD>\n";
    struct Case {
        const char* name;
        int navigation;
        std::optional<std::string> next;
        long length;   // of the recorded range; the placeholder is link
        std::string want;
    };
    const long whole = static_cast<long>(link.size());
    const Case cases[] = {
        {"same width", 0, "zk000007.html", whole, "<TD><A HREF=\"zk000007.html\" TARGET=ZKITEM>N</A></TD>\n"},
        {"wider name", 0, "zk1000000.html", whole, "<TD><A HREF=\"zk1000000.html\" TARGET=ZKITEM>N</A>     "},
        {"blanked", 1, std::nullopt, whole, std::string(link.size(), ' ')},
        {"no item navigation", 2, "zk000007.html", whole, link},
        {"range too short", 0, "zk000007.html", 1, link},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        auto general = std::make_unique<GeneralSettings>();
        auto appearance = std::make_unique<AppearanceSet>();
        copyField(general->outputDir, dir.str());
        appearance->itemNavigation = c.navigation;
        RecordingMessages messages;
        GenerationRun run(*appearance, *general, messages, stderr);
        run.decorations.item.nextButton = "N";
        writeFile(dir / "zk000005.html", "before" + link + "after");
        PatchNextLink(run, "zk000005.html", {6, 6 + c.length}, c.next);
        EXPECT_EQ(readFile(dir / "zk000005.html"), "before" + c.want + "after");
    }
}

} // namespace
