// What reporting progress costs the work it reports on. A step() without a sink only counts;
// with a sink it also looks at the clock every Progress::kStride items and updates what is
// shown ten times a second. The data file loop is the cheapest per item of a run's loops
// (a few hundred nanoseconds a row), so its share is the largest the reporting can take.
// Goal: under 1% of the loop with a sink attached. The two row counts run twice each, in
// turn, so a drift of the machine shows as a difference between the two runs of one case.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <streambuf>
#include <string>

#include "act/Session.h"
#include "core/Progress.h"
#include "forms/Form.h"
#include "forms/ListView.h"
#include "forms/ScriptedUi.h"
#include "output/DataFile.h"
#include "platform/MemorySettingsStore.h"
#include "platform/TerminalProgressBar.h"

namespace {

namespace fs = std::filesystem;

// A terminal nobody reads: the bar's text is formatted and dropped.
class NullBuffer : public std::streambuf {
protected:
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

void BM_StepWithoutSink(benchmark::State& state) {
    bp::core::Progress progress;
    progress.phase("Writing", 1'000'000);
    for (auto _ : state) {
        progress.step();
    }
}
BENCHMARK(BM_StepWithoutSink);

void BM_StepWithSink(benchmark::State& state) {
    NullBuffer nothing;
    std::ostream out(&nothing);
    bp::platform::TerminalProgressBar bar(out, {});
    bp::core::Progress progress;
    bp::core::ProgressScope scope(progress, &bar);
    progress.phase("Writing", 1'000'000);
    for (auto _ : state) {
        progress.step();
    }
}
BENCHMARK(BM_StepWithSink);

// Writes a data file of state.range(0) rows of eight cells; range(1) attaches a sink.
void BM_DataFileRows(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    const bool withSink = state.range(1) != 0;
    const fs::path folder = fs::temp_directory_path() / "brindlepath-progress-bench";
    fs::create_directories(folder);
    bp::forms::ScriptedUi ui;
    bp::platform::MemorySettingsStore settings;
    bp::act::Session session;
    session.ui = &ui;
    session.settings = &settings;
    session.programFolder = folder.string();
    bp::forms::Form form(ui, "frmMain");
    auto& list = form.add<bp::forms::ListView>("lvwSales");
    for (int c = 1; c <= 8; ++c) {
        list.addColumn(std::to_string(c));
    }
    for (int r = 0; r < rows; ++r) {
        int row = list.addRow("S" + std::to_string(100000000 + r));
        list.setCell(row, 1, "Company \"" + std::to_string(r % 977) + "\" Ltd");
        list.setCell(row, 2, "Product " + std::to_string(r % 31));
        list.setCell(row, 3, "Sales Opportunity");
        list.setCell(row, 4, std::to_string(r % 100000) + ".50");
        list.setCell(row, 5, "2024-05-17");
        list.setCell(row, 6, "Berlin");
        list.setCell(row, 7, "Region " + std::to_string(r % 7));
    }
    NullBuffer nothing;
    std::ostream out(&nothing);
    bp::platform::TerminalProgressBar bar(out, {});
    for (auto _ : state) {
        bp::core::ProgressScope scope(session.progress, withSink ? &bar : nullptr);
        session.progress.phase("Writing", static_cast<std::uint64_t>(rows));
        if (!bp::output::Write_File(session, list, false)) {
            state.SkipWithError("data.CSV was not written");
            break;
        }
    }
    state.counters["ns_per_row"] = benchmark::Counter(
        static_cast<double>(rows),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    fs::remove_all(folder);
}
BENCHMARK(BM_DataFileRows)
    ->Args({1'000'000, 0})
    ->Args({1'000'000, 1})
    ->Args({1'000'000, 0})
    ->Args({1'000'000, 1})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(3);

}  // namespace

BENCHMARK_MAIN();
