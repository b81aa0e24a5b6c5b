// The options of a calculation command that log its planned fill.
#pragma once

#include "blend_arguments.h"

#include <CLI/CLI.hpp>

#include <optional>
#include <string>

namespace quillan::blend {

// Registers --log, --customer, --cylinder-serial, --blender, --hydro-test,
// --visual-inspection, --o2-clean, --notes and --log-file on `app`.
class LogOptions {
  public:
    explicit LogOptions(CLI::App& app);
    // The parser holds pointers into it.
    LogOptions(const LogOptions&) = delete;
    LogOptions& operator=(const LogOptions&) = delete;

    bool given() const;
    // After parsing: the request with --log, nothing without it; throws BadInput when the
    // other options come without --log, or --log without a customer or a serial number.
    std::optional<FillLogRequest> read() const;

  private:
    FillLogRequest request_;
    CLI::Option* log_ = nullptr;
    std::vector<CLI::Option*> details_;
};

} // namespace quillan::blend
