#include "app/data_file_watch.h"

#include "editor/settings_editor.h"
#include "popup/popup_menu.h"
#include "popup/popup_state.h"
#include "shell/data_file_stamp.h"
#include "shell/hotkeys.h"
#include "shell/startup.h"

namespace tv {

void watchDataFile() {
    // The set-aside notice is a message box, whose loop brings this timer again.
    static bool reloading = false;
    if (reloading || settingsEditor().window || popup().menuOpen || !dataFileChangedOnDisk()) return;
    reloading = true;
    if (reloadMenuFromDataFile()) {
        // The old items are gone: nothing may point at them.
        popup().currentHistoryItem = nullptr;
        rebuildMainMenu();
        registerAllHotkeys();
    }
    reloading = false;
}

}  // namespace tv
