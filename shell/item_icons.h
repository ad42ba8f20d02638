// The shared image list of item icons (app().imageList), 16x16 at 96 DPI and
// scaled with the screen's DPI: the standard icons, and the icons of files,
// programs and URLs resolved once per item.
#pragma once

#include <windows.h>

#include "model/menu_item.h"
#include "shell/icon_source.h"

namespace tv {

// Empties app().imageList and appends the standard icons. Every index cached in
// an item is stale afterwards: call it only together with loading a fresh tree.
void resetImageList();

// The image-list index of a standard slot (iconSlot::...); -1 when its icon
// resource could not be loaded.
int standardIconIndex(int slot);

// The image-list index of the item's icon. With useCache a resolved index is
// returned as it is; otherwise a user or program icon is extracted again and
// replaces the old image. With cacheOnly nothing is extracted: -1 when the item
// needs a file icon that is not resolved yet.
int iconIndex(menuItem& item, bool hasSubmenu, bool useCache, bool selected, bool cacheOnly);

}  // namespace tv
