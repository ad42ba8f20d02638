#include "shell/key_name.h"

#include <windows.h>

#include "model/hotkey.h"

namespace tv {

std::string keyName(uint16_t vk, uint8_t extKey) {
    std::string name;
    if (extKey & extKeyWin) name += "Win+";
    if (vk & hotkeyControl) name += "Ctrl+";
    if (vk & hotkeyShift) name += "Shift+";
    if (vk & hotkeyAlt) name += "Alt+";
    char key[64] = "";
    UINT scanCode = MapVirtualKeyA(vk & 0xFF, MAPVK_VK_TO_VSC);
    if (!scanCode || GetKeyNameTextA(static_cast<LONG>(scanCode << 16), key, sizeof key) <= 0)
        wsprintfA(key, "0x%02X", vk & 0xFF);
    return name + key;
}

}  // namespace tv
