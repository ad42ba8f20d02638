#include "editor/editor_hotkeys.h"

#include <commctrl.h>

#include "editor/settings_editor.h"
#include "shell/app_state.h"
#include "shell/hotkeys.h"

namespace tv {

namespace {

LRESULT CALLBACK hotkeyFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    LRESULT result = DefSubclassProc(field, message, wParam, lParam);
    // A closing editor has handed the keys back to the running menu already.
    editorState* editor = editorOf(settingsEditor().window);
    if (!editor) return result;
    if (message == WM_SETFOCUS) setHotkeysRegistered(false);
    if (message == WM_KILLFOCUS && !editor->labelEditing) setHotkeysRegistered(true);
    return result;
}

}  // namespace

void setHotkeysRegistered(bool registering) { registerSubtreeHotkeys(app().model.root, registering); }

bool hotkeysHeldBack(const editorState& editor) { return editor.labelEditing || GetFocus() == editor.hotkey; }

void setLabelEditing(editorState& editor, bool editing) {
    editor.labelEditing = editing;
    if (settingsEditor().window) setHotkeysRegistered(!hotkeysHeldBack(editor));
}

void subclassHotkeyField(HWND field) { SetWindowSubclass(field, hotkeyFieldProc, 1, 0); }

}  // namespace tv
