// How much of a text a tooltip keeps. Kept apart from tooltips.cpp so that it
// builds without Windows and can be tested on its own.
#pragma once

#include <cstddef>

#include "files/cp932.h"

namespace tv {

// A tool's text is copied into a 128-byte buffer, so at most 127 bytes stay.
constexpr size_t tooltipTextLimit = 127;

// The number of bytes of `text` a tooltip shows: all of a text up to 127
// bytes; for a longer one 127, or 126 when byte 127 would be the first half
// of a double-byte character, which would otherwise show as a stray byte.
inline size_t tooltipTextLength(const char* text) {
    size_t kept = 0;
    while (kept < tooltipTextLimit && text[kept] != '\0') {
        // Lead bytes are found by walking from the start: a trail byte can
        // look like a lead byte, so the byte at the cut alone says nothing.
        const size_t width = isLeadByte(static_cast<unsigned char>(text[kept])) && text[kept + 1] != '\0' ? 2 : 1;
        if (kept + width > tooltipTextLimit) break;
        kept += width;
    }
    return kept;
}

}  // namespace tv
