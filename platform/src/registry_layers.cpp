// The system layers of the registry. Their files are replaced by renaming a complete new
// file over the old one, so a reader sees one whole version without taking the lock,
// which a user could not create in a system folder anyway. They are read under the same
// file rules as the user's own file: a hostile system file is an error, never a hang.
#include "registry_layers.h"

#include <cstdlib>
#include <string_view>

namespace qor::registry {

namespace {

constexpr int kCurrentUserRoot = 1; // HKEY_CURRENT_USER belongs to the user alone
constexpr std::string_view kDefaultDataDirs = "/usr/local/share:/usr/share";

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
            bool present = false;
            const LSTATUS loaded = loadFile(file, tree, present);
            if (loaded != ERROR_SUCCESS)
                return loaded;
            if (!present)
                continue;
            if (const Node* node = tree.find(root, path))
                return query(node);
        }
    }
    return query(nullptr);
}

} // namespace qor::registry
