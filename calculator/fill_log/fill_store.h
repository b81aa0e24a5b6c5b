// The fill log behind one interface, so that the window, quillan-blend and later a server
// database share the same calls.
#pragma once

#include "fill_log/fill_record.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace quillan::filllog {

// Bad input: the message says what is wrong; nothing was stored.
struct BadFill : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A log that cannot be used (damaged, locked too long, of a newer format): the message names
// its file, which is left as it was.
struct StoreError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Empty fields match every fill.
struct FillFilter {
    std::string since; // YYYY-MM-DD: fills on that day or later (UTC)
    std::string customer;
};

class FillStore {
  public:
    virtual ~FillStore() = default;

    // Checks the fill and stores all of it, or nothing; returns its id.
    virtual std::int64_t record(const FillRecord& fill) = 0;
    // Oldest first, without their report lines (find() has them): a list stays quick.
    virtual std::vector<FillRecord> list(const FillFilter& filter) const = 0;
    virtual std::optional<FillRecord> find(std::int64_t id) const = 0;
    // Adds the analysis to fill `id`; a fill without one only, so no reading is ever lost.
    virtual void analyse(std::int64_t id, const Analysis& analysis) = 0;
};

} // namespace quillan::filllog
