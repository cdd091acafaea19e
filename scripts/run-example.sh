#!/usr/bin/env bash
# Builds the programs alone (the command line, the .xls reader and the desktop program; no
# tests, no benchmarks) in build-example/ (or $PLUMETRA_BUILD_DIR), installing only the
# packages they need, and runs the main job on the bundled example data; results go to out/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${PLUMETRA_BUILD_DIR:-$root/build-example}"
PLUMETRA_BUILD_DIR="$build" PLUMETRA_DEPS=programs PLUMETRA_TARGETS="plumetra-cli plumetra-xls-reader plumetra" \
  bash "$root/scripts/configure.sh" -DCMAKE_BUILD_TYPE=Release -DPLUMETRA_TESTS=OFF -DPLUMETRA_BENCH=OFF
cd "$root"
cli="$build/cli/plumetra-cli"
inputs=(--flocks examples/flocks.csv --diets examples/diets.dts --auto-match --sex mixed)
"$cli" analyze "${inputs[@]}" --out out
# The groups calibrated (stored as out/exampleTop/Middle/Bottom), then the report to hand on.
"$cli" calibrate "${inputs[@]}" --name example --out out > /dev/null
"$cli" report "${inputs[@]}" --calibration out/exampleTop.clb --out out
