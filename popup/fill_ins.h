// The fill-ins of the text a phrase inserts, read with "%%d" and "%%t" in one
// pass from the left, so a value put in (the clipboard's text, an answer, the
// date) is never read again for marks:
//   "%%|"         where the caret goes after the insertion; the first mark
//                 counts, later ones vanish;
//   "%%c"         the clipboard's text as it was before the insertion;
//   "%%?label%%"  a value the user is asked for, once per distinct label. A
//                 label ends at the next "%%" and holds no line break; without
//                 its closing "%%" the text stays as typed.
// "%" is never the trail byte of a double-byte character, so the marks cannot
// be found inside one.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tv {

struct fillInValues {
    std::string longDate;   // "%%d"
    std::string time;       // "%%t"
    std::string clipboard;  // "%%c": empty when the clipboard holds no text
    std::vector<std::string> answers;  // one per label of fillInLabels, in its order
};

struct filledText {
    std::string text;
    bool hasCaretMark = false;
    // Left presses that take the caret from the end of the inserted text back to
    // the mark, counted as an edit control steps (caretSteps).
    size_t caretSteps = 0;
};

// The labels to ask for, each once, in the order they first appear.
std::vector<std::string> fillInLabels(const std::string& text);
// Whether the text takes the clipboard's text, so the clipboard is read only then.
bool usesClipboard(const std::string& text);

filledText fillIn(const std::string& text, const fillInValues& values);

}  // namespace tv
