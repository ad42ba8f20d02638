#include "cliphistory/history_settings.h"

#include "cliphistory/clip_history.h"
#include "cliphistory/history_edit_dialog.h"
#include "shell/app_state.h"
#include "shell/messages.h"

namespace tv {

namespace {

// The nine keys in the order the file has always had them, then the excluded
// programs when the dialog changed them.
bool writeClipOptions(const settings& config, bool excludeAppsChanged) {
    profileFile file(settingsFileName);
    file.section("Clip");
    file.writeInt("counts", config.counts);
    file.writeInt("iMaxOneClipSize", config.iMaxOneClipSize);
    file.writeInt("iMaxOneOneSize", config.iMaxOneOneSize);
    file.writeInt("ClipToAddPos", config.ClipToAddPos ? 1 : 0);
    file.writeInt("bRevNumAndAbc", config.bRevNumAndAbc ? 1 : 0);
    file.writeInt("ret_counts", config.ret_counts);
    file.writeInt("NoPastFromQS", config.NoPastFromQS ? 1 : 0);
    file.writeInt("bClearClipHistoryOnExit", config.bClearClipHistoryOnExit ? 1 : 0);
    file.writeInt("bNoMovePasetFromClipboard", config.bNoMovePasetFromClipboard ? 1 : 0);
    if (excludeAppsChanged) file.writeString("ExcludeApps", config.ExcludeApps);
    return !file.writeFailed();
}

}  // namespace

void applyHistorySettings(HWND owner, const settings& chosen) {
    settings& config = app().config;
    // The edit dialog lists entries the trim below may free; closing it saves its edits first.
    closeHistoryEditDialog();

    // Saved before the options below change: the file is still kept or dropped as it was.
    config.counts = chosen.counts;
    clipHistory().counts = config.counts;
    clipHistory().trimHistory();
    saveHistoryNow();

    config.iMaxOneClipSize = chosen.iMaxOneClipSize;
    config.iMaxOneOneSize = chosen.iMaxOneOneSize;
    config.ClipToAddPos = chosen.ClipToAddPos;
    config.bRevNumAndAbc = chosen.bRevNumAndAbc;
    config.ret_counts = chosen.ret_counts;
    config.NoPastFromQS = chosen.NoPastFromQS;
    config.bClearClipHistoryOnExit = chosen.bClearClipHistoryOnExit;
    config.bNoMovePasetFromClipboard = chosen.bNoMovePasetFromClipboard;
    // Written only when changed: a tv2.ini that never named a program stays as it was.
    const bool excludeAppsChanged = chosen.ExcludeApps != config.ExcludeApps;
    config.ExcludeApps = chosen.ExcludeApps;
    const bool written = writeClipOptions(config, excludeAppsChanged);
    // Open only when Escape held its close back: it lists what the trim may
    // have freed, in the order the old ClipToAddPos gave.
    refreshHistoryEditDialog();
    if (!written) reportWriteFailure(owner);
}

}  // namespace tv
