#include "widgets/tooltips.h"

#include <commctrl.h>

#include <cstring>
#include <map>

#include "shell/screen_dpi.h"
#include "widgets/tooltip_text.h"

namespace tv {

namespace {

// Owner window -> the tooltip-window field of its set, for the hook to find
// the tooltip control of a control's parent. Deliberately never freed: a set
// held by a global pointer may be destroyed after this map would have been.
std::map<HWND, HWND*>& owners() {
    static auto* registry = new std::map<HWND, HWND*>;
    return *registry;
}

HHOOK relayHook = nullptr;
bool tooltipClassLoaded = false;

// A tooltip control learns from the moves that the pointer rests on a tool
// and from the presses that the tip should go. A double click is not relayed:
// its first click already was.
bool isRelayed(UINT message) {
    switch (message) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            return true;
        default:
            return false;
    }
}

LRESULT CALLBACK relayMouseMessages(int code, WPARAM removal, LPARAM lParam) {
    // A message that is only peeked at comes by again when it is removed;
    // relaying both would hand the tooltip every message twice.
    if (code >= 0 && removal == PM_REMOVE) {
        const MSG* message = reinterpret_cast<const MSG*>(lParam);
        if (isRelayed(message->message)) {
            const auto found = owners().find(GetAncestor(message->hwnd, GA_PARENT));
            if (found != owners().end() && IsWindow(*found->second)) {
                MSG copy = *message;
                SendMessageA(*found->second, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&copy));
            }
        }
    }
    return CallNextHookEx(relayHook, code, removal, lParam);
}

// Common controls 5 refuses a tool record larger than it knows, and the full
// TTTOOLINFOA grew a field with version 6. The first version's size is taken
// by both, and by Wine, and it holds every field used here.
TTTOOLINFOA toolRecord(UINT flags, HWND window, HWND control, HINSTANCE module, char* text) {
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = flags;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.hinst = module;
    tool.lpszText = text;
    return tool;
}

// Wide enough for a line of about thirty Japanese characters at the screen's
// resolution; longer texts wrap instead of running across the screen.
int maxTipWidth() { return scaledPixels(360); }

}  // namespace

tooltipSet::tooltipSet() : module_(GetModuleHandleA(nullptr)) {
    if (!tooltipClassLoaded) {
        INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_BAR_CLASSES};
        tooltipClassLoaded = InitCommonControlsEx(&classes) != FALSE;
    }
}

tooltipSet::~tooltipSet() {
    destroyTooltips();
}

bool tooltipSet::createTooltips(HWND owner, bool addAllChildren) {
    destroyTooltips();
    owner_ = owner;
    tooltip_ = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, module_, nullptr);
    if (!tooltip_) return false;
    SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, maxTipWidth());

    if (!relayHook) {
        relayHook = SetWindowsHookExA(WH_GETMESSAGE, relayMouseMessages, nullptr, GetCurrentThreadId());
        if (!relayHook) {
            destroyTooltips();
            return false;
        }
    }
    owners()[owner] = &tooltip_;

    if (addAllChildren) {
        for (HWND child = GetWindow(owner, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            char name[64] = "";
            GetClassNameA(child, name, sizeof name);
            if (lstrcmpiA(name, "STATIC") == 0) continue;  // labels have nothing to explain
            // The text is asked of the owner (TTN_GETDISPINFO) when the tip is shown.
            TTTOOLINFOA tool = toolRecord(TTF_IDISHWND, owner, child, nullptr, LPSTR_TEXTCALLBACKA);
            SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
    return tooltip_ != nullptr;
}

bool tooltipSet::addTooltip(HWND control, const char* text) {
    if (!tooltip_ || !control) return false;
    // The tooltip control keeps its own copy of the text.
    char kept[tooltipTextLimit + 1] = "";
    if (text) {
        const size_t length = tooltipTextLength(text);
        std::memcpy(kept, text, length);
        kept[length] = '\0';
    }
    // No window: a tool with a fixed text needs no one to ask for it, and the
    // owner is spared the tooltip's notifications.
    TTTOOLINFOA tool = toolRecord(TTF_IDISHWND, nullptr, control, module_, kept);
    return SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
}

void tooltipSet::destroyTooltips() {
    auto& registry = owners();
    const auto found = registry.find(owner_);
    // Only our own entry: a newer set for the same owner may have taken it over.
    if (found != registry.end() && found->second == &tooltip_) registry.erase(found);
    if (tooltip_) DestroyWindow(tooltip_);
    tooltip_ = nullptr;
    owner_ = nullptr;
    if (registry.empty() && relayHook) {
        UnhookWindowsHookEx(relayHook);
        relayHook = nullptr;
    }
}

}  // namespace tv
