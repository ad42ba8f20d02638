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

const std::string_view firstLineStart = "TolvaneClipsU8\t";
const std::string_view noPlace = "-";
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

std::string historyFileCheck(const std::string& historyBytes) { return fileCheck(historyBytes); }

bool historyNeedsCompanion(const historyList& list) {
    const size_t entryCount = std::min(list.count(), historyFileFieldLimit);
    for (size_t i = 0; i < entryCount; ++i)
        if (list.entries()[i]->unicodeEscapes) return true;
    return false;
}

std::string encodeHistoryCompanion(const historyList& list, const std::string& historyBytes,
                                   const replacedHistory& replaced) {
    // The replaced file's texts by their entry: an entry still in the list
    // names its old place on its own line, the others keep a line of their own.
    std::multimap<std::pair<std::string, std::string>, size_t> oldPlaces;
    for (size_t i = 0; i < replaced.texts.size(); ++i)
        oldPlaces.emplace(std::make_pair(replaced.texts[i].stored, replaced.texts[i].text), i);
    std::vector<bool> carried(replaced.texts.size(), false);

    std::string lines;
    const size_t entryCount = std::min(list.count(), historyFileFieldLimit);
    for (size_t i = 0; i < entryCount; ++i) {
        const menuItem& entry = *list.entries()[i];
        if (!entry.unicodeEscapes) continue;
        const std::string stored = storedText(entry);
        const std::string text = shownAsUtf8(entry.text, true);
        std::string oldPlace(noPlace);
        auto found = oldPlaces.find({stored, text});
        if (found != oldPlaces.end()) {
            carried[found->second] = true;
            oldPlace = std::to_string(replaced.texts[found->second].position);
            oldPlaces.erase(found);
        }
        lines += std::to_string(i) + '\t' + oldPlace + '\t' + lineCheck(stored, text) + '\t' + text + "\r\n";
    }
    for (size_t i = 0; i < replaced.texts.size(); ++i) {
        if (carried[i]) continue;
        const companionText& gone = replaced.texts[i];
        lines += std::string(noPlace) + '\t' + std::to_string(gone.position) + '\t' +
                 lineCheck(gone.stored, gone.text) + '\t' + gone.text + "\r\n";
    }
    if (lines.empty()) return lines;
    const std::string oldCheck = replaced.check.empty() ? std::string(noPlace) : replaced.check;
    return std::string(firstLineStart) + "2\t" + fileCheck(historyBytes) + '\t' + oldCheck + "\r\n" + lines;
}

namespace {

// The fields of a line: `count` tab-separated ones, the last taking the rest.
bool splitFields(std::string_view text, size_t count, std::vector<std::string_view>& fields) {
    fields.clear();
    for (size_t i = 0; i + 1 < count; ++i) {
        size_t tab = text.find('\t');
        if (tab == std::string_view::npos) return false;
        fields.push_back(text.substr(0, tab));
        text.remove_prefix(tab + 1);
    }
    fields.push_back(text);
    return true;
}

}  // namespace

// The first line says the form and which clips.dat the companion serves; for
// the second form, `placeField` says which place column belongs to this one.
bool historyCompanion::readFirstLine(std::string_view text, const std::string& historyBytes) {
    std::vector<std::string_view> fields;
    const std::string check = fileCheck(historyBytes);
    if (splitFields(text, 3, fields) && fields[0] == "TolvaneClipsU8" && fields[1] == "1" && isCheck(fields[2])) {
        lineFields_ = 3;
        placeField_ = 0;
        return fields[2] == check;
    }
    if (splitFields(text, 4, fields) && fields[0] == "TolvaneClipsU8" && fields[1] == "2" && isCheck(fields[2]) &&
        (isCheck(fields[3]) || fields[3] == noPlace)) {
        lineFields_ = 4;
        placeField_ = fields[2] == check ? 0 : 1;
        return fields[2] == check || fields[3] == check;
    }
    state_ = companionState::damaged;
    return false;
}

historyCompanion::historyCompanion(const std::string& companionBytes, const std::string& historyBytes) {
    std::string_view bytes = companionBytes;
    bool first = true;
    std::vector<std::string_view> fields;
    for (size_t pos = 0; pos < bytes.size();) {
        size_t end = findLineEnd(bytes, pos);
        std::string_view text = bytes.substr(pos, end - pos);
        pos = end + lineEndLength(bytes, end);
        if (text.empty()) continue;
        if (first) {
            first = false;
            if (readFirstLine(text, historyBytes)) {
                state_ = companionState::matching;
                continue;
            }
            if (state_ != companionState::damaged) state_ = companionState::otherFile;
            return;
        }
        size_t position;
        const size_t checkField = lineFields_ - 2, textField = lineFields_ - 1;
        if (!splitFields(text, lineFields_, fields) || !isCheck(fields[checkField]) ||
            !isValidUtf8(fields[textField])) {
            ++damagedLines_;
            continue;
        }
        // A line for the other clips.dat only.
        if (fields[placeField_] == noPlace) continue;
        if (!parsePosition(fields[placeField_], position) || texts_.count(position)) {
            ++damagedLines_;
            continue;
        }
        texts_[position] = {std::string(fields[checkField]), std::string(fields[textField])};
    }
}

bool historyCompanion::restore(size_t position, const std::string& stored, codePageText& text, std::string* shown) {
    if (state_ != companionState::matching) return false;
    auto found = texts_.find(position);
    if (found == texts_.end() || found->second.check != lineCheck(stored, found->second.text)) return false;
    codePageText escaped = escapedFromShown(found->second.text);
    // The text must come down to exactly what clips.dat holds for the entry.
    std::string plain = withoutUnicodeEscapes(escaped.bytes);
    if (!escaped.unicodeEscapes || plain.substr(0, storedTextLength(plain)) != stored) return false;
    text = std::move(escaped);
    if (shown) *shown = found->second.text;
    ++restored_;
    return true;
}

}  // namespace tv
