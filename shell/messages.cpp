#include "shell/messages.h"

#include <string>

#include "files/code_page.h"

namespace tv {

int settingsMessage(HWND owner, const char* text, UINT flags) {
    return MessageBoxA(owner, text, "Tolvane (設定)", flags);
}

int settingsMessageUtf16(HWND owner, const std::u16string& text, UINT flags) {
    static const std::u16string caption = codePage932ToUtf16("Tolvane (設定)");
    return MessageBoxW(owner, reinterpret_cast<LPCWSTR>(text.c_str()), reinterpret_cast<LPCWSTR>(caption.c_str()),
                       flags);
}

void reportWriteFailure(HWND owner) { settingsMessage(owner, "書き込みに失敗しました．", MB_ICONERROR); }

void reportDataFileSetAside(HWND owner, const std::string& notice) {
    settingsMessage(owner, notice.c_str(), MB_ICONWARNING | MB_SETFOREGROUND);
}

}  // namespace tv
