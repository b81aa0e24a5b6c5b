#!/usr/bin/env bash
# A ThreadSanitizer build of the runtime and its threaded tests only (build-tsan), run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-tsan"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  "-DCMAKE_CXX_FLAGS_RELEASE=-O1 -g1 -fsanitize=thread" "-DCMAKE_SHARED_LINKER_FLAGS=-fsanitize=thread" \
  "-DCMAKE_MODULE_LINKER_FLAGS=-fsanitize=thread" "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread" \
  -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DQUILLAN_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target platform_thread_tests -- -j "$(nproc)"
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" "$build/bin/platform_thread_tests"
