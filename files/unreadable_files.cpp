#include "files/unreadable_files.h"

#include <unordered_set>

#include "files/platform_files.h"

namespace tv {

namespace {

std::unordered_set<std::string>& unreadableFiles() {
    static std::unordered_set<std::string> paths;
    return paths;
}

}  // namespace

bool lookUpUnlessUnreadable(const std::string& path, const std::function<bool()>& lookUp) {
    if (unreadableFiles().count(path)) return false;
    if (lookUp()) return true;
    // A file that is there but gives nothing (no icon at that index) is cheap
    // to ask again, and may give one once the user picks another index.
    if (!fileExists(path)) unreadableFiles().insert(path);
    return false;
}

void forgetUnreadable(const std::string& path) { unreadableFiles().erase(path); }

}  // namespace tv
