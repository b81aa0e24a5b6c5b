#!/usr/bin/env bash
# Runs the libFuzzer targets (built with the tests in build-sanitize, the sanitize preset,
# under AddressSanitizer and UBSan), each from a copy of its seed corpus so the repository
# is left as it is. They run all at once for a bounded time (FUZZ_SECONDS, default 40) and
# share the cores: on two cores each has about 16 s of one. A crash fails the run; its
# input is kept in build-sanitize/crashes/<target>/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-sanitize"
seconds=${FUZZ_SECONDS:-40}
targets=(fuzz_number_parse fuzz_variant_change_type fuzz_registry_reader fuzz_typelib_reader
  fuzz_invoke)

cd "$root"
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j "$(nproc)" --target "${targets[@]}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:verify_asan_link_order=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# fuzz TARGET: one bounded run; its exit status is the fuzzer's.
fuzz() {
  local target=$1 corpus="$work/$1" crashes="$build/crashes/$1"
  mkdir -p "$corpus" "$crashes"
  cp "$root/tests/fuzz/corpus/$target/"* "$corpus/"
  "$build/bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 \
    -print_final_stats=1 -artifact_prefix="$crashes/" "$corpus" 2>"$work/$target.log"
}

declare -A pid_of
for target in "${targets[@]}"; do
  fuzz "$target" &
  pid_of[$target]=$!
done

failed=0
for target in "${targets[@]}"; do
  if ! wait "${pid_of[$target]}"; then
    echo "FUZZ FAILURE: $target; inputs kept in $build/crashes/$target" >&2
    tail -n 40 "$work/$target.log" >&2
    failed=1
  fi
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$work/$target.log" | grep -o '[0-9]*$')
  echo "$target: ${runs:-?} executions in ${seconds}s"
done
exit "$failed"
