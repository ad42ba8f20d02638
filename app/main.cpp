// Start-up, the message loop and the clean-up after it.
#include <windows.h>
#include <commctrl.h>

#include "abbrev/abbreviations.h"
#include "app/main_window.h"
#include "app/shutdown.h"
#include "cliphistory/clip_history.h"
#include "cliphistory/history_edit_dialog.h"
#include "cliphistory/history_file.h"
#include "editor/find.h"
#include "editor/settings_editor.h"
#include "folderpopup/folder_popup.h"
#include "popup/popup_menu.h"
#include "popup/popup_state.h"
#include "quicksearch/quick_search.h"
#include "res/resource.h"
#include "shell/app_state.h"
#include "shell/first_run_hint.h"
#include "shell/hotkeys.h"
#include "shell/item_icons.h"
#include "shell/screen_dpi.h"
#include "shell/startup.h"
#include "shell/timing_log.h"
#include "shell/tray.h"
#include "widgets/select_all_key.h"

namespace tv {

namespace {

HHOOK messageFilterHook = nullptr;

bool isAltKeyDown(const MSG& message) {
    return (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) &&
           (message.wParam == VK_MENU || message.wParam == VK_LMENU || message.wParam == VK_RMENU);
}

// The messages of the loops that are not runMessageLoop: a tracked menu's and
// a modal dialog's. While a menu is tracked, a right-button release means "add
// this history entry as an item" and a left-button press takes that back.
LRESULT CALLBACK onMessageFilter(int code, WPARAM wParam, LPARAM lParam) {
    const MSG* message = reinterpret_cast<const MSG*>(lParam);
    if (code == MSGF_MENU) {
        if (message->message == WM_LBUTTONDOWN) popup().addToItems = false;
        if (message->message == WM_RBUTTONUP) popup().addToItems = true;
        // Alt would end our menu on its own, before the rest of a chord such as
        // Ctrl+Alt+M arrives: its hotkey would then open the menu again instead
        // of closing it. The hotkey closes the menu (onHotkey); Escape does too.
        if (popup().menuOpen && isAltKeyDown(*message)) return 1;
    }
    if (code == MSGF_DIALOGBOX && selectAllOnCtrlA(*message)) return 1;
    return CallNextHookEx(messageFilterHook, code, wParam, lParam);
}

HICON loadIcon(int id, int size) {
    return static_cast<HICON>(LoadImageA(app().instance, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
}

void createResources() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES | ICC_HOTKEY_CLASS};
    InitCommonControlsEx(&controls);
    app().appIcon32 = loadIcon(IDI_APP, 32);
    app().appIcon16 = loadIcon(IDI_APP, 16);
    registerMainWindowClass();
    app().activeIcon = loadIcon(IDI_ACTIVE, 16);
    const int iconSize = scaledPixels(16);
    app().imageList = ImageList_Create(iconSize, iconSize, ILC_COLOR32 | ILC_MASK, 18, 4);
    resetImageList();
}

// The lower layers reach the editor above them only through these.
void registerCallbacks() {
    popup().menuBeingEdited = [] { return settingsEditor().window != nullptr; };
    popup().openSettingsEditor = openSettingsEditor;
    popup().menuRebuilt = rebuildAbbreviations;
}

void applySettings() {
    loadSettings(app().config, app().font, app().menuFont);
    clipHistory().counts = app().config.counts;
}

int runMessageLoop() {
    MSG message;
    // Wide, so that a typed character or an input method's result reaches the
    // Unicode windows whole: an ANSI loop squeezes each through code page 932.
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Before any window's keys: the editor's table has a Ctrl+A of its own.
        if (selectAllOnCtrlA(message)) continue;
        // The modeless find dialog handles its own keys (Tab, Enter, Esc).
        HWND findDialog = findDialogWindow();
        if (findDialog && IsDialogMessageW(findDialog, &message)) continue;
        // The history edit dialog's keys are its own, never the editor's shortcuts.
        if (isHistoryEditDialogMessage(message)) continue;
        if (isEditorMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

}  // namespace

int runProgram(HINSTANCE instance) {
    startupStepDone("loading the program");
    app().startDirectory = currentDirectoryPath();
    initFolderPopup();
    std::string dataFile = dataFileNameFromCommandLine(commandLineArguments());
    if (dataFile.empty()) {
        // One copy per user: a second start opens the first one's editor instead.
        if (HWND running = FindWindowA("TV2", nullptr)) {
            SetForegroundWindow(running);
            PostMessageA(running, WM_COMMAND, IDM_MAIN_OPEN_EDITOR, 0);
            return 0;
        }
    } else {
        app().dataFileName = dataFile;
    }
    app().instance = instance;
    messageFilterHook = SetWindowsHookExW(WH_MSGFILTER, onMessageFilter, nullptr, GetCurrentThreadId());
    createResources();
    app().model.setEvents(&platformModelEvents());
    registerCallbacks();

    startupStepDone("before the data file");
    const bool firstStart = isFirstStart();  // before the data file is written
    loadMenuAtStartup();
    startupStepDone("data file");
    loadHistoryFile(historyFileName, clipHistory());
    applySettings();
    startupStepDone("history and settings");
    rebuildMainMenu();
    startupStepDone("menu");
    if (!createMainWindow()) return 0;
    startupStepDone("main window");
    registerPrivateHotkey();
    registerAllHotkeys();
    startAbbreviations();
    startupStepDone("keys");
    if (app().dataFileName != "tv2_text.ini")
        PostMessageA(app().mainWindow, WM_COMMAND, IDM_MAIN_OPEN_EDITOR, 0);
    app().trayAdded = addTrayIcon(app().appIcon16);
    if (app().trayAdded) trayIconShown();
    showTileOrHide();
    if (firstStart) showFirstRunHint();
    registerSearchHotkey();  // after the items' keys: a clash is reported, the item keeps its key

    runMessageLoop();
    stopAbbreviations();
    releaseEverything();
    if (messageFilterHook) UnhookWindowsHookEx(messageFilterHook);
    return 0;
}

}  // namespace tv

// The command line the runtime hands over here is cut wrongly after a program
// path with double-byte characters: runProgram reads its own.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return tv::runProgram(instance);
}
