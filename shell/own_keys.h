// Keystrokes the program sends itself (Ctrl+V, Left, Backspace, its private
// hotkey). Each carries a mark in dwExtraInfo, so the abbreviation hook can
// tell them from what the user types: under Wine, keys coming from the X
// server are not flagged as injected either, so the injected flag alone cannot.
#pragma once

#include <windows.h>

namespace tv {

constexpr ULONG_PTR ownKeystrokeMark = 0x54764B79;  // "TvKy"

// One key down or up (flags as keybd_event takes them: KEYEVENTF_KEYUP,
// KEYEVENTF_EXTENDEDKEY), sent with the mark.
inline void sendOwnKey(BYTE key, DWORD flags = 0) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = flags;
    input.ki.dwExtraInfo = ownKeystrokeMark;
    SendInput(1, &input, sizeof input);
}

// A key pressed and let go.
inline void tapOwnKey(BYTE key, DWORD flags = 0) {
    sendOwnKey(key, flags);
    sendOwnKey(key, flags | KEYEVENTF_KEYUP);
}

}  // namespace tv
