#!/usr/bin/env bash
# Pictures of every window for the README: builds the tour program, starts it under Xvfb on
# a 1366x768 screen with the example data, and saves one PNG per window in docs/screenshots/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${PLUMETRA_BUILD_DIR:-$root/build}"
out="$root/docs/screenshots"

[ -f "$build/build.ninja" ] || PLUMETRA_BUILD_DIR="$build" bash "$root/scripts/configure.sh" >&2
cmake --build "$build" --target plumetra-tour >&2
mkdir -p "$out"
# A real X server (no window manager): the windows are drawn as a user's screen draws them.
QT_QPA_PLATFORM=xcb xvfb-run --auto-servernum --server-args="-screen 0 1366x768x24" \
  "$build/desktop/plumetra-tour" "$out" "$root/examples" "$root/data"
ls "$out"/*.png
