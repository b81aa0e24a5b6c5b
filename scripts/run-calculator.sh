#!/usr/bin/env bash
# Sets everything up, builds, registers the component library and starts the calculator.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" build -DQUILLAN_BUILD_TESTS=OFF -DQUILLAN_BUILD_BENCH=OFF
bin="$root/build/bin"

if [ ! -x "$bin/Quillan1" ]; then
  echo "The calculator window is not built yet; the engine and its tests are in place."
  exit 0
fi

"$bin/qorregsvr" "$bin/QorCommon1.so"

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found. To run the calculator on a virtual display:"
  echo "  xvfb-run -s '-screen 0 1280x1024x24' $bin/Quillan1"
  exit 0
fi
exec "$bin/Quillan1"
