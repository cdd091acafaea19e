#!/bin/bash
# Calibrates the example, then grows every group the command reports as stored at its stored
# location to the group's weight: the run must land within 0.35 days of the group's age and
# 0.01 of its feed conversion (the group summary file holds weight, conversion and age).
# Usage: calibration_round_trip.sh CLI EXAMPLES OUT
set -euo pipefail
cli=$1 examples=$2 out=$3
rm -rf "$out" && mkdir -p "$out"
"$cli" calibrate --flocks "$examples/flocks.csv" --diets "$examples/diets.dts" --no-lst --auto-match \
  --sex mixed --name Farm --out "$out" > "$out/summary.txt" 2> "$out/messages.txt"
stored=$(grep -oE '^(Top|Middle|Bottom): stored' "$out/summary.txt" | cut -d: -f1)
[ -n "$stored" ] || { echo "no group stored"; exit 1; }
for group in $stored; do
  cal="$out/Farm$group.cal"
  weight=$(sed -n 2p "$cal" | tr -d '\r ')
  conversion=$(sed -n 3p "$cal" | tr -d '\r ')
  age=$(sed -n 4p "$cal" | tr -d '\r ')
  run=$("$cli" grow --diets "$out/Farm$group.dts" --location "$out/Farm$group" --stop weight --target "$weight" 2>/dev/null)
  grown_age=$(echo "$run" | sed -n 's/^Final age: //p')
  grown_conversion=$(echo "$run" | sed -n 's/^Feed conversion: //p')
  awk -v g="$group" -v a="$grown_age" -v A="$age" -v f="$grown_conversion" -v F="$conversion" 'BEGIN {
    da = a - A; df = f - F; if (da < 0) da = -da; if (df < 0) df = -df
    printf "%s: age %s against %s, feed conversion %s against %s\n", g, a, A, f, F
    exit !(da <= 0.35 && df <= 0.01) }'
done
