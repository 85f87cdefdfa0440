// Every host call of a representative batch run made to fail, one at a time: the calls of the
// start-up, the selection, the lookup, the data file or the export. Whichever call fails, the
// run either ends with a message, or it shrugs the failure off and produces exactly what a run
// without the fault produces. Either way nothing is left half done: the output, the host's
// records and lookup, each section of the user's store and each file of the program folder
// (definitions, data file) is as it was before the run or as the faultless run left it.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>

#include <nlohmann/json.hpp>

#include "act/sim/DatasetJson.h"
#include "act/sim/DemoGenerator.h"
#include "act/sim/HostStore.h"
#include "act/sim/SimHost.h"
#include "app/BatchRun.h"
#include "app/HostFactory.h"
#include "platform/FileSettingsStore.h"
#include "platform/SettingsFileFormat.h"
#include "platform/TestSupport.h"

namespace bp::app {
namespace {

namespace fs = std::filesystem;
using platform::test::readFile;
using platform::test::ScopedEnv;
using platform::test::TempFolder;

// The host's records, users and lookup as one text.
std::string hostDataset(const std::string& path) {
    sim::HostStore store(path);
    return sim::DatasetJson::exportJson(store).dump();
}

using Files = std::map<std::string, std::string>;

// Every file under a folder with its content, so a changed definition or a file left behind
// shows by name. The lookup a start saves aside is every start's, with or without a fault.
Files filesUnder(const fs::path& folder) {
    Files files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file() && entry.path().filename() != "~currentLU.lku") {
            files[fs::relative(entry.path(), folder).string()] = readFile(entry.path().string());
        }
    }
    return files;
}

// Each section of a settings file as its text.
Files sectionsOf(const std::string& path) {
    Files sections;
    const auto data = platform::SettingsFileFormat::parse(readFile(path));
    for (const auto& section : data.sections()) {
        std::string& text = sections[section.name];
        for (const auto& [key, value] : section.entries) {
            text += key + "=" + value + "\n";
        }
    }
    return sections;
}

// The program folder holds the program's own files beside its executables; the run needs
// the files alone.
void copyProgramFiles(const fs::path& from, const fs::path& to) {
    fs::create_directories(to);
    for (const auto& entry : fs::directory_iterator(from)) {
        const auto exec = fs::perms::owner_exec;
        if (entry.is_directory()) {
            fs::copy(entry.path(), to / entry.path().filename(), fs::copy_options::recursive);
        } else if ((entry.status().permissions() & exec) == fs::perms::none) {
            fs::copy_file(entry.path(), to / entry.path().filename());
        }
    }
}

// The embedded host, with the call `failAt` calls from its opening made to fail (none when
// unset), and its total number of calls recorded when the run lets go of it.
class CountingHost : public act::Host {
public:
    CountingHost(const std::string& path, std::optional<std::uint64_t> failAt, std::uint64_t& calls)
        : host_(path), calls_(calls) {
        if (failAt) {
            host_.failOneCall(*failAt, 57, "Device I/O error");
        }
    }
    ~CountingHost() override {
        calls_ = 0;
        for (const auto& [member, count] : host_.callCounts()) {
            calls_ += count;
        }
    }
    std::shared_ptr<act::ActApp> createAppObject() override { return host_.createAppObject(); }
    std::shared_ptr<act::Database> createDatabase() override { return host_.createDatabase(); }
    std::shared_ptr<act::AuxCmds> createAuxCmds() override { return host_.createAuxCmds(); }
    std::shared_ptr<act::ActEvent> createEventControl() override {
        return host_.createEventControl();
    }
    std::map<std::string, std::uint64_t> callCounts() const override { return host_.callCounts(); }
    std::string describe() const override { return host_.describe(); }

private:
    sim::SimHost host_;
    std::uint64_t& calls_;
};

class CountingHostFactory : public HostFactory {
public:
    CountingHostFactory(std::string path, std::optional<std::uint64_t> failAt, std::uint64_t& calls)
        : path_(std::move(path)), failAt_(failAt), calls_(calls) {}
    std::unique_ptr<act::Host> open() const override {
        return std::make_unique<CountingHost>(path_, failAt_, calls_);
    }

private:
    std::string path_;
    std::optional<std::uint64_t> failAt_;
    std::uint64_t& calls_;
};

