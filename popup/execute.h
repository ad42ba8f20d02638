// Carrying out a chosen item: resolving a command to an item or submenu, the
// paste protocol, programs and URLs, the enclose flow and the commands.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "model/menu_item.h"

namespace tv {

// Every WM_COMMAND id that is not one of the main window's own commands.
void dispatchItemCommand(bool invokedFromMenu, UINT id, bool viaHotkey);
void executeItem(menuItem& item, bool invokedFromMenu);

// Puts the text on the clipboard and gives the focus back to the target; the
// clipboard notification then sends Ctrl+V (command 103). `wide`, when not
// empty, is the text as CF_UNICODETEXT, `text` then being its code page 932 form.
bool putTextAndPaste(const std::string& text, bool ownChange, const std::u16string& wide = std::u16string());
// A text that may hold characters code page 932 lacks: those go as CF_UNICODETEXT
// beside the code page 932 form.
void pasteUnicode(const std::u16string& text, bool ownChange);
void onPasteKeystroke();                 // command 103
void onEncloseCopy(uint16_t itemId);     // command 119
void onEncloseInsert(uint16_t itemId);   // command 120
void onEncloseFallback();                // timer 12: nothing was selected
// Asks first (system-modal), then empties the history and saves the file.
void eraseHistoryAfterWarning();

}  // namespace tv
