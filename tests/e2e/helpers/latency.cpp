// latency: how long a shortcut key takes to put its phrase into notepad.
// Usage: latency [--select FILE] [--after MS] EXPECTED_FILE COUNT VK MODIFIERS
//   MODIFIERS: any of "c" (Control), "a" (Alt), "s" (Shift).
// Each round empties notepad's edit control, presses the key with SendInput and
// polls the control until it holds exactly the expected bytes. Prints one line
// per round ("round N: MS ms") and "median: MS ms"; exit 1 when a round times out.
//   --select FILE  each round starts with the bytes of FILE in the control, all selected
//   --after MS     no polling: the control is read once, MS after the key, and a
//                  round whose text differs fails ("round N: after MS ms [TEXT]")
#include "helper_common.h"

#include <algorithm>
#include <vector>

namespace {

HWND notepadEdit()
{
    HWND notepad = FindWindowA("Notepad", nullptr);
    return notepad ? FindWindowExA(notepad, nullptr, "Edit", nullptr) : nullptr;
}

std::string editText(HWND edit)
{
    int length = static_cast<int>(SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0));
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int got = static_cast<int>(SendMessageA(edit, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0])));
    text.resize(static_cast<size_t>(got));
    return text;
}

void pressChord(WORD vk, const std::string& modifiers)
{
    std::vector<WORD> keys;
    if (modifiers.find('c') != std::string::npos) keys.push_back(VK_CONTROL);
    if (modifiers.find('a') != std::string::npos) keys.push_back(VK_MENU);
    if (modifiers.find('s') != std::string::npos) keys.push_back(VK_SHIFT);
    keys.push_back(vk);
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        inputs.push_back(input);
    }
    for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *it;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace

int main(int argc, char** argv)
{
    std::string start_text;
    int read_after = -1;
    for (; argc > 2 && argv[1][0] == '-'; argc -= 2, argv += 2) {
        if (strcmp(argv[1], "--select") == 0 && read_whole_file(argv[2], start_text)) continue;
        if (strcmp(argv[1], "--after") == 0 && (read_after = atoi(argv[2])) >= 0) continue;
        argc = 0;
    }
    if (argc != 5) {
        fprintf(stderr, "usage: latency [--select FILE] [--after MS] EXPECTED_FILE COUNT VK MODIFIERS\n");
        return 2;
    }
    join_test_desktop();
    std::string expected;
    if (!read_whole_file(argv[1], expected)) return 2;
    int count = atoi(argv[2]);
    WORD vk = static_cast<WORD>(strtol(argv[3], nullptr, 0));
    HWND edit = notepadEdit();
    if (!edit) {
        fprintf(stderr, "no notepad\n");
        return 1;
    }
    std::vector<double> rounds;
    for (int round = 1; round <= count; ++round) {
        SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(start_text.c_str()));
        SendMessageA(edit, EM_SETSEL, 0, -1);
        Sleep(300);  // let the previous round's keys and menus settle
        LARGE_INTEGER start;
        QueryPerformanceCounter(&start);
        pressChord(vk, argv[4]);
        if (read_after >= 0) {
            Sleep(static_cast<DWORD>(read_after));
            std::string text = editText(edit);
            printf("round %d: after %.0f ms [%s]\n", round, milliseconds_since(start), text.c_str());
            if (text != expected) return 1;
            continue;
        }
        double elapsed = 0;
        for (;;) {
            elapsed = milliseconds_since(start);
            if (editText(edit) == expected) break;
            if (elapsed > 5000) {
                printf("round %d: timed out\n", round);
                return 1;
            }
            Sleep(1);
        }
        printf("round %d: %.0f ms\n", round, elapsed);
        rounds.push_back(elapsed);
    }
    if (rounds.empty()) return 0;
    std::sort(rounds.begin(), rounds.end());
    double median = rounds.size() % 2 ? rounds[rounds.size() / 2]
                                      : (rounds[rounds.size() / 2 - 1] + rounds[rounds.size() / 2]) / 2;
    printf("median: %.0f ms\n", median);
    return 0;
}
