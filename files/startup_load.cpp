#include "files/startup_load.h"

#include "files/atomic_file.h"
#include "files/menu_file.h"
#include "files/platform_files.h"

namespace tv {

namespace {

bool readIntoRunningMenu(menuModel& model, const std::string& path, runningMenuLoad* first = nullptr) {
    readReport report = readMenuFile(model, path, model.root, readTarget::runningMenu);
    if (first) {
        first->dataFileRejected = report.rejected();
        first->dataFileReport = report;
        first->readFailed = report.status == readStatus::notFound && fileExists(path);
    }
    return model.root.hasChildren();
}

// The first read gave no items, so the menu in use now is written as the data file.
// A file that exists but is not ours is kept under another name first; when that
// fails, nothing is written, so the user's file is never lost. Nor is a file
// written that another program holds: its menu is read once it lets go.
void writeDataFile(menuModel& model, const runningMenuFiles& files, runningMenuLoad& load) {
    std::string path = dataFilePath(files.startDirectory, files.dataFileName);
    load.dataFile = path;
    if (load.readFailed) return;
    if (load.dataFileRejected) {
        load.rejectedKeptAs = keepRejectedFile(path);
        if (load.rejectedKeptAs.empty()) return;
    }
    load.dataFileWritten = writeMenuFile(model, path, model.root, menuExtent::wholeMenu);
    load.writeFailed = !load.dataFileWritten;
}

}  // namespace

void buildFallbackMenu(menuModel& model) {
    model.root.clear();
    itemFields root;
    root.text = "メニュー";
    model.createItem(model.root, root);
    itemFields notice;
    notice.mode = itemMode::showSetting;
    notice.text = "データ読み込めず";
    notice.data = "データ読み込みに失敗しました．\r\n設定ファイルを見つけることができませんでした";
    menuNode child;
    model.createItem(child, notice);
    model.root.appendChild(std::move(child));
}

runningMenuLoad loadRunningMenu(menuModel& model, const runningMenuFiles& files) {
    runningMenuLoad load;
    if (readIntoRunningMenu(model, files.dataFileName, &load)) return load;
    load.source = menuSource::initialMenu;
    if (!readIntoRunningMenu(model, files.initialMenuFileName) && files.switchToProgramDirectory &&
        files.switchToProgramDirectory()) {
        load.source = menuSource::programFolderDataFile;
        if (!readIntoRunningMenu(model, files.dataFileName)) {
            load.source = menuSource::programFolderInitialMenu;
            readIntoRunningMenu(model, files.initialMenuFileName);
        }
    }
    if (!model.root.hasChildren()) {
        load.source = menuSource::fallbackMenu;
        buildFallbackMenu(model);
    }
    writeDataFile(model, files, load);
    return load;
}

runningMenuLoad reloadRunningMenu(menuModel& model, const runningMenuFiles& files) {
    runningMenuLoad load;
    load.source = menuSource::runningMenu;
    // The file our saves write, whatever folder a file dialog left current.
    const std::string path = dataFilePath(files.startDirectory, files.dataFileName);
    std::string bytes;
    if (!readWholeFile(path, bytes)) {
        // Gone: the next save writes it. Held by another program: the next look reads it.
        load.readFailed = fileExists(path);
        return load;
    }
    // The bytes are tried on a model of their own first: the running menu's
    // ids and corners stay untouched until they are known to be a menu. They
    // are read once, so a file changed between the trial and the real read
    // cannot slip the initial menu in.
    {
        menuModel probe;
        readReport report = parseMenuText(probe, bytes, probe.root, readTarget::runningMenu);
        if (report.rejected()) {
            load.dataFileRejected = true;
            load.dataFileReport = report;
            writeDataFile(model, files, load);
            return load;
        }
        // Emptied, or caught half written: the next change brings the rest.
        if (!probe.root.hasChildren()) return load;
    }
    load.source = menuSource::dataFile;
    load.dataFileReport = parseMenuText(model, bytes, model.root, readTarget::runningMenu);
    return load;
}

std::string keepRejectedFile(const std::string& path) {
    std::string kept = path + ".rejected";
    for (int n = 2; fileExists(kept); ++n) {
        if (n > 9999) return std::string();
        kept = path + ".rejected." + std::to_string(n);
    }
    return renameFile(path, kept) ? kept : std::string();
}

}  // namespace tv
