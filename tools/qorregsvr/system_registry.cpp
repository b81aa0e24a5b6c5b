#include "system_registry.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace qorregsvr {

namespace {

constexpr mode_t kFolderReadableByAll = 0755;

std::string registryFolder(const std::string& dataDir) {
    return dataDir + "/quillan";
}

// The deepest existing folder on the way to `path`: the one a new folder would go into.
std::string nearestExisting(std::string path) {
    struct stat st {};
    while (!path.empty() && ::stat(path.c_str(), &st) != 0) {
        const auto slash = path.find_last_of('/');
        path = slash == 0 ? "/" : path.substr(0, slash);
    }
    return path;
}

bool makeFolders(const std::string& path) {
    for (std::size_t pos = 1; pos <= path.size(); ++pos) {
        if (pos != path.size() && path[pos] != '/')
            continue;
        const std::string part = path.substr(0, pos);
        if (::mkdir(part.c_str(), kFolderReadableByAll) != 0 && errno != EEXIST)
            return false;
    }
    return ::chmod(path.c_str(), kFolderReadableByAll) == 0;
}

} // namespace

std::string systemDataDir() {
    const char* env = std::getenv("XDG_DATA_DIRS");
    std::string_view dirs = env != nullptr ? env : "";
    while (!dirs.empty()) {
        const auto colon = dirs.find(':');
        std::string_view dir = dirs.substr(0, colon);
        while (dir.size() > 1 && dir.back() == '/')
            dir.remove_suffix(1);
        if (!dir.empty() && dir.front() == '/')
            return std::string(dir);
        dirs = colon == std::string_view::npos ? std::string_view() : dirs.substr(colon + 1);
    }
    return "/usr/local/share";
}

bool prepareSystemFolder(const std::string& dataDir, std::string& why) {
    const std::string folder = registryFolder(dataDir);
    const std::string writable = nearestExisting(folder);
    if (::access(writable.c_str(), W_OK) != 0) {
        why = "the system registry in " + folder + " cannot be written by this user (" + writable +
              ": " + std::strerror(errno) + "); changing it needs root, for example through sudo";
        return false;
    }
    if (writable != folder && !makeFolders(folder)) {
        why = "the folder " + folder + " could not be made: " + std::strerror(errno);
        return false;
    }
    return true;
}

void writeToSystemRegistry(const std::string& dataDir) {
    ::setenv("XDG_DATA_HOME", dataDir.c_str(), 1);
}

} // namespace qorregsvr
