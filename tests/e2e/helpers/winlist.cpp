// winlist: one tab-separated line per top-level window of the test's desktop:
//   HWND CLASS PID VISIBLE LEFT TOP RIGHT BOTTOM TITLE
// (VISIBLE is 1 or 0; the rectangle is in the desktop's screen coordinates; the
// title is raw code page 932 bytes.)
//
//   winlist.exe [--class C] [--visible] [--menus] [--children HWND]
//     --class C        only windows of class C (implies --menus for "#32768")
//     --visible        only visible windows
//     --menus          include popup menu windows (class "#32768"), left out otherwise
//     --children HWND  list the child windows of HWND instead
#include "helper_common.h"

#include <fcntl.h>
#include <string>

namespace {

struct Filter {
    std::string class_name;
    bool visible_only = false;
    bool menus = false;
};

BOOL CALLBACK print_window(HWND hwnd, LPARAM param)
{
    const Filter* filter = reinterpret_cast<const Filter*>(param);
    std::string name = class_of(hwnd);
    bool visible = IsWindowVisible(hwnd) != FALSE;
    if (!filter->class_name.empty() && name != filter->class_name)
        return TRUE;
    if (name == "#32768" && !filter->menus)
        return TRUE;
    if (filter->visible_only && !visible)
        return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    RECT r = {};
    GetWindowRect(hwnd, &r);
    char title[1024] = "";
    int length = GetWindowTextA(hwnd, title, sizeof title);
    if (length < 0)
        length = 0;
    for (int i = 0; i < length; ++i)
        if (title[i] == '\t' || title[i] == '\n' || title[i] == '\r')
            title[i] = ' ';
    printf("%s\t%s\t%lu\t%d\t%ld\t%ld\t%ld\t%ld\t%.*s\n", hwnd_text(hwnd).c_str(), name.c_str(), pid,
           visible ? 1 : 0, r.left, r.top, r.right, r.bottom, length, title);
    return TRUE;
}

} // namespace

int main(int argc, char** argv)
{
    join_test_desktop();
    _setmode(_fileno(stdout), _O_BINARY);
    Filter filter;
    HWND parent = nullptr;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--class" && i + 1 < argc) {
            filter.class_name = argv[++i];
            if (filter.class_name == "#32768")
                filter.menus = true;
        } else if (arg == "--visible") {
            filter.visible_only = true;
        } else if (arg == "--menus") {
            filter.menus = true;
        } else if (arg == "--children" && i + 1 < argc) {
            parent = parse_hwnd(argv[++i]);
        } else {
            fputs("usage: winlist.exe [--class C] [--visible] [--menus] [--children HWND]\n", stderr);
            return 2;
        }
    }
    if (parent) {
        if (!IsWindow(parent)) {
            fprintf(stderr, "winlist: %s is not a window\n", hwnd_text(parent).c_str());
            return 1;
        }
        filter.menus = true;
        EnumChildWindows(parent, print_window, reinterpret_cast<LPARAM>(&filter));
    } else {
        EnumWindows(print_window, reinterpret_cast<LPARAM>(&filter));
    }
    return fflush(stdout) == 0 ? 0 : 2;
}
