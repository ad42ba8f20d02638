// tvtool rewrite / xml / outline / check: the menu data file commands.
#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

#include "abbrev/abbreviation_matcher.h"
#include "files/atomic_file.h"
#include "files/menu_exports.h"
#include "files/menu_file.h"
#include "files/typing_triggers.h"
#include "model/tree_walk.h"
#include "tools/tvtool/commands.h"

namespace tvtool {

namespace {

struct menuArgs {
    std::string input;
    std::string output;
    std::string itemPath;  // "2/1": 1-based child indices from the root
};

bool parseMenuArgs(const char* command, const std::vector<std::string>& args, menuArgs& parsed) {
    std::vector<std::string> positional;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--item" && i + 1 < args.size()) {
            parsed.itemPath = args[++i];
        } else if (args[i].rfind("--", 0) == 0) {
            std::fprintf(stderr, "tvtool %s: unknown option '%s'\n", command, args[i].c_str());
            return false;
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 2) {
        std::fprintf(stderr, "tvtool %s: usage: tvtool %s IN OUT [--item P]\n", command, command);
        return false;
    }
    parsed.input = positional[0];
    parsed.output = positional[1];
    return true;
}

// Says why a file is not a menu data file, with the line at fault: the same
// reason the program gives when it sets its data file aside.
void explainRejection(const std::string& path, const tv::readReport& report) {
    switch (report.status) {
    case tv::readStatus::notFound:
        std::fprintf(stderr, "%s: cannot open the file\n", path.c_str());
        return;
    case tv::readStatus::emptyFile:
        std::fprintf(stderr, "%s: not a menu data file: the file is empty (0 bytes)\n", path.c_str());
        return;
    case tv::readStatus::notMenuFile:
        std::fprintf(stderr,
                     "%s: not a menu data file: line %zu does not begin with \"0\", a TAB and \"メニュー\"\n",
                     path.c_str(), report.faultLine);
        break;
    case tv::readStatus::notConvertible:
        if (report.fault == tv::conversionFault::invalidUtf8)
            std::fprintf(stderr, "%s: read as UTF-8, but line %zu is not valid UTF-8\n", path.c_str(),
                         report.faultLine);
        else
            std::fprintf(stderr, "%s: line %zu has a character that Shift_JIS (code page 932) cannot hold\n",
                         path.c_str(), report.faultLine);
        break;
    default: return;
    }
    std::fprintf(stderr, "as its data file, Tolvane would keep it as %s.rejected and use the initial menu\n",
                 path.c_str());
}

// Reads the input as the running menu; prints why not and returns the exit code on failure.
int readInput(tv::menuModel& model, const std::string& path, tv::readReport& report) {
    report = tv::readMenuFile(model, path, model.root, tv::readTarget::runningMenu);
    if (report.status == tv::readStatus::loaded) return 0;
    explainRejection(path, report);
    return report.status == tv::readStatus::notFound ? 2 : 1;
}

const tv::menuNode* selectItem(const tv::menuNode& root, const std::string& itemPath) {
    const tv::menuNode* node = &root;
    size_t start = 0;
    while (start <= itemPath.size()) {
        size_t slash = itemPath.find('/', start);
        std::string part = itemPath.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        if (part.empty() || part.find_first_not_of("0123456789") != std::string::npos) return nullptr;
        unsigned long index = std::stoul(part);
        if (index == 0 || index > node->childCount()) return nullptr;
        node = &node->children[index - 1];
        if (slash == std::string::npos) break;
        start = slash + 1;
    }
    return node;
}

enum class exportKind { dataFile, xml, outline };

bool writeExport(exportKind kind, const tv::menuModel& model, const menuArgs& args, const tv::menuNode& node,
                 tv::menuExtent extent) {
    switch (kind) {
    case exportKind::dataFile: return tv::writeMenuFile(model, args.output, node, extent);
    case exportKind::xml: return tv::writeMenuXml(model, args.output, node, extent);
    case exportKind::outline: return tv::writeOutline(args.output, node);
    }
    return false;
}

int runExport(const char* command, exportKind kind, const std::vector<std::string>& rawArgs) {
    menuArgs args;
    if (!parseMenuArgs(command, rawArgs, args)) return 2;
    tv::menuModel model;
    tv::readReport report;
    if (int failure = readInput(model, args.input, report)) return failure;

    bool written;
    if (!args.itemPath.empty()) {
        const tv::menuNode* node = selectItem(model.root, args.itemPath);
        if (!node) {
            std::fprintf(stderr, "tvtool %s: no item at '%s' (the menu has %zu top-level items)\n", command,
                         args.itemPath.c_str(), model.root.childCount());
            return 2;
        }
        written = writeExport(kind, model, args, *node, tv::menuExtent::subtree);
    } else if (kind == exportKind::outline) {
        // The whole menu's outline: a node without an item whose children are the top level.
        tv::menuNode carrier;
        carrier.children.swap(model.root.children);
        written = writeExport(kind, model, args, carrier, tv::menuExtent::wholeMenu);
        carrier.children.swap(model.root.children);
    } else {
        written = writeExport(kind, model, args, model.root, tv::menuExtent::wholeMenu);
    }
    if (!written) {
        std::fprintf(stderr, "tvtool %s: cannot write '%s'\n", command, args.output.c_str());
        return 2;
    }
    return 0;
}

// "2/1", the form --item takes, from the 1-based positions of a node and its folders.
std::string itemPath(const std::vector<size_t>& positions) {
    std::string path;
    for (size_t position : positions) {
        if (!path.empty()) path += '/';
        path += std::to_string(position);
    }
    return path;
}

// Abbreviations that were cut on reading, sit on items that cannot expand, or
// never expand because another item takes them first.
void warnAboutAbbreviations(const tv::menuModel& model, const tv::readReport& report) {
    for (size_t line : report.changedAbbreviationLines)
        std::printf("warning: line %zu: the abbreviation is longer than %zu bytes or holds control characters; "
                    "only what fits was kept\n",
                    line, tv::maxAbbreviationBytes);
    // Where each item with an abbreviation is, for the conflicts below.
    std::unordered_map<const tv::menuItem*, std::string> paths;
    std::vector<size_t> positions;
    tv::walkTree(
        model.root,
        [&](const tv::menuNode& node, size_t depth, size_t position) {
            if (depth == 0) return;
            positions.push_back(position);
            if (!node.item || node.item->abbreviation.empty()) return;
            const std::string& path = paths[node.item.get()] = itemPath(positions);
            // A program's abbreviation of one character is an error, told apart.
            if (tv::expandsByAbbreviation(node) || tv::typingTriggersOf(*node.item).abbreviation) return;
            std::printf("warning: item %s: the abbreviation \"%s\" never expands: %s\n", path.c_str(),
                        node.item->abbreviation.c_str(),
                        node.hasChildren() ? "a folder opens its submenu"
                                           : "only phrases, dates, enclosures and programs run by their abbreviation");
        },
        [&](const tv::menuNode&, size_t depth) {
            if (depth > 0) positions.pop_back();
        });
    for (const tv::abbreviationConflict& conflict : tv::findAbbreviationConflicts(model.root))
        std::printf("warning: item %s: the abbreviation \"%s\" never expands: item %s %s \"%s\"\n",
                    paths[conflict.item].c_str(), conflict.item->abbreviation.c_str(), paths[conflict.winner].c_str(),
                    conflict.sameAbbreviation ? "comes first with the same abbreviation" : "expands first, on",
                    conflict.winner->abbreviation.c_str());
}

// Program items that typing would set off: an error, since Tolvane holds back
// their key or abbreviation. True when there was one.
bool reportUnarmedItems(const std::string& path, const tv::readReport& report) {
    for (const tv::readReport::unarmedItem& item : report.unarmedItems) {
        if (item.triggers.key)
            std::fprintf(stderr,
                         "%s: line %zu: the item runs a program or opens a URL, and its shortcut key types a "
                         "character (it has no Ctrl, Alt or Win); Tolvane does not register the key\n",
                         path.c_str(), item.line);
        if (item.triggers.abbreviation)
            std::fprintf(stderr,
                         "%s: line %zu: the item runs a program or opens a URL, and its abbreviation is one "
                         "character; Tolvane does not expand it\n",
                         path.c_str(), item.line);
    }
    if (report.unarmedItems.empty()) return false;
    std::fputs("give such an item a key with Ctrl, Alt or Win and an abbreviation of two characters or more\n",
               stderr);
    return true;
}

}  // namespace

