// Resource identifiers of tolvane.exe, shared by tolvane.rc and the C++ code.
// Keep every id here: two headers once gave two resources the same number.
// Only preprocessor lines, because windres reads this file too.
#ifndef TOLVANE_RES_RESOURCE_H
#define TOLVANE_RES_RESOURCE_H

// Icons (IDI_). The numbers are fixed: the image list loads 109..149 by number
// in slot order, and 102/103 are the faces of the tray icon. Gaps are free.
#define IDI_APP                  102  // application icon, 16x16 and 32x32
#define IDI_ACTIVE               103  // tray icon while a hotkey-invoked menu is open
#define IDI_PHRASE               109  // inputString, and any mode without an icon
#define IDI_VSEPARATOR           110  // vSeparater
#define IDI_HSEPARATOR           111  // hSeparater
#define IDI_DATA_PHRASE          112  // inputDataString
#define IDI_SETTINGS             113  // showSetting
#define IDI_FOLDER               114  // entry with a submenu
#define IDI_CLIP_HISTORY         117  // clipBoardHistory
#define IDI_DATE                 127  // dateTimeExt, newDateTime
#define IDI_DATE_FOLDER          128  // date entry with a submenu
#define IDI_EDIT_HISTORY         129  // editHistory
#define IDI_EXIT                 130  // exit
#define IDI_ERASE_HISTORY        131  // eraseClipHistory
#define IDI_FOLDER_OPEN          142  // entry with a submenu, highlighted
#define IDI_DATE_FOLDER_OPEN     143  // date entry with a submenu, highlighted
#define IDI_CLIP_HISTORY_OPEN    144  // clipBoardHistory with its submenu, highlighted
#define IDI_ENCLOSE              145  // encloseSelection
#define IDI_FOLDER_POPUP         149  // folderPopup without an icon of its path
#define IDI_FIRST                IDI_APP
#define IDI_LAST                 IDI_FOLDER_POPUP
// The settings editor's tool buttons.
#define IDI_TOOL_MOVE_DOWN       105  // move down
#define IDI_TOOL_MOVE_UP         106  // move up
#define IDI_TOOL_MOVE_LEFT       107  // out of the folder
#define IDI_TOOL_MOVE_RIGHT      108  // into the folder above
#define IDI_TOOL_BROWSE_FILE     118  // pick a file to run
#define IDI_TOOL_LOAD_FILE       121  // load a file's contents
#define IDI_TOOL_NEW             123  // new item
#define IDI_TOOL_DELETE          124  // delete
#define IDI_TOOL_APPLY           133  // the image of the apply button
#define IDI_TOOL_COPY            146  // add a copy made from the pane
#define IDI_TOOL_ICON            147  // change the icon
#define IDI_TOOL_BROWSE_FOLDER   150  // pick a folder for a folder popup

// Dialogs (IDD_).
#define IDD_EDITOR               101  // the settings editor (modeless)
#define IDD_ABOUT                119  // version information
#define IDD_HISTORY_SETTINGS     125  // "クリップボード履歴設定" (modal)
#define IDD_HISTORY_EDIT         126  // "クリップボード履歴 内容編集" (modeless)
#define IDD_OPTIONS              132  // "オプション" (modal)
#define IDD_ICON_SELECT          148  // "アイコンの選択" (modal)
#define IDD_FILL_IN              151  // "Tolvane 入力": the values of a phrase's %%?label%% marks (modal)

// Menus (IDR_).
#define IDR_EDITOR_MENU          122  // the settings editor's menu bar

// String table (IDS_).
#define IDS_ABOUT_TEXT           1    // the about box's read-only field

