// Replacing a file as a whole, and the temporaries killed writers leave behind.

#include "platform/SaveFile.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <fstream>
#include <sstream>

#include "TestSupport.h"
#include "platform/ProcessId.h"
#include "support/KillDuringSaves.h"
#ifndef _WIN32
#include "support/FileSizeLimit.h"
#endif

namespace bp::platform {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

using test::readFile;
using test::writeFile;

class SaveFileTest : public ::testing::Test {
protected:
    std::vector<std::string> names() const {
        std::vector<std::string> result;
        for (const auto& entry : fs::directory_iterator(folder_.path())) {
            result.push_back(entry.path().filename().string());
        }
        std::sort(result.begin(), result.end());
        return result;
    }

    TempFolder folder_;
    std::string target_ = folder_.file("report.xlsx");
};

TEST_F(SaveFileTest, ACommittedSaveReplacesTheFileAndLeavesNothingElse) {
    writeFile(target_, "old");
    {
        SaveFile file(target_);
        ASSERT_TRUE(file.open());
        ASSERT_TRUE(file.write("new "));
        ASSERT_TRUE(file.write("content"));
        EXPECT_EQ(readFile(target_), "old") << "replaced before the commit";
        ASSERT_TRUE(file.commit()) << file.error();
    }
    EXPECT_EQ(readFile(target_), "new content");
    EXPECT_EQ(names(), std::vector<std::string>{"report.xlsx"});
}

TEST_F(SaveFileTest, ASaveThatIsNotCommittedLeavesTheOldFile) {
    writeFile(target_, "old");
    {
        SaveFile file(target_);
        ASSERT_TRUE(file.open());
        ASSERT_TRUE(file.write("half of it"));
    }
    EXPECT_EQ(readFile(target_), "old");
    EXPECT_EQ(names(), std::vector<std::string>{"report.xlsx"});
}

TEST_F(SaveFileTest, AFullDiskFailsTheSaveKeepsTheOldFileAndTellsWhy) {
#ifdef _WIN32
    GTEST_SKIP() << "A full disk is made with a file size limit (setrlimit), which Windows lacks";
#else
    writeFile(target_, "old");
    SaveFile file(target_);
    ASSERT_TRUE(file.open());
    {
        bp::test::FileSizeLimit full(4);
        ASSERT_TRUE(full.active());
        EXPECT_FALSE(file.write("more than four bytes"));
    }
    EXPECT_EQ(file.error(), EFBIG);
    EXPECT_EQ(readFile(target_), "old");
#endif
}

TEST_F(SaveFileTest, AFolderInTheWayFailsTheCommitAndRemovesTheTemporary) {
    fs::create_directories(fs::path(target_) / "inside");
    {
        SaveFile file(target_);
        ASSERT_TRUE(file.open());
        ASSERT_TRUE(file.write("text"));
        EXPECT_FALSE(file.commit());
        EXPECT_NE(file.error(), 0);
    }
    EXPECT_EQ(names(), std::vector<std::string>{"report.xlsx"});
    EXPECT_TRUE(fs::is_directory(target_));
}

TEST_F(SaveFileTest, AFileWrittenThroughItsPathIsCommittedToo) {
    SaveFile file(target_, "part");
    writeFile(file.tempPath(), "built by an archive writer");
    ASSERT_TRUE(file.commit()) << file.error();
    EXPECT_EQ(readFile(target_), "built by an archive writer");
    ASSERT_TRUE(file.committedStamp().has_value());
    EXPECT_EQ(file.committedStamp(), stampOf(target_));
}

TEST_F(SaveFileTest, TemporariesOfTheSameTargetNeverShareAName) {
    SaveFile first(target_);
    SaveFile second(target_);
    EXPECT_NE(first.tempPath(), second.tempPath());
    EXPECT_NE(temporarySibling(target_, "sheet"), temporarySibling(target_, "sheet"));
    EXPECT_EQ(fs::path(first.tempPath()).parent_path(), folder_.path());
}

TEST_F(SaveFileTest, ANewSaveRemovesWhatDeadWritersLeftAndNothingElse) {
    std::string dead = std::to_string(bp::test::endedProcessId());
    std::string live = std::to_string(currentProcessId());
    std::vector<std::string> stale = {
        ".report.xlsx.part-" + dead + "-0.bptmp",
        ".report.xlsx.sheet-" + dead + "-1.bptmp",
        ".report.xlsx.part-" + dead + "-2.bptmp.Ab12Cd",  // the archive writer's own temporary
        ".host.db.db-" + dead + "-0.bptmp",
    };
    std::vector<std::string> kept = {
        ".report.xlsx.part-" + live + "-0.bptmp",  // a writer at work
        "notes.bptmp",                             // not hidden: the user's
        ".notes.bptmp.txt",                        // not ours
        ".x.part-" + dead + ".bptmp",              // no sequence number
        "report.xlsx",
    };
    for (const auto& name : stale) {
        writeFile(folder_.file(name), "left over");
    }
    for (const auto& name : kept) {
        writeFile(folder_.file(name), "keep");
    }
    fs::create_directory(folder_.file(".dir.part-" + dead + "-0.bptmp"));
    kept.push_back(".dir.part-" + dead + "-0.bptmp");
    SaveFile file(target_);
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(names(), kept);
}

TEST_F(SaveFileTest, ATemporaryOfAWriterStillAtWorkIsLeftAlone) {
#ifdef _WIN32
    GTEST_SKIP() << "The live writer is a forked child";
#else
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(pipeEnds[1]);
        char byte;
        [[maybe_unused]] auto got = ::read(pipeEnds[0], &byte, 1);  // until the test is done
        ::_exit(0);
    }
    ::close(pipeEnds[0]);
    std::string working = ".report.xlsx.part-" + std::to_string(child) + "-0.bptmp";
    writeFile(folder_.file(working), "half a workbook");
    EXPECT_EQ(removeStaleTemporaries(folder_.path().string()), 0);
    EXPECT_TRUE(fs::exists(folder_.file(working)));
    ::close(pipeEnds[1]);
    ::waitpid(child, nullptr, 0);
    EXPECT_EQ(removeStaleTemporaries(folder_.path().string()), 1);
    EXPECT_FALSE(fs::exists(folder_.file(working)));
#endif
}

