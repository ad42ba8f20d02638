// Item ids, corners, the registry and the tree.
#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <set>
#include <vector>

#include "model/item_pool.h"
#include "tests/core/test_support.h"

using namespace tv;
using tvtest::addItem;

TEST(ItemIds, MenuRangeThenHistoryRangeWhenUsedUp) {
    tvtest::recordingEvents events;  // outlives the model, which reports to it
    menuModel model;
    model.setEvents(&events);
    menuNode holder;
    for (int n = 0; n < 33800; ++n) {
        uint16_t id = addItem(model, holder, "i").item->itemId;
        ASSERT_EQ(id, 200 + n) << "item " << n + 1;
    }
    // Item 33801 borrows from the history range; releasing it gives the id back
    // to the menu range because it is not a history entry.
    // Only an item with a key asks for its hotkey to be dropped.
    menuNode extra;
    itemFields withKey = tvtest::fields(itemMode::inputString, "extra");
    withKey.vk = 'K' | hotkeyControl;
    model.createItem(extra, withKey);
    EXPECT_EQ(extra.item->itemId, 55500);
    model.registry.remove(extra.item.get());
    extra.item.reset();
    EXPECT_EQ(model.ids.releasedMenuIds(), std::deque<uint16_t>{55500});
    EXPECT_TRUE(model.ids.releasedHistoryIds().empty());
    EXPECT_EQ(events.releasedHotkeys, std::vector<uint16_t>{55500});
    model.unregisterSubtree(holder.children[7]);
    EXPECT_EQ(events.releasedHotkeys, std::vector<uint16_t>{55500}) << "a keyless item released no hotkey";
    EXPECT_EQ(model.ids.releasedMenuIds(), (std::deque<uint16_t>{55500, 207}));
    EXPECT_EQ(addItem(model, holder, "again").item->itemId, 55500);
    EXPECT_EQ(addItem(model, holder, "and again").item->itemId, 207);
}

TEST(ItemIds, HistoryCounterWrapsPastLiveIds) {
    idAllocator ids;
    for (int n = 0; n < 10000; ++n) ASSERT_EQ(ids.takeHistoryId(), 55500 + n);
    EXPECT_EQ(ids.takeHistoryId(), noItemId) << "every history id is live: none rather than a shared one";
    ids.release(55503, itemMode::historyEntry, false);
    ids.release(55501, itemMode::historyEntry, false);
    ids.resetHistoryRange();  // forgets the released list, not the live ids
    EXPECT_EQ(ids.takeHistoryId(), 55501);
    EXPECT_EQ(ids.takeHistoryId(), 55503);
    EXPECT_EQ(ids.takeHistoryId(), noItemId);
}

// Menu items fill the menu range, then borrow the history ids that history
// entries do not hold; beyond that an item has no id, is never found by id and
// holds no corner, so it can neither run in another's place nor take its corner.
TEST(ItemIds, NeverRepeatAmongLiveItems) {
    menuModel model;
    itemRef clip = model.createHistoryEntry("clip");
    menuNode holder;
    std::vector<menuItem*> items;
    for (int n = 0; n < 45000; ++n) items.push_back(addItem(model, holder, "i").item.get());
    std::set<uint16_t> seen{clip->itemId};
    size_t withoutId = 0;
    for (const menuItem* item : items) {
        if (item->itemId == noItemId)
            ++withoutId;
        else
            ASSERT_TRUE(seen.insert(item->itemId).second) << "id " << item->itemId << " given twice";
    }
    EXPECT_EQ(seen.size(), 33800u + 10000u);
    EXPECT_EQ(withoutId, 45000u - 33800u - 9999u);
    EXPECT_EQ(model.createHistoryEntry("late")->itemId, noItemId);
    EXPECT_EQ(model.registry.findById(noItemId), nullptr);

    model.setCorner(*items[33799], 1);
    model.setCorner(*items[43799], 1);  // beyond the id space: kept for writing only
    EXPECT_EQ(model.cornerOf(*items[33799]), 1);
    EXPECT_EQ(model.cornerOf(*items[43799]), 1);
    EXPECT_EQ(model.corners.itemAt(1), items[33799]->itemId);

    // A deleted item's id serves the next new one.
    const uint16_t freed = items[100]->itemId;
    model.unregisterSubtree(holder.children[100]);
    EXPECT_EQ(addItem(model, holder, "new").item->itemId, freed);
}

