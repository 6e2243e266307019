#!/usr/bin/env bash
# Builds with AddressSanitizer and UndefinedBehaviorSanitizer into build-sanitize/ and
# runs test suites there: engine_tests and dataentry_tests, or with --all every suite
# (what CI runs). Leaks are detected; the first error stops the suite and fails.
# Usage: scripts/sanitize.sh [--all]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
suites=(engine_tests dataentry_tests)
if [ "${1:-}" = "--all" ]; then
  suites+=(table_tests plot_tests app_tests)
elif [ $# -gt 0 ]; then
  echo "usage: $0 [--all]" >&2
  exit 2
fi
build="$root/build-sanitize"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELDO_SANITIZE=ON \
      -DVELDO_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${suites[@]}"

export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
# Each suite runs in shards side by side, as CTest would run its tests.
shards=$(nproc)
status=0
for suite in "${suites[@]}"; do
  echo "== $suite (sanitized, $shards shards)"
  pids=()
  for ((i = 0; i < shards; i++)); do
    GTEST_TOTAL_SHARDS=$shards GTEST_SHARD_INDEX=$i "$build/bin/$suite" --gtest_brief=1 \
      >"$build/$suite.shard$i.log" 2>&1 &
    pids+=($!)
  done
  for ((i = 0; i < shards; i++)); do
    if ! wait "${pids[$i]}"; then
      status=1
      cat "$build/$suite.shard$i.log"
    fi
  done
done
if ((status)); then
  echo "sanitized tests FAILED" >&2
  exit 1
fi
echo "sanitized tests passed: ${suites[*]}"
