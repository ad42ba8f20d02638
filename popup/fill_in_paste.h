// Inserting a phrase (modes 0 and 1) with its fill-ins: the date and time, the
// clipboard's text, the user's answers and the caret mark (popup/fill_ins.h).
#pragma once

#include <string>
#include <vector>

#include "model/menu_item.h"

namespace tv {

// The text a phrase item (modes 0 and 1) inserts, and whether it holds escapes;
// null for any other item.
const std::string* phraseTextOf(const menuItem& item, bool& unicodeEscapes);

// Asks for the phrase's "%%?label%%" values in the fill-in dialog, one answer
// per label; true at once when it asks for none, false on Cancel.
bool askFillIns(const std::string& text, std::vector<std::string>& answers);

// `text` is the phrase as the item keeps it: with "\u{...}" escapes when
// `unicodeEscapes`. The values are asked for first unless `answers` holds them
// already; nothing is inserted when the user cancels the fill-in dialog.
void pasteFilledIn(const std::string& text, bool unicodeEscapes,
                   const std::vector<std::string>* answers = nullptr);

}  // namespace tv
