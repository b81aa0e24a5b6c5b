// Runs a piece of a test in a forked child, so that a crash, a hang or a change to the
// process's environment stays there.
#pragma once

#include <functional>

namespace qor::test {

// The child's exit code (what `body` returned), 128 + the signal that ended it, or
// 128 + SIGALRM when it was still running after `timeoutSeconds`.
int runInChild(const std::function<int()>& body, unsigned timeoutSeconds = 10);

} // namespace qor::test
