// The entry tree: insertion, removal, moves and copies, the walk.
#include <gtest/gtest.h>

#include <string>

#include "editor/entry_tree.h"
#include "tests/editor/editor_support.h"

namespace {

std::string shape(const korvel::EntryTree& tree) {
    std::string out;
    tree.walk(
        [&](int item, int) {
            out += std::to_string(tree.entry(item)) + "(";
            return true;
        },
        [&](int, int) { out += ")"; });
    return out;
}

TEST(EntryTree, InsertRemoveAndWalk) {
    korvel::EntryTree tree;
    int a = tree.appendChild(korvel::kRootItem, 0);
    int b = tree.appendChild(a, 1);
    tree.appendChild(a, 2);
    int d = tree.insertAfter(a, 3);
    tree.insertAfter(b, 4);
    tree.insertAfter(korvel::kNoItem, 5);
    EXPECT_EQ(shape(tree), "0(1()4()2())3()5()");
    EXPECT_EQ(tree.depth(b), 1);
    EXPECT_EQ(tree.nextSibling(a), d);
    EXPECT_EQ(tree.parent(b), a);

    tree.remove(a);
    EXPECT_EQ(shape(tree), "3()5()");
    EXPECT_FALSE(tree.isValid(b));
    EXPECT_EQ(tree.size(), 2);
}

TEST(EntryTree, MovesAndCopiesWithTheirRefusals) {
    korvel::EntryTree tree;
    int a = tree.appendChild(korvel::kRootItem, 0);
    int b = tree.appendChild(a, 1);
    int c = tree.appendChild(b, 2);
    int d = tree.appendChild(korvel::kRootItem, 3);
    EXPECT_EQ(tree.checkDrop(a, a), korvel::DropCheck::OntoItself);
    EXPECT_EQ(tree.checkDrop(a, c), korvel::DropCheck::OntoDescendant);
    EXPECT_EQ(tree.checkDrop(c, b), korvel::DropCheck::OntoOwnParent);
    EXPECT_FALSE(tree.move(a, c, korvel::DropPlacement::After));
    EXPECT_EQ(shape(tree), "0(1(2()))3()");

    EXPECT_TRUE(tree.move(b, d, korvel::DropPlacement::AsLastChild));
    EXPECT_EQ(shape(tree), "0()3(1(2()))");
    int next = 10;
    std::vector<int> copied;
    int top = tree.copy(d, a, korvel::DropPlacement::After, [&](int entry) {
        copied.push_back(entry);
        return next++;
    });
    EXPECT_NE(top, korvel::kNoItem);
    EXPECT_EQ(copied, (std::vector<int>{3, 1, 2}));
    EXPECT_EQ(shape(tree), "0()10(11(12()))3(1(2()))");
}

TEST(EntryTree, DeepNestingNeitherCrashesTheWalkNorTheSave) {
    std::string text;
    const int depth = 20000;
    for (int i = 0; i < depth; ++i)
        text += "Level,,INDEX,\n";
    text += "Bottom,1.00,,\n";
    for (int i = 0; i < depth; ++i)
        text += "END INDEX\n";
    EditorSession s(text);
    EXPECT_EQ(s.doc.entryCount(), depth + 1);
    s.doc.setModified();
    ASSERT_EQ(s.commands.save(), 0);
    EXPECT_EQ(readFile(s.path), text);
}

} // namespace
