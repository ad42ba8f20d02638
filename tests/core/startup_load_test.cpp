// Loading the running menu from the data file, the initial menu or the fallback.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

#include "files/menu_file.h"
#include "files/startup_load.h"
#include "tests/core/test_support.h"

using namespace tv;
using tvtest::addItem;
using tvtest::fields;
using tvtest::headerLiteral;
using tvtest::readBytes;
using tvtest::writeBytes;

namespace {

const std::string fallbackFile = headerLiteral + "0\t0\t0\r\n" +
                                 "5\tデータ読み込めず\tデータ読み込みに失敗しました．\\r\\n"
                                 "設定ファイルを見つけることができませんでした\t0\t0\t0\t\t0\r\n";

std::string menuBytes(const std::string& firstText, int items) {
    menuModel model;
    model.createItem(model.root, fields(0, "メニュー"));
    model.root.item->vk = 593;
    for (int i = 0; i < items; ++i) addItem(model, model.root, firstText + std::to_string(i), "d\r\n");
    stringSink sink;
    formatMenuFile(model, model.root, menuExtent::wholeMenu, sink);
    return sink.text;
}

void collectIds(const menuNode& node, std::multiset<uint16_t>& ids) {
    if (node.item) ids.insert(node.item->itemId);
    for (const auto& child : node.children) collectIds(child, ids);
}

class StartupLoad : public ::testing::Test {
protected:
    StartupLoad() : cwd(dir.str()) {
        files.dataFileName = "tv2_text.ini";
        files.startDirectory = dir.str();
        files.switchToProgramDirectory = [this] {
            ++programDirectorySwitches;
            return false;
        };
    }

    std::string dataFile() const { return dir.file("tv2_text.ini"); }
    std::string initialFile() const { return dir.file("org_text.ini"); }

    // The running menu and the registry agree, and no id is used twice.
    void expectConsistent(const menuModel& model) {
        std::multiset<uint16_t> ids;
        collectIds(model.root, ids);
        EXPECT_EQ(model.registry.count(), ids.size());
        std::string seen;
        for (uint16_t id : ids) seen += " " + std::to_string(id);
        EXPECT_EQ(std::set<uint16_t>(ids.begin(), ids.end()).size(), ids.size()) << "ids in the tree:" << seen;
        for (uint16_t id : ids) EXPECT_NE(model.registry.findById(id), nullptr) << id;
    }

    std::string formatted(const menuModel& model) {
        stringSink sink;
        formatMenuFile(model, model.root, menuExtent::wholeMenu, sink);
        return sink.text;
    }

    tvtest::scratchDir dir;
    tvtest::currentDirGuard cwd;
    runningMenuFiles files;
    int programDirectorySwitches = 0;
};

}  // namespace

TEST_F(StartupLoad, NoFilesGiveTheFallbackMenuWrittenToTheDataFile) {
    menuModel model;
    runningMenuLoad load = loadRunningMenu(model, files);
    EXPECT_EQ(load.source, menuSource::fallbackMenu);
    EXPECT_EQ(programDirectorySwitches, 1);
    EXPECT_TRUE(load.dataFileWritten);
    EXPECT_FALSE(load.writeFailed);
    EXPECT_EQ(readBytes(dataFile()), fallbackFile);
    EXPECT_EQ(formatted(model), fallbackFile);
    expectConsistent(model);
}

TEST_F(StartupLoad, UnwritableStartDirectoryIsReported) {
    files.startDirectory = dir.file("gone");
    menuModel model;
    runningMenuLoad load = loadRunningMenu(model, files);
    EXPECT_EQ(load.source, menuSource::fallbackMenu);
    EXPECT_FALSE(load.dataFileWritten);
    EXPECT_TRUE(load.writeFailed);
    EXPECT_EQ(model.root.childCount(), 1u);
    EXPECT_TRUE(dir.names().empty());
}

TEST_F(StartupLoad, InitialMenuCreatesTheDataFile) {
    const std::string initial = menuBytes("org", 3);
    writeBytes(initialFile(), initial);
    for (bool emptyDataFile : {false, true}) {
        if (emptyDataFile) writeBytes(dataFile(), "");
        menuModel model;
        runningMenuLoad load = loadRunningMenu(model, files);
        EXPECT_EQ(load.source, menuSource::initialMenu);
        EXPECT_TRUE(load.dataFileWritten);
        EXPECT_EQ(readBytes(dataFile()), initial);
        EXPECT_EQ(model.root.item->vk, 593);
        expectConsistent(model);
        tvtest::fs::remove(dataFile());
    }
    EXPECT_EQ(programDirectorySwitches, 0);
}

