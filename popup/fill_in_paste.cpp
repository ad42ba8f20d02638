#include "popup/fill_in_paste.h"

#include <windows.h>

#include "cliphistory/clipboard_capture.h"
#include "files/code_page.h"
#include "files/cp932.h"
#include "files/item_text.h"
#include "files/unicode_escape.h"
#include "popup/date_now.h"
#include "popup/execute.h"
#include "popup/fill_in_dialog.h"
#include "popup/fill_ins.h"
#include "popup/popup_state.h"
#include "shell/app_state.h"

namespace tv {

namespace {

// The clipboard's text before the insertion empties it; empty when it holds none.
std::u16string clipboardTextNow() {
    std::u16string text;
    if (!openClipboardWhenFree(app().mainWindow)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* wide = static_cast<const char16_t*>(GlobalLock(data))) {
            text = wide;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

// A value put into a phrase, in the phrase's own form: with escapes for what
// code page 932 lacks (and for a backslash that would start one) when the phrase
// has them, else as plain code page 932.
std::string inPhraseForm(const std::u16string& value, bool unicodeEscapes) {
    if (unicodeEscapes) return contentFromUtf16(value).bytes;
    std::string plain;
    utf16ToCodePage932(value, plain);
    return plain;
}

std::string inPhraseForm(const std::string& codePageValue, bool unicodeEscapes) {
    return unicodeEscapes ? contentFromUtf16(codePage932ToUtf16(codePageValue)).bytes : codePageValue;
}

// Left presses from the end back to the caret mark, counted in the characters the
// target sees: an escape in the text after the mark is one character (a pair of
// UTF-16 units stepped over at once), not the bytes that spell it.
size_t caretStepsOfContent(const std::string& content, size_t bytewiseSteps) {
    size_t pos = 0;
    for (size_t skip = caretSteps(content) - bytewiseSteps; skip > 0; --skip) {
        const bool pair = (isLeadByte(static_cast<unsigned char>(content[pos])) ||
                           (content[pos] == '\r' && content.compare(pos + 1, 1, "\n") == 0)) &&
                          pos + 1 < content.size();
        pos += pair ? 2 : 1;
    }
    const std::u16string tail = contentToUtf16(std::string_view(content).substr(pos), true);
    size_t steps = 0;
    for (size_t i = 0; i < tail.size(); ++i) {
        if (tail[i] >= 0xDC00 && tail[i] <= 0xDFFF) continue;
        if (tail[i] == u'\n' && i > 0 && tail[i - 1] == u'\r') continue;
        ++steps;
    }
    return steps;
}

}  // namespace

const std::string* phraseTextOf(const menuItem& item, bool& unicodeEscapes) {
    unicodeEscapes = item.mode == itemMode::inputDataString && item.unicodeEscapes;
    if (item.mode == itemMode::inputString) return &item.text;
    if (item.mode == itemMode::inputDataString) return &item.data;
    return nullptr;
}

bool askFillIns(const std::string& text, std::vector<std::string>& answers) {
    fillInDialogData asked{fillInLabels(text), {}};
    if (asked.labels.empty()) return true;
    if (!showFillInDialog(app().mainWindow, asked)) return false;
    answers = std::move(asked.answers);
    return true;
}

void pasteFilledIn(const std::string& text, bool unicodeEscapes, const std::vector<std::string>* answers) {
    fillInValues values;
    // Most phrases hold no mark: no date, clipboard or dialog for them.
    if (text.find("%%") != std::string::npos) {
        std::string longDate, time;
        placeholderDatesNow(longDate, time);
        values.longDate = inPhraseForm(longDate, unicodeEscapes);
        values.time = inPhraseForm(time, unicodeEscapes);
        if (usesClipboard(text)) values.clipboard = inPhraseForm(clipboardTextNow(), unicodeEscapes);
        std::vector<std::string> asked;
        if (!answers && !askFillIns(text, asked)) return;
        for (const std::string& answer : answers ? *answers : asked)
            values.answers.push_back(inPhraseForm(answer, unicodeEscapes));
    }
    filledText filled = fillIn(text, values);
    popup().clip.caretBack = 0;
    if (filled.hasCaretMark)
        popup().clip.caretBack = unicodeEscapes ? caretStepsOfContent(filled.text, filled.caretSteps) : filled.caretSteps;
    if (unicodeEscapes)
        pasteUnicode(contentToUtf16(filled.text, true), true);
    else
        putTextAndPaste(filled.text, true);
}

}  // namespace tv
