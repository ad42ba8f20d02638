#include "cliphistory/clipboard_capture.h"

#include "cliphistory/history_list.h"

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

}  // namespace

void waitAnsweringSentMessages(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (DWORD waited = 0; waited < milliseconds; waited = GetTickCount() - start) {
        // Wakes early for a message sent to us, which PeekMessage then delivers.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - waited, QS_SENDMESSAGE);
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
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

bool readClipboardText(HWND owner, int maxOneClipSizeKb, std::string& text) {
    if (!OpenClipboard(owner)) return false;
    bool read = !clipboardMarkedPrivate() && copyClipboardText(text);
    CloseClipboard();
    return read && clipSizeAccepted(text.size(), maxOneClipSizeKb);
}

}  // namespace tv
