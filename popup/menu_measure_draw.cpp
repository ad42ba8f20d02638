// Measuring and drawing the owner-drawn entries: a 19x19 icon cell, then the
// text in the menu font, cut with an ellipsis at iMaxViewSize. The sizes are
// pixels at 96 DPI, scaled to the screen's DPI where they are used.
#include <cstdlib>

#include "files/code_page.h"
#include "files/item_text.h"
#include "files/unicode_escape.h"
#include "popup/date_now.h"
#include "popup/menu_text_sizes.h"
#include "popup/popup_menu.h"
#include "popup/popup_state.h"
#include "shell/app_state.h"
#include "shell/item_icons.h"
#include "shell/screen_dpi.h"

namespace tv {

namespace {

constexpr int iconCellSize = 19;
constexpr int textAreaLeft = 20;   // right of the icon cell
constexpr int textLeft = 23;
constexpr int textRightMargin = 16;  // room for the submenu arrow
// Icon cell, gaps and arrow; the system adds a check-mark width of its own.
constexpr int entryExtraWidth = 47;
constexpr int minimumHeight = 16;

bool entryHasSubmenu(UINT commandId, HMENU containingMenu) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_SUBMENU;
    if (popup().mainMenu && GetMenuItemInfoA(popup().mainMenu, commandId, FALSE, &info)) return info.hSubMenu != nullptr;
    // The editor's own menus are not part of the main menu.
    if (containingMenu && GetMenuItemInfoA(containingMenu, commandId, FALSE, &info)) return info.hSubMenu != nullptr;
    return false;
}

void fillWithSysColor(HDC dc, const RECT& area, int colorIndex) {
    FillRect(dc, &area, GetSysColorBrush(colorIndex));
}

void drawIconCell(HDC dc, const RECT& entry, menuItem& item, bool hasSubmenu, bool selected) {
    const int cellSize = scaledPixels(iconCellSize);
    RECT cell;
    cell.left = entry.left;
    cell.top = entry.top + ((entry.bottom - entry.top - cellSize) >> 1);
    cell.right = cell.left + cellSize;
    cell.bottom = cell.top + cellSize;
    fillWithSysColor(dc, cell, COLOR_MENU);
    if (selected) DrawEdge(dc, &cell, BDR_RAISEDINNER, BF_RECT);
    int index = iconIndex(item, hasSubmenu, true, selected, false);
    if (index < 0 || !app().imageList) return;
    // The image list holds icons of the scaled size: centred in the cell.
    int iconWidth = 0, iconHeight = 0;
    ImageList_GetIconSize(app().imageList, &iconWidth, &iconHeight);
    ImageList_Draw(app().imageList, index, dc, cell.left + (cellSize - iconWidth) / 2, cell.top + (cellSize - iconHeight) / 2,
                   ILD_TRANSPARENT);
}

// A history entry with characters code page 932 lacks is drawn with them.
bool drawnWide(const menuItem& item) { return item.mode == itemMode::historyEntry && item.unicodeEscapes; }

std::u16string displayTextUtf16(const menuItem& item) {
    return codePage932ToUtf16(item.data) + withLiteralAmpersands(shownAsUtf16(item.text, item.unicodeEscapes));
}

void drawEntryText(HDC dc, const RECT& entry, const menuItem& item, bool selected, bool grayed) {
    RECT area{entry.left + scaledPixels(textAreaLeft), entry.top, entry.right, entry.bottom};
    fillWithSysColor(dc, area, selected ? COLOR_HIGHLIGHT : COLOR_MENU);

    RECT textRect{entry.left + scaledPixels(textLeft), entry.top, entry.right - scaledPixels(textRightMargin), entry.bottom};
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColor =
        SetTextColor(dc, GetSysColor(grayed ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    HGDIOBJ oldFont = app().menuFont.handle ? SelectObject(dc, app().menuFont.handle) : nullptr;
    // No DT_NOPREFIX: "&" underlines the mnemonic as in any menu; the texts
    // that are no labels come with their "&" doubled (displayText).
    const UINT format = DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER;
    if (drawnWide(item)) {
        std::u16string text = displayTextUtf16(item);
        DrawTextW(dc, reinterpret_cast<LPCWSTR>(text.c_str()), static_cast<int>(text.size()), &textRect, format);
    } else {
        std::string text = displayText(item);
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect, format);
    }
    if (oldFont) SelectObject(dc, oldFont);
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
}

}  // namespace

std::string displayText(const menuItem& item) {
    switch (item.mode) {
    // The number ("&0: ") underlines its digit; the copied text shows every "&".
    case itemMode::historyEntry: return item.data + withLiteralAmpersands(item.text);
    case itemMode::dateTimeExt:
    case itemMode::newDateTime: return expandDateTimeNow(item.text);
    default: return item.text;
    }
}

BOOL measureMenuEntry(MEASUREITEMSTRUCT& measure) {
    auto* item = reinterpret_cast<const menuItem*>(measure.itemData);
    const SIZE textSize = !item             ? menuTextSize(std::string())
                          : drawnWide(*item) ? menuTextSize(displayTextUtf16(*item))
                                             : menuTextSize(displayText(*item));
    const entryMetrics& metrics = menuEntryMetrics();

    int height = textSize.cy + 1;
    if (height < metrics.menuHeight) height = metrics.menuHeight;
    if (height < scaledPixels(minimumHeight)) height = scaledPixels(minimumHeight);
    int fontHeight = std::abs(scaledPixels(app().menuFont.log.lfHeight));
    if (height < fontHeight) height = fontHeight;
    measure.itemHeight = static_cast<UINT>(height);

    // The system metrics are already those of the screen's DPI.
    int width = textSize.cx + scaledPixels(entryExtraWidth) - metrics.checkWidth;
    int maxWidth = scaledPixels(app().config.iMaxViewSize);
    if (width > maxWidth) width = maxWidth;
    measure.itemWidth = static_cast<UINT>(width < 0 ? 0 : width);
    return TRUE;
}

BOOL drawMenuEntry(const DRAWITEMSTRUCT& draw) {
    auto* item = reinterpret_cast<menuItem*>(draw.itemData);
    if (!item) return FALSE;
    // A level taller than the screen asks for every entry, also those scrolled
    // out of sight; only the visible ones are worth the submenu and icon lookups.
    if (!RectVisible(draw.hDC, &draw.rcItem)) return TRUE;
    const bool selected = (draw.itemState & ODS_SELECTED) != 0;
    const bool hasSubmenu = entryHasSubmenu(draw.itemID, reinterpret_cast<HMENU>(draw.hwndItem));
    drawIconCell(draw.hDC, draw.rcItem, *item, hasSubmenu, selected);
    drawEntryText(draw.hDC, draw.rcItem, *item, selected, (draw.itemState & ODS_GRAYED) != 0);
    return TRUE;
}

}  // namespace tv
