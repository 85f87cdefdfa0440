// Filter engine at database sizes of 10,000, 100,000 and 1,000,000 sales records (five per
// contact) on generated embedded hosts, cached in the temp folder by shape and seed:
//
//   (a) report: all contacts, four of eight sales managers, a two-year creation range, open
//       and won sales, products in all-items mode (three items), amounts reversed;
//   (b) narrow lookup with "No Sales Opportunities" on a lookup of every fourth contact.
//
// Per size: wall time of Sales_Filter_Dispatch on an opened host (records loaded), as the
// median of five runs that visit the sizes in turn, next to the first run after opening;
// host calls per sales record next to what the step-by-step algorithm (one list scan per
// item and a Data(1) per kept record) would make; peak memory; and one SQL query over the
// same database file that selects the same records (median of three), with both counts.
// Single runs on a shared machine vary by a third, more than the growth rule's margin.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "BenchSupport.h"
#include "SqlReference.h"
#include "act/Session.h"
#include "act/sim/HostStore.h"
#include "act/sim/SimHost.h"
#include "criteria/Criteria.h"
#include "filter/Library2.h"
#include "filter/SalesFilter.h"
#include "forms/ScriptedUi.h"

namespace bp::filter::bench {
namespace {

namespace fs = std::filesystem;
constexpr std::uint64_t kSeed = 7;
constexpr int kSalesPerContact = 5;
const std::vector<std::string> kItems{"Widget", "Gadget", "Sprocket"};
constexpr int kLow = 100;
constexpr int kHigh = 1000;

std::string cachedHost(int sales) {
    return bp::bench::cachedDemoHost(sales / kSalesPerContact, kSalesPerContact, kSeed);
}

// Every fourth contact becomes the host's current lookup.
void setQuarterLookup(const std::string& path) {
    sim::HostStore store(path);
    sim::RecordSet contacts = store.loadRecords(sim::TableKind::Contact);
    std::vector<std::string> ids;
    for (std::uint32_t i = 0; i < contacts.size(); i += 4) {
        ids.emplace_back(contacts.field(i, 1));
    }
    store.setCurrentLookup(ids);
}

struct OpenHost {
    explicit OpenHost(const std::string& path) : host(path) {
        session.ui = &ui;
        session.host = &host;
        session.programFolder = fs::path(path).parent_path().string();
        session.objActApp = host.createAppObject();
        session.objDatabase = host.createDatabase();
        session.objDatabase->OpenEx("");
        session.objContact = session.objDatabase->Contact();
        session.objSales = session.objDatabase->Sales();
        session.objUsers = session.objDatabase->GetUsers();
        session.objViews = session.objActApp->GetViews();
        session.objContactView = session.objViews->Create(1, "CV");
        // The host loads its records at first use: an opened host has them.
        session.objSales->MoveFirst();
        session.objContact->MoveFirst();
    }
    std::uint64_t calls() const {
        std::uint64_t total = 0;
        for (const auto& [member, count] : host.callCounts()) {
            total += count;
        }
        return total;
    }
    sim::SimHost host;
    forms::ScriptedUi ui;
    act::Session session;
};

criteria::Criteria reportCriteria() {
    criteria::Criteria c;
    c.reportOutput = true;
    c.optReport = {false, false, true};
    c.optSalesManagedBy = {false, true};
    c.selectedSalesManagers = {1, 2, 3, 4};
    c.optDate = {false, true};
    c.createdFrom = {2024, 1, 1};
    c.createdTo = {2025, 12, 31};
    c.chkSales = {true, true, false, false};
    auto& first = c.conditions[0];
    first.applied = true;
    first.field = criteria::kProducts;
    first.selectedItems = kItems;
    first.atLeastOne = false;
    auto& second = c.conditions[1];
    second.applied = true;
    second.field = criteria::kAmounts;
    second.minText = std::to_string(kLow);
    second.maxText = std::to_string(kHigh);
    c.reverseSecond = true;
    return c;
}

criteria::Criteria narrowCriteria() {
    criteria::Criteria c;
    c.reportOutput = false;
    c.optLookup = {false, false, true};
    c.chkSales = {false, false, false, true};
    return c;
}

// Host calls of the step-by-step algorithm for the stage sizes this run produced.
double stepwiseReportCalls(act::Session& session, const criteria::Criteria& c) {
    SalesFilter f(session, c);
    IdList contacts = f.GetLookup(kAllContacts);
    IdList s0 = f.Filter_By_Lookup(kAllContacts, contacts);
    IdList s1 = f.Filter_By_SalesManager(s0);
    IdList s2 = f.Filter_By_CreateDate(s1);
    IdList s3 = f.Filter_By_Type(s2);
    std::string items(1, kItemSeparator);
    for (const auto& item : kItems) {
        items += item + kItemSeparator;
    }
    double m = static_cast<double>(
        Library2(session, c).Select_ID(s3, 200, "Includes", items, kSalesId, false).size());
    IdList s4 = f.Filter_By_Condition(s3, 0, SalesFilter::Join::And);
    IdList s5 = f.Filter_By_Condition(s4, 1, SalesFilter::Join::AndNot);
    auto n = [](const IdList& l) { return static_cast<double>(l.size()); };
    double users = static_cast<double>(c.selectedSalesManagers.size());
    return (3 * n(contacts) + 2) + (3 * n(s0) + 2) + (users + 2 * n(s0) + n(s1)) +
           (2 * n(s1) + n(s2)) + (2 * n(s2) + n(s3)) + (15 * n(s3) + 2 * m) + (2 * n(s4) + n(s5));
}

double stepwiseNarrowCalls(act::Session& session, const criteria::Criteria& c) {
    SalesFilter f(session, c);
    IdList contacts = f.GetLookup(kCurrentLookup);
    std::size_t all = 0;
    for (session.objSales->MoveFirst(); !session.objSales->isEOF(); session.objSales->MoveNext()) {
        ++all;
    }
    IdList t0 = f.Filter_By_Lookup(kCurrentLookup, contacts);
    IdList t1 = f.Filter_By_Type(t0);
    auto n = [](const IdList& l) { return static_cast<double>(l.size()); };
    return 2 + (3 * n(contacts) + 2) + (3 * static_cast<double>(all) + n(t0) + 2) +
           (2 * n(t0) + n(t1)) + 2 * n(t1);
}

// Resident memory of this process in megabytes: the high-water mark since the last reset,
// or the current size. Resetting the mark lets each size report its own peak.
long residentMegabytes(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key, 0) == 0) {
            return std::stol(line.substr(std::strlen(key))) / 1024;
        }
    }
    return 0;
}

void resetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

const std::vector<int> kSizes{10000, 100000, 1000000};
constexpr int kRounds = 5;

struct Row {
    std::vector<double> walls;
    std::vector<double> cpus;
    double firstSeconds = 0;
    double callsPerRecord = 0;
    double stepwisePerRecord = 0;
    long peakMb = 0;
    std::int64_t count = 0;
    SqlAnswer sql;

    double median(std::vector<double> values) const {
        std::sort(values.begin(), values.end());
        return values.empty() ? 0 : values[values.size() / 2];
    }
    double seconds() const { return median(walls); }
    double cpuSeconds() const { return median(cpus); }
};
std::map<std::pair<std::string, int>, Row> gRows;

struct Selection {
    const char* name;
    criteria::Criteria criteria;
    std::function<std::int64_t(const SalesFilter&)> countOf;
    std::function<double(act::Session&, const criteria::Criteria&)> stepwiseCalls;
    std::function<SqlAnswer(const std::string& path, OpenHost&)> sql;
};

// One run of the selection; false when the pipeline failed.
bool runOnce(const Selection& selection, int sales, OpenHost& open, Row& row) {
    std::uint64_t before = open.calls();
    auto start = std::chrono::steady_clock::now();
    double cpuStart = bp::bench::cpuSeconds();
    SalesFilter filter(open.session, selection.criteria);
    if (!filter.Sales_Filter_Dispatch()) {
        return false;
    }
    std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
    row.walls.push_back(spent.count());
    row.cpus.push_back(bp::bench::cpuSeconds() - cpuStart);
    row.callsPerRecord = static_cast<double>(open.calls() - before) / sales;
    row.count = selection.countOf(filter);
    return true;
}

