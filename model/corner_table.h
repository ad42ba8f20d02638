// The four screen corners, each naming the item whose submenu pops up there.
#pragma once

#include <array>
#include <cstdint>

namespace tv {

// Corner numbers as stored in files: 0 none, 1 left-up, 2 left-buttom, 3 right-up, 4 right-buttom.
constexpr int cornerCount = 4;

class cornerTable {
public:
    int cornerOf(uint16_t itemId) const;       // 1..4, or 0 when the item holds none
    void setCorner(uint16_t itemId, int corner);  // an out-of-range corner only clears
    void clear() { slots_.fill(0); }
    uint16_t itemAt(int corner) const { return corner >= 1 && corner <= cornerCount ? slots_[corner - 1] : 0; }

private:
    std::array<uint16_t, cornerCount> slots_{};
};

// "left-up", "left-buttom", "right-up", "right-buttom" for 1..4; nullptr otherwise.
const char* cornerKeyword(int corner);

}  // namespace tv
