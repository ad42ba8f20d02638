// The three caret sources of a target window's focused control.
#pragma once

#include <windows.h>

#include "popup/caret_chain.h"

namespace tv {

class targetCaretSource : public caretSource {
public:
    explicit targetCaretSource(HWND focus) : focus_(focus) {}
    std::optional<screenPoint> guiThreadCaret() override;
    std::optional<screenPoint> accessibleCaret() override;
    std::optional<screenPoint> attachedThreadCaret() override;

private:
    HWND focus_;
};

}  // namespace tv
