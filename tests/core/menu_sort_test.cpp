// The editor's sorts of one folder's children.
#include <gtest/gtest.h>

#include <string>

#include "editor/menu_sort.h"
#include "tests/core/test_support.h"

using namespace tv;
using tvtest::addItem;
using tvtest::fields;

namespace {

// Child texts in order; a folder is marked with "/", and its mode follows ":".
std::string order(const menuNode& node) {
    std::string out;
    for (const auto& child : node.children) {
        if (!out.empty()) out += ' ';
        out += child.item->text + (child.hasChildren() ? "/" : "") + ":" + std::to_string(child.item->mode);
    }
    return out;
}

}  // namespace

TEST(MenuSort, ByNameIsByteOrder) {
    menuModel model;
    menuNode folder;
    for (const char* text : {"b", "a", "B", "ア", "ab", ""}) addItem(model, folder, text);
    sortChildren(folder, sortOrder::byName, false);
    EXPECT_EQ(order(folder), ":0 B:0 a:0 ab:0 b:0 ア:0");
    sortChildren(folder, sortOrder::byName, true);
    EXPECT_EQ(order(folder), "ア:0 b:0 ab:0 a:0 B:0 :0");
}

TEST(MenuSort, ByNameTiesGoByKind) {
    menuModel model;
    menuNode folder;
    addItem(model, folder, fields(itemMode::hSeparater, "z"));
    addItem(model, folder, "z");
    addItem(model, addItem(model, folder, fields(itemMode::exeProgram, "z")), "inside");
    addItem(model, folder, "y");
    sortChildren(folder, sortOrder::byName, false);
    EXPECT_EQ(order(folder), "y:0 z/:2 z:0 z:3");
    sortChildren(folder, sortOrder::byName, true);
    EXPECT_EQ(order(folder), "z:3 z:0 z/:2 y:0");
    EXPECT_EQ(folder.children[2].children[0].item->text, "inside") << "a folder moves with its children";
}

TEST(MenuSort, ByKindFoldersThenModesThenText) {
    menuModel model;
    menuNode folder;
    addItem(model, folder, fields(itemMode::showSetting, "s"));
    addItem(model, folder, fields(itemMode::inputDataString, "b"));
    addItem(model, addItem(model, folder, fields(itemMode::exeProgram, "f2")), "x");
    addItem(model, folder, fields(itemMode::inputDataString, "a"));
    addItem(model, folder, fields(itemMode::historyEntry, "h"));
    addItem(model, addItem(model, folder, fields(itemMode::inputString, "f0")), "x");
    addItem(model, folder, fields(itemMode::inputString, "c"));
    sortChildren(folder, sortOrder::byKind, false);
    EXPECT_EQ(order(folder), "f0/:0 f2/:2 c:0 a:1 b:1 s:5 h:255");
    sortChildren(folder, sortOrder::byKind, true);
    EXPECT_EQ(order(folder), "h:255 s:5 b:1 a:1 c:0 f2/:2 f0/:0");
}

TEST(MenuSort, OneLevelOnlyAndItemsKept) {
    menuModel model;
    menuNode folder;
    menuNode& sub = addItem(model, folder, "m");
    addItem(model, sub, "2");
    addItem(model, sub, "1");
    menuItem* original = addItem(model, folder, "a").item.get();
    sortChildren(folder, sortOrder::byName, false);
    EXPECT_EQ(folder.children[0].item.get(), original);
    EXPECT_EQ(order(folder.children[1]), "2:0 1:0");
    menuNode single;
    addItem(model, single, "only");
    sortChildren(single, sortOrder::byKind, true);
    EXPECT_EQ(order(single), "only:0");
}
