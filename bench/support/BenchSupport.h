#pragma once
// What the benchmarks share: generated demo hosts cached between runs, and the clocks and
// memory readings they print. The machine is shared, so processor time is printed beside
// wall time: it shows the program's own cost when others build too.

#include <chrono>
#include <cstdint>
#include <string>

namespace bp::bench {

using Clock = std::chrono::steady_clock;

double seconds(Clock::duration d);
double cpuSeconds();  // of this process
double peakRssMb();   // of this process, since it started

// A demo host of `contacts` contacts with exactly `salesPerContact` sales records each,
// generated once into $TMPDIR/brindlepath-bench and reused by its shape and seed.
std::string cachedDemoHost(int contacts, int salesPerContact, std::uint64_t seed);

}  // namespace bp::bench