// What a run leaves: its exit status and message, the output file, the host's dataset (its
// records and its lookup), the user's store and the program folder (definitions, data file).
struct Outcome {
    int status = 0;
    std::string message;
    std::optional<std::string> output;
    std::string host;
    Files settings;
    Files program;
};

class HostFaultSweepTest : public testing::Test {
protected:
    HostFaultSweepTest() {
        copyProgramFiles(BRINDLEPATH_TEST_BIN_DIR, pristineProgram_);
        sim::DemoOptions demo;
        demo.contacts = 3;
        demo.salesPerContact = 2;
        demo.varySales = false;
        demo.contactsWithoutSalesPercent = 0;
        sim::DemoGenerator::generate(pristineHost_, demo);
        platform::FileSettingsStore(pristineSettings_).SaveSetting("Settings", "Min0", "kept");
    }

    // A run of the selection on fresh copies of the host, the store and the program folder.
    Outcome run(const platform::SettingPairs& selection, bool toFile,
                std::optional<std::uint64_t> failAt, std::uint64_t& calls) {
        for (const auto& path : {host_, settings_, selection_, output_}) {
            fs::remove(path);
        }
        fs::remove_all(program_);
        fs::copy(pristineProgram_, program_, fs::copy_options::recursive);
        fs::copy_file(pristineHost_, host_);
        fs::copy_file(pristineSettings_, settings_);
        {
            platform::FileSettingsStore file(selection_);
            for (const auto& [key, value] : selection) {
                file.SaveSetting("Settings", key, value);
            }
        }
        std::vector<std::string> args{selection_};
        if (toFile) {
            args.insert(args.end(), {"--out", output_});
        }
        std::ostringstream out;
        std::ostringstream err;
        Outcome outcome;
        outcome.status =
            runBatch(args, out, err, std::make_unique<CountingHostFactory>(host_, failAt, calls));
        outcome.message = err.str();
        if (fs::exists(output_)) {
            outcome.output = readFile(output_);
        }
        outcome.host = hostDataset(host_);
        outcome.settings = sectionsOf(settings_);
        outcome.program = filesUnder(program_);
        return outcome;
    }

    // The run once without a fault, then once for each of its host calls failing.
    void sweep(const platform::SettingPairs& selection, bool toFile) {
        std::uint64_t calls = 0;
        const Outcome clean = run(selection, toFile, std::nullopt, calls);
        ASSERT_EQ(clean.status, 0) << clean.message;
        ASSERT_GT(calls, 0u);
        std::uint64_t ignore = 0;
        const Outcome before = untouched();
        int stopped = 0;
        for (std::uint64_t n = 0; n < calls; ++n) {
            const Outcome faulty = run(selection, toFile, n, ignore);
            SCOPED_TRACE("host call " + std::to_string(n + 1) + " of " + std::to_string(calls) +
                         " failed: " + faulty.message);
            if (faulty.status == 0) {
                // A run that says it completed has done all of it: no fault passed as success.
                EXPECT_EQ(faulty.output, clean.output);
                EXPECT_EQ(faulty.host, clean.host) << "the lookup is not the run's";
                EXPECT_EQ(faulty.program, clean.program) << "the data file is not the run's";
            } else {
                ++stopped;
                EXPECT_TRUE(faulty.status == 1 || faulty.status == 2) << faulty.status;
                EXPECT_FALSE(faulty.message.empty());
                EXPECT_TRUE(!faulty.output || faulty.output == clean.output)
                    << "an output from partial data";
            }
            expectBeforeOrAfter(faulty, before, clean);
        }
        EXPECT_GT(stopped, 0);
        std::printf("%llu host calls, each made to fail once: %d stopped the run\n",
                    static_cast<unsigned long long>(calls), stopped);
    }

