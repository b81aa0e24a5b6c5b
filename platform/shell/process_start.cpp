#include "qor_shell/process_start.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

extern char** environ;

namespace qor::shell {
namespace {

// Children we did not wait for; reaped on later calls so none lingers as a zombie.
std::mutex gPendingMutex;
std::vector<pid_t> gPending;

void reapFinished() {
    std::lock_guard lock(gPendingMutex);
    std::erase_if(gPending, [](pid_t pid) { return waitpid(pid, nullptr, WNOHANG) != 0; });
}

void remember(pid_t pid) {
    std::lock_guard lock(gPendingMutex);
    gPending.push_back(pid);
}

// The started program runs in its own session with ordinary signal handling, so the
// caller's terminal and blocked signals do not reach it.
class SpawnAttributes {
  public:
    SpawnAttributes() {
        posix_spawnattr_init(&attr_);
        sigset_t none;
        sigemptyset(&none);
        posix_spawnattr_setsigmask(&attr_, &none);
        sigset_t defaults;
        sigemptyset(&defaults);
        for (int sig : {SIGPIPE, SIGINT, SIGQUIT, SIGTERM, SIGCHLD, SIGHUP})
            sigaddset(&defaults, sig);
        posix_spawnattr_setsigdefault(&attr_, &defaults);
        posix_spawnattr_setflags(&attr_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF |
                                             POSIX_SPAWN_SETSID);
    }
    ~SpawnAttributes() { posix_spawnattr_destroy(&attr_); }
    SpawnAttributes(const SpawnAttributes&) = delete;
    SpawnAttributes& operator=(const SpawnAttributes&) = delete;
    const posix_spawnattr_t* get() const { return &attr_; }

  private:
    posix_spawnattr_t attr_;
};

// A URL begins with a proper scheme: a letter, then letters, digits, "+", "-" or ".",
// then "://" ("mailto:" alone). Anything else is a file name.
bool looksLikeUrl(const std::string& document) {
    const auto isLetter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    std::size_t end = 0;
    while (end < document.size() &&
           (isLetter(document[end]) ||
            (end > 0 && ((document[end] >= '0' && document[end] <= '9') || document[end] == '+' ||
                         document[end] == '-' || document[end] == '.'))))
        ++end;
    if (end < 2 || end >= document.size() || document[end] != ':')
        return false;
    return document.compare(end, 3, "://") == 0 || document.compare(0, end + 1, "mailto:") == 0;
}

// xdg-open takes a leading "-" for an option and accepts no "--": a relative name that
// begins with one is handed on as "./name", which is the same file.
std::string asOperand(const std::string& document) {
    return !document.empty() && document.front() == '-' ? "./" + document : document;
}

// The document's own state decides before any opener runs: a missing or unreadable
// file gets its answer at once.
int checkDocument(const std::string& document) {
    struct stat info {};
    if (document.empty())
        return kShellFileNotFound;
    if (stat(document.c_str(), &info) != 0)
        return errno == EACCES ? kShellAccessDenied : kShellFileNotFound;
    if (access(document.c_str(), R_OK) != 0)
        return kShellAccessDenied;
    return kShellStarted;
}

// xdg-open's documented exit codes.
int mapOpenerExit(int status) {
    if (!WIFEXITED(status))
        return kShellUnknownFailure;
    switch (WEXITSTATUS(status)) {
    case 0:
        return kShellStarted;
    case 2:
        return kShellFileNotFound;
    case 3:
        return kShellNoAssociation;
    case 5:
        return kShellAccessDenied;
    default:
        return kShellUnknownFailure;
    }
}

constexpr auto kVerdictWait = std::chrono::milliseconds(1000);
constexpr auto kPollStep = std::chrono::milliseconds(5);

} // namespace

int openDocument(const std::string& document) {
    reapFinished();
    if (!looksLikeUrl(document)) {
        const int state = checkDocument(document);
        if (state != kShellStarted)
            return state;
    }

    std::string opener = "xdg-open";
    std::string argument = looksLikeUrl(document) ? document : asOperand(document);
    char* argv[] = {opener.data(), argument.data(), nullptr};
    SpawnAttributes attributes;
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, opener.c_str(), nullptr, attributes.get(), argv, environ);
    if (rc == ENOENT || rc == EACCES || rc == ENOEXEC)
        return kShellNoAssociation;
    if (rc != 0)
        throw std::system_error(rc, std::generic_category(), "starting xdg-open");

    const auto deadline = std::chrono::steady_clock::now() + kVerdictWait;
    for (;;) {
        int status = 0;
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid)
            return mapOpenerExit(status);
        if (done < 0)
            return kShellStarted; // someone else reaped it: it did run
        if (std::chrono::steady_clock::now() >= deadline)
            break;
        std::this_thread::sleep_for(kPollStep);
    }
    remember(pid);
    return kShellStarted;
}

bool startProgram(const std::string& program) {
    reapFinished();
    if (program.empty())
        return false;
    std::string path = program;
    char* argv[] = {path.data(), nullptr};
    SpawnAttributes attributes;
    pid_t pid = 0;
    if (posix_spawn(&pid, path.c_str(), nullptr, attributes.get(), argv, environ) != 0)
        return false;
    remember(pid);
    return true;
}

} // namespace qor::shell
