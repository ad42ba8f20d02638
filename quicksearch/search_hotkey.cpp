// The search window's shortcut key, kept in tv2.ini as [Search] Hotkey in the
// data file's vk form (virtual key + 256 x HOTKEYF_ modifiers).
#include <string>

#include "model/hotkey.h"
#include "quicksearch/quick_search.h"
#include "res/resource.h"
#include "shell/app_state.h"
#include "shell/messages.h"
#include "shell/settings.h"

namespace tv {

namespace {

constexpr int defaultSearchKey = 1606;  // Ctrl+Alt+F

// "Ctrl+Alt+F": the modifiers, then the key's name on this keyboard.
std::string keyName(uint16_t vk) {
    std::string name;
    if (vk & hotkeyControl) name += "Ctrl+";
    if (vk & hotkeyShift) name += "Shift+";
    if (vk & hotkeyAlt) name += "Alt+";
    char key[64] = "";
    UINT scanCode = MapVirtualKeyA(vk & 0xFF, MAPVK_VK_TO_VSC);
    if (!scanCode || GetKeyNameTextA(static_cast<LONG>(scanCode << 16), key, sizeof key) <= 0)
        wsprintfA(key, "0x%02X", vk & 0xFF);
    return name + key;
}

}  // namespace

void registerSearchHotkey() {
    profileFile file(settingsFileName);
    file.section("Search");
    int vk = file.readInt("Hotkey", defaultSearchKey);
    if (vk <= 0 || vk > 0xFFFF || (vk & 0xFF) == 0) return;
    hotkeyCombination key = hotkeyOf(static_cast<uint16_t>(vk), 0);
    if (RegisterHotKey(app().mainWindow, IDH_QUICK_SEARCH, key.modifiers, key.virtualKey)) return;
    // Item keys are registered first: a key one of them has is taken too.
    std::string text = "検索のショートカットキー " + keyName(static_cast<uint16_t>(vk)) +
                       " は，ほかのプログラムか項目が使っているため使えません．\r\n"
                       "tv2.ini の [Search] にある Hotkey で別のキーを指定してください．";
    settingsMessage(app().mainWindow, text.c_str(), MB_ICONWARNING);
}

}  // namespace tv
