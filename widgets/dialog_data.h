// The data struct a dialog is handed through DialogBoxParam or
// CreateDialogParam: kept in DWLP_USER at WM_INITDIALOG.
#pragma once

#include <windows.h>

namespace tv {

// The dialog's data; null for the messages that come before WM_INITDIALOG.
template <class Data>
Data* dialogData(HWND dialog, UINT message, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    return reinterpret_cast<Data*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

}  // namespace tv
