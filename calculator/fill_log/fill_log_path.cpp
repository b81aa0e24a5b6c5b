#include "fill_log/fill_log_path.h"

#include "fill_log/fill_store.h"

#include <cstdlib>

namespace quillan::filllog {

std::filesystem::path defaultFillLogPath() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg != nullptr && xdg[0] == '/') // a relative XDG path is to be ignored
        return std::filesystem::path(xdg) / "quillan" / "fill-log.sqlite";
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] != '/')
        throw StoreError("the fill log has no folder: neither XDG_DATA_HOME nor HOME is an "
                         "absolute path; name one with --log-file");
    return std::filesystem::path(home) / ".local" / "share" / "quillan" / "fill-log.sqlite";
}

} // namespace quillan::filllog
