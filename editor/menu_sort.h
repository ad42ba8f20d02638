// The editor's two sorts of one folder's direct children. Folders come before
// plain items when ascending; items of one kind are ordered by mode number.
#pragma once

#include "model/menu_node.h"

namespace tv {

enum class sortOrder { byName, byKind };

// Negative when x goes before y in ascending order.
int compareForSort(const menuNode& x, const menuNode& y, sortOrder order);

// Sorts one level only. Like the editor always has, it uses an unstable sort:
// entries that compare equal may change places.
void sortChildren(menuNode& node, sortOrder order, bool descending);

}  // namespace tv
