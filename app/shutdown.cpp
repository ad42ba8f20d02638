#include "app/shutdown.h"

#include "app/clipboard_chain.h"
#include "cliphistory/clip_history.h"
#include "editor/settings_editor.h"
#include "folderpopup/folder_popup.h"
#include "popup/popup_state.h"
#include "shell/app_state.h"
#include "shell/messages.h"
#include "shell/tray.h"

namespace tv {

namespace {

void setClosing(bool closing) {
    app().closing = closing;
    // While closing, destroyed items neither return their ids nor touch hotkeys.
    app().model.ids.setShuttingDown(closing);
}

}  // namespace

std::optional<LRESULT> onCloseRequest(UINT message) {
    // A second request (the tray's exit, say) while the user is still being
    // asked waits for that answer: going on would destroy the main window under
    // a Cancel.
    static bool asking = false;
    if (asking) return 0;
    if (app().closing) return std::nullopt;
    setClosing(true);
    // The editor is asked by a call, not by a message: its answer to a message
    // would be read from a window that a Yes or a No has destroyed.
    if (settingsEditor().modified) {
        asking = true;
        const bool editorGone = closeSettingsEditorAsking();
        asking = false;
        if (!editorGone) {
            setClosing(false);  // the user kept the editor open; for an ending session this refuses
            return 0;
        }
    }
    // Changes, if any, were saved or dropped just above: the editor goes quietly.
    destroySettingsEditor();
    leaveClipboardChain();
    deleteTrayIcon();
    DestroyWindow(app().mainWindow);
    // The main window is gone: the message has no owner.
    if (!saveShutdownSettings(app().config)) reportWriteFailure(nullptr);
    PostQuitMessage(0);
    // Answering 0 to WM_QUERYENDSESSION would refuse the logoff we just prepared for.
    return message == WM_QUERYENDSESSION ? TRUE : 0;
}

void releaseEverything() {
    SetCurrentDirectoryA(app().startDirectory.c_str());
    releaseFolderPopup();
    destroyEntryContextMenu();
    saveHistoryNow();
    if (popup().mainMenu) DestroyMenu(popup().mainMenu);
    popup().mainMenu = nullptr;
    if (app().imageList) ImageList_Destroy(app().imageList);
    app().imageList = nullptr;
    deleteFont(app().font);
    deleteFont(app().menuFont);
    clipHistory().eraseHistory();
    app().model.root.clear();
    app().model.registry.clear();
}

}  // namespace tv
