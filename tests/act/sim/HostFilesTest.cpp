// The files the embedded host reads and replaces: datasets to import, its database and the
// lookup files. Only regular files of sensible size are read, and every replacement leaves the
// old file or the new one, never a mix, even when its writer is killed.

#include <gtest/gtest.h>

#include "act/sim/DatasetJson.h"
#include "act/sim/HostStore.h"
#include "act/sim/HostTestSupport.h"
#include "act/sim/LookupFile.h"
#include "act/sim/TestPipe.h"
#include "platform/Error.h"
#include "platform/ProcessId.h"
#include "support/KillDuringSaves.h"

namespace bp::sim::test {
namespace {

using nlohmann::json;

class HostFilesTest : public TempHostFolder {
protected:
    json exported() {
        HostStore store(path("host.db"));
        return DatasetJson::exportJson(store);
    }
    std::string importError(const std::string& datasetPath) {
        try {
            DatasetJson::importFile(path("host.db"), datasetPath);
        } catch (const Error& e) {
            return e.description();
        }
        return "(accepted)";
    }
    std::vector<std::string> names() const {
        std::vector<std::string> result;
        for (const auto& entry : fs::directory_iterator(dir_)) {
            result.push_back(entry.path().filename().string());
        }
        std::sort(result.begin(), result.end());
        return result;
    }
};

TEST_F(HostFilesTest, ADatasetThatIsAPipeOrADeviceIsRefusedAndTheDatabaseKept) {
    DatasetJson::importText(path("host.db"), kSmallDataset);
    {
        TestPipe pipe(dir_);
        ASSERT_TRUE(pipe.made());
        EXPECT_NE(importError(pipe.path()).find("not a regular file"), std::string::npos);
    }
#ifdef _WIN32
    const char* device = "NUL";
#else
    const char* device = "/dev/zero";
#endif
    EXPECT_NE(importError(device).find("not a regular file"), std::string::npos);
    EXPECT_EQ(exported(), json::parse(kSmallDataset));
}

TEST_F(HostFilesTest, ADatasetLargerThanTwoGigabytesIsRefusedUnread) {
    DatasetJson::importText(path("host.db"), kSmallDataset);
    std::string huge = writeFile("huge.json", kSmallDataset);
    fs::resize_file(huge, DatasetJson::kMaxFileBytes + 1);  // sparse: takes no room on the disk
    std::string error = importError(huge);
    EXPECT_NE(error.find("huge.json"), std::string::npos) << error;
    EXPECT_NE(error.find("larger than 2 GB"), std::string::npos) << error;
    EXPECT_EQ(exported(), json::parse(kSmallDataset));
}

TEST_F(HostFilesTest, AnImportRemovesWhatAKilledImportLeftButNotALiveOnesFiles) {
    std::string ended = std::to_string(bp::test::endedProcessId());
    // This process is alive, and its own saves never count that high.
    std::string running = std::to_string(platform::currentProcessId());
    writeFile(".host.db.db-" + ended + "-0.bptmp", "half a database");
    writeFile(".host.db.db-" + running + "-999999.bptmp", "an import at work");
    DatasetJson::importText(path("host.db"), kSmallDataset);
    EXPECT_EQ(names(),
              (std::vector<std::string>{".host.db.db-" + running + "-999999.bptmp", "host.db"}));
    EXPECT_EQ(exported(), json::parse(kSmallDataset));
}

// A pipe would keep the reader waiting and a device never ends: both are refused unread.
TEST_F(HostFilesTest, ALookupFileThatIsAPipeOrADeviceIsRefusedUnread) {
    TestPipe pipe(dir_);
    ASSERT_TRUE(pipe.made());
    std::vector<std::string> specials{pipe.path()};
#ifndef _WIN32
    specials.push_back("/dev/zero");  // Windows has no device file to name
#endif
    for (const auto& special : specials) {
        SCOPED_TRACE(special);
        try {
            LookupFile::read(special);
            ADD_FAILURE() << "read as a lookup";
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), kErrPathFileAccess);
            EXPECT_NE(e.description().find("not a regular file"), std::string::npos)
                << e.description();
        }
    }
}

// A line of ten megabytes is one ID like any other, however unlikely: nothing around it is
// lost, and it is written back as it came.
TEST_F(HostFilesTest, ALookupWithATenMegabyteLineKeepsEveryId) {
    const std::string huge(10u << 20, 'C');
    std::string lookup = writeFile(
        "long.lku", "BRINDLEPATH-LOOKUP 1\r\nC00000000001\r\n" + huge + "\r\nC00000000002\r\n");
    std::vector<std::string> ids = LookupFile::read(lookup);
    ASSERT_EQ(ids.size(), 3u);
    EXPECT_EQ(ids[0], "C00000000001");
    EXPECT_TRUE(ids[1] == huge) << "an ID of " << ids[1].size() << " bytes";
    EXPECT_EQ(ids[2], "C00000000002");
    LookupFile::write(lookup, ids);
    EXPECT_TRUE(LookupFile::read(lookup) == ids);
}

TEST_F(HostFilesTest, ALookupFileConvertedToCrLfTwiceReadsItsIds) {
    std::string lookup =
        writeFile("twice.lku", "BRINDLEPATH-LOOKUP 1\r\r\nC00000000001\r\r\nC00000000002\r\r\n");
    const std::vector<std::string> ids{"C00000000001", "C00000000002"};
    EXPECT_EQ(LookupFile::read(lookup), ids);
    LookupFile::write(lookup, LookupFile::read(lookup));
    EXPECT_EQ(LookupFile::read(lookup), ids);
}

// The host is killed at random points while it saves a lookup, hundreds of times.
TEST_F(HostFilesTest, ALookupWriterKilledAnywhereLeavesAWholeLookup) {
#ifdef _WIN32
    GTEST_SKIP() << "The writers are forked children killed with signals";
#else
    auto ids = [](long version) {
        std::vector<std::string> list{std::to_string(version)};
        for (int i = 0; i < 20000; ++i) {
            list.push_back("C" + std::to_string(version % 1000) + "-" + std::to_string(i));
        }
        return list;
    };
    std::string lookup = path("saved.lku");
    LookupFile::write(lookup, ids(0));
    bp::test::KillRounds rounds;
    rounds.save = [&](long version) { LookupFile::write(lookup, ids(version)); };
    rounds.versionOnDisk = [&] {
        std::vector<std::string> now = LookupFile::read(lookup);
        long version = now.empty() ? -1 : std::stol(now.front());
        EXPECT_EQ(now, ids(version));
        return version;
    };
    EXPECT_GT(bp::test::killDuringSaves(rounds, dir_), 20);
    LookupFile::write(lookup, ids(1));
    EXPECT_EQ(bp::test::temporariesIn(dir_), 0);
#endif
}

}  // namespace
}  // namespace bp::sim::test
