// The built brindlepath program run on host datasets as a user or a scheduled job starts it:
// every output (the host's lookup, the report's data file, a CSV export) must be exactly what
// the Linux build produced when the expected files were recorded, on Linux and on Windows
// alike. The fixed dataset's cases were written by hand; the generated ones (datasets,
// selections and their list in tests/app/data/scenarios) come from tools/scenarios, and
// scripts/same-output-scenarios.sh records their expected outputs.
//
// Each instantiation names the environment the program starts in, so the same scenarios can
// run against another way of reaching the host by adding one instantiation.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <list>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/TestSupport.h"
#include "support/ProgramFiles.h"
#include "support/RunProgram.h"

namespace bp::app {
namespace {

namespace fs = std::filesystem;
using platform::test::readFile;
using platform::test::ScopedEnv;
using platform::test::TempFolder;
using platform::test::utf8Path;

const std::string kData = std::string(BRINDLEPATH_TEST_SOURCE_DIR) + "/tests/app/data/";
const std::string kScenarios = kData + "scenarios/";

enum class Output { Lookup, DataFile, Export };

struct Scenario {
    std::string name;
    std::string dataset;    // the JSON the host tool imports
    std::string selection;  // the .ini given to --run
    std::string expected;   // the expected output's path without its extension
    Output output = Output::Lookup;
};

// Variables set for the run on top of the isolated folders every case gets.
struct RunEnvironment {
    std::string name;
    std::vector<std::pair<std::string, std::string>> variables;
    bool standIn = false;  // the stand-in automation server must be registered first
};

struct SameOutputCase {
    Scenario scenario;
    RunEnvironment environment;
};

void PrintTo(const SameOutputCase& c, std::ostream* os) {
    *os << c.scenario.name << " (" << c.environment.name << ")";
}

Scenario fixedCase(const std::string& name, Output output) {
    return {name, kData + "same-output.json", kData + name + ".ini", kData + "expected/" + name,
            output};
}

std::vector<Scenario> fixedDataset() {
    return {fixedCase("lookup-replace", Output::Lookup),
            fixedCase("lookup-add-amounts", Output::Lookup),
            fixedCase("export-all", Output::Export),
            fixedCase("export-conditions", Output::Export),
            fixedCase("report-all", Output::DataFile),
            fixedCase("report-lookup-probability", Output::DataFile)};
}

// scenarios.txt: "NAME DATASET OUTPUT" a line, as the generator writes it.
std::vector<Scenario> generatedScenarios() {
    std::vector<Scenario> scenarios;
    std::ifstream list(utf8Path(kScenarios + "scenarios.txt"));
    std::string line;
    while (std::getline(list, line)) {
        std::istringstream words(line);
        std::string name, dataset, output;
        if (!(words >> name >> dataset >> output)) {
            continue;
        }
        scenarios.push_back({name, kScenarios + dataset + ".json", kScenarios + name + ".ini",
                             kScenarios + "expected/" + name,
                             output == "lookup"
                                 ? Output::Lookup
                                 : (output == "datafile" ? Output::DataFile : Output::Export)});
    }
    return scenarios;
}

std::vector<SameOutputCase> inEnvironment(const std::vector<Scenario>& scenarios,
                                          const RunEnvironment& environment) {
    std::vector<SameOutputCase> cases;
    for (const auto& scenario : scenarios) {
        cases.push_back({scenario, environment});
    }
    return cases;
}

std::string caseName(const testing::TestParamInfo<SameOutputCase>& info) {
    std::string name = info.param.scenario.name;
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) {
            c = '_';
        }
    }
    return name;
}

const char* extensionOf(Output output) {
    switch (output) {
        case Output::Lookup:
            return ".txt";
        case Output::DataFile:
            return ".data.CSV";
        case Output::Export:
            return ".csv";
    }
    return "";
}

// The lines of a message, each without the line end of either system.
std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty()) {
            lines.push_back(line);
        }
    }
    return lines;
}

// A stop says each line of the recorded message and ends with exit status 1.
void expectStoppedWith(const bp::test::ProgramResult& run, const std::string& stopped) {
    EXPECT_EQ(run.exitCode, 1) << run.output;
    for (const auto& line : linesOf(stopped)) {
        EXPECT_NE(run.output.find(line), std::string::npos) << line << "\n" << run.output;
    }
}

