// The search window's shortcut key, kept in tv2.ini as [Search] Hotkey in the
// data file's vk form (virtual key + 256 x HOTKEYF_ modifiers).
#include <string>

#include "model/hotkey.h"
#include "quicksearch/quick_search.h"
#include "res/resource.h"
#include "shell/app_state.h"
#include "shell/key_name.h"
#include "shell/messages.h"
#include "shell/settings.h"

namespace tv {

namespace {

constexpr int defaultSearchKey = 1606;  // Ctrl+Alt+F

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
