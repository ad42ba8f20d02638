// Code page 932 (Shift_JIS) byte classes.
#pragma once

#include <cstddef>
#include <string_view>

namespace tv {

// A lead byte starts a double-byte character; the byte after it belongs to it.
inline bool isLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The bytes of the character at `at`: two for a lead byte with a byte after it,
// else one (a lead byte at the very end stands alone).
inline size_t characterWidthAt(std::string_view text, size_t at) {
    return isLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
}

// Where the last component of a Windows path starts: after the last "\", "/"
// or ":" (0 when there is none). The second byte 0x5C of a double-byte
// character (ソ is 83 5C) is no separator.
inline size_t windowsFileNameStart(std::string_view path) {
    size_t start = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(path[i]);
        if (isLeadByte(byte))
            ++i;
        else if (byte == '\\' || byte == '/' || byte == ':')
            start = i + 1;
    }
    return start < path.size() ? start : path.size();
}

}  // namespace tv
