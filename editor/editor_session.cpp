#include "editor/editor_session.h"

#include "editor/editor_hotkeys.h"
#include "editor/editor_tree.h"
#include "editor/editor_window.h"
#include "editor/save_notice.h"
#include "editor/settings_editor.h"
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

menuNode& shownMenuTree() {
    settingsEditorState& editor = settingsEditor();
    return editor.servingEditingCopy ? editor.editingCopy : app().model.root;
}

namespace {

std::string dataFile() { return dataFilePath(app().startDirectory, app().dataFileName); }

void readEditingCopy() {
    settingsEditor().editingCopy.clear();
    readMenuFile(app().model, dataFile(), settingsEditor().editingCopy, readTarget::otherTree);
}

void dropEditingCopy() {
    app().model.unregisterSubtree(settingsEditor().editingCopy);
    settingsEditor().editingCopy.clear();
}

// The popup menu from the running menu again, with every item's key.
void serveRunningMenu() {
    settingsEditor().servingEditingCopy = false;
    rebuildMainMenu();
    registerAllHotkeys();
}

void serveEditingCopy() {
    settingsEditor().servingEditingCopy = true;
    rebuildMainMenu();
}

// The editor is gone: no tree entry may keep an item alive past this point,
// or its id would come back to the pool after the running menu was read anew.
void forgetTreeItems(editorState& editor) {
    editor.selectedEntry = nullptr;
    editor.selectedItem = nullptr;
    SendMessageA(editor.tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    editor.entries.clear();
    editor.childrenLater.clear();
}

void discardEditor(editorState& editor) {
    setEditorHistoryMenus(nullptr, nullptr);
    setHotkeysRegistered(false);
    forgetTreeItems(editor);
    dropEditingCopy();
    settingsEditor().servingEditingCopy = false;
    reloadMenuAfterEditor();
    serveRunningMenu();
    destroyEditorWindow(editor);
}

// Another program changed the data file since the editor opened it: the user
// says whether this save replaces that.
bool mayOverwriteDataFile(HWND owner) {
    return !dataFileChangedOnDisk() ||
           settingsMessage(owner,
                           "データファイルがほかのプログラムによって変更されています．\r\n"
                           "上書きして保存しますか？",
                           MB_YESNO | MB_ICONWARNING) == IDYES;
}

}  // namespace

void openSettingsEditor(const menuItem* preselect) {
    if (settingsEditor().window) {
        SetForegroundWindow(settingsEditor().window);
        return;
    }
    // Only the id is kept: the item's menu is rebuilt next.
    const uint16_t preselectId = preselect ? preselect->itemId : 0;
    readEditingCopy();
    serveEditingCopy();
    HWND window = createEditorWindow(preselectId);
    if (!window) {
        dropEditingCopy();
        serveRunningMenu();
        settingsMessage(app().mainWindow, "設定画面を開けませんでした．", MB_ICONERROR);
        return;
    }
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    SetForegroundWindow(window);
}

bool saveEditor(editorState& editor, bool close) {
    if (!mayOverwriteDataFile(editor.window)) return false;
    HCURSOR previousCursor = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    EnableWindow(editor.window, FALSE);
    editorStepsBegin();
    menuNode whole = copyEditorSubtree(editor, editor.rootEntry);
    editorStepDone("copy the tree");
    app().model.root.children = std::move(whole.children);
    setHotkeysRegistered(false);
    dropEditingCopy();
    editorStepDone("keys off");
    const bool written = writeMenuFile(app().model, dataFile(), app().model.root, menuExtent::wholeMenu);
    rememberDataFile();
    editorStepDone("write");
    // Saved to close: onEditorOk reads the running menu back once the tree has
    // let go of it.
    if (!written || !close) {
        // Applied, or the file could not be written: the menu runs from what
        // the data file holds, and the editor goes on with the edits.
        readEditingCopy();
        editorStepDone("read the editing copy");
        serveEditingCopy();
        editorStepDone("serve the editing copy");
        // While the key field has the focus every key stays held back.
        if (GetFocus() != editor.hotkey) setHotkeysRegistered(true);
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
    settingsEditor().servingEditingCopy = false;
    if (app().model.root.hasChildren()) reloadMenuAfterEditor();
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