    static void expectBeforeOrAfter(const Outcome& got, const Outcome& before,
                                    const Outcome& after) {
        EXPECT_TRUE(got.host == before.host || got.host == after.host)
            << "the host's records or lookup are neither the old nor the new";
        // "Report" is the staged copy of a definition, the run's scratch section: a stopped
        // run may leave the definition staged without the keys the run adds to it. The
        // definitions' own files are checked with the program folder.
        Files settings = got.settings;
        if (auto staged = settings.extract("Report")) {
            const auto& whole = after.settings.count("Report") ? after.settings.at("Report") : "";
            std::istringstream lines(staged.mapped());
            for (std::string line; std::getline(lines, line);) {
                EXPECT_NE(whole.find(line + "\n"), std::string::npos)
                    << "the staged definition holds " << line;
            }
        }
        expectEachFrom(settings, before.settings, after.settings, "section");
        expectEachFrom(got.program, before.program, after.program, "file");
    }

    // Every entry is the old one, the new one, or absent where one of them lacks it.
    static void expectEachFrom(const Files& got, const Files& before, const Files& after,
                               const char* what) {
        std::set<std::string> names;
        for (const Files* files : {&got, &before, &after}) {
            for (const auto& [name, content] : *files) {
                names.insert(name);
            }
        }
        auto entry = [](const Files& files, const std::string& name) {
            auto it = files.find(name);
            return it == files.end() ? std::optional<std::string>() : it->second;
        };
        for (const auto& name : names) {
            const auto mine = entry(got, name);
            EXPECT_TRUE(mine == entry(before, name) || mine == entry(after, name))
                << "the " << what << " " << name << " is neither the old nor the new:\n"
                << mine.value_or("(none)") << "\nagainst the new:\n"
                << entry(after, name).value_or("(none)");
        }
    }

    Outcome untouched() {
        Outcome outcome;
        outcome.host = hostDataset(pristineHost_);
        outcome.settings = sectionsOf(pristineSettings_);
        outcome.program = filesUnder(pristineProgram_);
        return outcome;
    }

    static platform::SettingPairs lookup(const char* mode) {
        return {{"Lookup", "-1"},
                {"Report", "0"},
                {"Lookup0", mode[0] == 'r' ? "-1" : "0"},
                {"Lookup1", mode[0] == 'a' ? "-1" : "0"},
                {"Lookup2", mode[0] == 'n' ? "-1" : "0"},
                {"chkSales0", "1"},
                {"chkSales1", "1"},
                {"chkSales2", "1"}};
    }
    static platform::SettingPairs report(const char* output) {
        return {{"Lookup", "0"},           {"Report", "-1"},   {"Report0", "0"},
                {"Report1", "0"},          {"Report2", "-1"},  {"cboOutput", output},
                {"ReportsListIndex", "0"}, {"chkSales0", "1"}, {"chkSales1", "1"},
                {"chkSales2", "1"}};
    }

    TempFolder folder_;
    std::string pristineProgram_ = folder_.file("pristine-program");
    std::string pristineHost_ = folder_.file("pristine-host.db");
    std::string pristineSettings_ = folder_.file("pristine-settings.ini");
    std::string program_ = folder_.file("program");
    std::string host_ = folder_.file("host.db");
    std::string settings_ = folder_.file("settings.ini");
    std::string selection_ = folder_.file("selection.ini");
    std::string output_ = folder_.file("export.csv");
    ScopedEnv home_{"BRINDLEPATH_HOME", program_};
    ScopedEnv hostEnv_{"BRINDLEPATH_HOST", host_};
    ScopedEnv settingsEnv_{"BRINDLEPATH_SETTINGS", settings_};
    ScopedEnv locale_{"BRINDLEPATH_LOCALE", "en_US"};
    ScopedEnv noLaunch_{"BRINDLEPATH_NO_LAUNCH", "1"};
    ScopedEnv runtime_{"XDG_RUNTIME_DIR", folder_.path().string()};
};

TEST_F(HostFaultSweepTest, ALookupThatReplacesTheHostsLookup) {
    sweep(lookup("replace"), false);
}

TEST_F(HostFaultSweepTest, ALookupThatAddsToTheHostsLookup) {
    sweep(lookup("add"), false);
}

TEST_F(HostFaultSweepTest, ALookupThatNarrowsTheHostsLookup) {
    sweep(lookup("narrow"), false);
}

TEST_F(HostFaultSweepTest, ASpreadsheetReportsDataFile) {
    sweep(report("0"), false);
}

TEST_F(HostFaultSweepTest, ACsvExport) {
    sweep(report("1"), true);
}

}  // namespace
}  // namespace bp::app
