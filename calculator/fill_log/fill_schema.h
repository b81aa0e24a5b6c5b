// The log's tables and how an older file is brought forward: one step per version, never
// back. A file of a later version than kFillLogVersion is refused, not rewritten.
#pragma once

#include "fill_log/sqlite_db.h"

namespace quillan::filllog {

inline constexpr int kFillLogVersion = 2;

// The file's version: 0 for an empty file. Throws StoreError for a file that holds other
// tables but no version, or that SQLite cannot read.
int schemaVersion(const Database& db);

// Applies the steps after `from` up to `to`, inside the caller's transaction.
void migrate(const Database& db, int from, int to);

} // namespace quillan::filllog
