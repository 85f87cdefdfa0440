#include "act/sim/Sqlite.h"

#include <sqlite3.h>

#include "act/sim/HostErrors.h"
#include "platform/Error.h"

namespace bp::sim {

namespace {

[[noreturn]] void fail(sqlite3* db, const std::string& what) {
    std::string message = db ? sqlite3_errmsg(db) : "out of memory";
    const int code = db ? (sqlite3_errcode(db) & 0xFF) : SQLITE_NOMEM;
    throw SqliteError(kErrHostStorage,
                      "The host database cannot be used (" + what + "): " + message, code);
}

}  // namespace

Sqlite::Sqlite(const std::string& path, Mode mode, std::chrono::milliseconds busyWait)
    : path_(path) {
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    if (mode == Mode::Create) {
        flags |= SQLITE_OPEN_CREATE;
    }
    if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
        std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
        const int code = db_ ? (sqlite3_errcode(db_) & 0xFF) : SQLITE_NOMEM;
        sqlite3_close(db_);
        db_ = nullptr;
        throw SqliteError(kErrHostStorage,
                          "The host database " + path + " cannot be opened: " + message, code);
    }
    // Another process (the host tool) may be writing a lookup at the same moment.
    sqlite3_busy_timeout(db_, static_cast<int>(busyWait.count()));
}

Sqlite::~Sqlite() {
    sqlite3_close(db_);
}

void Sqlite::exec(const std::string& sql) {
    char* error = nullptr;
    if (const int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error); rc != SQLITE_OK) {
        std::string message = error ? error : "unknown error";
        sqlite3_free(error);
        throw SqliteError(kErrHostStorage, "The host database cannot be used: " + message,
                          rc & 0xFF);
    }
}

Statement Sqlite::prepare(const std::string& sql) {
    return Statement(db_, sql);
}

std::int64_t Sqlite::dataVersion() {
    Statement version(db_, "PRAGMA data_version");
    version.step();
    return version.integer(0);
}

Statement::Statement(sqlite3* db, const std::string& sql) : db_(db) {
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt_, nullptr) != SQLITE_OK) {
        fail(db, "prepare");
    }
}

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

Statement::Statement(Statement&& other) noexcept : db_(other.db_), stmt_(other.stmt_) {
    other.stmt_ = nullptr;
}

Statement& Statement::bind(int index, std::int64_t value) {
    if (sqlite3_bind_int64(stmt_, index, value) != SQLITE_OK) {
        fail(db_, "bind");
    }
    return *this;
}

Statement& Statement::bind(int index, std::string_view text) {
    if (sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT) != SQLITE_OK) {
        fail(db_, "bind");
    }
    return *this;
}

Statement& Statement::bindBlob(int index, std::string_view bytes) {
    if (sqlite3_bind_blob(stmt_, index, bytes.data(), static_cast<int>(bytes.size()),
                          SQLITE_TRANSIENT) != SQLITE_OK) {
        fail(db_, "bind");
    }
    return *this;
}

bool Statement::step() {
    int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc != SQLITE_DONE) {
        fail(db_, "step");
    }
    return false;
}

void Statement::run() {
    while (step()) {
    }
    reset();
}

void Statement::reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

std::int64_t Statement::integer(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

std::string Statement::text(int column) const {
    const unsigned char* value = sqlite3_column_text(stmt_, column);
    return value ? std::string(reinterpret_cast<const char*>(value),
                               static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)))
                 : std::string();
}

std::string_view Statement::blob(int column) const {
    const void* value = sqlite3_column_blob(stmt_, column);
    return value ? std::string_view(static_cast<const char*>(value),
                                    static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)))
                 : std::string_view();
}

}  // namespace bp::sim
