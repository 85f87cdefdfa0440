#include "act/sim/HostStore.h"

#include <sqlite3.h>

#include <filesystem>

#include "act/sim/HostErrors.h"
#include "platform/Error.h"
#include "platform/PathText.h"

namespace bp::sim {

namespace {

std::string openExisting(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(platform::pathFromUtf8(path), ec)) {
        raise(kErrFileNotFound, "There is no host database at " + path +
                                    ". Create one with \"brindlepath-host demo\" or "
                                    "\"brindlepath-host import FILE.json\".");
    }
    return path;
}

}  // namespace

HostStore::HostStore(const std::string& path, std::chrono::milliseconds busyWait)
    : db_(openExisting(path), Sqlite::Mode::ReadWrite, busyWait) {
    checkSchema();
}

// SQLite opens any file lazily; the first read tells a host database from a file that is
// locked, damaged or something else entirely, and each of those needs its own advice.
void HostStore::checkSchema() {
    const std::string& file = db_.path();
    std::optional<std::string> version;
    try {
        version = meta("schemaVersion");
    } catch (const SqliteError& e) {
        switch (e.code()) {
            case SQLITE_BUSY:
            case SQLITE_LOCKED:
                raise(kErrHostStorage, "The host database " + file +
                                           " is in use by another program. Try again when "
                                           "that program has finished with it.");
            case SQLITE_CORRUPT:
                raise(kErrHostStorage,
                      "The host database " + file + " is damaged. Import or generate it anew.");
            case SQLITE_IOERR:
            case SQLITE_CANTOPEN:
            case SQLITE_NOMEM:
                raise(kErrHostStorage,
                      "The host database " + file + " cannot be read: " + e.description());
            default:
                break;  // no meta table, or no SQLite file at all
        }
    }
    if (version != std::to_string(kSchemaVersion)) {
        raise(kErrHostStorage, file + " is not a host database of this version.");
    }
}

void HostStore::createSchema(Sqlite& db) {
    db.exec(
        "CREATE TABLE meta(key TEXT PRIMARY KEY, value TEXT NOT NULL);"
        "CREATE TABLE users(pos INTEGER PRIMARY KEY, id TEXT NOT NULL, name TEXT NOT NULL);"
        "CREATE TABLE fields(tbl INTEGER, pos INTEGER, id INTEGER, label TEXT, type INTEGER,"
        " PRIMARY KEY(tbl, pos));"
        "CREATE TABLE contacts(pos INTEGER PRIMARY KEY, data BLOB NOT NULL);"
        "CREATE TABLE sales(pos INTEGER PRIMARY KEY, data BLOB NOT NULL);"
        "CREATE TABLE groups(pos INTEGER PRIMARY KEY, data BLOB NOT NULL);"
        "CREATE TABLE lists(kind TEXT, pos INTEGER, value TEXT, PRIMARY KEY(kind, pos));"
        "CREATE TABLE stages(pos INTEGER PRIMARY KEY, value TEXT NOT NULL);"
        "CREATE TABLE lookup(pos INTEGER PRIMARY KEY, id TEXT NOT NULL);"
        "CREATE TABLE commands(seq INTEGER PRIMARY KEY, number INTEGER NOT NULL);"
        "CREATE TABLE auxcmds(name TEXT PRIMARY KEY, programPath TEXT, workingFolder TEXT,"
        " displayText TEXT, tooltip TEXT, iconFile TEXT, largeIconFile TEXT, flags INTEGER);"
        "CREATE TABLE placements(view INTEGER, place INTEGER, name TEXT,"
        " PRIMARY KEY(view, place, name));");
    db.prepare("INSERT INTO meta VALUES('schemaVersion', ?)")
        .bind(1, std::to_string(kSchemaVersion))
        .run();
}

const char* HostStore::tableName(TableKind kind) {
    switch (kind) {
        case TableKind::Contact:
            return "contacts";
        case TableKind::Sales:
            return "sales";
        case TableKind::Group:
            return "groups";
    }
    return "contacts";
}

