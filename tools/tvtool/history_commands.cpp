#include "tools/tvtool/commands.h"

namespace tvtool {

int runHistoryRewrite(const std::vector<std::string>&) { return 2; }
int runHistoryList(const std::vector<std::string>&) { return 2; }

}  // namespace tvtool
