#!/usr/bin/env bash
# Pictures of every window for the README and the user guide: builds the tour program, starts it
# under Xvfb with the example data, and saves one PNG per window in docs/screenshots/, on a
# 1366x768 screen. `screenshots.sh 150` takes them on a screen of 1920x1080 at 150 % instead
# (1280x720 device-independent pixels), into build/screenshots-150/, to check that every window fits.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${PLUMETRA_BUILD_DIR:-$root/build}"
if [ "${1:-}" = 150 ]; then
  out="$build/screenshots-150" screen=1920x1080 scale=1.5
else
  out="$root/docs/screenshots" screen=1366x768 scale=1
fi

[ -f "$build/build.ninja" ] || PLUMETRA_BUILD_DIR="$build" bash "$root/scripts/configure.sh" >&2
cmake --build "$build" --target plumetra-tour >&2
mkdir -p "$out"
# A real X server (no window manager): the windows are drawn as a user's screen draws them.
QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$scale" xvfb-run --auto-servernum --server-args="-screen 0 ${screen}x24" \
  "$build/desktop/plumetra-tour" "$out" "$root/examples" "$root/data"
ls "$out"/*.png
