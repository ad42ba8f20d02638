// The history edit dialog. The tree holds plain pointers to the entries, which
// stay owned by the history list, so every change of the list made elsewhere
// (a capture, an erase, a trim) reaches the tree before the next message can
// use a pointer: a capture through command 108, the others through a refill.
// Edits made here reach clips.dat when the dialog closes.
#include "cliphistory/history_edit_dialog.h"

#include <commctrl.h>

#include <memory>

#include "cliphistory/clip_history.h"
#include "files/atomic_file.h"
#include "files/file_dialog.h"
#include "files/unicode_escape.h"
#include "res/resource.h"
#include "shell/app_state.h"
#include "shell/icon_source.h"
#include "shell/item_icons.h"
#include "shell/messages.h"
#include "shell/window_text.h"
#include "widgets/splitter.h"
#include "widgets/tooltips.h"
#include "widgets/window_frame.h"

namespace tv {

namespace {

struct historyEditState {
    HWND window = nullptr;
    HWND tree = nullptr;
    HWND text = nullptr;
    HTREEITEM selectedItem = nullptr;
    menuItem* selectedEntry = nullptr;  // the selected item's lParam
    uint16_t preselectId = 0;
    bool showingEntry = false;   // the text box is being filled, not typed into
    bool choosingFile = false;   // the Save dialog runs with this window as its owner
    windowSizing sizing;
    std::unique_ptr<tooltipSet> tooltips;  // the tool buttons show only icons
};

HWND openDialog = nullptr;

const resizeRule resizeRules[] = {
    {IDC_HISTEDIT_TREE, follow::heighten},
    {IDC_HISTEDIT_SPLITTER, follow::heighten},
    {IDC_HISTEDIT_TEXT, follow::widen | follow::heighten},
    {IDC_HISTEDIT_SETTINGS, follow::moveRight},
    {IDC_HISTEDIT_HINT, follow::moveDown | follow::widen},
};

const toolIcon toolIcons[] = {
    {IDC_HISTEDIT_UP, IDI_TOOL_MOVE_UP},
    {IDC_HISTEDIT_DOWN, IDI_TOOL_MOVE_DOWN},
    {IDC_HISTEDIT_DELETE, IDI_TOOL_DELETE},
    {IDC_HISTEDIT_SAVE, IDI_TOOL_APPLY},
};

const struct {
    int id;
    const char* text;
} tooltipTexts[] = {
    {IDC_HISTEDIT_UP, "上に移動"},
    {IDC_HISTEDIT_DOWN, "下に移動"},
    {IDC_HISTEDIT_DELETE, "項目を削除"},
    {IDC_HISTEDIT_SAVE, "選択中の項目をファイルに保存"},
};

historyEditState* stateOf(HWND window) {
    return window ? reinterpret_cast<historyEditState*>(GetWindowLongPtrA(window, DWLP_USER)) : nullptr;
}

INT_PTR answer(HWND window, LRESULT result) {
    SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
    return TRUE;
}

bool newestAtBottom() { return app().config.ClipToAddPos; }

HTREEITEM nextItem(HWND tree, UINT relation, HTREEITEM item) {
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

void selectItem(HWND tree, HTREEITEM item) {
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

LPWSTR wideText(std::u16string& text) { return reinterpret_cast<LPWSTR>(&text[0]); }

// Labels go through the wide messages, so that an entry with characters code
// page 932 lacks shows them.
HTREEITEM insertEntry(const historyEditState& dialog, menuItem& entry, HTREEITEM after) {
    std::u16string label = shownAsUtf16(entry.text, entry.unicodeEscapes);
    TVINSERTSTRUCTW insert{};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = wideText(label);
    insert.item.iImage = insert.item.iSelectedImage = standardIconIndex(iconSlot::phrase);
    insert.item.lParam = reinterpret_cast<LPARAM>(&entry);
    return reinterpret_cast<HTREEITEM>(
        SendMessageW(dialog.tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

HTREEITEM findTreeItem(const historyEditState& dialog, const menuItem* entry) {
    for (HTREEITEM item = nextItem(dialog.tree, TVGN_ROOT, nullptr); item; item = nextItem(dialog.tree, TVGN_NEXT, item)) {
        TVITEMA query{};
        query.mask = TVIF_HANDLE | TVIF_PARAM;
        query.hItem = item;
        SendMessageA(dialog.tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
        if (reinterpret_cast<const menuItem*>(query.lParam) == entry) return item;
    }
    return nullptr;
}

// The text box shows the entry's text, every escape undone (empty for none).
void showText(historyEditState& dialog, const menuItem* entry) {
    dialog.showingEntry = true;
    setWindowTextUtf16(dialog.text, entry ? historyTextToUtf16(*entry) : std::u16string());
    dialog.showingEntry = false;
}

void forgetSelection(historyEditState& dialog) {
    dialog.selectedItem = nullptr;
    dialog.selectedEntry = nullptr;
    showText(dialog, nullptr);
}

// The whole list, front to back, newest at the top unless ClipToAddPos puts it at the bottom.
void fillTree(historyEditState& dialog) {
    SendMessageA(dialog.tree, WM_SETREDRAW, FALSE, 0);
    SendMessageA(dialog.tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    forgetSelection(dialog);
    HTREEITEM preselected = nullptr;
    for (const itemRef& entry : clipHistory().entries()) {
        HTREEITEM item = insertEntry(dialog, *entry, newestAtBottom() ? TVI_FIRST : TVI_LAST);
        if (dialog.preselectId != 0 && entry->itemId == dialog.preselectId) preselected = item;
    }
    SendMessageA(dialog.tree, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(dialog.tree, nullptr, TRUE);
    if (preselected) selectItem(dialog.tree, preselected);
}

void selectEntryById(historyEditState& dialog, uint16_t itemId) {
    itemRef entry = clipHistory().findHistoryEntry(itemId);
    if (HTREEITEM item = entry ? findTreeItem(dialog, entry.get()) : nullptr) selectItem(dialog.tree, item);
}

void onSelectionChanged(historyEditState& dialog, const NMTREEVIEWA& change) {
    dialog.selectedItem = change.itemNew.hItem;
    dialog.selectedEntry = dialog.selectedItem ? reinterpret_cast<menuItem*>(change.itemNew.lParam) : nullptr;
    showText(dialog, dialog.selectedEntry);
}

void onTextChanged(historyEditState& dialog) {
    if (dialog.showingEntry || !dialog.selectedEntry || !dialog.selectedItem) return;
    setHistoryText(*dialog.selectedEntry, windowTextUtf16(dialog.text));
    std::u16string label = historyEditLabelUtf16(*dialog.selectedEntry);
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = dialog.selectedItem;
    item.pszText = wideText(label);
    SendMessageW(dialog.tree, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

// Up and down are as shown: with the newest entry at the bottom, up is
// toward the back of the list.
void moveSelected(historyEditState& dialog, bool up) {
    historyList& history = clipHistory();
    menuItem* entry = dialog.selectedEntry;
    if (history.count() == 1 || !entry) return;
    const bool towardFront = up != newestAtBottom();
    if (!(towardFront ? history.moveTowardFront(entry) : history.moveTowardBack(entry))) return;

    HTREEITEM old = dialog.selectedItem;
    HTREEITEM after;
    if (up) {
        HTREEITEM above = nextItem(dialog.tree, TVGN_PREVIOUS, old);
        HTREEITEM aboveThat = above ? nextItem(dialog.tree, TVGN_PREVIOUS, above) : nullptr;
        after = aboveThat ? aboveThat : TVI_FIRST;
    } else {
        HTREEITEM below = nextItem(dialog.tree, TVGN_NEXT, old);
        after = below ? below : TVI_LAST;
    }
    HTREEITEM moved = insertEntry(dialog, *entry, after);
    // Selecting first keeps the selection, and the text box, on the entry throughout.
    selectItem(dialog.tree, moved);
    SendMessageA(dialog.tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(old));
}

void deleteSelected(historyEditState& dialog) {
    menuItem* entry = dialog.selectedEntry;
    if (!entry) return;
    HTREEITEM old = dialog.selectedItem;
    HTREEITEM follower = nextItem(dialog.tree, TVGN_NEXT, old);
    if (!follower) follower = nextItem(dialog.tree, TVGN_PREVIOUS, old);
    dialog.selectedEntry = nullptr;
    // The tree lets go of the entry before the list may free it.
    SendMessageA(dialog.tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(old));
    clipHistory().removeEntry(entry);
    if (follower)
        selectItem(dialog.tree, follower);
    else
        forgetSelection(dialog);
}

// What "save one" writes: the escaped text, or for an entry with characters
// code page 932 lacks its text as UTF-8 with a byte-order mark.
std::string savedForm(const menuItem& entry) {
    if (!entry.unicodeEscapes) return entry.text;
    return "\xEF\xBB\xBF" + unescapeToUtf8(entry.text, true);
}

void saveSelectedToFile(historyEditState& dialog) {
    static const char filter[] = "テキストファイル(*.txt)\0*.txt\0";
    fileDialogOptions options;
    options.title = "1つをファイルに保存";
    options.filter = filter;
    options.filterLength = sizeof filter;
    options.defaultExtension = "ini";
    options.flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
    dialog.choosingFile = true;
    std::optional<std::string> path = chooseFileToSave(dialog.window, options);
    dialog.choosingFile = false;
    if (!path) return;
    // The selection may have gone while the Save dialog was open (an erase refills the tree).
    if (!dialog.selectedEntry || !writeWholeFile(*path, savedForm(*dialog.selectedEntry))) reportWriteFailure(dialog.window);
}

// Command 108. Posted once per capture with the new entry's id; an entry gone
// or already listed (a refill came first) is not added again.
void showNewEntry(historyEditState& dialog, uint16_t itemId) {
    itemRef entry = clipHistory().findHistoryEntry(itemId);
    if (!entry || findTreeItem(dialog, entry.get())) return;
    insertEntry(dialog, *entry, newestAtBottom() ? TVI_LAST : TVI_FIRST);
}

void forgetDialog(HWND window) {
    if (openDialog != window) return;
    openDialog = nullptr;
    clipHistory().editDialogOpen = false;
}

// Command 2 comes from the close box, from Escape through the dialog manager
// and from the settings dialog. Escape alone must not throw the window away.
void closeDialog(historyEditState& dialog) {
    if (GetAsyncKeyState(VK_ESCAPE) < 0 || dialog.choosingFile) return;
    forgetDialog(dialog.window);
    saveHistoryNow();
    dialog.tooltips.reset();
    DestroyWindow(dialog.window);  // the state is deleted at WM_NCDESTROY
}

void onCommand(historyEditState& dialog, UINT id, UINT code, LPARAM lParam) {
    if (id == IDC_HISTEDIT_TEXT) {
        if (code == EN_CHANGE) onTextChanged(dialog);
        return;
    }
    if (code > 1) return;  // only buttons, keys and posted commands
    switch (id) {
    case IDC_HISTEDIT_UP: moveSelected(dialog, true); break;
    case IDC_HISTEDIT_DOWN: moveSelected(dialog, false); break;
    case IDC_HISTEDIT_DELETE: deleteSelected(dialog); break;
    case IDC_HISTEDIT_SAVE: saveSelectedToFile(dialog); break;
    case IDC_HISTEDIT_SETTINGS: PostMessageA(app().mainWindow, WM_COMMAND, IDM_MAIN_OPEN_EDITOR, 0); break;
    case IDM_HISTEDIT_NEW_ENTRY: showNewEntry(dialog, static_cast<uint16_t>(lParam)); break;
    case IDCANCEL: closeDialog(dialog); break;
    }
}

INT_PTR onNotify(historyEditState& dialog, NMHDR& header) {
    if (header.idFrom != IDC_HISTEDIT_TREE) return FALSE;
    switch (header.code) {
    case TVN_SELCHANGEDA: onSelectionChanged(dialog, reinterpret_cast<NMTREEVIEWA&>(header)); break;
    case TVN_KEYDOWN:
        if (reinterpret_cast<NMTVKEYDOWN&>(header).wVKey == VK_DELETE)
            PostMessageA(dialog.window, WM_COMMAND, IDC_HISTEDIT_DELETE, 0);
        return answer(dialog.window, 0);
    }
    return FALSE;
}

int moveTextSplit(const historyEditState& dialog, int distance) {
    splitLayout layout{GetDlgItem(dialog.window, IDC_HISTEDIT_SPLITTER),
                       dialog.tree,
                       {dialog.text, nullptr, nullptr, nullptr},
                       {nullptr, nullptr}};
    return moveSplit(layout, distance);
}

BOOL onInitDialog(HWND window, historyEditState* dialog) {
    SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(dialog));
    openDialog = window;
    clipHistory().editDialogOpen = true;
    dialog->window = window;
    dialog->tree = GetDlgItem(window, IDC_HISTEDIT_TREE);
    dialog->text = GetDlgItem(window, IDC_HISTEDIT_TEXT);  // wide, as the dialog is
    startSizing(dialog->sizing, window, app().config.historyEditor, resizeRules,
                sizeof resizeRules / sizeof resizeRules[0]);
    attachSplitter(GetDlgItem(window, IDC_HISTEDIT_SPLITTER), [dialog](int distance) {
        moveTextSplit(*dialog, distance);
        app().config.historyEditor.sp += distance;
    });
    setToolIcons(window, toolIcons, sizeof toolIcons / sizeof toolIcons[0]);
    dialog->tooltips = std::make_unique<tooltipSet>();
    dialog->tooltips->createTooltips(window, false);
    for (const auto& tip : tooltipTexts) dialog->tooltips->addTooltip(GetDlgItem(window, tip.id), tip.text);
    SendMessageA(dialog->tree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(app().imageList));
    fillTree(*dialog);
    if (app().font.handle) SendMessageA(dialog->text, WM_SETFONT, reinterpret_cast<WPARAM>(app().font.handle), FALSE);
    SetForegroundWindow(window);
    SetActiveWindow(window);
    restorePlacement(dialog->sizing, [dialog](int distance) { return moveTextSplit(*dialog, distance); });
    return TRUE;
}

INT_PTR CALLBACK historyEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return onInitDialog(window, reinterpret_cast<historyEditState*>(lParam));
    // The tree asks when it is made, before WM_INITDIALOG; a wide dialog would
    // otherwise answer for wide notifications.
    if (message == WM_NOTIFYFORMAT) return answer(window, NFR_ANSI);
    historyEditState* dialog = stateOf(window);
    if (!dialog) return FALSE;
    switch (message) {
    case WM_COMMAND: onCommand(*dialog, LOWORD(wParam), HIWORD(wParam), lParam); return TRUE;
    case WM_NOTIFY: return onNotify(*dialog, *reinterpret_cast<NMHDR*>(lParam));
    case WM_SIZING: onSizing(dialog->sizing, wParam, *reinterpret_cast<RECT*>(lParam)); return TRUE;
    case WM_SIZE: onSize(dialog->sizing, wParam, LOWORD(lParam), HIWORD(lParam)); return TRUE;
    case WM_MOVE: onMove(dialog->sizing); return TRUE;
    case WM_PAINT: paintSizeGrip(window); return TRUE;
    case WM_NCDESTROY:
        forgetDialog(window);
        SetWindowLongPtrA(window, DWLP_USER, 0);
        delete dialog;
        return FALSE;
    }
    return FALSE;
}

}  // namespace

void openHistoryEditDialog(uint16_t itemId) {
    if (historyEditState* dialog = stateOf(openDialog)) {
        SetForegroundWindow(dialog->window);
        SetActiveWindow(dialog->window);
        if (itemId != 0) selectEntryById(*dialog, itemId);
        return;
    }
    openDialog = nullptr;
    auto* dialog = new historyEditState;
    dialog->preselectId = itemId;
    HWND window = CreateDialogParamW(app().instance, MAKEINTRESOURCEW(IDD_HISTORY_EDIT), nullptr, historyEditProc,
                                     reinterpret_cast<LPARAM>(dialog));
    if (!window) {
        // Without WM_INITDIALOG nobody took the state.
        if (!openDialog) delete dialog;
        forgetDialog(openDialog);
        return;
    }
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
}

void openHistoryEditor(const menuItem* entry) { openHistoryEditDialog(entry ? entry->itemId : 0); }

void closeHistoryEditDialog() {
    if (IsWindow(openDialog)) SendMessageA(openDialog, WM_COMMAND, IDCANCEL, 0);
}

void refreshHistoryEditDialog() {
    if (historyEditState* dialog = stateOf(openDialog)) {
        dialog->preselectId = 0;
        fillTree(*dialog);
    }
}

void setHistoryEditFont(HFONT font) {
    if (historyEditState* dialog = stateOf(openDialog))
        SendMessageA(dialog->text, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void announceNewHistoryEntry() {
    if (openDialog && !clipHistory().empty())
        PostMessageA(openDialog, WM_COMMAND, IDM_HISTEDIT_NEW_ENTRY, clipHistory().entries().front()->itemId);
}

bool isHistoryEditDialogMessage(MSG& message) { return openDialog && IsDialogMessageW(openDialog, &message); }

}  // namespace tv
