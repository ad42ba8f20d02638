// "\u{hex}": how text kept in code page 932 holds a character the code page
// lacks, by its code point (1 to 6 hex digits, e.g. \u{1F600}). ¥ is kept the
// same way (\u{A5}), so it never turns into a backslash.
//
// Two forms of text carry the escape:
// - the escaped form of the data file's content column and the history
//   (escaping.h: TAB as \t, CR as \r, LF as \n, a backslash doubled). There a
//   literal backslash is always doubled, so a single one before "u{" is always
//   an escape;
// - the content form of an item's `data`: the content itself, with each
//   character the code page lacks as its escape, and a literal backslash that
//   would be read as the start of one as \u{5C}.
// Either form has the escapes only when the item says so (menuItem::
// unicodeEscapes): texts written before the escape existed may hold the same
// bytes literally, and keep them. A malformed escape (no closing brace, no
// digit or more than 6, a surrogate, U+0000 or beyond U+10FFFF) is literal text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "files/escaping.h"

namespace tv {

// Writes the escape: upper-case hex digits without leading zeros.
void appendUnicodeEscape(uint32_t codePoint, std::string& out);

// Code page 932 text and whether it carries escapes.
struct codePageText {
    std::string bytes;
    bool unicodeEscapes = false;
};

// The content form of a text, with escapes only when a character needs one.
codePageText contentFromUtf16(std::u16string_view text);
// The text a content stands for.
std::u16string contentToUtf16(std::string_view data, bool unicodeEscapes);

// The escaped form of a text, with escapes only when a character needs one:
// for the clipboard history, which gives back exactly what was copied, also a
// character the code page has only a look-alike of (〜 is not ～).
codePageText escapedFromUtf16(std::u16string_view text);
// The text an escaped form stands for: every escape undone.
std::u16string unescapeToUtf16(std::string_view escaped, bool unicodeEscapes);
std::string unescapeToUtf8(std::string_view escaped, bool unicodeEscapes);
// The escaped form shown as it is, only with its characters beyond ASCII
// written out: how a history entry is labelled, and kept in the history's
// companion file. escapedFromShown turns it back.
std::string shownAsUtf8(std::string_view escaped, bool unicodeEscapes);
std::u16string shownAsUtf16(std::string_view escaped, bool unicodeEscapes);
codePageText escapedFromShown(std::string_view shownUtf8);
// The escaped form with each escape replaced as plain text has it (appendPlainCodePage932):
// "?" for each UTF-16 unit, ¥ as ￥. What the history file keeps of an entry.
std::string withoutUnicodeEscapes(std::string_view escaped);

// The data file's content column, from and to an item's `data` (escaping.h's
// escapeText and unescapeText, with the escapes).
void appendContentEscaped(std::string_view data, bool unicodeEscapes, std::string& out,
                          escapeMode mode = escapeMode::textFile);
struct unescapedContent {
    codePageText content;
    size_t malformedEscapes = 0;  // "\u{" sequences that were no escape
};
unescapedContent unescapeContent(std::string_view column);

}  // namespace tv
