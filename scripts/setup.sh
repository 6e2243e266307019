#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs (skips what is already there).
set -euo pipefail
packages=(cmake g++ make qt6-base-dev libqt6svg6-dev libxlsxwriter-dev fonts-liberation
          libgtest-dev libbenchmark-dev xvfb unzip poppler-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
