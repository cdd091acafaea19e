#!/usr/bin/env bash
# Builds the program and runs its main job on the bundled example data; results go to out/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${PLUMETRA_BUILD_DIR:-$root/build}"
PLUMETRA_BUILD_DIR="$build" bash "$root/scripts/configure.sh"
cd "$root"
"$build/cli/plumetra-cli" analyze --flocks examples/flocks.csv --diets examples/diets.dts \
  --auto-match --sex mixed --out out
# The groups calibrated (stored as out/exampleTop/Middle/Bottom), then the report to hand on.
"$build/cli/plumetra-cli" calibrate --flocks examples/flocks.csv --diets examples/diets.dts \
  --auto-match --sex mixed --name example --out out > /dev/null
"$build/cli/plumetra-cli" report --flocks examples/flocks.csv --diets examples/diets.dts \
  --auto-match --sex mixed --calibration out/exampleTop.clb --out out
