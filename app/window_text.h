// The whole text of a window or control, however long, as code page 932 bytes,
// and the number a dialog field holds.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

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

}  // namespace tv
