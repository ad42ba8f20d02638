#include "files/startup_load.h"

#include "files/menu_file.h"
#include "files/platform_files.h"

namespace tv {

namespace {

bool readIntoRunningMenu(menuModel& model, const std::string& path, runningMenuLoad* first = nullptr) {
    readReport report = readMenuFile(model, path, model.root, readTarget::runningMenu);
    if (first) {
        first->dataFileRejected = report.rejected();
        first->dataFileReport = report;
    }
    return model.root.hasChildren();
}

// The first read gave no items, so the menu in use now is written as the data file.
// A file that exists but is not ours is kept under another name first; when that
// fails, nothing is written, so the user's file is never lost.
void writeDataFile(menuModel& model, const runningMenuFiles& files, runningMenuLoad& load) {
    std::string path = dataFilePath(files.startDirectory, files.dataFileName);
    load.dataFile = path;
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
    model.root.clear();
    if (readIntoRunningMenu(model, files.dataFileName, &load)) return load;
    load.source = menuSource::initialMenu;
    readIntoRunningMenu(model, files.initialMenuFileName);
    writeDataFile(model, files, load);
    return load;
}

runningMenuLoad rereadRunningMenu(menuModel& model, const runningMenuFiles& files) {
    // A model of its own: the running menu's ids and corners stay untouched
    // until the file is known to be a menu.
    menuModel probe;
    readReport report = readMenuFile(probe, files.dataFileName, probe.root, readTarget::runningMenu);
    runningMenuLoad load;
    load.source = menuSource::runningMenu;
    if (report.rejected()) {
        load.dataFileRejected = true;
        load.dataFileReport = report;
        writeDataFile(model, files, load);
        return load;
    }
    // Caught half written, or emptied: the next change brings the rest.
    if (!probe.root.hasChildren()) return load;
    return loadRunningMenu(model, files);
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
