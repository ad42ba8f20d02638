// A control's answer to WM_GETDLGCODE decides which keys the dialog manager
// takes from it (Tab, Enter) and which reach the control itself.
#pragma once

#include <windows.h>

namespace tv {

// Whether WM_GETDLGCODE, with this lParam, asks about a key-down of `key`.
inline bool isKeyDown(LPARAM dlgCodeQuery, WPARAM key) {
    const MSG* message = reinterpret_cast<const MSG*>(dlgCodeQuery);
    return message && message->message == WM_KEYDOWN && message->wParam == key;
}

}  // namespace tv
