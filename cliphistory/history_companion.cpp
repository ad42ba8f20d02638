#include "cliphistory/history_companion.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "cliphistory/history_file.h"
#include "files/byte_scan.h"
#include "files/code_page.h"
#include "files/platform_files.h"

namespace tv {

namespace {

const std::string_view firstLineStart = "TolvaneClipsU8\t1\t";
constexpr size_t checkDigits = 16;

std::string hexOf(uint64_t value) {
    static const char digits[] = "0123456789abcdef";
    std::string out(checkDigits, '0');
    for (size_t i = checkDigits; i-- > 0; value >>= 4) out[i] = digits[value & 0xF];
    return out;
}

uint64_t fnv1a(std::string_view bytes, uint64_t hash = 0xCBF29CE484222325ull) {
    for (char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3ull;
    return hash;
}

std::string fileCheck(std::string_view historyBytes) { return hexOf(fnv1a(historyBytes)); }

// Of an entry's bytes in clips.dat, a zero byte and its text.
std::string lineCheck(std::string_view stored, std::string_view text) {
    return hexOf(fnv1a(text, fnv1a(std::string_view("", 1), fnv1a(stored))));
}

bool isCheck(std::string_view text) {
    return text.size() == checkDigits && text.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

// A place in clips.dat: plain decimal digits, below the 65535 entries it can hold.
bool parsePosition(std::string_view text, size_t& position) {
    if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string_view::npos)
        return false;
    position = 0;
    for (char c : text) position = position * 10 + static_cast<size_t>(c - '0');
    return position < historyFileFieldLimit;
}

}  // namespace

std::string historyCompanionPath(const std::string& historyPath) {
    size_t nameStart = fileNameStart(historyPath);
    size_t dot = historyPath.rfind('.');
    if (dot == std::string::npos || dot < nameStart) dot = historyPath.size();
    return historyPath.substr(0, dot) + ".u8";
}

std::string encodeHistoryCompanion(const historyList& list, const std::string& historyBytes) {
    std::string out;
    const size_t entryCount = std::min(list.count(), historyFileFieldLimit);
    for (size_t i = 0; i < entryCount; ++i) {
        const menuItem& entry = *list.entries()[i];
        if (!entry.unicodeEscapes) continue;
        const std::string text = shownAsUtf8(entry.text, true);
        out += std::to_string(i) + '\t' + lineCheck(storedText(entry), text) + '\t' + text + "\r\n";
    }
    if (out.empty()) return out;
    return std::string(firstLineStart) + fileCheck(historyBytes) + "\r\n" + out;
}

historyCompanion::historyCompanion(const std::string& companionBytes, const std::string& historyBytes) {
    std::string_view bytes = companionBytes;
    bool first = true;
    for (size_t pos = 0; pos < bytes.size();) {
        size_t end = findLineEnd(bytes, pos);
        std::string_view text = bytes.substr(pos, end - pos);
        pos = end + lineEndLength(bytes, end);
        if (text.empty()) continue;
        if (first) {
            first = false;
            if (text.substr(0, firstLineStart.size()) != firstLineStart || !isCheck(text.substr(firstLineStart.size()))) {
                state_ = companionState::damaged;
                return;
            }
            if (text.substr(firstLineStart.size()) != fileCheck(historyBytes)) {
                state_ = companionState::otherFile;
                return;
            }
            state_ = companionState::matching;
            continue;
        }
        size_t tab1 = text.find('\t');
        size_t tab2 = tab1 == std::string_view::npos ? tab1 : text.find('\t', tab1 + 1);
        size_t position;
        if (tab2 == std::string_view::npos || !parsePosition(text.substr(0, tab1), position) ||
            !isCheck(text.substr(tab1 + 1, tab2 - tab1 - 1)) || !isValidUtf8(text.substr(tab2 + 1)) ||
            texts_.count(position)) {
            ++damagedLines_;
            continue;
        }
        texts_[position] = {std::string(text.substr(tab1 + 1, checkDigits)), std::string(text.substr(tab2 + 1))};
    }
}

bool historyCompanion::restore(size_t position, const std::string& stored, codePageText& text) {
    if (state_ != companionState::matching) return false;
    auto found = texts_.find(position);
    if (found == texts_.end() || found->second.check != lineCheck(stored, found->second.text)) return false;
    codePageText escaped = escapedFromShown(found->second.text);
    // The text must come down to exactly what clips.dat holds for the entry.
    std::string plain = withoutUnicodeEscapes(escaped.bytes);
    if (!escaped.unicodeEscapes || plain.substr(0, storedTextLength(plain)) != stored) return false;
    text = std::move(escaped);
    ++restored_;
    return true;
}

}  // namespace tv
