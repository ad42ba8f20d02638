// The program-wide menu state: id ranges, the registry of live items and the corners.
// The running program has one; tests make their own.
#pragma once

#include <cstdint>
#include <string>

#include "model/corner_table.h"
#include "model/id_allocator.h"
#include "model/item_registry.h"
#include "model/menu_node.h"

namespace tv {

struct itemFields {
    std::string text;
    std::string data;
    bool unicodeEscapes = false;  // as menuItem::unicodeEscapes
    uint16_t vk = 0;
    uint8_t mode = itemMode::inputString;
    uint8_t extKey = 0;
    std::string extIconFileName;
    int32_t extIconIndex = 0;
    std::string abbreviation;
};

// Platform effects the model asks for; the Win32 layer supplies them.
class modelEvents : public hotkeyReleaser {
public:
    // The running menu is about to be rebuilt: drop every resolved item icon.
    virtual void runningMenuReset() {}
};

class menuModel {
public:
    menuModel();
    ~menuModel();
    menuModel(const menuModel&) = delete;
    menuModel& operator=(const menuModel&) = delete;

    // Creates a registered item with a menu-range id and makes it the node's item.
    menuItem& createItem(menuNode& node, itemFields fields);
    // The same with every field at its default, for a reader that fills them in place.
    menuItem& createItem(menuNode& node);
    // A history entry: history-range id, mode 255, not registered.
    itemRef createHistoryEntry(std::string escapedText, bool unicodeEscapes = false);

    // Depth first in child order: leaves the registry and detaches the item.
    void unregisterSubtree(menuNode& node);

    // The settings editor changes a copy of a running item, so the running menu
    // goes on showing, choosing and keying what was saved. The copy has the
    // original's fields and id but is neither registered nor holds the id:
    // dropping it gives nothing back.
    itemRef copyForEditing(const menuItem& original) const;
    // The tree is to run now: each copy in it takes its original's place in
    // the registry and holds the id; the original, going with the old menu,
    // gives nothing back.
    void adoptEditedCopies(const menuNode& tree);

    // An item's corner: from the corner table, or for an item without an id the
    // one its file gave it, which is only written back.
    int cornerOf(const menuItem& item) const;
    void setCorner(menuItem& item, int corner);

    // Called before the running menu is read again from the data file.
    void resetForRunningMenu();

    void setEvents(modelEvents* events);

    idAllocator ids;
    itemRegistry registry;
    cornerTable corners;
    menuNode root;  // menuRoot: the running menu

private:
    modelEvents* events_ = nullptr;
};

}  // namespace tv
