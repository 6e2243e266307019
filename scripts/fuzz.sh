#!/usr/bin/env bash
# Builds the fuzz harnesses (clang, libFuzzer, ASan + UBSan) into build-fuzz/ and runs
# each on its seed corpus (fuzz/corpus/<harness>) for the given seconds. New inputs go
# to build-fuzz/corpus/<harness>, a failing input to build-fuzz/artifacts/<harness>/.
# Usage: scripts/fuzz.sh [seconds per harness, default 20] [harness ...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
shift || true
harnesses=("$@")
if ((${#harnesses[@]} == 0)); then
  harnesses=(engine_run_fuzz project_file_fuzz plot_data_fuzz cpt_text_fuzz evaluator_fuzz word_reader_fuzz)
fi
build="$root/build-fuzz"
cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DVELDO_BUILD_FUZZ=ON -DVELDO_BUILD_TESTS=OFF -DVELDO_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${harnesses[@]}"

export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:abort_on_error=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
for h in "${harnesses[@]}"; do
  echo "== $h: ${seconds} s"
  mkdir -p "$build/corpus/$h" "$build/artifacts/$h"
  "$build/bin/$h" "$build/corpus/$h" "$root/fuzz/corpus/$h" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=4096 -print_final_stats=1 -artifact_prefix="$build/artifacts/$h/" 2>"$build/$h.log" \
    || { tail -n 60 "$build/$h.log"; echo "$h FAILED: the input is in $build/artifacts/$h/" >&2; exit 1; }
  grep -E "^stat::(number_of_executed_units|average_exec_per_sec)|cov: .* ft:" "$build/$h.log" | tail -n 3
done
