#!/usr/bin/env bash
# Installs the program into a temporary prefix with a space in its path and checks
# the result: the layout (program folder, command link, launcher, MIME types, icon),
# no run path into the build folder, the launcher and MIME files as the desktop
# tools read them, the installed program opening an example from another folder and
# closing through its File menu (under Xvfb, driven with xdotool) without writing
# into its own folder, and the Debian package: its file list and Depends.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"

fail() {
  echo "install-check: $*" >&2
  exit 1
}

# Under Xvfb: starts the program on the project, waits for its window, chooses
# File > Exit from the keyboard and returns the program's exit status.
if [ "${1:-}" = --drive ]; then
  program=$2 project=$3 caption=$4 errors=$5
  "$program" "$project" 2>"$errors" &
  pid=$!
  if ! window=$(timeout 30 xdotool search --sync --name "^$caption\$" | head -n 1) || [ -z "$window" ]; then
    kill "$pid" 2>/dev/null || true
    echo "no window \"$caption\"" >>"$errors"
    exit 1
  fi
  xdotool windowfocus --sync "$window" key --delay 300 alt+f x
  status=0
  timeout 30 tail --pid="$pid" -f /dev/null || { kill "$pid"; echo "still running after File > Exit" >>"$errors"; }
  wait "$pid" || status=$?
  exit "$status"
fi

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target veldo_program >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/install prefix/usr"
cmake --install "$build" --prefix "$prefix" >/dev/null
program_dir="$prefix/lib/veldo2015"

# Every file and folder below the prefix (the help pages compared apart).
listing() { (cd "$1" && find . -mindepth 1 ! -path './lib/veldo2015/VELDO_2015/*' | sed 's|^\./||' | LC_ALL=C sort); }
expected=$(
  LC_ALL=C sort <<'EOF'
bin
bin/winveldo2015
lib
lib/veldo2015
lib/veldo2015/VELDO 2015 Technical Manual.pdf
lib/veldo2015/VELDO 2015 Users Manual.pdf
lib/veldo2015/VELDO2015_DLL.so
lib/veldo2015/VELDO_2015
lib/veldo2015/VELDO_2015.html
lib/veldo2015/WINVELDO2015
lib/veldo2015/examples
lib/veldo2015/examples/OffshoreCpt_SI.cpt
lib/veldo2015/examples/OffshoreCpt_SI.vd7d
lib/veldo2015/examples/PipeSandClay_English.cpt
lib/veldo2015/examples/PipeSandClay_English.vd7d
share
share/applications
share/applications/veldo2015.desktop
share/icons
share/icons/hicolor
share/icons/hicolor/scalable
share/icons/hicolor/scalable/apps
share/icons/hicolor/scalable/apps/veldo2015.svg
share/mime
share/mime/packages
share/mime/packages/veldo2015.xml
EOF
)
diff <(echo "$expected") <(listing "$prefix") || fail "the installed files differ from the expected layout (< expected, > installed)"
diff -r "$root/docs/help/VELDO_2015" "$program_dir/VELDO_2015" || fail "the installed help pages differ from docs/help"
[ "$(readlink "$prefix/bin/winveldo2015")" = ../lib/veldo2015/WINVELDO2015 ] || fail "bin/winveldo2015 is not a link to the program"
[ -x "$program_dir/WINVELDO2015" ] || fail "the installed program is not executable"

# Qt and the other libraries come from the system: no run path at all.
for binary in "$program_dir/WINVELDO2015" "$program_dir/VELDO2015_DLL.so"; do
  if readelf -d "$binary" | grep -E 'R(UN)?PATH'; then fail "$binary has a run path"; fi
  if ldd "$binary" | grep -F -e "not found" -e "$root"; then fail "$binary needs a library it cannot find or one of the build"; fi
done

desktop-file-validate "$prefix/share/applications/veldo2015.desktop" || fail "desktop-file-validate refuses the launcher"
mkdir -p "$work/mime/packages"
cp "$prefix/share/mime/packages/veldo2015.xml" "$work/mime/packages/"
update-mime-database "$work/mime" >/dev/null 2>&1
for glob in 'application/x-veldo2015-project:*.vd7d' 'application/x-veldo2014-project:*.vd6d' \
  'application/x-veldo-plus5-project:*.vdd'; do
  grep -qxF "50:$glob" "$work/mime/globs2" || fail "the MIME database has no $glob"
done

# The installed program from another current folder, on a copy of an example; the
# settings in a private home.
snapshot() { (cd "$1" && find . -printf '%p %y %m %s %T@\n' | LC_ALL=C sort && find . -type f -print0 | LC_ALL=C sort -z | xargs -0 sha256sum); }
before=$(snapshot "$prefix")
mkdir -p "$work/projects" "$work/elsewhere" "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
cp "$program_dir/examples/PipeSandClay_English."* "$work/projects/"
project="$work/projects/PipeSandClay_English.vd7d"
status=0
(cd "$work/elsewhere" &&
  HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/runtime" \
    timeout 120 xvfb-run -a bash "$root/scripts/install-check.sh" --drive "$prefix/bin/winveldo2015" "$project" \
    "VELDO 2015.7.7 - Offshore - PipeSandClay_English" "$work/errors") || status=$?
[ "$status" -eq 0 ] || fail "the installed program ended with status $status: $(cat "$work/errors")"
[ ! -s "$work/errors" ] || fail "the installed program wrote to stderr: $(cat "$work/errors")"
grep -qxF "File1=$project" "$work/home/.config/Brislo/VELDO.ini" || fail "the project is not first in the recent list"
[ -z "$(ls -A "$work/elsewhere")" ] || fail "the program wrote into the current folder"
[ "$before" = "$(snapshot "$prefix")" ] || fail "the program changed files below its prefix"

# The Debian package of the same install rules.
(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null)
deb=$(echo "$work"/package/veldo2015_*_amd64.deb)
[ -f "$deb" ] || fail "cpack wrote no package"
packaged=$(dpkg-deb -c "$deb" | sed -E 's/^([^ ]+ +){5}//; s/ -> .*//; s|^\./usr/?||; s|/$||' |
  grep -v -e '^$' -e '^lib/veldo2015/VELDO_2015/' | LC_ALL=C sort)
diff <(echo "$expected") <(echo "$packaged") || fail "the package's files differ from the expected layout"
depends=$(dpkg-deb -f "$deb" Depends)
[ "$depends" = "libqt6widgets6, libqt6printsupport6, qt6-qpa-plugins, libxlsxwriter4, fonts-liberation" ] ||
  fail "the package depends on: $depends"
echo "install-check: layout, launcher, MIME types, installed run and package are right"
