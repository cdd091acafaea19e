#!/usr/bin/env bash
# Installs the Debian 12 packages of one or more profiles:
#     bash scripts/install-deps.sh [programs|tests|guards|screenshots|mdb ...]   (default: tests)
#   programs     the build of plumetra-cli, the .xls reader and the desktop program
#   tests        programs, GoogleTest and Google Benchmark (scripts/test.sh)
#   guards       tests, clang 16 and its runtime (sanitizer build and fuzz targets), clang-tidy 16
#                (the naming check, scripts/check-names.sh)
#   screenshots  programs and Xvfb (scripts/screenshots.sh)
#   mdb          mdbtools, for a build with -DPLUMETRA_MDB=ON (the .mdb breed database reader)
# PLUMETRA_DEPS_PRINT=1 lists the packages of the profiles and installs nothing.
# Non-interactive and idempotent: when every package is present it returns at once.
set -euo pipefail

profile_packages() {
  case "$1" in
    programs)
      echo build-essential cmake ninja-build pkgconf \
        qt6-base-dev libqt6opengl6-dev qt6-charts-dev qt6-svg-dev \
        libxlsxwriter-dev libfreexl-dev libzip-dev libpugixml-dev libcsv-dev libcli11-dev libboost-math-dev ;;
    tests) echo "$(profile_packages programs)" libgtest-dev libbenchmark-dev ;;
    guards) echo "$(profile_packages tests)" clang-16 libclang-rt-16-dev clang-tidy-16 ;;
    screenshots) echo "$(profile_packages programs)" xvfb xauth ;;
    mdb) echo mdbtools-dev ;;
    *) echo "install-deps.sh: unknown profile '$1' (programs, tests, guards, screenshots or mdb)" >&2
       return 2 ;;
  esac
}

profiles=("$@")
[ ${#profiles[@]} -eq 0 ] && profiles=(tests)
packages=()
for profile in "${profiles[@]}"; do
  listed="$(profile_packages "$profile")" || exit 2
  packages+=($listed)
done
if [ "${PLUMETRA_DEPS_PRINT:-0}" = 1 ]; then
  printf '%s\n' "${packages[@]}" | sort -u
  exit 0
fi

missing=()
for p in $(printf '%s\n' "${packages[@]}" | sort -u); do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
echo "Installing: ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
