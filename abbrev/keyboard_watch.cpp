#include <windows.h>

#include <string>

#include "abbrev/abbreviation_state.h"
#include "abbrev/abbreviations.h"
#include "files/program_list.h"
#include "res/resource.h"
#include "shell/app_state.h"
#include "shell/own_keys.h"
#include "shell/window_program.h"

namespace tv {

namespace {

bool isModifier(DWORD key) {
    switch (key) {
    case VK_SHIFT: case VK_LSHIFT: case VK_RSHIFT:
    case VK_CONTROL: case VK_LCONTROL: case VK_RCONTROL:
    case VK_MENU: case VK_LMENU: case VK_RMENU:
    case VK_CAPITAL: case VK_NUMLOCK: case VK_SCROLL: return true;
    default: return false;
    }
}

bool held(int key) { return GetAsyncKeyState(key) < 0; }

// Our own windows (the editor, the dialogs, the quick search) and the excluded
// programs never expand anything.
bool expandsNothingIn(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (!window || processId == GetCurrentProcessId()) return true;
    const std::string& exclude = abbreviations().Exclude;
    return !exclude.empty() && programListHas(exclude, programPathOf(window));
}

// The key as the character it types in the foreground window's layout, in code
// page 932; empty when it types none (a control character, a dead key, a
// character the code page lacks). The key state is made from the keys held now:
// this thread's own state knows nothing of what the user types elsewhere.
std::string typedCharacter(const KBDLLHOOKSTRUCT& key, HWND foreground) {
    // Alt or Ctrl alone make a shortcut, not a character; both together are AltGr.
    const bool control = held(VK_CONTROL), alt = held(VK_MENU);
    if (control != alt || held(VK_LWIN) || held(VK_RWIN)) return std::string();
    BYTE state[256] = {};
    for (int modifier : {VK_SHIFT, VK_LSHIFT, VK_RSHIFT, VK_CONTROL, VK_LCONTROL, VK_RCONTROL, VK_MENU, VK_LMENU,
                         VK_RMENU})
        if (held(modifier)) state[modifier] = 0x80;
    for (int toggle : {VK_CAPITAL, VK_KANA})
        if (GetKeyState(toggle) & 1) state[toggle] = 0x01;
    HKL layout = GetKeyboardLayout(GetWindowThreadProcessId(foreground, nullptr));
    wchar_t wide[4] = {};
    // Flag 4: the dead-key state of the keyboard stays as the target will need it.
    int count = ToUnicodeEx(key.vkCode, key.scanCode, state, wide, 4, 4, layout);
    if (count != 1 || wide[0] < 0x20 || wide[0] == 0x7F) return std::string();
    char bytes[4] = {};
    BOOL lacking = FALSE;
    int size = WideCharToMultiByte(932, 0, wide, 1, bytes, sizeof bytes, nullptr, &lacking);
    if (size <= 0 || lacking) return std::string();
    return std::string(bytes, static_cast<size_t>(size));
}

void noteKeyDown(const KBDLLHOOKSTRUCT& key) {
    abbreviationState& state = abbreviations();
    if (isModifier(key.vkCode)) return;
    HWND foreground = GetForegroundWindow();
    const bool otherWindow = foreground != state.foreground;
    if (otherWindow) {
        state.foreground = foreground;
        state.foregroundExcluded = expandsNothingIn(foreground);
    }
    // VK_PROCESSKEY: an input method is composing, and the characters are its own.
    const bool collects = !state.foregroundExcluded && !state.paused && key.vkCode != VK_PROCESSKEY;
    // Navigation and editing keys and shortcuts type nothing, and start over.
    const std::string character = collects ? typedCharacter(key, foreground) : std::string();
    abbreviationLock held;
    if (otherWindow || character.empty()) state.matcher.reset();
    if (character.empty()) return;
    if (auto hit = state.matcher.type(character)) {
        // The hook must answer at once: the item runs from the message loop, after
        // the key that completed the abbreviation has reached the target.
        state.pending = std::move(hit);
        PostMessageA(app().mainWindow, WM_COMMAND, IDM_MAIN_ABBREVIATION_HIT, 0);
    }
}

LRESULT CALLBACK onKeyboardEvent(int code, WPARAM message, LPARAM data) {
    if (code == HC_ACTION) {
        abbreviations().lastHookCall = GetTickCount();
        const auto& key = *reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
        if (key.dwExtraInfo != ownKeystrokeMark && (message == WM_KEYDOWN || message == WM_SYSKEYDOWN))
            noteKeyDown(key);
    }
    return CallNextHookEx(nullptr, code, message, data);
}

// A click may move the caret anywhere: what was typed before no longer ends there.
LRESULT CALLBACK onMouseEvent(int code, WPARAM message, LPARAM data) {
    if (code == HC_ACTION) {
        abbreviations().lastHookCall = GetTickCount();
        switch (message) {
        case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: case WM_XBUTTONDOWN: {
            abbreviationLock held;
            abbreviations().matcher.reset();
            break;
        }
        }
    }
    return CallNextHookEx(nullptr, code, message, data);
}

// The hook thread: installs both hooks, says whether it could, and pumps
// messages (the hooks are called from its message loop) until WM_QUIT.
DWORD WINAPI watchKeyboard(LPVOID ready) {
    abbreviationState& state = abbreviations();
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);  // the queue WM_QUIT is posted to
    HHOOK keyboard = SetWindowsHookExA(WH_KEYBOARD_LL, onKeyboardEvent, app().instance, 0);
    HHOOK mouse = SetWindowsHookExA(WH_MOUSE_LL, onMouseEvent, app().instance, 0);
    state.hooksInstalled = keyboard && mouse;
    SetEvent(static_cast<HANDLE>(ready));
    if (keyboard && mouse)
        while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    if (keyboard) UnhookWindowsHookEx(keyboard);
    if (mouse) UnhookWindowsHookEx(mouse);
    return 0;
}

}  // namespace

bool installKeyboardWatch() {
    abbreviationState& state = abbreviations();
    removeKeyboardWatch();
    state.foreground = nullptr;  // the thread is not running: no one else reads it now
    state.hooksInstalled = false;
    state.lastHookCall = GetTickCount();
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!ready) return false;
    state.hookThread = CreateThread(nullptr, 0, watchKeyboard, ready, 0, &state.hookThreadId);
    if (state.hookThread) WaitForSingleObject(ready, 5000);
    CloseHandle(ready);
    return state.hooksInstalled;
}

void removeKeyboardWatch() {
    abbreviationState& state = abbreviations();
    if (state.hookThread) {
        PostThreadMessageA(state.hookThreadId, WM_QUIT, 0, 0);
        WaitForSingleObject(state.hookThread, 2000);
        CloseHandle(state.hookThread);
        state.hookThread = nullptr;
    }
    state.hooksInstalled = false;
    abbreviationLock held;
    state.matcher.reset();
}

bool keyboardWatchLost() {
    const abbreviationState& state = abbreviations();
    if (!state.hooksInstalled) return false;
    LASTINPUTINFO input{sizeof input, 0};
    if (!GetLastInputInfo(&input)) return false;
    // Both hooks see every input, so one seen by neither a while ago means Windows
    // took them away after a late answer.
    return static_cast<LONG>(input.dwTime - state.lastHookCall) > 2000;
}

}  // namespace tv
