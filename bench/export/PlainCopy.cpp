#include "PlainCopy.h"

#include <sqlite3.h>

#include <filesystem>
#include <stdexcept>
#include <utility>
#include <vector>

#include "act/sim/HostStore.h"
#include "act/sim/RecordSet.h"

namespace bp::bench {

namespace {

using sim::TableKind;

struct Column {
    int field;
    const char* name;
};

struct Table {
    TableKind kind;
    const char* name;
    std::vector<Column> columns;  // the first is the host's unique ID
};

const std::vector<Table>& tables() {
    static const std::vector<Table> all = {
        {TableKind::Contact,
         "contacts",
         {{1, "id"},
          {3, "edit_date"},
          {4, "create_date"},
          {6, "manager"},
          {25, "company"},
          {26, "contact"},
          {27, "title"},
          {28, "phone"},
          {30, "city"},
          {32, "state"},
          {33, "zip"},
          {60, "industry"},
          {61, "region"}}},
        {TableKind::Sales,
         "sales",
         {{1, "id"},
          {3, "edit_date"},
          {6, "manager"},
          {25, "contact_id"},
          {26, "group_id"},
          {27, "status"},
          {30, "probability"},
          {31, "close_date"},
          {32, "units"},
          {33, "price"},
          {34, "amount"},
          {35, "create_date"},
          {39, "stage"},
          {200, "product"},
          {201, "type"},
          {202, "competitor"}}},
        {TableKind::Group, "groups", {{1, "id"}, {25, "name"}, {201, "region"}}},
    };
    return all;
}

class Copy {
public:
    explicit Copy(const std::string& path) {
        if (sqlite3_open(path.c_str(), &db_) != SQLITE_OK) {
            throw std::runtime_error("cannot create " + path);
        }
    }
    ~Copy() { sqlite3_close(db_); }
    Copy(const Copy&) = delete;
    Copy& operator=(const Copy&) = delete;

    void exec(const std::string& sql) {
        char* error = nullptr;
        if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
            std::string message = error ? error : "unknown error";
            sqlite3_free(error);
            throw std::runtime_error(message + " in " + sql);
        }
    }

    // Inserts rows of optional text: an absent value is NULL.
    void insert(const std::string& sql,
                const std::vector<std::vector<std::pair<bool, std::string>>>& rows) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
            throw std::runtime_error(sqlite3_errmsg(db_));
        }
        for (const auto& row : rows) {
            for (std::size_t i = 0; i < row.size(); ++i) {
                const int at = static_cast<int>(i + 1);
                if (row[i].first) {
                    sqlite3_bind_text(stmt, at, row[i].second.data(),
                                      static_cast<int>(row[i].second.size()), SQLITE_STATIC);
                } else {
                    sqlite3_bind_null(stmt, at);
                }
            }
            if (sqlite3_step(stmt) != SQLITE_DONE) {
                std::string message = sqlite3_errmsg(db_);
                sqlite3_finalize(stmt);
                throw std::runtime_error(message);
            }
            sqlite3_reset(stmt);
        }
        sqlite3_finalize(stmt);
    }

private:
    sqlite3* db_ = nullptr;
};

void copyTable(sim::HostStore& host, Copy& copy, const Table& table) {
    std::string create = std::string("CREATE TABLE ") + table.name + "(";
    std::string insert = std::string("INSERT INTO ") + table.name + " VALUES(";
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        create += std::string(i ? ", " : "") + table.columns[i].name + " TEXT" +
                  (i ? "" : " PRIMARY KEY");
        insert += i ? ", ?" : "?";
    }
    copy.exec(create + ") WITHOUT ROWID");
    const sim::RecordSet records = host.loadRecords(table.kind);
    std::vector<std::vector<std::pair<bool, std::string>>> rows;
    rows.reserve(records.size());
    for (std::uint32_t r = 0; r < records.size(); ++r) {
        const sim::FieldValues fields = records.fields(r);
        std::vector<std::pair<bool, std::string>> row(table.columns.size());
        for (const auto& [field, value] : fields) {
            for (std::size_t i = 0; i < table.columns.size(); ++i) {
                if (table.columns[i].field == field) {
                    row[i] = {true, value};
                }
            }
        }
        rows.push_back(std::move(row));
    }
    copy.insert(insert + ")", rows);
}

}  // namespace

void makePlainCopy(const std::string& hostPath, const std::string& copyPath) {
    std::filesystem::remove(copyPath);
    sim::HostStore host(hostPath);
    Copy copy(copyPath);
    copy.exec("PRAGMA journal_mode=OFF; BEGIN");
    for (const Table& table : tables()) {
        copyTable(host, copy, table);
    }
    copy.exec("CREATE TABLE users(id TEXT PRIMARY KEY, name TEXT) WITHOUT ROWID");
    std::vector<std::vector<std::pair<bool, std::string>>> users;
    for (const auto& user : host.users()) {
        users.push_back({{true, user.id}, {true, user.name}});
    }
    copy.insert("INSERT INTO users VALUES(?, ?)", users);
    copy.exec("COMMIT; ANALYZE");
}

}  // namespace bp::bench

namespace bp::bench {

// The export's columns: contact fields trimmed, dates without their time, the sales record
// manager's name, the forecast as probability x amount / 100 ("0" when either is missing).
std::string exportQueryScript(const std::string& csvPath) {
    const std::string dateOnly = "substr(%1, 1, instr(%1 || ' ', ' ') - 1)";
    auto day = [&](const std::string& column) {
        std::string text = dateOnly;
        for (auto at = text.find("%1"); at != std::string::npos; at = text.find("%1")) {
            text.replace(at, 2, "ifnull(" + column + ", '')");
        }
        return text;
    };
    return ".headers on\n"
           ".mode csv\n"
           ".output '" +
           csvPath +
           "'\n"
           "SELECT trim(ifnull(c.company, '')) AS \"Company\",\n"
           " trim(ifnull(c.contact, '')) AS \"Contact\",\n"
           " trim(ifnull(c.city, '')) AS \"City\",\n"
           " ifnull(s.product, '') AS \"Product\",\n"
           " ifnull(s.type, '') AS \"Type\",\n"
           " ifnull(s.competitor, '') AS \"Main competitor\",\n"
           " ifnull(s.stage, '') AS \"Sales Stage\",\n"
           " s.status AS \"Status\",\n"
           " ifnull(s.probability, '') AS \"Probability\",\n"
           " ifnull(s.units, '') AS \"Units\",\n"
           " ifnull(s.price, '') AS \"Price\",\n"
           " ifnull(s.amount, '') AS \"Amount\",\n"
           " CASE WHEN s.probability IS NULL OR s.amount IS NULL THEN '0'\n"
           "  ELSE printf('%.15g', s.probability * s.amount / 100.0) END AS \"Forecasted "
           "amount\",\n"
           " " +
           day("s.create_date") +
           " AS \"Creation Date\",\n"
           " " +
           day("s.close_date") +
           " AS \"Close Date\",\n"
           " ifnull(u.name, '') AS \"Sales Record Manager\"\n"
           "FROM sales s JOIN contacts c ON c.id = s.contact_id\n"
           " LEFT JOIN users u ON u.id = s.manager\n"
           "WHERE s.status IN ('Sales Opportunity', 'Lost Sale')\n"
           "ORDER BY c.company COLLATE NOCASE;\n";
}

}  // namespace bp::bench