TEST_F(StartupLoad, DataFileIsUsedAndLeftAlone) {
    const std::string data = menuBytes("data", 2) + "\r\n\r\n";  // not quite as the writer would write it
    writeBytes(dataFile(), data);
    writeBytes(initialFile(), menuBytes("org", 3));
    menuModel model;
    runningMenuLoad load = loadRunningMenu(model, files);
    EXPECT_EQ(load.source, menuSource::dataFile);
    EXPECT_FALSE(load.dataFileWritten);
    EXPECT_EQ(readBytes(dataFile()), data);
    ASSERT_EQ(model.root.childCount(), 2u);
    EXPECT_EQ(model.root.children[0].item->text, "data0");
    expectConsistent(model);
}

TEST_F(StartupLoad, RejectedDataFileIsKeptAside) {
    const std::string foreign = "{\r\nsomething else\r\n";
    writeBytes(dataFile(), foreign);
    writeBytes(initialFile(), menuBytes("org", 1));
    menuModel model;
    runningMenuLoad load = loadRunningMenu(model, files);
    EXPECT_TRUE(load.dataFileRejected);
    EXPECT_EQ(load.source, menuSource::initialMenu);
    EXPECT_EQ(load.rejectedKeptAs, dataFile() + ".rejected");
    EXPECT_EQ(readBytes(dataFile() + ".rejected"), foreign);
    EXPECT_EQ(readBytes(dataFile()), menuBytes("org", 1));

    // Again, with no initial menu: the earlier copy stays, the fallback is written.
    const std::string second = "0\tMenu\r\n";
    writeBytes(dataFile(), second);
    tvtest::fs::remove(initialFile());
    menuModel again;
    load = loadRunningMenu(again, files);
    EXPECT_EQ(load.source, menuSource::fallbackMenu);
    EXPECT_EQ(load.rejectedKeptAs, dataFile() + ".rejected.2");
    EXPECT_EQ(readBytes(dataFile() + ".rejected"), foreign);
    EXPECT_EQ(readBytes(dataFile() + ".rejected.2"), second);
    EXPECT_EQ(readBytes(dataFile()), fallbackFile);
    const std::string notice = setAsideNotice(load);
    for (const std::string& part : {"「" + dataFile() + "」", "「" + dataFile() + ".rejected.2」", std::string("1行目")})
        EXPECT_NE(notice.find(part), std::string::npos) << part << " missing from: " << notice;
}

// A UTF-8 file is read as meant and left as it is until the next save; one with
// a display text code page 932 cannot hold is set aside, and the notice names that line.
TEST_F(StartupLoad, Utf8DataFiles) {
    const std::string utf8 = u8"\xEF\xBB\xBF" u8"0\tメニュー\r\n1\t挨拶\tおはよう\r\n";
    writeBytes(dataFile(), utf8);
    menuModel model;
    runningMenuLoad load = loadRunningMenu(model, files);
    EXPECT_EQ(load.source, menuSource::dataFile);
    EXPECT_EQ(readBytes(dataFile()), utf8);
    ASSERT_EQ(model.root.childCount(), 1u);
    EXPECT_EQ(model.root.children[0].item->data, "おはよう");
    EXPECT_TRUE(setAsideNotice(load).empty());

    const std::string unconvertible = u8"0\tメニュー\r\n1\t挨拶\tおはよう\r\n1\t絵文字\U0001F600\t\r\n";
    writeBytes(dataFile(), unconvertible);
    menuModel again;
    load = loadRunningMenu(again, files);
    EXPECT_EQ(load.source, menuSource::fallbackMenu);
    EXPECT_EQ(readBytes(dataFile() + ".rejected"), unconvertible);
    EXPECT_NE(setAsideNotice(load).find("3行目にShift_JIS"), std::string::npos) << setAsideNotice(load);
}

TEST_F(StartupLoad, ProgramFolderIsTriedWhenBothFilesAreMissing) {
    const std::string programDir = dir.file("program");
    tvtest::fs::create_directory(programDir);
    files.switchToProgramDirectory = [&] {
        ++programDirectorySwitches;
        tvtest::fs::current_path(programDir);
        return true;
    };
    writeBytes(programDir + "/org_text.ini", menuBytes("progorg", 2));
    {
        menuModel model;
        runningMenuLoad load = loadRunningMenu(model, files);
        EXPECT_EQ(load.source, menuSource::programFolderInitialMenu);
        EXPECT_EQ(model.root.childCount(), 2u);
        // The data file still goes to the start directory.
        EXPECT_EQ(readBytes(dataFile()), menuBytes("progorg", 2));
    }
    tvtest::fs::current_path(dir.str());
    tvtest::fs::remove(dataFile());
    writeBytes(programDir + "/tv2_text.ini", menuBytes("progdata", 1));
    menuModel model;
    EXPECT_EQ(loadRunningMenu(model, files).source, menuSource::programFolderDataFile);
    EXPECT_EQ(readBytes(dataFile()), menuBytes("progdata", 1));
    EXPECT_EQ(programDirectorySwitches, 2);
    expectConsistent(model);
}

