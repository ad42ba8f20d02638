// baremenu: the yardstick for menu opening times, a popup menu that does the
// least a menu can do. Usage: baremenu COUNT [ownerdraw|string]
// Builds a popup of COUNT entries (owner-drawn ones answer WM_MEASUREITEM with a
// fixed size and paint a plain rectangle with their text), opens it with
// TrackPopupMenu and closes it as soon as the menu loop first goes idle, which
// is after the menu window has been shown and painted. Prints
// "build: MS ms" and "open: MS ms".
#include "helper_common.h"

#include <vector>

namespace {

LARGE_INTEGER openStart;
double openMilliseconds = -1;
std::vector<std::string> labels;

void drawEntry(const DRAWITEMSTRUCT& draw)
{
    const bool selected = (draw.itemState & ODS_SELECTED) != 0;
    FillRect(draw.hDC, &draw.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    const std::string& label = labels[draw.itemData];
    RECT text = draw.rcItem;
    text.left += 24;
    SetBkMode(draw.hDC, TRANSPARENT);
    DrawTextA(draw.hDC, label.c_str(), static_cast<int>(label.size()), &text, DT_SINGLELINE | DT_VCENTER);
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        measure->itemWidth = 120;
        measure->itemHeight = 18;
        return TRUE;
    }
    case WM_DRAWITEM: drawEntry(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case WM_ENTERIDLE:
        if (wParam == MSGF_MENU && openMilliseconds < 0) {
            openMilliseconds = milliseconds_since(openStart);
            EndMenu();
        }
        return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: baremenu COUNT [ownerdraw|string]\n");
        return 2;
    }
    join_test_desktop();
    const int count = atoi(argv[1]);
    const bool ownerDraw = argc < 3 || strcmp(argv[2], "string") != 0;

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "baremenu";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("baremenu", "baremenu", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                windowClass.hInstance, nullptr);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);

    LARGE_INTEGER buildStart;
    QueryPerformanceCounter(&buildStart);
    HMENU menu = CreatePopupMenu();
    labels.reserve(static_cast<size_t>(count));
    for (int index = 0; index < count; ++index) {
        labels.push_back("entry " + std::to_string(index + 1));
        if (ownerDraw)
            AppendMenuA(menu, MF_OWNERDRAW, static_cast<UINT_PTR>(index + 1),
                        reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(index)));
        else
            AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(index + 1), labels.back().c_str());
    }
    const double buildMilliseconds = milliseconds_since(buildStart);

    QueryPerformanceCounter(&openStart);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, 10, 10, 0, window, nullptr);
    printf("build: %.1f ms\nopen: %.1f ms\n", buildMilliseconds, openMilliseconds);
    DestroyMenu(menu);
    DestroyWindow(window);
    return openMilliseconds < 0 ? 1 : 0;
}
