// Checks the resources linked into a program the way tolvane.exe uses them:
// every icon through LoadImageA and the image list, the accelerator table, the
// version block, the manifest, and the settings editor's dialogs, menu and text. Run under Wine by ctest in the Windows build.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include "res/resource.h"

namespace {

int failures = 0;

void check(bool ok, int line, const char* what) {
    if (ok) return;
    ++failures;
    std::printf("resource_test.cpp:%d: FAILED: %s\n", line, what);
}
#define CHECK(expr) check((expr), __LINE__, #expr)

// The image list is 32-bit with a mask, as the program creates it; an icon
// has to go in and be drawn with its transparent corners left alone.
void testSmallIcons(HINSTANCE instance) {
    const int ids[] = {IDI_APP, IDI_ACTIVE, IDI_PHRASE, IDI_DATA_PHRASE, IDI_FOLDER, IDI_SETTINGS,
                       IDI_VSEPARATOR, IDI_HSEPARATOR, IDI_CLIP_HISTORY, IDI_DATE, IDI_DATE_FOLDER,
                       IDI_EDIT_HISTORY, IDI_EXIT, IDI_ERASE_HISTORY, IDI_FOLDER_OPEN, IDI_DATE_FOLDER_OPEN,
                       IDI_CLIP_HISTORY_OPEN, IDI_ENCLOSE, IDI_FOLDER_POPUP,
                       // the settings editor's tool buttons
                       IDI_TOOL_MOVE_DOWN, IDI_TOOL_MOVE_UP, IDI_TOOL_MOVE_LEFT, IDI_TOOL_MOVE_RIGHT,
                       IDI_TOOL_BROWSE_FILE, IDI_TOOL_LOAD_FILE, IDI_TOOL_NEW, IDI_TOOL_DELETE, IDI_TOOL_APPLY,
                       IDI_TOOL_COPY, IDI_TOOL_ICON, IDI_TOOL_BROWSE_FOLDER};
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 18, 4);
    CHECK(list != nullptr);
    for (int id : ids) {
        HICON icon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, LR_SHARED));
        if (!icon) {
            std::printf("icon %d does not load at 16x16\n", id);
            ++failures;
            continue;
        }
        ICONINFO info = {};
        BITMAP color = {};
        if (GetIconInfo(icon, &info)) {
            GetObjectA(info.hbmColor, sizeof color, &color);
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
        }
        if (color.bmWidth != 16 || color.bmHeight != 16 || color.bmBitsPixel != 32) {
            std::printf("icon %d: got %ldx%ld at %d bits, expected 16x16 at 32\n", id, color.bmWidth,
                        color.bmHeight, color.bmBitsPixel);
            ++failures;
        }
        if (ImageList_ReplaceIcon(list, -1, icon) < 0) {
            std::printf("icon %d: the image list refused it\n", id);
            ++failures;
        }
    }
    CHECK(ImageList_GetImageCount(list) == static_cast<int>(sizeof ids / sizeof ids[0]));

    // Draw the folder onto white: its top-left corner is empty, its body is not.
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all = {0, 0, 16, 16};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ImageList_Draw(list, 4, dc, 0, 0, ILD_NORMAL);  // IDI_FOLDER
    CHECK(GetPixel(dc, 0, 0) == RGB(255, 255, 255));
    CHECK(GetPixel(dc, 8, 9) != RGB(255, 255, 255));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    ImageList_Destroy(list);
}

void testLargeIcons(HINSTANCE instance) {
    for (int id : {IDI_APP, IDI_ACTIVE}) {
        HICON icon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, 32, 32, 0));
        ICONINFO info = {};
        BITMAP color = {};
        if (icon && GetIconInfo(icon, &info)) {
            GetObjectA(info.hbmColor, sizeof color, &color);
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
        }
        if (color.bmWidth != 32) {
            std::printf("icon %d has no 32x32 image (got width %ld)\n", id, color.bmWidth);
            ++failures;
        }
        if (icon) DestroyIcon(icon);
    }
}

void testAccelerators(HINSTANCE instance) {
    HACCEL table = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    CHECK(table != nullptr);
    if (!table) return;
    ACCEL entries[16];
    int count = CopyAcceleratorTableA(table, entries, 16);
    CHECK(count == 7);
    bool ctrlS = false, shiftF3 = false;
    for (int i = 0; i < count; ++i) {
        if (entries[i].key == 'S' && entries[i].fVirt == (FVIRTKEY | FCONTROL) && entries[i].cmd == IDM_EDITOR_APPLY)
            ctrlS = true;
        if (entries[i].key == VK_F3 && entries[i].fVirt == (FVIRTKEY | FSHIFT) &&
            entries[i].cmd == IDM_EDITOR_FIND_NEXT)
            shiftF3 = true;
    }
    CHECK(ctrlS);
    CHECK(shiftF3);
}

