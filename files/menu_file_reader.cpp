// Reading the menu data file. The reader works on the whole file in memory and
// keeps its own stack of open parents, so neither the number of lines nor the
// nesting depth is limited by anything but memory.
#include <array>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

#include "files/abbreviation_text.h"
#include "files/atomic_file.h"
#include "files/byte_scan.h"
#include "files/menu_file.h"
#include "files/unicode_escape.h"

namespace tv {

const char* const defaultDataFileName = "tv2_text.ini";
const char* const initialMenuFileName = "org_text.ini";
const char* const rootItemText = "メニュー";

namespace {

const std::string_view headerStart = "0\tメニュー";

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// Hands out the file's lines with their 1-based numbers; CR, LF and CR LF each end
// a line, and blank lines are skipped. The lines are views into the file's bytes.
class lineCursor {
public:
    explicit lineCursor(std::string_view bytes) : bytes_(bytes) {}

    bool next(std::string_view& line, size_t& lineNumber) {
        while (pos_ < bytes_.size()) {
            size_t start = pos_;
            size_t end = findLineEnd(bytes_, start);
            size_t number = ++lineNumber_;
            pos_ = end + lineEndLength(bytes_, end);
            while (start < end && isBlank(bytes_[start])) ++start;
            if (start == end) continue;
            line = bytes_.substr(start, end - start);
            lineNumber = number;
            return true;
        }
        return false;
    }

private:
    std::string_view bytes_;
    size_t pos_ = 0;
    size_t lineNumber_ = 0;
};

// An item line has eight columns, and a ninth for an item's abbreviation; later
// ones are ignored and missing ones are empty.
constexpr size_t columnCount = 9;

// Where a column lies in its line. Plain data, so that a line's columns are not
// cleared before they are found.
struct columnSpan {
    const char* start;
    size_t size;
    operator std::string_view() const { return {start, size}; }
};
using lineColumns = std::array<columnSpan, columnCount>;

lineColumns splitColumns(std::string_view line) {
    lineColumns columns;
    size_t column = 0;
    size_t start = 0;
    forEachByte(line, '\t', [&](size_t tab) {
        columns[column++] = {line.data() + start, tab - start};
        start = tab + 1;
        return column < columnCount;
    });
    if (column < columnCount) columns[column++] = {line.data() + start, line.size() - start};
    for (; column < columnCount; ++column) columns[column] = {line.data() + line.size(), 0};
    return columns;
}

// Column 4 carries the Windows-key and expanded bits, and may also carry the
// hot-key modifiers in the bits 0x08 (Alt), 0x04 (Control) and 0x02 (Shift).
uint16_t modifierBitsOf(int extKeyColumn) {
    uint16_t bits = 0;
    if (extKeyColumn & 0x08) bits |= hotkeyAlt;
    if (extKeyColumn & 0x04) bits |= hotkeyControl;
    if (extKeyColumn & 0x02) bits |= hotkeyShift;
    return bits;
}

// The key columns: the key with its modifiers, and the extended key bits.
void readKey(menuItem& item, const lineColumns& columns) {
    int extKeyColumn = parseDecimal(columns[4]);
    item.vk = static_cast<uint16_t>((parseDecimal(columns[3]) & 0xFFFF) | modifierBitsOf(extKeyColumn));
    item.extKey = static_cast<uint8_t>(extKeyColumn & extKeyKeptBits);
}

// What reading a line kept as it stood or had to change, for tvtool check.
struct lineNotes {
    bool malformedEscape = false;      // a "\u{" in the content that is no escape
    bool abbreviationChanged = false;  // cut or cleaned to be kept
};

lineNotes fillFromLine(menuItem& item, const lineColumns& columns) {
    lineNotes notes;
    item.mode = static_cast<uint8_t>(parseDecimal(columns[0]) & 0xFF);
    item.text = std::string(columns[1]);
    unescapedContent content = unescapeContent(columns[2]);
    item.data = std::move(content.content.bytes);
    item.unicodeEscapes = content.content.unicodeEscapes;
    readKey(item, columns);
    item.extIconFileName = std::string(columns[6]);
    item.extIconIndex = parseDecimal(columns[7]);
    notes.malformedEscape = content.malformedEscapes != 0;
    if (columns[8].size == 0) return notes;
    item.abbreviation = usableAbbreviation(columns[8]);
    notes.abbreviationChanged = item.abbreviation != std::string_view(columns[8]);
    return notes;
}

void createRootItem(menuModel& model, menuNode& root, const lineColumns& columns) {
    // The header keeps only the root's key, its key bits and its corner; every
    // other field of the root stays at its default.
    menuItem& item = model.createItem(root);
    readKey(item, columns);
    item.text = rootItemText;
    model.setCorner(item, parseDecimal(columns[5]));
}

// The open levels of the tree being read. Each level gathers its items in a list
// that keeps its room from one folder to the next; when the level closes, its
// items move to their parent in one piece, so a long folder is not copied over
// and over as it grows. The target's own children are level 0 while reading.
class openLevels {
public:
    explicit openLevels(menuNode& target) : target_(target), levels_(1) { levels_[0].swap(target.children); }
    ~openLevels() {
        while (close()) {
        }
        target_.children.swap(levels_[0]);
    }
    openLevels(const openLevels&) = delete;
    openLevels& operator=(const openLevels&) = delete;

