// The editor's dialog procedure: a thin switch that hands each message to a
// named handler. Menu messages it does not know go to the popup menu's handler,
// which fills and draws the two history submenus of its menu bar.
#include "editor/editor_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include "editor/editor_commands.h"
#include "editor/editor_hotkeys.h"
#include "editor/editor_layout.h"
#include "editor/editor_tree.h"
#include "editor/pending_children.h"
#include "editor/file_commands.h"
#include "editor/find.h"
#include "editor/properties_pane.h"
#include "editor/save_notice.h"
#include "editor/settings_editor.h"
#include "editor/tree_commands.h"
#include "editor/tree_context_menu.h"
#include "editor/tree_drag.h"
#include "editor/tree_keyboard.h"
#include "files/code_page.h"
#include "popup/popup_menu.h"
#include "res/resource.h"
#include "shell/app_state.h"
#include "shell/messages.h"
#include "shell/window_text.h"
#include "widgets/tooltips.h"

namespace tv {

namespace {

const struct {
    int id;
    const char* text;
} tooltipTexts[] = {
    {IDC_NEW, "項目新規作成"},
    {IDC_MOVE_UP, "上に移動"},
    {IDC_MOVE_DOWN, "下に移動"},
    {IDC_MOVE_LEFT, "フォルダから抜ける"},
    {IDC_MOVE_RIGHT, "フォルダに入る，フォルダを作る"},
    {IDC_DELETE, "項目を削除"},
    {IDC_ADD_COPY, "項目の複製を作成(コピー)"},
    {IDC_CHANGE_ICON, "項目のアイコンの変更"},
    {IDC_LOAD_FILE, "ファイル名の中身を開く"},
    {IDC_BROWSE_FILE, "ファイル名を参照"},
    {IDC_BROWSE_FOLDER, "フォルダ名を参照"},
    {IDC_MODE, "項目の使用目的を選択"},
    {IDC_SPLITTER, "分割バー(何"},
    {IDC_DISPLAY_TEXT, "表示文字列編集欄"},
    {IDC_HOTKEY, "この項目呼び出しに割り当てるキー"},
    {IDC_WIN_KEY, "この項目呼び出しに割り当てるキーにWindowsキーも使用"},
    {IDC_CORNER, "この項目呼び出しに割り当てるマウスカーソルの位置"},
    {IDC_ABBREVIATION, "どのソフトでも，入力するとこの項目に置き換わる語(31バイトまで)"},
    {IDC_OK, "設定を保存して有効にし，閉じます"},
    {IDC_APPLY, "設定を保存して有効にします"},
    {IDCANCEL, "設定を破棄し，閉じます"},
};

const toolIcon toolIcons[] = {
    {IDC_NEW, IDI_TOOL_NEW},
    {IDC_MOVE_UP, IDI_TOOL_MOVE_UP},
    {IDC_MOVE_DOWN, IDI_TOOL_MOVE_DOWN},
    {IDC_MOVE_LEFT, IDI_TOOL_MOVE_LEFT},
    {IDC_MOVE_RIGHT, IDI_TOOL_MOVE_RIGHT},
    {IDC_DELETE, IDI_TOOL_DELETE},
    {IDC_ADD_COPY, IDI_TOOL_COPY},
    {IDC_CHANGE_ICON, IDI_TOOL_ICON},
    {IDC_LOAD_FILE, IDI_TOOL_LOAD_FILE},
    {IDC_BROWSE_FILE, IDI_TOOL_BROWSE_FILE},
    {IDC_BROWSE_FOLDER, IDI_TOOL_BROWSE_FOLDER},
    {IDC_APPLY, IDI_TOOL_APPLY},
};

// Dialog procedures answer most messages through DWLP_MSGRESULT.
INT_PTR answer(HWND window, LRESULT result) {
    SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
    return TRUE;
}

void takeControls(editorState& editor) {
    HWND window = editor.window;
    editor.tree = GetDlgItem(window, IDC_TREE);
    // Unicode windows (the dialog is made wide), so a character code page 932
    // lacks is seen, not read as "?".
    editor.displayText = GetDlgItem(window, IDC_DISPLAY_TEXT);
    editor.content = GetDlgItem(window, IDC_CONTENT);
    editor.modeList = GetDlgItem(window, IDC_MODE);
    editor.hotkey = GetDlgItem(window, IDC_HOTKEY);
    editor.winKey = GetDlgItem(window, IDC_WIN_KEY);
    editor.corner = GetDlgItem(window, IDC_CORNER);
    editor.contentLabel = GetDlgItem(window, IDC_CONTENT_LABEL);
    editor.abbreviation = GetDlgItem(window, IDC_ABBREVIATION);
    editor.abbreviationLabel = GetDlgItem(window, IDC_ABBREVIATION_LABEL);
    editor.abbreviationNote = GetDlgItem(window, IDC_ABBREVIATION_NOTE);
}

void createTooltips(editorState& editor) {
    editor.tooltips.reset();
    editor.tooltips = std::make_shared<tooltipSet>();
    editor.tooltips->createTooltips(editor.window, false);
    for (const auto& tip : tooltipTexts) editor.tooltips->addTooltip(GetDlgItem(editor.window, tip.id), tip.text);
}

// The two history entries of the menu bar become submenus filled as they open.
void makeHistorySubmenus(editorState& editor) {
    HMENU bar = GetMenu(editor.window);
    HMENU* menus[] = {&editor.historyInsertMenu, &editor.historyLinesMenu};
    const UINT ids[] = {IDM_HISTORY_INSERT, IDM_HISTORY_INSERT_LINES};
    for (int i = 0; i < 2; ++i) {
        MENUITEMINFOA entry{};
        entry.cbSize = sizeof entry;
        entry.fMask = MIIM_SUBMENU;
        entry.hSubMenu = *menus[i] = CreatePopupMenu();
        SetMenuItemInfoA(bar, ids[i], FALSE, &entry);
    }
    setEditorHistoryMenus(editor.historyInsertMenu, editor.historyLinesMenu);
}

void setIcons(editorState& editor) { setToolIcons(editor.window, toolIcons, sizeof toolIcons / sizeof toolIcons[0]); }

BOOL onInitDialog(HWND window, editorState* editor) {
    SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(editor));
    editor->window = window;
    settingsEditor().window = window;
    takeControls(*editor);
    createTooltips(*editor);
    settingsEditor().modified = false;
    initEditorLayout(*editor);
    makeHistorySubmenus(*editor);
    setIcons(*editor);
    SetWindowTextA(editor->displayText, "左の階層構造（非表示）を設定中です...おまちください");
    if (app().font.handle) SendMessageA(editor->content, WM_SETFONT, reinterpret_cast<WPARAM>(app().font.handle), FALSE);
    showEditorTitle(window);
    initPaneControls(*editor);
    subclassTreeKeys(editor->tree);
    subclassTreeFill(editor->tree);
    buildEntryContextMenu();
    SetForegroundWindow(window);
    restoreEditorPlacement(*editor);
    // The tree is filled once the window is up, behind a wait cursor.
    EnableWindow(window, FALSE);
    PostMessageA(window, WM_COMMAND, IDM_EDITOR_FILL_TREE, editor->preselectId);
    return FALSE;
}

// The window is wide, the history entries' mnemonics code page 932: a typed
// character beyond ASCII is handed on as its one code page 932 byte, or as none
// (0, which no entry has), never cut to its low byte.
WPARAM narrowMenuChar(WPARAM wParam) {
    std::string narrow;
    const bool whole = utf16ToCodePage932(std::u16string(1, static_cast<char16_t>(LOWORD(wParam))), narrow);
    const WORD typed = whole && narrow.size() == 1 ? static_cast<unsigned char>(narrow[0]) : 0;
    return MAKEWPARAM(typed, HIWORD(wParam));
}

INT_PTR onTreeNotify(editorState& editor, NMHDR& header) {
    switch (header.code) {
    case TVN_SELCHANGEDA:
        if (!editor.quietSelection) fillPane(editor, reinterpret_cast<NMTREEVIEWA&>(header).itemNew.hItem);
        break;
    case TVN_GETDISPINFOA: onTreeGetDispInfo(reinterpret_cast<NMTVDISPINFOA&>(header)); break;
    case TVN_ITEMEXPANDINGA: onTreeItemExpanding(editor, reinterpret_cast<NMTREEVIEWA&>(header)); break;
    case TVN_ITEMEXPANDEDA: onTreeItemExpanded(editor, reinterpret_cast<NMTREEVIEWA&>(header)); break;
    case TVN_DELETEITEMA: onTreeDeleteItem(editor, reinterpret_cast<NMTREEVIEWA&>(header)); break;
    case TVN_BEGINLABELEDITA:
        return answer(editor.window, onBeginLabelEdit(editor, reinterpret_cast<NMTVDISPINFOA&>(header)));
    case TVN_ENDLABELEDITA:
        return answer(editor.window, onEndLabelEdit(editor, reinterpret_cast<NMTVDISPINFOA&>(header)));
    case TVN_KEYDOWN:
        onTreeKeyDown(editor, reinterpret_cast<NMTVKEYDOWN&>(header));
        return answer(editor.window, 0);
    case TVN_BEGINDRAGA: onTreeBeginDrag(editor, reinterpret_cast<NMTREEVIEWA&>(header)); break;
    case NM_RCLICK: PostMessageA(editor.window, WM_COMMAND, IDM_EDITOR_CONTEXT_HIT, 0); return answer(editor.window, 1);
    case NM_RETURN: onTreeReturn(editor); return answer(editor.window, 1);
    }
    return FALSE;
}

INT_PTR CALLBACK editorDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return onInitDialog(window, reinterpret_cast<editorState*>(lParam));
    // The tree asks when it is made, before WM_INITDIALOG; a wide dialog would
    // otherwise answer for wide notifications. Its labels are code page 932.
    if (message == WM_NOTIFYFORMAT) return answer(window, NFR_ANSI);
    editorState* editor = editorOf(window);
    if (!editor) return FALSE;
    // The find dialog's requests come as a registered message, which has no
    // constant number a case could name.
    if (message == findReplaceMessage() && message != 0) {
        onFindReplaceMessage(*editor, lParam);
        return answer(window, 0);
    }
    switch (message) {
    case WM_COMMAND: return answer(window, onEditorCommand(*editor, LOWORD(wParam), HIWORD(wParam), lParam));
    case WM_NOTIFY:
        if (reinterpret_cast<NMHDR*>(lParam)->idFrom == IDC_TREE)
            return onTreeNotify(*editor, *reinterpret_cast<NMHDR*>(lParam));
        return FALSE;
    case WM_SIZING: onEditorSizing(*editor, wParam, *reinterpret_cast<RECT*>(lParam)); return TRUE;
    case WM_SIZE: onEditorSize(*editor, wParam, LOWORD(lParam), HIWORD(lParam)); return TRUE;
    case WM_MOVE: onEditorMove(*editor); return TRUE;
    case WM_WINDOWPOSCHANGING: keepMaximizedInWorkArea(window, *reinterpret_cast<WINDOWPOS*>(lParam)); return FALSE;
    case WM_PAINT: paintSizeGrip(window); return TRUE;
    case WM_MOUSEMOVE:
        if (editor->drag.dragging) onDragMove(*editor);
        return TRUE;
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
        if (editor->drag.dragging) onDragEnd(*editor, message == WM_LBUTTONUP);
        return TRUE;
    case WM_DROPFILES: onDropFiles(*editor, reinterpret_cast<HDROP>(wParam)); return TRUE;
    case WM_TIMER: onEditorTimer(*editor, wParam); return TRUE;
    case WM_NCDESTROY:
        SetWindowLongPtrA(window, DWLP_USER, 0);
        delete editor;
        return FALSE;
    }
    if (message == WM_MENUCHAR) wParam = narrowMenuChar(wParam);
    LRESULT result = menuMessage(window, message, wParam, lParam, false);
    if (message == WM_MENUCHAR) return answer(window, result);
    return static_cast<INT_PTR>(result);
}

}  // namespace

