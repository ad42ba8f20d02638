// The start-up steps that come before the main window exists.
#pragma once

#include <string>

namespace tv {

// The data file name from the command line: the text after leading blanks, or the
// text between double quotes when it starts with one.
std::string dataFileNameFromCommandLine(const std::string& commandLine);
// The command line after the program's own name, in the code page of the "A"
// functions; a program path with double-byte characters is stepped over whole.
std::string commandLineArguments();
std::string currentDirectoryPath();
std::string programPath();  // this tolvane.exe
std::string programDirectory();

// Reads the running menu with its fallbacks; a failed first write is reported.
void loadMenuAtStartup();
// The editor was closed without saving: the running menu is read again from
// the data file (or the initial menu); a failed write is reported.
void reloadMenuAfterEditor();
// The data file changed on disk while the editor was closed: read it again as
// start-up does (see rereadRunningMenu); the set-aside notice when it is no
// menu. True when the running menu was replaced.
bool reloadMenuOnChange();

}  // namespace tv
