#include "cliphistory/clipboard_capture.h"

#include "cliphistory/history_list.h"
#include "files/code_page.h"
#include "files/program_list.h"
#include "shell/window_program.h"

namespace tv {

namespace {

// "CanIncludeInClipboardHistory" holding the DWORD 0 says "keep out of histories".
bool historyInclusionRefused(UINT format) {
    HANDLE data = GetClipboardData(format);
    if (!data || GlobalSize(data) < sizeof(DWORD)) return false;
    const DWORD* value = static_cast<const DWORD*>(GlobalLock(data));
    bool refused = value && *value == 0;
    GlobalUnlock(data);
    return refused;
}

}  // namespace

// Called with the clipboard open.
bool clipboardMarkedPrivate() {
    static const UINT exclude = RegisterClipboardFormatA("ExcludeClipboardContentFromMonitorProcessing");
    static const UINT ignore = RegisterClipboardFormatA("Clipboard Viewer Ignore");
    static const UINT canInclude = RegisterClipboardFormatA("CanIncludeInClipboardHistory");
    if (IsClipboardFormatAvailable(exclude) || IsClipboardFormatAvailable(ignore)) return true;
    return IsClipboardFormatAvailable(canInclude) && historyInclusionRefused(canInclude);
}

namespace {

// Called with the clipboard open.
bool copyClipboardText(std::string& text) {
    HANDLE data = GetClipboardData(CF_TEXT);
    const char* locked = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    if (!locked) return false;
    // The text ends at its zero, or at the end of the block if a program left none.
    SIZE_T size = GlobalSize(data);
    size_t length = 0;
    while (length < size && locked[length]) ++length;
    text.assign(locked, length);
    GlobalUnlock(data);
    return true;
}

// Called with the clipboard open. Empty when there is none.
std::u16string copyClipboardUnicode() {
    std::u16string text;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const char16_t* locked = data ? static_cast<const char16_t*>(GlobalLock(data)) : nullptr;
    if (!locked) return text;
    SIZE_T units = GlobalSize(data) / sizeof(char16_t);
    size_t length = 0;
    while (length < units && locked[length]) ++length;
    text.assign(locked, length);
    GlobalUnlock(data);
    return text;
}

// Called with the clipboard open. A text code page 932 gives back exactly is
// read as CF_TEXT, as Windows converted it; any other keeps its Unicode text,
// a text with 〜 or − too: their code page 932 bytes read back as ～ and －.
bool copyClipboardClip(capturedClip& clip) {
    std::u16string wide = copyClipboardUnicode();
    std::string codePage;
    if (!wide.empty() && (!utf16ToCodePage932(wide, codePage) || codePage932ToUtf16(codePage) != wide)) {
        clip.text = std::move(codePage);
        clip.wide = std::move(wide);
        return true;
    }
    clip.wide.clear();
    return copyClipboardText(clip.text);
}

}  // namespace

bool clipboardOwnerExcluded(const std::string& programs) {
    if (programs.empty()) return false;
    HWND owner = GetClipboardOwner();
    // A tool or script that copies without an owner window (OpenClipboard(NULL))
    // names no program: the one in front when the copy arrives stands for it.
    if (!owner) owner = GetForegroundWindow();
    return programListHas(programs, programPathOf(owner));
}

void waitAnsweringSentMessages(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (DWORD waited = 0; waited < milliseconds; waited = GetTickCount() - start) {
        // Wakes early for a message sent to us, which PeekMessage then delivers.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - waited, QS_SENDMESSAGE);
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

bool openClipboardWhenFree(HWND owner) {
    constexpr DWORD patience = 500;  // ms; a manager reads a change in a few
    const DWORD start = GetTickCount();
    while (!OpenClipboard(owner)) {
        if (GetTickCount() - start >= patience) return false;
        waitAnsweringSentMessages(10);
    }
    return true;
}

bool readClipboardTextRaw(HWND owner, std::string& text) {
    if (!openClipboardWhenFree(owner)) return false;
    bool read = copyClipboardText(text);
    CloseClipboard();
    return read;
}

bool readClipboardClip(HWND owner, int maxOneClipSizeKb, capturedClip& clip) {
    if (!OpenClipboard(owner)) return false;
    bool read = !clipboardMarkedPrivate() && copyClipboardClip(clip);
    CloseClipboard();
    return read && clipSizeAccepted(clip.text.size(), maxOneClipSizeKb);
}

void queueCapturedClip(historyList& history, capturedClip clip) {
    if (clip.wide.empty())
        history.queueClip(std::move(clip.text));
    else
        history.queueClip(std::u16string_view(clip.wide));
}

}  // namespace tv
