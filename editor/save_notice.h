// The editor's caption. After 更新 it says for a few seconds that the menu was
// saved and when, since the window itself does not change on a save.
#pragma once

#include <windows.h>

#include "editor/editor_state.h"

namespace tv {

void showEditorTitle(HWND window);        // "Tolvane (設定)"
void showSavedNotice(editorState& editor);  // "Tolvane (設定) - 保存しました 14:05"
// WM_TIMER of the editor: the notice's time is up, the plain caption returns.
void onEditorTimer(editorState& editor, UINT_PTR timer);

}  // namespace tv
