// One Sales.Data call through the host's automation objects, in process: the stand-in server
// (brindlepath-host.dll) serving the same generated database as BM_SalesDataCalls reads
// directly. The difference between the two is what late binding costs a run: GetIDsOfNames
// once per member, then an Invoke, argument and result VARIANTs and a BSTR per call.
//
// The server is registered for the current user of the build's Wine prefix for the run.

#include <benchmark/benchmark.h>

#include <string>

#include "BenchSupport.h"
#include "SalesDataCalls.h"
#include "act/automation/AutomationHost.h"
#include "act/standin/Registration.h"

namespace {

void BM_SalesDataCallsByAutomation(benchmark::State& state) {
    const std::string path = bp::bench::cachedDemoHost(1'000, 5, 42);
    // The stand-in opens the database the environment names, as the program's tests start it.
    _putenv_s("BRINDLEPATH_HOST", path.c_str());
    bp::standin::registerServer(std::string(BRINDLEPATH_PROGRAM_DIR) + "/brindlepath-host.dll");
    bp::automation::AutomationHost host;
    bp::bench::runSalesDataBenchmark(state, host);
}

BENCHMARK(BM_SalesDataCallsByAutomation)
    ->Arg(1'000'000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
