// The data-file reader on any bytes, then the writer and both exports. Whatever
// the reader makes of the bytes, the file written from it must read back to the
// same menu: writing that again gives the same bytes. A content that keeps a
// character beyond code page 932 as its \u{hex} escape must give it back.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "files/menu_exports.h"
#include "files/menu_file.h"
#include "files/unicode_escape.h"
#include "model/tree_walk.h"

namespace {

// A content with escapes stands for at least one character that needs one again.
void checkContents(const tv::menuNode& root) {
    tv::walkTree(
        root,
        [](const tv::menuNode& node, size_t, size_t) {
            if (!node.item || !node.item->unicodeEscapes) return;
            std::u16string text = tv::contentToUtf16(node.item->data, true);
            if (!tv::contentFromUtf16(text).unicodeEscapes) {
                std::fprintf(stderr, "a content lost its characters beyond code page 932\n");
                std::abort();
            }
        },
        [](const tv::menuNode&, size_t) {});
}

std::string readAndWrite(const std::string& bytes, tv::readReport& report, bool exports) {
    tv::menuModel model;
    report = tv::parseMenuText(model, bytes, model.root, tv::readTarget::runningMenu);
    tv::stringSink file;
    tv::formatMenuFile(model, model.root, tv::menuExtent::wholeMenu, file);
    if (exports) {
        checkContents(model.root);
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
