// clips.dat and its companion decoded from any bytes, then encoded and decoded
// again: the second list holds the same texts, and encoding it gives the same
// bytes. The input is clips.dat, and after a line "#u8" the companion; each of
// the companion part's lines that is UTF-8 is also captured as a Unicode clip,
// so the round trip carries texts beyond code page 932 through the companion.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "cliphistory/history_file.h"
#include "files/code_page.h"

namespace {

std::vector<std::pair<std::string, bool>> textsOf(const tv::historyList& list) {
    std::vector<std::pair<std::string, bool>> texts;
    for (const auto& entry : list.entries()) texts.emplace_back(entry->text, entry->unicodeEscapes);
    return texts;
}

void captureLines(const std::string& part, tv::historyList& list) {
    for (size_t start = 0; start < part.size();) {
        size_t end = part.find('\n', start);
        if (end == std::string::npos) end = part.size();
        const std::string line = part.substr(start, end - start);
        if (tv::isValidUtf8(line)) {
            list.queueClip(tv::utf8ToUtf16(line));
            list.addPendingClip(false);
        }
        start = end + 1;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t marker = input.find("\n#u8\n");
    const std::string clips = input.substr(0, marker);
    const std::string companion = marker == std::string::npos ? std::string() : input.substr(marker + 5);

    tv::menuModel model;  // before the lists: their entries report to its allocator
    tv::historyList first(model), second(model);
    first.counts = -1;
    tv::decodeHistory(clips, first, companion);
    captureLines(companion, first);
    std::string encoded = tv::encodeHistory(first);
    std::string encodedCompanion = tv::encodeHistoryCompanion(first, encoded);
    tv::historyDecodeReport report = tv::decodeHistory(encoded, second, encodedCompanion);
    if (report.truncated || report.emptyEntries != 0 || report.unusedCompanionLines != 0 ||
        textsOf(second) != textsOf(first) || tv::encodeHistory(second) != encoded ||
        tv::encodeHistoryCompanion(second, encoded) != encodedCompanion) {
        std::fprintf(stderr, "clips.dat round trip differs: %zu entries read, %zu read back, %zu companion lines unused\n",
                     first.count(), second.count(), report.unusedCompanionLines);
        std::abort();
    }
    return 0;
}
