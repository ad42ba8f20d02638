// editorctl: drives and inspects Tolvane's settings editor from outside, the way
// a user would but precisely. Output is raw code page 932 bytes, one answer per
// line (LF).
//
//   editorctl.exe [options] COMMAND [ARGS]...   commands run in the order given
//
// Options pick the window (by default the editor: class "#32770", title
// "Tolvane (設定)" or that title with the note a save adds after it; message
// boxes are never picked):
//   --class C / --title T   a top-level window of class C and/or title T instead
//   --hwnd H                this window
//   --tree-id ID            the tree view is control ID (default 1003)
//   --tree-class C          the tree view is the first control of class C
//   --poll MS               wait-window looks every MS ms (default 100)
//
// Commands (ID is a control id, found among all the window's descendants, or
// a class name for the first control of that class):
//   window                  HWND ENABLED VISIBLE LEFT TOP RIGHT BOTTOM (screen)
//   wait-window [SECONDS]   until the window exists, visible and enabled
//   controls                every descendant: ID CLASS VISIBLE ENABLED L T R B TEXT
//   tree                    every entry in tree order, children of collapsed
//                           entries included: PATH EXPANDED SELECTED IMAGE LABEL
//   selected                the selected entry's PATH ("-" when none)
//   select PATH             TVM_SELECTITEM TVGN_CARET (the window gets
//                           TVN_SELCHANGED), then TVM_ENSUREVISIBLE
//   expand PATH / collapse PATH
//                           TVM_EXPAND, which sends the window no TVN_ITEMEXPANDED;
//                           to expand as the user does, click buttonpoint (or
//                           double-click the middle of itemrect) with xdotool
//   itemrect PATH           LEFT TOP RIGHT BOTTOM of the entry's label (screen)
//   buttonpoint PATH        X Y of the middle of the entry's +/- button (screen)
//   click ID                BM_CLICK
//   command ID              WM_COMMAND ID, as from a menu entry
//   post ID                 WM_COMMAND ID posted: returns at once, for commands
//                           that open a modal dialog
//   close                   WM_CLOSE, as from the close box or Alt+F4
//   endsession [SECONDS]    WM_QUERYENDSESSION for a logoff, as Windows sends it;
//                           prints the answer (0 refuses) once there is one, so
//                           a test that must answer a prompt first runs it apart
//   settext ID FILE         replaces the text with the bytes of FILE, as a paste
//                           over the whole text would (EN_CHANGE follows)
//   settext-utf8 ID FILE    the same with FILE's UTF-8 text, through the wide
//                           message, for characters code page 932 lacks
//   gettext ID [OUTFILE]    the text: to OUTFILE byte for byte, or to stdout
//                           followed by LF
//   gettext-utf8 ID [OUTFILE]
//                           the same as UTF-8, read through the wide message
//   combo ID INDEX          CB_SETCURSEL, then CBN_SELCHANGE to the window
//   combosel ID             the selected index (-1 for none)
//   listsel ID              a list box's selected index (-1 for none) and count
//   check ID 0|1            BM_CLICK when the check state differs
//   checked ID              0 or 1 (2 for indeterminate)
//   hotkey ID               HKM_GETHOTKEY in decimal (modifiers * 256 + key)
//   rect ID                 LEFT TOP RIGHT BOTTOM of the control (screen)
//   charpos ID INDEX        X Y of character INDEX of an edit control (client),
//                           which follow the font it measures its text with
//   focus                   id of the window's control that holds the keyboard
//                           focus (the tree's label edit counts as the tree), 0
//                           when none or the window itself
//   msgbox [SECONDS]        waits for a message box and prints TITLE TAB TEXT
//                           (the text as it is, line breaks included)
//   answer ID [SECONDS]     waits for a message box, clicks its button ID (1 OK,
//                           2 Cancel, 6 Yes, 7 No) and waits until it is gone
//   answers SECONDS         1 when the window's thread handles a message within
//                           SECONDS, else 0: busy (reading a large file, say)
//   clock                   "clock: MS", the performance counter in ms: the
//                           same clock in every process, so two calls time
//                           what happened between them (the benchmarks)
//   memory                  "memory: USAGE COMMITTED", the private memory of
//                           the window's process in KB: its PrivateUsage, and
//                           the sum of its committed private regions (Wine
//                           gives another process's PrivateUsage as 0)
//
// PATH names a tree entry by 1-based positions from the root entry: "0" is the
// root entry ("メニュー"), "1" its first child, "1/2" that one's second child.
// Further top-level entries, which the editor never makes, are "#2", "#2/1"...
//
// click, command, close, combo and check return once the window has handled
// the message, or as soon as a message box of the window's thread is open;
// select and settext once it is handled. SECONDS defaults to E2E_TIMEOUT,
// else 15. Exit 1 with a message when the window, a control, an entry or a
// message box is missing or a wait times out; 2 for bad usage or files.
//
// The tree belongs to another process, so its items are read through a block
// of memory allocated in that process: this 64-bit helper reads only 64-bit
// programs' trees.
#include "helper_common.h"

