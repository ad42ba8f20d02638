// Folding for the quick search: texts a user would call the same compare equal,
// whatever input mode the keyboard was in when they were typed.
#pragma once

#include <string>
#include <string_view>

namespace tv {

// Appends the folded form of code page 932 text:
// - ASCII letters in lower case;
// - the full-width forms of ASCII characters (Ａ, ０, ！ ...) and "￥" as ASCII,
//   the ideographic space and the control characters (TAB, CR, LF ...) as a blank;
// - half-width katakana as full-width katakana, a following half-width dakuten
//   or handakuten joined to it (ｶﾞ = ガ, ﾊﾟ = パ);
// - hiragana as katakana (かな = カナ).
// The result is not code page 932: each folded character is written the way
// UTF-8 writes a code point, its value being the character's 16-bit code. That
// form is self-synchronizing (no byte of a character can start another), so a
// plain byte search can never match from the middle of a double-byte character,
// as a search in Shift_JIS could (ソ is 83 5C).
void appendFolded(std::string_view text, std::string& out);
std::string foldForSearch(std::string_view text);

// The same for any text. What code page 932 holds folds exactly as above (¥ as
// ￥, ゔ ゕ ゖ as their katakana), so a query the code page holds finds it as it
// would find the code page 932 text. Each other character, Latin capitals with
// accents in lower case, takes four bytes F0..F4 80..BF 80..BF 80..BF, a form
// no folded code page 932 character has, so neither kind of character can
// match inside the other.
void appendFoldedUtf16(std::u16string_view text, std::string& out);

}  // namespace tv