// Controls of the settings editor (IDC_).
#define IDC_CONTENT              1000  // multi-line content (data)
#define IDC_DISPLAY_TEXT         1001  // display text
#define IDC_TREE                 1003  // the editor tree
#define IDC_MOVE_UP              1004
#define IDC_MOVE_DOWN            1005
#define IDC_DELETE               1006
#define IDC_MOVE_RIGHT           1007  // into the folder above
#define IDC_MOVE_LEFT            1008  // out of the folder
#define IDC_ADD_COPY             1009
#define IDC_CHANGE_ICON          1010
#define IDC_BROWSE_FILE          1011
#define IDC_HOTKEY               1012  // msctls_hotkey32
#define IDC_MODE                 1013  // drop-down list of the modes
#define IDC_APPLY                1014  // "更新": save and apply, stay open
#define IDC_CONTENT_LABEL        1015  // caption of the content field, per mode
#define IDC_LOAD_FILE            1017
#define IDC_NEW                  1018
#define IDC_OK                   1019  // save, apply and close
#define IDC_WIN_KEY              1022  // "+Win"
#define IDC_CORNER               1025  // drop-down list of the screen corners
#define IDC_SPLITTER             1027
#define IDC_ABBREVIATION         1030  // "略語": typed anywhere, runs the item
#define IDC_ABBREVIATION_LABEL   1031
#define IDC_ABBREVIATION_NOTE    1033  // names the item that has the same abbreviation
#define IDC_HOTKEY_LABEL         1028
#define IDC_CORNER_LABEL         1029
#define IDC_BROWSE_FOLDER        1058
#define IDC_ABOUT_TEXT           1000  // the about box's read-only field

// Controls of the history settings dialog (125).
#define IDC_HISTSET_COUNTS       1000  // counts
#define IDC_HISTSET_PER_COLUMN   1001  // entries per column (ret_counts)
#define IDC_HISTSET_CLIP_SIZE    1002  // iMaxOneClipSize, KB
#define IDC_HISTSET_MENU_LIMIT   1003  // iMaxOneOneSize
#define IDC_HISTSET_LAYOUT       1032  // one column / a new column every N
#define IDC_HISTSET_NO_OWN_PASTE 1039  // NoPastFromQS
#define IDC_HISTSET_ADD_POSITION 1040  // ClipToAddPos: top / last
#define IDC_HISTSET_CLEAR_ON_EXIT 1041 // bClearClipHistoryOnExit
#define IDC_HISTSET_DIGITS_FIRST 1046  // bRevNumAndAbc off
#define IDC_HISTSET_LETTERS_FIRST 1047 // bRevNumAndAbc on
#define IDC_HISTSET_NO_MOVE      1051  // bNoMovePasetFromClipboard
#define IDC_HISTSET_EXCLUDE_APPS 1052  // ExcludeApps: programs whose copies are not recorded

// Controls and commands of the history edit dialog (126).
#define IDC_HISTEDIT_TEXT        1000
#define IDC_HISTEDIT_TREE        1003
#define IDC_HISTEDIT_UP          1004
#define IDC_HISTEDIT_DOWN        1005
#define IDC_HISTEDIT_DELETE      1006
#define IDC_HISTEDIT_SAVE        1014  // save the entry to a file
#define IDC_HISTEDIT_SPLITTER    1027
#define IDC_HISTEDIT_SETTINGS    1034  // "設定": opens the settings editor
#define IDC_HISTEDIT_HINT        1035  // how entries are added, along the bottom
#define IDM_HISTEDIT_NEW_ENTRY   108   // posted when a captured text is added

// Controls of the options dialog (132).
#define IDC_OPT_CORNER_TICKS     1000  // ShowAutoPopup
#define IDC_OPT_MENU_WIDTH       1001  // iMaxViewSize
#define IDC_OPT_AUTO_CLOSE       1035  // disabled, no function
#define IDC_OPT_POSITION         1037  // ShowMenuPosMode
#define IDC_OPT_NO_TRAY          1047  // disabled, mirrors the no-tray option
#define IDC_OPT_OLD_DATE         1048  // bUseOldDateTime
#define IDC_OPT_START_WITH_WINDOWS 1049  // our shortcut in the Startup folder

// Controls and commands of the icon selection dialog (148).
#define IDC_ICON_PATH            1000
#define IDC_ICON_LIST            1052  // owner-drawn, one 32x32 cell per icon
#define IDC_ICON_STANDARD        1053  // "標準に戻す(&U)"
#define IDC_ICON_BROWSE          1054
#define IDM_ICON_RELOAD          127   // lParam: 0 by the user, 1 quiet, 2 first load
#define IDM_ICON_RELEASE         128