#include <commctrl.h>
#include <psapi.h>

#include <vector>

namespace {

const char kEditorClass[] = "#32770";
const char kEditorTitle[] = "Tolvane (設定)";
// A message box shows its text in a static of this id.
const int kMessageTextId = 0xFFFF;

[[noreturn]] void fail(const std::string& message)
{
    fprintf(stderr, "editorctl: %s\n", message.c_str());
    exit(1);
}

double seconds_limit = 15;
// How often wait-window looks. Looking much more often slows the program
// watched under Wine; a benchmark trades that for a finer figure.
DWORD poll_ms = 100;

DWORD ticks_limit() { return static_cast<DWORD>(seconds_limit * 1000); }

void print_line(const std::string& line)
{
    fwrite(line.data(), 1, line.size(), stdout);
    fputc('\n', stdout);
}

std::string window_text(HWND hwnd)
{
    char text[1024] = "";
    int length = GetWindowTextA(hwnd, text, sizeof text);
    return std::string(text, length > 0 ? length : 0);
}

std::string one_line(std::string text)
{
    for (char& c : text)
        if (c == '\t' || c == '\n' || c == '\r')
            c = ' ';
    return text;
}

std::string rect_text(const RECT& r, const char* separator = " ")
{
    char text[80];
    snprintf(text, sizeof text, "%ld%s%ld%s%ld%s%ld", r.left, separator, r.top, separator, r.right, separator,
             r.bottom);
    return text;
}

// The children of a message box are its text, its icon and buttons with the
// standard answer ids; the editor and Tolvane's other dialogs have other
// controls, though they may have unnamed statics too. Returns the text.
HWND message_box_text(HWND hwnd)
{
    if (class_of(hwnd) != "#32770")
        return nullptr;
    HWND text = nullptr;
    for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        std::string name = class_of(child);
        int id = GetDlgCtrlID(child);
        if (name == "Static" && (id & 0xFFFF) == kMessageTextId)
            text = child;
        else if (name != "Static" && (name != "Button" || id < IDOK || id > IDCONTINUE))
            return nullptr;
    }
    return text;
}

bool is_message_box(HWND hwnd) { return message_box_text(hwnd) != nullptr; }

struct BoxSearch {
    DWORD thread;  // 0: any thread
    HWND found;
};

BOOL CALLBACK find_message_box(HWND hwnd, LPARAM param)
{
    BoxSearch* search = reinterpret_cast<BoxSearch*>(param);
    if (!IsWindowVisible(hwnd) || !is_message_box(hwnd))
        return TRUE;
    if (search->thread && GetWindowThreadProcessId(hwnd, nullptr) != search->thread)
        return TRUE;
    search->found = hwnd;
    return FALSE;
}

