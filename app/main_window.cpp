// The main window procedure: a thin switch over the messages, each handled by a
// named function. Whatever a case leaves unanswered goes to the popup menu's
// handler, which owns drawing, menu initialisation and mnemonics.
#include "app/main_window.h"

#include "abbrev/abbreviations.h"
#include "app/clipboard_chain.h"
#include "app/data_file_watch.h"
#include "app/main_commands.h"
#include "app/shutdown.h"
#include "cliphistory/clip_history.h"
#include "editor/settings_editor.h"
#include "folderpopup/folder_popup.h"
#include "popup/clipboard_restore.h"
#include "popup/execute.h"
#include "popup/placement.h"
#include "popup/popup_menu.h"
#include "popup/popup_state.h"
#include "quicksearch/quick_search.h"
#include "res/resource.h"
#include "shell/app_state.h"
#include "shell/tray.h"
#include "shell/wine_compat.h"

namespace tv {

namespace {

const char* const mainClassName = "TV2";

void onCreate(HWND window) {
    app().mainWindow = window;
    joinClipboardChain(window);
    SetTimer(window, IDT_CORNER_WATCH, 100, nullptr);
    SetTimer(window, IDT_HISTORY_SAVE, 1800000, nullptr);
    SetTimer(window, IDT_TRAY_WATCH, 10000, nullptr);
    SetTimer(window, IDT_DATA_FILE_WATCH, 500, nullptr);
}

void onPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    DrawIconEx(dc, 0, 0, app().appIcon16, 16, 16, 0, nullptr, DI_IMAGE);
    EndPaint(window, &paint);
}

void onTimer(HWND window, UINT_PTR timer) {
    switch (timer) {
    case IDT_CORNER_WATCH: watchCorners(); break;
    case IDT_HISTORY_SAVE: saveHistoryNow(); break;
    case IDT_TRAY_WATCH: watchTray(); break;
    case IDT_DATA_FILE_WATCH: watchDataFile(); break;
    case IDT_ENCLOSE_FALLBACK:
        KillTimer(window, IDT_ENCLOSE_FALLBACK);
        onEncloseFallback();
        break;
    case IDT_CLIPBOARD_BACK: onGiveClipboardBack(); break;
    case IDT_ABBREVIATION_WATCH: watchAbbreviationHooks(); break;
    }
}

// Pointer over the tray icon or the tile: remember the window the user came from.
void onTrayCallback(LPARAM mouseMessage) {
    switch (mouseMessage) {
    case WM_MOUSEMOVE: captureTargetThrottled(); break;
    case WM_LBUTTONDBLCLK: openSettingsEditor(nullptr); break;
    case WM_RBUTTONUP:
        SetForegroundWindow(app().mainWindow);
        PostMessageA(app().mainWindow, WM_COMMAND, IDM_SHOW_WHOLE_MENU, fromTrayIcon);
        break;
    }
}

// Returns true when the hotkey was handled; the private key only takes the foreground.
bool onHotkey(WPARAM id) {
    if (id == IDH_PRIVATE) {
        SetForegroundWindow(app().mainWindow);
        return false;
    }
    // A second press while a menu is open closes it. Opening another from inside
    // the menu's own loop would fight it for the foreground and freeze it.
    if (popup().menuOpen) {
        closeOpenMenu();
        return true;
    }
    popup().currentHistoryItem = nullptr;
    // The search window is never the target: any of our keys closes it first, and
    // its own key closes it the way a second press closes a menu.
    if (closeQuickSearch() && id == IDH_QUICK_SEARCH) return true;
    captureTarget();
    if (id == IDH_QUICK_SEARCH)
        openQuickSearch();
    else
        handleCommand(static_cast<UINT>(id), 1, false);
    return true;
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: onCreate(window); return 0;
    case WM_PAINT: onPaint(window); return 0;
    case WM_NCHITTEST: return HTCAPTION;
    case WM_NCMOUSEMOVE: captureTargetThrottled(); break;
    case WM_NCLBUTTONDBLCLK: openSettingsEditor(nullptr); return 0;
    // Wine's default handling of a right press on a caption keeps the release to
    // itself, so the tile (all caption) would never see WM_NCRBUTTONUP.
    case WM_NCRBUTTONDOWN: return 0;
    case WM_NCRBUTTONUP: PostMessageA(window, WM_COMMAND, IDM_SHOW_WHOLE_MENU, fromTrayIcon); return 0;
    case WM_DRAWCLIPBOARD: onDrawClipboard(wParam, lParam); return 0;
    case WM_CHANGECBCHAIN: onChangeClipboardChain(reinterpret_cast<HWND>(wParam), reinterpret_cast<HWND>(lParam)); return 0;
    case WM_RENDERFORMAT: onRenderFormat(static_cast<UINT>(wParam)); return 0;
    case WM_RENDERALLFORMATS: onRenderAllFormats(); return 0;
    case WM_DESTROYCLIPBOARD: onDestroyClipboard(); return 0;
    case WM_HOTKEY:
        if (onHotkey(wParam)) return 0;
        break;
    case WM_COMMAND: return handleCommand(LOWORD(wParam), lParam, true, HIWORD(wParam));
    case WM_CLOSE:
    case WM_QUERYENDSESSION:
        if (auto answer = onCloseRequest(message)) return *answer;
        break;
    case WMU_TRAY_CALLBACK: onTrayCallback(lParam); return 1;
    case WM_TIMER: onTimer(window, wParam); return 0;
    // Folder menus measure with the system's menu font, which these can change.
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE: return folderMenuMessage(window, message, wParam, lParam);
    case WM_NULL:
    case WMU_NOTHING: return DefWindowProcA(window, message, wParam, lParam);
    }
    return menuMessage(window, message, wParam, lParam, true);
}

}  // namespace

bool registerMainWindowClass() {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = mainWindowProc;
    windowClass.hInstance = app().instance;
    windowClass.hIcon = app().appIcon32;
    windowClass.hIconSm = app().appIcon16;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = mainClassName;
    return RegisterClassExA(&windowClass) != 0;
}

HWND createMainWindow() {
    // Under Wine the window is shown for a moment while a menu is open, as a tool
    // window like any other program's helper window.
    DWORD extendedStyle = runningUnderWine() ? WS_EX_TOOLWINDOW : 0;
    return CreateWindowExA(extendedStyle, mainClassName, "Tolvane2", WS_POPUP, CW_USEDEFAULT, 0, 16, 16, nullptr, nullptr,
                           app().instance, nullptr);
}

}  // namespace tv
