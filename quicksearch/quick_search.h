// The quick search window "Tolvane 検索": type a few letters of a phrase or of a
// clipboard-history entry, press Enter, and it is carried out as if it had been
// chosen in the menu.
#pragma once

namespace tv {

// --- search_hotkey.cpp ---

// Registers [Search] Hotkey of tv2.ini (data-file vk form; default Ctrl+Alt+F,
// 0 = none). A key that is taken is reported once per run.
void registerSearchHotkey();

// --- search_window.cpp ---

// Opens the window, or brings it forward, at the target's caret or else at the
// pointer. captureTarget() must have run: the target gets the result.
void openQuickSearch();
// Closes the window and gives the focus back to the target; false when it was
// not open. Called before a hotkey captures its target, which must never be
// the search window itself.
bool closeQuickSearch();

}  // namespace tv
