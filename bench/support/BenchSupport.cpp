#include "BenchSupport.h"

#ifdef _WIN32
#include <windows.h>
// after windows.h
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

#include <cstdio>
#include <ctime>
#include <filesystem>

#include "act/sim/DemoGenerator.h"

namespace bp::bench {

namespace fs = std::filesystem;

double seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

#ifdef _WIN32

namespace {
double hundredNanoseconds(const FILETIME& time) {
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return static_cast<double>(value.QuadPart);
}
}  // namespace

double cpuSeconds() {
    FILETIME created, exited, kernel, user;
    if (!::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user)) {
        return 0;
    }
    return 1e-7 * (hundredNanoseconds(kernel) + hundredNanoseconds(user));
}

double peakRssMb() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters)) {
        return 0;
    }
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

#else

double cpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

double peakRssMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB on Linux
}

#endif

std::string cachedDemoHost(int contacts, int salesPerContact, std::uint64_t seed) {
    fs::path folder = fs::temp_directory_path() / "brindlepath-bench";
    fs::create_directories(folder);
    std::string path = (folder / ("host-" + std::to_string(contacts) + "x" +
                                  std::to_string(salesPerContact) + "-seed" + std::to_string(seed) +
                                  "-layout" + std::to_string(sim::DemoGenerator::kLayout) + ".db"))
                           .string();
    if (!fs::exists(path)) {
        sim::DemoOptions options;
        options.contacts = contacts;
        options.salesPerContact = salesPerContact;
        options.varySales = false;
        options.contactsWithoutSalesPercent = 0;
        options.seed = seed;
        auto start = Clock::now();
        double cpuStart = cpuSeconds();
        auto summary = sim::DemoGenerator::generate(path, options);
        std::fprintf(stderr, "generated %lld sales records in %.2f s (%.2f s processor): %s\n",
                     static_cast<long long>(summary.sales), seconds(Clock::now() - start),
                     cpuSeconds() - cpuStart, path.c_str());
    }
    return path;
}

}  // namespace bp::bench
