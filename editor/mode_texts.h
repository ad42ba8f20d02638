// The texts the settings editor shows for each item mode: the mode list, the
// caption above the content field, the default display texts a mode change may
// put in, and the help text of the root entry. All are code page 932 bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tv {

// The mode list and the context menu offer modes 0..14, in mode order.
constexpr int editorModeCount = 15;

// The mode's entry in the mode list and the context menu; nullptr for any mode
// the editor does not offer (the history entries' 255 included).
const char* modeListText(uint8_t mode);

// The caption above the content field: what `data` means for that mode.
const char* contentCaption(uint8_t mode);

// The display text a mode change gives an item, indexed by mode 3..15, where 15
// stands for a new item ("New"). nullptr outside 3..15.
const char* defaultDisplayText(int mode);

// True when the user has not written the text: it is one of the defaults of
// modes 3..15, the empty text and "New" included.
bool isDefaultLookingText(const std::string& text);

// The display text an item takes when it is switched to newMode; nothing when
// it keeps its own. Only modes 3..12 and 14 bring a text of their own, and only
// a text the user has not written is replaced.
std::optional<std::string> replacedDisplayText(uint8_t newMode, const std::string& currentText);

// Shown in the content field while the root entry is selected, where nothing
// can be stored; CR LF line ends for the multi-line edit control.
const std::string& rootHelpText();

}  // namespace tv
