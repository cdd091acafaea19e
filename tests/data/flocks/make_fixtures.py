#!/usr/bin/env python3
"""Writes the flock-table fixtures of this folder from the first 14 flocks of
examples/flocks.csv, each changed in the one way its name says. Run: python3 make_fixtures.py"""
import csv
import pathlib

HERE = pathlib.Path(__file__).resolve().parent
EXAMPLE = HERE.parents[2] / "examples" / "flocks.csv"
with EXAMPLE.open(newline="") as f:
    ROWS = list(csv.reader(f))
HEAD, BASE = ROWS[0], ROWS[1:15]
FARM, HOUSE, BIRDS, AGE, WEIGHT = (HEAD.index(h) for h in
                                   ("Farm", "House", "Birds Placed", "Age", "Avg Weight"))


def write(name, body, head=HEAD, delimiter=",", encoding="utf-8", quoting=csv.QUOTE_MINIMAL, bom=False):
    with (HERE / name).open("w", newline="", encoding=encoding) as f:
        if bom:
            f.write("\ufeff")
        out = csv.writer(f, delimiter=delimiter, lineterminator="\r\n", quoting=quoting)
        out.writerows([list(head)] + [list(r) for r in body])


def changed(cells):
    """The 14 flocks with cells {(row, column): text} replaced; rows count from 1."""
    body = [list(r) for r in BASE]
    for (row, col), value in cells.items():
        body[row - 1][col] = value
    return body


write("first_file_longer.csv", BASE)
# Twelve other flocks (rows 15-26 of the example), weights 2.01, 2.02, ... 2.12.
later = [list(r) for r in ROWS[15:27]]
for i, r in enumerate(later, start=1):
    r[WEIGHT] = f"{2.0 + i / 100:.2f}"
write("second_file_shorter.csv", later)
# The same flocks as first_file_longer.csv, the weight column headed "Live Wt".
write("renamed_heading.csv", BASE, head=[("Live Wt" if h == "Avg Weight" else h) for h in HEAD])

write("blank_weight.csv", changed({(4, WEIGHT): "", (9, WEIGHT): ""}))
write("text_age_zero_weight.csv", changed({(3, WEIGHT): "0", (12, AGE): "n/a"}))
# The house number (the second column) blank in row 6: the table goes on.
write("blank_second_column.csv", changed({(6, HOUSE): ""}))
# A totals row (farm "Total", summed birds, nothing else) and a notes row after the flocks.
total = [""] * len(HEAD)
total[FARM], total[BIRDS] = "Total", str(sum(int(r[BIRDS]) for r in BASE))
write("totals_row.csv", BASE + [total[:BIRDS + 1], ["Notes: house 3 had a heat wave in week 5"]])

# Farm names with commas, doubled quotes and a line break; bird counts with digit grouping.
quoted = changed({(1, FARM): "Pine Valley, North", (2, FARM): 'Oak "Big" Hollow',
                  (3, FARM): "Cedar\nRidge"})
for r in quoted:
    r[BIRDS] = f"{int(r[BIRDS]):,}"
write("quoted_commas.csv", quoted)

# The same 14 flocks as a European spreadsheet saves them: semicolons and decimal commas.
write("semicolon_decimal_comma.csv", [[c.replace(".", ",") if c[:1].isdigit() and "-" not in c else c
                                       for c in r] for r in BASE], delimiter=";")

# Farm names that start with letters beyond ASCII, and a first heading that does too.
NAMES = {1: "Müller", 2: "Ødegård", 3: "Hof Süd", 4: "Élevage Brûlé"}
named = changed({(row, FARM): name for row, name in NAMES.items()})
accented_head = ["Ökonomie-Farm" if h == "Farm" else h for h in HEAD]
write("utf8_names.csv", named, head=accented_head, bom=True)
write("windows1252_names.csv", named, head=accented_head, encoding="cp1252")

# Two columns headed "Avg Weight".
write("duplicate_headings.csv", [r + [r[WEIGHT]] for r in BASE], head=HEAD + ["Avg Weight"])

# Weights written with a decimal comma ("2,61") and with decimal points ("2.55") in one column:
# row 7's "2,650" is 2.65 by the size of its column's other numbers, and row 5's "20,001" is
# 20001 beside whole bird counts of about 20000.
mixed = changed({(1, WEIGHT): "2,61", (2, WEIGHT): "2.55", (7, WEIGHT): "2,650", (5, BIRDS): "20,001"})
write("mixed_decimal_marks.csv", mixed)

# Tab-separated, the weights written with decimal commas and three decimals ("2,618"): grouping
# or decimal comma, neither the column nor the file tells, so every weight is unclear.
write("unclear_weights.txt", [[c.replace(".", ",") if i == WEIGHT else c for i, c in enumerate(r)] for r in BASE],
      delimiter="\t")

# Numbers no flock can hold, as a slip or a hostile file writes them: each row keeps one.
DENSITY, STARTER = HEAD.index("Density"), HEAD.index("Starter")
write("absurd_values.csv", changed({(2, WEIGHT): "1e100", (5, AGE): "1e-320", (8, HEAD.index("Convix")): "1e308",
                                    (10, STARTER): "1e100", (13, DENSITY): "9999"}))
