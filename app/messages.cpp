#include "app/messages.h"

namespace tv {

int settingsMessage(HWND owner, const char* text, UINT flags) {
    return MessageBoxA(owner, text, "Tolvane (設定)", flags);
}

void reportWriteFailure(HWND owner) { settingsMessage(owner, "書き込みに失敗しました．", MB_ICONERROR); }

}  // namespace tv
