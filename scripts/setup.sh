#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the calculator need,
# touching apt only for the ones that are missing. Safe to run again.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config ccache clang-format git
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev libgl-dev
  mingw-w64-tools
  nlohmann-json3-dev libcli11-dev libsqlite3-dev sqlite3
  clang libclang-rt-14-dev lld
  dpkg-dev file desktop-file-utils appstream
  xvfb xauth imagemagick xdg-utils fonts-dejavu-core python3 poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
