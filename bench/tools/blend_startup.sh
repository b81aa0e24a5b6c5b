#!/usr/bin/env bash
# quillan-blend from start to exit for one blend, against /bin/true in the same run:
#   bench/tools/blend_startup.sh [BUILD_DIR]      (default: build)
# Target: under 5 ms above /bin/true.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-build}
case "$build" in /*) ;; *) build="$root/$build" ;; esac

exec hyperfine --shell=none --warmup 20 --min-runs 300 --style basic \
  --command-name "/bin/true" "/bin/true" \
  --command-name "quillan-blend" \
  "$build/bin/quillan-blend --have 500/21/35 --want 3000/21/35"
