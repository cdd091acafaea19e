#!/usr/bin/env python3
"""Writes the producers' file fixtures of this folder from the first 14 flocks of
examples/flocks.csv, each saved the way its name says. Run: python3 make_fixtures.py"""
import csv
import pathlib

HERE = pathlib.Path(__file__).resolve().parent
EXAMPLE = HERE.parents[2] / "examples" / "flocks.csv"
with EXAMPLE.open(newline="") as f:
    ROWS = list(csv.reader(f))
HEAD, BASE = ROWS[0], ROWS[1:15]
NUMERIC = [i for i, h in enumerate(HEAD) if h not in ("Farm", "Sex", "Placement Date")]
DENSITY = HEAD.index("Density")
SQUARE_FEET_PER_SQUARE_METRE = 10.7639104


def write(name, rows):
    with (HERE / name).open("w", newline="", encoding="utf-8") as f:
        csv.writer(f, lineterminator="\r\n").writerows(rows)


def column_means():
    return [f"{sum(float(r[i]) for r in BASE) / len(BASE):.3f}" if i in NUMERIC else "" for i in range(len(HEAD))]


# A spreadsheet footer: a blank line, an "Average" row with every number, and a "Total" row.
average = column_means()
average[0] = "Average"
total = ["Total"] + ["" for _ in HEAD[1:]]
total[HEAD.index("Birds Placed")] = str(sum(int(r[HEAD.index("Birds Placed")]) for r in BASE))
write("average_footer.csv", [HEAD] + BASE + [[""] * len(HEAD), average, total])

# The same footer without a label: only its numbers (the column means) say what it is.
write("unlabelled_footer.csv", [HEAD] + BASE + [[""] * len(HEAD), column_means()])

# Flocks 3 to 5 exported a second time at the end of the file.
write("exported_twice.csv", [HEAD] + BASE + BASE[2:5])

# A units row under the headings, as farm software exports it.
units = {"Birds Placed": "birds", "Age": "days", "Avg Weight": "kg", "Starter": "kg/bird", "Grower": "kg/bird",
         "Finisher": "kg/bird", "Withdrawal": "kg/bird", "Density": "birds/m2"}
write("units_row.csv", [HEAD, [units.get(h, "") for h in HEAD]] + BASE)

# Density in birds per square foot, as US records give it.
sqft_head = ["Birds/Sq.Ft." if h == "Density" else h for h in HEAD]
write("birds_per_sqft.csv", [sqft_head] + [r[:DENSITY] + [f"{float(r[DENSITY]) / SQUARE_FEET_PER_SQUARE_METRE:.4f}"]
                                           + r[DENSITY + 1:] for r in BASE])

# Floor area per bird instead of density.
area_head = ["Sq Ft/Bird" if h == "Density" else h for h in HEAD]
write("sqft_per_bird.csv", [area_head] + [r[:DENSITY] + [f"{SQUARE_FEET_PER_SQUARE_METRE / float(r[DENSITY]):.3f}"]
                                          + r[DENSITY + 1:] for r in BASE])

# Phase lengths beside the phase intakes, a contract grower's name under "Grower", and the
# intakes headed with their unit.
GROWERS = ["J. Smith", "A. Jones", "P. Brown"]
phase_head, phase_rows = [], [[] for _ in BASE]
for i, h in enumerate(HEAD):
    if h in ("Starter", "Grower", "Finisher", "Withdrawal"):
        phase_head.append(h + " (kg)")
        for row, r in zip(phase_rows, BASE):
            row.append(r[i])
        if h != "Withdrawal":
            phase_head.append(h + " days")
            for n, row in enumerate(phase_rows):
                row.append(str({"Starter": 10, "Grower": 14, "Finisher": 12 + n % 3}[h]))
    else:
        phase_head.append(h)
        for row, r in zip(phase_rows, BASE):
            row.append(r[i])
write("phase_days_and_grower_names.csv",
      [["Grower"] + phase_head] + [[GROWERS[n % 3]] + row for n, row in enumerate(phase_rows)])

# The age headed "Clearance", a word that names no item by itself.
write("age_headed_clearance.csv", [["Clearance" if h == "Age" else h for h in HEAD]] + BASE)

# Excel's "sep=" first line before a semicolon-separated table.
with (HERE / "sep_line.csv").open("w", newline="", encoding="utf-8") as f:
    f.write("sep=;\r\n")
    csv.writer(f, delimiter=";", lineterminator="\r\n").writerows([HEAD] + BASE)

# Excel's "Unicode Text": tab-separated UTF-16 with a byte-order mark.
with (HERE / "utf16_unicode_text.txt").open("w", newline="", encoding="utf-16") as f:
    csv.writer(f, delimiter="\t", lineterminator="\r\n").writerows([HEAD] + BASE)

# Bird counts grouped with a blank, a no-break space, a narrow no-break space and an apostrophe,
# and ages with a spreadsheet's leading apostrophe.
MARKS = [" ", "\u00a0", "\u202f", "'"]
BIRDS, AGE = HEAD.index("Birds Placed"), HEAD.index("Age")
grouped = [list(r) for r in BASE]
for n, r in enumerate(grouped):
    r[BIRDS] = r[BIRDS][:-3] + MARKS[n % 4] + r[BIRDS][-3:]
    r[AGE] = "'" + r[AGE]
write("grouped_counts_and_apostrophes.csv", [HEAD] + grouped)

# Two title lines and a blank line above the headings.
write("title_lines.csv", [["Flock performance report"], ["Exported 2024-06-30 from the farm system"], []] + [HEAD] + BASE)

# A group title merged over the phase intakes, as a two-row heading saves to CSV.
group = ["" for _ in HEAD]
group[HEAD.index("Starter")] = "Feed intake (kg/bird)"
write("group_titles.csv", [group, HEAD] + BASE)

# House totals instead of amounts per bird: the live weight in kg and the phase feed in tonnes
# of the whole house, written with every decimal so that dividing by the birds placed gives back
# the values per bird. house_totals.xlsx is made from this file by LibreOffice (see the README).
WEIGHT = HEAD.index("Avg Weight")
PHASES = [HEAD.index(h) for h in ("Starter", "Grower", "Finisher", "Withdrawal")]
totals_head = list(HEAD)
totals_head[WEIGHT] = "Total Live Weight (kg)"
for i in PHASES:
    totals_head[i] = HEAD[i] + " delivered (t)"
totals_rows = []
for r in BASE:
    row, birds = list(r), int(r[BIRDS])
    row[WEIGHT] = f"{float(r[WEIGHT]) * birds:.3f}"
    for i in PHASES:
        row[i] = f"{float(r[i]) * birds / 1000:.6f}"
    totals_rows.append(row)
write("house_totals.csv", [totals_head] + totals_rows)

# The same totals without the bird count: nothing to divide them by.
write("house_totals_without_birds.csv",
      [[h for i, h in enumerate(totals_head) if i != BIRDS]] + [[c for i, c in enumerate(r) if i != BIRDS] for r in totals_rows])

# The totals with the third flock's bird count left blank: that flock has nothing to divide by.
blank_birds = [list(r) for r in totals_rows]
blank_birds[2][BIRDS] = ""
write("house_totals_blank_birds.csv", [totals_head] + blank_birds)
