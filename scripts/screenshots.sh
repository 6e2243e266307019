#!/usr/bin/env bash
# Re-takes the window pictures of the help and the User's Manual (offscreen) from the
# English example project, into docs/help/VELDO_2015/images/. Commit the PNGs it writes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" -j"$(nproc)" --target veldo_screenshots VELDO2015_DLL
QT_QPA_PLATFORM=offscreen "$build/tools/veldo_screenshots" \
  "$root/examples/PipeSandClay_English.vd7d" "$build/bin" "$root/docs/help/VELDO_2015/images"
