#!/usr/bin/env bash
# Fails when a tracked C or C++ file differs from what clang-format makes of it
# (the repository's .clang-format); `clang-format -i FILE` fixes one.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z '*.c' '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
