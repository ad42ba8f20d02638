#include "editor/find.h"

#include <commdlg.h>

#include <algorithm>
#include <string>
#include <vector>

#include "editor/editor_tree.h"
#include "files/cp932.h"
#include "res/resource.h"
#include "shell/messages.h"

namespace tv {

namespace {

// The search text outlives the editor: F3 finds it again after a reopening.
char findWhat[40] = "";
// comdlg32 accepts only the structure size of its own build (40 bytes in a
// 32-bit program), and keeps a pointer to this one while the dialog is open.
FINDREPLACEA findSpec = {sizeof(FINDREPLACEA), nullptr, nullptr,
                         FR_DOWN | FR_NOMATCHCASE | FR_NOWHOLEWORD, findWhat, nullptr, sizeof findWhat, 0,
                         0, nullptr, nullptr};
HWND findDialog = nullptr;

// --- the content field --------------------------------------------------------

// Every code-page-932 character is one UTF-16 unit, a lead byte and its trail
// byte together.
size_t characterLength(const std::string& text, size_t at) {
    return isLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
}

size_t charactersBefore(const std::string& text, size_t offset) {
    size_t characters = 0;
    for (size_t at = 0; at < offset && at < text.size(); ++characters) at += characterLength(text, at);
    return characters;
}

size_t byteOfCharacter(const std::string& text, size_t character) {
    size_t at = 0;
    for (size_t counted = 0; counted < character && at < text.size(); ++counted) at += characterLength(text, at);
    return at;
}

// Positions in an ANSI edit control count bytes on Windows, but UTF-16 units
// under Wine, which keeps every edit's text in Unicode. The field's own length
// tells which: counted in bytes it equals the text's byte count.
bool fieldCountsBytes(HWND field, const std::string& text) {
    LRESULT lastLine = SendMessageA(field, EM_GETLINECOUNT, 0, 0) - 1;
    LRESULT lastStart = SendMessageA(field, EM_LINEINDEX, lastLine, 0);
    LRESULT length = lastStart + SendMessageA(field, EM_LINELENGTH, lastStart, 0);
    return length == static_cast<LRESULT>(text.size());
}

// Forward: the first occurrence starting at the selection's end or later.
// Backward: the last one starting before the selection's start.
bool findInData(editorState& editor, const std::string& text, bool forward) {
    const std::string& data = editor.selectedItem->data;
    const bool bytes = fieldCountsBytes(editor.content, data);
    DWORD start = 0, end = 0;
    SendMessageA(editor.content, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const size_t startByte = bytes ? start : byteOfCharacter(data, start);
    const size_t endByte = bytes ? end : byteOfCharacter(data, end);
    size_t found = std::string::npos;
    if (forward)
        found = data.find(text, endByte);
    else if (startByte > 0)
        found = data.rfind(text, startByte - 1);
    if (found == std::string::npos) return false;
    const size_t foundEnd = found + text.size();
    SendMessageA(editor.content, EM_SETSEL, bytes ? found : charactersBefore(data, found),
                 bytes ? foundEnd : charactersBefore(data, foundEnd));
    SendMessageA(editor.content, EM_SCROLLCARET, 0, 0);
    return true;
}

// --- the tree ----------------------------------------------------------------

// With no text, an item matches when it has a shortcut key or only the
// Windows-key flag. "メニュー" stands for the whole menu and never matches.
bool matchItem(editorState& editor, HTREEITEM entry, const std::string* text) {
    const menuItem* item = entryItem(editor.tree, entry);
    if (!item) return false;
    const bool matches = text ? item->text.find(*text) != std::string::npos ||
                                    item->data.find(*text) != std::string::npos
                              : item->vk != 0 || (item->extKey & extKeyWin) != 0;
    if (matches) selectEntry(editor.tree, entry);
    return matches;
}

// Forward a folder comes before its children; backward, in exactly the
// reverse order, after them.
bool searchChildren(editorState& editor, HTREEITEM entry, const std::string* text, bool forward) {
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
bool findItems(editorState& editor, const std::string* text, bool forward) {
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

void search(editorState& editor, const std::string& text, bool forward) {
    HCURSOR previousCursor = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    HWND previouslyActive = GetActiveWindow();
    // Activating the editor gives the focus back to the field that had it, and
    // that decides where to look.
    SetActiveWindow(editor.window);
    bool found;
    if (GetFocus() == editor.content)
        found = editor.selectedItem && findInData(editor, text, forward);
    else
        found = findItems(editor, &text, forward);
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
    settingsMessage(owner, (text + " は見つかりません").c_str(), MB_ICONINFORMATION);
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
    findDialog = FindTextA(&findSpec);
    if (findDialog) placeFindDialog(findDialog, editor.window);
}

void findNext(editorState& editor) {
    if (findWhat[0] == '\0') {
        PostMessageA(editor.window, WM_COMMAND, IDM_EDITOR_FIND, 0);
        return;
    }
    search(editor, findWhat, GetKeyState(VK_SHIFT) >= 0);
}

void findNextShortcut(editorState& editor) {
    if (!findItems(editor, nullptr, true)) settingsMessage(editor.window, "見つかりません", MB_ICONINFORMATION);
}

void onFindReplaceMessage(editorState& editor, LPARAM request) {
    const auto* find = reinterpret_cast<const FINDREPLACEA*>(request);
    if (!find) return;
    if (find->Flags & FR_DIALOGTERM) {
        findDialog = nullptr;
        return;
    }
    if (find->Flags & FR_FINDNEXT) search(editor, find->lpstrFindWhat, (find->Flags & FR_DOWN) != 0);
}

UINT findReplaceMessage() {
    static const UINT message = RegisterWindowMessageA("commdlg_FindReplace");
    return message;
}

HWND findDialogWindow() { return findDialog; }

void closeFindDialog() {
    if (findDialog && IsWindow(findDialog)) DestroyWindow(findDialog);
    findDialog = nullptr;
}

}  // namespace tv
