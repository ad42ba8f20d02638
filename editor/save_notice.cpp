#include "editor/save_notice.h"

#include <cstdio>

#include "res/resource.h"

namespace tv {

namespace {

const char editorTitle[] = "Tolvane (設定)";
// Long enough to be read after a glance back from another window.
constexpr UINT savedNoticeMilliseconds = 4000;

}  // namespace

void showEditorTitle(HWND window) { SetWindowTextA(window, editorTitle); }

void showSavedNotice(editorState& editor) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char title[64];
    snprintf(title, sizeof title, "%s - 保存しました %d:%02d", editorTitle, now.wHour, now.wMinute);
    SetWindowTextA(editor.window, title);
    // A second save restarts the same timer, so the notice stays its full time.
    SetTimer(editor.window, IDT_EDITOR_SAVED_NOTICE, savedNoticeMilliseconds, nullptr);
}

void onEditorTimer(editorState& editor, UINT_PTR timer) {
    if (timer != IDT_EDITOR_SAVED_NOTICE) return;
    KillTimer(editor.window, IDT_EDITOR_SAVED_NOTICE);
    showEditorTitle(editor.window);
}

}  // namespace tv
