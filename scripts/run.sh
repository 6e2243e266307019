#!/usr/bin/env bash
# Set-up, build of the program and what it needs (engine, help, manuals, examples;
# no tests), and start the program (under Xvfb when there is no display).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" veldo_program
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a "$root/build/bin/WINVELDO2015" "$@"
fi
exec "$root/build/bin/WINVELDO2015" "$@"
