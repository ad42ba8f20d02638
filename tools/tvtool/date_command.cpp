#include "tools/tvtool/commands.h"

namespace tvtool {

int runDate(const std::vector<std::string>&) { return 2; }

}  // namespace tvtool
