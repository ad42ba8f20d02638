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

}  // namespace tv
