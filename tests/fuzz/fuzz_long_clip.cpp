// A clip longer than the history file can hold an entry, made from any bytes:
// it is recorded, and what the file keeps of it, read back and unescaped, is
// the clip's longest start that fits in 65535 stored bytes, never with half a
// double-byte character or half an escape at its end.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cliphistory/history_file.h"
#include "files/escaping.h"

namespace {

[[noreturn]] void fail(const char* what, size_t clipBytes, size_t keptBytes) {
    std::fprintf(stderr, "%s: a clip of %zu bytes, %zu stored\n", what, clipBytes, keptBytes);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    // The clip is the input (less its first byte, which picks the length), cut
    // or repeated to a length either side of the limit: an input as long as the
    // clip (the seeds are; -max_len lets them be) is all the fuzzer's own. The
    // history keeps a clip up to its first zero byte, so zero bytes are left out.
    std::string pattern;
    for (size_t i = 1; i < size; ++i)
        if (data[i] != 0) pattern += static_cast<char>(data[i]);
    if (pattern.empty()) return 0;
    const size_t length = 65535 - 512 + size_t{data[0]} * 8;
    std::string clip;
    while (clip.size() < length) clip += pattern;
    clip.resize(length);

    tv::menuModel model;  // before the lists: their entries report to its allocator
    tv::historyList list(model), back(model);
    list.queueClip(clip);
    list.addPendingClip(false);
    std::string encoded = tv::encodeHistory(list);
    tv::decodeHistory(encoded, back);
    if (back.count() != 1) fail("the clip did not come back", clip.size(), 0);
    const std::string& stored = back.entries().front()->text;
    const std::string kept = tv::unescapeText(stored);
    if (stored.size() > tv::historyFileFieldLimit) fail("more than 65535 bytes stored", clip.size(), stored.size());
    if (clip.compare(0, kept.size(), kept) != 0)
        fail("what is kept is not the start of the clip", clip.size(), stored.size());
    const std::string& whole = list.entries().front()->text;
    // One more character (at most two bytes, escaped or double-byte) would not have fitted.
    if (stored.size() != whole.size() && stored.size() + 2 <= tv::historyFileFieldLimit)
        fail("cut shorter than it needs to be", clip.size(), stored.size());
    if (tv::encodeHistory(back) != encoded) fail("stored again, the bytes differ", clip.size(), stored.size());
    return 0;
}
