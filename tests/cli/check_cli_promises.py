#!/usr/bin/env python3
"""The command line's promises, checked on real runs of plumetra-cli over the example and a few
flock files of the test data:

- no line it writes, on stdout or stderr, of any command, asks a question or names a desktop
  window or control;
- the --json summary of analyze, calibrate, lower-cost, revalue and fit parses, and agrees with
  the tables the same run writes (every figure of each group and measure, the group of each flock);
- every per-flock table (flocks.tsv, metrics.tsv, fit.tsv, predictions.tsv, revaluation.tsv)
  joins back to its row of the input by farm, house, source row and date (flocks.tsv with the
  same live weight), and the league's farms are the farms of the analysed flocks.

    check_cli_promises.py CLI EXAMPLES_DIR TEST_DATA_DIR OUT_DIR STORED_SET_TOP.clb
"""
import csv
import json
import math
import pathlib
import re
import subprocess
import sys

ASKS = re.compile(r"\?|Do you want|\bEnter\b|Window|Set Values|\bclick|\bbutton", re.IGNORECASE)


class Run:
    def __init__(self, cli, args, out_dir):
        self.args = args
        result = subprocess.run([cli] + args, capture_output=True, text=True, timeout=900)
        self.code, self.stdout, self.stderr = result.returncode, result.stdout, result.stderr
        out_dir.mkdir(parents=True, exist_ok=True)
        for line in (self.stdout + self.stderr).splitlines():
            assert not ASKS.search(line), f"plumetra-cli {' '.join(args)} wrote: {line!r}"

    def json(self):
        assert self.code == 0, (self.args, self.code, self.stderr)
        return json.loads(self.stdout)


def rows_of(tsv):
    with open(tsv, encoding="utf-8") as f:
        return list(csv.DictReader(f, delimiter="\t"))


def input_rows(flocks_csv):
    """The headings and data rows of a flock file: the first row that names a house, the rows after it."""
    with open(flocks_csv, encoding="utf-8", newline="") as f:
        lines = list(csv.reader(f))
    start = next(i for i, line in enumerate(lines) if any(cell.strip().lower() == "house" for cell in line))
    return lines[start], lines[start + 1:]


def key_of(row):
    """(farm, house, source row) of a per-flock table row, whichever way its key is headed."""
    if "source_row" in row:
        return row["farm"], row["house"], int(row["source_row"])
    return row["Farm"], row["House"], int(row["Row"])


def joins_back(table, rows, source):
    """Each row's house is on its source row, and so are its farm (under "Farm" where a column is so
    headed), its date and its live weight in kg."""
    headings, data = source
    date = next((h for h in headings if "date" in h.lower()), None)
    assert rows, f"{table} has no rows"
    for row in rows:
        farm, house, source_row = key_of(row)
        cells = dict(zip(headings, (c.strip() for c in data[source_row - 1])))
        assert farm == cells.get("Farm", farm) and farm in cells.values(), (table, row, cells)
        assert house == cells.get("House", house) and house in cells.values(), (table, row, cells)
        if date and "date" in row:
            assert row["date"] == cells[date], (table, row, cells)
        if "live_weight_kg" in row and "Avg Weight" in cells:
            assert same(row["live_weight_kg"], cells["Avg Weight"]), (table, row, cells)


def same(a, b):
    if a is None or b is None or a == "" or b == "":
        return a in (None, "") and b in (None, "")
    return math.isclose(float(a), float(b), rel_tol=1e-9, abs_tol=1e-12)


def flock_groups(analysis):
    return {(f["farm"], f["house"], f["source_row"]): f["group"] for f in analysis["flock_groups"]}


def check_analysis(analysis, groups_tsv, flocks_tsv):
    """The JSON's analysis member against groups.tsv and flocks.tsv of an analyze run."""
    groups = rows_of(groups_tsv)
    assert len(groups) == len(analysis["groups"]) > 0
    for row, item in zip(groups, analysis["groups"]):
        assert (row["group"], row["measure"], int(row["n"])) == (item["group"], item["measure"], item["n"]), (row, item)
        for key in ("mean", "sd", "t_low_high", "p_low_high", "mean_ci95_low", "mean_ci95_high", "diff_low_high",
                    "diff_ci95_low", "diff_ci95_high", "df_low_high"):
            assert same(row[key], item[key]), (key, row, item)
    assert analysis["flocks"] == sum(int(r["n"]) for r in groups if (r["group"], r["measure"]) == ("All", "fcr"))
    listed = flock_groups(analysis)
    flocks = rows_of(flocks_tsv)
    assert len(flocks) == len(listed) == analysis["flocks"]
    for row in flocks:
        assert listed[key_of(row)] == row["group"], row


# The revaluation names each flock's group by the stored set that predicted it.
SPLIT_GROUP = {"Top": "Low", "Bottom": "High"}


def check_groups_of(table, rows, analysis, group_heading):
    listed = flock_groups(analysis)
    for row in rows:
        assert listed[key_of(row)] == SPLIT_GROUP.get(row[group_heading], row[group_heading]), (table, row)


