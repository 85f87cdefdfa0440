#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "act/sim/DemoGenerator.h"
#include "act/sim/HostStore.h"
#include "act/sim/Sqlite.h"
#include "app/BatchRun.h"
#include "app/EmbeddedHostFactory.h"
#include "platform/FileSettingsStore.h"
#include "platform/Launcher.h"
#include "platform/TestSupport.h"
#include "support/RunInterrupted.h"
#include "support/RunOnTerminal.h"
#include "support/RunProgram.h"
#ifndef _WIN32
#include <sys/stat.h>

#include "support/FifoWatchdog.h"
#endif

namespace bp::app {
namespace {

namespace fs = std::filesystem;
using platform::test::ScopedEnv;
using platform::test::TempFolder;

// A batch run as a user starts it: a program folder with the starter files, a demo host, the
// user's own store, and a selection file; everything in a temporary folder.
class BatchRunTest : public testing::Test {
protected:
    BatchRunTest() {
        fs::copy(BRINDLEPATH_TEST_BIN_DIR, program_, fs::copy_options::recursive);
        sim::DemoOptions demo;
        demo.contacts = 60;
        sim::DemoGenerator::generate(folder_.file("host.db"), demo);
        user_.SaveSetting("Settings", "chkSales0", "1");
        user_.SaveSetting("Settings", "Min0", "kept");
    }

    void writeSelection(const platform::SettingPairs& selection) {
        platform::FileSettingsStore file(folder_.file("selection.ini"));
        for (const auto& [key, value] : selection) {
            file.SaveSetting("Settings", key, value);
        }
    }
    int run(std::vector<std::string> args, platform::SettingPairs selection = {}) {
        if (!selection.empty()) {
            writeSelection(selection);
            args.insert(args.begin(), folder_.file("selection.ini"));
        }
        err_.str("");
        out_.str("");
        return runBatch(args, out_, err_, terminal_);
    }
    // A run on the host database at `path`, waiting only briefly for a lock another
    // program holds on it.
    int runOn(const std::string& path) {
        err_.str("");
        return runBatch({}, out_, err_,
                        std::make_unique<EmbeddedHostFactory>(path, std::chrono::milliseconds(50)));
    }
    void write(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    }
    static std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    // A sales report on all contacts to the given output kind, the first report selected.
    static platform::SettingPairs reportSelection(const char* output) {
        return {{"Lookup", "0"},           {"Report", "-1"},   {"Report0", "0"},
                {"Report1", "0"},          {"Report2", "-1"},  {"cboOutput", output},
                {"ReportsListIndex", "0"}, {"chkSales1", "1"}, {"chkSales2", "1"}};
    }

