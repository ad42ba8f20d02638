// Reading the menu data file. The reader works on the whole file in memory and
// keeps its own stack of open parents, so neither the number of lines nor the
// nesting depth is limited by anything but memory.
#include <array>
#include <climits>
#include <cstdio>
#include <string_view>
#include <vector>

#include "files/atomic_file.h"
#include "files/escaping.h"
#include "files/menu_file.h"

namespace tv {

const char* const defaultDataFileName = "tv2_text.ini";
const char* const initialMenuFileName = "org_text.ini";
const char* const rootItemText = "メニュー";

namespace {

const std::string headerStart = std::string("0\t") + "メニュー";

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// Hands out the file's lines with their 1-based numbers; CR, LF and CR LF each end
// a line, and blank lines are skipped.
class lineCursor {
public:
    explicit lineCursor(const std::string& bytes) : bytes_(bytes) {}

    bool next(std::string& line, size_t& lineNumber) {
        while (pos_ < bytes_.size()) {
            size_t start = pos_;
            while (pos_ < bytes_.size() && bytes_[pos_] != '\r' && bytes_[pos_] != '\n') ++pos_;
            size_t end = pos_;
            size_t number = ++lineNumber_;
            if (pos_ < bytes_.size()) {
                if (bytes_[pos_] == '\r' && pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == '\n') ++pos_;
                ++pos_;
            }
            while (start < end && isBlank(bytes_[start])) ++start;
            if (start == end) continue;
            line.assign(bytes_, start, end - start);
            lineNumber = number;
            return true;
        }
        return false;
    }

private:
    const std::string& bytes_;
    size_t pos_ = 0;
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
    fields.text = std::string(columns[1]);
    fields.data = unescapeText(std::string(columns[2]));
    fields.vk = static_cast<uint16_t>((parseDecimal(columns[3]) & 0xFFFF) | modifierBitsOf(extKeyColumn));
    fields.extKey = static_cast<uint8_t>(extKeyColumn & extKeyKeptBits);
    fields.extIconFileName = std::string(columns[6]);
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
    model.corners.setCorner(item.itemId, parseDecimal(columns[5]));
}

readReport parseLines(menuModel& model, const std::string& bytes, menuNode& target, readTarget kind) {
    readReport report;
    // The content ends at the first NUL byte.
    std::string content = bytes.substr(0, bytes.find('\0'));
    lineCursor lines(content);
    std::vector<menuNode*> parents{&target};
    bool headerExpected = true;
    std::string line;
    size_t lineNumber = 0;
    while (lines.next(line, lineNumber)) {
        if (headerExpected) {
            // The first line must be the header; anything else is not our file.
            if (line.compare(0, headerStart.size(), headerStart) != 0) {
                report.status = readStatus::notMenuFile;
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
        menuNode child;
        menuItem& item = model.createItem(child, fieldsOfLine(columns));
        if (kind == readTarget::runningMenu) model.corners.setCorner(item.itemId, parseDecimal(columns[5]));
        parents.back()->appendChild(std::move(child));
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
    return parseLines(model, bytes, target, kind);
}

}  // namespace tv
