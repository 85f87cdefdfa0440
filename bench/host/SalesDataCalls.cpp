#include "SalesDataCalls.h"

#include <array>
#include <string>

#include "BenchSupport.h"

namespace bp::bench {

namespace {

// Contact, status, creation date and amount: what every sales record is asked first.
constexpr std::array kFields = {25, 27, 35, 34};

std::uint64_t dataCalls(const act::Host& host) {
    auto counts = host.callCounts();
    auto found = counts.find("Sales.Data");
    return found == counts.end() ? 0 : found->second;
}

}  // namespace

SalesDataTiming timeSalesDataCalls(act::Host& host, std::uint64_t calls) {
    auto db = host.createDatabase();
    db->OpenEx("");
    auto sales = db->Sales();
    sales->MoveFirst();
    SalesDataTiming timing;
    const std::uint64_t countedBefore = dataCalls(host);
    auto start = Clock::now();
    for (std::uint64_t i = 0; i < calls; ++i) {
        timing.bytes += sales->Data(kFields[i % kFields.size()]).size();
    }
    const double elapsed = seconds(Clock::now() - start);
    timing.calls = calls;
    timing.countedCalls = dataCalls(host) - countedBefore;
    timing.nsPerCall = calls == 0 ? 0 : 1e9 * elapsed / static_cast<double>(calls);
    return timing;
}

void runSalesDataBenchmark(benchmark::State& state, act::Host& host) {
    const auto calls = static_cast<std::uint64_t>(state.range(0));
    SalesDataTiming timing;
    for (auto _ : state) {
        timing = timeSalesDataCalls(host, calls);
        benchmark::DoNotOptimize(timing.bytes);
    }
    if (timing.countedCalls != timing.calls) {
        state.SkipWithError(("the host counted " + std::to_string(timing.countedCalls) +
                             " Sales.Data calls of " + std::to_string(timing.calls))
                                .c_str());
        return;
    }
    state.counters["ns_per_call"] = timing.nsPerCall;
    state.counters["calls"] = static_cast<double>(timing.calls);
}

}  // namespace bp::bench
