#include "files/code_page.h"

#include <cstdint>

namespace tv {

bool isValidUtf8(std::string_view bytes) {
    size_t i = 0;
    while (i < bytes.size()) {
        const uint8_t lead = static_cast<uint8_t>(bytes[i]);
        size_t width;
        uint32_t value;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            width = 2;
            value = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            width = 3;
            value = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            width = 4;
            value = lead & 0x07;
        } else {
            return false;
        }
        if (i + width > bytes.size()) return false;
        for (size_t k = 1; k < width; ++k) {
            const uint8_t trail = static_cast<uint8_t>(bytes[i + k]);
            if ((trail & 0xC0) != 0x80) return false;
            value = (value << 6) | (trail & 0x3F);
        }
        const uint32_t smallest = width == 3 ? 0x800 : width == 4 ? 0x10000 : 0x80;
        if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
        i += width;
    }
    return true;
}

}  // namespace tv
