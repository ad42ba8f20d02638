#include "editor/menu_sort.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace tv {

namespace {

// A folder's key is its mode lowered by 100, so folders sort before any item.
int kindKey(const menuNode& node) {
    int mode = node.item ? node.item->mode : 0;
    return node.hasChildren() ? mode - 100 : mode;
}

// Byte order as unsigned bytes; a prefix comes first.
int compareText(const menuNode& x, const menuNode& y) {
    static const std::string none;
    const std::string& a = x.item ? x.item->text : none;
    const std::string& b = y.item ? y.item->text : none;
    size_t common = std::min(a.size(), b.size());
    int bytes = common ? std::memcmp(a.data(), b.data(), common) : 0;
    if (bytes != 0) return bytes;
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

}  // namespace

int compareForSort(const menuNode& x, const menuNode& y, sortOrder order) {
    int byText = compareText(x, y);
    int byKind = kindKey(x) - kindKey(y);
    if (order == sortOrder::byName) return byText != 0 ? byText : byKind;
    return byKind != 0 ? byKind : byText;
}

void sortChildren(menuNode& node, sortOrder order, bool descending) {
    if (node.childCount() < 2) return;
    std::sort(node.children.begin(), node.children.end(), [&](const menuNode& x, const menuNode& y) {
        int value = compareForSort(x, y, order);
        return (descending ? -value : value) < 0;
    });
}

}  // namespace tv
