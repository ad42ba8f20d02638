// Backslash escapes for TAB, CR, LF and backslash, as kept in the data file,
// the history and the XML export. Lead bytes are skipped with their trail byte,
// so a trail byte 0x5C (as in ソ, 83 5C) is never taken for a backslash.
#pragma once

#include <string>
#include <string_view>

namespace tv {

enum class escapeMode { textFile, xml };

std::string escapeText(const std::string& raw, escapeMode mode = escapeMode::textFile);
std::string unescapeText(std::string_view escaped);

// The same, appended to `out` (which `raw` or `escaped` must not point into):
// the file formats build whole lines in one buffer.
void appendEscaped(std::string_view raw, std::string& out, escapeMode mode = escapeMode::textFile);

// What the escaper writes for a single-byte character, or nullptr when it
// stays as it is.
const char* escapeSequence(char c, escapeMode mode);
// The byte a backslash followed by `next` stands for, or 0 when the two stay as they are.
char unescapedByte(char next);

// Proposes a file name from a display text: the nine characters Windows forbids
// in file names become their full-width forms.
std::string sanitizeFileName(const std::string& text);

}  // namespace tv
