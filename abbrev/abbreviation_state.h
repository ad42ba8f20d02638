// The state of abbreviation expansion. The hooks run on a thread of their own
// (keyboard_watch.cpp), so that input to every program never waits for the main
// thread while it is busy; what both threads touch is guarded or atomic.
#pragma once

#include <windows.h>

#include <atomic>
#include <optional>
#include <string>

#include "abbrev/abbreviation_matcher.h"

namespace tv {

struct abbreviationState {
    // [Abbrev] of tv2.ini
    bool Enable = true;
    std::string Exclude;

    std::atomic<bool> paused{false};  // the tray menu's check entry

    // Guarded by `lock`: the hook thread types into the matcher, the main
    // thread rebuilds it with the menu and takes the posted hit.
    CRITICAL_SECTION lock;
    abbreviationMatcher matcher;
    // A hit posted to the main window. A rebuild leaves it: it names the
    // abbreviation, which the main thread looks up in the table it finds.
    std::optional<abbreviationHit> pending;

    // The hook thread's; the main thread starts and ends it.
    HANDLE hookThread = nullptr;
    DWORD hookThreadId = 0;
    std::atomic<bool> hooksInstalled{false};
    std::atomic<DWORD> lastHookCall{0};  // GetTickCount of the last event either hook saw
    bool failureReported = false;

    // The hook thread's own: where the typed text was typed.
    HWND foreground = nullptr;
    bool foregroundExcluded = false;

    abbreviationState() { InitializeCriticalSection(&lock); }
};

abbreviationState& abbreviations();

// Holds abbreviations().lock for its scope.
class abbreviationLock {
public:
    abbreviationLock() { EnterCriticalSection(&abbreviations().lock); }
    ~abbreviationLock() { LeaveCriticalSection(&abbreviations().lock); }
    abbreviationLock(const abbreviationLock&) = delete;
    abbreviationLock& operator=(const abbreviationLock&) = delete;
};

}  // namespace tv