int runRewrite(const std::vector<std::string>& args) { return runExport("rewrite", exportKind::dataFile, args); }
int runXml(const std::vector<std::string>& args) { return runExport("xml", exportKind::xml, args); }
int runOutline(const std::vector<std::string>& args) { return runExport("outline", exportKind::outline, args); }

int runCheck(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fputs("tvtool check: usage: tvtool check IN\n", stderr);
        return 2;
    }
    tv::menuModel model;
    tv::readReport report;
    if (int failure = readInput(model, args[0], report)) return failure;
    size_t items = tv::countItems(model.root) - (model.root.item ? 1 : 0);
    std::printf("items: %zu\ndepth: %zu\n", items, tv::treeDepth(model.root));
    if (report.encoding != tv::textEncoding::codePage932)
        std::printf("encoding: UTF-8%s, read as Shift_JIS (code page 932); the next save writes code page 932\n",
                    report.encoding == tv::textEncoding::utf8WithBom ? " with a byte-order mark" : "");
    if (report.itemsWithoutId)
        std::printf("warning: line %zu: %zu items from here on are beyond the item ids the program can give out; "
                    "they are kept in the file but cannot be chosen\n",
                    report.firstItemWithoutIdLine, report.itemsWithoutId);
    for (size_t line : report.malformedEscapeLines)
        std::printf("warning: line %zu: the content has a \"\\u{\" that is not a character's code (1 to 6 hex "
                    "digits of U+1 to U+10FFFF, no surrogate, then \"}\"); it is kept as written\n",
                    line);
    for (size_t line : report.ignoredOpenLines)
        std::printf("warning: line %zu: \"{\" has no item line before it at this level and was ignored\n", line);
    if (report.unmatchedCloseLine)
        std::printf("warning: line %zu: \"}\" has no matching \"{\"; reading stopped there and the rest of the file "
                    "is ignored\n",
                    report.unmatchedCloseLine);
    warnAboutAbbreviations(model, report);
    return reportUnarmedItems(args[0], report) ? 1 : 0;
}

}  // namespace tvtool
