#!/usr/bin/env bash
# Installs the Debian 12 packages that the build, the tests and the desktop program need.
# Non-interactive and idempotent: when every package is present it returns at once.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkgconf
  qt6-base-dev libqt6opengl6-dev qt6-charts-dev
  libxlsxwriter-dev libfreexl-dev libzip-dev libpugixml-dev mdbtools-dev libcsv-dev
  libcli11-dev libgtest-dev libbenchmark-dev
  clang-16 libclang-rt-16-dev
  xvfb xauth
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
echo "Installing: ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