    menuNode& append() {
        levels_[depth_].emplace_back();
        return levels_[depth_].back();
    }
    // Opens the children of the last item at this level; false when there is none.
    bool open() {
        if (levels_[depth_].empty()) return false;
        if (++depth_ == levels_.size()) levels_.emplace_back();
        return true;
    }
    // Hands the innermost level to its parent; false when only the target is open.
    bool close() {
        if (depth_ == 0) return false;
        std::vector<menuNode>& finished = levels_[depth_--];
        std::vector<menuNode>& children = levels_[depth_].back().children;
        children.reserve(children.size() + finished.size());
        for (menuNode& node : finished) children.push_back(std::move(node));
        finished.clear();
        return true;
    }

private:
    menuNode& target_;
    std::vector<std::vector<menuNode>> levels_;
    size_t depth_ = 0;
};

readReport parseLines(menuModel& model, std::string bytes, menuNode& target, readTarget kind) {
    readReport report;
    // The content ends at the first NUL byte.
    size_t nul = bytes.find('\0');
    if (nul != std::string::npos) bytes.resize(nul);
    decodedMenuText decoded = decodeMenuText(std::move(bytes));
    report.encoding = decoded.encoding;
    if (decoded.fault != conversionFault::none) {
        report.status = readStatus::notConvertible;
        report.fault = decoded.fault;
        report.faultLine = decoded.faultLine;
        return report;
    }
    lineCursor lines(decoded.text);
    std::string_view line;
    size_t lineNumber = 0;
    if (!lines.next(line, lineNumber)) return report;
    // The first line must be the header; anything else is not our file.
    if (line.substr(0, headerStart.size()) != headerStart) {
        report.status = readStatus::notMenuFile;
        report.faultLine = lineNumber;
        return report;
    }
    if (kind == readTarget::runningMenu) createRootItem(model, target, splitColumns(line));
    openLevels levels(target);
    while (lines.next(line, lineNumber)) {
        if (line[0] == '{') {
            // Opens the children of the item just read at this level.
            if (!levels.open()) report.ignoredOpenLines.push_back(lineNumber);
            continue;
        }
        if (line[0] == '}') {
            if (!levels.close()) {
                // A "}" with nothing open: keep what was read and ignore the rest.
                report.unmatchedCloseLine = lineNumber;
                return report;
            }
            continue;
        }
        lineColumns columns = splitColumns(line);
        menuItem& item = model.createItem(levels.append());
        lineNotes notes = fillFromLine(item, columns);
        if (notes.malformedEscape) report.malformedEscapeLines.push_back(lineNumber);
        if (notes.abbreviationChanged) report.changedAbbreviationLines.push_back(lineNumber);
        if (typingTriggers triggers = typingTriggersOf(item); triggers.any())
            report.unarmedItems.push_back({lineNumber, triggers});
        if (item.itemId == noItemId && report.itemsWithoutId++ == 0) report.firstItemWithoutIdLine = lineNumber;
        if (kind == readTarget::runningMenu) model.setCorner(item, parseDecimal(columns[5]));
    }
    return report;
}

}  // namespace

int parseDecimal(std::string_view column) {
    // Nearly every number in a data file is a few plain digits.
    if (!column.empty() && column.size() < 10) {
        int value = 0;
        size_t i = 0;
        for (; i < column.size(); ++i) {
            unsigned digit = static_cast<unsigned char>(column[i]) - unsigned('0');
            if (digit > 9) break;
            value = value * 10 + static_cast<int>(digit);
        }
        if (i == column.size()) return value;
    }
    size_t i = 0;
    while (i < column.size() && (column[i] == ' ' || (column[i] >= '\t' && column[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < column.size() && (column[i] == '+' || column[i] == '-')) negative = column[i++] == '-';
    long long value = 0;
    for (; i < column.size() && column[i] >= '0' && column[i] <= '9'; ++i) {
        value = value * 10 + (column[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    return static_cast<int>(value);
}

namespace {

readReport reportOf(readStatus status) {
    readReport report;
    report.status = status;
    return report;
}

// A read into the running menu replaces it. The old items go before the id range
// is reset, so none of them can hand its id back after a new item has taken it.
void prepareTarget(menuModel& model, menuNode& target, readTarget kind) {
    if (kind != readTarget::runningMenu) return;
    // Forgetting the whole registry first spares each old item its own removal.
    model.registry.clear();
    target.clear();
    model.resetForRunningMenu();
}

}  // namespace

readReport parseMenuText(menuModel& model, const std::string& bytes, menuNode& target, readTarget kind) {
    prepareTarget(model, target, kind);
    if (bytes.empty()) return reportOf(readStatus::emptyFile);
    return parseLines(model, bytes, target, kind);
}

readReport readMenuFile(menuModel& model, const std::string& path, menuNode& target, readTarget kind) {
    prepareTarget(model, target, kind);
    std::string bytes;
    if (!readWholeFile(path, bytes)) return reportOf(readStatus::notFound);
    if (bytes.empty()) return reportOf(readStatus::emptyFile);
    return parseLines(model, std::move(bytes), target, kind);
}

}  // namespace tv
