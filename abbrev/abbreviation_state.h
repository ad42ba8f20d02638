// The state of abbreviation expansion, owned by the main thread, whose hooks
// and message handlers are the only ones to touch it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "abbrev/abbreviation_matcher.h"

namespace tv {

struct abbreviationState {
    // [Abbrev] of tv2.ini
    bool Enable = true;
    std::string Exclude;

    bool paused = false;  // the tray menu's check entry
    abbreviationMatcher matcher;
    std::optional<abbreviationHit> pending;  // a hit posted to the main window

    HHOOK keyboardHook = nullptr;
    HHOOK mouseHook = nullptr;
    DWORD lastHookCall = 0;          // GetTickCount of the last event either hook saw
    bool failureReported = false;

    HWND foreground = nullptr;  // where the typed text was typed
    bool foregroundExcluded = false;
};

abbreviationState& abbreviations();

}  // namespace tv