std::optional<std::string> HostStore::meta(const std::string& key) {
    Statement query = db_.prepare("SELECT value FROM meta WHERE key = ?");
    query.bind(1, key);
    if (!query.step()) {
        return std::nullopt;
    }
    return query.text(0);
}

std::string HostStore::meta(const std::string& key, const std::string& fallback) {
    return meta(key).value_or(fallback);
}

void HostStore::setMeta(const std::string& key, const std::string& value) {
    db_.prepare("INSERT OR REPLACE INTO meta VALUES(?, ?)").bind(1, key).bind(2, value).run();
}

RecordSet HostStore::loadRecords(TableKind kind) {
    std::string table = tableName(kind);
    // The writer notes each table's size, which saves a second pass over a large table.
    auto rows = meta("rows." + table);
    auto bytes = meta("bytes." + table);
    if (!rows || !bytes) {
        Statement size =
            db_.prepare("SELECT count(*), coalesce(sum(length(data)), 0) FROM " + table);
        size.step();
        rows = std::to_string(size.integer(0));
        bytes = std::to_string(size.integer(1));
    }
    RecordSet records;
    records.reserve(std::stoull(*rows), std::stoull(*bytes));
    Statement query = db_.prepare("SELECT data FROM " + table + " ORDER BY pos");
    while (query.step()) {
        records.append(query.blob(0));
    }
    records.buildIndex();
    return records;
}

std::int64_t HostStore::recordCount(TableKind kind) {
    Statement count = db_.prepare(std::string("SELECT count(*) FROM ") + tableName(kind));
    count.step();
    return count.integer(0);
}

std::vector<FieldDef> HostStore::fieldDefs(TableKind kind) {
    Statement rows = db_.prepare("SELECT id, label, type FROM fields WHERE tbl = ? ORDER BY pos");
    rows.bind(1, static_cast<std::int64_t>(kind));
    std::vector<FieldDef> defs;
    while (rows.step()) {
        defs.push_back(
            {static_cast<int>(rows.integer(0)), rows.text(1), static_cast<int>(rows.integer(2))});
    }
    return defs;
}

std::vector<UserEntry> HostStore::users() {
    Statement rows = db_.prepare("SELECT id, name FROM users ORDER BY pos");
    std::vector<UserEntry> result;
    while (rows.step()) {
        result.push_back({rows.text(0), rows.text(1)});
    }
    return result;
}

std::vector<std::pair<std::string, std::vector<std::string>>> HostStore::lists() {
    Statement rows = db_.prepare("SELECT kind, value FROM lists ORDER BY kind, pos");
    std::vector<std::pair<std::string, std::vector<std::string>>> result;
    while (rows.step()) {
        std::string kind = rows.text(0);
        if (result.empty() || result.back().first != kind) {
            result.emplace_back(kind, std::vector<std::string>{});
        }
        result.back().second.push_back(rows.text(1));
    }
    return result;
}

std::vector<std::string> HostStore::list(const std::string& kind) {
    Statement rows = db_.prepare("SELECT value FROM lists WHERE kind = ? ORDER BY pos");
    rows.bind(1, kind);
    std::vector<std::string> result;
    while (rows.step()) {
        result.push_back(rows.text(0));
    }
    return result;
}

std::vector<std::string> HostStore::salesStages() {
    Statement rows = db_.prepare("SELECT value FROM stages ORDER BY pos");
    std::vector<std::string> result;
    while (rows.step()) {
        result.push_back(rows.text(0));
    }
    return result;
}

std::optional<std::vector<std::string>> HostStore::currentLookup() {
    if (meta("lookupSet", "0") != "1") {
        return std::nullopt;
    }
    Statement rows = db_.prepare("SELECT id FROM lookup ORDER BY pos");
    std::vector<std::string> ids;
    while (rows.step()) {
        ids.push_back(rows.text(0));
    }
    return ids;
}

void HostStore::setCurrentLookup(const std::vector<std::string>& ids) {
    db_.exec("BEGIN IMMEDIATE");
    try {
        db_.exec("DELETE FROM lookup");
        Statement insert = db_.prepare("INSERT INTO lookup(id) VALUES(?)");
        for (const auto& id : ids) {
            insert.bind(1, id).run();
        }
        setMeta("lookupSet", "1");
        db_.exec("COMMIT");
    } catch (...) {
        db_.exec("ROLLBACK");
        throw;
    }
}

