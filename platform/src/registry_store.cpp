// The registry file on disk: one file per user, re-read on every call so processes see
// each other's changes, replaced atomically (write a new file, then rename) under an
// exclusive lock. A damaged file is never overwritten: every call then fails.
#include "registry_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <set>

namespace qor::registry {

const char* const kRootNames[kRootCount] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",
                                            "HKEY_LOCAL_MACHINE"};

std::string fold(std::string_view name) {
    std::string out(name);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

Node* Tree::find(int root, const Path& path) {
    Node* node = &roots[root];
    for (const std::string& segment : path) {
        const auto it = node->children.find(fold(segment));
        if (it == node->children.end())
            return nullptr;
        node = &it->second;
    }
    return node;
}

Node& Tree::create(int root, const Path& path, bool& created) {
    Node* node = &roots[root];
    created = false;
    for (const std::string& segment : path) {
        const auto [it, isNew] = node->children.try_emplace(fold(segment));
        if (isNew)
            it->second.name = segment;
        created = isNew;
        node = &it->second;
    }
    return *node;
}

bool Tree::erase(int root, const Path& path) {
    if (path.empty())
        return false;
    Node* parent = find(root, Path(path.begin(), path.end() - 1));
    return parent != nullptr && parent->children.erase(fold(path.back())) == 1;
}

namespace {

std::mutex gMutex;                     // one registry call at a time within the process
std::set<std::string> gDamageReported; // files already reported, so each is reported once

std::string folder() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg != nullptr && xdg[0] == '/')
        return std::string(xdg) + "/quillan";
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.local/share/quillan";
}

bool makeFolders(const std::string& path) {
    for (std::size_t pos = 1; pos <= path.size(); ++pos) {
        if (pos != path.size() && path[pos] != '/')
            continue;
        const std::string part = path.substr(0, pos);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    return true;
}

// Holds flock on the lock file beside the registry for the length of one call.
class FileLock {
  public:
    FileLock(const std::string& dir, int operation) {
        fd_ = ::open((dir + "/registry.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd_ < 0)
            return;
        while (::flock(fd_, operation) != 0) {
            if (errno != EINTR) {
                ::close(fd_);
                fd_ = -1;
                return;
            }
        }
    }
    ~FileLock() {
        if (fd_ >= 0)
            ::close(fd_); // closing releases the lock
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool held() const { return fd_ >= 0; }

  private:
    int fd_ = -1;
};

void reportDamage(const std::string& path, const std::string& fault) {
    if (!gDamageReported.insert(path).second)
        return;
    std::fprintf(stderr,
                 "quillan: the registry file %s is damaged (%s); it is left as it is, and registry "
                 "calls fail until it is repaired or removed.\n",
                 path.c_str(), fault.c_str());
}

LSTATUS load(Tree& tree) {
    const std::string path = filePath();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? ERROR_SUCCESS : ERROR_ACCESS_DENIED; // none yet: empty
    std::string text;
    char buf[65536];
    ssize_t n;
    while ((n = ::read(fd, buf, sizeof buf)) != 0) {
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            return ERROR_ACCESS_DENIED;
        }
        text.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    std::string fault;
    if (!parse(text, tree, fault)) {
        reportDamage(path, fault);
        return ERROR_BADDB;
    }
    return ERROR_SUCCESS;
}

bool writeAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

LSTATUS save(const Tree& tree) {
    const std::string path = filePath();
    const std::string temp = path + ".tmp";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return ERROR_CANTWRITE;
    const bool written = writeAll(fd, serialize(tree)) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return ERROR_CANTWRITE;
    }
    return ERROR_SUCCESS;
}

} // namespace

std::string filePath() {
    return folder() + "/registry";
}

LSTATUS read(const std::function<LSTATUS(Tree&)>& query) {
    std::lock_guard<std::mutex> guard(gMutex);
    const std::string dir = folder();
    struct stat st {};
    Tree tree;
    if (::stat(dir.c_str(), &st) == 0) { // no folder: nothing stored yet
        const FileLock lock(dir, LOCK_SH);
        const LSTATUS status = load(tree);
        if (status != ERROR_SUCCESS)
            return status;
    }
    return query(tree);
}

LSTATUS modify(const std::function<LSTATUS(Tree&, bool&)>& change) {
    std::lock_guard<std::mutex> guard(gMutex);
    const std::string dir = folder();
    if (!makeFolders(dir))
        return ERROR_CANTWRITE;
    const FileLock lock(dir, LOCK_EX);
    if (!lock.held())
        return ERROR_CANTWRITE;
    Tree tree;
    LSTATUS status = load(tree);
    if (status != ERROR_SUCCESS)
        return status;
    bool changed = false;
    status = change(tree, changed);
    if (status != ERROR_SUCCESS || !changed)
        return status;
    return save(tree);
}

} // namespace qor::registry
