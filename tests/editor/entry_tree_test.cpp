// The entry tree: insertion, removal, moves and copies, the walk, and what
// it tells its observer of each change.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "editor/entry_tree.h"
#include "tests/editor/editor_support.h"

namespace {

using korvel::DropPlacement;
using korvel::EntryTree;
using korvel::kNoItem;
using korvel::kRootItem;

const auto shape = treeShape;

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

// Entries 0 to 5 on items a to f: a holds b (which holds c) and e; d and f
// follow a at the top.
struct Sample {
    Sample() {
        a = tree.appendChild(kRootItem, 0);
        b = tree.appendChild(a, 1);
        c = tree.appendChild(b, 2);
        e = tree.appendChild(a, 4);
        d = tree.appendChild(kRootItem, 3);
        f = tree.appendChild(kRootItem, 5);
    }
    int copy(int dragged, int target, DropPlacement placement) {
        return tree.copy(dragged, target, placement, [this](int) { return nextCopy++; });
    }
    EntryTree tree;
    int a, b, c, d, e, f;
    int nextCopy = 10;
};
constexpr const char* kSampleShape = "0(1(2())4())3()5()";

std::vector<std::string> told(const std::string& call) { return {"about to " + call, call}; }

TEST(EntryTreeObserver, EachChangeIsToldBeforeAndAfterWithItsParentAndRows) {
    struct Case {
        const char* name;
        std::function<void(Sample&)> change;
        std::vector<std::string> calls;
        const char* after;
    };
    const Case cases[] = {
        {"insert after an item inside an index", [](Sample& t) { t.tree.insertAfter(t.b, 9); },
         told("insert under 0 rows 1-1"), "0(1(2())9()4())3()5()"},
        {"insert after a top item", [](Sample& t) { t.tree.insertAfter(t.d, 9); }, told("insert under root rows 2-2"),
         "0(1(2())4())3()9()5()"},
        {"insert with nothing selected", [](Sample& t) { t.tree.insertAfter(kNoItem, 9); },
         told("insert under root rows 3-3"), "0(1(2())4())3()5()9()"},
        {"append to an item without children", [](Sample& t) { t.tree.appendChild(t.c, 9); },
         told("insert under 2 rows 0-0"), "0(1(2(9()))4())3()5()"},
        {"append under an item that is gone", [](Sample& t) { t.tree.appendChild(99, 9); },
         told("insert under root rows 3-3"), "0(1(2())4())3()5()9()"},
        {"a nested branch arrives as one insert",
         [](Sample& t) { t.tree.appendNested(t.d, {{7, 0}, {8, 1}, {9, 0}}); }, told("insert under 3 rows 0-1"),
         "0(1(2())4())3(7(8())9())5()"},
        {"remove an index with its contents", [](Sample& t) { t.tree.remove(t.a); }, told("remove under root rows 0-0"),
         "3()5()"},
        {"remove the last child", [](Sample& t) { t.tree.remove(t.e); }, told("remove under 0 rows 1-1"),
         "0(1(2()))3()5()"},
        {"move up within a parent", [](Sample& t) { t.tree.move(t.f, t.a, DropPlacement::After); },
         told("move root row 2 to root row 1"), "0(1(2())4())5()3()"},
        {"move down to the end of a parent", [](Sample& t) { t.tree.move(t.a, t.f, DropPlacement::After); },
         told("move root row 0 to root row 3"), "3()5()0(1(2())4())"},
        {"move down past one sibling", [](Sample& t) { t.tree.move(t.b, t.e, DropPlacement::After); },
         told("move 0 row 0 to 0 row 2"), "0(4()1(2()))3()5()"},
        {"move into another parent as its last child",
         [](Sample& t) { t.tree.move(t.a, t.d, DropPlacement::AsLastChild); }, told("move root row 0 to 3 row 0"),
         "3(0(1(2())4()))5()"},
        {"move out of an index to after a top item", [](Sample& t) { t.tree.move(t.e, t.d, DropPlacement::After); },
         told("move 0 row 1 to root row 2"), "0(1(2()))3()4()5()"},
        {"move from one inner parent to another",
         [](Sample& t) { t.tree.move(t.c, t.e, DropPlacement::AsLastChild); }, told("move 1 row 0 to 4 row 0"),
         "0(1()4(2()))3()5()"},
        {"a move that lands where the item is", [](Sample& t) { EXPECT_TRUE(t.tree.move(t.d, t.a, DropPlacement::After)); },
         {}, kSampleShape},
        {"copy a branch after a top item", [](Sample& t) { t.copy(t.b, t.d, DropPlacement::After); },
         told("insert under root rows 2-2"), "0(1(2())4())3()10(11())5()"},
        {"copy an index into another", [](Sample& t) { t.copy(t.a, t.d, DropPlacement::AsLastChild); },
         told("insert under 3 rows 0-0"), "0(1(2())4())3(10(11(13())12()))5()"},
        {"copy after the last item of an index", [](Sample& t) { t.copy(t.f, t.e, DropPlacement::After); },
         told("insert under 0 rows 2-2"), "0(1(2())4()10())3()5()"},
        {"clear", [](Sample& t) { t.tree.clear(); }, told("reset"), ""},
        {"rebuild", [](Sample& t) { t.tree.rebuild({{0, 0}, {1, 1}, {2, 5}, {3, 0}}); }, told("reset"),
         "0(1(2()))3()"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sample t;
        TreeRecorder recorder(t.tree);
        t.tree.setObserver(&recorder);
        c.change(t);
        EXPECT_EQ(recorder.calls, c.calls);
        EXPECT_EQ(recorder.faults, std::vector<std::string>{});
        EXPECT_EQ(shape(t.tree), c.after);
        EXPECT_EQ(recorder.toldShape(), c.after) << "what was told makes the same tree";
    }
}

TEST(EntryTreeObserver, RefusedChangesTellNothing) {
    struct Case {
        const char* name;
        std::function<bool(Sample&)> refused;
    };
    const Case cases[] = {
        {"move onto itself", [](Sample& t) { return !t.tree.move(t.a, t.a, DropPlacement::After); }},
        {"move onto a descendant", [](Sample& t) { return !t.tree.move(t.a, t.c, DropPlacement::AsLastChild); }},
        {"move onto its own parent", [](Sample& t) { return !t.tree.move(t.b, t.a, DropPlacement::AsLastChild); }},
        {"move an item that is gone", [](Sample& t) { return !t.tree.move(99, t.a, DropPlacement::After); }},
        {"move onto an item that is gone", [](Sample& t) { return !t.tree.move(t.a, 99, DropPlacement::After); }},
        {"copy onto a descendant", [](Sample& t) { return t.copy(t.a, t.c, DropPlacement::After) == kNoItem; }},
        {"copy onto its own parent", [](Sample& t) { return t.copy(t.c, t.b, DropPlacement::After) == kNoItem; }},
        {"remove an item that is gone", [](Sample& t) { return (t.tree.remove(99), true); }},
        {"remove the root", [](Sample& t) { return (t.tree.remove(kRootItem), true); }},
        {"append nothing", [](Sample& t) { return t.tree.appendNested(t.d, {}) == kNoItem; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sample t;
        TreeRecorder recorder(t.tree);
        t.tree.setObserver(&recorder);
        EXPECT_TRUE(c.refused(t));
        EXPECT_EQ(recorder.calls, std::vector<std::string>{});
        EXPECT_EQ(shape(t.tree), kSampleShape);
        EXPECT_EQ(t.nextCopy, 10) << "no entry was copied";
    }
}

TEST(EntryTreeObserver, AViewFollowingTheCallsKeepsInStepThroughManyChanges) {
    // Changes picked at random, with a fixed seed, in every combination of
    // places the sample cases do not reach.
    Sample t;
    TreeRecorder recorder(t.tree);
    t.tree.setObserver(&recorder);
    std::mt19937 random(7);
    auto pick = [&]() {
        std::vector<int> items{kRootItem};
        t.tree.walk([&](int item, int) {
            items.push_back(item);
            return true;
        });
        return items[std::uniform_int_distribution<std::size_t>(0, items.size() - 1)(random)];
    };
    for (int step = 0; step < 600; ++step) {
        int item = pick();
        int target = pick();
        DropPlacement placement = random() % 2 ? DropPlacement::After : DropPlacement::AsLastChild;
        switch (random() % 8) {
        case 0:
            t.tree.remove(item);
            break;
        case 1:
        case 2:
            t.tree.insertAfter(item, step);
            break;
        case 3:
            t.tree.appendChild(item, step);
            break;
        case 4:
            t.copy(item, target, placement);
            break;
        default:
            t.tree.move(item, target, placement);
            break;
        }
        ASSERT_EQ(recorder.faults, std::vector<std::string>{}) << "step " << step;
        ASSERT_EQ(recorder.toldShape(), shape(t.tree)) << "step " << step;
    }
    EXPECT_GT(t.tree.size(), 20);
}

TEST(EntryTree, RowsOfItems) {
    Sample t;
    EXPECT_EQ(t.tree.rowOf(t.a), 0);
    EXPECT_EQ(t.tree.rowOf(t.e), 1);
    EXPECT_EQ(t.tree.rowOf(t.f), 2);
    EXPECT_EQ(t.tree.rowOf(kRootItem), -1);
    t.tree.remove(t.b);
    EXPECT_EQ(t.tree.rowOf(t.e), 0);
    EXPECT_EQ(t.tree.rowOf(t.c), -1);
}

} // namespace
