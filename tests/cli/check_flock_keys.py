#!/usr/bin/env python3
"""Every row of a per-flock table written by plumetra-cli joins back to its row of the flock
file: the farm and house cells (the file's first two columns) and the date, on the row that
source_row names (1 = the first row after the headings).

    check_flock_keys.py TABLE.tsv FLOCKS.csv
"""
import csv
import sys


def check_keys(table_tsv, flocks_csv):
    """Returns the rows of the table after checking each one's key against the flock file."""
    with open(flocks_csv, encoding="utf-8") as f:
        source = list(csv.DictReader(f))
    with open(table_tsv, encoding="utf-8") as f:
        rows = list(csv.DictReader(f, delimiter="\t"))
    assert rows, f"{table_tsv} has no rows"
    farm, house = list(source[0])[:2]
    date = next((h for h in source[0] if "date" in h.lower()), None)
    for row in rows:
        line = source[int(row["source_row"]) - 1]
        assert (line[farm], line[house]) == (row["farm"], row["house"]), (row, line)
        if date:
            assert line[date] == row["date"], (row, line)
    return rows, source


if __name__ == "__main__":
    rows, _ = check_keys(*sys.argv[1:])
    print(f"{len(rows)} rows of {sys.argv[1]} join back to {sys.argv[2]}")
