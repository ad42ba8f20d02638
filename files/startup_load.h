// Loading the running menu at start-up and again when the editor is closed without
// saving, with the initial menu and the built-in fallback menu behind it.
#pragma once

#include <functional>
#include <string>

#include "files/menu_file.h"
#include "model/menu_model.h"

namespace tv {

struct runningMenuFiles {
    std::string dataFileName;    // read as given: relative to the current directory
    std::string startDirectory;  // a relative data file name is written here
    std::string initialMenuFileName = "org_text.ini";
    // Makes the program's own folder the current directory; false when it cannot.
    std::function<bool()> switchToProgramDirectory;
};

enum class menuSource {
    dataFile, initialMenu, programFolderDataFile, programFolderInitialMenu, fallbackMenu,
    runningMenu,  // read again on a change, the file was no menu: the menu in use stays
};

struct runningMenuLoad {
    menuSource source = menuSource::dataFile;
    bool dataFileRejected = false;  // it exists but is not a menu the program can read
    readReport dataFileReport;      // why: the first read of the data file
    std::string dataFile;           // the file that was set aside (or could not be)
    std::string rejectedKeptAs;     // where the rejected file was kept before the new one was written
    bool dataFileWritten = false;
    bool writeFailed = false;       // show "書き込みに失敗しました．"
};

// Fills model.root; the data file is written when the first read gave no items.
runningMenuLoad loadRunningMenu(menuModel& model, const runningMenuFiles& files);
// The same without the program-folder and fallback steps: the editor was closed
// without saving, so the running menu is read again from the files.
runningMenuLoad reloadRunningMenu(menuModel& model, const runningMenuFiles& files);

// The data file changed on disk while the program ran (edited by hand, synced
// from another computer). A file that reads as a menu replaces the running one
// by the start-up read; one that exists but is no menu is set aside and the
// running menu, kept, is written in its place; one that cannot be opened or
// holds no item (a sync program caught halfway) changes nothing.
runningMenuLoad rereadRunningMenu(menuModel& model, const runningMenuFiles& files);

// Builds the menu shown when no file could be read: one item that opens the editor.
void buildFallbackMenu(menuModel& model);

// Why a file was rejected (readReport::rejected), naming the line at fault; the
// reason part of the notice below, for any read that names its line. Code page 932.
std::string rejectionReason(const readReport& report);

// What the user is told when the data file was set aside (or could not be):
// which file, the name it is kept under and why. Code page 932; empty when the
// data file was not rejected.
std::string setAsideNotice(const runningMenuLoad& load);

// Renames a rejected data file to "<name>.rejected" (or ".rejected.2", ...); returns
// the new name, or an empty string when it could not be kept.
std::string keepRejectedFile(const std::string& path);

}  // namespace tv
