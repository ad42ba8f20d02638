// Hands out item ids from two ranges and takes released ones back, oldest first.
// No id is ever held by two live items: the allocator knows which ids are in use,
// and when both ranges are full an item gets no id (0) instead of a shared one.
#pragma once

#include <bitset>
#include <cstdint>
#include <deque>

namespace tv {

constexpr uint16_t firstMenuId = 200;
constexpr uint16_t menuIdLimit = 34000;      // menu ids are 200..33999
constexpr uint16_t firstHistoryId = 55500;
constexpr uint16_t historyIdLimit = 65500;   // history ids are 55500..65499
constexpr uint16_t noneEntryId = 65501;      // the disabled "なし" entry of an empty history submenu
constexpr uint16_t noItemId = 0;             // an item beyond the id space: kept, but never chosen

// What the platform does when an item holding a key goes away: drop its global hotkey.
class hotkeyReleaser {
public:
    virtual ~hotkeyReleaser() = default;
    virtual void unregisterHotkey(uint16_t itemId) = 0;
};

class idAllocator {
public:
    // A menu id, or once the menu range is full a free history id; noItemId when none is left.
    uint16_t takeMenuId();
    uint16_t takeHistoryId();  // noItemId when all 10000 history ids are in use
    // Called when an item is destroyed; does nothing while the program is closing.
    // Only an item with a key can hold a global hotkey, so only that one asks
    // the platform to drop it: a menu of thousands goes without as many calls.
    void release(uint16_t itemId, uint8_t mode, bool heldKey);

    void resetMenuRange();     // before the running menu is rebuilt from the data file
    void resetHistoryRange();  // when the history is erased or loaded

    void setShuttingDown(bool closing) { shuttingDown_ = closing; }
    bool shuttingDown() const { return shuttingDown_; }
    void setHotkeyReleaser(hotkeyReleaser* releaser) { hotkeys_ = releaser; }

    const std::deque<uint16_t>& releasedMenuIds() const { return releasedMenu_; }
    const std::deque<uint16_t>& releasedHistoryIds() const { return releasedHistory_; }

private:
    uint16_t takeReleased(std::deque<uint16_t>& released);
    uint16_t claim(uint16_t itemId);

    uint16_t menuCounter_ = firstMenuId;
    uint16_t historyCounter_ = firstHistoryId;
    std::deque<uint16_t> releasedMenu_;
    std::deque<uint16_t> releasedHistory_;
    // A reset forgets the released lists, not the items still alive (the editor's
    // copy of the menu, history entries, menu items that borrowed history ids).
    std::bitset<65536> live_;
    size_t liveHistoryIds_ = 0;
    bool shuttingDown_ = false;
    hotkeyReleaser* hotkeys_ = nullptr;
};

}  // namespace tv
