// The editor's commands that bring data into the tree or take it out: dropped
// files and the three file-picking buttons, import and the three exports, the
// two fonts, direct editing of the data file, and clipboard-history entries
// inserted as items.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstdint>

#include "editor/editor_state.h"

namespace tv {

void onDropFiles(editorState& editor, HDROP drop);  // WM_DROPFILES
void pickFileToRun(editorState& editor);            // 1011
void pickFileToLoad(editorState& editor);           // 1017, Ctrl+O
void pickFolderToBrowse(editorState& editor);       // 1058

void importMenuFile(editorState& editor);      // 40015
void saveSelectionAsMenu(editorState& editor); // 40016
void saveSelectionAsXml(editorState& editor);  // 40017, 40020
void saveSelectionAsOutline(editorState& editor);  // 40019

void chooseEditFont(editorState& editor);  // 4
void chooseMenuFont(editorState& editor);  // 40028

void startDirectEdit(editorState& editor);  // 40009
void endDirectEdit(editorState& editor);    // 40010

void insertAllHistory(editorState& editor);                // 1016
void insertHistoryPick(editorState& editor, uint16_t id);  // a pick from the two history submenus

}  // namespace tv