editorState* editorOf(HWND window) {
    return window ? reinterpret_cast<editorState*>(GetWindowLongPtrA(window, DWLP_USER)) : nullptr;
}

void markModified() { settingsEditor().modified = true; }

HWND createEditorWindow(uint16_t preselectId) {
    auto* editor = new editorState;
    editor->preselectId = preselectId;
    HWND window = CreateDialogParamW(app().instance, MAKEINTRESOURCEW(IDD_EDITOR), nullptr, editorDialogProc,
                                     reinterpret_cast<LPARAM>(editor));
    if (!window) {
        // Without WM_INITDIALOG nobody took the state or the keys.
        if (settingsEditor().window == nullptr) delete editor;
        settingsEditor().window = nullptr;
    }
    return window;
}

void destroyEditorWindow(editorState& editor) {
    HWND window = editor.window;
    editor.tooltips.reset();
    closeFindDialog();
    settingsEditor().window = nullptr;
    settingsEditor().modified = false;
    DestroyWindow(window);  // the state is deleted at WM_NCDESTROY
}

namespace {

// The editor's keys, loaded when the editor first has a message.
HACCEL editorAccelerators() {
    static const HACCEL table = LoadAcceleratorsW(app().instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
    return table;
}

}  // namespace

bool isEditorMessage(MSG& message) {
    editorState* editor = editorOf(settingsEditor().window);
    if (!editor) return false;
    // The editor's keys are for its own window: the quick search or another
    // window of the program open beside it keeps Ctrl+A, Ctrl+S, Ctrl+N...
    if (message.hwnd != editor->window && !IsChild(editor->window, message.hwnd)) return false;
    // The shortcut-key field takes every key, so that Ctrl+S or F3 can be given
    // to an item.
    if (message.hwnd != editor->hotkey && TranslateAcceleratorW(editor->window, editorAccelerators(), &message))
        return true;
    // Escape is no way to close the editor (キャンセル, Alt+F4 and the close
    // box are): it goes to the control, which may cancel a rename or a list.
    const bool escape = (message.message == WM_KEYDOWN || message.message == WM_CHAR) && message.wParam == VK_ESCAPE;
    // Tab and Shift+Tab go from control to control in the template's order.
    return !escape && IsDialogMessageW(editor->window, &message);
}

void destroySettingsEditor() {
    if (editorState* editor = editorOf(settingsEditor().window)) destroyEditorWindow(*editor);
}

}  // namespace tv
