// The history settings dialog: it shows the options it is handed and hands
// the user's choices back (applyHistorySettings writes and applies them).
#include "cliphistory/history_settings_dialog.h"

#include "files/program_list.h"
#include "res/resource.h"
#include "shell/app_state.h"
#include "shell/messages.h"
#include "shell/setting_ranges.h"
#include "shell/window_text.h"
#include "widgets/dialog_data.h"

namespace tv {

namespace {

// The entries of the two lists, in the order their indices mean.
const char* const layoutEntries[] = {"通常(ひたすら縦にならべる)", "指定個数ごとに右に改行"};
const char* const addPositionEntries[] = {"先頭", "最後"};
constexpr int columnsLayout = 1;         // "指定個数ごとに右に改行"
constexpr int suggestedPerColumn = 20;   // shown, disabled, while the plain layout is chosen

void fillList(HWND dialog, int id, const char* const (&entries)[2], int selection) {
    for (const char* entry : entries) SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    SendDlgItemMessageA(dialog, id, CB_SETCURSEL, selection, 0);
}

int listSelection(HWND dialog, int id) { return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0)); }

void setCheck(HWND dialog, int id, bool on) { CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED); }

bool isChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void onInit(HWND dialog, const settings& config) {
    SetDlgItemInt(dialog, IDC_HISTSET_COUNTS, static_cast<UINT>(config.counts), TRUE);
    const bool columns = config.ret_counts >= 1;
    fillList(dialog, IDC_HISTSET_LAYOUT, layoutEntries, columns ? columnsLayout : 0);
    EnableWindow(GetDlgItem(dialog, IDC_HISTSET_PER_COLUMN), columns);
    SetDlgItemInt(dialog, IDC_HISTSET_PER_COLUMN, static_cast<UINT>(columns ? config.ret_counts : suggestedPerColumn),
                  TRUE);
    setCheck(dialog, IDC_HISTSET_NO_OWN_PASTE, config.NoPastFromQS);
    fillList(dialog, IDC_HISTSET_ADD_POSITION, addPositionEntries, config.ClipToAddPos ? 1 : 0);
    SetDlgItemInt(dialog, IDC_HISTSET_CLIP_SIZE, static_cast<UINT>(config.iMaxOneClipSize), FALSE);
    SetDlgItemInt(dialog, IDC_HISTSET_MENU_LIMIT, static_cast<UINT>(config.iMaxOneOneSize), FALSE);
    setCheck(dialog, IDC_HISTSET_CLEAR_ON_EXIT, config.bClearClipHistoryOnExit);
    setCheck(dialog, IDC_HISTSET_NO_MOVE, config.bNoMovePasetFromClipboard);
    setCheck(dialog, config.bRevNumAndAbc ? IDC_HISTSET_LETTERS_FIRST : IDC_HISTSET_DIGITS_FIRST, true);
    SetDlgItemTextA(dialog, IDC_HISTSET_EXCLUDE_APPS, config.ExcludeApps.c_str());
}

// The history has ids for 10000 entries; a larger bound is held there, and
// said so, since the field's hint names the limit. A negative one (no bound)
// stays.
int chosenCounts(HWND dialog, int previous) {
    std::optional<int> typed = fieldNumber(dialog, IDC_HISTSET_COUNTS);
    if (!typed) return previous;
    int counts = clampToRange(*typed, settingRanges::counts);
    if (counts != *typed)
        settingsMessage(dialog, "履歴保持最大個数は10000までです．10000にしました．", MB_ICONINFORMATION);
    return counts;
}

int chosenRetCounts(HWND dialog) {
    switch (listSelection(dialog, IDC_HISTSET_LAYOUT)) {
    case columnsLayout: return fieldSetting(dialog, IDC_HISTSET_PER_COLUMN, 1, settingRanges::ret_counts);
    case 0: return -1;
    default: return 0;
    }
}

void onOk(HWND dialog, settings& config) {
    config.counts = chosenCounts(dialog, config.counts);
    config.iMaxOneClipSize =
        fieldSetting(dialog, IDC_HISTSET_CLIP_SIZE, config.iMaxOneClipSize, settingRanges::iMaxOneClipSize);
    config.iMaxOneOneSize =
        fieldSetting(dialog, IDC_HISTSET_MENU_LIMIT, config.iMaxOneOneSize, settingRanges::iMaxOneOneSize);
    config.ret_counts = chosenRetCounts(dialog);
    config.ClipToAddPos = listSelection(dialog, IDC_HISTSET_ADD_POSITION) == 1;
    config.bRevNumAndAbc = isChecked(dialog, IDC_HISTSET_LETTERS_FIRST);
    config.NoPastFromQS = isChecked(dialog, IDC_HISTSET_NO_OWN_PASTE);
    config.bClearClipHistoryOnExit = isChecked(dialog, IDC_HISTSET_CLEAR_ON_EXIT);
    config.bNoMovePasetFromClipboard = isChecked(dialog, IDC_HISTSET_NO_MOVE);
    config.ExcludeApps = tidyProgramList(windowText(GetDlgItem(dialog, IDC_HISTSET_EXCLUDE_APPS)));
    EndDialog(dialog, IDOK);
}

void onCommand(HWND dialog, settings& options, UINT id, UINT code) {
    switch (id) {
    case IDC_HISTSET_LAYOUT:
        if (code == CBN_SELCHANGE)
            EnableWindow(GetDlgItem(dialog, IDC_HISTSET_PER_COLUMN),
                         listSelection(dialog, IDC_HISTSET_LAYOUT) == columnsLayout);
        break;
    case IDC_HISTSET_DIGITS_FIRST:
    case IDC_HISTSET_LETTERS_FIRST:
        if (code == BN_CLICKED) CheckRadioButton(dialog, IDC_HISTSET_DIGITS_FIRST, IDC_HISTSET_LETTERS_FIRST, id);
        break;
    case IDOK: onOk(dialog, options); break;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); break;
    }
}

INT_PTR CALLBACK historySettingsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    settings* options = dialogData<settings>(dialog, message, lParam);
    if (!options) return FALSE;
    switch (message) {
    case WM_INITDIALOG: onInit(dialog, *options); return TRUE;
    case WM_COMMAND: onCommand(dialog, *options, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    }
    return FALSE;
}

}  // namespace

bool showHistorySettingsDialog(HWND owner, settings& options) {
    return DialogBoxParamW(app().instance, MAKEINTRESOURCEW(IDD_HISTORY_SETTINGS), owner, historySettingsProc,
                           reinterpret_cast<LPARAM>(&options)) == IDOK;
}

}  // namespace tv
