// Opening a generated host and walking every sales record the way the filter pipeline does:
// GoTo each record, then three Data reads. Goal: a million sales records over 200,000
// contacts opened and walked in under 3 s, peak memory under 1 GB, the same cost per call
// from 10,000 to 1,000,000 records. The same walk in a shuffled order shows what a GoTo costs
// when no record is near the one before (ns_per_call_shuffled).
//
// The databases are generated once into $TMPDIR/brindlepath-bench and reused by size and seed.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "SalesDataCalls.h"
#include "act/sim/SimHost.h"

namespace {

using bp::bench::Clock;
using bp::bench::cpuSeconds;
using bp::bench::peakRssMb;
using bp::bench::seconds;

constexpr int kSalesPerContact = 5;
constexpr std::uint64_t kSeed = 42;

std::string cachedHost(int contacts) {
    return bp::bench::cachedDemoHost(contacts, kSalesPerContact, kSeed);
}

void BM_OpenAndWalkSales(benchmark::State& state) {
    const int contacts = static_cast<int>(state.range(0)) / kSalesPerContact;
    const std::string path = cachedHost(contacts);
    double openSeconds = 0, walkSeconds = 0, openCpu = 0, walkCpu = 0;
    std::size_t records = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        double cpuStart = cpuSeconds();
        bp::sim::SimHost host(path);
        auto db = host.createDatabase();
        db->OpenEx("");
        auto sales = db->Sales();
        sales->MoveFirst();  // the first table access loads the records
        auto opened = Clock::now();
        double cpuOpened = cpuSeconds();

        std::vector<std::string> ids;
        for (; !sales->isEOF(); sales->MoveNext()) {
            ids.push_back(sales->Data(1));
        }
        auto listed = Clock::now();
        double cpuListed = cpuSeconds();
        std::size_t bytes = 0;
        for (const auto& id : ids) {
            sales->GoTo(id);
            bytes += sales->Data(25).size() + sales->Data(27).size() + sales->Data(35).size();
        }
        benchmark::DoNotOptimize(bytes);
        auto walked = Clock::now();
        double cpuWalked = cpuSeconds();
        std::shuffle(ids.begin(), ids.end(), std::mt19937(7));
        auto shuffledStart = Clock::now();
        for (const auto& id : ids) {
            sales->GoTo(id);
            bytes += sales->Data(25).size() + sales->Data(27).size() + sales->Data(35).size();
        }
        benchmark::DoNotOptimize(bytes);
        state.counters["ns_per_call_shuffled"] =
            1e9 * seconds(Clock::now() - shuffledStart) / static_cast<double>(4 * ids.size());
        openSeconds = seconds(opened - start);
        walkSeconds = seconds(walked - start) - openSeconds;
        openCpu = cpuOpened - cpuStart;
        walkCpu = cpuWalked - cpuOpened;
        records = ids.size();
        double calls = static_cast<double>(4 * records);
        state.counters["ns_per_call"] = 1e9 * seconds(walked - listed) / calls;
        state.counters["cpu_ns_per_call"] = 1e9 * (cpuWalked - cpuListed) / calls;
    }
    state.counters["records"] = static_cast<double>(records);
    state.counters["open_s"] = openSeconds;
    state.counters["walk_s"] = walkSeconds;
    state.counters["open_cpu_s"] = openCpu;
    state.counters["walk_cpu_s"] = walkCpu;
    state.counters["peak_rss_MB"] = peakRssMb();
}

BENCHMARK(BM_OpenAndWalkSales)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// One Sales.Data call of the embedded host, the same measure another host is timed by.
void BM_SalesDataCalls(benchmark::State& state) {
    bp::sim::SimHost host(cachedHost(1'000));
    bp::bench::runSalesDataBenchmark(state, host);
}

BENCHMARK(BM_SalesDataCalls)->Arg(1'000'000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
