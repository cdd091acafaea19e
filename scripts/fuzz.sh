#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, address and undefined-behaviour sanitizers)
# and runs each on its seed corpus for SECONDS seconds:
#     bash scripts/fuzz.sh SECONDS [target ...]      (targets without the fuzz_ prefix; default all)
#     bash scripts/fuzz.sh replay [target ...]       (each seed run once, no random inputs)
# PLUMETRA_FUZZ_RUNS=N stops a target earlier, after N executions (a campaign: 1000000).
# A timed run grows its corpus in $PLUMETRA_FUZZ_DIR/corpus/<target> (default build-fuzz/); a
# replay runs the repository's seeds alone, from a fresh folder, so its verdict depends on the
# commit only. Findings land in $PLUMETRA_FUZZ_DIR/findings/<target>/. Prints the executions per
# target; exits 1 on a finding.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:?usage: fuzz.sh SECONDS|replay [target ...]}"
shift
run_limit="${PLUMETRA_FUZZ_RUNS:--1}"
corpora=corpus
if [ "$seconds" = replay ]; then
  seconds=0 run_limit=0 corpora=replay
fi
build="${PLUMETRA_FUZZ_DIR:-$root/build-fuzz}"

# Seeds of each target: files of the repository (globs relative to it).
declare -A seeds=(
  [free_format]="tests/data/diets/*.dts examples/diets.dts fuzz/seeds/settings_file/* fuzz/seeds/predict_file/*"
  [diet_file]="tests/data/diets/*.dts examples/diets.dts"
  [settings_file]="fuzz/seeds/settings_file/*"
  [breed_text]="data/BrdData.Txt"
  [predict_file]="fuzz/seeds/predict_file/*"
  [revaluation_file]="fuzz/seeds/revaluation_file/*"
  [location_growth]="fuzz/seeds/location_growth/*"
  [workbook]="tests/data/workbooks/*.xlsx examples/flocks.xlsx"
  [xls_readout]="fuzz/seeds/xls_readout/*"
  [flock_csv]="fuzz/seeds/flock_csv/* examples/diets.csv"
  [flock_paste]="fuzz/seeds/flock_paste/*"
  [list_file]="fuzz/seeds/list_file/*"
)
# The largest input each target is given: a megabyte where the reader takes whole files (wide
# rows, long lines, many rows), libFuzzer's own choice (from the seeds) elsewhere.
declare -A max_len=(
  [free_format]=1048576 [diet_file]=1048576 [settings_file]=1048576 [predict_file]=1048576
  [revaluation_file]=1048576 [list_file]=1048576 [flock_csv]=1048576 [flock_paste]=1048576
  [xls_readout]=1048576 [workbook]=1048576
)
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=($(printf '%s\n' "${!seeds[@]}" | sort))

bash "$root/scripts/install-deps.sh" guards
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLUMETRA_FUZZ=ON \
  -DPLUMETRA_GUI=OFF -DPLUMETRA_BENCH=OFF -DPLUMETRA_TESTS="${PLUMETRA_FUZZ_TESTS:-OFF}" >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target $(printf 'fuzz_%s ' "${targets[@]}") >&2

failed=()
printf '%-18s %12s %8s\n' target executions seconds
for target in "${targets[@]}"; do
  corpus="$build/$corpora/$target"
  [ "$corpora" = replay ] && rm -rf "$corpus"
  findings="$build/findings/$target"
  mkdir -p "$corpus" "$findings"
  for pattern in ${seeds[$target]}; do
    for seed in $root/$pattern; do [ -f "$seed" ] && cp -n "$seed" "$corpus/" || true; done
  done
  log="$build/findings/$target.log"
  status=0
  "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    ${max_len[$target]:+-max_len=${max_len[$target]}} \
    -runs="$run_limit" -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" >"$log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  printf '%-18s %12s %8s\n' "$target" "${runs:-?}" "$seconds"
  if [ $status -ne 0 ]; then
    failed+=("$target")
    grep -m3 -E 'ERROR|runtime error|SUMMARY' "$log" >&2 || true
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "Findings in: ${failed[*]} (inputs and logs in $build/findings/)" >&2
  exit 1
fi