TEST(ItemIds, ReleasedIdsAreReusedOldestFirst) {
    menuModel model;
    menuNode a, b, c;
    model.createItem(a, tvtest::fields(0, "a"));
    model.createItem(b, tvtest::fields(0, "b"));
    model.createItem(c, tvtest::fields(0, "c"));
    model.registry.clear();
    c.item.reset();  // 202 first
    a.item.reset();  // then 200
    menuNode d, e, f;
    EXPECT_EQ(model.createItem(d, tvtest::fields(0, "d")).itemId, 202);
    EXPECT_EQ(model.createItem(e, tvtest::fields(0, "e")).itemId, 200);
    EXPECT_EQ(model.createItem(f, tvtest::fields(0, "f")).itemId, 203);

    // History entries go back to their own range.
    itemRef h1 = model.createHistoryEntry("x");
    itemRef h2 = model.createHistoryEntry("y");
    EXPECT_EQ(h1->itemId, 55500);
    EXPECT_EQ(h1->mode, itemMode::historyEntry);
    h1.reset();
    EXPECT_EQ(model.ids.releasedHistoryIds(), std::deque<uint16_t>{55500});
    EXPECT_EQ(model.createHistoryEntry("z")->itemId, 55500);
}

TEST(ItemIds, ShutdownReleasesNothing) {
    tvtest::recordingEvents events;  // outlives the model, which reports to it
    menuModel model;
    model.setEvents(&events);
    addItem(model, model.root, "a");
    itemRef history = model.createHistoryEntry("clip");
    model.ids.setShuttingDown(true);
    model.unregisterSubtree(model.root);
    history.reset();
    EXPECT_TRUE(model.ids.releasedMenuIds().empty());
    EXPECT_TRUE(model.ids.releasedHistoryIds().empty());
    EXPECT_TRUE(events.releasedHotkeys.empty());
}

TEST(ItemIds, ResetForRunningMenuStartsAgainAt200) {
    tvtest::recordingEvents events;  // outlives the model, which reports to it
    menuModel model;
    model.setEvents(&events);
    addItem(model, model.root, "a");
    addItem(model, model.root, "b");
    model.corners.setCorner(201, 1);
    model.root.clear();
    model.resetForRunningMenu();
    EXPECT_EQ(model.registry.count(), 0u);
    EXPECT_TRUE(model.ids.releasedMenuIds().empty());
    EXPECT_EQ(model.corners.itemAt(1), 0);
    EXPECT_EQ(events.resets, 1);
    EXPECT_EQ(addItem(model, model.root, "c").item->itemId, 200);
    EXPECT_EQ(addItem(model, model.root, "d").item->itemId, 201);
}

TEST(Corners, SetStealAndClear) {
    cornerTable corners;
    corners.setCorner(300, 2);
    EXPECT_EQ(corners.cornerOf(300), 2);
    corners.setCorner(301, 2);  // B takes corner 2 from A
    EXPECT_EQ(corners.cornerOf(300), 0);
    EXPECT_EQ(corners.cornerOf(301), 2);
    corners.setCorner(301, 4);  // an item holds one corner only
    EXPECT_EQ(corners.itemAt(2), 0);
    EXPECT_EQ(corners.cornerOf(301), 4);
    for (int bad : {0, 5}) {
        corners.setCorner(301, 4);
        corners.setCorner(301, bad);
        EXPECT_EQ(corners.cornerOf(301), 0) << "corner " << bad;
        for (int slot = 1; slot <= 4; ++slot) EXPECT_EQ(corners.itemAt(slot), 0) << "corner " << bad;
    }
    corners.setCorner(302, 1);
    corners.setCorner(303, 3);
    corners.clear();
    EXPECT_EQ(corners.cornerOf(302) + corners.cornerOf(303), 0);
    EXPECT_EQ(corners.cornerOf(0), 0);
}

TEST(Registry, UnregisterSubtreeDepthFirst) {
    menuModel model;
    model.createItem(model.root, tvtest::fields(0, "root"));        // 200
    addItem(model, addItem(model, model.root, "A"), "A1");         // 201, 202
    addItem(model, model.root, "B");                               // 203
    menuNode& a = model.root.children[0];
    EXPECT_EQ(model.registry.count(), 4u);
    EXPECT_EQ(model.registry.findById(202)->text, "A1");

    model.unregisterSubtree(a);
    EXPECT_EQ(model.registry.count(), 2u);
    EXPECT_EQ(model.registry.findById(202), nullptr);
    EXPECT_EQ(a.item, nullptr);
    EXPECT_EQ(model.ids.releasedMenuIds(), (std::deque<uint16_t>{201, 202}));

    model.unregisterSubtree(model.root);
    EXPECT_EQ(model.registry.count(), 0u);
    EXPECT_TRUE(model.registry.empty());
    EXPECT_EQ(model.ids.releasedMenuIds(), (std::deque<uint16_t>{201, 202, 200, 203}));
}

