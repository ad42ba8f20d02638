#include "shell/startup.h"

#include <windows.h>

#include "files/item_text.h"
#include "files/startup_load.h"
#include "shell/app_state.h"
#include "shell/data_file_stamp.h"
#include "shell/messages.h"

namespace tv {

std::string dataFileNameFromCommandLine(const std::string& commandLine) {
    size_t start = commandLine.find_first_not_of(" \t");
    if (start == std::string::npos) return std::string();
    if (commandLine[start] != '"') return commandLine.substr(start);
    size_t closing = commandLine.find('"', start + 1);
    return commandLine.substr(start + 1, closing == std::string::npos ? std::string::npos : closing - start - 1);
}

// The C runtime's own split of the narrow command line stops at the first byte
// above 0x7F and takes the rest of the program's path for an argument, so a copy
// kept in a folder such as 日本語フォルダ would open a data file named after
// its own path. The wide command line has no double-byte characters to cut.
std::string commandLineArguments() {
    const wchar_t* line = GetCommandLineW();
    if (!line) return std::string();
    // The program's name ends at its closing quote, or at the first blank when
    // it is not quoted (the rule of CommandLineToArgvW for the first argument).
    if (*line == L'"') {
        ++line;
        while (*line && *line != L'"') ++line;
        if (*line) ++line;
    } else {
        while (*line && *line != L' ' && *line != L'\t') ++line;
    }
    const int length = WideCharToMultiByte(CP_ACP, 0, line, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) return std::string();
    std::string arguments(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, line, -1, &arguments[0], length, nullptr, nullptr);
    arguments.resize(static_cast<size_t>(length - 1));
    return arguments;
}

// Sized by asking first, so a path longer than MAX_PATH is never cut or overrun.
std::string currentDirectoryPath() {
    DWORD length = GetCurrentDirectoryA(0, nullptr);
    if (length == 0) return std::string();
    std::string path(length, '\0');
    DWORD written = GetCurrentDirectoryA(length, &path[0]);
    path.resize(written < length ? written : 0);
    return path;
}

std::string programPath() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD written = GetModuleFileNameA(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (written == 0) return std::string();
        if (written < path.size()) return path.substr(0, written);
        path.resize(path.size() * 2);
    }
}

std::string programDirectory() {
    std::string directory = workingDirectoryOf(programPath());
    return directory.empty() ? directory : directory + "\\";
}

namespace {

runningMenuFiles menuFiles() {
    runningMenuFiles files;
    files.dataFileName = app().dataFileName;
    files.startDirectory = app().startDirectory;
    files.switchToProgramDirectory = [] {
        std::string directory = programDirectory();
        return !directory.empty() && SetCurrentDirectoryA(directory.c_str()) != 0;
    };
    return files;
}

std::string startupNotice;

// The start-up notice waits for the message loop: the program is then running,
// with its tray icon and hotkeys, while the box is open.
void CALLBACK showStartupNotice(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    reportDataFileSetAside(nullptr, startupNotice);
}

// While the program runs, a failed write and a file set aside are told at once.
void reportRunningMenuLoad(const runningMenuLoad& load) {
    if (load.writeFailed) reportWriteFailure(app().mainWindow);
    std::string notice = setAsideNotice(load);
    if (!notice.empty()) reportDataFileSetAside(app().mainWindow, notice);
}

}  // namespace

namespace {

// The file's stamp is kept only when what it holds was read: one another
// program held is read again at the next look, once it lets go.
runningMenuLoad readRememberingDataFile(runningMenuLoad (*read)(menuModel&, const runningMenuFiles&)) {
    const dataFileStamp before = dataFileStampNow();
    runningMenuLoad load = read(app().model, menuFiles());
    if (!load.readFailed) rememberDataFile(load.dataFileWritten ? dataFileStampNow() : before);
    return load;
}

}  // namespace

void loadMenuAtStartup() {
    runningMenuLoad load = readRememberingDataFile(loadRunningMenu);
    if (load.writeFailed) reportWriteFailure(nullptr);
    startupNotice = setAsideNotice(load);
    if (!startupNotice.empty()) SetTimer(nullptr, 0, 0, showStartupNotice);
}

bool reloadMenuFromDataFile() {
    runningMenuLoad load = readRememberingDataFile(reloadRunningMenu);
    reportRunningMenuLoad(load);
    return load.source != menuSource::runningMenu;
}

}  // namespace tv
