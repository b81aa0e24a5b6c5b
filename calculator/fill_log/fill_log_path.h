// Where the log lives unless told otherwise: $XDG_DATA_HOME/quillan/fill-log.sqlite, or
// ~/.local/share/quillan/fill-log.sqlite.
#pragma once

#include <filesystem>

namespace quillan::filllog {

// Throws StoreError when neither XDG_DATA_HOME nor HOME is an absolute path.
std::filesystem::path defaultFillLogPath();

} // namespace quillan::filllog
