#include "folderpopup/shortcut_name.h"

#include <cstring>

#include "files/cp932.h"
#include "res/resource.h"

namespace tv {

namespace {

// Which bit each check box holds. "開く" is stored inverted: the bit removes
// the entry, so that the default (bit clear) shows it.
struct flagControl {
    int controlId;
    uint32_t bit;
    bool checkedWhenClear;
};

flagControl controlAt(int index) {
    if (index < 27) return {IDC_VSET_DRIVE_A + index, 1u << index, false};  // A-Z, then 1041 the contents submenu
    static const flagControl options[] = {
        {IDC_VSET_NO_ICONS, 1u << 27, false},
        {IDC_VSET_HIDE_REGISTERED, 1u << 28, false},
        {IDC_VSET_FILES_IN_FOLDER, 1u << 29, false},
        {IDC_VSET_OPEN_ENTRY, 1u << 30, true},
        {IDC_VSET_EXPLORER_ENTRY, 1u << 31, false},
    };
    return options[index - 27];
}

constexpr int flagControlCount = 32;

}  // namespace

std::string shortcutFileName(const std::string& displayName) {
    std::string name;
    name.reserve(displayName.size() + 4);
    for (size_t at = 0; at < displayName.size(); ++at) {
        char c = displayName[at];
        // The second byte of a double-byte character may be 0x5C or 0x7C,
        // which are not a backslash or a bar there.
        if (isLeadByte(static_cast<unsigned char>(c)) && at + 1 < displayName.size()) {
            name += c;
            name += displayName[++at];
            continue;
        }
        if (c != '\0' && std::strchr("\"*:;<>?|", c)) c = ' ';
        else if (c == '/' || c == '\\') c = '-';
        name += c;
    }
    return name + ".lnk";
}

bool isFlagControlChecked(uint32_t showDrives, int controlId) {
    for (int index = 0; index < flagControlCount; ++index) {
        flagControl control = controlAt(index);
        if (control.controlId == controlId) return ((showDrives & control.bit) != 0) != control.checkedWhenClear;
    }
    return false;
}

uint32_t flagWordFromControls(const std::function<bool(int controlId)>& isChecked) {
    uint32_t flags = 0;
    for (int index = 0; index < flagControlCount; ++index) {
        flagControl control = controlAt(index);
        if (isChecked(control.controlId) != control.checkedWhenClear) flags |= control.bit;
    }
    return flags;
}

void forEachFlagControl(const std::function<void(int controlId)>& visit) {
    for (int index = 0; index < flagControlCount; ++index) visit(controlAt(index).controlId);
}

}  // namespace tv
