#!/usr/bin/env bash
# Plants typical faults one at a time in a copy of the core (swapped indexes, a column off by
# one, a flipped comparison, a skipped reset), builds the tests that should notice, runs them,
# and reports each fault as caught or survived. A fault whose text is no longer in its file is
# reported as stale: update its line below when the code it plants in changes.
#     bash scripts/mutate.sh [fault ...]      (default: every fault)
# Works in $PLUMETRA_MUTATE_DIR (default build-mutate/): a copy of the sources and a build.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
work="${PLUMETRA_MUTATE_DIR:-$root/build-mutate}"

# name | file | exact text (\n for a line end) | replaced by | test folders (ctest name prefixes) whose cases must catch it
faults=(
  "met_cys_swapped_on_entry|workspace/diet_table.h|ValEnergy, ValProtein, ValMethionine, ValMetCys,|ValEnergy, ValProtein, ValMetCys, ValMethionine,|workspace state"
  "met_cys_swapped_in_prediction|model/flock_prediction.cpp|row[10] = data[NutMethionine][d];|row[10] = data[NutMetCys][d];|model analysis"
  "flock_count_wrong_column|workspace/data_set.cpp|    for (int c = 0; c < grid.cols(); ++c)\n      if (!grid.text(r, c).empty()) return r;|    for (int c = 1; c < grid.cols(); ++c)\n      if (!grid.text(r, c).empty()) return r;|workspace state"
  "clear_item_not_restored|workspace/matching.cpp|  ws.flockDataIds.items[static_cast<size_t>(i)] = std::string(dataIdList(0, i));\n||workspace"
  "predicted_conversion_column_off_by_one|analysis/predicted_columns.cpp|return {col(25), col(26), col(29),|return {col(25), col(26), col(30),|analysis"
  "outlier_gap_comparison_flipped|analysis/outliers.cpp|> GapFactor * meanStep) return k + 1;|< GapFactor * meanStep) return k + 1;|analysis"
  "total_feed_not_reset|model/growth_run.cpp|  out.totalFeed = 0;\n||model analysis calibration"
)

mkdir -p "$work/src"
tar -C "$root" --exclude='./build*' --exclude=./.git --exclude=./out -cf - . | tar -C "$work/src" -xf -
cmake -S "$work/src" -B "$work/bin" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPLUMETRA_GUI=OFF \
  -DPLUMETRA_BENCH=OFF >/dev/null

survived=0
for fault in "${faults[@]}"; do
  IFS='|' read -r name file from to tests <<<"$fault"
  if [ $# -gt 0 ] && ! printf '%s\n' "$@" | grep -qx "$name"; then continue; fi
  if ! python3 - "$work/src/$file" "$from" "$to" <<'PY'; then
import sys
path, old, new = (arg.replace("\\n", "\n") for arg in sys.argv[1:])
text = open(path, encoding="utf-8").read()
if text.count(old) != 1:
    sys.exit(1)
open(path, "w", encoding="utf-8").write(text.replace(old, new))
PY
    printf '%-34s stale (text not found once in %s)\n' "$name" "$file"
    survived=$((survived + 1))
    continue
  fi
  targets=$(for t in $tests; do printf 'test_%s ' "$t"; done)
  result=survived
  if ! cmake --build "$work/bin" --target $targets >"$work/$name.log" 2>&1; then
    result="caught (build)"
  elif ! ctest --test-dir "$work/bin" -R "^($(echo $tests | tr ' ' '|'))\\." >>"$work/$name.log" 2>&1; then
    result=caught
  fi
  cp "$root/$file" "$work/src/$file"
  printf '%-34s %s\n' "$name" "$result"
  [ "$result" = survived ] && survived=$((survived + 1))
done
# Put the unmutated objects back, so the next run starts from a clean build.
cmake --build "$work/bin" >/dev/null 2>&1 || true
echo "$survived fault(s) survived" >&2
[ $survived -eq 0 ]