def audit(cli, examples, data, out, stored_top):
    inputs = {
        "example": examples / "flocks.csv",
        "blank_weight": data / "flocks" / "blank_weight.csv",
        "title_lines": data / "producers" / "title_lines.csv",
        "grower_names": data / "producers" / "phase_days_and_grower_names.csv",
    }
    checked = 0
    for name, flocks in inputs.items():
        base = ["--flocks", str(flocks), "--diets", str(examples / "diets.dts"), "--no-lst", "--auto-match",
                "--sex", "mixed"]
        stored = ["--calibration", str(stored_top)]
        where = out / name
        data_rows = input_rows(flocks)

        analyze = Run(cli, ["analyze"] + base + ["--json", "--out", str(where / "analyze")], where)
        analysis = analyze.json()["analysis"]
        check_analysis(analysis, where / "analyze" / "groups.tsv", where / "analyze" / "flocks.tsv")
        for table in ("flocks.tsv", "metrics.tsv"):
            rows = [r for r in rows_of(where / "analyze" / table) if r.get("Row", "x") != ""]
            joins_back(table, rows, data_rows)

        for command, folder, table in (("fit", "fit", "fit.tsv"), ("revalue", "revalue", "revaluation.tsv")):
            document = Run(cli, [command] + base + stored + ["--json", "--out", str(where / folder)], where).json()
            assert document["analysis"]["groups"] == analysis["groups"], command
            rows = rows_of(where / folder / table)
            joins_back(table, rows, data_rows)
            check_groups_of(table, rows, analysis, "Group" if "Group" in rows[0] else "group")
            if command == "fit":
                for entry in document["fit"]:
                    counted = sum(1 for r in rows if entry["group"] in ("All", r["Group"]) and r[f"Recorded {entry['item']}"])
                    assert entry["predicted"]["n"] == counted, (entry, counted)

        lower = Run(cli, ["lower-cost"] + base + stored + ["--json", "--out", str(where / "lowcost")], where).json()
        assert lower["analysis"]["groups"] == analysis["groups"]
        with open(where / "lowcost" / "lowcost.tsv", encoding="utf-8") as f:
            grid = [line.rstrip("\n").split("\t") for line in f]
        assert [[c for c in r] for r in lower["lower_cost"]["rows"]] == grid[:len(lower["lower_cost"]["rows"])], "lowcost.tsv"

        Run(cli, ["predict"] + base + ["--out", str(where / "predict")], where)
        joins_back("predictions.tsv", rows_of(where / "predict" / "predictions.tsv"), data_rows)

        league = Run(cli, ["league"] + base + ["--json", "--out", str(where / "league")], where).json()["league"]
        farms = {}
        for flock in analysis["flock_groups"]:
            farms[flock["farm"]] = farms.get(flock["farm"], 0) + 1
        assert {e["name"]: e["flocks"] for e in league["entries"]} == farms, (league["entries"], farms)
        assert [r["Farm"] for r in rows_of(where / "league" / "league.tsv")] == [e["name"] for e in league["entries"]]
        checked += 1

    # The example once more through the commands that store or only print, and failures.
    base = ["--flocks", str(examples / "flocks.csv"), "--diets", str(examples / "diets.dts"), "--no-lst",
            "--auto-match", "--sex", "mixed"]
    calibrate = Run(cli, ["calibrate"] + base + ["--json", "--out", str(out / "calibrate")], out).json()
    example = Run(cli, ["analyze"] + base + ["--json"], out).json()["analysis"]
    assert calibrate["analysis"]["groups"] == example["groups"]
    assert calibrate["analysis"]["flock_groups"] == example["flock_groups"]
    for args in (["import"] + base[:-2] + ["--out", str(out / "import")],
                 ["trends"] + base,
                 ["grow", "--diets", str(examples / "diets.dts")],
                 ["curves", "--location", str(stored_top).replace("Top.clb", "Middle")],
                 ["report"] + base + ["--calibration", str(stored_top), "--out", str(out / "report")],
                 ["analyze"] + base + ["--split", "0,80,20"],
                 ["analyze", "--flocks", str(data / "producers" / "age_headed_clearance.csv"), "--diets",
                  str(examples / "diets.dts"), "--no-lst", "--auto-match", "--sex", "mixed"],
                 ["analyze", "--flocks", str(out / "no_such_file.csv"), "--sex", "mixed"],
                 ["analyze"] + base + ["--cost-unit", "stone"],
                 ["revalue"] + base + ["--calibration", str(out / "no_such_setTop.clb")],
                 ["validate"] + base + ["--folds", "2", "--out", str(out / "validate")],
                 ["info"], ["--version"], ["--help"]):
        Run(cli, args, out)
    for command in ("grow", "import", "analyze", "predict", "calibrate", "lower-cost", "revalue", "fit", "curves",
                    "report", "league", "validate", "trends", "info"):
        Run(cli, [command, "--help"], out)
    print(f"{checked} flock files: every line in the command line's voice, the JSON agrees with the tables, "
          "every per-flock table joins back to its input")


if __name__ == "__main__":
    cli, examples, data, out, stored_top = sys.argv[1:]
    audit(cli, pathlib.Path(examples), pathlib.Path(data), pathlib.Path(out), pathlib.Path(stored_top))