TEST(Registry, ManyRemovalsKeepLookupsAndCreationOrder) {
    menuModel model;
    for (int i = 0; i < 300; ++i) addItem(model, model.root, std::to_string(i));
    // Remove two of every three, back to front, so the list has to close its gaps.
    for (int i = 299; i >= 0; --i)
        if (i % 3 != 0) model.unregisterSubtree(model.root.children[i]);
    EXPECT_EQ(model.registry.count(), 100u);
    std::string order;
    model.registry.forEach([&](menuItem& item) { order += item.text + ","; });
    std::string expected;
    for (int i = 0; i < 300; i += 3) expected += std::to_string(i) + ",";
    EXPECT_EQ(order, expected);
    for (int i = 0; i < 300; ++i) {
        menuItem* found = model.registry.findById(static_cast<uint16_t>(200 + i));
        if (i % 3 == 0) {
            ASSERT_NE(found, nullptr) << i;
            EXPECT_EQ(found->text, std::to_string(i));
        } else {
            EXPECT_EQ(found, nullptr) << i;
        }
    }
    model.registry.remove(model.root.children[0].item.get());
    model.registry.remove(model.root.children[0].item.get());  // a second time does nothing
    EXPECT_EQ(model.registry.count(), 99u);
    model.unregisterSubtree(model.root);
    EXPECT_EQ(model.registry.count(), 0u);
}

TEST(Registry, SharedItemOutlivesUnregister) {
    menuModel model;
    menuNode& a = addItem(model, model.root, "A");
    menuNode copy(a.item);  // the editor's trees share records
    model.unregisterSubtree(model.root);
    EXPECT_EQ(model.registry.count(), 0u);
    ASSERT_NE(copy.item, nullptr);
    EXPECT_EQ(copy.item->text, "A");
    EXPECT_TRUE(model.ids.releasedMenuIds().empty());
}

// The tree owns its items: one dropped without being unregistered leaves the
// registry and gives its id back, and the item blocks go back to the heap once
// no item is left.
TEST(Registry, DroppedItemLeavesTheRegistry) {
    menuModel model;
    addItem(model, model.root, "A");
    addItem(model, model.root, "B");
    const uint16_t idOfA = model.root.children[0].item->itemId;
    model.root.children[0].item.reset();
    EXPECT_EQ(model.registry.count(), 1u);
    EXPECT_EQ(model.registry.findById(idOfA), nullptr);
    EXPECT_EQ(model.ids.releasedMenuIds(), std::deque<uint16_t>{idOfA});

    model.registry.clear();  // forgets the items, which stay in the tree
    ASSERT_NE(model.root.children[1].item, nullptr);
    EXPECT_EQ(model.root.children[1].item->text, "B");
    model.root.clear();
    EXPECT_EQ(model.registry.count(), 0u);
}

// The editor changes copies: the running menu keeps choosing the original
// until the edited tree runs, and then the copy holds the id, exactly once.
TEST(Registry, EditedCopiesTakeOverTheirOriginalsIds) {
    tvtest::recordingEvents events;
    menuModel model;
    model.setEvents(&events);
    itemFields keyed = tvtest::fields(itemMode::inputDataString, "A", "a");
    keyed.vk = 'K' | hotkeyControl;
    addItem(model, model.root, keyed);
    addItem(model, model.root, "B");
    const uint16_t idOfA = model.root.children[0].item->itemId;
    model.setCorner(*model.root.children[0].item, 2);

    itemRef copy = model.copyForEditing(*model.root.children[0].item);
    copy->data = "changed";
    EXPECT_EQ(copy->itemId, idOfA);
    EXPECT_EQ(copy->vk, keyed.vk);
    EXPECT_EQ(model.cornerOf(*copy), 2) << "the copy shows its original's corner";
    EXPECT_EQ(model.registry.findById(idOfA)->data, "a") << "the running menu still chooses the original";
    copy.reset();
    EXPECT_EQ(model.registry.findById(idOfA)->data, "a") << "a dropped copy gives nothing back";
    EXPECT_TRUE(model.ids.releasedMenuIds().empty());
    EXPECT_TRUE(events.releasedHotkeys.empty());

    // The edited tree: a copy of A, and B as it is.
    menuNode edited;
    edited.appendChild(menuNode(model.copyForEditing(*model.root.children[0].item)));
    edited.lastChild().item->data = "changed";
    edited.appendChild(menuNode(model.root.children[1].item));
    model.adoptEditedCopies(edited);
    model.root.children = std::move(edited.children);
    EXPECT_EQ(model.registry.findById(idOfA)->data, "changed");
    EXPECT_EQ(model.registry.count(), 2u);
    EXPECT_TRUE(model.ids.releasedMenuIds().empty()) << "the original went without giving its id back";
    EXPECT_TRUE(events.releasedHotkeys.empty());
    EXPECT_NE(addItem(model, model.root, "C").item->itemId, idOfA);
    model.root.children[0].item.reset();
    EXPECT_EQ(model.ids.releasedMenuIds(), std::deque<uint16_t>{idOfA}) << "the adopted copy holds the id";
    EXPECT_EQ(events.releasedHotkeys, std::vector<uint16_t>{idOfA});
}

