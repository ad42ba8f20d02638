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
// The data file is read again (reloadRunningMenu): the editor was closed, or
// another program changed the file while the editor was closed. The running
// menu stays when the file cannot be used; a failed write and a file set aside
// are reported. True when the running menu was replaced.
bool reloadMenuFromDataFile();

}  // namespace tv
