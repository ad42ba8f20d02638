// The editor's structure kept beside its tree view: inserts, removals, reorder
// and the copy a save writes from.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/entry_tree.h"
#include "tests/core/test_support.h"

using namespace tv;

namespace {

// Handles stand for the tree view's: any distinct addresses will do.
char handles[16];
entryTree::entry h(int n) { return &handles[n]; }

// "text(children...)" for the node and its children, in order.
std::string shape(const menuNode& node) {
    std::string out = node.item ? node.item->text : "-";
    if (!node.hasChildren()) return out;
    out += "(";
    for (size_t i = 0; i < node.childCount(); ++i) out += (i ? " " : "") + shape(node.children[i]);
    return out + ")";
}

struct entryTreeTest : ::testing::Test {
    menuModel model;
    menuNode holder;
    entryTree tree;
    itemRef item(const std::string& text) { return tvtest::addItem(model, holder, text).item; }
    std::string copied(entryTree::entry from, const entryTree::laterChildren& later = nullptr) {
        return shape(tree.copy(from, later));
    }
};

}  // namespace

TEST_F(entryTreeTest, InsertsWhereTheTreeViewDoesAndCopiesInOrder) {
    tree.insertLast(h(0), nullptr, itemRef());  // the entry for the whole menu
    tree.insertLast(h(1), h(0), item("b"));
    tree.insertFirst(h(2), h(0), item("a"));
    tree.insertAfter(h(3), h(1), item("d"));
    tree.insertAfter(h(4), h(1), item("c"));
    tree.insertLast(h(5), h(4), item("c1"));
    EXPECT_EQ(copied(h(0)), "-(a b c(c1) d)");
    EXPECT_EQ(copied(nullptr), "-(-(a b c(c1) d))");
    EXPECT_EQ(tree.parent(h(5)), h(4));
    EXPECT_EQ(tree.previous(h(4)), h(1));
    EXPECT_EQ(tree.next(h(4)), h(3));
    EXPECT_EQ(tree.lastChild(h(0)), h(3));
    EXPECT_EQ(tree.item(h(4))->text, "c");
    EXPECT_FALSE(tree.item(h(0)));
    // An entry already known, or under an unknown parent, changes nothing.
    tree.insertLast(h(4), h(0), item("again"));
    tree.insertLast(h(9), h(8), item("lost"));
    EXPECT_EQ(copied(h(0)), "-(a b c(c1) d)");
    EXPECT_EQ(tree.size(), 6u);
}

TEST_F(entryTreeTest, RemovalTakesTheSubtreeAndReorderRelinks) {
    tree.insertLast(h(0), nullptr, itemRef());
    for (int n = 1; n <= 4; ++n) tree.insertLast(h(n), h(0), item(std::string(1, char('a' + n - 1))));
    tree.insertLast(h(5), h(2), item("b1"));
    tree.insertLast(h(6), h(5), item("b11"));
    tree.remove(h(2));
    EXPECT_EQ(copied(h(0)), "-(a c d)");
    EXPECT_FALSE(tree.contains(h(6)));
    tree.remove(h(1));
    tree.remove(h(4));
    tree.remove(h(7));  // unknown: ignored
    EXPECT_EQ(tree.firstChild(h(0)), h(3));
    EXPECT_EQ(tree.lastChild(h(0)), h(3));
    for (int n : {1, 2, 4}) tree.insertLast(h(10 + n), h(0), item("n" + std::to_string(n)));
    tree.reorderChildren(h(0), {h(14), h(3), h(12), h(11)});
    EXPECT_EQ(copied(h(0)), "-(n4 c n2 n1)");
    EXPECT_EQ(tree.previous(h(14)), nullptr);
    EXPECT_EQ(tree.next(h(11)), nullptr);
    tree.clear();
    EXPECT_EQ(tree.size(), 0u);
    EXPECT_EQ(tree.firstChild(nullptr), nullptr);
}

TEST_F(entryTreeTest, CopySharesItemsAndTakesChildrenKeptForLater) {
    tree.insertLast(h(0), nullptr, itemRef());
    tree.insertLast(h(1), h(0), item("folder"));
    tree.insertLast(h(2), h(0), item("plain"));
    menuNode kept;
    tvtest::addItem(model, tvtest::addItem(model, kept, "k1"), "k11");
    auto later = [&](entryTree::entry of) { return of == h(1) ? &kept : nullptr; };
    menuNode copy = tree.copy(h(0), later);
    EXPECT_EQ(shape(copy), "-(folder(k1(k11)) plain)");
    EXPECT_EQ(copy.children[0].item.get(), tree.item(h(1)).get()) << "items are shared, not duplicated";
    EXPECT_EQ(copy.children[0].children[0].item.get(), kept.children[0].item.get());
}
