#include "shell/messages.h"

#include <string>

namespace tv {

int settingsMessage(HWND owner, const char* text, UINT flags) {
    return MessageBoxA(owner, text, "Tolvane (設定)", flags);
}

void reportWriteFailure(HWND owner) { settingsMessage(owner, "書き込みに失敗しました．", MB_ICONERROR); }

void reportDataFileSetAside(HWND owner, const std::string& notice) {
    settingsMessage(owner, notice.c_str(), MB_ICONWARNING | MB_SETFOREGROUND);
}

}  // namespace tv
