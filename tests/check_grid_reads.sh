#!/usr/bin/env bash
# Keeps the grids a view: a number is read out of a grid cell only by the code that writes a grid
# out and by the readers of the user's own table (what was pasted, opened or typed). Every other
# computation reads the typed records: the flock and diet tables, the analysis result, FlockRows.
# (Grid's own value() and isNumber() are not counted: they are what the others call.)
# Counted per file, three forms:
#   a Grid call with a row and a column:        grid.value(r, c), grid.isNumber(r, c)
#   a cell's text parsed where it is read:      ReadNumber(grid.text(r, c)), readsAsNumber(...)
#   a cell's text bound to a name, then parsed: const std::string& t = grid.text(r, c); ... ReadNumber(t)
# `bash tests/check_grid_reads.sh ROOT` fails when a file outside the list below reads one, and
# with --count prints every file's count.
root="$1"
folders="controls files workspace model calibration analysis state presenters report cli desktop bench fuzz"

# file: why it may read the numbers of grid cells
allowed='
files/xlsx_writer.cpp: saves a grid, a cell that shows a number as a number cell
workspace/heading_row.cpp: finds the heading row of the user table by its numeric cells
workspace/auto_match.cpp: matches the user columns to the items by their numeric cells
workspace/matching.cpp: copies the user matched flock and diet cells into the tables, converting units
workspace/summary_rows.cpp: recognises the total and average rows of the user table
workspace/flock_selection.cpp: judges each row of the user table complete or left out, and why
workspace/livability_columns.cpp: reads the user birds-sold column of each flock
workspace/list_file.cpp: tells the Data ID list form from the user first column
workspace/column_numbers.cpp: takes the numbers of the user flock table the analysis grid shows
'

# Receivers of a two-argument value() that are no grid: the calibration-file reader and QSettings.
not_grids='\b(in|settings)\.value\('
nested='(?:[^()]|\((?:[^()]|\([^()]*\))*\))*'
call="\\.(?:value|isNumber)\\(${nested},"
parsed="\\b(?:ReadNumber|readsAsNumber)\\(${nested}\\.text\\("
bound='(?:std::string|auto)\s*&?\s*(\w+)\s*=\s*(?:trimmed\()?[\w.>-]*\.text\('

count_file() {
  local file="$1" n names name
  n=$(grep -P "$call|$parsed" "$file" | grep -cvP "$not_grids")
  names=$(grep -oP "$bound" "$file" | sed -E 's/.*[&[:space:]]([A-Za-z_][A-Za-z_0-9]*)[[:space:]]*=.*/\1/' | sort -u)
  for name in $names; do
    n=$((n + $(grep -cP "\\b(?:ReadNumber|readsAsNumber)\\((?:trimmed\\()?${name}\\)" "$file")))
  done
  echo "$n"
}

status=0 total=0
cd "$root" || exit 2
for file in $(grep -rlP '\.text\(|\.(value|isNumber)\(' $folders --include='*.cpp' --include='*.h' | sort); do
  n=$(count_file "$file")
  [ "$n" -eq 0 ] && continue
  total=$((total + n))
  [ "$2" = --count ] && printf '%4d %s\n' "$n" "$file"
  if ! printf '%s\n' "$allowed" | grep -q "^$file:"; then
    echo "$file reads $n numbers out of grid cells: read the typed values instead"
    status=1
  fi
done
[ $status -eq 0 ] && echo "$total numeric reads of grid cells, all in the xlsx writer and the readers of the user's table"
exit $status
