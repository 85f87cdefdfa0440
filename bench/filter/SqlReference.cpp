#include "SqlReference.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace bp::filter::bench {

namespace {

std::uint64_t littleEndian(const unsigned char* at, int bytes) {
    std::uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        value = (value << 8) | at[i];
    }
    return value;
}

// field(data, n): the packed record is a run of [field u16][length u32][bytes].
void fieldFunction(sqlite3_context* context, int, sqlite3_value** args) {
    const auto* data = static_cast<const unsigned char*>(sqlite3_value_blob(args[0]));
    int size = sqlite3_value_bytes(args[0]);
    auto wanted = static_cast<std::uint64_t>(sqlite3_value_int(args[1]));
    for (int at = 0; data && at + 6 <= size;) {
        std::uint64_t field = littleEndian(data + at, 2);
        int length = static_cast<int>(littleEndian(data + at + 2, 4));
        at += 6;
        if (field == wanted) {
            sqlite3_result_text(context, reinterpret_cast<const char*>(data + at), length,
                                SQLITE_TRANSIENT);
            return;
        }
        at += length;
    }
    sqlite3_result_text(context, "", 0, SQLITE_STATIC);
}

// ymd("3/14/2026 9:30:00 AM") = "20260314"
void ymdFunction(sqlite3_context* context, int, sqlite3_value** args) {
    const char* text = reinterpret_cast<const char*>(sqlite3_value_text(args[0]));
    int month = 0;
    int day = 0;
    int year = 0;
    if (!text || std::sscanf(text, "%d/%d/%d", &month, &day, &year) != 3) {
        sqlite3_result_null(context);
        return;
    }
    char key[16];
    std::snprintf(key, sizeof key, "%04d%02d%02d", year, month, day);
    sqlite3_result_text(context, key, 8, SQLITE_TRANSIENT);
}

class Connection {
public:
    explicit Connection(const std::string& path) {
        if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
            throw std::runtime_error("cannot open " + path);
        }
        int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
        sqlite3_create_function(db_, "field", 2, flags, nullptr, fieldFunction, nullptr, nullptr);
        sqlite3_create_function(db_, "ymd", 1, flags, nullptr, ymdFunction, nullptr, nullptr);
    }
    ~Connection() { sqlite3_close(db_); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    std::int64_t count(const std::string& sql, const std::vector<std::string>& texts) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
            throw std::runtime_error(sqlite3_errmsg(db_));
        }
        for (std::size_t i = 0; i < texts.size(); ++i) {
            sqlite3_bind_text(statement, static_cast<int>(i + 1), texts[i].c_str(), -1,
                              SQLITE_TRANSIENT);
        }
        std::int64_t result = -1;
        if (sqlite3_step(statement) == SQLITE_ROW) {
            result = sqlite3_column_int64(statement, 0);
        }
        sqlite3_finalize(statement);
        return result;
    }

private:
    sqlite3* db_ = nullptr;
};

std::string placeholders(std::size_t from, std::size_t count) {
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        out += (i ? ",?" : "?") + std::to_string(from + i);
    }
    return out;
}

// The median of three runs, each opening the file anew, as the engine's median of its runs.
SqlAnswer timed(const std::string& dbPath, const std::string& sql,
                const std::vector<std::string>& texts) {
    std::vector<double> times;
    std::int64_t count = -1;
    for (int run = 0; run < 3; ++run) {
        auto start = std::chrono::steady_clock::now();
        Connection connection(dbPath);
        count = connection.count(sql, texts);
        std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
        times.push_back(spent.count());
    }
    std::sort(times.begin(), times.end());
    return {count, times[1]};
}

}  // namespace

SqlAnswer reportSelectionSql(const std::string& dbPath, const std::vector<std::string>& managers,
                             const std::string& from, const std::string& to,
                             const std::vector<std::string>& products, int low, int high) {
    std::vector<std::string> texts = managers;
    texts.insert(texts.end(), products.begin(), products.end());
    std::string sql =
        "WITH s AS (SELECT field(data, 25) AS c, field(data, 200) AS p, field(data, 34) AS amt"
        " FROM sales WHERE field(data, 6) IN (" +
        placeholders(1, managers.size()) + ") AND ymd(field(data, 35)) BETWEEN '" + from +
        "' AND '" + to +
        "' AND field(data, 27) IN ('Sales Opportunity', 'Potenzieller Auftrag',"
        " 'Closed/Won Sale', 'Auftrag gewonnen')),"
        " m AS (SELECT * FROM s WHERE length(c) = 12 AND p IN (" +
        placeholders(managers.size() + 1, products.size()) +
        ")),"
        " complete AS (SELECT c FROM m GROUP BY c HAVING count(DISTINCT p) = " +
        std::to_string(products.size()) +
        ")"
        " SELECT count(*) FROM m WHERE c IN (SELECT c FROM complete) AND amt <> ''"
        " AND (CAST(amt AS REAL) < " +
        std::to_string(low) + " OR CAST(amt AS REAL) > " + std::to_string(high) + ")";
    return timed(dbPath, sql, texts);
}

SqlAnswer noSalesInLookupSql(const std::string& dbPath) {
    std::string sql =
        "WITH open AS (SELECT field(data, 25) AS c FROM sales"
        " WHERE field(data, 27) IN ('Sales Opportunity', 'Potenzieller Auftrag'))"
        " SELECT count(*) FROM (SELECT DISTINCT id FROM lookup)"
        " WHERE id NOT IN (SELECT c FROM open)";
    return timed(dbPath, sql, {});
}

}  // namespace bp::filter::bench