// Folder popup settings dialog (102). 102 is also IDI_APP and
// IDM_SHOW_WHOLE_MENU, but a dialog, an icon and a command do not meet.
// The radio ids are the ShowMode values; 1015 + n is drive n (A = 0).
#define IDD_FOLDER_SETTINGS      102   // "ファイル フォルダ ポップアップメニュー設定 (Vossel)" (modal)
#define IDC_VSET_NEW_COLUMN      1002  // ShowMode 1002
#define IDC_VSET_CONTINUATION    1003  // ShowMode 1003
#define IDC_VSET_NOTHING         1004  // ShowMode 1004
#define IDC_VSET_DRIVE_A         1015  // ShowDrives bit 0
#define IDC_VSET_DRIVE_Z         1040  // ShowDrives bit 25
#define IDC_VSET_CONTENTS        1041  // bit 26: the "内容(&Y)..." submenu
#define IDC_VSET_NO_ICONS        1047  // bit 27
#define IDC_VSET_OPEN_FOLDERS    1048  // opens the FOLDERS directory
#define IDC_VSET_HIDE_REGISTERED 1049  // bit 28
#define IDC_VSET_ADD_FOLDER      1050  // registers a folder, then does 1048
#define IDC_VSET_FILES_IN_FOLDER 1052  // bit 29
#define IDC_VSET_OPEN_ENTRY      1053  // bit 30 when unchecked
#define IDC_VSET_EXPLORER_ENTRY  1054  // bit 31

// Menu commands of the settings editor (IDM_). Buttons and menu entries that
// do the same thing share one id (1014 apply, 2 cancel, 1016, 1018 ...).
#define IDM_EDITOR_EDIT_FONT     4
#define IDM_EDITOR_ABOUT         5
#define IDM_EDITOR_FILL_TREE     112    // posted once the window exists
#define IDM_EDITOR_CONTEXT_HIT   123    // right click in the tree: hit-test first
#define IDM_EDITOR_CONTEXT_MENU  124    // lParam 1: at the centre of the tree
#define IDM_EDITOR_RENAME        126
#define IDM_EDITOR_RUN_ITEM      129
#define IDM_EDITOR_REFUSED_CHARACTER 131  // posted: lParam a character a display text cannot hold
#define IDM_EDITOR_REFUSED_TRIGGER 137  // posted: a program item was refused a key or abbreviation typing sets off
#define IDM_EDITOR_REFUSED_ABBREVIATION_CHARACTER 132  // posted: the same for an abbreviation
#define IDM_HISTORY_INSERT_ALL   1016
#define IDM_MODE_FIRST           2000   // 2000 + mode: switch the item's mode
#define IDM_MODE_LAST            2030
#define IDM_ERASE_HISTORY        40003
#define IDM_HISTORY_SETTINGS     40004
#define IDM_EXIT_PROGRAM         40005
#define IDM_EDIT_HISTORY         40006
#define IDM_HISTORY_INSERT       40008  // submenu: one entry as one item
#define IDM_DIRECT_EDIT          40009
#define IDM_DIRECT_EDIT_DONE     40010
#define IDM_HISTORY_INSERT_LINES 40011  // submenu: one item per line
#define IDM_FIND_NEXT_SHORTCUT   40013  // Ctrl+K
#define IDM_IMPORT               40015
#define IDM_SAVE_PART            40016
#define IDM_EXPORT_XML           40017
#define IDM_EXPORT_OUTLINE       40019
#define IDM_EXPORT_HTML          40020  // grayed; does what 40017 does
#define IDM_OPTIONS              40025
#define IDM_MENU_FONT            40028
#define IDM_SORT_NAME_ASC        40037
#define IDM_SORT_NAME_DESC       40038
#define IDM_SORT_KIND_ASC        40039
#define IDM_SORT_KIND_DESC       40040
#define IDM_QUICK_SEARCH         40050  // opens the quick search window
#define IDM_EDITOR_NEW_FOLDER    40061  // a folder holding one new item, its label open

// Commands of the main window (WM_COMMAND low word), below the items' ids
// (200 up). The editor's menu sends the two that are also its entries.
#define IDM_SHOW_WHOLE_MENU      102    // the whole menu at the pointer: the tray's right click,
                                        // the editor's "メニュー参照(&M)", the root item's key
