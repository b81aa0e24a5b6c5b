#!/usr/bin/env bash
# preset_restores_tests.sh SOURCE_DIR SCRATCH_DIR: configures SCRATCH_DIR with the tests
# switched off, then as scripts/test.sh does, and expects CTest to find tests only then.
set -euo pipefail
source_dir=$1
scratch=$2
rm -rf "$scratch"
trap 'rm -rf "$scratch"' EXIT
cd "$source_dir"

configure() { cmake --preset default -B "$scratch" "$@" >/dev/null; }
test_count() { ctest --test-dir "$scratch" -N | sed -n 's/^Total Tests: //p'; }

configure -DQUILLAN_BUILD_TESTS=OFF -DQUILLAN_BUILD_BENCH=OFF
# Listing (-N) never fails for want of tests; running an empty tree does.
if ctest --test-dir "$scratch" --no-tests=error >/dev/null 2>&1; then
  echo "ctest --no-tests=error accepted a tree without tests" >&2
  exit 1
fi

configure
count=$(test_count)
if [ "${count:-0}" -eq 0 ]; then
  echo "the default preset left the tests switched off" >&2
  exit 1
fi
echo "$count tests after configuring with the default preset"
