#include "qor_test/child_process.h"

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>

namespace qor::test {

int runInChild(const std::function<int()>& body, unsigned timeoutSeconds) {
    std::fflush(nullptr); // nothing buffered is written twice
    const pid_t pid = ::fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        ::alarm(timeoutSeconds); // a hang ends as SIGALRM
        int code = 1;
        try {
            code = body();
        } catch (...) {
            code = 2;
        }
        std::fflush(nullptr);
        ::_exit(code);
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
    }
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return WEXITSTATUS(status);
}

} // namespace qor::test
