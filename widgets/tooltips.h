// Tooltips for the controls of one window, without subclassing the controls:
// a thread message hook hands their mouse messages to the tooltip control.
// The settings editor holds one set for its lifetime.
#pragma once

#include <windows.h>

namespace tv {

class tooltipSet {
public:
    tooltipSet();  // loads the tooltip class once per process
    ~tooltipSet();  // destroyTooltips
    tooltipSet(const tooltipSet&) = delete;
    tooltipSet& operator=(const tooltipSet&) = delete;

    // Creates the tooltip control for `owner` and starts relaying the mouse
    // messages of the owner's children to it. With addAllChildren every child
    // except the statics becomes a tool whose text the owner supplies through
    // TTN_GETDISPINFO. False when the tooltip control could not be created or
    // the hook not installed.
    bool createTooltips(HWND owner, bool addAllChildren);

    // Makes `control`, a child of the owner, a tool with a fixed text. Texts
    // longer than 127 bytes are cut (tooltip_text.h).
    bool addTooltip(HWND control, const char* text);

    // Stops relaying for the owner and destroys the tooltip control; the hook
    // goes when no owner is left. Safe to call twice.
    void destroyTooltips();

    HWND window() const { return tooltip_; }

private:
    HINSTANCE module_;
    HWND owner_ = nullptr;
    HWND tooltip_ = nullptr;
};

}  // namespace tv
