// From a list of sales IDs to a finished data file, the way a report run does it: a results
// list of eight columns (one of them a custom contact field) sorted by date, then data.CSV.
// Goal: a million rows in under 1.5 s and 300 MB peak (the host's records included); the sort
// stays O(n log n) with each row's key computed once, so the cost per row barely grows from
// 100,000 to 1,000,000. "list_bytes_per_row" is what the filled list adds to the process.
//
// The host databases are generated once into $TMPDIR/brindlepath-bench and reused by size and
// seed (the same files the host benchmark uses). Settings and the program folder are temporary.

#include <benchmark/benchmark.h>
#include <stdlib.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "BenchSupport.h"
#include "act/Session.h"
#include "act/sim/SimHost.h"
#include "filter/IdList.h"
#include "forms/Form.h"
#include "forms/ListView.h"
#include "forms/ScriptedUi.h"
#include "output/DataFile.h"
#include "output/ResultsList.h"
#include "output/RowSort.h"
#include "platform/MemorySettingsStore.h"
#include "platform/RecordingShell.h"

namespace {

namespace fs = std::filesystem;
using bp::bench::Clock;
using bp::bench::cpuSeconds;
using bp::bench::peakRssMb;
using bp::bench::seconds;

constexpr int kSalesPerContact = 5;
constexpr std::uint64_t kSeed = 42;

std::string cachedHost(int contacts) {
    return bp::bench::cachedDemoHost(contacts, kSalesPerContact, kSeed);
}

// The program folder of one run; removed with everything the run wrote into it.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "brindlepath-output-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::system_error(errno, std::generic_category(), "mkdtemp");
        }
        path_ = pattern;
        fs::create_directories(path_ / "Templates");
    }
    ~TempFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

// A session on the generated host with the shared objects opened as start-up opens them.
struct BenchSession {
    explicit BenchSession(const std::string& hostPath) : host(hostPath) {
        session.ui = &ui;
        session.settings = &settings;
        session.shell = &shell;
        session.host = &host;
        session.programFolder = folder.path().string();
        session.objActApp = host.createAppObject();
        session.objActApp->OpenFile("");
        session.objViews = session.objActApp->GetViews();
        session.objContactView = session.objViews->Create(1, "");
        session.objDatabase = host.createDatabase();
        session.objDatabase->OpenEx("");
        session.objListTable = session.objDatabase->GetListTable();
        session.objContact = session.objDatabase->Contact();
        session.objUsers = session.objDatabase->GetUsers();
        session.objSales = session.objDatabase->Sales();
        session.objFields = session.objContact->Fields();
        session.objGroup = session.objDatabase->Group();
    }

    TempFolder folder;
    bp::forms::ScriptedUi ui;
    bp::platform::MemorySettingsStore settings;
    bp::platform::RecordingShell shell;
    bp::sim::SimHost host;
    bp::act::Session session;
};

// Company, contact, city, sales fields 200, 27, 34 and the date 31, and the contact's region
// as a custom field; the first section sorts by the date, ascending.
void stageDefinition(bp::platform::SettingsStore& settings) {
    const char* ids[] = {"1025", "1026", "1030", "200", "27", "34", "31", "994"};
    std::string list;
    for (const char* id : ids) {
        list += std::string(id) + '\f';
    }
    settings.SaveSetting("Report", "FieldsIncluded", list);
    settings.SaveSetting("Report", "FieldID0", "61");
    settings.SaveSetting("Report", "Sort0", "31");
    settings.SaveSetting("Report", "SortType0", "D");
    settings.SaveSetting("Report", "SortOrder0", "1");
}

// Resident memory now, in bytes; 0 where the system does not say. The peak alone cannot tell
// the rows' share from the host's, so the rows are measured as the growth across the fill.
double residentBytes() {
#ifdef _WIN32
    return 0;
#else
    std::ifstream statm("/proc/self/statm");
    double pages = 0;
    double resident = 0;
    if (!(statm >> pages >> resident)) {
        return 0;
    }
    return resident * static_cast<double>(::sysconf(_SC_PAGESIZE));
#endif
}

struct Phase {
    double wall = 0;
    double cpu = 0;
};

template <class Body>
Phase timed(Body body) {
    auto start = Clock::now();
    double cpuStart = cpuSeconds();
    body();
    return {seconds(Clock::now() - start), cpuSeconds() - cpuStart};
}

