// The rows of the result list: the item's icon, its display text and its
// abbreviation, the folder path in grey, and below them the content on one
// line. Only the rows in view are drawn, so a long result list costs nothing
// until it is scrolled.
#include <algorithm>
#include <string>

#include "files/item_text.h"
#include "popup/popup_menu.h"
#include "quicksearch/search_window_state.h"
#include "shell/app_state.h"
#include "shell/icon_source.h"
#include "shell/item_icons.h"
#include "shell/screen_dpi.h"

namespace tv {

namespace {

constexpr int rowPadding = 3;
constexpr int iconColumn = 24;  // the icon and the gap after it, at 96 DPI
constexpr int pathGap = 12;

// The texts are code page 932 whatever the system's ANSI code page is.
std::wstring wide(const std::string& text) {
    int length = MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(length > 0 ? length : 0, L'\0');
    if (length > 0) MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), &result[0], length);
    return result;
}

std::wstring asWide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

// "挨拶 › 社外"; a font without "›" gets "＞", which every Japanese font has.
const wchar_t* pathSeparatorFor(HDC dc) {
    WORD glyph = 0;
    bool hasArrow = GetGlyphIndicesW(dc, L"\x203A", 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS) == 1 && glyph != 0xFFFF;
    return hasArrow ? L" \x203A " : L" \xFF1E ";
}

std::wstring shownPath(const std::string& path, const wchar_t* separator) {
    std::wstring shown;
    for (wchar_t c : wide(path)) {
        if (c == L'\t')
            shown += separator;
        else
            shown += c;
    }
    return shown;
}

void drawLine(HDC dc, const std::wstring& text, RECT area, COLORREF color, UINT extraFormat = 0) {
    SetTextColor(dc, color);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
              DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS | DT_VCENTER | extraFormat);
}

// Draws the text from the area's left, no further than `limit`; returns where it ends.
LONG drawFitted(HDC dc, const std::wstring& text, RECT area, LONG limit, COLORREF color) {
    RECT measured = area;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    area.right = std::min<LONG>(measured.right, limit);
    drawLine(dc, text, area, color);
    return area.right;
}

int rowIcon(menuItem& item, bool fromHistory) {
    if (fromHistory) return standardIconIndex(iconSlot::phrase);
    return iconIndex(item, false, true, false, false);
}

// A date item shows its format expanded, as in the menu, and like every other
// item without its mnemonic: the list draws texts as they are.
std::wstring shownText(const searchEntry& entry) {
    uint8_t mode = entry.item->mode;
    if (mode == itemMode::dateTimeExt || mode == itemMode::newDateTime)
        return wide(withoutMnemonics(displayText(*entry.item)));
    return entry.unicode ? asWide(entry.unicodeDisplay) : wide(entry.display);
}

std::wstring shownPreview(const searchEntry& entry) {
    return entry.unicode ? asWide(entry.unicodePreview) : wide(entry.preview);
}

// The grey used for folder paths and previews.
COLORREF dimTextColor(bool selected) {
    return selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : GetSysColor(COLOR_GRAYTEXT);
}

}  // namespace

void measureResultRows(HWND window, searchWindowState& state) {
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, state.font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    state.pathSeparator = pathSeparatorFor(dc);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    state.lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    state.rowHeight = 2 * state.lineHeight + 2 * scaledPixels(rowPadding);
}

void drawResultRow(const searchWindowState& state, const DRAWITEMSTRUCT& draw) {
    HDC dc = draw.hDC;
    RECT row = draw.rcItem;
    bool selected = (draw.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &row, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (draw.itemID >= state.results.size()) return;
    const searchEntry& entry = state.index[state.results[draw.itemID]];

    const int padding = scaledPixels(rowPadding);
    int icon = rowIcon(*entry.item, entry.fromHistory);
    if (icon >= 0 && app().imageList) {
        int width = 0, height = 0;
        ImageList_GetIconSize(app().imageList, &width, &height);
        ImageList_Draw(app().imageList, icon, dc, row.left + padding, row.top + padding + (state.lineHeight - height) / 2,
                       ILD_TRANSPARENT);
    }

    HGDIOBJ oldFont = SelectObject(dc, state.font);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColor = GetTextColor(dc);
    COLORREF textColor = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);

    RECT first{row.left + scaledPixels(iconColumn), row.top + padding, row.right - padding, row.top + padding + state.lineHeight};
    RECT second{first.left, first.bottom, first.right, first.bottom + state.lineHeight};
    // The display text and its abbreviation take what they need, at most two
    // thirds; the path the rest.
    const LONG textLimit = first.left + (first.right - first.left) * 2 / 3;
    RECT textArea = first;
    textArea.right = drawFitted(dc, shownText(entry), first, textLimit, textColor);
    if (!entry.abbreviation.empty() && textArea.right + scaledPixels(pathGap) < textLimit) {
        RECT abbreviationArea{textArea.right + scaledPixels(pathGap), first.top, first.right, first.bottom};
        textArea.right = drawFitted(dc, L"[" + wide(entry.abbreviation) + L"]", abbreviationArea, textLimit,
                                    dimTextColor(selected));
    }

    static const std::wstring historyLabel = wide("クリップボード履歴");
    std::wstring path = entry.fromHistory ? historyLabel : shownPath(entry.path, state.pathSeparator);
    RECT pathArea{textArea.right + scaledPixels(pathGap), first.top, first.right, first.bottom};
    if (pathArea.left < pathArea.right) drawLine(dc, path, pathArea, dimTextColor(selected));
    drawLine(dc, shownPreview(entry), second, dimTextColor(selected));

    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
}

}  // namespace tv
