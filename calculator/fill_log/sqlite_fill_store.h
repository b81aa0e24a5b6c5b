// The fill log in one SQLite file, safe for the window and several quillan-blend processes
// at once: write-ahead log, each change in one transaction, and a wait for the lock.
#pragma once

#include "fill_log/fill_store.h"
#include "fill_log/sqlite_db.h"

#include <chrono>
#include <filesystem>

namespace quillan::filllog {

inline constexpr std::chrono::milliseconds kDefaultBusyTimeout{10000};

class SqliteFillStore final : public FillStore {
  public:
    // Opens the file, creating it and its folder when missing, and brings an older one
    // forward. Throws StoreError, leaving the file untouched, when it is damaged, locked
    // longer than `busyTimeout` or of a newer version.
    explicit SqliteFillStore(const std::filesystem::path& file,
                             std::chrono::milliseconds busyTimeout = kDefaultBusyTimeout);

    std::int64_t record(const FillRecord& fill) override;
    std::vector<FillRecord> list(const FillFilter& filter) const override;
    std::optional<FillRecord> find(std::int64_t id) const override;
    void analyse(std::int64_t id, const Analysis& analysis) override;

  private:
    Database db_;
};

} // namespace quillan::filllog
