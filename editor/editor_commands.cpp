// The editor's commands: menu entries, accelerators, tool buttons and posted
// commands that share an id share one handler in one table. The fields'
// change notifications come first, by control and notification code.
#include "editor/editor_commands.h"

#include <commctrl.h>

#include "cliphistory/history_edit_dialog.h"
#include "editor/abbreviation_field.h"
#include "editor/about_dialog.h"
#include "editor/editor_session.h"
#include "editor/editor_tree.h"
#include "editor/file_commands.h"
#include "editor/find.h"
#include "editor/icon_dialog.h"
#include "editor/mode_texts.h"
#include "editor/properties_pane.h"
#include "editor/settings_commands.h"
#include "editor/settings_editor.h"
#include "editor/tree_commands.h"
#include "editor/tree_context_menu.h"
#include "editor/typing_trigger_refusals.h"
#include "popup/execute.h"
#include "popup/placement.h"
#include "quicksearch/quick_search.h"
#include "res/resource.h"
#include "shell/app_state.h"
#include "shell/timing_log.h"

namespace tv {

namespace {

using commandHandler = void (*)(editorState&, LPARAM);

void fillTree(editorState& editor, LPARAM preselectId) {
    HCURSOR previousCursor = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    editor.preselectId = static_cast<uint16_t>(preselectId);
    TreeView_SetImageList(editor.tree, app().imageList, TVSIL_NORMAL);
    ShowWindow(editor.tree, SW_HIDE);
    editorStepsBegin();
    fillEditorTree(editor, app().model.root, nullptr, nullptr);
    editorStepDone("fill the tree");
    EnableWindow(editor.window, TRUE);
    if (editor.preselectId == 0 || !editor.selectedEntry) selectEntry(editor.tree, editor.rootEntry);
    editor.preselectId = 0;
    ShowWindow(editor.tree, SW_SHOW);
    SetFocus(editor.tree);
    editorStepDone("show the tree");
    settingsEditor().modified = false;
    SetCursor(previousCursor);
    noticeHeldBackItems(editor, app().model.root);
}

// The one-line fields get Ctrl+A before the editor's keys (widgets/select_all_key.h);
// the content field, the only multi-line one, selects all here.
void selectAllInContent(editorState& editor, LPARAM) {
    if (GetFocus() == editor.content) SendMessageA(editor.content, EM_SETSEL, 0, -1);
}

// 40005: the program's close asks through the editor when there are changes;
// answering Cancel there keeps both running.
void exitProgram(editorState&, LPARAM) { SendMessageA(app().mainWindow, WM_CLOSE, 0, 0); }

void showWholeMenu(editorState&, LPARAM) {
    captureTarget();
    PostMessageA(app().mainWindow, WM_COMMAND, IDM_SHOW_WHOLE_MENU, 0);
}

void changeIcon(editorState& editor, LPARAM) {
    if (editor.selectedItem) iconDialog(editor);
    SetFocus(editor.tree);
}

template <sortOrder order, bool descending>
void sortCommand(editorState& editor, LPARAM) {
    sortSelected(editor, order, descending);
}

template <void (*action)(editorState&)>
void plain(editorState& editor, LPARAM) {
    action(editor);
}

const struct {
    UINT id;
    commandHandler handler;
} commandTable[] = {
    {IDM_EDITOR_FILL_TREE, fillTree},
    {IDM_EDITOR_SELECT_ALL, selectAllInContent},
    {IDC_NEW, plain<newItem>},
    {IDM_EDITOR_NEW_FOLDER, plain<newFolder>},
    {IDC_ADD_COPY, plain<addCopyFromPane>},
    {IDC_DELETE, plain<deleteSelected>},
    {IDC_MOVE_UP, plain<moveSelectedUp>},
    {IDC_MOVE_DOWN, plain<moveSelectedDown>},
    {IDC_MOVE_RIGHT, plain<moveSelectedRight>},
    {IDC_MOVE_LEFT, plain<moveSelectedLeft>},
    {IDM_SORT_NAME_ASC, sortCommand<sortOrder::byName, false>},
    {IDM_SORT_NAME_DESC, sortCommand<sortOrder::byName, true>},
    {IDM_SORT_KIND_ASC, sortCommand<sortOrder::byKind, false>},
    {IDM_SORT_KIND_DESC, sortCommand<sortOrder::byKind, true>},
    {IDM_EDITOR_RENAME, plain<startRename>},
    {IDM_EDITOR_RUN_ITEM, plain<runSelectedItem>},
    {IDM_EDITOR_REFUSED_CHARACTER, reportRefusedCharacter},
    {IDM_EDITOR_REFUSED_TRIGGER, reportRefusedTrigger},
    {IDM_EDITOR_REFUSED_ABBREVIATION_CHARACTER, reportRefusedAbbreviationCharacter},
    {IDM_EDITOR_CONTEXT_HIT, plain<onContextMenuHit>},
    {IDM_EDITOR_CONTEXT_MENU, [](editorState& editor, LPARAM centre) { showEntryContextMenu(editor, centre != 0); }},
    {IDC_CHANGE_ICON, changeIcon},
    {IDM_EDITOR_FIND, plain<openFindDialog>},
    {IDM_EDITOR_FIND_NEXT, plain<findNext>},
    {IDM_FIND_NEXT_SHORTCUT, plain<findNextShortcut>},
    {IDM_OPTIONS, [](editorState& editor, LPARAM) { changeOptions(editor.window); }},
    {IDC_OK, plain<onEditorOk>},
    {IDC_APPLY, plain<onEditorApply>},
    {IDM_EXIT_PROGRAM, exitProgram},
    {IDM_SHOW_WHOLE_MENU, showWholeMenu},
    {IDM_EDIT_HISTORY, [](editorState&, LPARAM) { openHistoryEditor(nullptr); }},
    {IDM_HISTORY_SETTINGS, [](editorState& editor, LPARAM) { changeHistorySettings(editor.window); }},
    {IDM_ERASE_HISTORY, [](editorState&, LPARAM) { eraseHistoryAfterWarning(); }},
    {IDM_VOSSEL_SETTINGS,
     [](editorState&, LPARAM) { PostMessageA(app().mainWindow, WM_COMMAND, IDM_VOSSEL_SETTINGS, 0); }},
    {IDM_QUICK_SEARCH, [](editorState&, LPARAM) { captureTarget(); openQuickSearch(); }},
    {IDM_EDITOR_ABOUT, [](editorState& editor, LPARAM) { showAboutDialog(editor.window); }},
    {IDC_BROWSE_FILE, plain<pickFileToRun>},
    {IDC_LOAD_FILE, plain<pickFileToLoad>},
    {IDC_BROWSE_FOLDER, plain<pickFolderToBrowse>},
    {IDM_IMPORT, plain<importMenuFile>},
    {IDM_SAVE_PART, plain<saveSelectionAsMenu>},
    {IDM_EXPORT_XML, plain<saveSelectionAsXml>},
    {IDM_EXPORT_HTML, plain<saveSelectionAsXml>},
    {IDM_EXPORT_OUTLINE, plain<saveSelectionAsOutline>},
    {IDM_EDITOR_EDIT_FONT, plain<chooseEditFont>},
    {IDM_MENU_FONT, plain<chooseMenuFont>},
    {IDM_DIRECT_EDIT, plain<startDirectEdit>},
    {IDM_DIRECT_EDIT_DONE, plain<endDirectEdit>},
    {IDM_HISTORY_INSERT_ALL, plain<insertAllHistory>},
};

// Change notifications of the pane's fields; true when it was one.
bool onFieldNotification(editorState& editor, UINT id, UINT code) {
    if (code == EN_CHANGE) {
        if (id == IDC_DISPLAY_TEXT) onDisplayTextChanged(editor);
        if (id == IDC_CONTENT) onContentChanged(editor);
        if (id == IDC_HOTKEY) onHotkeyChanged(editor);
        if (id == IDC_ABBREVIATION) onAbbreviationChanged(editor);
        return id == IDC_DISPLAY_TEXT || id == IDC_CONTENT || id == IDC_HOTKEY || id == IDC_ABBREVIATION;
    }
    if (id == IDC_ABBREVIATION && (code == EN_SETFOCUS || code == EN_KILLFOCUS)) {
        if (code == EN_SETFOCUS) onAbbreviationEntered(editor);
        if (code == EN_KILLFOCUS) onAbbreviationLeft(editor);
        return true;
    }
    if (code == CBN_SELCHANGE && id == IDC_CORNER) {
        onCornerChanged(editor);
        return true;
    }
    if (code == CBN_SELCHANGE && id == IDC_MODE) {
        onModeListChanged(editor);
        return true;
    }
    if (code == BN_CLICKED && id == IDC_WIN_KEY) {
        onWinKeyClicked(editor);
        return true;
    }
    return false;
}

}  // namespace

LRESULT onEditorCommand(editorState& editor, UINT id, UINT code, LPARAM lParam) {
    if (onFieldNotification(editor, id, code)) return 0;
    // Only menu entries (0), accelerators (1) and buttons (BN_CLICKED, 0) are commands.
    if (code > 1) return 0;
    if (id == IDCANCEL) return closeEditorWithPrompt(editor) ? 1 : 0;
    if (id >= IDM_MODE_FIRST && id < IDM_MODE_FIRST + static_cast<UINT>(editorModeCount)) {
        onModeCommand(editor, static_cast<uint8_t>(id - IDM_MODE_FIRST));
        return 0;
    }
    if (id >= firstHistoryId && id < historyIdLimit) {
        insertHistoryPick(editor, static_cast<uint16_t>(id));
        return 0;
    }
    for (const auto& command : commandTable) {
        if (command.id != id) continue;
        command.handler(editor, lParam);
        return 0;
    }
    return 0;
}

}  // namespace tv
