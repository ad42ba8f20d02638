// Code page 932 (Shift_JIS) byte classes.
#pragma once

namespace tv {

// A lead byte starts a double-byte character; the byte after it belongs to it.
inline bool isLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

}  // namespace tv
