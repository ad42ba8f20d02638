// clipboard: reads, sets and watches the clipboard's CF_TEXT as raw code page
// 932 bytes.
//
//   clipboard.exe --get OUTFILE              CF_TEXT to OUTFILE ("-" for stdout);
//                                            exit 1 when there is no text
//   clipboard.exe --set FILE [--mark-exclude] [--in-front]
//                                            CF_TEXT from FILE; with --mark-exclude also
//                                            "ExcludeClipboardContentFromMonitorProcessing".
//                                            Always without an owner window (OpenClipboard(NULL)),
//                                            as small tools and scripts copy; with --in-front
//                                            a window of the helper's own is in front while it
//                                            copies, and for a second after
//   clipboard.exe --set-format FORMAT FILE   only FORMAT (a number, or a name to register)
//                                            holding FILE's bytes
//   clipboard.exe --get-format FORMAT OUTFILE  FORMAT's bytes to OUTFILE; exit 1 when absent
//   clipboard.exe --formats                  one line per format: ID NAME
//   clipboard.exe --empty
//   clipboard.exe --viewer LOGFILE SECONDS   join the viewer chain and log, one line each:
//                                              joined HWND next NEXT
//                                              draw N FORMATS        (WM_DRAWCLIPBOARD)
//                                              changecbchain REMOVED NEXT
//                                              left
//                                            leaves after SECONDS, or once LOGFILE.stop exists.
//                                            "draw 1" comes before "joined": SetClipboardViewer
//                                            sends the first WM_DRAWCLIPBOARD itself.
//   clipboard.exe --reader LOGFILE SECONDS   what a clipboard manager does: a format
//                                            listener that opens the clipboard at every
//                                            change and reads its text (holding it open for
//                                            100 ms more), unless it is marked
//                                            "ExcludeClipboardContentFromMonitorProcessing";
//                                            logs "joined", "read N" and "left", and leaves
//                                            as the viewer does.
#include "helper_common.h"

#include <fcntl.h>
#include <string>

namespace {

// Another program (the one under test, or Wine's X11 bridge) may hold the
// clipboard for a moment; keep asking for a few seconds.
bool open_clipboard(HWND owner)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (OpenClipboard(owner))
            return true;
        Sleep(50);
    }
    fprintf(stderr, "clipboard: cannot open the clipboard (error %lu)\n", GetLastError());
    return false;
}

std::string format_name(UINT format)
{
    static const struct {
        UINT id;
        const char* name;
    } standard[] = {
        {CF_TEXT, "CF_TEXT"}, {CF_BITMAP, "CF_BITMAP"}, {CF_OEMTEXT, "CF_OEMTEXT"},
        {CF_DIB, "CF_DIB"}, {CF_UNICODETEXT, "CF_UNICODETEXT"}, {CF_HDROP, "CF_HDROP"},
        {CF_LOCALE, "CF_LOCALE"}, {CF_DIBV5, "CF_DIBV5"},
    };
    for (const auto& entry : standard)
        if (entry.id == format)
            return entry.name;
    char name[256];
    if (GetClipboardFormatNameA(format, name, sizeof name) > 0)
        return name;
    return "#" + std::to_string(format);
}

std::string list_formats()
{
    std::string names;
    for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format)) {
        if (!names.empty())
            names += ",";
        names += format_name(format);
    }
    return names.empty() ? "-" : names;
}

HGLOBAL global_copy(const void* bytes, size_t size)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory)
        return nullptr;
    memcpy(GlobalLock(memory), bytes, size);
    GlobalUnlock(memory);
    return memory;
}

bool read_input(const char* in, std::string& bytes)
{
    if (read_whole_file(in, bytes))
        return true;
    fprintf(stderr, "clipboard: cannot read %s\n", in);
    return false;
}

