// The XML structure file. Each line break is written before the element that
// starts the new line; only the closing root tag is followed by CR LF.
#include <string>

#include "files/atomic_file.h"
#include "files/escaping.h"
#include "files/unicode_escape.h"
#include "files/menu_exports.h"
#include "model/tree_walk.h"

namespace tv {

namespace {

const char* const xmlProlog = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n";
const char* const rootStartTag = " <tolvaneData version=\"0.0\" xmlns=\"urn:tolvane:menu:0\">";
const char* const rootEndTag = "\r\n</tolvaneData>\r\n";

void element(std::string& out, const char* name, const std::string& content) {
    out += '<';
    out += name;
    out += '>';
    out += content;
    out += "</";
    out += name;
    out += '>';
}

// The hotkey and corner elements shared by <rootItem> and <item>.
void keyElements(std::string& out, const menuModel& model, const menuItem& item) {
    if (item.vk != 0) element(out, "vk", std::to_string(item.vk));
    if (item.extKey != 0) element(out, "extKey", std::to_string(item.extKey));
    if (const char* corner = cornerKeyword(model.cornerOf(item))) element(out, "mousePos", corner);
}

std::string itemOpening(const menuModel& model, const menuItem& item) {
    std::string out = "<item";
    if (!item.abbreviation.empty()) {
        out += " abbreviation=\"";
        out += escapeText(item.abbreviation, escapeMode::xml);
        out += '"';
    }
    out += '>';
    element(out, "mode", modeKeyword(item.mode));
    // The display text holds the user's escapes as typed: read them as escapes
    // first, so they come out as typed and any other backslash comes out doubled.
    if (!item.text.empty()) element(out, "text", escapeText(unescapeText(item.text), escapeMode::xml));
    if (!item.data.empty()) {
        std::string data;
        appendContentEscaped(item.data, item.unicodeEscapes, data, escapeMode::xml);
        element(out, "data", data);
    }
    keyElements(out, model, item);
    if (!item.extIconFileName.empty()) {
        element(out, "extIconFileName", escapeText(item.extIconFileName, escapeMode::xml));
        element(out, "extIconIndex", std::to_string(item.extIconIndex));
    }
    return out;
}

}  // namespace

std::string modeKeyword(uint8_t mode) {
    static const char* const keywords[] = {
        "inputString", "inputDataString", "exeProgram",   "hSeparater",       "vSeparater",
        "showSetting", "insertFront",     "clipBoardHistory", "dateTimeExt",  "editHistory",
        "exit",        "eraseClipHistory", "newDateTime", "encloseSelection", "folderPopup",
    };
    if (mode < sizeof keywords / sizeof keywords[0]) return keywords[mode];
    if (mode == itemMode::historyEntry) return "historyEntry";
    return std::to_string(mode);
}

void formatMenuXml(const menuModel& model, const menuNode& node, menuExtent extent, byteSink& out) {
    out.write(xmlProlog);
    out.write(rootStartTag);
    if (extent == menuExtent::wholeMenu && !model.registry.empty()) {
        std::string line = "\r\n  <rootItem>";
        if (node.item) keyElements(line, model, *node.item);
        line += "</rootItem>";
        out.write(line);
    }
    std::string indent;
    // A node without an item writes nothing itself; its children still go one level deeper.
    walkTree(
        node,
        [&](const menuNode& current, size_t depth, size_t) {
            if (!current.item) return;
            indent.assign(2 * depth, ' ');
            out.write("\r\n", 2);
            out.write(indent);
            std::string line = itemOpening(model, *current.item);
            if (!current.hasChildren()) line += "</item>";
            out.write(line);
        },
        [&](const menuNode& current, size_t depth) {
            if (!current.item || !current.hasChildren()) return;
            indent.assign(2 * depth, ' ');
            out.write("\r\n", 2);
            out.write(indent);
            out.write("</item>", 7);
        });
    out.write(rootEndTag);
}

bool writeMenuXml(const menuModel& model, const std::string& path, const menuNode& node, menuExtent extent) {
    atomicFile file(path);
    if (!file.open()) return false;
    formatMenuXml(model, node, extent, file);
    return file.commit();
}

}  // namespace tv
