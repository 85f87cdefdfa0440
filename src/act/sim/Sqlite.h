#pragma once
// Thin RAII wrapper over the SQLite C API for the embedded host. Every failure becomes a
// bp::Error carrying SQLite's own message, so a damaged or locked host file reads as a host
// failure to the program.

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Error.h"

struct sqlite3;
struct sqlite3_stmt;

namespace bp::sim {

class Statement;

// A failure SQLite reported, with SQLite's primary result code, so a caller can tell a file
// another program holds locked from one that is damaged or no database at all.
class SqliteError : public Error {
public:
    SqliteError(int number, std::string description, int code)
        : Error(number, std::move(description)), code_(code) {}
    int code() const { return code_; }

private:
    int code_;
};

class Sqlite {
public:
    enum class Mode { ReadWrite, Create };
    // How long a statement waits for another process's lock before it gives up.
    static constexpr std::chrono::milliseconds kBusyWait{5000};

    Sqlite(const std::string& path, Mode mode, std::chrono::milliseconds busyWait = kBusyWait);
    ~Sqlite();
    Sqlite(const Sqlite&) = delete;
    Sqlite& operator=(const Sqlite&) = delete;

    void exec(const std::string& sql);
    Statement prepare(const std::string& sql);
    std::int64_t dataVersion();
    const std::string& path() const { return path_; }
    sqlite3* handle() { return db_; }

private:
    sqlite3* db_ = nullptr;
    std::string path_;
};

// One prepared statement; bind from 1, columns from 0.
class Statement {
public:
    Statement(sqlite3* db, const std::string& sql);
    ~Statement();
    Statement(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    Statement& operator=(Statement&&) = delete;

    Statement& bind(int index, std::int64_t value);
    Statement& bind(int index, std::string_view text);
    Statement& bindBlob(int index, std::string_view bytes);
    bool step();  // true while a row is available
    void run();   // step to completion, then reset for the next use
    void reset();

    std::int64_t integer(int column) const;
    std::string text(int column) const;
    std::string_view blob(int column) const;

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

}  // namespace bp::sim