HWND message_box_of(DWORD thread)
{
    BoxSearch search = {thread, nullptr};
    EnumWindows(find_message_box, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND wait_message_box()
{
    DWORD start = GetTickCount();
    for (;;) {
        if (HWND box = message_box_of(0))
            return box;
        if (GetTickCount() - start > ticks_limit())
            fail("no message box appeared");
        Sleep(100);
    }
}

// --- the target window and its controls -----------------------------------------

// With neither a class nor a title given, the editor is meant.
struct Target {
    std::string class_name;
    std::string title;
    bool class_given = false;
    bool title_given = false;
    bool title_is_prefix = false;  // the editor's caption may carry a save note
    HWND forced = nullptr;
    int tree_id = 1003;
    std::string tree_class;
    HWND found = nullptr;
};

Target target;

struct WindowSearch {
    HWND found;
};

bool title_matches(const std::string& title)
{
    if (!target.title_is_prefix)
        return title == target.title;
    return title == target.title || title.rfind(target.title + " - ", 0) == 0;
}

// Prefers a visible window over hidden ones of the same kind.
BOOL CALLBACK find_target(HWND hwnd, LPARAM param)
{
    WindowSearch* search = reinterpret_cast<WindowSearch*>(param);
    if (target.class_given && class_of(hwnd) != target.class_name)
        return TRUE;
    if (target.title_given && !title_matches(window_text(hwnd)))
        return TRUE;
    // The save prompt has the editor's class and title.
    if (is_message_box(hwnd))
        return TRUE;
    if (!search->found || (IsWindowVisible(hwnd) && !IsWindowVisible(search->found)))
        search->found = hwnd;
    return !IsWindowVisible(hwnd);
}

std::string target_name()
{
    if (target.forced)
        return "window " + hwnd_text(target.forced);
    std::string name = "window";
    if (target.class_given)
        name += " of class " + target.class_name;
    if (target.title_given)
        name += " titled " + target.title;
    return name;
}

HWND find_window()
{
    if (target.forced)
        return IsWindow(target.forced) ? target.forced : nullptr;
    WindowSearch search = {nullptr};
    EnumWindows(find_target, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND window()
{
    if (!target.found || !IsWindow(target.found))
        target.found = find_window();
    if (!target.found)
        fail("no " + target_name());
    return target.found;
}

struct ChildSearch {
    int id;
    const char* class_name;
    HWND found;
};

BOOL CALLBACK find_child(HWND hwnd, LPARAM param)
{
    ChildSearch* search = reinterpret_cast<ChildSearch*>(param);
    if (search->class_name ? class_of(hwnd) == search->class_name : GetDlgCtrlID(hwnd) == search->id) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// Dialog controls are direct children; other programs (regedit) nest theirs.
// Other programs' controls may also lack ids (notepad's), so a class name
// stands for the first control of that class.
HWND control(const std::string& id_or_class)
{
    HWND top = window();
    char* end = nullptr;
    long id = strtol(id_or_class.c_str(), &end, 0);
    bool by_id = !id_or_class.empty() && *end == 0;
    HWND found = by_id ? GetDlgItem(top, id) : nullptr;
    if (!found) {
        ChildSearch search = {static_cast<int>(id), by_id ? nullptr : id_or_class.c_str(), nullptr};
        EnumChildWindows(top, find_child, reinterpret_cast<LPARAM>(&search));
        found = search.found;
    }
    if (!found)
        fail("the " + target_name() + " has no control " + id_or_class);
    return found;
}

HWND tree_view()
{
    HWND tree;
    if (!target.tree_class.empty()) {
        ChildSearch search = {0, target.tree_class.c_str(), nullptr};
        EnumChildWindows(window(), find_child, reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            fail("the " + target_name() + " has no " + target.tree_class + " control");
        tree = search.found;
    } else {
        tree = control(std::to_string(target.tree_id));
    }
    if (class_of(tree) != WC_TREEVIEWA)
        fail("control " + std::to_string(GetDlgCtrlID(tree)) + " is a " + class_of(tree) + ", not a tree view");
    return tree;
}

// Messages that only ask or set a state: a window that does not answer in
// time is hung, which is a failure.
LRESULT send(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(hwnd, message, wparam, lparam, SMTO_NORMAL, ticks_limit(), &result))
        fail("window " + hwnd_text(hwnd) + " did not answer message " + std::to_string(message));
    return static_cast<LRESULT>(result);
}

// Numbered, since the answer to a message given up on may still come later.
ULONG_PTR last_sent = 0;
ULONG_PTR last_handled = 0;

void CALLBACK note_handled(HWND, UINT, ULONG_PTR number, LRESULT) { last_handled = number; }

// A user's action: wait until the window has handled it, so the next command
// sees its effect, but not while a message box it opened waits for an answer.
void deliver(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)
{
    DWORD thread = GetWindowThreadProcessId(hwnd, nullptr);
    ULONG_PTR number = ++last_sent;
    if (!SendMessageCallbackA(hwnd, message, wparam, lparam, note_handled, number))
        fail("cannot send message " + std::to_string(message) + " to " + hwnd_text(hwnd));
    DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        // The answer arrives while this thread looks at its queue.
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        // A window may close, or its program end, on the action.
        if (last_handled == number || !IsWindow(hwnd) || message_box_of(thread))
            return;
        if (GetTickCount() - start > ticks_limit())
            fail("window " + hwnd_text(hwnd) + " did not handle message " + std::to_string(message));
        // Wine does not always wake this wait for the answer: look again soon,
        // or every action timed with "clock" would seem up to 50 ms longer.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
    }
}

// --- the tree view, read through memory in its process -------------------------

class RemoteBlock {
public:
    static const size_t kItem = 0;      // TVITEMA
    static const size_t kPoint = 128;   // RECT or TVHITTESTINFO
    static const size_t kText = 256;    // label text
    static const size_t kTextSize = 32768;

    void open(HWND owner)
    {
        if (base_)
            return;
        DWORD pid = 0;
        GetWindowThreadProcessId(owner, &pid);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (!process_)
            fail("cannot open process " + std::to_string(pid) + " (error " + std::to_string(GetLastError()) + ")");
        base_ = static_cast<char*>(
            VirtualAllocEx(process_, nullptr, kText + kTextSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        if (!base_)
            fail("cannot allocate memory in process " + std::to_string(pid));
    }

    void release()
    {
        if (base_)
            VirtualFreeEx(process_, base_, 0, MEM_RELEASE);
        if (process_)
            CloseHandle(process_);
        base_ = nullptr;
        process_ = nullptr;
    }

    char* at(size_t offset) const { return base_ + offset; }

    void write(size_t offset, const void* data, size_t size)
    {
        SIZE_T done = 0;
        if (!WriteProcessMemory(process_, base_ + offset, data, size, &done) || done != size)
            fail("cannot write into the tree's process");
    }

    void read(size_t offset, void* data, size_t size)
    {
        SIZE_T done = 0;
        if (!ReadProcessMemory(process_, base_ + offset, data, size, &done) || done != size)
            fail("cannot read from the tree's process");
    }

    std::string read_text()
    {
        std::string text;
        char chunk[256];
        for (size_t offset = kText; offset < kText + kTextSize; offset += sizeof chunk) {
            read(offset, chunk, sizeof chunk);
            size_t length = strnlen(chunk, sizeof chunk);
            text.append(chunk, length);
            if (length < sizeof chunk)
                break;
        }
        return text;
    }

private:
    HANDLE process_ = nullptr;
    char* base_ = nullptr;
};

RemoteBlock remote;

void release_remote() { remote.release(); }

struct Entry {
    std::string label;
    bool expanded;
    int image;
};

HTREEITEM next_item(HWND tree, UINT relation, HTREEITEM item)
{
    return reinterpret_cast<HTREEITEM>(send(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

Entry read_entry(HWND tree, HTREEITEM item)
{
    remote.open(tree);
    TVITEMA query = {};
    query.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_STATE | TVIF_IMAGE;
    query.hItem = item;
    query.stateMask = TVIS_EXPANDED;
    query.pszText = remote.at(RemoteBlock::kText);
    query.cchTextMax = RemoteBlock::kTextSize;
    remote.write(RemoteBlock::kItem, &query, sizeof query);
    const char nothing = 0;
    remote.write(RemoteBlock::kText, &nothing, 1);
    if (!send(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote.at(RemoteBlock::kItem))))
        fail("TVM_GETITEM failed");
    remote.read(RemoteBlock::kItem, &query, sizeof query);
    return {remote.read_text(), (query.state & TVIS_EXPANDED) != 0, query.iImage};
}

std::string top_level_name(int position) { return position == 1 ? "0" : "#" + std::to_string(position); }

HTREEITEM resolve(HWND tree, const std::string& path)
{
    auto missing = [&]() -> HTREEITEM { fail("no tree entry " + path); };
    size_t start = 0;
    int top = 1;
    if (path == "0") {
        start = path.size();
    } else if (!path.empty() && path[0] == '#') {
        size_t slash = path.find('/');
        std::string first = path.substr(1, slash == std::string::npos ? std::string::npos : slash - 1);
        if (first.empty() || first.find_first_not_of("0123456789") != std::string::npos || atoi(first.c_str()) < 2)
            missing();
        top = atoi(first.c_str());
        start = slash == std::string::npos ? path.size() : slash + 1;
    }
    HTREEITEM item = next_item(tree, TVGN_ROOT, nullptr);
    for (int i = 1; item && i < top; ++i)
        item = next_item(tree, TVGN_NEXT, item);
    while (item && start < path.size()) {
        size_t slash = path.find('/', start);
        std::string step = path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        if (step.empty() || step.find_first_not_of("0123456789") != std::string::npos || atoi(step.c_str()) < 1)
            missing();
        item = next_item(tree, TVGN_CHILD, item);
        for (int i = 1; item && i < atoi(step.c_str()); ++i)
            item = next_item(tree, TVGN_NEXT, item);
        start = slash == std::string::npos ? path.size() : slash + 1;
    }
    if (!item || start == 0)
        missing();
    return item;
}

std::string path_of(HWND tree, HTREEITEM item)
{
    std::string path;
    for (;;) {
        int position = 1;
        for (HTREEITEM before = next_item(tree, TVGN_PREVIOUS, item); before;
             before = next_item(tree, TVGN_PREVIOUS, before))
            ++position;
        HTREEITEM parent = next_item(tree, TVGN_PARENT, item);
        if (!parent) {
            std::string top = top_level_name(position);
            if (path.empty())
                return top;
            return top == "0" ? path : top + "/" + path;
        }
        path = path.empty() ? std::to_string(position) : std::to_string(position) + "/" + path;
        item = parent;
    }
}

void dump_entries(HWND tree, HTREEITEM item, const std::string& path, HTREEITEM selected)
{
    Entry entry = read_entry(tree, item);
    char flags[64];
    snprintf(flags, sizeof flags, "\t%d\t%d\t%d\t", entry.expanded ? 1 : 0, item == selected ? 1 : 0, entry.image);
    print_line(path + flags + one_line(entry.label));
    int position = 1;
    for (HTREEITEM child = next_item(tree, TVGN_CHILD, item); child; child = next_item(tree, TVGN_NEXT, child)) {
        std::string step = std::to_string(position++);
        dump_entries(tree, child, path == "0" ? step : path + "/" + step, selected);
    }
}

void dump_tree()
{
    HWND tree = tree_view();
    HTREEITEM selected = next_item(tree, TVGN_CARET, nullptr);
    int position = 1;
    for (HTREEITEM top = next_item(tree, TVGN_ROOT, nullptr); top; top = next_item(tree, TVGN_NEXT, top))
        dump_entries(tree, top, top_level_name(position++), selected);
}

void to_screen(HWND hwnd, RECT& r) { MapWindowPoints(hwnd, HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2); }

// In the tree's client coordinates; fails for an entry inside a collapsed folder.
RECT entry_rect(HWND tree, HTREEITEM item, bool label_only, const std::string& path)
{
    remote.open(tree);
    // The rectangle goes in holding the entry's handle.
    remote.write(RemoteBlock::kPoint, &item, sizeof item);
    RECT r = {};
    if (!send(tree, TVM_GETITEMRECT, label_only, reinterpret_cast<LPARAM>(remote.at(RemoteBlock::kPoint))))
        fail("tree entry " + path + " is not shown (inside a collapsed entry)");
    remote.read(RemoteBlock::kPoint, &r, sizeof r);
    return r;
}

void print_item_rect(const std::string& path)
{
    HWND tree = tree_view();
    RECT r = entry_rect(tree, resolve(tree, path), true, path);
    to_screen(tree, r);
    print_line(rect_text(r));
}

// The +/- button lies left of the icon, at a place that depends on the indent,
// the lines and the image list: asking the tree where it is beats computing it.
void print_button_point(const std::string& path)
{
    HWND tree = tree_view();
    HTREEITEM item = resolve(tree, path);
    RECT row = entry_rect(tree, item, false, path);
    RECT label = entry_rect(tree, item, true, path);
    int y = (row.top + row.bottom) / 2, first = -1, last = -1;
    for (int x = label.left - 1; x >= row.left && x >= 0; --x) {
        TVHITTESTINFO hit = {};
        hit.pt = {x, y};
        remote.write(RemoteBlock::kPoint, &hit, sizeof hit);
        send(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(remote.at(RemoteBlock::kPoint)));
        remote.read(RemoteBlock::kPoint, &hit, sizeof hit);
        bool on_button = hit.hItem == item && (hit.flags & TVHT_ONITEMBUTTON);
        if (on_button) {
            last = last < 0 ? x : last;
            first = x;
        } else if (last >= 0) {
            break;
        }
    }
    if (last < 0)
        fail("tree entry " + path + " has no +/- button");
    POINT p = {(first + last) / 2, y};
    ClientToScreen(tree, &p);
    print_line(std::to_string(p.x) + " " + std::to_string(p.y));
}

// --- text and controls ----------------------------------------------------------

std::string control_text(HWND hwnd)
{
    LRESULT length = send(hwnd, WM_GETTEXTLENGTH, 0, 0);
    // The length may count UTF-16 units, and one unit can take two bytes in
    // code page 932; the count WM_GETTEXT returns is the exact one.
    std::vector<char> buffer(2 * length + 2);
    LRESULT copied = send(hwnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    return std::string(buffer.data(), copied > 0 ? copied : 0);
}

// An edit control tells its parent about WM_SETTEXT only when it has a single
// line, while a replaced selection is reported like typing in every edit.
std::string file_bytes(const char* file)
{
    std::string bytes;
    if (!read_whole_file(file, bytes)) {
        fprintf(stderr, "editorctl: cannot read %s\n", file);
        exit(2);
    }
    return bytes;
}

void set_control_text(const std::string& id, const char* file)
{
    const std::string bytes = file_bytes(file);
    HWND hwnd = control(id);
    if (class_of(hwnd) == "Edit") {
        send(hwnd, EM_SETSEL, 0, -1);
        send(hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(bytes.c_str()));
    } else if (!send(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(bytes.c_str()))) {
        fail("WM_SETTEXT failed on control " + id);
    }
}

void set_control_text_utf8(const std::string& id, const char* file)
{
    const std::vector<wchar_t> wide = utf8_to_wide(file_bytes(file));
    HWND hwnd = control(id);
    send(hwnd, EM_SETSEL, 0, -1);
    SendMessageW(hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.data()));
}

void print_window()
{
    HWND hwnd = window();
    RECT r = {};
    GetWindowRect(hwnd, &r);
    char flags[16];
    snprintf(flags, sizeof flags, "\t%d\t%d\t", IsWindowEnabled(hwnd) ? 1 : 0, IsWindowVisible(hwnd) ? 1 : 0);
    print_line(hwnd_text(hwnd) + flags + rect_text(r, "\t"));
}

void wait_window()
{
    DWORD start = GetTickCount();
    for (;;) {
        HWND hwnd = find_window();
        if (hwnd && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
            target.found = hwnd;
            return;
        }
        if (GetTickCount() - start > ticks_limit())
            fail(hwnd ? "the " + target_name() + " stayed hidden or disabled" : "no " + target_name() + " appeared");
        Sleep(poll_ms);
    }
}

BOOL CALLBACK print_control(HWND hwnd, LPARAM)
{
    RECT r = {};
    GetWindowRect(hwnd, &r);
    char head[300];
    snprintf(head, sizeof head, "%d\t%s\t%d\t%d\t", GetDlgCtrlID(hwnd), class_of(hwnd).c_str(),
             IsWindowVisible(hwnd) ? 1 : 0, IsWindowEnabled(hwnd) ? 1 : 0);
    print_line(head + rect_text(r, "\t") + "\t" + one_line(window_text(hwnd)));
    return TRUE;
}

void print_focus()
{
    HWND top = window();
    DWORD thread = GetWindowThreadProcessId(top, nullptr);
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    HWND focus = GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
    // Sharing the thread's input state makes GetFocus answer for it.
    if (!focus && AttachThreadInput(GetCurrentThreadId(), thread, TRUE)) {
        focus = GetFocus();
        AttachThreadInput(GetCurrentThreadId(), thread, FALSE);
    }
    HWND child = focus;
    while (child && GetAncestor(child, GA_PARENT) != top)
        child = GetAncestor(child, GA_PARENT);
    // A container without an id (regedit's) tells nothing; its control does.
    if (child && GetDlgCtrlID(child) == 0)
        child = focus;
    print_line(std::to_string(child ? GetDlgCtrlID(child) : 0));
}

size_t committed_private_bytes(HANDLE process)
{
    size_t total = 0;
    MEMORY_BASIC_INFORMATION region;
    for (char* at = nullptr; VirtualQueryEx(process, at, &region, sizeof region) == sizeof region;
         at = static_cast<char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            total += region.RegionSize;
    }
    return total;
}

void print_memory()
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window(), &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process)
        fail("cannot open process " + std::to_string(pid) + " (error " + std::to_string(GetLastError()) + ")");
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters))
        fail("cannot read the memory of process " + std::to_string(pid));
    const size_t committed = committed_private_bytes(process);
    CloseHandle(process);
    print_line("memory: " + std::to_string(counters.PrivateUsage / 1024) + " " + std::to_string(committed / 1024));
}

void set_check(const std::string& id, int wanted)
{
    HWND button = control(id);
    if (send(button, BM_GETCHECK, 0, 0) != wanted)
        deliver(button, BM_CLICK, 0, 0);
    if (send(button, BM_GETCHECK, 0, 0) != wanted)
        fail("check box " + id + " did not take state " + std::to_string(wanted));
}

void pick_combo(const std::string& id, int index)
{
    HWND combo = control(id);
    if (send(combo, CB_SETCURSEL, index, 0) != index)
        fail("combo box " + id + " has no entry " + std::to_string(index));
    deliver(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void print_message_box()
{
    HWND box = wait_message_box();
    print_line(window_text(box) + "\t" + control_text(message_box_text(box)));
}

void answer_message_box(int id)
{
    HWND box = wait_message_box();
    HWND button = GetDlgItem(box, id);
    if (!button || !IsWindowVisible(button))
        fail("the message box " + window_text(box) + " has no button " + std::to_string(id));
    PostMessageA(button, BM_CLICK, 0, 0);
    DWORD start = GetTickCount();
    while (IsWindow(box)) {
        if (GetTickCount() - start > ticks_limit())
            fail("the message box stayed open after button " + std::to_string(id));
        Sleep(50);
    }
}

// --- command line -----------------------------------------------------------------

struct CommandShape {
    const char* name;
    int arguments;
    enum { kNone, kSeconds, kFile } optional;
};

const CommandShape kCommands[] = {
    {"window", 0, CommandShape::kNone},       {"wait-window", 0, CommandShape::kSeconds},
    {"controls", 0, CommandShape::kNone},     {"tree", 0, CommandShape::kNone},
    {"selected", 0, CommandShape::kNone},     {"select", 1, CommandShape::kNone},
    {"expand", 1, CommandShape::kNone},       {"collapse", 1, CommandShape::kNone},
    {"itemrect", 1, CommandShape::kNone},     {"buttonpoint", 1, CommandShape::kNone},
    {"click", 1, CommandShape::kNone},        {"command", 1, CommandShape::kNone},
    {"settext", 2, CommandShape::kNone},      {"settext-utf8", 2, CommandShape::kNone},
    {"gettext", 1, CommandShape::kFile},      {"gettext-utf8", 1, CommandShape::kFile},
    {"combo", 2, CommandShape::kNone},        {"combosel", 1, CommandShape::kNone},
    {"check", 2, CommandShape::kNone},        {"checked", 1, CommandShape::kNone},
    {"hotkey", 1, CommandShape::kNone},       {"rect", 1, CommandShape::kNone},
    {"focus", 0, CommandShape::kNone},        {"msgbox", 0, CommandShape::kSeconds},
    {"answer", 1, CommandShape::kSeconds},    {"close", 0, CommandShape::kNone},
    {"post", 1, CommandShape::kNone},         {"listsel", 1, CommandShape::kNone},
    {"charpos", 2, CommandShape::kNone},      {"endsession", 0, CommandShape::kSeconds},
    {"clock", 0, CommandShape::kNone},        {"memory", 0, CommandShape::kNone},
    {"answers", 1, CommandShape::kNone},
};

const CommandShape* shape_of(const std::string& name)
{
    for (const CommandShape& shape : kCommands)
        if (name == shape.name)
            return &shape;
    return nullptr;
}

bool is_seconds(const char* text)
{
    char* end = nullptr;
    double value = strtod(text, &end);
    return *text && *end == 0 && value >= 0;
}

[[noreturn]] void usage(const std::string& problem)
{
    fprintf(stderr, "editorctl: %s\nusage: editorctl.exe [--class C] [--title T] [--hwnd H] [--tree-id ID]"
                    " [--tree-class C] COMMAND [ARGS]... (see editorctl.cpp)\n",
            problem.c_str());
    exit(2);
}

int number(const std::string& text)
{
    char* end = nullptr;
    long value = strtol(text.c_str(), &end, 0);
    if (text.empty() || *end)
        usage("not a number: " + text);
    return static_cast<int>(value);
}

void run(const std::vector<std::string>& command)
{
    const std::string& name = command[0];
    auto id = [&]() { return number(command[1]); };
    double default_limit = seconds_limit;
    if (shape_of(name)->optional == CommandShape::kSeconds && command.size() > shape_of(name)->arguments + 1u)
        seconds_limit = strtod(command.back().c_str(), nullptr);

    if (name == "window") {
        print_window();
    } else if (name == "wait-window") {
        wait_window();
    } else if (name == "controls") {
        EnumChildWindows(window(), print_control, 0);
    } else if (name == "tree") {
        dump_tree();
    } else if (name == "selected") {
        HWND tree = tree_view();
        HTREEITEM item = next_item(tree, TVGN_CARET, nullptr);
        print_line(item ? path_of(tree, item) : "-");
    } else if (name == "select") {
        HWND tree = tree_view();
        HTREEITEM item = resolve(tree, command[1]);
        if (!send(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)))
            fail("the tree refused to select " + command[1]);
        send(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    } else if (name == "expand" || name == "collapse") {
        HWND tree = tree_view();
        send(tree, TVM_EXPAND, name == "expand" ? TVE_EXPAND : TVE_COLLAPSE,
             reinterpret_cast<LPARAM>(resolve(tree, command[1])));
    } else if (name == "itemrect") {
        print_item_rect(command[1]);
    } else if (name == "buttonpoint") {
        print_button_point(command[1]);
    } else if (name == "click") {
        deliver(control(command[1]), BM_CLICK, 0, 0);
    } else if (name == "command") {
        deliver(window(), WM_COMMAND, MAKEWPARAM(id(), 0), 0);
    } else if (name == "post") {
        if (!PostMessageA(window(), WM_COMMAND, MAKEWPARAM(id(), 0), 0))
            fail("cannot post command " + command[1]);
    } else if (name == "close") {
        deliver(window(), WM_CLOSE, 0, 0);
    } else if (name == "endsession") {
        print_line(std::to_string(send(window(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF)));
    } else if (name == "settext") {
        set_control_text(command[1], command[2].c_str());
    } else if (name == "settext-utf8") {
        set_control_text_utf8(command[1], command[2].c_str());
    } else if (name == "gettext" || name == "gettext-utf8") {
        HWND field = control(command[1]);
        std::string text = name == "gettext" ? control_text(field) : window_text_utf8(field);
        if (command.size() < 3) {
            print_line(text);
        } else if (!write_whole_file(command[2].c_str(), text)) {
            fprintf(stderr, "editorctl: cannot write %s\n", command[2].c_str());
            exit(2);
        }
    } else if (name == "combo") {
        pick_combo(command[1], number(command[2]));
    } else if (name == "combosel") {
        print_line(std::to_string(send(control(command[1]), CB_GETCURSEL, 0, 0)));
    } else if (name == "listsel") {
        HWND list = control(command[1]);
        print_line(std::to_string(send(list, LB_GETCURSEL, 0, 0)) + " " + std::to_string(send(list, LB_GETCOUNT, 0, 0)));
    } else if (name == "check") {
        if (command[2] != "0" && command[2] != "1")
            usage("check takes 0 or 1");
        set_check(command[1], number(command[2]));
    } else if (name == "checked") {
        print_line(std::to_string(send(control(command[1]), BM_GETCHECK, 0, 0)));
    } else if (name == "hotkey") {
        print_line(std::to_string(send(control(command[1]), HKM_GETHOTKEY, 0, 0) & 0xFFFF));
    } else if (name == "rect") {
        RECT r = {};
        GetWindowRect(control(command[1]), &r);
        print_line(rect_text(r));
    } else if (name == "charpos") {
        LRESULT at = send(control(command[1]), EM_POSFROMCHAR, std::stoul(command[2]), 0);
        print_line(std::to_string(static_cast<short>(LOWORD(at))) + " " +
                   std::to_string(static_cast<short>(HIWORD(at))));
    } else if (name == "focus") {
        print_focus();
    } else if (name == "msgbox") {
        print_message_box();
    } else if (name == "answer") {
        answer_message_box(id());
    } else if (name == "answers") {
        DWORD_PTR result = 0;
        const UINT limit = static_cast<UINT>(strtod(command[1].c_str(), nullptr) * 1000);
        print_line(SendMessageTimeoutA(window(), WM_NULL, 0, 0, SMTO_NORMAL, limit, &result) ? "1" : "0");
    } else if (name == "clock") {
        char line[64];
        snprintf(line, sizeof line, "clock: %.1f", milliseconds_since(LARGE_INTEGER{}));
        print_line(line);
    } else if (name == "memory") {
        print_memory();
    }
    seconds_limit = default_limit;
    fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    join_test_desktop();
    _setmode(_fileno(stdout), _O_BINARY);
    if (const char* limit = getenv("E2E_TIMEOUT"))
        if (is_seconds(limit))
            seconds_limit = strtod(limit, nullptr);

    std::vector<std::vector<std::string>> commands;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
            if (i + 1 >= argc)
                usage(arg + " needs a value");
            std::string value = argv[++i];
            if (arg == "--class") {
                target.class_name = value;
                target.class_given = true;
            } else if (arg == "--title") {
                target.title = value;
                target.title_given = true;
            } else if (arg == "--hwnd") {
                target.forced = parse_hwnd(value.c_str());
            } else if (arg == "--tree-id") {
                target.tree_id = number(value);
            } else if (arg == "--tree-class") {
                target.tree_class = value;
            } else if (arg == "--poll") {
                poll_ms = static_cast<DWORD>(number(value));
            } else {
                usage("unknown option " + arg);
            }
            continue;
        }
        const CommandShape* shape = shape_of(arg);
        if (!shape)
            usage("unknown command " + arg);
        if (i + shape->arguments >= argc)
            usage(arg + " needs " + std::to_string(shape->arguments) + " argument(s)");
        std::vector<std::string> command(argv + i, argv + i + shape->arguments + 1);
        i += shape->arguments;
        if (i + 1 < argc && ((shape->optional == CommandShape::kSeconds && is_seconds(argv[i + 1])) ||
                             (shape->optional == CommandShape::kFile && !shape_of(argv[i + 1]) &&
                              strncmp(argv[i + 1], "--", 2) != 0)))
            command.push_back(argv[++i]);
        commands.push_back(command);
    }
    if (commands.empty())
        usage("no command");
    if (!target.class_given && !target.title_given) {
        target.class_name = kEditorClass;
        target.title = kEditorTitle;
        target.class_given = target.title_given = target.title_is_prefix = true;
    }
    atexit(release_remote);
    for (const auto& command : commands)
        run(command);
    return 0;
}
