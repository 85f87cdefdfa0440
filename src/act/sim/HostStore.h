#pragma once
// The embedded host's database file: everything a host keeps between runs (records, field
// definitions, users, drop-down lists, the current lookup and contact, the auxiliary commands
// and their placements, the closing counter). Several processes may hold the same file open:
// the program and the host tool; SQLite keeps their writes whole.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "act/sim/RecordSet.h"
#include "act/sim/Sqlite.h"

namespace bp::sim {

enum class TableKind { Contact = 0, Sales = 1, Group = 2 };

struct FieldDef {
    int id = 0;
    std::string label;
    int type = 1;
};

struct UserEntry {
    std::string id;
    std::string name;
};

struct AuxCommandDef {
    std::string name, programPath, workingFolder, displayText, tooltip, iconFile, largeIconFile;
    int flags = 0;
};

enum class Place { Toolbar, ToolsMenu };

struct Placement {
    int view = 0;
    Place place = Place::Toolbar;
    std::string name;
};

class HostStore {
public:
    static constexpr int kSchemaVersion = 1;

    // Opens an existing host database; a missing or foreign file is refused with a message
    // that tells how to create one. A file another program holds locked is waited for
    // `busyWait`, then refused as in use.
    explicit HostStore(const std::string& path,
                       std::chrono::milliseconds busyWait = Sqlite::kBusyWait);

    static void createSchema(Sqlite& db);
    static const char* tableName(TableKind kind);

    const std::string& path() const { return db_.path(); }
    std::int64_t dataVersion() { return db_.dataVersion(); }

    std::optional<std::string> meta(const std::string& key);
    std::string meta(const std::string& key, const std::string& fallback);
    void setMeta(const std::string& key, const std::string& value);

    RecordSet loadRecords(TableKind kind);
    std::int64_t recordCount(TableKind kind);
    std::vector<FieldDef> fieldDefs(TableKind kind);
    std::vector<UserEntry> users();
    std::vector<std::pair<std::string, std::vector<std::string>>> lists();
    std::vector<std::string> list(const std::string& kind);
    std::vector<std::string> salesStages();

    // std::nullopt: no lookup was made, the host shows all contacts.
    std::optional<std::vector<std::string>> currentLookup();
    void setCurrentLookup(const std::vector<std::string>& ids);
    void clearCurrentLookup();  // back to all contacts

    void recordCommand(int number);
    std::vector<int> commands();
    std::int64_t closeCount();
    // The host's user closes the host: not running, no database open, closing counter + 1.
    void close();
    void reopen();  // the host runs again with its database open

    std::optional<AuxCommandDef> auxCommand(const std::string& name);
    std::vector<AuxCommandDef> auxCommands();
    void putAuxCommand(const AuxCommandDef& command);
    bool isPlaced(const Placement& placement);
    void setPlaced(const Placement& placement, bool placed);
    std::vector<Placement> placements();

private:
    void checkSchema();

    Sqlite db_;
};

}  // namespace bp::sim
