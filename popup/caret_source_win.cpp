#include "popup/caret_source_win.h"

#include <oleacc.h>

#include "popup/placement.h"

namespace tv {

namespace {

// oleacc.dll is loaded the first time a target shows no GUI-thread caret, not at start-up.
using accessibleFromWindow = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);
accessibleFromWindow accessibleObjectFromWindow() {
    static const auto function = [] {
        HMODULE library = LoadLibraryA("oleacc.dll");
        return library ? reinterpret_cast<accessibleFromWindow>(
                             reinterpret_cast<void*>(GetProcAddress(library, "AccessibleObjectFromWindow")))
                       : nullptr;
    }();
    return function;
}

std::optional<screenPoint> onScreen(HWND window, POINT point) {
    if (!ClientToScreen(window, &point)) return std::nullopt;
    return screenPoint{point.x, point.y};
}

}  // namespace

std::optional<screenPoint> targetCaretSource::guiThreadCaret() {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const DWORD thread = GetWindowThreadProcessId(focus_, nullptr);
    if (!thread || !GetGUIThreadInfo(thread, &info) || !info.hwndCaret) return std::nullopt;
    return onScreen(info.hwndCaret, POINT{info.rcCaret.left, info.rcCaret.top});
}

// Browsers and other programs that draw their own text report the caret here.
std::optional<screenPoint> targetCaretSource::accessibleCaret() {
    const accessibleFromWindow fromWindow = accessibleObjectFromWindow();
    IAccessible* caret = nullptr;
    if (!fromWindow ||
        FAILED(fromWindow(focus_, static_cast<DWORD>(OBJID_CARET), IID_IAccessible, reinterpret_cast<void**>(&caret))) ||
        !caret)
        return std::nullopt;
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    long left = 0, top = 0, width = 0, height = 0;
    const bool located = SUCCEEDED(caret->accLocation(&left, &top, &width, &height, self));
    caret->Release();
    // An empty rectangle at the origin is how "no caret" comes back.
    if (!located || (left == 0 && top == 0 && width == 0 && height == 0)) return std::nullopt;
    return screenPoint{left, top};
}

// The last resort, as attaching to the target's input has a cost under Wine (it
// clears the target's key state).
std::optional<screenPoint> targetCaretSource::attachedThreadCaret() {
    POINT caret{};
    bool found = false;
    withInputAttachedTo(focus_, [&] { found = GetCaretPos(&caret) != 0; });
    if (!found) return std::nullopt;
    return onScreen(focus_, caret);
}

}  // namespace tv
