#!/bin/bash
# Compares this tree's engine library with the one of a base commit on generated
# projects and the example projects:
#   bash tools/compare-engine.sh <base commit> [tool options, e.g. --count 1000 --seed 7]
set -euo pipefail
base=${1:?usage: compare-engine.sh <base commit> [veldo_engine_compare options]}
shift
root=$(git rev-parse --show-toplevel)
worktree=$(mktemp -d /tmp/veldo-base-XXXXXX)
trap 'git -C "$root" worktree remove --force "$worktree"' EXIT
git -C "$root" worktree add --quiet --detach "$worktree" "$base"
cmake -S "$worktree" -B "$worktree/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELDO_BUILD_TESTS=OFF \
  -DVELDO_BUILD_BENCH=OFF >/dev/null
cmake --build "$worktree/build" -j8 --target VELDO2015_DLL >/dev/null
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" -j8 --target VELDO2015_DLL veldo_engine_compare >/dev/null
"$root/build/tools/veldo_engine_compare" "$worktree/build/bin/VELDO2015_DLL.so" "$root/build/bin/VELDO2015_DLL.so" \
  --projects "$root/examples" "$@"
