#!/usr/bin/env bash
# Sets everything up, builds what the calculator needs, registers the component library
# and starts the calculator. Shares the build tree with scripts/test.sh: both configure
# it from the same preset, so neither undoes the other.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset calculator
bin="$root/build/bin"

"$bin/qorregsvr" "$bin/QorCommon1.so"

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found. To run the calculator on a virtual display:"
  echo "  xvfb-run -s '-screen 0 1280x1024x24' $bin/Quillan1"
  exit 0
fi
exec "$bin/Quillan1"
