#!/usr/bin/env bash
# Runs every command of plumetra-cli on the examples and on the flock fixtures and keeps what
# each one printed and wrote, so two builds can be compared file by file:
#   bash scripts/record-outputs.sh CLI FOLDER   (then: diff -r FOLDER_A FOLDER_B)
# Lines that carry today's date are left as they are; compare builds made on the same day.
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cli="$(realpath "$1")"
out="$(realpath -m "$2")"
rm -rf "$out" && mkdir -p "$out"
examples="$root/examples"
fixtures="$root/tests/data/flocks"
matched=(--diets "$examples/diets.dts" --no-lst --auto-match)
base=("${matched[@]}" --sex mixed)

# run NAME ARGS...: stdout, stderr and the exit code of one command, its files in NAME/.
run() {
  local name="$1"; shift
  mkdir -p "$out/$name"
  (cd "$out/$name" && "$cli" "$@" >stdout.txt 2>stderr.txt; echo $? >exit.txt)
}

for format in csv xlsx xls; do
  run "import_$format" import --flocks "$examples/flocks.$format" "${matched[@]}" --out .
done
run grow grow --diets "$examples/diets.dts" --out .
run analyze analyze --flocks "$examples/flocks.csv" "${base[@]}" --out .
run analyze_sort_farm analyze --flocks "$examples/flocks.csv" "${base[@]}" --sort Farm --out .
run analyze_outliers analyze --flocks "$examples/flocks.csv" "${base[@]}" --remove-outliers 1 --out .
run calibrate calibrate --flocks "$examples/flocks.csv" "${base[@]}" --name example --out .
set_top="$out/calibrate/exampleTop.clb"
for sort in "" Farm; do
  sorted=(); [ -n "$sort" ] && sorted=(--sort "$sort")
  suffix="${sort:+_sort_$sort}"
  run "lower_cost$suffix" lower-cost --flocks "$examples/flocks.csv" "${base[@]}" --calibration "$set_top" "${sorted[@]}" --out .
  run "revalue$suffix" revalue --flocks "$examples/flocks.csv" "${base[@]}" --calibration "$set_top" "${sorted[@]}" --out .
  run "fit$suffix" fit --flocks "$examples/flocks.csv" "${base[@]}" --calibration "$set_top" "${sorted[@]}" --out .
  run "report$suffix" report --flocks "$examples/flocks.csv" "${base[@]}" --calibration "$set_top" "${sorted[@]}" --out .
done
run predict predict --flocks "$examples/flocks.csv" "${base[@]}" --out .
run curves curves --location "$out/calibrate/example" --out .
run grow_location grow --diets "$examples/diets.dts" --location "$out/calibrate/exampleMiddle" --out .
for fixture in "$fixtures"/*.csv "$fixtures"/*.txt; do
  name="$(basename "$fixture")"
  run "fixture_${name%.*}" analyze --flocks "$fixture" "${base[@]}" --out .
done
# Absolute paths of this run's folders read the same in every recording.
grep -rlF "$out" "$out" | xargs -r sed -i "s|$out|OUT|g"
