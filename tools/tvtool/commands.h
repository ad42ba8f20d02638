// The tvtool commands. Each returns the process exit code: 0 on success, 1 when
// the input is not what the command expects, 2 for wrong arguments or I/O errors.
// Errors are printed to stderr; output files are never left half-written.
#pragma once

#include <string>
#include <vector>

namespace tvtool {

int runRewrite(const std::vector<std::string>& args);
int runXml(const std::vector<std::string>& args);
int runOutline(const std::vector<std::string>& args);
int runCheck(const std::vector<std::string>& args);
int runDate(const std::vector<std::string>& args);
int runHistoryRewrite(const std::vector<std::string>& args);
int runHistoryList(const std::vector<std::string>& args);

}  // namespace tvtool
