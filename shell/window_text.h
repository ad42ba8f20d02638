// The whole text of a window or control, however long, as code page 932 bytes,
// and the number a dialog field holds.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "files/code_page.h"

namespace tv {

inline std::string windowText(HWND window) {
    int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    int got = GetWindowTextA(window, &text[0], static_cast<int>(text.size()));
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

// The signed number in a dialog field; none when the field holds no number.
inline std::optional<int> fieldNumber(HWND dialog, int id) {
    BOOL translated = FALSE;
    int value = static_cast<int>(GetDlgItemInt(dialog, id, &translated, TRUE));
    if (!translated) return std::nullopt;
    return value;
}

// The same through the wide functions, for fields that hold any character.
inline std::u16string windowTextUtf16(HWND window) {
    int length = GetWindowTextLengthW(window);
    std::u16string text(static_cast<size_t>(length > 0 ? length : 0) + 1, u'\0');
    int got = GetWindowTextW(window, reinterpret_cast<LPWSTR>(&text[0]), static_cast<int>(text.size()));
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

inline void setWindowTextUtf16(HWND window, const std::u16string& text) {
    SetWindowTextW(window, reinterpret_cast<LPCWSTR>(text.c_str()));
}

// A code page 932 text into a wide field, whatever code page the system has.
inline void setWindowText932(HWND window, std::string_view text) {
    setWindowTextUtf16(window, codePage932ToUtf16(text));
}

}  // namespace tv
