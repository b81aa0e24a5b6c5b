#!/usr/bin/env bash
# Sets everything up and runs every test: the formatting check, the normal build, the
# AddressSanitizer + UndefinedBehaviorSanitizer build (which also builds the fuzz targets),
# the fuzz targets and the ThreadSanitizer build (see CMakePresets.json).
# Each tree is configured from its preset every time, so whatever configured it before
# (scripts/run-calculator.sh, an older checkout) cannot switch tests off.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh

bash scripts/check-format.sh

jobs=$(nproc)
for preset in default sanitize; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset" --no-tests=error -j "$jobs"
done
cmake --build --preset default --target package
bash scripts/fuzz.sh
bash scripts/tsan.sh
