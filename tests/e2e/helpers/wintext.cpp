// wintext: reads or sets the text of an Edit control in another program, as
// code page 932 bytes (ANSI messages), and selects a range in it.
//
//   wintext.exe [CLASS] [OUTFILE]            text of CLASS's child "Edit" (default
//                                            class "Notepad", default output stdout)
//   wintext.exe [options] ACTION...
//     --class CLASS    top-level window class (default Notepad)
//     --hwnd HWND      use this window (top-level or the control itself)
//     --child CLASS    child control class (default Edit); "-" means the window itself
//     --utf8           the following --get and --set use the wide messages and
//                      UTF-8 files, for characters code page 932 lacks
//     --get OUTFILE    write the text ("-" for stdout)
//     --set FILE       replace the text with the bytes of FILE
//     --select S E     EM_SETSEL S E, in characters (UTF-16 units, not bytes);
//                      "end" stands for the length of the text
//     --get-sel        print "START END" of the selection
// Actions run in the order given. Exit 1 when the window or control is missing.
#include "helper_common.h"

#include <vector>

namespace {

struct Search {
    const char* class_name;
    HWND found;
};

// Prefers a visible window: notepad may keep hidden ones of the same class.
BOOL CALLBACK find_top_level(HWND hwnd, LPARAM param)
{
    Search* search = reinterpret_cast<Search*>(param);
    if (class_of(hwnd) != search->class_name)
        return TRUE;
    if (!search->found || (IsWindowVisible(hwnd) && !IsWindowVisible(search->found)))
        search->found = hwnd;
    return !IsWindowVisible(hwnd);
}

HWND find_control(HWND forced, const char* top_class, const char* child_class)
{
    HWND top = forced;
    if (!top) {
        Search search = {top_class, nullptr};
        EnumWindows(find_top_level, reinterpret_cast<LPARAM>(&search));
        top = search.found;
    }
    if (!top || !IsWindow(top))
        return nullptr;
    if (strcmp(child_class, "-") == 0 || class_of(top) == child_class)
        return top;
    return FindWindowExA(top, nullptr, child_class, nullptr);
}

// The text as code page 932 bytes (ANSI messages) or as UTF-8 (wide messages).
std::string text_of(HWND control, bool utf8)
{
    if (!utf8) {
        LRESULT length = SendMessageA(control, WM_GETTEXTLENGTH, 0, 0);
        // The answer may count UTF-16 units rather than bytes, and a unit can take
        // two bytes in code page 932; the count WM_GETTEXT returns is the exact one.
        std::vector<char> buffer(2 * length + 2);
        LRESULT copied = SendMessageA(control, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
        return std::string(buffer.data(), copied > 0 ? copied : 0);
    }
    return window_text_utf8(control);
}

bool get_text(HWND control, bool utf8, const char* out)
{
    if (!write_whole_file(out, text_of(control, utf8))) {
        fprintf(stderr, "wintext: cannot write %s\n", out);
        return false;
    }
    return true;
}

bool set_text(HWND control, bool utf8, const char* in)
{
    std::string bytes;
    if (!read_whole_file(in, bytes)) {
        fprintf(stderr, "wintext: cannot read %s\n", in);
        return false;
    }
    LRESULT set;
    if (utf8) {
        std::vector<wchar_t> wide(bytes.size() + 1);
        int units = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(),
                                        static_cast<int>(wide.size()));
        wide[units > 0 ? units : 0] = L'\0';
        set = SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.data()));
    } else {
        set = SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(bytes.c_str()));
    }
    if (!set) {
        fprintf(stderr, "wintext: WM_SETTEXT failed\n");
        return false;
    }
    return true;
}

int position(HWND control, const char* text)
{
    if (strcmp(text, "end") == 0)
        return static_cast<int>(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0));
    return atoi(text);
}

void usage()
{
    fputs("usage: wintext.exe [CLASS] [OUTFILE] | [--class C] [--hwnd H] [--child C]"
          " [--utf8] (--get OUT | --set FILE | --select S E | --get-sel)...\n", stderr);
}

} // namespace

int main(int argc, char** argv)
{
    join_test_desktop();
    const char* top_class = "Notepad";
    const char* child_class = "Edit";
    HWND forced = nullptr;
    std::vector<std::vector<const char*>> actions;
    std::vector<const char*> positional;

    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto need = [&](int count) {
            if (i + count >= argc) {
                usage();
                exit(2);
            }
        };
        if (arg == "--class") {
            need(1);
            top_class = argv[++i];
        } else if (arg == "--child") {
            need(1);
            child_class = argv[++i];
        } else if (arg == "--hwnd") {
            need(1);
            forced = parse_hwnd(argv[++i]);
        } else if (arg == "--get" || arg == "--set") {
            need(1);
            actions.push_back({argv[i], argv[i + 1]});
            ++i;
        } else if (arg == "--select") {
            need(2);
            actions.push_back({argv[i], argv[i + 1], argv[i + 2]});
            i += 2;
        } else if (arg == "--get-sel" || arg == "--utf8") {
            actions.push_back({argv[i]});
        } else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
            usage();
            return 2;
        } else {
            positional.push_back(argv[i]);
        }
    }
    if (positional.size() > 2) {
        usage();
        return 2;
    }
    if (!positional.empty())
        top_class = positional[0];
    if (actions.empty())
        actions.push_back({"--get", positional.size() == 2 ? positional[1] : "-"});

    HWND control = find_control(forced, top_class, child_class);
    if (!control) {
        fprintf(stderr, "wintext: no %s window with a %s control\n", top_class, child_class);
        return 1;
    }

    bool utf8 = false;
    for (const auto& action : actions) {
        std::string name = action[0];
        if (name == "--utf8") {
            utf8 = true;
        } else if (name == "--get") {
            if (!get_text(control, utf8, action[1]))
                return 2;
        } else if (name == "--set") {
            if (!set_text(control, utf8, action[1]))
                return 2;
        } else if (name == "--select") {
            SendMessageA(control, EM_SETSEL, position(control, action[1]), position(control, action[2]));
        } else {
            DWORD start = 0, end = 0;
            SendMessageA(control, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
            printf("%lu %lu\n", start, end);
        }
    }
    return 0;
}
