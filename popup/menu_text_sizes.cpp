#include "popup/menu_text_sizes.h"

#include <cstring>
#include <unordered_map>

#include "shell/app_state.h"

namespace tv {

namespace {

// Dates and clipboard history make new texts all the time: past this many the
// kept sizes are dropped and measured again as they are shown.
constexpr size_t maxKeptSizes = 1 << 17;

// One memory DC holds the menu font for every measurement; a memory DC made
// for the screen measures as a window DC does.
class textMeasurer {
public:
    SIZE size(const std::string& text);
    // Texts beyond code page 932 are few (history entries): measured each time.
    SIZE size(const std::u16string& text);
    // True when the menu font differs from the one the kept sizes were made in.
    bool fontChanged() const;
    void forget();

private:
    bool selectMenuFont();

    HDC dc_ = nullptr;
    HGDIOBJ originalFont_ = nullptr;
    HFONT font_ = nullptr;
    LOGFONTA log_{};
    std::unordered_map<std::string, SIZE> sizes_;
};

// A handle may be reused for another font once the old one is deleted: the
// font's description tells them apart.
bool textMeasurer::fontChanged() const {
    const fontRecord& menuFont = app().menuFont;
    return menuFont.handle != font_ || std::memcmp(&menuFont.log, &log_, sizeof log_) != 0;
}

bool textMeasurer::selectMenuFont() {
    if (!dc_) {
        dc_ = CreateCompatibleDC(nullptr);
        if (!dc_) return false;
        originalFont_ = GetCurrentObject(dc_, OBJ_FONT);
    }
    if (fontChanged()) {
        sizes_.clear();
        font_ = app().menuFont.handle;
        log_ = app().menuFont.log;
        // Without a menu font the entries are drawn in the DC's own font.
        SelectObject(dc_, font_ ? static_cast<HGDIOBJ>(font_) : originalFont_);
    }
    return true;
}

SIZE textMeasurer::size(const std::string& text) {
    auto kept = sizes_.find(text);
    if (kept != sizes_.end() && !fontChanged()) return kept->second;
    if (!selectMenuFont()) return SIZE{0, 0};
    RECT bounds{0, 0, 0, 0};
    DrawTextA(dc_, text.c_str(), static_cast<int>(text.size()), &bounds, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
    if (sizes_.size() >= maxKeptSizes) sizes_.clear();
    SIZE measured{bounds.right - bounds.left, bounds.bottom - bounds.top};
    sizes_.emplace(text, measured);
    return measured;
}

SIZE textMeasurer::size(const std::u16string& text) {
    if (!selectMenuFont()) return SIZE{0, 0};
    RECT bounds{0, 0, 0, 0};
    DrawTextW(dc_, reinterpret_cast<LPCWSTR>(text.c_str()), static_cast<int>(text.size()), &bounds,
              DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
    return SIZE{bounds.right - bounds.left, bounds.bottom - bounds.top};
}

void textMeasurer::forget() { sizes_ = {}; }

textMeasurer measurer;
entryMetrics metrics{};
bool metricsRead = false;

void readMetrics() {
    metrics.menuHeight = GetSystemMetrics(SM_CYMENU);
    metrics.checkWidth = GetSystemMetrics(SM_CXMENUCHECK);
    metricsRead = true;
}

}  // namespace

void menuOpening() {
    readMetrics();
    if (measurer.fontChanged()) measurer.forget();
}

const entryMetrics& menuEntryMetrics() {
    if (!metricsRead) readMetrics();
    return metrics;
}

SIZE menuTextSize(const std::string& text) { return measurer.size(text); }
SIZE menuTextSize(const std::u16string& text) { return measurer.size(text); }

void forgetMenuTextSizes() { measurer.forget(); }

}  // namespace tv
