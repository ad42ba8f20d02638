// clips.dat decoded from any bytes, encoded and decoded again: the second list
// holds the same texts, and encoding it gives the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cliphistory/history_file.h"

namespace {

std::vector<std::string> textsOf(const tv::historyList& list) {
    std::vector<std::string> texts;
    for (const auto& entry : list.entries()) texts.push_back(entry->text);
    return texts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tv::menuModel model;  // before the lists: their entries report to its allocator
    tv::historyList first(model), second(model);
    tv::decodeHistory(std::string(reinterpret_cast<const char*>(data), size), first);
    std::string encoded = tv::encodeHistory(first);
    tv::historyDecodeReport report = tv::decodeHistory(encoded, second);
    if (report.truncated || report.emptyEntries != 0 || textsOf(second) != textsOf(first) ||
        tv::encodeHistory(second) != encoded) {
        std::fprintf(stderr, "clips.dat round trip differs: %zu entries read, %zu read back\n", first.count(),
                     second.count());
        std::abort();
    }
    return 0;
}
