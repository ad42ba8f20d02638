// Reading shell links (.lnk files): where a folder shortcut points, and whether
// a shortcut handed to the shell ever reaches something it can open.
#pragma once

#include <windows.h>

#include <string>

namespace tv {

// The path a .lnk file names, with the find data the link keeps; empty when the
// file cannot be read or names nothing in the file system.
std::string shortcutTargetPath(const std::string& file, WIN32_FIND_DATAA& found);

// The shell follows a shortcut to a shortcut without end: one naming itself,
// or a circle of them, overflows the stack of the program that asked. False,
// after telling the user in a message box owned by `owner`, when `path` is a
// shortcut whose chain goes round or runs longer than any real one.
bool shortcutChainEnds(HWND owner, const std::string& path);

}  // namespace tv
