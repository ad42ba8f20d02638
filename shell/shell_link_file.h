// Saving and reading shell link (.lnk) files.
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

// Loads the shell link `file` and lets `read` ask it where it points. False
// when it could not be loaded, a name longer than IPersistFile::Load takes
// included. COM must be initialised on the thread.
bool loadShellLink(const std::string& file, const std::function<void(IShellLinkA&)>& read);

}  // namespace tv
