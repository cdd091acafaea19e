#!/usr/bin/env bash
# Builds everything and runs the whole test suite, then the guards (naming check, sanitizer run
# and a replay of every fuzz target's seeds, scripts/guards.sh; PLUMETRA_GUARDS=0 leaves them
# out). Works on a fresh Debian 12 machine.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${PLUMETRA_BUILD_DIR:-$root/build}"
PLUMETRA_BUILD_DIR="$build" bash "$root/scripts/configure.sh" "$@"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)"
[ "${PLUMETRA_GUARDS:-1}" = 0 ] || PLUMETRA_BUILD_DIR="$build" bash "$root/scripts/guards.sh"