// Copies the clipboard's data in the format: 0, or 1 when there is none, 2
// when the clipboard cannot be opened.
int take_data(UINT format, std::string& copy)
{
    if (!open_clipboard(nullptr))
        return 2;
    HANDLE data = GetClipboardData(format);
    const char* bytes = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    if (bytes) {
        copy.assign(bytes, GlobalSize(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return bytes ? 0 : 1;
}

int get_text(const char* out)
{
    std::string bytes;
    int status = take_data(CF_TEXT, bytes);
    if (status == 1)
        fputs("clipboard: no CF_TEXT on the clipboard\n", stderr);
    if (status != 0)
        return status;
    bytes.resize(strnlen(bytes.data(), bytes.size()));
    return write_whole_file(out, bytes) ? 0 : 2;
}

// Replaces the clipboard's content with the file's bytes in the format (text
// ends with a zero byte), marked for clipboard monitors to skip if asked.
int put_data(UINT format, const char* in, bool terminate, bool mark_exclude)
{
    std::string bytes;
    if (!read_input(in, bytes))
        return 2;
    if (!open_clipboard(nullptr))
        return 2;
    EmptyClipboard();
    bool ok = SetClipboardData(format, global_copy(bytes.c_str(), bytes.size() + (terminate ? 1 : 0))) != nullptr;
    if (mark_exclude) {
        UINT exclude = RegisterClipboardFormatA("ExcludeClipboardContentFromMonitorProcessing");
        DWORD zero = 0;
        ok = SetClipboardData(exclude, global_copy(&zero, sizeof zero)) != nullptr && ok;
    }
    CloseClipboard();
    if (!ok)
        fprintf(stderr, "clipboard: SetClipboardData failed (error %lu)\n", GetLastError());
    return ok ? 0 : 2;
}

// Answers what is sent or posted to the helper's window for the milliseconds given.
void pump_messages(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    for (DWORD waited = 0; waited < milliseconds; waited = GetTickCount() - start) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - waited, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

// A plain window of the helper's own, made the foreground window; null when it
// does not get there within five seconds.
HWND show_in_front()
{
    join_test_desktop();
    WNDCLASSA window_class = {};
    window_class.lpfnWndProc = DefWindowProcA;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = "TolvaneE2EClipboardInFront";
    RegisterClassA(&window_class);
    HWND hwnd = CreateWindowExA(0, window_class.lpszClassName, "clipboard in front", WS_OVERLAPPEDWINDOW, 500, 50,
                                200, 100, nullptr, nullptr, window_class.hInstance, nullptr);
    ShowWindow(hwnd, SW_SHOW);
    for (int attempt = 0; hwnd && attempt < 50 && GetForegroundWindow() != hwnd; ++attempt) {
        SetForegroundWindow(hwnd);
        pump_messages(100);
    }
    if (hwnd && GetForegroundWindow() == hwnd)
        return hwnd;
    fprintf(stderr, "clipboard: the helper's window did not come to the front\n");
    if (hwnd)
        DestroyWindow(hwnd);
    return nullptr;
}

int set_text(const char* in, bool mark_exclude, bool in_front)
{
    if (!in_front)
        return put_data(CF_TEXT, in, true, mark_exclude);
    HWND front = show_in_front();
    if (!front)
        return 2;
    int status = put_data(CF_TEXT, in, true, mark_exclude);
    // The viewers learn of the change after the copy returns: the window stays
    // in front until they have.
    pump_messages(1000);
    DestroyWindow(front);
    return status;
}

UINT format_id(const char* format)
{
    char* end = nullptr;
    unsigned long number = strtoul(format, &end, 10);
    return *end == '\0' ? static_cast<UINT>(number) : RegisterClipboardFormatA(format);
}

int set_format(const char* format, const char* in) { return put_data(format_id(format), in, false, false); }

int get_format(const char* format, const char* out)
{
    std::string copy;
    int status = take_data(format_id(format), copy);
    if (status == 1)
        fprintf(stderr, "clipboard: no %s on the clipboard\n", format);
    if (status != 0)
        return status;
    return write_whole_file(out, copy) ? 0 : 2;
}

int print_formats()
{
    if (!open_clipboard(nullptr))
        return 2;
    _setmode(_fileno(stdout), _O_BINARY);
    for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format))
        printf("%u\t%s\n", format, format_name(format).c_str());
    CloseClipboard();
    return 0;
}

int empty()
{
    if (!open_clipboard(nullptr))
        return 2;
    EmptyClipboard();
    CloseClipboard();
    return 0;
}

// The clipboard viewer: a window in the chain that logs and forwards; or the
// reader, a format listener (it learns of a change in parallel with the viewers).
struct Viewer {
    std::string log_path;
    std::string stop_path;
    DWORD deadline;
    bool reader = false;
    HWND next = nullptr;
    int draws = 0;
};

void log_line(const Viewer& viewer, const std::string& line)
{
    // Opened per line and closed at once, so a polling test sees every line.
    FILE* f = fopen(viewer.log_path.c_str(), "ab");
    if (!f)
        return;
    fputs((line + "\n").c_str(), f);
    fclose(f);
}

void on_draw_clipboard(HWND hwnd, Viewer& viewer, WPARAM wparam, LPARAM lparam)
{
    std::string formats = "?";
    if (open_clipboard(hwnd)) {
        formats = list_formats();
        CloseClipboard();
    }
    log_line(viewer, "draw " + std::to_string(++viewer.draws) + " " + formats);
    if (viewer.next)
        SendMessageA(viewer.next, WM_DRAWCLIPBOARD, wparam, lparam);
}

void on_clipboard_update(HWND hwnd, Viewer& viewer)
{
    static const UINT exclude = RegisterClipboardFormatA("ExcludeClipboardContentFromMonitorProcessing");
    if (!open_clipboard(hwnd))
        return;
    HANDLE data = IsClipboardFormatAvailable(exclude) ? nullptr : GetClipboardData(CF_UNICODETEXT);
    bool read = data && GlobalLock(data);
    if (read) {
        GlobalUnlock(data);
        Sleep(100);  // a manager keeps the clipboard open while it stores what it read
    }
    CloseClipboard();
    // A content marked as not for monitors is looked at and left: the clipboard
    // was still held for that moment.
    log_line(viewer, (read ? "read " : "skipped ") + std::to_string(++viewer.draws));
}

void on_change_chain(Viewer& viewer, HWND removed, HWND after)
{
    log_line(viewer, "changecbchain " + hwnd_text(removed) + " " + hwnd_text(after));
    if (removed == viewer.next)
        viewer.next = after;
    else if (viewer.next)
        SendMessageA(viewer.next, WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(removed), reinterpret_cast<LPARAM>(after));
}

void leave_chain(HWND hwnd, Viewer& viewer)
{
    if (viewer.reader)
        RemoveClipboardFormatListener(hwnd);
    else
        ChangeClipboardChain(hwnd, viewer.next);
    log_line(viewer, "left");
    DestroyWindow(hwnd);
}

LRESULT CALLBACK viewer_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    Viewer* viewer = reinterpret_cast<Viewer*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        viewer = static_cast<Viewer*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(viewer));
    }
    if (!viewer)
        return DefWindowProcA(hwnd, message, wparam, lparam);
    switch (message) {
    case WM_DRAWCLIPBOARD:
        on_draw_clipboard(hwnd, *viewer, wparam, lparam);
        return 0;
    case WM_CLIPBOARDUPDATE:
        on_clipboard_update(hwnd, *viewer);
        return 0;
    case WM_CHANGECBCHAIN:
        on_change_chain(*viewer, reinterpret_cast<HWND>(wparam), reinterpret_cast<HWND>(lparam));
        return 0;
    case WM_TIMER:
        if (GetTickCount() - viewer->deadline < 0x80000000u
            || GetFileAttributesA(viewer->stop_path.c_str()) != INVALID_FILE_ATTRIBUTES)
            leave_chain(hwnd, *viewer);
        return 0;
    case WM_CLOSE:
        leave_chain(hwnd, *viewer);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

int run_viewer(const char* log_path, const char* seconds, bool reader)
{
    join_test_desktop();
    Viewer viewer;
    viewer.reader = reader;
    viewer.log_path = log_path;
    viewer.stop_path = viewer.log_path + ".stop";
    viewer.deadline = GetTickCount() + static_cast<DWORD>(atof(seconds) * 1000);

    WNDCLASSA window_class = {};
    window_class.lpfnWndProc = viewer_proc;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = "TolvaneE2EClipboardViewer";
    RegisterClassA(&window_class);
    HWND hwnd = CreateWindowExA(0, window_class.lpszClassName, "clipboard viewer", WS_OVERLAPPED, 0, 0, 0, 0,
                                nullptr, nullptr, window_class.hInstance, &viewer);
    if (!hwnd) {
        fprintf(stderr, "clipboard: cannot create the viewer window\n");
        return 2;
    }
    if (reader && !AddClipboardFormatListener(hwnd)) {
        fprintf(stderr, "clipboard: AddClipboardFormatListener failed (error %lu)\n", GetLastError());
        return 2;
    }
    // SetClipboardViewer sends the first WM_DRAWCLIPBOARD before it returns, when
    // viewer.next is not known yet; that message has nobody to forward to anyway.
    SetLastError(0);
    if (!reader)
        viewer.next = SetClipboardViewer(hwnd);
    if (!reader && !viewer.next && GetLastError() != 0) {
        fprintf(stderr, "clipboard: SetClipboardViewer failed (error %lu)\n", GetLastError());
        return 2;
    }
    log_line(viewer, "joined " + hwnd_text(hwnd) + " next " + hwnd_text(viewer.next));
    SetTimer(hwnd, 1, 100, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

void usage()
{
    fputs("usage: clipboard.exe --get OUTFILE | --set FILE [--mark-exclude] [--in-front] | --set-format FORMAT FILE"
          " | --get-format FORMAT OUTFILE | --formats | --empty"
          " | --viewer LOGFILE SECONDS | --reader LOGFILE SECONDS\n", stderr);
}

} // namespace

int main(int argc, char** argv)
{
    std::string action = argc > 1 ? argv[1] : "";
    if (action == "--get" && argc == 3)
        return get_text(argv[2]);
    if (action == "--set" && argc >= 3) {
        bool mark_exclude = false, in_front = false, known = true;
        for (int i = 3; i < argc; ++i) {
            std::string option = argv[i];
            mark_exclude = mark_exclude || option == "--mark-exclude";
            in_front = in_front || option == "--in-front";
            known = known && (option == "--mark-exclude" || option == "--in-front");
        }
        if (known)
            return set_text(argv[2], mark_exclude, in_front);
    }
    if (action == "--set-format" && argc == 4)
        return set_format(argv[2], argv[3]);
    if (action == "--get-format" && argc == 4)
        return get_format(argv[2], argv[3]);
    if (action == "--formats" && argc == 2)
        return print_formats();
    if (action == "--empty" && argc == 2)
        return empty();
    if ((action == "--viewer" || action == "--reader") && argc == 4)
        return run_viewer(argv[2], argv[3], action == "--reader");
    usage();
    return 2;
}
