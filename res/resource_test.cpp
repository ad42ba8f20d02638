// Checks the resources linked into a program the way tolvane.exe uses them:
// every icon through LoadImageA and the image list, the accelerator table, the
// version block and the manifest. Run under Wine by ctest in the Windows build.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>

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
                       IDI_CLIP_HISTORY_OPEN, IDI_ENCLOSE, IDI_FOLDER_POPUP};
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
    std::printf("%s\n", failures ? "resource_test: FAILED" : "resource_test: all passed");
    return failures ? 1 : 0;
}