void HostStore::clearCurrentLookup() {
    db_.exec(
        "BEGIN IMMEDIATE; DELETE FROM lookup; DELETE FROM meta WHERE key = 'lookupSet'; COMMIT");
}

void HostStore::recordCommand(int number) {
    db_.prepare("INSERT INTO commands(number) VALUES(?)").bind(1, number).run();
}

std::vector<int> HostStore::commands() {
    Statement rows = db_.prepare("SELECT number FROM commands ORDER BY seq");
    std::vector<int> result;
    while (rows.step()) {
        result.push_back(static_cast<int>(rows.integer(0)));
    }
    return result;
}

std::int64_t HostStore::closeCount() {
    return std::stoll(meta("closeCount", "0"));
}

void HostStore::close() {
    // One transaction, so a process polling the counter never sees the count without "open".
    db_.exec("BEGIN IMMEDIATE");
    try {
        setMeta("closeCount", std::to_string(closeCount() + 1));
        setMeta("open", "0");
        setMeta("running", "0");
        db_.exec("COMMIT");
    } catch (...) {
        db_.exec("ROLLBACK");
        throw;
    }
}

void HostStore::reopen() {
    setMeta("running", "1");
    setMeta("open", "1");
}

std::optional<AuxCommandDef> HostStore::auxCommand(const std::string& name) {
    Statement row = db_.prepare(
        "SELECT name, programPath, workingFolder, displayText, tooltip, iconFile, largeIconFile,"
        " flags FROM auxcmds WHERE name = ?");
    row.bind(1, name);
    if (!row.step()) {
        return std::nullopt;
    }
    return AuxCommandDef{row.text(0), row.text(1), row.text(2), row.text(3),
                         row.text(4), row.text(5), row.text(6), static_cast<int>(row.integer(7))};
}

std::vector<AuxCommandDef> HostStore::auxCommands() {
    Statement rows = db_.prepare("SELECT name FROM auxcmds ORDER BY name");
    std::vector<std::string> names;
    while (rows.step()) {
        names.push_back(rows.text(0));
    }
    std::vector<AuxCommandDef> result;
    for (const auto& name : names) {
        result.push_back(*auxCommand(name));
    }
    return result;
}

void HostStore::putAuxCommand(const AuxCommandDef& c) {
    db_.prepare("INSERT OR REPLACE INTO auxcmds VALUES(?, ?, ?, ?, ?, ?, ?, ?)")
        .bind(1, c.name)
        .bind(2, c.programPath)
        .bind(3, c.workingFolder)
        .bind(4, c.displayText)
        .bind(5, c.tooltip)
        .bind(6, c.iconFile)
        .bind(7, c.largeIconFile)
        .bind(8, c.flags)
        .run();
}

bool HostStore::isPlaced(const Placement& p) {
    Statement row =
        db_.prepare("SELECT 1 FROM placements WHERE view = ? AND place = ? AND name = ?");
    row.bind(1, p.view).bind(2, static_cast<std::int64_t>(p.place)).bind(3, p.name);
    return row.step();
}

void HostStore::setPlaced(const Placement& p, bool placed) {
    Statement change = db_.prepare(placed ? "INSERT OR IGNORE INTO placements VALUES(?, ?, ?)"
                                          : "DELETE FROM placements WHERE view = ? AND "
                                            "place = ? AND name = ?");
    change.bind(1, p.view).bind(2, static_cast<std::int64_t>(p.place)).bind(3, p.name).run();
}

std::vector<Placement> HostStore::placements() {
    Statement rows = db_.prepare(
        "SELECT view, place, name FROM placements ORDER BY name, "
        "place, view");
    std::vector<Placement> result;
    while (rows.step()) {
        result.push_back(
            {static_cast<int>(rows.integer(0)), static_cast<Place>(rows.integer(1)), rows.text(2)});
    }
    return result;
}

}  // namespace bp::sim
