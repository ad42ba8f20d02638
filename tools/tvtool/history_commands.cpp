// history-rewrite and history-list: clips.dat as the program reads it. Both read
// the input themselves instead of loading it the program's way, because a
// missing input is a mistake here and must not leave an empty file behind.
#include <cstdio>
#include <string>

#include "cliphistory/history_file.h"
#include "files/atomic_file.h"
#include "files/platform_files.h"
#include "tools/tvtool/commands.h"

namespace tvtool {

namespace {

bool readHistory(const std::string& path, tv::historyList& list) {
    std::string bytes;
    if (!tv::fileExists(path) || !tv::readWholeFile(path, bytes)) {
        std::fprintf(stderr, "tvtool: cannot read '%s'\n", path.c_str());
        return false;
    }
    tv::historyDecodeReport report = tv::decodeHistory(bytes, list);
    if (report.truncated)
        std::fprintf(stderr, "tvtool: '%s' ends inside an entry; kept the %zu complete entries\n", path.c_str(),
                     list.count());
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
    if (args.size() != 1) {
        std::fputs("usage: tvtool history-list IN\n", stderr);
        return 2;
    }
    tv::menuModel model;
    tv::historyList list(model);
    if (!readHistory(args[0], list)) return 2;
    for (const tv::itemRef& entry : list.entries()) {
        std::fwrite(entry->text.data(), 1, entry->text.size(), stdout);
        std::fputc('\n', stdout);
    }
    if (std::fflush(stdout) != 0) {
        std::fputs("tvtool: cannot write the list\n", stderr);
        return 2;
    }
    return 0;
}

}  // namespace tvtool
