// The settings editor, as the rest of the program reaches it.
#pragma once

#include <windows.h>

#include "model/menu_item.h"

namespace tv {

// What the program keeps of the editor while its window comes and goes.
struct settingsEditorState {
    HWND window = nullptr;            // the editor, when open
    bool modified = false;            // the editor holds changes the data file lacks
};

settingsEditorState& settingsEditor();

// Opens the editor (or brings it forward) with `preselect` selected when given.
void openSettingsEditor(const menuItem* preselect);

// The program is asked to end: with unsaved changes the user is asked as by
// キャンセル. True when the editor is gone (saved or discarded) or was not open,
// false when the user kept it.
bool closeSettingsEditorAsking();

// The message loop offers every message here first while the editor is open:
// true when it was one of the editor's keys and has been handled.
bool isEditorMessage(MSG& message);

// The program is ending: the editor window goes without saving or asking (the
// close sequence has asked already when there were changes).
void destroySettingsEditor();
// After the message loop: the tree's context menu lives as long as the program.
void destroyEntryContextMenu();

}  // namespace tv