// The writer is killed at random points, hundreds of times: old or new, never a mix.
TEST_F(SaveFileTest, AWriterKilledAnywhereLeavesAWholeVersion) {
#ifdef _WIN32
    GTEST_SKIP() << "The writers are forked children killed with signals";
#else
    auto content = [](long version) {
        return std::to_string(version) + "|" +
               std::string(200000, static_cast<char>('a' + version % 26)) + "|end";
    };
    writeFile(target_, content(0));
    bp::test::KillRounds rounds;
    rounds.save = [&](long version) {
        SaveFile file(target_);
        if (!file.open() || !file.write(content(version)) || !file.commit()) {
            throw std::runtime_error("save failed");
        }
    };
    rounds.versionOnDisk = [&] {
        std::string text = readFile(target_);
        long version = std::stol(text.substr(0, text.find('|')));
        EXPECT_EQ(text, content(version));
        return version;
    };
    EXPECT_GT(bp::test::killDuringSaves(rounds, folder_.path()), 20);
    SaveFile next(target_);
    EXPECT_EQ(bp::test::temporariesIn(folder_.path()), 0);
#endif
}

class ReadWholeFileTest : public ::testing::Test {
protected:
    TempFolder folder_;
};

TEST_F(ReadWholeFileTest, ReadsARegularFileWithinTheLimit) {
    writeFile(folder_.file("a.txt"), "twelve bytes");
    std::string text;
    EXPECT_EQ(readWholeFile(folder_.file("a.txt"), 12, text), 0);
    EXPECT_EQ(text, "twelve bytes");
    EXPECT_EQ(readWholeFile(folder_.file("a.txt"), 11, text), kErrnoFileTooLarge);
    EXPECT_EQ(readWholeFile(folder_.file("missing.txt"), 100, text), ENOENT);
}

// A pipe is refused without waiting for a writer, an endless device without filling memory.
TEST_F(ReadWholeFileTest, RefusesAFolderAPipeAndAnEndlessDevice) {
#ifdef _WIN32
    std::vector<std::string> paths = {folder_.path().string(), "NUL"};
#else
    std::string fifo = folder_.file("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::vector<std::string> paths = {folder_.path().string(), fifo, "/dev/zero"};
#endif
    for (const std::string& path : paths) {
        std::string text;
        EXPECT_EQ(readWholeFile(path, 1 << 20, text), kErrnoNotRegularFile) << path;
        EXPECT_TRUE(text.empty()) << path;
    }
    EXPECT_EQ(systemErrorText(kErrnoNotRegularFile), "not a regular file");
}

}  // namespace
}  // namespace bp::platform
