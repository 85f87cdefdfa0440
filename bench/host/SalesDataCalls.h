#pragma once
// The cost of one Sales.Data call on any host: the embedded one here, or a host reached through
// another way of calling it. The calls read, in turn, the fields the filter pipeline asks of
// every sales record, all on the first record: only Data calls are timed, no moves.

#include <benchmark/benchmark.h>

#include <cstdint>

#include "act/Host.h"

namespace bp::bench {

struct SalesDataTiming {
    double nsPerCall = 0;
    std::uint64_t calls = 0;         // Sales.Data calls made
    std::uint64_t countedCalls = 0;  // the host's own count of them
    std::uint64_t bytes = 0;         // of the texts read, so the calls are not optimized away
};

// Opens the host's database and times `calls` Sales.Data calls on its first sales record.
SalesDataTiming timeSalesDataCalls(act::Host& host, std::uint64_t calls);

// A benchmark body: state.range(0) calls on `host`, ns_per_call as the counter. A host whose
// own call count disagrees with the calls made ends the benchmark with an error.
void runSalesDataBenchmark(benchmark::State& state, act::Host& host);

}  // namespace bp::bench