TEST(ItemPool, BlocksAreReusedAndReturnedWhenNoneIsLeft) {
    blockPool pool(40);
    void* first = pool.take();
    void* second = pool.take();
    EXPECT_NE(first, second);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(first) % alignof(std::max_align_t), 0u);
    pool.give(first);
    EXPECT_EQ(pool.take(), first) << "a freed block serves the next item";
    std::vector<void*> many;
    for (int i = 0; i < 5000; ++i) many.push_back(pool.take());  // several chunks
    std::set<void*> distinct(many.begin(), many.end());
    distinct.insert(first);
    distinct.insert(second);
    EXPECT_EQ(distinct.size(), 5002u);
    for (void* block : many) pool.give(block);
    pool.give(first);
    pool.give(second);
    EXPECT_EQ(pool.blocksInUse(), 0u);
    void* again = pool.take();  // a fresh chunk after all were returned
    EXPECT_NE(again, nullptr);
    pool.give(again);
}

// A second copy of a big menu is read and dropped while the first stays: its
// chunks go back as they empty, not when the pool is empty as a whole.
TEST(ItemPool, ChunksGoBackAsTheyEmpty) {
    blockPool pool(200);
    std::vector<void*> older, newer;
    for (int i = 0; i < 2000; ++i) older.push_back(pool.take());
    for (int i = 0; i < 2000; ++i) newer.push_back(pool.take());
    const size_t chunks = pool.chunkCount();
    ASSERT_GE(chunks, 4u);
    for (void* block : older) pool.give(block);
    const size_t left = pool.chunkCount();
    EXPECT_LE(left, chunks / 2 + 1);
    void* reused = pool.take();
    EXPECT_EQ(pool.chunkCount(), left) << "a chunk kept serves the next item";
    pool.give(reused);
    for (void* block : newer) pool.give(block);
    EXPECT_EQ(pool.blocksInUse(), 0u);
    EXPECT_EQ(pool.chunkCount(), 1u) << "one chunk stays for the next item";
}

TEST(Tree, PathToAnItem) {
    menuModel model;
    addItem(model, model.root, "A");
    menuNode& b = addItem(model, model.root, "B");
    addItem(model, b, "B1");
    menuNode& b2 = addItem(model, b, "B2");
    addItem(model, b2, "B2a");
    addItem(model, model.root, "C");
    menuNode& folder = model.root.children[1];
    const menuItem* deepest = folder.children[1].children[0].item.get();
    std::vector<menuNode*> path = pathTo(model.root, deepest);
    std::string names;
    for (const menuNode* node : path) names += node->item ? node->item->text + "/" : "(root)/";
    EXPECT_EQ(names, "(root)/B/B2/B2a/");
    EXPECT_EQ(pathTo(model.root, model.root.children[2].item.get()).size(), 2u);
    EXPECT_TRUE(pathTo(folder, model.root.children[0].item.get()).empty()) << "not below the node";
    menuNode deep;
    tvtest::addChain(model, deep, 100000);
    const menuNode* last = &deep;
    while (last->hasChildren()) last = &last->children[0];
    EXPECT_EQ(pathTo(deep, last->item.get()).size(), 100001u);
}

TEST(Tree, HundredThousandLevelsAreFreed) {
    menuModel model;
    {
        menuNode deep;
        tvtest::addChain(model, deep, 100000);
        EXPECT_EQ(treeDepth(deep), 100000u);
        EXPECT_EQ(countItems(deep), 100000u);
        model.registry.clear();
    }
    // Only the items that had an id give one back.
    EXPECT_EQ(model.ids.releasedMenuIds().size(), 33800u + 10000u);

    tvtest::addChain(model, model.root, 100000);
    model.unregisterSubtree(model.root);
    EXPECT_EQ(model.registry.count(), 0u);
    model.root.clear();
    EXPECT_FALSE(model.root.hasChildren());
}
