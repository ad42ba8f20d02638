#include "cliphistory/history_settings.h"

#include "cliphistory/clip_history.h"
#include "cliphistory/history_edit_dialog.h"
#include "shell/app_state.h"
#include "shell/messages.h"

namespace tv {

void applyHistorySettings(HWND owner, const settings& chosen) {
    settings& config = app().config;
    profileFile file(settingsFileName);
    file.section("Clip");
    // The edit dialog lists entries the trim below may free; closing it saves its edits first.
    closeHistoryEditDialog();

    // Saved before the options below change: the file is still kept or dropped as it was.
    config.counts = chosen.counts;
    file.writeInt("counts", config.counts);
    clipHistory().counts = config.counts;
    clipHistory().trimHistory();
    saveHistoryNow();

    config.iMaxOneClipSize = chosen.iMaxOneClipSize;
    file.writeInt("iMaxOneClipSize", config.iMaxOneClipSize);
    config.iMaxOneOneSize = chosen.iMaxOneOneSize;
    file.writeInt("iMaxOneOneSize", config.iMaxOneOneSize);
    config.ret_counts = chosen.ret_counts;
    config.ClipToAddPos = chosen.ClipToAddPos;
    file.writeInt("ClipToAddPos", config.ClipToAddPos ? 1 : 0);
    config.bRevNumAndAbc = chosen.bRevNumAndAbc;
    file.writeInt("bRevNumAndAbc", config.bRevNumAndAbc ? 1 : 0);
    file.writeInt("ret_counts", config.ret_counts);
    config.NoPastFromQS = chosen.NoPastFromQS;
    file.writeInt("NoPastFromQS", config.NoPastFromQS ? 1 : 0);
    config.bClearClipHistoryOnExit = chosen.bClearClipHistoryOnExit;
    file.writeInt("bClearClipHistoryOnExit", config.bClearClipHistoryOnExit ? 1 : 0);
    config.bNoMovePasetFromClipboard = chosen.bNoMovePasetFromClipboard;
    file.writeInt("bNoMovePasetFromClipboard", config.bNoMovePasetFromClipboard ? 1 : 0);
    // Written only when changed: a tv2.ini that never named a program stays as it was.
    if (chosen.ExcludeApps != config.ExcludeApps) {
        config.ExcludeApps = chosen.ExcludeApps;
        file.writeString("ExcludeApps", config.ExcludeApps);
    }
    // Open only when Escape held its close back: it lists what the trim may
    // have freed, in the order the old ClipToAddPos gave.
    refreshHistoryEditDialog();
    if (file.writeFailed()) reportWriteFailure(owner);
}

}  // namespace tv
