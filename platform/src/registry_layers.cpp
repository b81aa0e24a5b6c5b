// The system layers of the registry. Their files are replaced by renaming a complete new
// file over the old one, so a reader sees one whole version without taking the lock,
// which a user could not create in a system folder anyway.
#include "registry_layers.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <set>
#include <string_view>

namespace qor::registry {

namespace {

constexpr int kCurrentUserRoot = 1; // HKEY_CURRENT_USER belongs to the user alone
constexpr std::string_view kDefaultDataDirs = "/usr/local/share:/usr/share";
// A system file beyond this is not read: a registration takes a few kilobytes.
constexpr off_t kMaxSystemFileSize = 64 * 1024 * 1024;

std::mutex gReportedMutex;
std::set<std::string> gReported; // system files already reported, each once per process

void reportOnce(const std::string& path, const std::string& why) {
    const std::lock_guard<std::mutex> guard(gReportedMutex);
    if (!gReported.insert(path).second)
        return;
    std::fprintf(stderr, "quillan: the system registry file %s is not used (%s).\n", path.c_str(),
                 why.c_str());
}

enum class Load { Absent, Loaded, Unreadable, Damaged };

Load loadSystemFile(const std::string& path, Tree& tree) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return Load::Absent;
        reportOnce(path, std::strerror(errno));
        return Load::Unreadable;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kMaxSystemFileSize) {
        ::close(fd);
        reportOnce(path, "not a regular file of a sensible size");
        return Load::Damaged;
    }
    std::string text;
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n == 0)
            break;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 || text.size() + static_cast<std::size_t>(n) >
                         static_cast<std::size_t>(kMaxSystemFileSize)) {
            ::close(fd);
            reportOnce(path, n < 0 ? std::strerror(errno) : "it grew while being read");
            return n < 0 ? Load::Unreadable : Load::Damaged;
        }
        text.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    std::string fault;
    if (!parse(text, tree, fault)) {
        reportOnce(path, fault);
        return Load::Damaged;
    }
    return Load::Loaded;
}

} // namespace

std::vector<std::string> systemFilePaths() {
    const char* env = std::getenv("XDG_DATA_DIRS");
    const std::string_view dirs = env != nullptr && env[0] != '\0' ? env : kDefaultDataDirs;
    std::vector<std::string> paths;
    std::size_t start = 0;
    while (start <= dirs.size()) {
        std::size_t end = dirs.find(':', start);
        if (end == std::string_view::npos)
            end = dirs.size();
        std::string_view dir = dirs.substr(start, end - start);
        while (dir.size() > 1 && dir.back() == '/')
            dir.remove_suffix(1);
        if (!dir.empty() && dir.front() == '/') // relative entries are invalid under XDG
            paths.push_back(std::string(dir == "/" ? "" : dir) + "/quillan/registry");
        start = end + 1;
    }
    return paths;
}

LSTATUS readLayered(int root, const Path& path, const std::function<LSTATUS(const Node*)>& query) {
    bool found = false;
    const LSTATUS status = read([&](Tree& tree) {
        const Node* node = tree.find(root, path);
        found = node != nullptr;
        return found ? query(node) : ERROR_SUCCESS;
    });
    if (status != ERROR_SUCCESS || found)
        return status;
    if (root != kCurrentUserRoot) {
        for (const std::string& file : systemFilePaths()) {
            Tree tree;
            switch (loadSystemFile(file, tree)) {
            case Load::Absent:
                continue;
            case Load::Unreadable:
                return ERROR_ACCESS_DENIED;
            case Load::Damaged:
                return ERROR_BADDB;
            case Load::Loaded:
                break;
            }
            if (const Node* node = tree.find(root, path))
                return query(node);
        }
    }
    return query(nullptr);
}

} // namespace qor::registry
