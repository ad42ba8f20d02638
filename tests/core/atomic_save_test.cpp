// A save that fails or dies halfway never costs the user the previous file.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

#ifndef _WIN32
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "files/atomic_file.h"
#include "files/menu_exports.h"
#include "files/menu_file.h"
#include "files/platform_files.h"
#include "tests/core/test_support.h"

using namespace tv;
using tvtest::readBytes;

namespace {

const std::string oldContent = "old content\r\nthat must survive\r\n";

struct saver {
    const char* name;
    std::function<bool(const menuModel&, const std::string&)> save;
};

const saver savers[] = {
    {"menu file",
     [](const menuModel& m, const std::string& p) { return writeMenuFile(m, p, m.root, menuExtent::wholeMenu); }},
    {"xml", [](const menuModel& m, const std::string& p) { return writeMenuXml(m, p, m.root, menuExtent::wholeMenu); }},
    {"outline", [](const menuModel& m, const std::string& p) { return writeOutline(p, m.root); }},
};

class AtomicSave : public ::testing::Test {
protected:
    AtomicSave() {
        tvtest::buildExampleMenu(model);
        for (int i = 0; i < 50; ++i) tvtest::addItem(model, model.root, "item " + std::to_string(i), "line\r\nline");
    }
    ~AtomicSave() override { atomicFile::setWriteFaultHookForTesting(nullptr); }

    menuModel model;
    tvtest::scratchDir dir;
};

}  // namespace

TEST_F(AtomicSave, FailedWriteLeavesOldFileAndNoTemporary) {
    const std::string target = dir.file("target.txt");
    for (const saver& s : savers) {
        for (size_t failAt : {size_t{0}, size_t{200}, size_t{1000}}) {
            tvtest::writeBytes(target, oldContent);
            atomicFile::setWriteFaultHookForTesting(
                [failAt](size_t offset, size_t length) { return offset + length <= failAt; });
            EXPECT_FALSE(s.save(model, target)) << s.name << " failing at " << failAt;
            EXPECT_EQ(readBytes(target), oldContent) << s.name;
            EXPECT_EQ(dir.names(), std::set<std::string>{"target.txt"}) << s.name;
        }
    }
}

TEST_F(AtomicSave, SuccessfulSaveReplacesContent) {
    const std::string target = dir.file("target.txt");
    for (const saver& s : savers) {
        tvtest::writeBytes(target, oldContent);
        ASSERT_TRUE(s.save(model, target)) << s.name;
        std::string saved = readBytes(target);
        EXPECT_NE(saved, oldContent);
        EXPECT_GT(saved.size(), 1000u) << s.name;
        EXPECT_EQ(dir.names(), std::set<std::string>{"target.txt"}) << s.name;
    }
    stringSink expected;
    formatMenuFile(model, model.root, menuExtent::wholeMenu, expected);
    ASSERT_TRUE(writeMenuFile(model, target, model.root, menuExtent::wholeMenu));
    EXPECT_EQ(readBytes(target), expected.text);
}

TEST_F(AtomicSave, UnwritableFolderFailsCleanly) {
    const std::string target = dir.file("missing") + "/target.txt";
    for (const saver& s : savers) EXPECT_FALSE(s.save(model, target)) << s.name;
    EXPECT_TRUE(dir.names().empty());
}

// File names up to the length limit and paths beyond MAX_PATH save like short
// ones; whether a save succeeds or fails, no temporary file stays behind, not
// even one that a killed save left.
TEST_F(AtomicSave, LongNamesAndPathsLeaveNoTemporary) {
    std::string deep = dir.str();
    for (int level = 0; level < 5; ++level) {
        deep = joinPath(deep, std::string(60, 'd'));
        ASSERT_TRUE(tvtest::fs::create_directory(deep)) << deep;
    }
    const std::string targets[] = {dir.file(std::string(255, 'n')), dir.file(std::string(252, 'n')),
                                   joinPath(deep, "target.txt")};
    for (const std::string& target : targets) {
        const std::string temporary = temporaryPathFor(target);
        EXPECT_LE(temporary.size() - fileNameStart(temporary), fileNameLimit);
        std::FILE* leftover = openFile(temporary, "wb");
        ASSERT_NE(leftover, nullptr) << temporary;
        std::fclose(leftover);

        atomicFile::setWriteFaultHookForTesting([](size_t, size_t) { return false; });
        EXPECT_FALSE(writeWholeFile(target, "lost"));
        EXPECT_FALSE(fileExists(temporary)) << "a failed save of " << target.size() << " bytes";
        atomicFile::setWriteFaultHookForTesting(nullptr);
        std::string saved;
        ASSERT_TRUE(writeWholeFile(target, oldContent)) << target.size() << " bytes: " << target;
        EXPECT_TRUE(readWholeFile(target, saved));
        EXPECT_EQ(saved, oldContent);
        EXPECT_FALSE(fileExists(temporary));
        EXPECT_TRUE(removeFile(target));
    }
}

TEST_F(AtomicSave, ProcessKilledMidWriteLeavesOldFile) {
#ifdef _WIN32
    GTEST_SKIP() << "needs fork()";
#else
    const std::string target = dir.file("target.txt");
    for (const saver& s : savers) {
        tvtest::writeBytes(target, oldContent);
        pid_t child = fork();
        ASSERT_NE(child, -1);
        if (child == 0) {
            atomicFile::setWriteFaultHookForTesting([](size_t offset, size_t) {
                if (offset >= 300) raise(SIGKILL);
                return true;
            });
            s.save(model, target);
            _exit(0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << s.name << ": the save finished before the kill";
        EXPECT_EQ(WTERMSIG(status), SIGKILL);
        EXPECT_EQ(readBytes(target), oldContent) << s.name;
        ASSERT_TRUE(s.save(model, target)) << s.name;
        EXPECT_EQ(dir.names(), std::set<std::string>{"target.txt"}) << s.name << ": the next save removes what was left";
    }
#endif
}
