#include "app/clipboard_chain.h"

#include "app/app_state.h"
#include "app/startup.h"
#include "cliphistory/clipboard_capture.h"
#include "cliphistory/history_edit_dialog.h"
#include "cliphistory/history_file.h"
#include "files/platform_files.h"
#include "popup/clipboard_restore.h"

namespace tv {

namespace {

// Our own paste or the enclose copy has arrived: continue their protocols.
void continuePendingProtocols() {
    clipboardFlags& clip = app().clip;
    if (clip.pasteAfterSet) {
        PostMessageA(app().mainWindow, WM_COMMAND, mainCommand::pasteKeystroke, 0);
        clip.pasteAfterSet = false;
    }
    if (clip.pendingEnclose > 0) {
        PostMessageA(app().mainWindow, WM_COMMAND, mainCommand::encloseInsert, clip.pendingEnclose);
        clip.pendingEnclose = 0;
    }
}

void captureForHistory() {
    clipboardFlags& flags = app().clip;
    if (app().config.NoPastFromQS && flags.ownChange) {
        flags.ownChange = false;  // our own phrase never enters the history
        return;
    }
    capturedClip clip;
    // Our own paste is marked private for other histories, and offered by delayed
    // rendering: reading it here would look like the target taking it.
    if (clipboardHoldsOurPhrase(clip.text, clip.wide)) {
        if (!clipSizeAccepted(clip.text.size(), app().config.iMaxOneClipSize)) return;
    } else if (!readClipboardClip(app().mainWindow, app().config.iMaxOneClipSize, clip)) {
        return;
    }
    queueCapturedClip(app().history, std::move(clip));
    PostMessageA(app().mainWindow, WM_COMMAND, mainCommand::addCapturedClip, flags.fromHistory ? 1 : 0);
    flags.fromHistory = false;
}

}  // namespace

void onDrawClipboard(WPARAM wParam, LPARAM lParam) {
    if (app().nextViewer) SendMessageA(app().nextViewer, WM_DRAWCLIPBOARD, wParam, lParam);
    // The user's own clipboard given back after an insertion: nothing new.
    if (clipboardHoldsRestoredCopy()) return;
    if (!IsClipboardFormatAvailable(CF_TEXT) && !IsClipboardFormatAvailable(CF_UNICODETEXT)) return;
    continuePendingProtocols();
    captureForHistory();
}

// The news goes on down the chain even when our own next viewer was the one leaving.
void onChangeClipboardChain(HWND removed, HWND next) {
    if (removed == app().nextViewer) app().nextViewer = next;
    if (app().nextViewer) SendMessageA(app().nextViewer, WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(removed),
                                       reinterpret_cast<LPARAM>(next));
}

void leaveClipboardChain() {
    ChangeClipboardChain(app().mainWindow, app().nextViewer);
    app().nextViewer = nullptr;
}

void addCapturedClip(bool fromHistory) {
    bool keepExistingPosition = app().config.bNoMovePasetFromClipboard && fromHistory;
    addClipResult result = app().history.addPendingClip(keepExistingPosition);
    if (result.notifyEditDialog) announceNewHistoryEntry();
    if (result.saveHistory()) saveHistoryNow();
}

void saveHistoryNow() {
    const settings& config = app().config;
    switch (decideHistorySave(currentDirectoryPath(), app().startDirectory, config.bClearClipHistoryOnExit,
                              app().dataFileName)) {
    case historySaveAction::write: saveHistoryFile(historyFileName, app().history); break;
    case historySaveAction::deleteFile: removeHistoryFiles(historyFileName); break;
    case historySaveAction::skip: break;
    }
}

}  // namespace tv
