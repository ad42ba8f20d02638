#include "popup/fill_ins.h"

#include <algorithm>

#include "files/cp932.h"
#include "files/item_text.h"

namespace tv {

namespace {

// One piece of the text: a mark, or bytes copied as they are.
struct piece {
    enum kind { plain, date, time, caret, clipboard, label } what;
    size_t start;
    size_t size;  // plain: the bytes; label: the label's bytes
};

// Reads the piece at `pos`, which the caller advances by `length`.
piece pieceAt(const std::string& text, size_t pos, size_t& length) {
    length = 3;
    if (text.compare(pos, 2, "%%") == 0 && pos + 2 < text.size()) {
        switch (text[pos + 2]) {
        case 'd': return {piece::date, pos, 0};
        case 't': return {piece::time, pos, 0};
        case '|': return {piece::caret, pos, 0};
        case 'c': return {piece::clipboard, pos, 0};
        case '?': {
            size_t close = text.find("%%", pos + 3);
            size_t lineBreak = text.find_first_of("\r\n", pos + 3);
            if (close == std::string::npos || lineBreak < close) break;
            length = close + 2 - pos;
            return {piece::label, pos + 3, close - pos - 3};
        }
        default: break;
        }
    }
    length = characterWidthAt(text, pos);
    return {piece::plain, pos, length};
}

template <class Visit>
void forEachPiece(const std::string& text, Visit&& visit) {
    size_t length = 0;
    for (size_t pos = 0; pos < text.size(); pos += length) visit(pieceAt(text, pos, length));
}

}  // namespace

std::vector<std::string> fillInLabels(const std::string& text) {
    std::vector<std::string> labels;
    forEachPiece(text, [&](const piece& p) {
        if (p.what != piece::label) return;
        std::string label = text.substr(p.start, p.size);
        if (std::find(labels.begin(), labels.end(), label) == labels.end()) labels.push_back(std::move(label));
    });
    return labels;
}

bool usesClipboard(const std::string& text) {
    bool uses = false;
    forEachPiece(text, [&](const piece& p) { uses = uses || p.what == piece::clipboard; });
    return uses;
}

filledText fillIn(const std::string& text, const fillInValues& values) {
    const std::vector<std::string> labels = fillInLabels(text);
    filledText filled;
    size_t caretAt = 0;
    forEachPiece(text, [&](const piece& p) {
        switch (p.what) {
        case piece::plain: filled.text.append(text, p.start, p.size); break;
        case piece::date: filled.text += values.longDate; break;
        case piece::time: filled.text += values.time; break;
        case piece::clipboard: filled.text += values.clipboard; break;
        case piece::caret:
            if (!filled.hasCaretMark) caretAt = filled.text.size();
            filled.hasCaretMark = true;
            break;
        case piece::label: {
            size_t index = static_cast<size_t>(
                std::find(labels.begin(), labels.end(), text.substr(p.start, p.size)) - labels.begin());
            if (index < values.answers.size()) filled.text += values.answers[index];
            break;
        }
        }
    });
    if (filled.hasCaretMark) filled.caretSteps = caretSteps(filled.text.substr(caretAt));
    return filled;
}

}  // namespace tv
