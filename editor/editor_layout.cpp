#include "editor/editor_layout.h"

#include "res/resource.h"
#include "shell/app_state.h"
#include "widgets/splitter.h"

namespace tv {

namespace {

const resizeRule resizeRules[] = {
    {IDC_OK, follow::moveBoth},          {IDC_APPLY, follow::moveBoth},
    {IDCANCEL, follow::moveBoth},        {IDC_HOTKEY_LABEL, follow::moveBoth},
    {IDC_HOTKEY, follow::moveBoth},      {IDC_CORNER_LABEL, follow::moveBoth},
    {IDC_WIN_KEY, follow::moveBoth},     {IDC_CORNER, follow::moveBoth},
    {IDC_DISPLAY_TEXT, follow::widen},   {IDC_MODE, follow::widen},
    {IDC_CONTENT, follow::widen | follow::heighten}, {IDC_TREE, follow::heighten},
    {IDC_SPLITTER, follow::heighten},    {IDC_ABBREVIATION_LABEL, follow::moveDown},
    {IDC_ABBREVIATION, follow::moveDown}, {IDC_ABBREVIATION_NOTE, follow::moveDown | follow::widen},
};

int moveEditorSplit(const editorState& editor, int distance) {
    HWND window = editor.window;
    splitLayout layout{GetDlgItem(window, IDC_SPLITTER),
                       editor.tree,
                       {editor.displayText, editor.content, editor.abbreviationNote, nullptr},
                       {editor.contentLabel, editor.abbreviationLabel, editor.abbreviation}};
    return moveSplit(layout, distance);
}

}  // namespace

void initEditorLayout(editorState& editor) {
    startSizing(editor.sizing, editor.window, app().config.editor, resizeRules,
                sizeof resizeRules / sizeof resizeRules[0]);
    attachSplitter(GetDlgItem(editor.window, IDC_SPLITTER), [&editor](int distance) {
        moveEditorSplit(editor, distance);
        app().config.editor.sp += distance;
    });
}

void restoreEditorPlacement(editorState& editor) {
    restorePlacement(editor.sizing, [&editor](int distance) { return moveEditorSplit(editor, distance); });
}

}  // namespace tv
