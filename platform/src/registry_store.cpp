// The registry file on disk: one file per user, re-read on every call so processes see
// each other's changes, replaced atomically (write a new file, then rename) under an
// exclusive lock. A damaged file is never overwritten: every call then fails. Only a
// regular file of bounded size is read, so a FIFO or device in its place is an error
// rather than a hang, and the lock and temporary files are never followed through a link.
#include "registry_store.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <set>
#include <utility>

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

Node::~Node() {
    std::vector<std::map<std::string, Node>> pending;
    pending.push_back(std::move(children));
    while (!pending.empty()) {
        std::map<std::string, Node> level = std::move(pending.back());
        pending.pop_back();
        for (auto& entry : level)
            if (!entry.second.children.empty())
                pending.push_back(std::move(entry.second.children));
    } // each level goes with its nodes' children already taken out
}

bool withinKeyLimits(const Path& path) {
    if (path.size() > kMaxKeyDepth)
        return false;
    for (const std::string& segment : path)
        if (segment.size() > kMaxKeyNameLength)
            return false;
    return true;
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

std::mutex gMutex;                    // one registry call at a time within the process
std::mutex gReportedMutex;            // the system layers report without holding gMutex
std::set<std::string> gFaultReported; // faults already reported, so each is reported once
thread_local std::string tFault;      // why this thread's last call failed, if it did

struct Transaction {
    Tree tree;
    bool changed = false;
};
thread_local Transaction* tTransaction = nullptr; // the transaction this thread runs

// Records why the registry cannot be used, and tells the user once per file and reason.
void fault(const std::string& why) {
    tFault = why;
    const std::lock_guard<std::mutex> guard(gReportedMutex);
    if (gFaultReported.insert(why).second)
        std::fprintf(stderr, "quillan: %s.\n", why.c_str());
}

std::string folder() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg != nullptr && xdg[0] == '/') // a relative XDG path is to be ignored
        return std::string(xdg) + "/quillan";
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] != '/')
        return {};
    return std::string(home) + "/.local/share/quillan";
}

bool folderKnown(const std::string& dir) {
    if (!dir.empty())
        return true;
    fault("the registry has no folder: neither XDG_DATA_HOME nor HOME is an absolute path");
    return false;
}

bool makeFolders(const std::string& path) {
    for (std::size_t pos = 1; pos <= path.size(); ++pos) {
        if (pos != path.size() && path[pos] != '/')
            continue;
        const std::string part = path.substr(0, pos);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            fault("the registry folder " + part + " cannot be created (" + std::strerror(errno) +
                  ")");
            return false;
        }
    }
    return true;
}

// Holds flock on the lock file beside the registry for the length of one call. The lock
// file must be a regular file of its own: a link planted there is refused, not followed.
class FileLock {
  public:
    // A writer's lock: the lock file is made when missing, and a call that cannot hold the
    // lock fails.
    static FileLock exclusive(const std::string& dir) {
        FileLock lock;
        lock.take(dir + "/registry.lock", O_RDWR | O_CREAT, LOCK_EX);
        return lock;
    }
    // A reader's lock, taken only when the lock file can be opened read-only: writers
    // replace the file by renaming, so a reader sees one whole version either way, and a
    // read-only folder or lock file must not block lookups.
    static FileLock sharedIfReadable(const std::string& dir) {
        FileLock lock;
        const std::string path = dir + "/registry.lock";
        const int fd = ::open(path.c_str(), O_RDONLY | kOpenFlags);
        struct stat st {};
        if (fd >= 0 && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode))
            lock.fd_ = fd;
        else if (fd >= 0)
            ::close(fd);
        if (lock.held() && !lock.lock(LOCK_SH))
            lock.release();
        return lock;
    }
    FileLock(FileLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    ~FileLock() { release(); } // closing releases the lock
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool held() const { return fd_ >= 0; }

  private:
    static constexpr int kOpenFlags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
    FileLock() = default;

    void take(const std::string& path, int openFlags, int operation) {
        fd_ = ::open(path.c_str(), openFlags | kOpenFlags, 0600);
        if (fd_ < 0) {
            fault("the registry lock file " + path + " cannot be opened (" +
                  (errno == ELOOP ? std::string("it is a symbolic link") : std::strerror(errno)) +
                  ")");
            return;
        }
        struct stat st {};
        if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
            fault("the registry lock file " + path + " is not a regular file");
            release();
            return;
        }
        if (!lock(operation)) {
            fault("the registry lock file " + path + " cannot be locked (" + std::strerror(errno) +
                  ")");
            release();
        }
    }
    bool lock(int operation) const {
        while (::flock(fd_, operation) != 0)
            if (errno != EINTR)
                return false;
        return true;
    }
    void release() {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }
    int fd_ = -1;
};

