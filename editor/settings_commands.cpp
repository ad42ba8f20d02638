#include "editor/settings_commands.h"

#include "cliphistory/history_settings.h"
#include "cliphistory/history_settings_dialog.h"
#include "editor/options_dialog.h"
#include "shell/app_state.h"
#include "shell/messages.h"
#include "shell/start_with_windows.h"
#include "shell/tray.h"

namespace tv {

void changeOptions(HWND owner) {
    settings& config = app().config;
    optionsDialogData data;
    data.ShowMenuPosMode = config.ShowMenuPosMode;
    data.ShowAutoPopup = config.ShowAutoPopup;
    data.iMaxViewSize = config.iMaxViewSize;
    data.noTray = app().noTray;
    data.bUseOldDateTime = config.bUseOldDateTime;
    const bool startedWithWindows = data.startWithWindows = startsWithWindows();
    if (!showOptionsDialog(owner, data)) return;
    config.ShowMenuPosMode = data.ShowMenuPosMode;
    config.ShowAutoPopup = data.ShowAutoPopup;
    config.iMaxViewSize = data.iMaxViewSize;
    app().noTray = data.noTray;
    config.bUseOldDateTime = data.bUseOldDateTime;
    // Out of the tray the program is the tile on the screen.
    showMainWindowAsTile(app().noTray);
    if (data.startWithWindows != startedWithWindows && !setStartWithWindows(data.startWithWindows))
        settingsMessage(owner, startupShortcutFailure, MB_ICONERROR);
}

void changeHistorySettings(HWND owner) {
    settings chosen = app().config;
    if (showHistorySettingsDialog(owner, chosen)) applyHistorySettings(owner, chosen);
}

}  // namespace tv
