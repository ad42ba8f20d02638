// Files an icon could not be read from, remembered for the whole run. A path on
// a host that has gone (a shared menu's icons on a server that is off) makes
// every look-up wait for the network to give up; a menu drawn again and again
// must not wait each time.
#pragma once

#include <functional>
#include <string>

namespace tv {

// Runs lookUp for the file at `path` unless the file was found missing or
// unreachable before; returns what lookUp returned, or false without it. When
// lookUp fails and the file cannot be found either, the path is remembered.
bool lookUpUnlessUnreadable(const std::string& path, const std::function<bool()>& lookUp);

// The user has just chosen the file: it is asked for again.
void forgetUnreadable(const std::string& path);

}  // namespace tv
