#include "files/abbreviation_text.h"

#include "files/cp932.h"
#include "model/menu_item.h"

namespace tv {

namespace {

bool isControl(unsigned char byte) { return byte < 0x20 || byte == 0x7F; }

}  // namespace

std::string usableAbbreviation(std::string_view raw) {
    std::string kept;
    for (size_t i = 0; i < raw.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(raw[i]);
        size_t width = 1;
        if (isLeadByte(byte)) {
            // A trail byte is never below 0x40: a lead byte before one is half a character.
            if (i + 1 >= raw.size() || static_cast<unsigned char>(raw[i + 1]) < 0x40) continue;
            width = 2;
        } else if (isControl(byte)) {
            continue;
        }
        if (kept.size() + width > maxAbbreviationBytes) break;
        kept.append(raw.substr(i, width));
        i += width - 1;
    }
    return kept;
}

}  // namespace tv
