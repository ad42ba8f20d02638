#include "cliphistory/history_file.h"

#include <algorithm>
#include <cstdio>
#include <functional>

#include "files/atomic_file.h"
#include "files/cp932.h"
#include "files/menu_file.h"
#include "files/platform_files.h"

namespace tv {

const char* const historyFileName = "clips.dat";

namespace {

void putField(std::string& out, size_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

// Reads bytes front to back; every take fails once the bytes run out.
class fieldReader {
public:
    explicit fieldReader(const std::string& bytes) : bytes_(bytes) {}

    bool takeField(size_t& value) {
        if (bytes_.size() - offset_ < 2) return false;
        value = static_cast<unsigned char>(bytes_[offset_]) |
                (static_cast<size_t>(static_cast<unsigned char>(bytes_[offset_ + 1])) << 8);
        offset_ += 2;
        return true;
    }

    bool takeText(size_t length, std::string& text) {
        if (bytes_.size() - offset_ < length) return false;
        text.assign(bytes_, offset_, length);
        offset_ += length;
        return true;
    }

private:
    const std::string& bytes_;
    size_t offset_ = 0;
};

}  // namespace

size_t storedTextLength(const std::string& text) {
    if (text.size() <= historyFileFieldLimit) return text.size();
    // Lead bytes can only be told from trail bytes by walking from the start. A
    // backslash and the byte after it are one escaped byte: cut apart, the
    // backslash alone would come back as itself, not as the TAB it stood for.
    size_t i = 0;
    while (i < historyFileFieldLimit) {
        unsigned char byte = static_cast<unsigned char>(text[i]);
        size_t width = isLeadByte(byte) || byte == '\\' ? 2 : 1;
        if (i + width > historyFileFieldLimit) break;
        i += width;
    }
    return i;
}

std::string storedText(const menuItem& entry) {
    std::string text = entry.unicodeEscapes ? withoutUnicodeEscapes(entry.text) : entry.text;
    text.resize(storedTextLength(text));
    return text;
}

std::string encodeHistory(const historyList& list) {
    const size_t entryCount = std::min(list.count(), historyFileFieldLimit);
    std::string out;
    putField(out, entryCount);
    for (size_t i = 0; i < entryCount; ++i) {
        const menuItem& entry = *list.entries()[i];
        if (entry.unicodeEscapes) {
            const std::string text = storedText(entry);
            putField(out, text.size());
            out += text;
            continue;
        }
        size_t length = storedTextLength(entry.text);
        putField(out, length);
        out.append(entry.text, 0, length);
    }
    return out;
}

namespace {

// Walks the entries of clips.dat bytes, giving each one kept its place and
// text; what is not an entry is counted in the report.
template <class Take>
void forEachStoredEntry(const std::string& bytes, historyDecodeReport& report, Take take) {
    fieldReader reader(bytes);
    size_t remaining;
    if (!reader.takeField(remaining)) {
        report.truncated = true;
        return;
    }
    for (size_t position = 0; remaining != 0; --remaining, ++position) {
        size_t length;
        if (!reader.takeField(length)) {
            report.truncated = true;
            break;
        }
        if (length == 0) {
            ++report.emptyEntries;
            continue;
        }
        std::string text;
        if (!reader.takeText(length, text)) {
            report.truncated = true;
            break;
        }
        // The text was read as a C string, so a stray zero byte ends it; one
        // that leaves nothing is an empty entry, and those are not kept.
        size_t zero = text.find('\0');
        if (zero != std::string::npos) text.resize(zero);
        if (text.empty()) {
            ++report.emptyEntries;
            continue;
        }
        take(position, std::move(text));
    }
}

// What the clips.dat on disk and its companion hold, for the save that replaces them.
replacedHistory replacedFiles(const std::string& bytes, const std::string& companionBytes) {
    replacedHistory replaced;
    if (bytes.empty()) return replaced;
    replaced.check = historyFileCheck(bytes);
    historyCompanion companion(companionBytes, bytes);
    if (companion.state() != companionState::matching) return replaced;
    historyDecodeReport report;
    forEachStoredEntry(bytes, report, [&](size_t position, std::string stored) {
        codePageText whole;
        std::string shown;
        if (companion.restore(position, stored, whole, &shown))
            replaced.texts.push_back({position, std::move(stored), std::move(shown)});
    });
    return replaced;
}

// A file that cannot be read is taken as empty.
std::string bytesOf(const std::string& path) {
    std::string bytes;
    if (fileExists(path) && !readWholeFile(path, bytes)) bytes.clear();
    return bytes;
}

}  // namespace

historyDecodeReport decodeHistory(const std::string& bytes, historyList& list, const std::string& companionBytes) {
    historyDecodeReport report;
    if (bytes.empty()) return report;
    historyCompanion companion(companionBytes, bytes);
    // Emptying first lets the old entries' ids be forgotten along with the rest,
    // so the loaded entries are numbered from 55500.
    list.eraseHistory();
    forEachStoredEntry(bytes, report, [&](size_t position, std::string text) {
        codePageText whole;
        if (companion.restore(position, text, whole)) {
            list.appendEntry(std::move(whole.bytes), true);
            ++report.restoredTexts;
        } else {
            list.appendEntry(std::move(text));
        }
    });
    report.companion = companion.state();
    report.unusedCompanionLines = companion.damagedLines() + companion.unmatchedTexts();
    return report;
}

bool readHistoryFiles(const std::string& path, historyList& list, historyDecodeReport& report) {
    std::string bytes;
    if (!readWholeFile(path, bytes)) return false;
    // A companion that cannot be read leaves every entry in its code page 932 form.
    report = decodeHistory(bytes, list, bytesOf(historyCompanionPath(path)));
    return true;
}

bool loadHistoryFile(const std::string& path, historyList& list) {
    if (!fileExists(path)) {
        std::FILE* created = openFile(path, "wb");
        if (!created) return false;
        if (std::fclose(created) != 0) return false;
        return true;
    }
    historyDecodeReport report;
    return readHistoryFiles(path, list, report);
}

bool saveHistoryFile(const std::string& path, const historyList& list, const std::function<void()>& betweenFiles) {
    const std::string bytes = encodeHistory(list);
    const std::string companionPath = historyCompanionPath(path);
    // The companion goes first and still completes the clips.dat it replaces,
    // so a save stopped between the two files loses no entry's text.
    const std::string companion =
        encodeHistoryCompanion(list, bytes, replacedFiles(bytesOf(path), bytesOf(companionPath)));
    if (!companion.empty() && !writeWholeFile(companionPath, companion)) return false;
    if (betweenFiles) betweenFiles();
    if (!writeWholeFile(path, bytes)) return false;
    // Once clips.dat is in place, a companion no entry of it needs goes.
    if (historyNeedsCompanion(list)) return true;
    return !fileExists(companionPath) || removeFile(companionPath);
}

bool removeHistoryFiles(const std::string& path) {
    bool removed = !fileExists(path) || removeFile(path);
    const std::string companionPath = historyCompanionPath(path);
    return (!fileExists(companionPath) || removeFile(companionPath)) && removed;
}

historySaveAction decideHistorySave(const std::string& currentDirectory, const std::string& startDirectory,
                                    bool clearHistoryOnExit, const std::string& dataFileName) {
    if (currentDirectory != startDirectory) return historySaveAction::skip;
    if (clearHistoryOnExit) return historySaveAction::deleteFile;
    if (dataFileName != defaultDataFileName) return historySaveAction::skip;
    return historySaveAction::write;
}

}  // namespace tv
