#!/usr/bin/env bash
# A ThreadSanitizer build of the runtime and its threaded tests only (the tsan preset, in
# build-tsan), run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
cmake --preset tsan >/dev/null
cmake --build --preset tsan -j "$(nproc)"
ctest --preset tsan --no-tests=error
