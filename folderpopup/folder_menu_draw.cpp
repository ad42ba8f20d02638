// Measuring and painting folder menu entries: the label with its mnemonic
// underline, and the shell's small icon for the entry's path.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "files/item_text.h"
#include "files/unreadable_files.h"
#include "folderpopup/folder_menu.h"
#include "shell/screen_dpi.h"

namespace tv {

namespace {

HFONT font = nullptr;
HIMAGELIST systemImages = nullptr;  // the shell's small-icon list, once known

// Pixels at 96 DPI; scaledPixels gives them on this screen.
constexpr int textLeft = 23;
constexpr int textRightMargin = 16;  // room for the submenu arrow
constexpr int extraWidth = 46 + 1;   // icon, gaps and arrow
constexpr int minimumHeight = 16;    // the small icon

// The open-folder icon is cached with count 0, so the closed one is fetched
// again once the highlight moves on.
void resolveIcon(folderMenuNode& node, bool selected) {
    if (node.path.empty()) return;  // "続き(&Z)..."
    SHFILEINFOA info{};
    UINT flags = SHGFI_SYSICONINDEX | SHGFI_SMALLICON;
    const bool openIcon = selected && node.isFolder;
    if (openIcon) flags |= SHGFI_OPENICON;
    HIMAGELIST list = nullptr;
    // A folder on a host that has gone is not asked again in this run.
    lookUpUnlessUnreadable(node.path, [&] {
        list = reinterpret_cast<HIMAGELIST>(
            SHGetFileInfoA(node.path.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof(info), flags));
        return list != nullptr;
    });
    if (!list) return;
    systemImages = list;
    node.iconIndex = static_cast<int16_t>(info.iIcon);
    node.iconCount = openIcon ? 0 : static_cast<uint16_t>(ImageList_GetImageCount(list));
}

int dimension(int measured, int fallback) { return measured > 0 ? measured : fallback; }

}  // namespace

HFONT folderMenuFont() {
    if (!font) {
        NONCLIENTMETRICSA metrics{};
        metrics.cbSize = sizeof(metrics);
        if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
            font = CreateFontIndirectA(&metrics.lfMenuFont);
    }
    return font;
}

void dropFolderMenuFont() {
    if (font) DeleteObject(font);
    font = nullptr;
}

folderMeasure::folderMeasure() : dc_(GetDC(nullptr)) {
    oldMapMode_ = SetMapMode(dc_, MM_TEXT);
    HFONT menuFont = folderMenuFont();
    oldFont_ = menuFont ? SelectObject(dc_, menuFont) : nullptr;
    TEXTMETRICA metrics{};
    lineHeight_ = (GetTextMetricsA(dc_, &metrics) ? metrics.tmHeight : 0) + 1;
    if (lineHeight_ < GetSystemMetrics(SM_CYMENU)) lineHeight_ = GetSystemMetrics(SM_CYMENU);
    if (lineHeight_ < scaledPixels(minimumHeight)) lineHeight_ = scaledPixels(minimumHeight);
    // Windows adds a check-mark width to every owner-drawn menu entry.
    checkWidth_ = GetSystemMetrics(SM_CXMENUCHECK);
    extraWidth_ = scaledPixels(extraWidth);
}

folderMeasure::~folderMeasure() {
    if (oldFont_) SelectObject(dc_, oldFont_);
    SetMapMode(dc_, oldMapMode_);
    ReleaseDC(nullptr, dc_);
}

// A folder of ten thousand files is measured label by label as it is listed:
// the text extent of what is shown costs a fraction of DrawText's DT_CALCRECT,
// and the system metrics are asked once, not once a label.
void folderMeasure::label(const std::string& text, int& width, int& height) {
    const std::string shown = withoutMnemonics(text);
    SIZE extent{0, 0};
    GetTextExtentPoint32A(dc_, shown.c_str(), static_cast<int>(shown.size()), &extent);
    height = lineHeight_;
    width = extent.cx + extraWidth_ - checkWidth_;
}

void measureFolderItem(const folderMenuNode& node, int& width, int& height) {
    folderMeasure measure;
    measure.label(node.label, width, height);
    width = dimension(width, 16);
    height = dimension(height, 16);
}

void drawFolderItem(folderMenuNode& node, HDC dc, const RECT& rect, bool selected, bool showIcons) {
    // A long menu asks for every entry, also those scrolled out of sight; only
    // the visible ones are worth a shell icon lookup.
    if (!RectVisible(dc, &rect)) return;
    const COLORREF back = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU);
    const COLORREF fore = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);

    HPEN pen = CreatePen(PS_SOLID, 1, back);
    HBRUSH brush = CreateSolidBrush(back);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    Rectangle(dc, rect.left, rect.top + 1, rect.right, rect.bottom);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);

    RECT textRect{rect.left + scaledPixels(textLeft), rect.top, rect.right - scaledPixels(textRightMargin), rect.bottom};
    COLORREF oldBack = SetBkColor(dc, back);
    COLORREF oldText = SetTextColor(dc, fore);
    // Prefix processing stays on: the character after "&" is underlined.
    DrawTextA(dc, node.label.c_str(), static_cast<int>(node.label.size()), &textRect,
              DT_NOCLIP | DT_SINGLELINE | DT_VCENTER);
    SetBkColor(dc, oldBack);
    SetTextColor(dc, oldText);

    if (!showIcons) return;
    if (selected || node.iconIndex < 0 || !systemImages || ImageList_GetImageCount(systemImages) != node.iconCount)
        resolveIcon(node, selected);
    int iconWidth = 16, iconHeight = 16;
    if (systemImages && node.iconIndex >= 0 && ImageList_GetIconSize(systemImages, &iconWidth, &iconHeight))
        ImageList_Draw(systemImages, node.iconIndex, dc, rect.left + 1,
                       rect.top + (rect.bottom - rect.top - iconHeight) / 2, ILD_TRANSPARENT);
}

}  // namespace tv
