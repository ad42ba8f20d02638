#include "cliphistory/clip_history.h"

#include "cliphistory/history_file.h"
#include "files/platform_files.h"
#include "shell/app_state.h"
#include "shell/startup.h"

namespace tv {

historyList& clipHistory() {
    static historyList history{app().model};
    return history;
}

void saveHistoryNow() {
    const settings& config = app().config;
    switch (decideHistorySave(currentDirectoryPath(), app().startDirectory, config.bClearClipHistoryOnExit,
                              app().dataFileName)) {
    case historySaveAction::write: saveHistoryFile(historyFileName, clipHistory()); break;
    case historySaveAction::deleteFile: removeHistoryFiles(historyFileName); break;
    case historySaveAction::skip: break;
    }
}

}  // namespace tv
