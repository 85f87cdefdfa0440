#include "act/sim/HostWriter.h"

#include <filesystem>

#include "act/sim/HostErrors.h"
#include "platform/Error.h"
#include "platform/File.h"
#include "platform/PathText.h"

namespace bp::sim {

namespace fs = std::filesystem;

HostWriter::HostWriter(const std::string& targetPath) : save_(targetPath, "db") {
    fs::path folder = platform::pathFromUtf8(targetPath).parent_path();
    std::error_code ec;
    if (!folder.empty()) {
        fs::create_directories(folder, ec);
    }
    db_ = std::make_unique<Sqlite>(save_.tempPath(), Sqlite::Mode::Create);
    // A temporary file: no journal needed, the rename below is the commit point.
    db_->exec("PRAGMA journal_mode = OFF");
    db_->exec("BEGIN");
    HostStore::createSchema(*db_);
    for (TableKind kind : {TableKind::Contact, TableKind::Sales, TableKind::Group}) {
        records_.push_back(db_->prepare(std::string("INSERT INTO ") + HostStore::tableName(kind) +
                                        "(data) VALUES(?)"));
    }
    meta_ = std::make_unique<Statement>(db_->prepare("INSERT OR REPLACE INTO meta VALUES(?, ?)"));
    users_ = std::make_unique<Statement>(db_->prepare("INSERT INTO users(id, name) VALUES(?, ?)"));
    fields_ = std::make_unique<Statement>(db_->prepare("INSERT INTO fields VALUES(?, ?, ?, ?, ?)"));
    lists_ = std::make_unique<Statement>(db_->prepare("INSERT INTO lists VALUES(?, ?, ?)"));
    stages_ = std::make_unique<Statement>(db_->prepare("INSERT INTO stages(value) VALUES(?)"));
    setMeta("open", "1");
    setMeta("closeCount", "0");
}

// The database closes before save_ removes its file.
HostWriter::~HostWriter() {
    closeDatabase();
}

// Statements first: the connection closes only once none is left open on it.
void HostWriter::closeDatabase() {
    records_.clear();
    meta_.reset();
    users_.reset();
    fields_.reset();
    lists_.reset();
    stages_.reset();
    db_.reset();
}

void HostWriter::setMeta(const std::string& key, const std::string& value) {
    meta_->bind(1, key).bind(2, value).run();
}

void HostWriter::addUser(const UserEntry& user) {
    users_->bind(1, user.id).bind(2, user.name).run();
}

void HostWriter::addField(TableKind kind, const FieldDef& field) {
    int& pos = fieldPos_[static_cast<int>(kind)];
    fields_->bind(1, static_cast<std::int64_t>(kind))
        .bind(2, pos++)
        .bind(3, field.id)
        .bind(4, field.label)
        .bind(5, field.type)
        .run();
}

void HostWriter::addRecord(TableKind kind, const std::string& packed) {
    auto index = static_cast<std::size_t>(kind);
    records_[index].bindBlob(1, packed).run();
    ++rows_[index];
    bytes_[index] += packed.size();
}

void HostWriter::addListEntry(const std::string& kind, const std::string& value) {
    lists_->bind(1, kind).bind(2, listPos_++).bind(3, value).run();
}

void HostWriter::addSalesStage(const std::string& value) {
    stages_->bind(1, value).run();
}

void HostWriter::setCurrentLookup(const std::vector<std::string>& ids) {
    Statement insert = db_->prepare("INSERT INTO lookup(id) VALUES(?)");
    for (const auto& id : ids) {
        insert.bind(1, id).run();
    }
    setMeta("lookupSet", "1");
}

void HostWriter::commit() {
    for (TableKind kind : {TableKind::Contact, TableKind::Sales, TableKind::Group}) {
        auto index = static_cast<std::size_t>(kind);
        std::string table = HostStore::tableName(kind);
        setMeta("rows." + table, std::to_string(rows_[index]));
        setMeta("bytes." + table, std::to_string(bytes_[index]));
    }
    db_->exec("COMMIT");
    closeDatabase();
    if (!save_.commit()) {
        raise(kErrPermissionDenied,
              "The host database " + save_.target() +
                  " cannot be replaced: " + platform::systemErrorText(save_.error()));
    }
}

}  // namespace bp::sim