    TempFolder folder_;
    std::string program_ = folder_.file("program");
    ScopedEnv home_{"BRINDLEPATH_HOME", program_};
    ScopedEnv host_{"BRINDLEPATH_HOST", folder_.file("host.db")};
    ScopedEnv settings_{"BRINDLEPATH_SETTINGS", folder_.file("settings.ini")};
    ScopedEnv locale_{"BRINDLEPATH_LOCALE", "en_US"};
    ScopedEnv noLaunch_{"BRINDLEPATH_NO_LAUNCH", "1"};
    ScopedEnv runtime_{"XDG_RUNTIME_DIR", folder_.path().string()};
    platform::FileSettingsStore user_{folder_.file("settings.ini")};
    std::ostringstream out_;
    std::ostringstream err_;
    bool terminal_ = false;
};

// Progress shows at once in these tests; a person sees it after a second.
class BatchProgressTest : public BatchRunTest {
protected:
    ScopedEnv showAtOnce_{"BRINDLEPATH_PROGRESS_AFTER_MS", "0"};
};

TEST_F(BatchProgressTest, ATerminalSeesTheBarAndTheSameExport) {
    std::string plain = folder_.file("plain.csv");
    ASSERT_EQ(run({"--out", plain}, reportSelection("1")), 0) << err_.str();
    EXPECT_EQ(err_.str(), "");
    terminal_ = true;
    std::string barred = folder_.file("barred.csv");
    ASSERT_EQ(run({"--out", barred}, reportSelection("1")), 0) << err_.str();
    const std::string shown = err_.str();
    EXPECT_NE(shown.find("\rSelecting..."), std::string::npos) << shown;
    EXPECT_NE(shown.find("\rSorting [" + std::string(30, '.') + "] 0%"), std::string::npos)
        << shown;
    EXPECT_NE(shown.find("\rWriting ["), std::string::npos) << shown;
    // The line is wiped at the end: the terminal is left as without the bar.
    EXPECT_EQ(
        shown.substr(shown.rfind('\r', shown.size() - 2)),
        "\r" + std::string(shown.size() - shown.rfind('\r', shown.size() - 2) - 2, ' ') + "\r");
    EXPECT_EQ(read(barred), read(plain));
}

// An export without an output file stops without writing, and says so on a line of its own.
TEST_F(BatchProgressTest, AMessageStartsOnALineOfItsOwn) {
    terminal_ = true;
    EXPECT_EQ(run({}, reportSelection("1")), 1);
    EXPECT_FALSE(fs::exists(folder_.file("export.csv")));
    const std::string shown = err_.str();
    const std::size_t said = shown.find("brindlepath: no output file was named (--out FILE)");
    ASSERT_NE(said, std::string::npos) << shown;
    EXPECT_EQ(shown.find_last_not_of(' ', said - 2), shown.rfind('\r', said - 2)) << shown;
    EXPECT_EQ(shown[said - 1], '\r');
}

TEST_F(BatchProgressTest, TheProgramDrawsTheBarOnATerminalOnly) {
    writeSelection(reportSelection("1"));
    const std::vector<std::string> args{"--run", folder_.file("selection.ini"), "--out",
                                        folder_.file("export.csv")};
    auto piped = bp::test::runProgram(bp::test::builtProgram("brindlepath"), args);
    EXPECT_EQ(piped.exitCode, 0) << piped.output;
    EXPECT_EQ(piped.output.find("Writing"), std::string::npos) << piped.output;
#ifdef _WIN32
    GTEST_SKIP() << "a console cannot be given to a program under test";
#else
    auto shown = bp::test::runOnTerminal(bp::test::builtProgram("brindlepath"), args);
    EXPECT_EQ(shown.exitCode, 0) << shown.output;
    EXPECT_NE(shown.output.find("\rWriting ["), std::string::npos) << shown.output;
#endif
}

// Ctrl+C during a run: the run stops at its next look and leaves nothing behind.
class BatchInterruptTest : public BatchProgressTest {
protected:
    BatchInterruptTest() {
        // Long enough a run that it is still working when Ctrl+C arrives.
        sim::DemoOptions demo;
        demo.contacts = 30000;
        sim::DemoGenerator::generate(folder_.file("host.db"), demo);
        writeSelection(reportSelection("1"));
    }
    void expectCancelledCleanly(const bp::test::ProgramResult& result) {
        EXPECT_EQ(result.exitCode, 1) << result.output;
        EXPECT_NE(result.output.find("brindlepath: the run was cancelled; nothing was written"),
                  std::string::npos)
            << result.output;
        EXPECT_FALSE(fs::exists(out_));
        for (const auto& entry : fs::directory_iterator(folder_.path())) {
            EXPECT_EQ(entry.path().filename().string().find("export"), std::string::npos)
                << "left behind: " << entry.path();
        }
        EXPECT_EQ(user_.GetSetting("Settings", "Min0", ""), "kept");
        EXPECT_EQ(user_.GetSetting("Settings", "Report", "absent"), "absent");
    }

