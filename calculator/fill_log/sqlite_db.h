// A thin hold on SQLite: one connection and its prepared statements, every failure turned
// into a StoreError that names the file.
#pragma once

#include <sqlite3.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillan::filllog {

class Database {
  public:
    // Opens or creates the file; waits up to `busyTimeout` for other writers.
    Database(std::string path, std::chrono::milliseconds busyTimeout);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    sqlite3* handle() const { return db_; }
    const std::string& path() const { return path_; }

    void exec(const std::string& sql) const;
    // Throws the StoreError for SQLite's result `code`.
    [[noreturn]] void fail(int code) const;

  private:
    std::string path_;
    sqlite3* db_ = nullptr;
};

class Statement {
  public:
    Statement(const Database& db, std::string_view sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Parameters count from 1; nothing binds NULL.
    void bind(int index, std::string_view text);
    void bind(int index, std::int64_t value);
    void bind(int index, double value);
    void bind(int index, const std::optional<double>& value);

    // True while there is a row to read.
    bool step();

    std::string text(int column) const;
    std::int64_t integer(int column) const;
    double real(int column) const;
    std::optional<double> optionalReal(int column) const;
    bool isNull(int column) const;

  private:
    const Database& db_;
    sqlite3_stmt* statement_ = nullptr;
};

// A write transaction: BEGIN IMMEDIATE takes the write lock at once (waiting for it up to the
// busy timeout), so it cannot fail later on a lock; undone unless committed.
class WriteTransaction {
  public:
    explicit WriteTransaction(const Database& db);
    ~WriteTransaction();
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;

    void commit();

  private:
    const Database& db_;
    bool open_ = true;
};

} // namespace quillan::filllog