// Read again after the editor: a menu replaces the running one; a missing file
// leaves it as it is, and a damaged one is set aside with the running menu
// written in its place: never the initial menu.
TEST_F(StartupLoad, ReloadReadsTheDataFileAgainAndKeepsTheRunningMenuOtherwise) {
    writeBytes(dataFile(), menuBytes("first", 3));
    writeBytes(initialFile(), menuBytes("org", 1));
    menuModel model;
    loadRunningMenu(model, files);
    addItem(model, model.root, "unsaved");
    model.corners.setCorner(model.root.children[0].item->itemId, 2);

    writeBytes(dataFile(), menuBytes("second", 2));
    runningMenuLoad load = reloadRunningMenu(model, files);
    EXPECT_EQ(load.source, menuSource::dataFile);
    EXPECT_EQ(formatted(model), menuBytes("second", 2));
    EXPECT_EQ(model.root.item->itemId, 200);
    EXPECT_TRUE(model.ids.releasedMenuIds().empty());
    expectConsistent(model);

    tvtest::fs::remove(dataFile());
    load = reloadRunningMenu(model, files);
    EXPECT_EQ(load.source, menuSource::runningMenu);
    EXPECT_FALSE(load.readFailed);
    EXPECT_EQ(formatted(model), menuBytes("second", 2));
    EXPECT_FALSE(tvtest::fs::exists(dataFile()));
    EXPECT_EQ(programDirectorySwitches, 0);

    writeBytes(dataFile(), "not a menu");
    load = reloadRunningMenu(model, files);
    EXPECT_EQ(load.rejectedKeptAs, dataFile() + ".rejected");
    EXPECT_EQ(readBytes(dataFile() + ".rejected"), "not a menu");
    EXPECT_EQ(readBytes(dataFile()), menuBytes("second", 2));
    EXPECT_NE(setAsideNotice(load).find("いま使っているメニューをそのまま使います．"), std::string::npos);
    expectConsistent(model);

    // Read relative to the start folder, whatever folder is current.
    tvtest::scratchDir elsewhere;
    tvtest::fs::current_path(elsewhere.str());
    writeBytes(dataFile(), menuBytes("third", 1));
    EXPECT_EQ(reloadRunningMenu(model, files).source, menuSource::dataFile);
    EXPECT_EQ(formatted(model), menuBytes("third", 1));
}

// The editor saves a menu whose items were all deleted as a header line alone.
TEST_F(StartupLoad, HeaderOnlyDataFileFallsBackWithUniqueIds) {
    writeBytes(dataFile(), menuBytes("none", 0));
    writeBytes(initialFile(), menuBytes("org", 3));
    menuModel model;
    EXPECT_EQ(loadRunningMenu(model, files).source, menuSource::initialMenu);
    EXPECT_EQ(readBytes(dataFile()), menuBytes("org", 3));
    expectConsistent(model);

    writeBytes(dataFile(), menuBytes("none", 0));
    reloadRunningMenu(model, files);
    EXPECT_EQ(model.root.childCount(), 3u);
    expectConsistent(model);
}

// A change on disk while running: a menu replaces the running one; a file that
// is no menu is kept aside and the running menu written in its place; a file
// caught empty or half written changes nothing.
TEST_F(StartupLoad, RereadAfterAChangeOnDisk) {
    menuModel model;
    writeBytes(dataFile(), menuBytes("a", 2));
    loadRunningMenu(model, files);
    const std::string running = formatted(model);

    writeBytes(dataFile(), "");
    runningMenuLoad load = reloadRunningMenu(model, files);
    EXPECT_FALSE(load.dataFileRejected);
    EXPECT_EQ(formatted(model), running);
    EXPECT_EQ(readBytes(dataFile()), "");
    writeBytes(dataFile(), headerLiteral + "0\t0\t0\r\n");
    reloadRunningMenu(model, files);
    EXPECT_EQ(formatted(model), running);

    writeBytes(dataFile(), menuBytes("b", 3));
    load = reloadRunningMenu(model, files);
    EXPECT_EQ(load.source, menuSource::dataFile);
    EXPECT_EQ(formatted(model), menuBytes("b", 3));
    expectConsistent(model);

    writeBytes(dataFile(), "not a menu\r\n");
    load = reloadRunningMenu(model, files);
    EXPECT_TRUE(load.dataFileRejected);
    EXPECT_EQ(load.source, menuSource::runningMenu);
    EXPECT_EQ(formatted(model), menuBytes("b", 3));
    EXPECT_EQ(readBytes(dataFile()), menuBytes("b", 3));
    EXPECT_EQ(readBytes(dataFile() + ".rejected"), "not a menu\r\n");
    const std::string notice = setAsideNotice(load);
    EXPECT_NE(notice.find("tv2_text.ini.rejected"), std::string::npos) << notice;
    EXPECT_NE(notice.find("いま使っているメニューをそのまま使います．"), std::string::npos) << notice;
    expectConsistent(model);
}