// The sizes are opened in ascending order, each with a first run that gives its own peak
// memory; then rounds that visit every size in turn, so a machine busy for a while slows
// all sizes alike and the growth between sizes stays comparable.
void measure(benchmark::State& state, const Selection& selection) {
    for (auto _ : state) {
        std::map<int, std::unique_ptr<OpenHost>> hosts;
        for (int sales : kSizes) {
            std::string path = cachedHost(sales);
            setQuarterLookup(path);
            // Memory an earlier selection freed goes back to the system first; otherwise this
            // size would reuse it and its peak would show too little.
            malloc_trim(0);
            long before = residentMegabytes("VmRSS:");
            resetPeakMemory();
            hosts[sales] = std::make_unique<OpenHost>(path);
            Row& row = gRows[{selection.name, sales}];
            if (!runOnce(selection, sales, *hosts[sales], row)) {
                state.SkipWithError("the pipeline failed");
                return;
            }
            row.firstSeconds = row.walls.back();
            row.walls.clear();
            row.cpus.clear();
            row.peakMb = residentMegabytes("VmHWM:") - before;
        }
        for (int round = 0; round < kRounds; ++round) {
            for (int sales : kSizes) {
                if (!runOnce(selection, sales, *hosts[sales], gRows[{selection.name, sales}])) {
                    state.SkipWithError("the pipeline failed");
                    return;
                }
            }
        }
        for (int sales : kSizes) {
            Row& row = gRows[{selection.name, sales}];
            OpenHost& open = *hosts[sales];
            row.stepwisePerRecord =
                selection.stepwiseCalls(open.session, selection.criteria) / sales;
            row.sql = selection.sql(cachedHost(sales), open);
        }
        state.SetIterationTime(gRows[{selection.name, kSizes.back()}].seconds());
    }
}

void BM_ReportSelection(benchmark::State& state) {
    Selection selection{
        "report", reportCriteria(),
        [](const SalesFilter& f) { return static_cast<std::int64_t>(f.sSalesIDs().size()); },
        stepwiseReportCalls,
        [](const std::string& path, OpenHost& open) {
            std::vector<std::string> managers;
            for (int position : reportCriteria().selectedSalesManagers) {
                managers.push_back(open.session.objUsers->UniqueID(position));
            }
            return reportSelectionSql(path, managers, "20240101", "20251231", kItems, kLow, kHigh);
        }};
    measure(state, selection);
}

void BM_NarrowNoSales(benchmark::State& state) {
    Selection selection{
        "narrow", narrowCriteria(),
        [](const SalesFilter& f) { return static_cast<std::int64_t>(f.sContactIDs().size()); },
        stepwiseNarrowCalls,
        [](const std::string& path, OpenHost&) { return noSalesInLookupSql(path); }};
    measure(state, selection);
}

BENCHMARK(BM_ReportSelection)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NarrowNoSales)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

void printTable() {
    std::printf("\n%-7s %9s %9s %8s %8s %8s %9s %8s %9s %9s %9s %7s %7s\n", "select", "sales",
                "wall ms", "1st ms", "CPU ms", "calls/r", "stepw/r", "peak MB", "SQL ms", "count",
                "SQL cnt", "x SQL", "growth");
    std::map<std::string, double> previous;
    for (const auto& [key, row] : gRows) {
        const auto& [name, sales] = key;
        double seconds = row.seconds();
        double ratio = row.sql.seconds > 0 ? seconds / row.sql.seconds : 0;
        std::string growth = "-";
        if (auto found = previous.find(name); found != previous.end() && found->second > 0) {
            char text[16];
            std::snprintf(text, sizeof text, "%.1f", seconds / found->second);
            growth = text;
        }
        previous[name] = seconds;
        std::printf("%-7s %9d %9.1f %8.1f %8.1f %8.2f %9.2f %8ld %9.1f %9lld %9lld %7.2f %7s%s\n",
                    name.c_str(), sales, seconds * 1000, row.firstSeconds * 1000,
                    row.cpuSeconds() * 1000, row.callsPerRecord, row.stepwisePerRecord, row.peakMb,
                    row.sql.seconds * 1000, static_cast<long long>(row.count),
                    static_cast<long long>(row.sql.count), ratio, growth.c_str(),
                    row.count == row.sql.count ? "" : "  COUNTS DIFFER");
    }
    std::printf(
        "wall and CPU: median of %d runs visiting the sizes in turn; 1st: the first run "
        "after opening; peak: what the opened host and its first run add\n",
        kRounds);
}

}  // namespace
}  // namespace bp::filter::bench

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    bp::filter::bench::printTable();
    benchmark::Shutdown();
    return 0;
}
