// The outline export: "-目次-", a table of contents indented by depth, then a body
// that repeats each number and display text with the item's content. Texts and
// contents go out exactly as stored, with no escaping.
#include <string>
#include <vector>

#include "files/atomic_file.h"
#include "files/menu_exports.h"
#include "model/tree_walk.h"

namespace tv {

namespace {

enum class outlineSection { contents, body };

// The number and indentation are kept as one growing string each, so a deep tree
// costs no more than its own output.
void writeSection(const menuNode& node, outlineSection section, byteSink& out) {
    std::string number;
    std::string indent;
    std::vector<size_t> numberLengths;
    walkTree(
        node,
        [&](const menuNode& current, size_t depth, size_t position) {
            if (depth > 0) {
                numberLengths.push_back(number.size());
                if (!number.empty()) number += '.';
                number += std::to_string(position);
                indent.assign(2 * depth, ' ');
            }
            if (!current.item) return;
            out.write("\r\n", 2);
            if (section == outlineSection::contents) out.write(indent);
            out.write(number);
            out.write(" ", 1);
            out.write(current.item->text);
            out.write("\r\n", 2);
            if (section == outlineSection::body) {
                out.write("\r\n", 2);
                out.write(current.item->data);
                out.write("\r\n", 2);
            }
        },
        [&](const menuNode& current, size_t depth) {
            if (current.hasChildren()) out.write("\r\n\r\n", 4);
            if (depth > 0) {
                number.resize(numberLengths.back());
                numberLengths.pop_back();
            }
        });
}

}  // namespace

void formatOutline(const menuNode& node, byteSink& out) {
    out.write("-目次-\r\n");
    writeSection(node, outlineSection::contents, out);
    out.write("\r\n\r\n", 4);
    writeSection(node, outlineSection::body, out);
}

bool writeOutline(const std::string& path, const menuNode& node) {
    atomicFile file(path);
    if (!file.open()) return false;
    formatOutline(node, file);
    return file.commit();
}

}  // namespace tv
