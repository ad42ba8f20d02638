// Reading the two-line contents of program, folder and enclose items.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace tv {

// Line 1 is everything before the first CR (or, with no CR, before the first LF);
// line 2 follows the run of CR and LF after it, up to the next CR or LF.
struct twoLines {
    std::string first;
    std::string second;
};
twoLines splitTwoLines(const std::string& data);

// The folder a program is started in: the path up to its last backslash, or empty
// when it has none. A trail byte 0x5C of a double-byte character (ソ is 83 5C) is
// part of its character, not a backslash.
std::string workingDirectoryOf(const std::string& program);

// What a menu shows of a label: "&x" shows x (underlined), "&&" shows "&".
std::string withoutMnemonics(std::string_view text);
// A text of the user's (a copied clip) for a menu that underlines mnemonics:
// every "&" doubled, so the menu shows the text as it is ("Q&A" stays "Q&A").
std::string withLiteralAmpersands(std::string_view text);
std::u16string withLiteralAmpersands(std::u16string_view text);

// How many presses of the Left key take the caret back over the text in an edit
// control: a double-byte character and a CR LF are one step each.
size_t caretSteps(const std::string& text);

}  // namespace tv
