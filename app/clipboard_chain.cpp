#include "app/clipboard_chain.h"

#include "cliphistory/clip_history.h"
#include "cliphistory/clipboard_capture.h"
#include "cliphistory/history_edit_dialog.h"
#include "cliphistory/history_file.h"
#include "files/platform_files.h"
#include "popup/clipboard_restore.h"
#include "popup/popup_state.h"
#include "res/resource.h"
#include "shell/app_state.h"
#include "shell/startup.h"

namespace tv {

namespace {

HWND nextViewer = nullptr;  // the next window in the clipboard-viewer chain

// Our own paste or the enclose copy has arrived: continue their protocols.
void continuePendingProtocols() {
    clipboardFlags& clip = popup().clip;
    if (clip.pasteAfterSet) {
        PostMessageA(app().mainWindow, WM_COMMAND, IDM_MAIN_PASTE_KEYSTROKE, 0);
        clip.pasteAfterSet = false;
    }
    if (clip.pendingEnclose > 0) {
        PostMessageA(app().mainWindow, WM_COMMAND, IDM_MAIN_ENCLOSE_INSERT, clip.pendingEnclose);
        clip.pendingEnclose = 0;
    }
}

void captureForHistory() {
    clipboardFlags& flags = popup().clip;
    if (app().config.NoPastFromQS && flags.ownChange) {
        flags.ownChange = false;  // our own phrase never enters the history
        return;
    }
    capturedClip clip;
    // Our own paste is marked private for other histories, and offered by delayed
    // rendering: reading it here would look like the target taking it.
    if (clipboardHoldsOurPhrase(clip.text, clip.wide)) {
        if (!clipSizeAccepted(clip.text.size(), app().config.iMaxOneClipSize)) return;
    } else if (clipboardOwnerExcluded(app().config.ExcludeApps) ||
               !readClipboardClip(app().mainWindow, app().config.iMaxOneClipSize, clip)) {
        return;
    }
    queueCapturedClip(clipHistory(), std::move(clip));
    PostMessageA(app().mainWindow, WM_COMMAND, IDM_MAIN_ADD_CAPTURED_CLIP, flags.fromHistory ? 1 : 0);
    flags.fromHistory = false;
}

}  // namespace

void joinClipboardChain(HWND window) { nextViewer = SetClipboardViewer(window); }

void onDrawClipboard(WPARAM wParam, LPARAM lParam) {
    if (nextViewer) SendMessageA(nextViewer, WM_DRAWCLIPBOARD, wParam, lParam);
    // The user's own clipboard given back after an insertion: nothing new.
    if (clipboardHoldsRestoredCopy()) return;
    if (!IsClipboardFormatAvailable(CF_TEXT) && !IsClipboardFormatAvailable(CF_UNICODETEXT)) return;
    continuePendingProtocols();
    captureForHistory();
}

// The news goes on down the chain even when our own next viewer was the one leaving.
void onChangeClipboardChain(HWND removed, HWND next) {
    if (removed == nextViewer) nextViewer = next;
    if (nextViewer) SendMessageA(nextViewer, WM_CHANGECBCHAIN, reinterpret_cast<WPARAM>(removed),
                                       reinterpret_cast<LPARAM>(next));
}

void leaveClipboardChain() {
    ChangeClipboardChain(app().mainWindow, nextViewer);
    nextViewer = nullptr;
}

void addCapturedClip(bool fromHistory) {
    bool keepExistingPosition = app().config.bNoMovePasetFromClipboard && fromHistory;
    addClipResult result = clipHistory().addPendingClip(keepExistingPosition);
    if (result.notifyEditDialog) announceNewHistoryEntry();
    if (result.saveHistory()) saveHistoryNow();
}

}  // namespace tv
