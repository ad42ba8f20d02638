// Inserting a phrase (modes 0 and 1) with its fill-ins: the date and time, the
// clipboard's text, the user's answers and the caret mark (popup/fill_ins.h).
#pragma once

#include <string>

namespace tv {

// `text` is the phrase as the item keeps it: with "\u{...}" escapes when
// `unicodeEscapes`. Nothing is inserted when the user cancels the fill-in dialog.
void pasteFilledIn(const std::string& text, bool unicodeEscapes);

}  // namespace tv