class SameOutputTest : public testing::TestWithParam<SameOutputCase> {
protected:
    SameOutputTest() {
        bp::test::copyProgramFiles(BRINDLEPATH_TEST_BIN_DIR, utf8Path(program_));
        for (const auto& [name, value] : GetParam().environment.variables) {
            environment_.emplace_back(name, value);
        }
    }
    void SetUp() override {
        if (GetParam().environment.standIn) {
            auto registered = host({"register"});
            ASSERT_EQ(registered.exitCode, 0) << registered.output;
        }
    }

    bp::test::ProgramResult host(std::vector<std::string> args) {
        args.insert(args.begin(), {"--db", hostDb_});
        return bp::test::runProgram(bp::test::builtProgram("brindlepath-host"), args);
    }

    // What the run produced: the host's lookup afterwards, the data file or the export.
    std::string produced(Output output, const std::string& exportFile) {
        switch (output) {
            case Output::Lookup: {
                auto lookup = host({"lookup"});
                EXPECT_EQ(lookup.exitCode, 0) << lookup.output;
                return lookup.output;
            }
            case Output::DataFile:
                return readFile(program_ + "/data.CSV");
            case Output::Export:
                return readFile(exportFile);
        }
        return {};
    }

    TempFolder folder_;
    std::string program_ = folder_.file("program");
    std::string hostDb_ = folder_.file("host.db");
    ScopedEnv home_{"BRINDLEPATH_HOME", program_};
    ScopedEnv hostEnv_{"BRINDLEPATH_HOST", hostDb_};
    ScopedEnv settings_{"BRINDLEPATH_SETTINGS", folder_.file("settings.ini")};
    ScopedEnv locale_{"BRINDLEPATH_LOCALE", "en_US"};
    ScopedEnv noLaunch_{"BRINDLEPATH_NO_LAUNCH", "1"};
    ScopedEnv runtime_{"XDG_RUNTIME_DIR", folder_.path().string()};
    std::list<ScopedEnv> environment_;
};

// A run that finds nothing stops with the program's message and exit status 1; one that finds
// something gives exactly the recorded bytes.
TEST_P(SameOutputTest, GivesTheExpectedBytes) {
    const Scenario& s = GetParam().scenario;
    auto imported = host({"import", s.dataset});
    ASSERT_EQ(imported.exitCode, 0) << imported.output;

    const std::string exportFile = folder_.file("export.csv");
    auto run = bp::test::runProgram(bp::test::builtProgram("brindlepath"),
                                    {"--run", s.selection, "--out", exportFile});
    const std::string stopped = readFile(s.expected + ".stopped");
    if (!stopped.empty()) {
        expectStoppedWith(run, stopped);
        return;
    }
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const std::string expected = s.expected + extensionOf(s.output);
    const std::string bytes = produced(s.output, exportFile);
    ASSERT_FALSE(bytes.empty()) << expected;
    EXPECT_EQ(bytes, readFile(expected)) << expected;
}

// Records of a data file or an export: line ends outside quoted cells.
std::uint64_t recordsOf(const std::string& bytes) {
    std::uint64_t records = 0;
    bool quoted = false;
    for (char c : bytes) {
        if (c == '"') {
            quoted = !quoted;
        } else if (c == '\n' && !quoted) {
            ++records;
        }
    }
    return records;
}

// The count a run's choices give: exactly the contacts of the lookup the run makes, or the
// rows of its data file or export; the choices a run refuses are refused in the run's words,
// and counting writes nothing and leaves the host's lookup alone.
TEST_P(SameOutputTest, CountsWhatTheRunProduces) {
    const Scenario& s = GetParam().scenario;
    auto imported = host({"import", s.dataset});
    ASSERT_EQ(imported.exitCode, 0) << imported.output;
    const std::string lookupBefore = host({"lookup"}).output;

    auto count = bp::test::runProgram(bp::test::builtProgram("brindlepath"),
                                      {"--run", s.selection, "--count"});
    EXPECT_FALSE(fs::exists(utf8Path(program_ + "/data.CSV")));
    EXPECT_FALSE(fs::exists(utf8Path(program_ + "/temp.lku")));
    EXPECT_EQ(host({"lookup"}).output, lookupBefore);
    const std::string stopped = readFile(s.expected + ".stopped");
    const bool foundNothing = stopped.find("No records were found") != std::string::npos ||
                              stopped.find("There is no data") != std::string::npos;
    if (!stopped.empty() && !foundNothing) {
        expectStoppedWith(count, stopped);
        return;
    }
    ASSERT_EQ(count.exitCode, 0) << count.output;
    std::istringstream numbers(count.output);
    std::uint64_t contacts = 0, opportunities = 0;
    ASSERT_TRUE(numbers >> contacts >> opportunities) << count.output;
    if (foundNothing) {
        EXPECT_EQ(s.output == Output::Lookup ? contacts : opportunities, 0u) << count.output;
        return;
    }
    const std::string expected = readFile(s.expected + extensionOf(s.output));
    switch (s.output) {
        case Output::Lookup:
            EXPECT_EQ(contacts, linesOf(expected).size());
            break;
        case Output::DataFile:
            EXPECT_EQ(opportunities, recordsOf(expected));
            break;
        case Output::Export:
            EXPECT_EQ(opportunities + 1, recordsOf(expected));  // and the captions
            break;
    }
    EXPECT_GT(contacts, 0u);
}

