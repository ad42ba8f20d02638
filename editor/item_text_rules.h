// What the editor stores as an item's display text.
#pragma once

#include <string>

namespace tv {

// The display text is one column of one line in the data file: a TAB, CR or LF
// typed or pasted into it would split the line, so each becomes a space. None
// of them is ever a trail byte in code page 932, so no lead byte is disturbed.
inline std::string oneLineText(std::string text) {
    for (char& c : text)
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    return text;
}

}  // namespace tv
