// File helpers as the Windows program relied on them: names found without regard to case,
// copies that replace, and the error numbers the user sees.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TestSupport.h"
#include "platform/Error.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/SaveFile.h"
#include "support/KillDuringSaves.h"

namespace bp::platform {
namespace {

namespace fs = std::filesystem;
using test::errorNumberOf;

// Compared as paths: Windows joins folders with "\\", the tests write "/".
std::optional<fs::path> asPath(const std::optional<std::string>& path) {
    return path ? std::optional<fs::path>(*path) : std::nullopt;
}

class FileSystemTest : public ::testing::Test {
protected:
    std::string make(const std::string& name, const std::string& text = "x") {
        std::string path = folder_.file(name);
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    static std::string read(const std::string& path) { return test::readFile(path); }
    test::TempFolder folder_;
};

TEST_F(FileSystemTest, ExistenceIgnoresLetterCaseAndGivesTheRealPath) {
    std::string real = make("Templates/Sales Report.DXL");
    EXPECT_EQ(asPath(findFile(folder_.file("templates/sales report.dxl"))), fs::path(real));
    EXPECT_EQ(asPath(findFile(folder_.file("TEMPLATES/Sales Report.DXL"))), fs::path(real));
    EXPECT_EQ(asPath(findFolder(folder_.file("TEMPLATES"))), fs::path(folder_.file("Templates")));
    EXPECT_EQ(asPath(findFolder(folder_.file("templates/"))), fs::path(folder_.file("Templates")));
    EXPECT_TRUE(fileExists(real));
    EXPECT_FALSE(fileExists(folder_.file("Templates")));  // a folder is no file
    EXPECT_FALSE(folderExists(real));
    EXPECT_FALSE(fileExists(folder_.file("Templates/Other.DXL")));
    EXPECT_FALSE(fileExists(""));
}

TEST_F(FileSystemTest, CopyReplacesTheDestinationFoundWithoutRegardToCase) {
    std::string source = make("data.CSV", "new rows");
    std::string earlier = make("Export/Sales.csv", "old rows");
    copyFile(folder_.file("DATA.csv"), folder_.file("export/SALES.CSV"));
    EXPECT_EQ(read(earlier), "new rows");
    EXPECT_EQ(read(source), "new rows");
    EXPECT_EQ(listFiles(folder_.file("Export")), (std::vector<std::string>{"Sales.csv"}));
}

// The export's copy of the data file (a second name where the folder allows one, else a
// copy) is killed at random points, hundreds of times: the export is one whole data file,
// the earlier or the later, never a mix; and the next copy clears what a killed one left.
TEST_F(FileSystemTest, AnExportCopyKilledAnywhereLeavesAWholeFile) {
#ifdef _WIN32
    GTEST_SKIP() << "The writers are forked children killed with signals";
#else
    auto content = [](long side) {
        return std::to_string(side) + "|" + std::string(300000, side ? 'b' : 'a') + "|end";
    };
    const std::string sources[] = {make("data0.CSV", content(0)), make("data1.CSV", content(1))};
    const std::string exported = make("Export/Sales.csv", content(0));
    for (bool link : {false, true}) {
        auto copy = [&](const std::string& from) {
            link ? shareFile(from, exported) : copyFile(from, exported);
        };
        bp::test::KillRounds rounds;
        rounds.rounds = 150;
        rounds.save = [&](long version) { copy(sources[version % 2]); };
        rounds.versionOnDisk = [&] {
            std::string text = read(exported);
            long side = text.starts_with("1|") ? 1 : 0;
            EXPECT_EQ(text, content(side));
            return side;
        };
        EXPECT_GT(bp::test::killDuringSaves(rounds, folder_.file("Export")), 20);
        copy(sources[0]);
        EXPECT_EQ(bp::test::temporariesIn(folder_.file("Export")), 0);
    }
#endif
}

TEST_F(FileSystemTest, CopyingAFileOntoItselfKeepsIt) {
    std::string file = make("data.CSV", "rows that must survive");
    copyFile(file, folder_.file("DATA.CSV"));
    EXPECT_EQ(read(file), "rows that must survive");
}

TEST_F(FileSystemTest, CopyAndSharingFailuresLeaveTheDestinationAlone) {
    std::string kept = make("Export/Sales.csv", "old rows");
    std::string source = make("data.CSV");
    for (bool link : {false, true}) {
        SCOPED_TRACE(link ? "shareFile" : "copyFile");
        auto copy = [&](const std::string& from, const std::string& to) {
            link ? shareFile(from, to) : copyFile(from, to);
        };
        EXPECT_EQ(errorNumberOf([&] { copy(folder_.file("missing.CSV"), kept); }),
                  kErrFileNotFound);
        EXPECT_EQ(errorNumberOf([&] { copy(source, folder_.file("No/Such/x.CSV")); }),
                  kErrPathNotFound);
        EXPECT_EQ(errorNumberOf([&] { copy(source, folder_.file("Export")); }), kErrPathFileAccess);
        EXPECT_EQ(read(kept), "old rows");
        EXPECT_EQ(listFiles(folder_.file("Export")), (std::vector<std::string>{"Sales.csv"}));
    }
}

// A data file is replaced whole by each run; the export shared from it keeps its rows.
TEST_F(FileSystemTest, ASharedFileKeepsItsBytesWhenTheSourceIsReplaced) {
    std::string source = make("data.CSV", "first rows");
    std::string earlier = make("Export/Sales.csv", "old rows");
    shareFile(folder_.file("DATA.csv"), folder_.file("export/SALES.CSV"));
    EXPECT_EQ(read(earlier), "first rows");
    EXPECT_EQ(listFiles(folder_.file("Export")), (std::vector<std::string>{"Sales.csv"}));
#ifndef _WIN32
    // One file under two names: the rows were not written a second time.
    EXPECT_EQ(stampOf(earlier)->inode, stampOf(source)->inode);
#endif
    SaveFile next(source);
    ASSERT_TRUE(next.open() && next.write("second rows") && next.commit());
    EXPECT_EQ(read(source), "second rows");
    EXPECT_EQ(read(earlier), "first rows");
    shareFile(source, earlier);
    EXPECT_EQ(read(earlier), "second rows");
    shareFile(source, folder_.file("Data.csv"));  // onto itself
    EXPECT_EQ(read(source), "second rows");
    EXPECT_EQ(listFiles(folder_.path().string()), (std::vector<std::string>{"data.CSV"}));
}

// Sharing again a file the export already is must still clear a killed share's second name.
TEST_F(FileSystemTest, SharingTheSameFileAgainClearsADeadWritersSecondName) {
    std::string source = make("data.CSV", "rows");
    make("Export/Sales.csv", "old rows");
    shareFile(source, folder_.file("Export/Sales.csv"));
    std::string left =
        make("Export/.Sales.csv.link-" + std::to_string(bp::test::endedProcessId()) + "-0.bptmp",
             "rows");
    shareFile(source, folder_.file("Export/Sales.csv"));
    EXPECT_FALSE(fs::exists(left));
    EXPECT_EQ(listFiles(folder_.file("Export")), (std::vector<std::string>{"Sales.csv"}));
}

TEST_F(FileSystemTest, DeleteFindsTheFileAndReportsAMissingOne) {
    make("Templates/Old.XLT");
    deleteFile(folder_.file("templates/old.xlt"));
    EXPECT_FALSE(fileExists(folder_.file("Templates/Old.XLT")));
    EXPECT_EQ(errorNumberOf([&] { deleteFile(folder_.file("Templates/Old.XLT")); }),
              kErrFileNotFound);
    EXPECT_EQ(errorNumberOf([&] { deleteFile(folder_.file("Templates")); }), kErrFileNotFound);
}

TEST_F(FileSystemTest, RenameNeverReplacesAnotherFile) {
    std::string a = make("Templates/A.DXL", "a");
    std::string b = make("Templates/B.DXL", "b");
    EXPECT_EQ(errorNumberOf([&] { renameFile(a, folder_.file("Templates/b.dxl")); }),
              kErrFileExists);
    EXPECT_EQ(read(b), "b");
    EXPECT_EQ(errorNumberOf([&] { renameFile(folder_.file("Templates/Z.DXL"), a); }),
              kErrFileNotFound);
    renameFile(folder_.file("templates/a.dxl"), folder_.file("Templates/C.DXL"));
    EXPECT_EQ(read(folder_.file("Templates/C.DXL")), "a");
    // A change of letter case only renames the same file.
    renameFile(folder_.file("Templates/C.DXL"), folder_.file("Templates/c.DXL"));
#ifdef _WIN32
    if (test::underWine()) {
        GTEST_SKIP() << "Wine renames a file to its own name in another case without changing it";
    }
#endif
    EXPECT_EQ(listFiles(folder_.file("Templates")), (std::vector<std::string>{"B.DXL", "c.DXL"}));
}

TEST_F(FileSystemTest, ListsOnlyTheFilesOfTheFolderInNameOrder) {
    make("Templates/b.DXL");
    make("Templates/A.DCS");
    make("Templates/c.XLT");
    make("Templates/Sub/inner.DXL");
    EXPECT_EQ(listFiles(folder_.file("templates")),
              (std::vector<std::string>{"A.DCS", "b.DXL", "c.XLT"}));
    EXPECT_EQ(errorNumberOf([&] { listFiles(folder_.file("Nowhere")); }), kErrPathNotFound);
}

TEST_F(FileSystemTest, CreateFoldersMakesParentsAndReportsAFileInTheWay) {
    createFolders(folder_.file("CSV Files/2026"));
    EXPECT_TRUE(folderExists(folder_.file("CSV Files/2026")));
    EXPECT_NO_THROW(createFolders(folder_.file("csv files")));
    std::string file = make("plain");
    EXPECT_EQ(errorNumberOf([&] { createFolders(file + "/sub"); }), kErrPathFileAccess);
}

TEST_F(FileSystemTest, ErrorsNameThePathAndTheCallersLine) {
    int line = 0;
    try {
        line = __LINE__ + 1;
        deleteFile(folder_.file("gone.CSV"));
        FAIL() << "no error raised";
    } catch (const Error& e) {
        EXPECT_NE(e.description().find("gone.CSV"), std::string::npos) << e.description();
        EXPECT_TRUE(e.description().starts_with("File not found")) << e.description();
        EXPECT_EQ(e.line(), line);
    }
}

}  // namespace
}  // namespace bp::platform
