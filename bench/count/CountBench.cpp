// The live match count on the main window at 10,000, 100,000 and 1,000,000 sales records
// (five per contact) on generated embedded hosts, through the window's own timer handler:
//
//   - reading the host's snapshot in the timer's slices: wall time, host calls per sales
//     record, and the longest single tick;
//   - then a series of criteria changes (statuses, a product condition in all-items mode, the
//     lookup mode): per change, the time from the count's start (once the choices settled,
//     kSettleMs after the last change) to the line showing its answer, with the timer
//     ticking every millisecond meanwhile; median and worst, and the longest tick while
//     counting, which is how long the user-interface thread was kept from other work.
//
// Host calls made by the counts themselves are printed too: they must be none.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <thread>
#include <vector>

#include "BenchSupport.h"
#include "act/sim/SimHost.h"
#include "app/FrmMain.h"
#include "app/MainWindowCommands.h"
#include "app/MainWindowCount.h"
#include "app/Module1.h"
#include "forms/ScriptedUi.h"
#include "platform/MemorySettingsStore.h"
#include "platform/RecordingShell.h"
#include "platform/SingleInstance.h"

namespace bp::app::bench {
namespace {

namespace fs = std::filesystem;
using Clock = MainWindowCount::Clock;
using namespace std::chrono_literals;

constexpr std::uint64_t kSeed = 7;
constexpr int kSalesPerContact = 5;

struct Figures {
    double hostLoadMs = 0;
    double snapshotS = 0;
    double callsPerSale = 0;
    double longestReadTickMs = 0;
    double medianMs = 0;
    double worstMs = 0;
    double longestCountTickMs = 0;
    std::uint64_t countCalls = 0;
    int changes = 0;
    double peakMb = 0;
};
std::map<int, Figures> figures;

std::uint64_t totalCalls(const act::Host& host) {
    std::uint64_t total = 0;
    for (const auto& [member, count] : host.callCounts()) {
        total += count;
    }
    return total;
}

// The main window as start-up opens it on the cached host.
struct OpenWindow {
    explicit OpenWindow(const std::string& path)
        : host(path), instance((fs::path(path).parent_path() / "bench.lock").string()) {
        session.ui = &ui;
        session.settings = &store;
        session.shell = &shell;
        session.host = &host;
        session.programFolder = fs::path(path).parent_path().string();
        window = Sub_Main(session, instance);
        count = &static_cast<MainWindowCommands*>(window->commandsOwner())->count();
    }
    sim::SimHost host;
    forms::ScriptedUi ui;
    platform::MemorySettingsStore store;
    platform::RecordingShell shell;
    platform::SingleInstance instance;
    act::Session session;
    std::unique_ptr<FrmMain> window;
    MainWindowCount* count = nullptr;
};

// One tick as the window's timer gives it, timed; `at` stands for the timer's clock.
double timedTick(MainWindowCount& count, Clock::time_point at) {
    auto start = Clock::now();
    count.tick(at);
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The criteria changes a user makes one after the other.
std::vector<std::function<void(criteria::CriteriaControls&)>> changes() {
    using forms::CheckBox;
    auto box = [](int index, bool on) {
        return [=](criteria::CriteriaControls& c) {
            c.chkSales[index].setValue(on ? CheckBox::kChecked : CheckBox::kUnchecked);
        };
    };
    auto products = [](criteria::CriteriaControls& c) {
        c.chkCondition[0].setValue(CheckBox::kChecked);
        c.cboCondition[0].setListIndex(criteria::kProducts);
        for (int i = 0; i < c.lstCriteria[0].listCount() && i < 3; ++i) {
            c.lstCriteria[0].setSelected(i, true);
        }
        c.optAnd[0].setValue(true);
    };
    auto noCondition = [](criteria::CriteriaControls& c) {
        c.chkCondition[0].setValue(CheckBox::kUnchecked);
    };
    auto narrow = [](criteria::CriteriaControls& c) { c.optLookup[2].setValue(true); };
    auto replace = [](criteria::CriteriaControls& c) { c.optLookup[0].setValue(true); };
    return {box(1, true), box(2, true), products, box(0, false), narrow,
            box(0, true), noCondition,  replace,  box(1, false), box(2, false)};
}

void measure(benchmark::State& state) {
    const int sales = static_cast<int>(state.range(0));
    std::string path =
        bp::bench::cachedDemoHost(sales / kSalesPerContact, kSalesPerContact, kSeed);
    Figures f;
    for (auto _ : state) {
        OpenWindow open(path);
        MainWindowCount& count = *open.count;
        Clock::time_point at = Clock::now();
        // The embedded host reads its sales table from its database at first use, whoever
        // asks; timed on its own, it is not charged to the count's reading.
        const auto loadStart = Clock::now();
        open.session.objSales->MoveFirst();
        f.hostLoadMs = std::chrono::duration<double, std::milli>(Clock::now() - loadStart).count();
        const std::uint64_t before = totalCalls(open.host);
        const auto readStart = Clock::now();
        while (open.window->lblCount().caption() == "Reading the database\u2026" ||
               open.window->lblCount().caption().empty()) {
            f.longestReadTickMs = std::max(f.longestReadTickMs, timedTick(count, at += 1ms));
        }
        f.snapshotS = bp::bench::seconds(Clock::now() - readStart);
        f.callsPerSale = static_cast<double>(totalCalls(open.host) - before) / sales;
        open.window->criteriaControls().optChoice[0].setValue(true);

        std::vector<double> latencies;
        // Host calls of the count's own ticks; the criteria panel's reactions to a change
        // (a condition's list filled from the host) are the panel's, made before any tick.
        auto countedTick = [&](Clock::time_point tickAt) {
            const std::uint64_t calls = totalCalls(open.host);
            double ms = timedTick(count, tickAt);
            f.countCalls += totalCalls(open.host) - calls;
            return ms;
        };
        for (const auto& change : changes()) {
            change(open.window->criteriaControls());
            countedTick(at += 1ms);  // sees the change
            at += MainWindowCount::kSettleMs;
            const auto started = Clock::now();
            double tick = countedTick(at);  // starts the count
            f.longestCountTickMs = std::max(f.longestCountTickMs, tick);
            while (open.window->lblCount().caption() == "Counting\u2026") {
                std::this_thread::sleep_for(1ms);
                f.longestCountTickMs = std::max(f.longestCountTickMs, countedTick(at += 1ms));
            }
            latencies.push_back(std::chrono::duration<double, std::milli>(Clock::now() - started)
                                    .count());
        }
        std::sort(latencies.begin(), latencies.end());
        f.changes = static_cast<int>(latencies.size());
        f.medianMs = latencies[latencies.size() / 2];
        f.worstMs = latencies.back();
        f.peakMb = bp::bench::peakRssMb();
        state.SetIterationTime(f.snapshotS);
        open.window->unload();
    }
    figures[sales] = f;
}

BENCHMARK(measure)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void printFigures() {
    std::printf("\n%9s %12s %10s %10s %12s %8s %8s %9s %11s %8s %8s\n", "sales", "host_load_ms",
                "snapshot_s", "calls/sale", "read_tick_ms", "changes", "med_ms", "worst_ms",
                "count_tick", "calls", "peak_MB");
    for (const auto& [sales, f] : figures) {
        std::printf("%9d %12.1f %10.3f %10.1f %12.2f %8d %8.1f %9.1f %11.3f %8llu %8.0f\n",
                    sales, f.hostLoadMs, f.snapshotS, f.callsPerSale, f.longestReadTickMs,
                    f.changes, f.medianMs,
                    f.worstMs, f.longestCountTickMs,
                    static_cast<unsigned long long>(f.countCalls), f.peakMb);
    }
    std::printf(
        "\nmed_ms/worst_ms: from the count's start to its answer on the line, after the "
        "choices settled (the line waits %lld ms after the last change);\ncount_tick: the "
        "longest timer tick while counting; read_tick_ms: the longest while reading the "
        "snapshot;\nhost_load_ms: the embedded host reading its sales table at first use, "
        "before the window reads it; calls: host calls of the counts' ticks.\n",
        static_cast<long long>(MainWindowCount::kSettleMs.count()));
}

}  // namespace
}  // namespace bp::app::bench

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    bp::app::bench::printFigures();
    benchmark::Shutdown();
    return 0;
}
