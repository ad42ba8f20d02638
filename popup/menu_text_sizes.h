// The sizes the popup menu's entries are measured with. Windows asks for every
// entry each time a menu opens, so a level of thousands of entries would spend
// most of its opening in DrawText and GetSystemMetrics (slow under Wine): the
// text sizes are kept per text for the menu font they were measured in, and the
// system metrics are read once an opening.
#pragma once

#include <windows.h>

#include <string>

namespace tv {

// What measuring an entry needs besides its text.
struct entryMetrics {
    int menuHeight;  // SM_CYMENU
    int checkWidth;  // SM_CXMENUCHECK: the system adds it to every owner-drawn entry
};

// A menu is about to open (WM_INITMENUPOPUP): the system metrics are read again,
// and the kept sizes are dropped when the menu font is not the one they were
// measured in.
void menuOpening();
const entryMetrics& menuEntryMetrics();
// The DT_CALCRECT size of a single line of text in the menu font, "&" prefixes
// processed as DrawText draws them.
SIZE menuTextSize(const std::string& text);
SIZE menuTextSize(const std::u16string& text);
// Drops every kept size: the menu has been rebuilt.
void forgetMenuTextSizes();

}  // namespace tv
