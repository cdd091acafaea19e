#!/usr/bin/env python3
"""The tidy outputs of `plumetra-cli analyze --json --out DIR` against each other and the input:
the JSON document parses and its groups are the rows of groups.tsv, and every row of flocks.tsv
joins back to its row of the flock file by farm, house, source row and date, with the same
live weight.

    check_tidy_outputs.py JSON_FILE OUT_DIR FLOCKS.csv WEIGHT_HEADING
"""
import csv
import json
import math
import sys

from check_flock_keys import check_keys


def number(text):
    return float(text) if text != "" else None


def same(a, b):
    if a is None or b is None:
        return a is None and b is None
    return math.isclose(a, b, rel_tol=1e-12, abs_tol=1e-300)


def main(json_file, out_dir, flocks_csv, weight_heading):
    with open(json_file, encoding="utf-8") as f:
        document = json.load(f)
    with open(f"{out_dir}/groups.tsv", encoding="utf-8") as f:
        groups = list(csv.DictReader(f, delimiter="\t"))
    listed = document["analysis"]["groups"]
    assert len(listed) == len(groups) > 0, (len(listed), len(groups))
    for row, item in zip(groups, listed):
        assert (row["group"], row["measure"], int(row["n"])) == (item["group"], item["measure"], item["n"]), (row, item)
        for key in ("mean", "sd", "t_low_high", "p_low_high", "mean_ci95_low", "mean_ci95_high", "diff_low_high",
                    "diff_ci95_low", "diff_ci95_high", "df_low_high"):
            assert same(number(row[key]), item[key]), (key, row, item)
    assert document["analysis"]["flocks"] == sum(int(r["n"]) for r in groups if r["group"] == "All" and r["measure"] == "fcr")

    flocks, source = check_keys(f"{out_dir}/flocks.tsv", flocks_csv)
    assert len(flocks) == document["analysis"]["flocks"]
    for flock in flocks:
        row = source[int(flock["source_row"]) - 1]
        assert same(float(row[weight_heading]), float(flock["live_weight_kg"])), (flock, row)
    print(f"{len(listed)} group rows agree; {len(flocks)} flocks join back to {flocks_csv}")


if __name__ == "__main__":
    main(*sys.argv[1:])
