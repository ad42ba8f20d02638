// The data-file reader on any bytes, then the writer and both exports. Whatever
// the reader makes of the bytes, the file written from it must read back to the
// same menu: writing that again gives the same bytes. Every abbreviation read is
// one the editor could have written, and typing it runs its item unless the
// conflict check says another item takes it. A content that keeps a character
// beyond code page 932 as its \u{hex} escape must give it back.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

#include "abbrev/abbreviation_matcher.h"
#include "files/abbreviation_text.h"
#include "files/menu_exports.h"
#include "files/menu_file.h"
#include "files/unicode_escape.h"
#include "model/tree_walk.h"

namespace {

void fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

void checkItems(const tv::menuModel& model) {
    std::set<const tv::menuItem*> taken;
    for (const tv::abbreviationConflict& conflict : tv::findAbbreviationConflicts(model.root)) taken.insert(conflict.item);
    tv::abbreviationMatcher matcher;
    matcher.rebuild(model.root);
    tv::walkTree(
        model.root,
        [&](const tv::menuNode& node, size_t, size_t) {
            if (!node.item) return;
            // A content with escapes stands for a character that needs one again.
            if (node.item->unicodeEscapes &&
                !tv::contentFromUtf16(tv::contentToUtf16(node.item->data, true)).unicodeEscapes)
                fail("a content lost its characters beyond code page 932");
            const std::string& abbreviation = node.item->abbreviation;
            if (abbreviation.size() > tv::maxAbbreviationBytes || tv::usableAbbreviation(abbreviation) != abbreviation)
                fail("an abbreviation was read that the editor could not have written");
            if (!tv::expandsByAbbreviation(node) || taken.count(node.item.get())) return;
            matcher.reset();
            auto hit = matcher.typeText(abbreviation);
            if (!hit || matcher.item(hit->abbreviation) != node.item ||
                hit->characters != tv::characterCount(abbreviation))
                fail("typing an abbreviation that has no conflict does not run its item");
        },
        [](const tv::menuNode&, size_t) {});
}

std::string readAndWrite(const std::string& bytes, tv::readReport& report, bool exports) {
    tv::menuModel model;
    report = tv::parseMenuText(model, bytes, model.root, tv::readTarget::runningMenu);
    if (exports) checkItems(model);
    tv::stringSink file;
    tv::formatMenuFile(model, model.root, tv::menuExtent::wholeMenu, file);
    if (exports) {
        tv::stringSink other;
        tv::formatMenuXml(model, model.root, tv::menuExtent::wholeMenu, other);
        tv::formatOutline(model.root, other);
        if (model.root.hasChildren()) {
            const tv::menuNode& first = model.root.children.front();
            tv::formatMenuFile(model, first, tv::menuExtent::subtree, other);
            tv::formatMenuXml(model, first, tv::menuExtent::subtree, other);
            tv::formatOutline(first, other);
        }
        // The same bytes read as a part file, under an item of another tree.
        tv::menuNode part;
        tv::parseMenuText(model, bytes, part, tv::readTarget::otherTree);
        tv::formatMenuFile(model, part, tv::menuExtent::subtree, other);
    }
    return file.text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tv::readReport first, second;
    std::string written = readAndWrite(std::string(reinterpret_cast<const char*>(data), size), first, true);
    if (written.empty()) return 0;  // nothing was read: nothing to read back
    std::string again = readAndWrite(written, second, false);
    if (second.status != tv::readStatus::loaded || again != written) {
        std::fprintf(stderr, "the written file does not read back: status %d, %zu bytes written, %zu rewritten\n",
                     static_cast<int>(second.status), written.size(), again.size());
        std::abort();
    }
    return 0;
}