    std::string out_ = folder_.file("export.csv");
    std::vector<std::string> args_{"--run", folder_.file("selection.ini"), "--out", out_};
};

#ifdef _WIN32
TEST_F(BatchInterruptTest, CtrlCIsTestedOnPosixSystems) {
    GTEST_SKIP() << "console events cannot be sent to a program under test here";
}
#else
TEST_F(BatchInterruptTest, CtrlCAtTheTerminalCancelsTheRun) {
    auto result =
        bp::test::interruptOnTerminal(bp::test::builtProgram("brindlepath"), args_, "Selecting");
    expectCancelledCleanly(result);
}

// The report builder started after a report run stops the same way, and leaves no workbook.
TEST_F(BatchInterruptTest, AnInterruptStopsTheReportBuilder) {
    ASSERT_EQ(run({}, reportSelection("0")), 0) << err_.str();
    auto result =
        bp::test::interruptPiped(bp::test::builtProgram("brindlepath-launch"), {"--no-open"});
    EXPECT_EQ(result.exitCode, platform::kReportBuilderStopped) << result.output;
    EXPECT_NE(result.output.find("the build was cancelled"), std::string::npos) << result.output;
    std::error_code none;
    for (const auto& entry : fs::directory_iterator(program_ + "/Reports", none)) {
        ADD_FAILURE() << "left behind: " << entry.path();
    }
}

TEST_F(BatchInterruptTest, AnInterruptCancelsAPipedRunToo) {
    expectCancelledCleanly(bp::test::interruptPiped(bp::test::builtProgram("brindlepath"), args_));
}
#endif

// Every demo contact has a city, and the export's City column shows it.
TEST_F(BatchRunTest, ACsvExportGoesToTheOutputFileAndLeavesTheWindowStateAlone) {
    std::string out = folder_.file("export.csv");
    ASSERT_EQ(run({"--out", out}, reportSelection("1")), 0) << err_.str();
    std::string exported = read(out);
    EXPECT_EQ(exported.substr(0, exported.find("\r\n")),
              "\"Company\",\"Contact\",\"City\",\"Product\",\"Type\",\"Main competitor\","
              "\"Sales Stage\",\"Status\",\"Probability\",\"Units\",\"Price\",\"Amount\","
              "\"Forecasted amount\",\"Creation Date\",\"Close Date\",\"Sales Record Manager\"");
    EXPECT_EQ(user_.GetSetting("Settings", "Min0", ""), "kept");
    EXPECT_EQ(user_.GetSetting("Settings", "Report", "absent"), "absent");
    std::istringstream rows(exported);
    std::string row;
    std::getline(rows, row);  // the captions
    int seen = 0;
    while (std::getline(rows, row)) {
        // "Company","Contact","City",...: the third quoted cell
        std::size_t start = 0;
        for (int quote = 0; quote < 5 && start != std::string::npos; ++quote) {
            start = row.find('"', start + (quote == 0 ? 0 : 1));
        }
        ASSERT_NE(start, std::string::npos) << row;
        EXPECT_NE(row[start + 1], '"') << "no city in " << row;
        ++seen;
    }
    EXPECT_GT(seen, 10);
}

// The window stays open in silence when the copy fails; a batch run has to say why it stopped.
TEST_F(BatchRunTest, AnExportThatCannotBeWrittenStopsWithTheReason) {
    fs::create_directories(folder_.file("a folder.csv"));
    write(folder_.file("plain"), "a file, not a folder");
    for (const std::string& out : {folder_.file("a folder.csv"), folder_.file("plain/x.csv")}) {
        EXPECT_EQ(run({"--out", out}, reportSelection("1")), 1) << out;
        EXPECT_NE(err_.str().find("brindlepath: the export could not be written to " + out),
                  std::string::npos)
            << err_.str();
    }
    EXPECT_TRUE(fs::is_directory(folder_.file("a folder.csv")));
}

TEST_F(BatchRunTest, ASpreadsheetReportLeavesItsDataForTheBuilder) {
    EXPECT_EQ(run({}, reportSelection("0")), 0) << err_.str();
    EXPECT_EQ(user_.GetSetting("Settings", "DataFile", ""),
              program_ + platform::test::kSeparator + "data.CSV");
    std::string path = user_.GetSetting("Report", "Path", "");
    EXPECT_EQ(path.substr(path.size() - 4), ".XLT");
    EXPECT_TRUE(fs::exists(path)) << path;
    EXPECT_FALSE(read(program_ + "/data.CSV").empty());
    // The builder the run starts turns them into a report in the Reports folder.
    std::string builder = program_ + "/brindlepath-launch --no-open";
    ASSERT_EQ(std::system(builder.c_str()), 0);
    int reports = 0;
    for (const auto& entry : fs::directory_iterator(program_ + "/Reports")) {
        reports += entry.path().extension() == ".xlsx";
    }
    EXPECT_EQ(reports, 1);
}

TEST_F(BatchRunTest, ALookupReplacesTheHostsLookup) {
    EXPECT_EQ(run({}, {{"Lookup", "-1"}, {"Report", "0"}, {"Lookup0", "-1"}, {"chkSales1", "1"}}),
              0)
        << err_.str();
    sim::HostStore store(folder_.file("host.db"));
    auto lookup = store.currentLookup();
    ASSERT_TRUE(lookup.has_value());
    EXPECT_FALSE(lookup->empty());
}

TEST_F(BatchRunTest, AStopWithAMessageExitsWithOneAndPrintsIt) {
    auto selection = reportSelection("0");
    selection.push_back({"chkSales0", "0"});
    selection.push_back({"chkSales1", "0"});
    selection.push_back({"chkSales2", "0"});
    EXPECT_EQ(run({}, selection), 1);
    EXPECT_EQ(err_.str(), "Empty Report: There is no data to display or export!\n");
}

TEST_F(BatchRunTest, UsageAndStartUpFailuresExitWithTwo) {
    EXPECT_EQ(run({"--bogus"}), 2);
    EXPECT_EQ(run({folder_.file("missing.ini")}), 2);
    ScopedEnv noHost("BRINDLEPATH_HOST", folder_.file("nowhere.db"));
    EXPECT_EQ(run({}), 2);
    EXPECT_NE(err_.str().find("brindlepath-host --db"), std::string::npos);
}

TEST_F(BatchRunTest, ASelectionThatIsAPipeOrADeviceIsRefusedWithoutWaiting) {
#ifdef _WIN32
    GTEST_SKIP() << "FIFOs and device files are POSIX ones";
#else
    const std::string fifo = folder_.file("fifo.ini");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    bp::test::FifoWatchdog watchdog(fifo);
    const std::string device = folder_.file("device.ini");
    fs::create_symlink("/dev/zero", device);
    for (const std::string& selection : {fifo, device}) {
        EXPECT_EQ(run({selection, "--count"}), 2) << selection;
        EXPECT_EQ(err_.str(), "brindlepath: cannot read the selection " + selection + "\n");
        EXPECT_EQ(out_.str(), "");
    }
#endif
}

// A selection the program cannot read is never replaced by the stored choices.
TEST_F(BatchRunTest, ASelectionLargerThanAStoreIsRefusedRatherThanRunWithTheStoredChoices) {
    const std::string selection = folder_.file("huge.ini");
    write(selection, "[Settings]\nLookup=0\nReport=-1\ncboOutput=1\n");
    fs::resize_file(selection, platform::FileSettingsStore::kMaxStoreBytes + 1);  // sparse
    EXPECT_EQ(run({selection, "--out", folder_.file("export.csv")}), 2);
    EXPECT_EQ(err_.str(), "brindlepath: the selection " + selection + " is larger than 16 MB\n");
    EXPECT_FALSE(fs::exists(folder_.file("export.csv")));
}

TEST_F(BatchRunTest, ASelectionWithATenMegabyteLineIsReadWhole) {
    // Won sales only: the count tells whether the keys after the long line were read.
    const std::string keys =
        "Lookup=0\nReport=-1\ncboOutput=1\nReportsListIndex=0\nchkSales0=0\nchkSales1=1\n";
    ASSERT_EQ(run({"--count"}, reportSelection("1")), 0) << err_.str();
    const std::string allStatuses = out_.str();
    const std::string shortOne = folder_.file("short.ini");
    write(shortOne, "[Settings]\n" + keys);
    ASSERT_EQ(run({shortOne, "--count"}), 0) << err_.str();
    const std::string counted = out_.str();
    EXPECT_NE(counted, allStatuses);
    const std::string longOne = folder_.file("long.ini");
    write(longOne, "[Settings]\nNotes=" + std::string(10u << 20, 'x') + "\n" + keys);
    ASSERT_EQ(run({longOne, "--count"}), 0) << err_.str();
    EXPECT_EQ(out_.str(), counted);
}

// A host database that cannot be opened ends the run with status 2 and says why, in words
// that tell a locked file from a damaged one and from a file that is no host database.
TEST_F(BatchRunTest, AHostDatabaseInUseByAnotherProgramIsReportedAsInUse) {
    const std::string path = folder_.file("host.db");
    sim::Sqlite writer(path, sim::Sqlite::Mode::ReadWrite);
    writer.exec("BEGIN EXCLUSIVE; UPDATE meta SET value = value WHERE key = 'schemaVersion';");
    EXPECT_EQ(runOn(path), 2);
    EXPECT_NE(err_.str().find("is in use by another program"), std::string::npos) << err_.str();
    EXPECT_EQ(err_.str().find("not a host database"), std::string::npos) << err_.str();
    writer.exec("ROLLBACK");
}

TEST_F(BatchRunTest, AHostDatabaseThatCannotBeOpenedEndsTheRunWithItsReason) {
    const std::string demo = read(folder_.file("host.db"));
    ASSERT_GT(demo.size(), 3 * 4096u);
    std::string scrambled = demo;
    for (size_t i = 4096; i < 3 * 4096; ++i) {
        scrambled[i] = static_cast<char>(0xA5 ^ (i & 0xFF));
    }
    const struct {
        const char* name;
        std::string bytes;
        const char* says;
    } cases[] = {
        {"truncated", demo.substr(0, 4096), "is damaged"},
        {"corrupt pages", scrambled, "is damaged"},
        {"a text file", "Company,Contact\nAcme,Jo Smith\n", "is not a host database"},
        {"an empty file", "", "is not a host database"},
    };
    for (const auto& c : cases) {
        const std::string path = folder_.file(std::string(c.name) + ".db");
        write(path, c.bytes);
        EXPECT_EQ(runOn(path), 2) << c.name;
        EXPECT_NE(
            err_.str().find("brindlepath: The contact database " + path + " cannot be opened:"),
            std::string::npos)
            << c.name << ": " << err_.str();
        EXPECT_NE(err_.str().find(c.says), std::string::npos) << c.name << ": " << err_.str();
    }
    EXPECT_EQ(runOn(folder_.file("missing.db")), 2);
    EXPECT_NE(err_.str().find("There is no contact database at " + folder_.file("missing.db")),
              std::string::npos)
        << err_.str();
}

}  // namespace
}  // namespace bp::app
