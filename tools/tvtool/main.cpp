// tvtool: the command-line companion for people who edit menu files by hand or
// want exports without the GUI. Each command lives in a file of its own.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/tvtool/commands.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

struct command {
    const char* name;
    const char* usage;
    int (*run)(const std::vector<std::string>& args);
};

const command commands[] = {
    {"rewrite", "rewrite IN OUT [--item P]", tvtool::runRewrite},
    {"xml", "xml IN OUT [--item P]", tvtool::runXml},
    {"outline", "outline IN OUT [--item P]", tvtool::runOutline},
    {"check", "check IN", tvtool::runCheck},
    {"history-rewrite", "history-rewrite IN OUT", tvtool::runHistoryRewrite},
    {"history-list", "history-list IN [--utf8]", tvtool::runHistoryList},
    {"date", "date FORMAT [--at \"YYYY-MM-DD HH:MM:SS\"]", tvtool::runDate},
};

void printUsage() {
    std::fputs("usage: tvtool COMMAND ...\n(P selects a subtree by 1-based child indices from the root, e.g. 2/1)\n", stderr);
    for (const auto& cmd : commands) std::fprintf(stderr, "  tvtool %s\n", cmd.usage);
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // Output is code page 932 bytes (UTF-8 where asked) and "\n" line ends on every platform.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    if (argc < 2) {
        printUsage();
        return 2;
    }
    std::vector<std::string> args(argv + 2, argv + argc);
    for (const auto& cmd : commands)
        if (std::strcmp(argv[1], cmd.name) == 0) return cmd.run(args);
    std::fprintf(stderr, "tvtool: unknown command '%s'\n", argv[1]);
    printUsage();
    return 2;
}