void BM_ReportToDataFile(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    const std::string hostPath = cachedHost(rows / kSalesPerContact);
    Phase fill, sort, write;
    std::size_t filled = 0;
    std::uintmax_t fileBytes = 0;
    double listBytes = 0;
    double hostBytes = 0;  // resident before the fill: the opened host and the sales IDs
    for (auto _ : state) {
        state.PauseTiming();
        BenchSession bench(hostPath);
        stageDefinition(bench.settings);
        // The IDs as the filter hands a run's selection over.
        bp::filter::IdList salesIds;
        auto& sales = *bench.session.objSales;
        for (sales.MoveFirst(); !sales.isEOF(); sales.MoveNext()) {
            salesIds.appendDistinct(sales.Data(1));
        }
        auto form = std::make_unique<bp::forms::Form>(bench.ui, "frmMain");
        auto& list = form->add<bp::forms::ListView>("lvwSales");
        for (int c = 1; c <= bp::output::kMaxColumns; ++c) {
            list.addColumn(std::to_string(c));
        }
        bp::output::ResultsList results(bench.session, list);
        state.ResumeTiming();

        // The fill runs without its sort type, which leaves the rows as they are; the sort
        // then is the very call the fill would have made, so each is timed on its own.
        bool built = false;
        const double beforeFill = residentBytes();
        hostBytes = beforeFill;
        fill = timed([&] {
            bench.settings.SaveSetting("Report", "SortType0", "");
            built = results.Fill_Listview(salesIds);
            bench.settings.SaveSetting("Report", "SortType0", "D");
        });
        if (!built) {
            state.SkipWithError("the results list was not built");
            return;
        }
        listBytes = residentBytes() - beforeFill;
        sort = timed([&] {
            bp::output::sortByFirstSection(list, results.sortColumns()[0] - 1, "D",
                                           bench.session.bSortDescending());
        });
        bool written = false;
        write = timed([&] {
            written = bp::output::Write_File(bench.session, list, bench.session.bNameSortAdded());
        });
        if (!written) {
            state.SkipWithError("data.CSV was not written");
            return;
        }
        filled = static_cast<std::size_t>(list.rowCount());
        fileBytes = fs::file_size(bp::output::dataFilePath(bench.session));

        state.PauseTiming();
        form.reset();  // the rows go before the next size's host opens
        state.ResumeTiming();
    }
    const double peak = peakRssMb();
    state.counters["rows"] = static_cast<double>(filled);
    state.counters["fill_s"] = fill.wall;
    state.counters["fill_cpu_s"] = fill.cpu;
    state.counters["sort_s"] = sort.wall;
    state.counters["sort_cpu_s"] = sort.cpu;
    state.counters["write_s"] = write.wall;
    state.counters["write_cpu_s"] = write.cpu;
    state.counters["total_s"] = fill.wall + sort.wall + write.wall;
    state.counters["total_cpu_s"] = fill.cpu + sort.cpu + write.cpu;
    state.counters["peak_rss_MB"] = peak;
    state.counters["list_bytes_per_row"] =
        filled == 0 ? 0 : listBytes / static_cast<double>(filled);
    state.counters["before_fill_MB"] = hostBytes / (1024.0 * 1024.0);
    state.counters["csv_MB"] = static_cast<double>(fileBytes) / (1024.0 * 1024.0);
    std::fprintf(stderr,
                 "%zu rows: fill %.2f s (%.2f cpu), sort %.2f s (%.2f cpu), write %.2f s "
                 "(%.2f cpu), total %.2f s (%.2f cpu), peak RSS %.0f MB (%.0f MB before the fill), "
                 "list %.0f bytes/row, "
                 "data.CSV %ju bytes\n",
                 filled, fill.wall, fill.cpu, sort.wall, sort.cpu, write.wall, write.cpu,
                 fill.wall + sort.wall + write.wall, fill.cpu + sort.cpu + write.cpu, peak,
                 hostBytes / (1024.0 * 1024.0),
                 filled == 0 ? 0.0 : listBytes / static_cast<double>(filled), fileBytes);
}

BENCHMARK(BM_ReportToDataFile)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    // Dates are written and read as the host writes them for this locale.
    ::setenv("BRINDLEPATH_LOCALE", "en_US", 0);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
