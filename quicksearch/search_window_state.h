// The search window's state, shared by its procedure and its list drawing.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "quicksearch/search_index.h"

namespace tv {

struct searchWindowState {
    HWND window = nullptr;
    HWND field = nullptr;  // the single-line query
    HWND list = nullptr;   // owner-drawn, no data: rows are drawn from `results`
    HFONT font = nullptr;  // the menu font, or the system's GUI font
    int rowHeight = 0;
    int lineHeight = 0;    // one text line of the row font
    const wchar_t* pathSeparator = L" \xFF1E ";  // between a path's folders, as the font can show it
    searchIndex index;
    std::vector<uint32_t> results;  // positions in `index`, in rank order
    bool closing = false;           // being destroyed: deactivation is no reason to close again
    bool ownedByWindow = false;     // from a successful creation on, WM_NCDESTROY frees it
};

// --- search_list_draw.cpp ---

void drawResultRow(const searchWindowState& state, const DRAWITEMSTRUCT& draw);
// Sets the row and line heights (two lines of the font: the display text with
// the path, and the preview) and the path separator the font can show.
void measureResultRows(HWND window, searchWindowState& state);

}  // namespace tv
