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

#include "files/atomic_file.h"
#include "files/escaping.h"
#include "files/menu_file.h"

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
            size_t end = lineEnd(start);
            size_t number = ++lineNumber_;
            pos_ = end;
            if (pos_ < bytes_.size()) {
                if (bytes_[pos_] == '\r' && pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == '\n') ++pos_;
                ++pos_;
            }
            while (start < end && isBlank(bytes_[start])) ++start;
            if (start == end) continue;
            line = bytes_.substr(start, end - start);
            lineNumber = number;
            return true;
        }
        return false;
    }

private:
    // The first CR or LF from `start` on. The next LF is kept between lines, so a
    // file with CR line ends is not searched to its end for an LF on every line.
    size_t lineEnd(size_t start) {
        if (nextLf_ < start || nextLf_ == unknown) {
            nextLf_ = bytes_.find('\n', start);
            if (nextLf_ == std::string_view::npos) nextLf_ = bytes_.size();
        }
        const void* cr = std::memchr(bytes_.data() + start, '\r', nextLf_ - start);
        return cr ? static_cast<size_t>(static_cast<const char*>(cr) - bytes_.data()) : nextLf_;
    }

    static constexpr size_t unknown = static_cast<size_t>(-1);
    std::string_view bytes_;
    size_t pos_ = 0;
    size_t nextLf_ = unknown;
    size_t lineNumber_ = 0;
};

// An item line has eight columns; later ones are ignored and missing ones are empty.
constexpr size_t columnCount = 8;
using lineColumns = std::array<std::string_view, columnCount>;

lineColumns splitColumns(std::string_view line) {
    lineColumns columns{};
    size_t start = 0;
    for (size_t i = 0; i < columnCount; ++i) {
        size_t tab = line.find('\t', start);
        columns[i] = line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
        if (tab == std::string_view::npos) break;
        start = tab + 1;
    }
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

itemFields fieldsOfLine(const lineColumns& columns) {
    int extKeyColumn = parseDecimal(columns[4]);
    itemFields fields;
    fields.mode = static_cast<uint8_t>(parseDecimal(columns[0]) & 0xFF);
    fields.text.assign(columns[1]);
    appendUnescaped(columns[2], fields.data);
    fields.vk = static_cast<uint16_t>((parseDecimal(columns[3]) & 0xFFFF) | modifierBitsOf(extKeyColumn));
    fields.extKey = static_cast<uint8_t>(extKeyColumn & extKeyKeptBits);
    fields.extIconFileName.assign(columns[6]);
    fields.extIconIndex = parseDecimal(columns[7]);
    return fields;
}

void createRootItem(menuModel& model, menuNode& root, const lineColumns& columns) {
    itemFields fields = fieldsOfLine(columns);
    fields.mode = itemMode::inputString;
    fields.text = rootItemText;
    fields.data.clear();
    fields.extIconFileName.clear();
    fields.extIconIndex = 0;
    menuItem& item = model.createItem(root, fields);
    model.setCorner(item, parseDecimal(columns[5]));
}

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
    std::vector<menuNode*> parents{&target};
    bool headerExpected = true;
    std::string_view line;
    size_t lineNumber = 0;
    while (lines.next(line, lineNumber)) {
        if (headerExpected) {
            // The first line must be the header; anything else is not our file.
            if (line.substr(0, headerStart.size()) != headerStart) {
                report.status = readStatus::notMenuFile;
                report.faultLine = lineNumber;
                return report;
            }
            headerExpected = false;
            if (kind == readTarget::runningMenu) createRootItem(model, target, splitColumns(line));
            continue;
        }
        if (line[0] == '{') {
            // Opens the children of the item just read at this level.
            menuNode* parent = parents.back();
            if (parent->hasChildren())
                parents.push_back(&parent->lastChild());
            else
                report.ignoredOpenLines.push_back(lineNumber);
            continue;
        }
        if (line[0] == '}') {
            parents.pop_back();
            if (parents.empty()) {
                // A "}" with nothing open: keep what was read and ignore the rest.
                report.unmatchedCloseLine = lineNumber;
                return report;
            }
            continue;
        }
        lineColumns columns = splitColumns(line);
        // The item goes straight into its place: no node is moved.
        menuNode* parent = parents.back();
        parent->appendChild(menuNode());
        menuItem& item = model.createItem(parent->lastChild(), fieldsOfLine(columns));
        if (item.itemId == noItemId && report.itemsWithoutId++ == 0) report.firstItemWithoutIdLine = lineNumber;
        if (kind == readTarget::runningMenu) model.setCorner(item, parseDecimal(columns[5]));
    }
    return report;
}

}  // namespace

int parseDecimal(std::string_view column) {
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

// A read into the running menu replaces it. The old items go before the id range
// is reset, so none of them can hand its id back after a new item has taken it.
void prepareTarget(menuModel& model, menuNode& target, readTarget kind) {
    if (kind != readTarget::runningMenu) return;
    target.clear();
    model.resetForRunningMenu();
}

}  // namespace

readReport parseMenuText(menuModel& model, const std::string& bytes, menuNode& target, readTarget kind) {
    prepareTarget(model, target, kind);
    if (bytes.empty()) return readReport{readStatus::emptyFile, 0, {}};
    return parseLines(model, bytes, target, kind);
}

readReport readMenuFile(menuModel& model, const std::string& path, menuNode& target, readTarget kind) {
    prepareTarget(model, target, kind);
    std::string bytes;
    if (!readWholeFile(path, bytes)) return readReport{readStatus::notFound, 0, {}};
    if (bytes.empty()) return readReport{readStatus::emptyFile, 0, {}};
    return parseLines(model, std::move(bytes), target, kind);
}

}  // namespace tv
