#include "editor/find.h"

#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <string>
#include <vector>

#include "editor/editor_tree.h"
#include "files/unicode_escape.h"
#include "res/resource.h"
#include "shell/messages.h"
#include "shell/window_text.h"

namespace tv {

namespace {

// The search text outlives the editor: F3 finds it again after a reopening.
std::u16string searched;
// The dialog's own buffer, which it starts with. Whether comdlg32 reads the
// length as characters or as bytes (the two are documented), the text fits.
wchar_t findWhat[80] = L"";
// comdlg32 accepts only the structure size of its own build (40 bytes in a
// 32-bit program), and keeps a pointer to this one while the dialog is open.
FINDREPLACEW findSpec = {sizeof(FINDREPLACEW), nullptr, nullptr, FR_DOWN | FR_NOMATCHCASE | FR_NOWHOLEWORD,
                         findWhat, nullptr, sizeof findWhat / sizeof findWhat[0], 0, 0, nullptr, nullptr};
HWND findDialog = nullptr;

// --- the content field --------------------------------------------------------

// The field is wide: its text and its positions are UTF-16, whatever the
// content keeps as escapes.
// Forward: the first occurrence starting at the selection's end or later.
// Backward: the last one starting before the selection's start.
bool findInData(editorState& editor, const std::u16string& text, bool forward) {
    const std::u16string shown = windowTextUtf16(editor.content);
    DWORD start = 0, end = 0;
    SendMessageW(editor.content, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    size_t found = std::u16string::npos;
    if (forward)
        found = shown.find(text, end);
    else if (start > 0)
        found = shown.rfind(text, start - 1);
    if (found == std::u16string::npos) return false;
    SendMessageW(editor.content, EM_SETSEL, found, found + text.size());
    SendMessageW(editor.content, EM_SCROLLCARET, 0, 0);
    return true;
}

// --- the tree ----------------------------------------------------------------

// The searched text in the form the items keep: a display text holds only what
// code page 932 has, a content may hold escapes for the rest.
bool holds(const menuItem& item, const codePageText& text) {
    if (text.unicodeEscapes) return item.unicodeEscapes && item.data.find(text.bytes) != std::string::npos;
    return item.text.find(text.bytes) != std::string::npos || item.data.find(text.bytes) != std::string::npos;
}

// With no text, an item matches when it has a shortcut key or only the
// Windows-key flag. "メニュー" stands for the whole menu and never matches.
bool matchItem(editorState& editor, HTREEITEM entry, const codePageText* text) {
    const menuItem* item = entryItem(editor.tree, entry);
    if (!item) return false;
    const bool matches = text ? holds(*item, *text) : item->vk != 0 || (item->extKey & extKeyWin) != 0;
    if (matches) selectEntry(editor.tree, entry);
    return matches;
}

// Forward a folder comes before its children; backward, in exactly the
// reverse order, after them.
bool searchChildren(editorState& editor, HTREEITEM entry, const codePageText* text, bool forward) {
    std::vector<HTREEITEM> children;
    for (HTREEITEM child = firstChildEntry(editor.tree, entry); child; child = nextSibling(editor.tree, child))
        children.push_back(child);
    if (!forward) std::reverse(children.begin(), children.end());
    for (HTREEITEM child : children) {
        if (forward && matchItem(editor, child, text)) return true;
        if (searchChildren(editor, child, text, forward)) return true;
        if (!forward && matchItem(editor, child, text)) return true;
    }
    return false;
}

// Walks the tree in document order from the selection, which is not tested
// itself, to the end (or back to the start); there is no wrap-around.
bool findItems(editorState& editor, const codePageText* text, bool forward) {
    HTREEITEM current = editor.selectedEntry ? editor.selectedEntry : editor.rootEntry;
    if (!current) return false;
    if (forward && searchChildren(editor, current, text, true)) return true;
    for (;;) {
        HTREEITEM parent = parentEntry(editor.tree, current);
        for (HTREEITEM sibling = current;;) {
            sibling = forward ? nextSibling(editor.tree, sibling) : previousSibling(editor.tree, sibling);
            if (!sibling) break;
            if (forward && matchItem(editor, sibling, text)) return true;
            if (searchChildren(editor, sibling, text, forward)) return true;
            if (!forward && matchItem(editor, sibling, text)) return true;
        }
        if (!parent) return false;
        current = parent;
        if (!forward && matchItem(editor, current, text)) return true;
    }
}

void search(editorState& editor, const std::u16string& text, bool forward) {
    HCURSOR previousCursor = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    HWND previouslyActive = GetActiveWindow();
    // Activating the editor gives the focus back to the field that had it, and
    // that decides where to look.
    SetActiveWindow(editor.window);
    bool found;
    if (GetFocus() == editor.content)
        found = editor.selectedItem && findInData(editor, text, forward);
    else {
        const codePageText wanted = contentFromUtf16(text);
        found = findItems(editor, &wanted, forward);
    }
    SetCursor(previousCursor);
    if (found) {
        if (previouslyActive && IsWindow(previouslyActive)) SetActiveWindow(previouslyActive);
        return;
    }
    HWND owner = editor.window;
    if (findDialog && IsWindow(findDialog)) {
        SetActiveWindow(findDialog);
        owner = findDialog;
    }
    settingsMessageUtf16(owner, text + u" は見つかりません", MB_ICONINFORMATION);
}

// The system puts the dialog over the middle of the editor, where it hides
// the tree and the fields a search changes: it goes below the editor instead
// (or above it, or over its bottom right corner when the screen has no room).
void placeFindDialog(HWND dialog, HWND editor) {
    RECT editorRect{}, dialogRect{};
    GetWindowRect(editor, &editorRect);
    GetWindowRect(dialog, &dialogRect);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromWindow(editor, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    const RECT& screen = monitor.rcWork;
    const LONG width = dialogRect.right - dialogRect.left, height = dialogRect.bottom - dialogRect.top;
    LONG x = std::max(screen.left, std::min(editorRect.right, screen.right) - width);
    LONG y = editorRect.bottom;
    if (y + height > screen.bottom) y = editorRect.top - height;
    if (y < screen.top) y = std::min(editorRect.bottom, screen.bottom) - height;
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void openFindDialog(editorState& editor) {
    if (findDialog && IsWindow(findDialog)) {
        SetActiveWindow(findDialog);
        return;
    }
    findSpec.hwndOwner = editor.window;
    findSpec.Flags &= ~FR_DIALOGTERM;
    findDialog = FindTextW(&findSpec);
    if (findDialog) placeFindDialog(findDialog, editor.window);
}

void findNext(editorState& editor) {
    if (searched.empty()) {
        PostMessageA(editor.window, WM_COMMAND, IDM_EDITOR_FIND, 0);
        return;
    }
    search(editor, searched, GetKeyState(VK_SHIFT) >= 0);
}

void findNextShortcut(editorState& editor) {
    if (!findItems(editor, nullptr, true)) settingsMessage(editor.window, "見つかりません", MB_ICONINFORMATION);
}

void onFindReplaceMessage(editorState& editor, LPARAM request) {
    const auto* find = reinterpret_cast<const FINDREPLACEW*>(request);
    if (!find) return;
    if (find->Flags & FR_DIALOGTERM) {
        findDialog = nullptr;
        return;
    }
    if (!(find->Flags & FR_FINDNEXT)) return;
    // Wine hands the text on through code page 932, "?" for what it lacks: the
    // dialog's field holds every character typed.
    HWND field = findDialog ? GetDlgItem(findDialog, edt1) : nullptr;
    searched = field ? windowTextUtf16(field) : std::u16string(reinterpret_cast<const char16_t*>(find->lpstrFindWhat));
    search(editor, searched, (find->Flags & FR_DOWN) != 0);
}

UINT findReplaceMessage() {
    static const UINT message = RegisterWindowMessageW(L"commdlg_FindReplace");
    return message;
}

HWND findDialogWindow() { return findDialog; }

void closeFindDialog() {
    if (findDialog && IsWindow(findDialog)) DestroyWindow(findDialog);
    findDialog = nullptr;
}

}  // namespace tv
