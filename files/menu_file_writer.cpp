// Writing the menu data file. Every line of a node at depth d is indented with
// d TABs; the reader ignores indentation, it is there for people editing by hand.
#include <string>

#include "files/atomic_file.h"
#include "files/escaping.h"
#include "files/menu_file.h"
#include "files/platform_files.h"
#include "model/tree_walk.h"

namespace tv {

namespace {

const char* const headerLiteral =
    "0\tメニュー\t---ダイレクト設定編集 ワンポイント---データはタブ1つ区切りです(タブ複数不可)．"
    "数字データは触らないでください（＾＾；(動作を保証できません)\t";

// A TAB, CR or LF in a display text or icon file name would split the line.
std::string oneLine(const std::string& field) {
    std::string out = field;
    for (char& c : out)
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    return out;
}

std::string itemLine(const menuModel& model, const menuItem& item) {
    std::string line;
    line += std::to_string(item.mode);
    line += '\t';
    line += oneLine(item.text);
    line += '\t';
    line += escapeText(item.data);
    line += '\t';
    line += std::to_string(item.vk);
    line += '\t';
    line += std::to_string(item.extKey);
    line += '\t';
    line += std::to_string(model.corners.cornerOf(item.itemId));
    line += '\t';
    line += oneLine(item.extIconFileName);
    line += '\t';
    line += std::to_string(item.extIconIndex);
    line += "\r\n";
    return line;
}

void writeHeader(const menuModel& model, const menuNode& node, menuExtent extent, byteSink& out) {
    std::string header = headerLiteral;
    if (extent == menuExtent::wholeMenu) {
        const menuItem* root = node.item.get();
        header += std::to_string(root ? root->vk : 0);
        header += '\t';
        header += std::to_string(root ? root->extKey : 0);
        header += '\t';
        header += std::to_string(root ? model.corners.cornerOf(root->itemId) : 0);
    }
    header += "\r\n";
    out.write(header);
}

// Writes `node` and its subtree; `baseDepth` is the depth the node itself is at.
void writeNodes(const menuModel& model, const menuNode& node, bool writeStartNode, byteSink& out) {
    // The start node of a whole menu is the root: no line and no braces of its own,
    // so its children are at depth 0.
    const size_t shift = writeStartNode ? 0 : 1;
    std::string indent;
    auto indentTo = [&](size_t depth) { indent.assign(depth, '\t'); };
    walkTree(
        node,
        [&](const menuNode& current, size_t depth, size_t) {
            if (!writeStartNode && depth == 0) return;
            indentTo(depth - shift);
            if (current.item) {
                out.write(indent);
                out.write(itemLine(model, *current.item));
            }
            if (current.hasChildren()) {
                out.write(indent);
                out.write("{\r\n", 3);
            }
        },
        [&](const menuNode& current, size_t depth) {
            if (!writeStartNode && depth == 0) return;
            if (!current.hasChildren()) return;
            indentTo(depth - shift);
            out.write(indent);
            out.write("}\r\n", 3);
        });
}

}  // namespace

void formatMenuFile(const menuModel& model, const menuNode& node, menuExtent extent, byteSink& out) {
    // A menu with no items at all is written as an empty file.
    if (model.registry.empty()) return;
    writeHeader(model, node, extent, out);
    writeNodes(model, node, extent == menuExtent::subtree, out);
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
