// Saving a shell link (.lnk) file.
#pragma once

#include <windows.h>
#include <shobjidl.h>

#include <functional>
#include <string>

namespace tv {

// Makes a shell link, lets `describe` set where it points (false gives up) and
// saves it as `file`, replacing one of that name. False when nothing was saved,
// a name longer than IPersistFile::Save takes included.
bool saveShellLink(const std::string& file, const std::function<bool(IShellLinkA&)>& describe);

}  // namespace tv
