#!/usr/bin/env bash
# Builds the libFuzzer targets with clang under AddressSanitizer and UBSan in build-fuzz
# (the fuzz preset) and runs each for a bounded time (FUZZ_SECONDS, default 20) from a
# copy of its seed corpus, so the repository is left as it is. A crash fails the run; its input is kept in
# build-fuzz/crashes/<target>/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"
seconds=${FUZZ_SECONDS:-20}
targets=(fuzz_number_parse fuzz_variant_change_type fuzz_registry_reader fuzz_typelib_reader
  fuzz_invoke) # as the fuzz build preset lists them

# The targets and the build's own tools use the shared sanitizer runtime.
LD_LIBRARY_PATH="$(dirname "$(clang -print-file-name=libclang_rt.asan-x86_64.so)")${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"
export LD_LIBRARY_PATH
cd "$root"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:verify_asan_link_order=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
failed=0
for target in "${targets[@]}"; do
  corpus="$work/$target"
  crashes="$build/crashes/$target"
  mkdir -p "$corpus" "$crashes"
  cp "$root/tests/fuzz/corpus/$target/"* "$corpus/"
  if ! "$build/bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 \
      -print_final_stats=1 -artifact_prefix="$crashes/" "$corpus" 2>"$work/$target.log"; then
    echo "FUZZ FAILURE: $target; inputs kept in $crashes" >&2
    tail -n 40 "$work/$target.log" >&2
    failed=1
  fi
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$work/$target.log" | grep -o '[0-9]*$')
  echo "$target: ${runs:-?} executions in ${seconds}s"
done
exit "$failed"
