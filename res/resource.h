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
// The editor's tool buttons will take 105-108, 118, 121, 123, 124, 133, 146,
// 147 and 150; keep those free.

// Accelerator tables (IDR_).
#define IDR_ACCELERATORS         136  // the settings editor's keys

// Commands the editor's keys send (IDM_). The editor owns the rest of its
// command numbers; these are here because the accelerator table names them.
#define IDM_EDITOR_SELECT_ALL    117    // Ctrl+A in the text and content fields
#define IDM_EDITOR_APPLY         1014   // Ctrl+S: save and apply, stay open
#define IDM_EDITOR_LOAD_FILE     1017   // Ctrl+O: load a file's contents
#define IDM_EDITOR_NEW_ITEM      1018   // Ctrl+N
#define IDM_EDITOR_FIND          40012  // Ctrl+F
#define IDM_EDITOR_FIND_NEXT     40035  // F3; with Shift held it searches backwards

// Version resource. The numeric and the text form must say the same version.
#define TOLVANE_VERSION_NUMBERS  0,1,0,0
#define TOLVANE_VERSION_TEXT     "0.1.0.0"

#endif
