// history-rewrite and history-list: clips.dat, with its companion, as the
// program reads it. Both read the input themselves instead of loading it the
// program's way, because a missing input is a mistake here and must not leave
// an empty file behind.
#include <cstdio>
#include <string>

#include "cliphistory/history_file.h"
#include "files/atomic_file.h"
#include "files/platform_files.h"
#include "files/unicode_escape.h"
#include "tools/tvtool/commands.h"

namespace tvtool {

namespace {

// Says what became of the companion's texts when not all of them were used.
void reportCompanion(const std::string& path, const tv::historyDecodeReport& report) {
    const std::string companion = tv::historyCompanionPath(path);
    switch (report.companion) {
    case tv::companionState::absent: return;
    case tv::companionState::damaged:
        std::fprintf(stderr, "tvtool: '%s' is not a history companion; its texts were not used\n", companion.c_str());
        return;
    case tv::companionState::otherFile:
        std::fprintf(stderr, "tvtool: '%s' belongs to another '%s'; its texts were not used\n", companion.c_str(),
                     path.c_str());
        return;
    case tv::companionState::matching: break;
    }
    if (report.unusedCompanionLines)
        std::fprintf(stderr, "tvtool: %zu lines of '%s' are damaged or match no entry; those entries keep their "
                     "Shift_JIS form\n", report.unusedCompanionLines, companion.c_str());
}

bool readHistory(const std::string& path, tv::historyList& list) {
    tv::historyDecodeReport report;
    if (!tv::fileExists(path) || !tv::readHistoryFiles(path, list, report)) {
        std::fprintf(stderr, "tvtool: cannot read '%s'\n", path.c_str());
        return false;
    }
    if (report.truncated)
        std::fprintf(stderr, "tvtool: '%s' ends inside an entry; kept the %zu complete entries\n", path.c_str(),
                     list.count());
    reportCompanion(path, report);
    return true;
}

}  // namespace

int runHistoryRewrite(const std::vector<std::string>& args) {
    if (args.size() != 2) {
        std::fputs("usage: tvtool history-rewrite IN OUT\n", stderr);
        return 2;
    }
    tv::menuModel model;
    tv::historyList list(model);
    if (!readHistory(args[0], list)) return 2;
    // Empty entries were dropped on reading, just as the program drops them.
    if (!tv::saveHistoryFile(args[1], list)) {
        std::fprintf(stderr, "tvtool: cannot write '%s'\n", args[1].c_str());
        return 2;
    }
    return 0;
}

int runHistoryList(const std::vector<std::string>& args) {
    const bool utf8 = args.size() == 2 && args[1] == "--utf8";
    if (args.size() != 1 && !utf8) {
        std::fputs("usage: tvtool history-list IN [--utf8]\n", stderr);
        return 2;
    }
    tv::menuModel model;
    tv::historyList list(model);
    if (!readHistory(args[0], list)) return 2;
    size_t beyondCodePage = 0;
    for (const tv::itemRef& entry : list.entries()) {
        beyondCodePage += entry->unicodeEscapes;
        const std::string line = utf8 ? tv::shownAsUtf8(entry->text, entry->unicodeEscapes) : entry->text;
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
    }
    if (std::fflush(stdout) != 0) {
        std::fputs("tvtool: cannot write the list\n", stderr);
        return 2;
    }
    if (beyondCodePage && !utf8)
        std::fprintf(stderr, "tvtool: %zu entries hold characters beyond Shift_JIS, listed as \\u{hex}; "
                     "--utf8 lists them in full\n", beyondCodePage);
    return 0;
}

}  // namespace tvtool
