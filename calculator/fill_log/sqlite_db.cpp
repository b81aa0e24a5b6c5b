#include "fill_log/sqlite_db.h"

#include "fill_log/fill_store.h"

namespace quillan::filllog {

Database::Database(std::string path, std::chrono::milliseconds busyTimeout)
    : path_(std::move(path)) {
    const int opened =
        sqlite3_open_v2(path_.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (opened != SQLITE_OK) {
        const std::string why = db_ != nullptr ? sqlite3_errmsg(db_) : sqlite3_errstr(opened);
        sqlite3_close(db_);
        throw StoreError(path_ + ": cannot open the fill log: " + why);
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, static_cast<int>(busyTimeout.count()));
}

Database::~Database() {
    sqlite3_close(db_);
}

void Database::exec(const std::string& sql) const {
    const int result = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr);
    if (result != SQLITE_OK)
        fail(result);
}

void Database::fail(int code) const {
    switch (code & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        throw StoreError(path_ + ": the fill log stayed locked by another program; try again");
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        throw StoreError(path_ + ": the fill log is damaged or not a fill log (" +
                         sqlite3_errmsg(db_) + "); it is left as it is");
    default:
        throw StoreError(path_ + ": " + sqlite3_errmsg(db_));
    }
}

Statement::Statement(const Database& db, std::string_view sql) : db_(db) {
    const int result = sqlite3_prepare_v2(db.handle(), sql.data(), static_cast<int>(sql.size()),
                                          &statement_, nullptr);
    if (result != SQLITE_OK)
        db.fail(result);
}

Statement::~Statement() {
    sqlite3_finalize(statement_);
}

void Statement::bind(int index, std::string_view text) {
    sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()),
                      SQLITE_TRANSIENT);
}

void Statement::bind(int index, std::int64_t value) {
    sqlite3_bind_int64(statement_, index, value);
}

void Statement::bind(int index, double value) {
    sqlite3_bind_double(statement_, index, value);
}

void Statement::bind(int index, const std::optional<double>& value) {
    if (value)
        bind(index, *value);
    else
        sqlite3_bind_null(statement_, index);
}

bool Statement::step() {
    const int result = sqlite3_step(statement_);
    if (result == SQLITE_ROW)
        return true;
    if (result != SQLITE_DONE)
        db_.fail(result);
    return false;
}

std::string Statement::text(int column) const {
    const auto* bytes = sqlite3_column_text(statement_, column);
    return bytes == nullptr ? std::string()
                            : std::string(reinterpret_cast<const char*>(bytes),
                                          sqlite3_column_bytes(statement_, column));
}

std::int64_t Statement::integer(int column) const {
    return sqlite3_column_int64(statement_, column);
}

double Statement::real(int column) const {
    return sqlite3_column_double(statement_, column);
}

std::optional<double> Statement::optionalReal(int column) const {
    if (isNull(column))
        return std::nullopt;
    return real(column);
}

bool Statement::isNull(int column) const {
    return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

WriteTransaction::WriteTransaction(const Database& db) : db_(db) {
    db.exec("BEGIN IMMEDIATE");
}

WriteTransaction::~WriteTransaction() {
    if (open_)
        sqlite3_exec(db_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void WriteTransaction::commit() {
    db_.exec("COMMIT");
    open_ = false;
}

} // namespace quillan::filllog
