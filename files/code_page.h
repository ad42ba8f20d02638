// Unicode and code page 932, converted by the program's own table on every
// platform. Windows' converter and the C library's disagree on the characters
// Japanese text carries in two forms (〜 as U+301C or U+FF5E, and others), and
// on ¥; the program and tvtool must read and write a file alike.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tv {

// What a malformed sequence, or a byte pair code page 932 does not assign,
// reads as: ・, as Windows reads it.
constexpr uint32_t undecodableCharacter = 0x30FB;
constexpr uint32_t yenSign = 0xA5;

// Well-formed UTF-8: no stray trail bytes, overlong forms, surrogates or values
// beyond U+10FFFF.
bool isValidUtf8(std::string_view bytes);

// One character from `pos`, which moves past it. Malformed UTF-8 and unpaired
// surrogates read as U+FFFD, one byte or unit at a time.
uint32_t nextUtf8(std::string_view text, size_t& pos);
uint32_t nextUtf16(std::u16string_view text, size_t& pos);
// A lead byte takes the byte after it unless that is zero; see undecodableCharacter.
uint32_t nextCodePage932(std::string_view text, size_t& pos);
void appendUtf8(uint32_t codePoint, std::string& out);
void appendUtf16(uint32_t codePoint, std::u16string& out);
// 1 or 2: how many UTF-16 units the character takes.
inline size_t utf16Length(uint32_t codePoint) { return codePoint > 0xFFFF ? 2 : 1; }

// The character's code page 932 bytes; false, with nothing written, when the
// code page lacks it. U+301C and U+FF5E both give 81 60, U+2016 and U+2225
// 81 61, U+2212 and U+FF0D 81 7C, U+2014 and U+2015 81 5C, and ¢ £ ¬ the
// full-width signs, as Japanese software writes them. ¥ (U+00A5) is lacking:
// it never becomes the backslash 0x5C, and each caller says what it becomes.
bool appendCodePage932(uint32_t codePoint, std::string& out);
// The same for text that must come back exactly as it was (the clipboard
// history): false also for a character whose bytes read back as its other form
// (〜 U+301C, −, —, ‖, ¢, £, ¬ read back as ～, －, ―, ∥, ￠, ￡, ￢).
bool appendExactCodePage932(uint32_t codePoint, std::string& out);

// Plain text (display texts, file names, the history's code page 932 form): ¥
// becomes the full-width ￥ and a character the code page lacks one "?" per
// UTF-16 unit, as Windows writes it. Appends to `out` and returns false when a
// character was lacking.
bool appendPlainCodePage932(uint32_t codePoint, std::string& out);
bool utf16ToCodePage932(std::u16string_view utf16, std::string& out);
// The first character of the text that plain text lacks (¥ it holds, as ￥);
// 0 when there is none.
uint32_t firstLackingInPlainText(std::u16string_view utf16);

std::u16string codePage932ToUtf16(std::string_view text);
std::u16string utf8ToUtf16(std::string_view utf8);
std::string utf16ToUtf8(std::u16string_view utf16);

}  // namespace tv