void testVersion() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    static char block[8192];
    CHECK(size > 0 && size <= sizeof block);
    if (size == 0 || size > sizeof block || !GetFileVersionInfoA(path, 0, sizeof block, block)) return;
    char* text = nullptr;
    UINT length = 0;
    CHECK(VerQueryValueA(block, "\\StringFileInfo\\041103a4\\ProductName", reinterpret_cast<void**>(&text), &length) &&
          std::strcmp(text, "Tolvane") == 0);
    WORD* translation = nullptr;
    CHECK(VerQueryValueA(block, "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) &&
          length >= 4 && translation[0] == 0x0411 && translation[1] == 932);
    VS_FIXEDFILEINFO* fixed = nullptr;
    CHECK(VerQueryValueA(block, "\\", reinterpret_cast<void**>(&fixed), &length) &&
          fixed->dwFileVersionMS == 0x00000001 && fixed->dwFileVersionLS == 0);
}

INT_PTR CALLBACK quietDialog(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

// The children of a dialog in template order, which is also the tab order.
void expectChildren(HWND dialog, int dialogId, const std::pair<int, const char*>* controls, size_t count) {
    HWND child = GetWindow(dialog, GW_CHILD);
    for (size_t i = 0; i < count; ++i, child = GetWindow(child, GW_HWNDNEXT)) {
        char name[64] = "";
        if (child) GetClassNameA(child, name, sizeof name);
        int id = child ? GetDlgCtrlID(child) : 0;
        if (id != controls[i].first || lstrcmpiA(name, controls[i].second) != 0) {
            std::printf("dialog %d, child %u: got id %d of class \"%s\", expected %d of class %s\n", dialogId,
                        static_cast<unsigned>(i), id, name, controls[i].first, controls[i].second);
            ++failures;
        }
        if (!child) return;
    }
    CHECK(child == nullptr);  // no more children than expected
}

void expectMenuText(HMENU menu, UINT item, UINT by, const char* expected) {
    char text[128] = "";
    GetMenuStringA(menu, item, text, sizeof text, by);
    if (std::strcmp(text, expected) == 0) return;
    std::printf("menu %s %u: got \"%s\", expected \"%s\"\n", by == MF_BYPOSITION ? "position" : "entry", item,
                text, expected);
    ++failures;
}

// The editor's window as the program creates it: hidden, every control with
// its class in tab order, the menu bar with its ids and texts.
void testEditorDialog(HINSTANCE instance) {
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_TREEVIEW_CLASSES | ICC_HOTKEY_CLASS};
    CHECK(InitCommonControlsEx(&classes));
    HWND dialog = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_EDITOR), nullptr, quietDialog, 0);
    CHECK(dialog != nullptr);
    if (!dialog) return;
    CHECK(!IsWindowVisible(dialog));
    CHECK(GetWindowLongPtrA(dialog, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    char caption[64] = "";
    GetWindowTextA(dialog, caption, sizeof caption);
    CHECK(std::strcmp(caption, "Tolvane (設定)") == 0);

    const std::pair<int, const char*> controls[] = {
        {IDC_TREE, WC_TREEVIEWA}, {IDC_SPLITTER, "Static"}, {IDC_DISPLAY_TEXT, "Edit"},
        {IDC_CONTENT_LABEL, "Static"}, {IDC_CONTENT, "Edit"}, {IDC_ABBREVIATION_LABEL, "Static"},
        {IDC_ABBREVIATION, "Edit"}, {IDC_ABBREVIATION_NOTE, "Static"}, {IDC_HOTKEY_LABEL, "Static"},
        {IDC_HOTKEY, HOTKEY_CLASSA}, {IDC_WIN_KEY, "Button"}, {IDC_CORNER_LABEL, "Static"},
        {IDC_CORNER, "ComboBox"}, {IDC_OK, "Button"}, {IDC_APPLY, "Button"}, {IDCANCEL, "Button"},
        {IDC_NEW, "Button"}, {IDC_MOVE_UP, "Button"}, {IDC_MOVE_DOWN, "Button"}, {IDC_MOVE_LEFT, "Button"},
        {IDC_MOVE_RIGHT, "Button"}, {IDC_DELETE, "Button"}, {IDC_ADD_COPY, "Button"}, {IDC_CHANGE_ICON, "Button"},
        {IDC_LOAD_FILE, "Button"}, {IDC_BROWSE_FILE, "Button"}, {IDC_BROWSE_FOLDER, "Button"}, {-1, "Static"},
        {IDC_MODE, "ComboBox"}};
    expectChildren(dialog, IDD_EDITOR, controls, sizeof controls / sizeof controls[0]);
    // The splitter is dragged, so it must be told about the mouse; the tool buttons show icons.
    CHECK(GetWindowLongPtrA(GetDlgItem(dialog, IDC_SPLITTER), GWL_STYLE) & SS_NOTIFY);
    CHECK(GetWindowLongPtrA(GetDlgItem(dialog, IDC_BROWSE_FOLDER), GWL_STYLE) & BS_ICON);
    CHECK((GetWindowLongPtrA(GetDlgItem(dialog, IDC_WIN_KEY), GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX);
    char text[32] = "";
    GetDlgItemTextA(dialog, IDC_APPLY, text, sizeof text);
    CHECK(std::strcmp(text, "更新") == 0);

    HMENU menu = GetMenu(dialog);
    CHECK(GetMenuItemCount(menu) == 5);
    const char* const menus[] = {"ファイル(&F)", "編集(&E)", "クリップボード履歴(&C)", "その他(&O)", "メニュー参照(&M)"};
    for (UINT i = 0; i < 5; ++i) expectMenuText(menu, i, MF_BYPOSITION, menus[i]);
    CHECK(GetMenuItemID(menu, 4) == IDM_SHOW_WHOLE_MENU);
    const std::pair<UINT, const char*> entries[] = {
        {IDM_IMPORT, "選択位置にメニューをファイルより取り込む(&I)"},
        {IDM_SAVE_PART, "選択以下のメニューを別のファイルに保存(&S)"},
        {IDM_EXPORT_OUTLINE, "選択以下を階層構造文書で保存(&TEXT)"},
        {IDM_EXPORT_HTML, "選択以下を階層構造文章で保存(&HTML) (未完成)"},
        {IDM_EXPORT_XML, "選択以下を&XML形式で保存"},
        {IDC_APPLY, "設定保存(更新)(&U)\tCtrl+S"},
        {IDCANCEL, "設定中止(キャンセル)(&C)\tAlt+F4"},
        {IDM_EXIT_PROGRAM, "プログラムを終了(&E)"},
        {IDM_EDITOR_NEW_FOLDER, "新しいフォルダ(&F)"},
        {IDM_SORT_NAME_ASC, "名前による並べ替え(昇順)"},
        {IDM_SORT_NAME_DESC, "名前による並べ替え(降順)"},
        {IDM_SORT_KIND_ASC, "種類による並べ替え(昇順)"},
        {IDM_SORT_KIND_DESC, "種類による並べ替え(降順)"},
        {IDM_EDITOR_FIND, "指定した文字を検索(項目もしくは1文中)...(&F)\tCtrl+F(F3)"},
        {IDM_FIND_NEXT_SHORTCUT, "次のショートカットキーを登録済み項目を検索(&S)\tCtrl+K"},
        {IDM_EDIT_HISTORY, "履歴の編集...(&E)"},
        {IDM_HISTORY_SETTINGS, "クリップボード履歴の設定...(&C)"},
        {IDM_HISTORY_INSERT, "履歴より文字を挿入(&O)"},
        {IDM_HISTORY_INSERT_LINES, "履歴より文字を1行1項目として挿入(&R)"},
        {IDM_HISTORY_INSERT_ALL, "履歴をすべて挿入(&A)"},
        {IDM_ERASE_HISTORY, "履歴の消去"},
        {IDM_OPTIONS, "オプション(&O)..."},
        {IDM_VOSSEL_SETTINGS, "フォルダポップアップ設定Vossel(&F)..."},
        {IDM_QUICK_SEARCH, "クイック検索(&Q)..."},
        {IDM_MENU_FONT, "メニュー表示に使用するフォント...(&S)"},
        {IDM_EDITOR_EDIT_FONT, "編集欄に使用するフォント設定...(&F)"},
        {IDM_DIRECT_EDIT, "メニューをダイレクト編集(&X)"},
        {IDM_DIRECT_EDIT_DONE, "メニューのダイレクト編集完了(&R)"},
        {IDM_EDITOR_ABOUT, "バージョン情報...(&V)"}};
    for (const auto& entry : entries) expectMenuText(menu, entry.first, MF_BYCOMMAND, entry.second);
    CHECK(GetMenuState(menu, IDM_EXPORT_HTML, MF_BYCOMMAND) & MF_GRAYED);
    CHECK(!(GetMenuState(menu, IDM_EXPORT_XML, MF_BYCOMMAND) & MF_GRAYED));
    // The program hangs the history submenus on these two by command, in the third menu.
    HMENU history = GetSubMenu(menu, 2);
    CHECK(GetMenuState(history, IDM_HISTORY_INSERT, MF_BYCOMMAND) != static_cast<UINT>(-1));
    CHECK(GetMenuState(history, IDM_HISTORY_INSERT_LINES, MF_BYCOMMAND) != static_cast<UINT>(-1));
    DestroyWindow(dialog);
}

void testAboutBox(HINSTANCE instance) {
    HWND about = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_ABOUT), nullptr, quietDialog, 0);
    CHECK(about != nullptr);
    if (!about) return;
    char caption[64] = "";
    GetWindowTextA(about, caption, sizeof caption);
    CHECK(std::strcmp(caption, "バージョン情報 Tolvane") == 0);
    CHECK(GetWindowLongPtrA(GetDlgItem(about, IDC_ABOUT_TEXT), GWL_STYLE) & ES_READONLY);
    CHECK(GetDlgItem(about, IDOK) != nullptr);
    DestroyWindow(about);
    char text[1024] = "";
    CHECK(LoadStringA(instance, IDS_ABOUT_TEXT, text, sizeof text) > 0);
}

unsigned buttonKind(HWND control) {
    char name[16] = "";
    GetClassNameA(control, name, sizeof name);
    if (lstrcmpiA(name, "Button") != 0) return BS_TYPEMASK + 1;  // no button at all
    return static_cast<unsigned>(GetWindowLongPtrA(control, GWL_STYLE)) & BS_TYPEMASK;
}

bool isRadio(HWND control) {
    unsigned kind = buttonKind(control);
    return kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON;
}

// The arrow keys move the focus to the next control of its group (the dialog
// manager's GetNextDlgGroupItem), and onto an auto radio button they move the
// check. So each radio button checks itself, and its group holds only radio
// buttons, Tab stopping at the first; from any other button the arrows never
// reach a label or a group box.
void testArrowKeyGroups(HINSTANCE instance, int dialogId) {
    HWND dialog = CreateDialogParamA(instance, MAKEINTRESOURCEA(dialogId), nullptr, quietDialog, 0);
    CHECK(dialog != nullptr);
    if (!dialog) return;
    bool afterRadio = false;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
        const int id = GetDlgCtrlID(child);
        const bool radio = isRadio(child);
        if (radio) {
            bool startsGroup = (style & WS_GROUP) != 0;
            bool wellFormed = buttonKind(child) == BS_AUTORADIOBUTTON && startsGroup == !afterRadio &&
                              ((style & WS_TABSTOP) != 0) == startsGroup;
            if (!wellFormed) {
                std::printf("dialog %d, radio button %d: style %08lx after %s\n", dialogId, id,
                            static_cast<unsigned long>(style), afterRadio ? "a radio button" : "another control");
                ++failures;
            }
        }
        afterRadio = radio;
        unsigned kind = buttonKind(child);
        if (kind > BS_TYPEMASK || kind == BS_GROUPBOX || (style & WS_DISABLED)) continue;
        for (BOOL previous : {FALSE, TRUE}) {
            HWND next = GetNextDlgGroupItem(dialog, child, previous);
            unsigned nextKind = next ? buttonKind(next) : BS_TYPEMASK + 1;
            bool fine = radio ? next && isRadio(next) : nextKind <= BS_TYPEMASK && nextKind != BS_GROUPBOX;
            if (!fine) {
                std::printf("dialog %d: an arrow key from %d leads to %d\n", dialogId, id,
                            next ? GetDlgCtrlID(next) : 0);
                ++failures;
            }
        }
    }
    DestroyWindow(dialog);
}

void testManifest(HINSTANCE instance) {
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
    CHECK(found != nullptr);
    if (!found) return;
    DWORD size = SizeofResource(instance, found);
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(instance, found)));
    std::string manifest(bytes, size);
    CHECK(manifest.find("Microsoft.Windows.Common-Controls") != std::string::npos);
    CHECK(manifest.find("asInvoker") != std::string::npos);
}

}  // namespace

int main() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    testSmallIcons(instance);
    testLargeIcons(instance);
    testAccelerators(instance);
    testVersion();
    testManifest(instance);
    testEditorDialog(instance);
    testAboutBox(instance);
    for (int dialogId : {IDD_HISTORY_SETTINGS, IDD_FOLDER_SETTINGS, IDD_OPTIONS, IDD_FILL_IN})
        testArrowKeyGroups(instance, dialogId);
    std::printf("%s\n", failures ? "resource_test: FAILED" : "resource_test: all passed");
    return failures ? 1 : 0;
}
