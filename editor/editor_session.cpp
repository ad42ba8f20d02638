#include "editor/editor_session.h"

#include "editor/editor_hotkeys.h"
#include "editor/editor_tree.h"
#include "editor/editor_window.h"
#include "editor/save_notice.h"
#include "editor/settings_editor.h"
#include "editor/typing_trigger_refusals.h"
#include "files/menu_file.h"
#include "popup/popup_menu.h"
#include "res/resource.h"
#include "shell/app_state.h"
#include "shell/data_file_stamp.h"
#include "shell/hotkeys.h"
#include "shell/item_icons.h"
#include "shell/messages.h"
#include "shell/startup.h"
#include "shell/timing_log.h"

namespace tv {

settingsEditorState& settingsEditor() {
    static settingsEditorState state;
    return state;
}

namespace {

std::string dataFile() { return dataFilePath(app().startDirectory, app().dataFileName); }

// The popup menu from the running menu again, with every item's key.
void serveRunningMenu() {
    rebuildMainMenu();
    registerAllHotkeys();
}

// The editor is gone: no tree entry may keep an item alive past this point,
// or its id would come back to the pool after the running menu was read anew.
void forgetTreeItems(editorState& editor) {
    editor.selectedEntry = nullptr;
    editor.selectedItem = nullptr;
    SendMessageA(editor.tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    editor.entries.clear();
    editor.childrenLater.clear();
    editor.rootItem.reset();
}

void discardEditor(editorState& editor) {
    setEditorHistoryMenus(nullptr, nullptr);
    setHotkeysRegistered(false);
    forgetTreeItems(editor);
    // Read again even when nothing changed: a corner set or cleared in the
    // editor applies at once, and the menu read anew fills the heap room the
    // editor leaves (skipped, 11% more stayed held after closing at 100,000 items).
    reloadMenuFromDataFile();
    serveRunningMenu();
    destroyEditorWindow(editor);
}

}  // namespace

void openSettingsEditor(const menuItem* preselect) {
    if (settingsEditor().window) {
        SetForegroundWindow(settingsEditor().window);
        return;
    }
    // Only the id is kept: the item's menu is rebuilt next.
    const uint16_t preselectId = preselect ? preselect->itemId : 0;
    HWND window = createEditorWindow(preselectId);
    if (!window) {
        settingsMessage(app().mainWindow, "設定画面を開けませんでした．", MB_ICONERROR);
        return;
    }
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    SetForegroundWindow(window);
}

namespace {

// The edited tree becomes the running menu: the old items' keys go first, and
// each edited copy takes over its original's id.
void runEditedMenu(menuNode whole) {
    setHotkeysRegistered(false);
    app().model.adoptEditedCopies(whole);
    app().model.root.item = std::move(whole.item);
    app().model.root.children = std::move(whole.children);
}

}  // namespace

bool saveEditor(editorState& editor, bool close) {
    editorStepsBegin();
    menuNode whole = copyEditorSubtree(editor, editor.rootEntry);
    whole.item = editor.rootItem;
    editorStepDone("copy the tree");
    // A program item that typing would start is named and never saved.
    if (refuseSavingTypingTriggers(editor, whole) || !mayOverwriteDataFile(editor.window)) return false;
    HCURSOR previousCursor = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    EnableWindow(editor.window, FALSE);
    const bool written = writeMenuFile(app().model, dataFile(), whole, menuExtent::wholeMenu);
    // A file left as it was may still hold another program's change.
    if (written) rememberDataFile();
    editorStepDone("write");
    // Saved, the menu runs from the editor's tree (its items shared from now
    // on, so the editor copies again what it changes next); a file that could
    // not be written leaves the running menu as the file still has it.
    if (written) runEditedMenu(std::move(whole));
    editorStepDone("run the saved menu");
    // Saved to close: onEditorOk reads the running menu back once the tree has
    // let go of it.
    if (written && !close) {
        rebuildMainMenu();
        // While the key field has the focus or a rename is open every key stays held back.
        if (!hotkeysHeldBack(editor)) setHotkeysRegistered(true);
        editorStepDone("serve the saved menu");
    }
    EnableWindow(editor.window, TRUE);
    SetCursor(previousCursor);
    if (!written) reportWriteFailure(editor.window);
    return written;
}

namespace {

// After OK the running menu is read back from the file just written, as
// キャンセル reads it: the new items fill the room the old ones leave, and the
// heap the editor and its copies grew into can go back to the system (a heap
// keeps a region while any block in it lives). An emptied menu stays as it is:
// an empty data file would be read as the initial menu.
void readBackRunningMenu() {
    if (app().model.root.hasChildren()) reloadMenuFromDataFile();
    editorStepDone("read the running menu back");
    serveRunningMenu();
    editorStepDone("serve the running menu");
}

}  // namespace

void onEditorOk(editorState& editor) {
    if (!saveEditor(editor, true)) return;
    settingsEditor().modified = false;
    setEditorHistoryMenus(nullptr, nullptr);
    forgetTreeItems(editor);
    readBackRunningMenu();
    // Icons are resolved afresh for the saved menu, and the ones the editor
    // and its copies added do not pile up.
    resetImageList();
    app().model.registry.forEach([](menuItem& item) { item.iconImageIndex = -1; });
    editorStepDone("forget the entries");
    destroyEditorWindow(editor);
    editorStepDone("close the window");
}

void onEditorApply(editorState& editor) {
    if (!saveEditor(editor, false)) return;
    settingsEditor().modified = false;
    showSavedNotice(editor);
}

bool closeEditorWithPrompt(editorState& editor) {
    if (settingsEditor().modified) {
        int answer = settingsMessage(editor.window, "変更されています．設定を保存しますか？",
                                     MB_YESNOCANCEL | MB_ICONINFORMATION);
        if (answer == IDCANCEL) return false;
        if (answer == IDYES) {
            onEditorOk(editor);
            return settingsEditor().window == nullptr;
        }
    }
    discardEditor(editor);
    return true;
}

bool closeSettingsEditorAsking() {
    editorState* editor = editorOf(settingsEditor().window);
    return !editor || closeEditorWithPrompt(*editor);
}

}  // namespace tv