// Reads the whole registry file into `text`; false (with the fault recorded) when it is
// not a regular file, is too large or cannot be read. A missing file reads as absent.
LSTATUS readFile(const std::string& path, std::string& text, bool& present) {
    present = false;
    // A link is not followed: whoever may plant one would choose what is read and, through
    // the mode a write keeps, what another file's permissions become.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return ERROR_SUCCESS; // none yet: empty
        if (errno == ELOOP) {
            fault("the registry file " + path + " is not a regular file (a symbolic link)");
            return ERROR_BADDB;
        }
        fault("the registry file " + path + " cannot be opened (" + std::strerror(errno) + ")");
        return ERROR_ACCESS_DENIED;
    }
    struct stat st {};
    LSTATUS status = ERROR_SUCCESS;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        fault("the registry file " + path + " is not a regular file");
        status = ERROR_BADDB;
    } else if (static_cast<std::uint64_t>(st.st_size) > kMaxFileSize) {
        fault("the registry file " + path + " is larger than " + std::to_string(kMaxFileSize) +
              " bytes");
        status = ERROR_BADDB;
    }
    char buf[65536];
    while (status == ERROR_SUCCESS) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fault("the registry file " + path + " cannot be read (" + std::strerror(errno) + ")");
            status = ERROR_ACCESS_DENIED;
        } else if (text.size() + static_cast<std::size_t>(n) > kMaxFileSize) {
            fault("the registry file " + path + " is larger than " + std::to_string(kMaxFileSize) +
                  " bytes");
            status = ERROR_BADDB;
        } else {
            text.append(buf, static_cast<std::size_t>(n));
        }
    }
    ::close(fd);
    present = status == ERROR_SUCCESS;
    return status;
}

LSTATUS load(const std::string& dir, Tree& tree) {
    bool present = false;
    return loadFile(dir + "/registry", tree, present);
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

// The permissions a new version gets: the old file's, or for a first file, private unless
// the folder lets others read it, as a system registry's folder does. They are set before
// the rename, so no reader ever meets the file with other permissions.
mode_t newFileMode(const std::string& dir, const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0)
        return st.st_mode & 07777;
    constexpr mode_t kOwnerOnly = 0600;
    constexpr mode_t kReadBitsOfOthers = 0044;
    return ::stat(dir.c_str(), &st) == 0 ? kOwnerOnly | (st.st_mode & kReadBitsOfOthers)
                                         : kOwnerOnly;
}

// Writes a new file under a fresh, exclusively created name in the registry's folder and
// renames it over the old one.
LSTATUS save(const std::string& dir, const Tree& tree) {
    const std::string path = dir + "/registry";
    // A file past the cap could not be read back, and every later call would fail.
    const std::string text = serialize(tree);
    if (text.size() > kMaxFileSize) {
        fault("the registry file " + path + " would grow past " + std::to_string(kMaxFileSize) +
              " bytes; the change is refused and the file left as it was");
        return ERROR_CANTWRITE;
    }
    std::string temp = path + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        fault("the registry folder " + dir + " cannot take a new file (" + std::strerror(errno) +
              ")");
        return ERROR_CANTWRITE;
    }
    const bool modeSet = ::fchmod(fd, newFileMode(dir, path)) == 0;
    const bool written = modeSet && writeAll(fd, text) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temp.c_str(), path.c_str()) != 0) {
        fault("the registry file " + path + " cannot be written (" + std::strerror(errno) + ")");
        ::unlink(temp.c_str());
        return ERROR_CANTWRITE;
    }
    return ERROR_SUCCESS;
}

} // namespace

LSTATUS loadFile(const std::string& path, Tree& tree, bool& present) {
    std::string text;
    const LSTATUS status = readFile(path, text, present);
    if (status != ERROR_SUCCESS || !present)
        return status;
    std::string why;
    if (!parse(text, tree, why)) {
        present = false;
        fault("the registry file " + path + " is damaged (" + why +
              "); it is left as it is, and registry calls fail until it is repaired or removed");
        return ERROR_BADDB;
    }
    return ERROR_SUCCESS;
}

std::string filePath() {
    const std::string dir = folder();
    return dir.empty() ? std::string() : dir + "/registry";
}

const std::string& lastFault() {
    return tFault;
}

LSTATUS read(const std::function<LSTATUS(Tree&)>& query) {
    if (tTransaction != nullptr)
        return query(tTransaction->tree);
    std::lock_guard<std::mutex> guard(gMutex);
    tFault.clear();
    const std::string dir = folder();
    if (!folderKnown(dir))
        return ERROR_PATH_NOT_FOUND;
    struct stat st {};
    Tree tree;
    if (::stat(dir.c_str(), &st) == 0) { // no folder: nothing stored yet
        const FileLock lock = FileLock::sharedIfReadable(dir);
        const LSTATUS status = load(dir, tree);
        if (status != ERROR_SUCCESS)
            return status;
    }
    return query(tree);
}

LSTATUS modify(const std::function<LSTATUS(Tree&, bool&)>& change) {
    if (tTransaction != nullptr) {
        bool changed = false;
        const LSTATUS status = change(tTransaction->tree, changed);
        tTransaction->changed = tTransaction->changed || changed;
        return status;
    }
    return transact([&] { return modify(change); }); // one change, its own transaction
}

LSTATUS transact(const std::function<LSTATUS()>& body) {
    if (tTransaction != nullptr)
        return body();
    std::lock_guard<std::mutex> guard(gMutex);
    tFault.clear();
    const std::string dir = folder();
    if (!folderKnown(dir))
        return ERROR_PATH_NOT_FOUND;
    if (!makeFolders(dir))
        return ERROR_CANTWRITE;
    const FileLock lock = FileLock::exclusive(dir);
    if (!lock.held())
        return ERROR_CANTWRITE;
    Transaction transaction;
    LSTATUS status = load(dir, transaction.tree);
    if (status != ERROR_SUCCESS)
        return status;
    tTransaction = &transaction;
    try {
        status = body();
    } catch (...) {
        tTransaction = nullptr;
        throw;
    }
    tTransaction = nullptr;
    if (status != ERROR_SUCCESS || !transaction.changed)
        return status;
    return save(dir, transaction.tree);
}

} // namespace qor::registry
