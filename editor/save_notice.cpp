#include "editor/save_notice.h"

#include <cstdio>

namespace tv {

namespace {

const char editorTitle[] = "Tolvane (設定)";
// Long enough to be read after a glance back from another window.
constexpr UINT savedNoticeMilliseconds = 4000;
constexpr UINT_PTR savedNoticeTimer = 1;

}  // namespace

void showEditorTitle(HWND window) { SetWindowTextA(window, editorTitle); }

void showSavedNotice(editorState& editor) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char title[64];
    snprintf(title, sizeof title, "%s - 保存しました %d:%02d", editorTitle, now.wHour, now.wMinute);
    SetWindowTextA(editor.window, title);
    // A second save restarts the same timer, so the notice stays its full time.
    SetTimer(editor.window, savedNoticeTimer, savedNoticeMilliseconds, nullptr);
}

void onEditorTimer(editorState& editor, UINT_PTR timer) {
    if (timer != savedNoticeTimer) return;
    KillTimer(editor.window, savedNoticeTimer);
    showEditorTitle(editor.window);
}

}  // namespace tv