// The program opens the embedded host of BRINDLEPATH_HOST directly.
const RunEnvironment kEmbeddedHost{"embedded host", {}};

INSTANTIATE_TEST_SUITE_P(OnTheFixedDataset, SameOutputTest,
                         testing::ValuesIn(inEnvironment(fixedDataset(), kEmbeddedHost)), caseName);
INSTANTIATE_TEST_SUITE_P(Generated, SameOutputTest,
                         testing::ValuesIn(inEnvironment(generatedScenarios(), kEmbeddedHost)),
                         caseName);

#ifdef _WIN32
// The same database served through the host's automation objects by the stand-in server:
// the adapter must change nothing the user gets.
const RunEnvironment kByAutomation{"by automation", {{"BRINDLEPATH_ATTACH", "automation"}}, true};

INSTANTIATE_TEST_SUITE_P(OnTheFixedDatasetByAutomation, SameOutputTest,
                         testing::ValuesIn(inEnvironment(fixedDataset(), kByAutomation)), caseName);
INSTANTIATE_TEST_SUITE_P(GeneratedByAutomation, SameOutputTest,
                         testing::ValuesIn(inEnvironment(generatedScenarios(), kByAutomation)),
                         caseName);
#endif

// The generated list is read when the tests are registered; a missing or cut list would
// quietly run fewer cases, and a scenario without its recorded output could never fail.
TEST(SameOutputScenarios, EveryListedScenarioHasOneRecordedOutcome) {
    const auto scenarios = generatedScenarios();
    EXPECT_GE(scenarios.size(), 50u);
    int lookups = 0, dataFiles = 0, exports = 0;
    for (const auto& s : scenarios) {
        const bool finished = fs::exists(utf8Path(s.expected + extensionOf(s.output)));
        const bool stopped = fs::exists(utf8Path(s.expected + ".stopped"));
        EXPECT_NE(finished, stopped) << s.name;
        EXPECT_TRUE(fs::exists(utf8Path(s.selection))) << s.name;
        EXPECT_TRUE(fs::exists(utf8Path(s.dataset))) << s.name;
        if (finished) {
            lookups += s.output == Output::Lookup;
            dataFiles += s.output == Output::DataFile;
            exports += s.output == Output::Export;
        }
    }
    EXPECT_GE(lookups, 10);
    EXPECT_GE(dataFiles, 5);
    EXPECT_GE(exports, 5);
}

// The count is compared with the run over these scenarios, so between them they must reach
// every output mode, report scope, status, condition kind and join; the generator names each
// scenario by what it chose.
TEST(SameOutputScenarios, ReachEveryModeScopeStatusAndConditionKind) {
    std::set<std::string> words;
    for (const auto& s : generatedScenarios()) {
        std::istringstream parts(s.name);
        std::string word;
        while (std::getline(parts, word, '-')) {
            words.insert(word);
        }
    }
    for (const char* wanted :
         {"replace",   "add",     "narrow",      "datafile",    "export",        "contact",
          "lookup",    "all",     "open",        "won",         "lost",          "nosales",
          "products",  "types",   "competitors", "stages",      "closedates",    "probabilities",
          "units",     "amounts", "editdates",   "productsall", "typesall",      "competitorsall",
          "stagesall", "and",     "andnot",      "managers",    "salesmanagers", "created"}) {
        EXPECT_TRUE(words.count(wanted)) << wanted;
    }
}

}  // namespace
}  // namespace bp::app
