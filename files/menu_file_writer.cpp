// Writing the menu data file. Every line of a node at depth d is indented with
// d TABs; the reader ignores indentation, it is there for people editing by hand.
#include <charconv>
#include <string>

#include "files/atomic_file.h"
#include "files/unicode_escape.h"
#include "files/menu_file.h"
#include "files/platform_files.h"
#include "model/tree_walk.h"

namespace tv {

namespace {

const char* const headerLiteral =
    "0\tメニュー\t---ダイレクト設定編集 ワンポイント---データはタブ1つ区切りです(タブ複数不可)．"
    "数字データは触らないでください（＾＾；(動作を保証できません)\t";

// The lines are built in one buffer that goes to the sink about a kilobyte at a
// time: a write per line costs more than its bytes, and the file is buffered
// again below us, so bigger pieces gain nothing.
class lineBuffer {
public:
    explicit lineBuffer(byteSink& sink) : sink_(sink) { bytes.reserve(flushSize + flushSize / 2); }

    // Called after each complete line, so a write never splits one.
    void lineDone() {
        if (bytes.size() >= flushSize) flush();
    }
    void flush() {
        sink_.write(bytes);
        bytes.clear();
    }

    std::string bytes;

private:
    static constexpr size_t flushSize = 1024;
    byteSink& sink_;
};

template <class Number>
void appendNumber(std::string& out, Number value) {
    char digits[16];
    const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, static_cast<size_t>(end - digits));
}

// A TAB, CR or LF in a display text or icon file name would split the line.
void appendOneLine(std::string& out, const std::string& field) {
    const size_t start = out.size();
    out += field;
    for (size_t i = start; i < out.size(); ++i)
        if (out[i] == '\t' || out[i] == '\r' || out[i] == '\n') out[i] = ' ';
}

void appendItemLine(std::string& out, const menuModel& model, const menuItem& item) {
    appendNumber(out, item.mode);
    out += '\t';
    appendOneLine(out, item.text);
    out += '\t';
    appendContentEscaped(item.data, item.unicodeEscapes, out);
    out += '\t';
    appendNumber(out, item.vk);
    out += '\t';
    appendNumber(out, item.extKey);
    out += '\t';
    appendNumber(out, model.cornerOf(item));
    out += '\t';
    appendOneLine(out, item.extIconFileName);
    out += '\t';
    appendNumber(out, item.extIconIndex);
    // Only an item with an abbreviation has the ninth column, so a menu without
    // any is written as it always was.
    if (!item.abbreviation.empty()) {
        out += '\t';
        appendOneLine(out, item.abbreviation);
    }
    out += "\r\n";
}

void writeHeader(const menuModel& model, const menuNode& node, menuExtent extent, lineBuffer& out) {
    out.bytes += headerLiteral;
    if (extent == menuExtent::wholeMenu) {
        const menuItem* root = node.item.get();
        appendNumber(out.bytes, root ? root->vk : 0);
        out.bytes += '\t';
        appendNumber(out.bytes, root ? root->extKey : 0);
        out.bytes += '\t';
        appendNumber(out.bytes, root ? model.cornerOf(*root) : 0);
    }
    out.bytes += "\r\n";
    out.lineDone();
}

// Writes `node` and its subtree.
void writeNodes(const menuModel& model, const menuNode& node, bool writeStartNode, lineBuffer& out) {
    // The start node of a whole menu is the root: no line and no braces of its own,
    // so its children are at depth 0.
    const size_t shift = writeStartNode ? 0 : 1;
    walkTree(
        node,
        [&](const menuNode& current, size_t depth, size_t) {
            if (!writeStartNode && depth == 0) return;
            if (current.item) {
                out.bytes.append(depth - shift, '\t');
                appendItemLine(out.bytes, model, *current.item);
            }
            if (current.hasChildren()) {
                out.bytes.append(depth - shift, '\t');
                out.bytes += "{\r\n";
            }
            out.lineDone();
        },
        [&](const menuNode& current, size_t depth) {
            if (!writeStartNode && depth == 0) return;
            if (!current.hasChildren()) return;
            out.bytes.append(depth - shift, '\t');
            out.bytes += "}\r\n";
            out.lineDone();
        });
}

}  // namespace

void formatMenuFile(const menuModel& model, const menuNode& node, menuExtent extent, byteSink& out) {
    // A menu with no items at all is written as an empty file.
    if (model.registry.empty()) return;
    lineBuffer buffer(out);
    writeHeader(model, node, extent, buffer);
    writeNodes(model, node, extent == menuExtent::subtree, buffer);
    buffer.flush();
}

bool writeMenuFile(const menuModel& model, const std::string& path, const menuNode& node, menuExtent extent) {
    atomicFile file(path);
    if (!file.open()) return false;
    formatMenuFile(model, node, extent, file);
    return file.commit();
}

std::string dataFilePath(const std::string& startDirectory, const std::string& dataFileName) {
    if (isAbsolutePath(dataFileName)) return dataFileName;
    return joinPath(startDirectory, dataFileName);
}

}  // namespace tv
