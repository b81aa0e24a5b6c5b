#!/usr/bin/env bash
# Takes the README's screenshots of a build on a virtual display:
#   xvfb-run -a -s '-screen 0 1280x1024x24' scripts/screenshots.sh [BUILD_DIR]
# docs/disclaimer.png is the real Quillan1 at start; docs/main-trimix.png is the main
# window after the start-up driver has accepted the disclaimer and typed the trimix example;
# docs/main-dark.png and docs/main-warnings.png are the window as the screenshot driver
# grabs it under a dark Fusion palette and with the danger marks showing.
# docs/main-metric.png the same in bar and metres.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
case "$build" in /*) ;; *) build="$root/$build" ;; esac
bin="$build/bin"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_DATA_HOME="$scratch" XDG_CONFIG_HOME="$scratch" HOME="$scratch"
"$bin/qorregsvr" "$bin/QorCommon1.so" >/dev/null

shoot() { # PROGRAM-AND-ARGUMENTS... ; writes the screen, trimmed to the window, to $out
    "$@" >/dev/null 2>&1 &
    local pid=$!
    sleep 3
    import -window root "$scratch/screen.png"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    convert "$scratch/screen.png" -trim +repage "$out"
}

out="$root/docs/disclaimer.png" shoot "$bin/Quillan1"
out="$root/docs/main-trimix.png" shoot "$bin/quillan_startup_driver" show-trimix
"$bin/quillan_screenshot_driver" dark "$root/docs/main-dark.png"
"$bin/quillan_screenshot_driver" warnings "$root/docs/main-warnings.png"
out="$root/docs/main-metric.png" shoot "$bin/quillan_startup_driver" show-trimix-metric
