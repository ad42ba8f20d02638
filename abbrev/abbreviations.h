// Abbreviations typed in any program: a low-level keyboard hook (and a mouse
// hook, for the clicks that move the caret) on a thread of their own feeds the
// matcher, and a hit runs its item on the main thread as a menu pick does. [Abbrev] of tv2.ini:
// Enable=1 (default 1) and Exclude= programs where nothing expands.
#pragma once

#include "model/menu_node.h"

namespace tv {

// --- abbreviations.cpp ---

// Reads [Abbrev] and, when enabled, starts the hook thread, which installs the
// hooks and pumps messages. A failure is reported once.
void startAbbreviations();
void stopAbbreviations();
// The menu was rebuilt from this tree: its abbreviations are the ones typed now.
void rebuildAbbreviations(const menuNode& tree);
// Command IDM_MAIN_ABBREVIATION_HIT: the abbreviation typed last is taken back
// and its item runs.
void runAbbreviationHit();
// Timer IDT_ABBREVIATION_WATCH: Windows removes a hook that once answered too
// late, without a word; such a hook is installed again.
void watchAbbreviationHooks();

// The tray menu's check entry: false when abbreviations are off in tv2.ini.
bool abbreviationsEnabled();
bool abbreviationsPaused();
void toggleAbbreviationPause();

// --- keyboard_watch.cpp ---

// The hook thread, started or ended; false when a hook could not be installed.
bool installKeyboardWatch();
void removeKeyboardWatch();
// Input that neither hook saw: Windows has taken them away.
bool keyboardWatchLost();

}  // namespace tv
