#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs (skips what is already there).
set -euo pipefail
SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
packages=(cmake g++ make qt6-base-dev libqt6svg6-dev libxlsxwriter-dev fonts-liberation
          libgtest-dev libbenchmark-dev xvfb unzip poppler-utils)
# clang 14 with libFuzzer and the sanitizer run-times (scripts/fuzz.sh, scripts/sanitize.sh).
packages+=(clang libclang-rt-14-dev)
# clang-format 14 keeps the one code style (scripts/format.sh, checked by CI).
packages+=(clang-format-14)
# The install check (scripts/install-check.sh): launcher and MIME checks, the
# installed program driven under Xvfb.
packages+=(desktop-file-utils shared-mime-info xdotool)
missing=()
packages+=(locales libc-l10n) # the comma-decimal test runs and the system's German messages
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The comma-decimal locale of the test runs.
if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf-\?8'; then
  $SUDO sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -qx 'de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi
