#pragma once
// A realistic, deterministic host database: contacts with companies, addresses and record
// managers; sales records of every status with products, types, competitors, stages,
// probabilities, units, prices, amounts and dates over three years; groups, users and the
// drop-down lists. The same seed gives the same database. Benchmarks use it to build hosts of
// up to a million sales records; everything goes in through one transaction.

#include <cstdint>
#include <functional>
#include <string>

#include "core/DateTime.h"

namespace bp::sim {

struct DemoOptions {
    int contacts = 500;
    int users = 8;
    int groups = 12;
    // Average sales records per contact that has any; with varySales each such contact gets
    // 1 to 2 * salesPerContact (a half more on average), otherwise exactly salesPerContact.
    int salesPerContact = 4;
    bool varySales = true;
    int contactsWithoutSalesPercent = 5;
    std::uint64_t seed = 1;
    // The host's date text; empty: as the host writes dates for the user's locale
    // (platform::Locale::current(), "3/14/2026 9:30:00 AM" under en_US).
    std::function<std::string(const DateTime&)> formatDate;
    std::string databasePath;  // what GetDatabasePath answers; empty: the file's own path
};

struct DemoSummary {
    std::int64_t contacts = 0;
    std::int64_t sales = 0;
    std::int64_t groups = 0;
};

class DemoGenerator {
public:
    // Changes whenever a generated database would hold its data differently, so that copies
    // kept between runs (benchmarks) are made anew.
    static constexpr int kLayout = 2;

    // Replaces the host database at dbPath (through a temporary file).
    static DemoSummary generate(const std::string& dbPath, const DemoOptions& options);
};

}  // namespace bp::sim
