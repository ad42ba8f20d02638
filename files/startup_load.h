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
    runningMenu,  // read again, the file was no menu or could not be read: the menu in use stays
};

struct runningMenuLoad {
    menuSource source = menuSource::dataFile;
    bool dataFileRejected = false;  // it exists but is not a menu the program can read
    readReport dataFileReport;      // why: the first read of the data file
    std::string dataFile;           // the file that was set aside (or could not be)
    std::string rejectedKeptAs;     // where the rejected file was kept before the new one was written
    bool dataFileWritten = false;
    bool writeFailed = false;       // show "書き込みに失敗しました．"
    // The data file exists but could not be read (another program holds it):
    // what it holds was not seen, so the next look must read it again.
    bool readFailed = false;
};

// Fills model.root; the data file is written when the first read gave no items
// and it is not a file that exists but could not be read (held by another program).
runningMenuLoad loadRunningMenu(menuModel& model, const runningMenuFiles& files);

// The data file is read again while the program runs: after the editor was
// closed (キャンセル, or OK reading back what it wrote) and when another
// program changed it. A file that reads as a menu replaces the running one;
// one that exists but is no menu is set aside and the running menu, kept, is
// written in its place; one that cannot be read (held by another program,
// gone, emptied, caught half written) changes nothing. The initial menu never
// replaces the running one here.
runningMenuLoad reloadRunningMenu(menuModel& model, const runningMenuFiles& files);

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
