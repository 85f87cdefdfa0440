// The batch CSV export as a user starts it (`brindlepath --run` with a selection file, the
// whole process: start, host open, selection, results, the file written) against one SQL
// query writing the same rows with the sqlite3 shell from a plain SQLite copy of the same data
// (PlainCopy.h says how the copy is laid out). The selection: open and lost sales on all
// contacts of a generated host of 200,000 contacts (about 856,000 sales). Goal: the program
// takes at most the query's time (ratio <= 1.0).
//
// The host and its copy are generated once into $TMPDIR/brindlepath-bench and reused. Each
// side runs once to warm the file cache, then kRuns times; the best time of each is printed,
// with the children's processor time. Both files are read back and must hold the same rows
// (the header first, the rows compared as sorted lists, as the two sort ties differently).

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "BenchSupport.h"
#include "CsvRows.h"
#include "PlainCopy.h"
#include "act/sim/DemoGenerator.h"

namespace {

namespace fs = std::filesystem;
using bp::bench::Clock;
using bp::bench::seconds;

constexpr int kContacts = 200'000;
constexpr int kSeed = 21;
constexpr int kRuns = 3;

std::string quoted(const fs::path& path) {
    return "'" + path.string() + "'";  // the benchmark's own folders hold no quote
}

void mustRun(const std::string& command) {
    if (std::system(command.c_str()) != 0) {
        throw std::runtime_error("failed: " + command);
    }
}

double childCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           1e-6 * static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
}

struct Timing {
    double best = 1e300;
    double cpu = 0;  // of the best run
};

Timing timeBest(const std::string& command) {
    mustRun(command);  // warms the file cache
    Timing timing;
    for (int run = 0; run < kRuns; ++run) {
        const double cpuStart = childCpuSeconds();
        const auto start = Clock::now();
        mustRun(command);
        const double wall = seconds(Clock::now() - start);
        if (wall < timing.best) {
            timing.best = wall;
            timing.cpu = childCpuSeconds() - cpuStart;
        }
    }
    return timing;
}

struct Setup {
    fs::path folder = fs::temp_directory_path() / "brindlepath-bench";
    std::string name = std::to_string(kContacts) + "-seed" + std::to_string(kSeed) + "-layout" +
                       std::to_string(bp::sim::DemoGenerator::kLayout) + ".db";
    fs::path host = folder / ("export-host-" + name);
    fs::path copy = folder / ("export-plain-" + name);
    fs::path run = folder / "export-run";
};

Setup prepare() {
    Setup setup;
    const fs::path programs = BRINDLEPATH_PROGRAM_DIR;
    fs::create_directories(setup.folder);
    if (!fs::exists(setup.host)) {
        mustRun(quoted(programs / "brindlepath-host") + " --db " + quoted(setup.host) +
                " demo --contacts " + std::to_string(kContacts) + " --seed " +
                std::to_string(kSeed) + " >/dev/null");
    }
    if (!fs::exists(setup.copy) ||
        fs::last_write_time(setup.copy) < fs::last_write_time(setup.host)) {
        bp::bench::makePlainCopy(setup.host.string(), setup.copy.string());
    }
    fs::remove_all(setup.run);
    fs::create_directories(setup.run / "program");
    for (const auto& entry : fs::directory_iterator(programs)) {
        const fs::path name = entry.path().filename();
        if (entry.is_directory()) {
            fs::copy(entry.path(), setup.run / "program" / name, fs::copy_options::recursive);
        } else if (name.has_extension()) {
            fs::copy_file(entry.path(), setup.run / "program" / name);
        }
    }
    std::ofstream selection(setup.run / "selection.ini", std::ios::binary);
    selection << "[Settings]\nLookup=0\nReport=-1\nReport0=0\nReport1=0\nReport2=-1\n"
                 "cboOutput=1\nReportsListIndex=0\nchkSales0=1\nchkSales1=0\nchkSales2=1\n"
                 "chkSales3=0\n";
    return setup;
}

void setEnvironment(const Setup& setup) {
    ::setenv("BRINDLEPATH_HOST", setup.host.c_str(), 1);
    ::setenv("BRINDLEPATH_HOME", (setup.run / "program").c_str(), 1);
    ::setenv("BRINDLEPATH_SETTINGS", (setup.run / "settings.ini").c_str(), 1);
    ::setenv("BRINDLEPATH_LOCALE", "en_US", 1);
    ::setenv("BRINDLEPATH_NO_LAUNCH", "1", 1);
    ::setenv("XDG_RUNTIME_DIR", setup.run.c_str(), 1);
}

std::size_t sameRows(const fs::path& programCsv, const fs::path& sqlCsv) {
    auto ours = bp::bench::readCsvRows(programCsv.string());
    auto theirs = bp::bench::readCsvRows(sqlCsv.string());
    if (ours.empty() || theirs.empty() || ours.front() != theirs.front()) {
        throw std::runtime_error("the two files have different headers");
    }
    std::sort(ours.begin() + 1, ours.end());
    std::sort(theirs.begin() + 1, theirs.end());
    if (ours != theirs) {
        const auto [a, b] = std::mismatch(ours.begin(), ours.end(), theirs.begin(), theirs.end());
        std::string first;
        for (const auto& field : (a != ours.end() ? *a : *b)) {
            first += field + "|";
        }
        throw std::runtime_error("the two files hold different rows (" +
                                 std::to_string(ours.size()) + " and " +
                                 std::to_string(theirs.size()) + "), first: " + first);
    }
    return ours.size() - 1;
}

void BM_BatchExportVersusSql(benchmark::State& state) {
    const Setup setup = prepare();
    setEnvironment(setup);
    const fs::path programCsv = setup.run / "program.csv";
    const fs::path sqlCsv = setup.run / "sql.csv";
    const fs::path script = setup.run / "query.sql";
    std::ofstream(script, std::ios::binary) << bp::bench::exportQueryScript(sqlCsv.string());
    const std::string program = quoted(fs::path(BRINDLEPATH_PROGRAM_DIR) / "brindlepath") +
                                " --run " + quoted(setup.run / "selection.ini") + " --out " +
                                quoted(programCsv);
    const std::string shell = "sqlite3 -bail " + quoted(setup.copy) + " < " + quoted(script);
    for (auto _ : state) {
        const Timing ours = timeBest(program);
        const Timing sql = timeBest(shell);
        state.counters["program_s"] = ours.best;
        state.counters["program_cpu_s"] = ours.cpu;
        state.counters["sql_s"] = sql.best;
        state.counters["sql_cpu_s"] = sql.cpu;
        state.counters["ratio"] = ours.best / sql.best;
    }
    state.counters["rows"] = static_cast<double>(sameRows(programCsv, sqlCsv));
}

BENCHMARK(BM_BatchExportVersusSql)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
