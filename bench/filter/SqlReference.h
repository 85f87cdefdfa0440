#pragma once
// The same selections as the filter benchmark, answered by one SQL query each directly over
// the embedded host's database file (sqlite3, the host's own schema: one packed blob per
// record). Two SQL functions read the blobs: field(data, n) the text of field n ('' when
// absent) and ymd(text) the "yyyymmdd" of a US date text (NULL when it is none).

#include <cstdint>
#include <string>
#include <vector>

namespace bp::filter::bench {

struct SqlAnswer {
    std::int64_t count = 0;
    double seconds = 0;
};

// Report selection: the sales of the given managers, created between the two "yyyymmdd"
// days, open or won, of contacts that have all of `products` among them, that carry one of
// the products and whose amount lies outside [low, high].
SqlAnswer reportSelectionSql(const std::string& dbPath, const std::vector<std::string>& managers,
                             const std::string& from, const std::string& to,
                             const std::vector<std::string>& products, int low, int high);

// Narrow lookup with "No Sales Opportunities": contacts of the host's current lookup that
// own no open opportunity.
SqlAnswer noSalesInLookupSql(const std::string& dbPath);

}  // namespace bp::filter::bench
