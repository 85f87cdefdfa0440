#pragma once
// Builds a whole host database in one transaction into a temporary file beside the target and
// renames it over the target only when everything went in, so a failed import or generation
// never loses the database that was there before. The temporary is named like every file
// the program saves (SaveFile), so the next import removes one that a killed import left.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "act/sim/HostStore.h"
#include "act/sim/Sqlite.h"
#include "platform/SaveFile.h"

namespace bp::sim {

class HostWriter {
public:
    explicit HostWriter(const std::string& targetPath);
    ~HostWriter();  // without commit(): the temporary file is removed, the target untouched
    HostWriter(const HostWriter&) = delete;
    HostWriter& operator=(const HostWriter&) = delete;

    void setMeta(const std::string& key, const std::string& value);
    void addUser(const UserEntry& user);
    void addField(TableKind kind, const FieldDef& field);
    void addRecord(TableKind kind, const std::string& packed);
    void addListEntry(const std::string& kind, const std::string& value);
    void addSalesStage(const std::string& value);
    void setCurrentLookup(const std::vector<std::string>& ids);
    void commit();

private:
    void closeDatabase();

    platform::SaveFile save_;
    std::unique_ptr<Sqlite> db_;
    std::vector<Statement> records_;  // one insert per TableKind
    std::unique_ptr<Statement> meta_, users_, fields_, lists_, stages_;
    int fieldPos_[3] = {0, 0, 0};
    std::uint64_t rows_[3] = {0, 0, 0};
    std::uint64_t bytes_[3] = {0, 0, 0};
    int listPos_ = 0;
};

}  // namespace bp::sim
