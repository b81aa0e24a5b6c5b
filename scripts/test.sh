#!/usr/bin/env bash
# Sets everything up and runs every test: the normal build, then the
# AddressSanitizer + UndefinedBehaviorSanitizer build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

bash "$root/scripts/build.sh" build
ctest --test-dir "$root/build" --output-on-failure -j "$jobs"

bash "$root/scripts/build.sh" build-sanitize -DQUILLAN_SANITIZE=ON -DQUILLAN_BUILD_BENCH=OFF \
  "-DCMAKE_CXX_FLAGS_RELEASE=-O1 -g1"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$root/build-sanitize" --output-on-failure -j "$jobs"
bash "$root/scripts/fuzz.sh"
bash "$root/scripts/tsan.sh"
