#include "imagelib/file_filter.h"

#include <gtest/gtest.h>

TEST(FileFilter, DialogFiltersBecomeOneQtLinePerPair) {
    struct Case {
        const char* filter;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"Vimra archives (*.zka) |*.zka| All Files (*.*) |*.*||",
         {"Vimra archives (*.zka)", "All Files (*.*)"}},
        {"Image Files (*.png, *.jpg, *.gif) |*.png;*.gif;*.jpg;*.jpeg| All Files (*.*) |*.*||",
         {"Image Files (*.png *.gif *.jpg *.jpeg)", "All Files (*.*)"}},
        {"Text (*.txt)|*.txt|", {"Text (*.txt)"}},
        {"Plain|*.txt; *.csv ;|", {"Plain (*.txt *.csv)"}},
        {"", {}},
        {"||", {}},
        {"Unended|*.a", {"Unended (*.a)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.filter);
        std::vector<std::string> lines;
        for (const FileFilter& f : parseFileFilter(c.filter))
            lines.push_back(nameFilterLine(f));
        EXPECT_EQ(lines, c.lines);
    }
}