#define IDM_MAIN_PASTE_KEYSTROKE 103    // send Ctrl+V once the modifiers are released
#define IDM_MAIN_ADD_CAPTURED_CLIP 106  // move a captured text into the history; lParam 1: it came from the history
#define IDM_MAIN_OPEN_EDITOR     110
#define IDM_MAIN_SHOW_MENU       113    // high word of wParam: placement mode; lParam: the menu
#define IDM_MAIN_NOTHING         114
#define IDM_MAIN_OPEN_HISTORY_EDITOR 115
#define IDM_MAIN_ENCLOSE_COPY    119    // lParam: the enclose item's id
#define IDM_MAIN_ENCLOSE_INSERT  120    // lParam: the enclose item's id
#define IDM_MAIN_ABBREVIATION_HIT 134   // an abbreviation was typed: take it back, run its item
#define IDM_MAIN_PAUSE_ABBREVIATIONS 135  // the tray menu's check entry
#define IDM_MAIN_TRACK_MENU      133    // posted by IDM_MAIN_SHOW_MENU only
#define IDM_MAIN_START_WITH_WINDOWS 140 // the tray menu's check entry: our shortcut in the Startup folder
#define IDM_VOSSEL_SETTINGS      31000  // the folder popup's settings dialog
#define IDM_FOLDER_FIRST         34000  // the folder popup's entries
#define IDM_FOLDER_LAST          55499

// Timers of the main window (IDT_).
#define IDT_ENCLOSE_FALLBACK     12     // one-shot, 500 ms: nothing was selected
#define IDT_CLIPBOARD_BACK       13     // one-shot: give the user's clipboard back after an insertion
#define IDT_ABBREVIATION_WATCH   14     // 5 s: install the abbreviation hooks again when Windows took them
#define IDT_TRAY_WATCH           25     // 10 s
#define IDT_DATA_FILE_WATCH      26     // 500 ms: the data file changed by another program
#define IDT_HISTORY_SAVE         50     // 30 min
#define IDT_CORNER_WATCH         100    // 100 ms

// Timers of the settings editor.
#define IDT_EDITOR_SAVED_NOTICE  1      // one-shot, 4 s: the caption's "保存しました" goes

// Hotkey ids of the main window (WM_HOTKEY wParam); the items' keys use their
// itemId, 200 up.
#define IDH_PRIVATE              11     // Win+Shift+Backspace: lets us take the foreground
#define IDH_QUICK_SEARCH         12     // [Search] Hotkey of tv2.ini

// Messages of the main window (WM_USER + n). Only the C++ code uses these.
#define WMU_NOTHING              (WM_USER + 1)    // left to default processing
#define WMU_TRAY_CALLBACK        (WM_USER + 142)  // the tray icon's mouse messages

// Controls of the fill-in dialog "Tolvane 入力": one field per label, made in code.
#define IDC_FILL_IN_FIRST        1150

// Controls of the quick search window "Tolvane 検索" (made in code, no template).
#define IDC_SEARCH_FIELD         1100  // the query
#define IDC_SEARCH_LIST          1101  // the results

// Accelerator tables (IDR_).
#define IDR_ACCELERATORS         136  // the settings editor's keys

// Commands the editor's keys send (IDM_). The editor owns the rest of its
// command numbers; these are here because the accelerator table names them.
#define IDM_EDITOR_SELECT_ALL    117    // Ctrl+A in the content field (one-line fields take it earlier)
#define IDM_EDITOR_APPLY         1014   // Ctrl+S: save and apply, stay open
#define IDM_EDITOR_LOAD_FILE     1017   // Ctrl+O: load a file's contents
#define IDM_EDITOR_NEW_ITEM      1018   // Ctrl+N
#define IDM_EDITOR_FIND          40012  // Ctrl+F
#define IDM_EDITOR_FIND_NEXT     40035  // F3; with Shift held it searches backwards

// Version resource. The numeric and the text form must say the same version.
#define TOLVANE_VERSION_NUMBERS  0,1,0,0
#define TOLVANE_VERSION_TEXT     "0.1.0.0"

#endif
