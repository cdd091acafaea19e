#!/usr/bin/env python3
"""Make the example flock and diet data in this folder.

Writes flocks.csv (one row per flock), diets.csv (one row per diet) and diets.dts (the same
four diets in the diet-file format). With --workbooks it also builds flocks.xlsx and
flocks.xls, each with the sheets "Flocks" and "Diets", through LibreOffice (soffice must be
on the PATH). Standard library only; the output depends only on --seed.

The generating model (all weights in kg per bird, ages in days):

* Farms and houses. Eight farms with 3-6 houses each. A house has a floor area of
  650-1800 m2 and a usual stocking density of 15.5-20.5 birds/m2. All houses of a farm are
  placed on the same day; farms start between 8 January and 10 March 2024 and place a new
  flock every 56-63 days, 4-6 placements per farm. Each placement is of one sex for the
  whole farm: mixed "X" (50 %), males "M" (25 %) or females "F" (25 %).
* Density and birds. Density = the house's usual density, -1.5 for males, +1.0 for females,
  plus noise (sd 0.5), kept within 14-22 birds/m2; birds placed = density x floor area
  (8,000-40,000).
* Age at slaughter, uniform: females 32-40, mixed 36-46, males 42-52.
* Live weight. Mixed-sex curve W(t) = 2.2 + 0.062 (t - 35) - 0.0006 (t - 35)^2, times 1.06
  for males and 0.93 for females, plus a farm effect (sd 0.05), minus 0.01 per bird/m2
  above 18, plus noise (sd 0.06); redrawn until within 1.8-3.3.
* Feed conversion = 0.95 + 0.27 W + 0.004 (t - 40), so it rises with weight and age,
  - 0.02 for males, + 0.015 for females, plus a farm effect (sd 0.03), + 0.004 per bird/m2
  above 18, plus noise (sd 0.025); redrawn until within 1.40-2.00.
* Outliers. Four flocks, chosen at random among those with a feed conversion above 1.70,
  had a disease break: their weight is 0.12 lower and their feed conversion 0.25-0.35 higher
  than the model gives, which puts them at the top of the feed-conversion ranking, above 2.0.
* Mortality %, drawn from a random stream of its own (seed + 1) so that every other column
  stays as it was: 3.8 for mixed flocks, 4.5 for males, 3.2 for females, + 0.15 per bird/m2
  above 18, + 0.05 per day above 40, plus noise (sd 0.8), kept within 1.5-12; a disease
  break adds 4.
* Feed per phase. Total feed per bird = weight x feed conversion, split into starter
  (0.30-0.45 kg), grower (30-36 % of the total), withdrawal (10-16 %, or none in one flock
  out of four) and finisher (the rest); each is rounded to 3 decimals and the finisher takes
  the rounding, so the four add up to weight x feed conversion within 0.0005 kg.
* Diets. Four fixed broiler diets (starter, grower, finisher, withdrawal) with energy
  2975-3225 kcal/kg, crude protein 23-18 %, digestible lysine 1.32-0.96 % and the other amino
  acids in proportion, priced 0.385-0.335 per kg; the feed weights in diets.dts are the
  amounts of a typical 2.6 kg mixed flock.
"""

import argparse
import csv
import datetime
import os
import random
import shutil
import subprocess
import sys
import tempfile
from xml.sax.saxutils import escape

FLOCK_COLUMNS = ["Farm", "House", "Sex", "Placement Date", "Birds Placed", "Age",
                 "Avg Weight", "Convix", "Starter", "Grower", "Finisher", "Withdrawal",
                 "Density", "Mortality %"]

FARMS = ["Oak Hollow", "Cedar Ridge", "Mill Creek", "Pine Valley", "Sandy Bottom",
         "Twin Oaks", "Harmony", "Bluestem"]

# Diet-file lines 5-18 after "Energy": the amino acids in file order.
AMINO_LABELS = ["Protein", "Arginine", "Histidine", "Lysine", "Tryptophan", "Phe + Tyrosine",
                "Phenylalanine", "MET_CYS", "Methionine", "Threonine", "LEUCINE",
                "Isoleucine", "Valine"]

# name, diet change, price per kg, feed weight (kg), energy (kcal/kg), then AMINO_LABELS.
DIETS = [
    ("Starter", "day 0", 0.385, 0.45, 2975,
     [23.0, 1.42, 0.56, 1.32, 0.24, 1.70, 0.98, 0.98, 0.62, 0.88, 1.80, 0.92, 1.00]),
    ("Grower", "day 11", 0.362, 1.50, 3080,
     [21.0, 1.27, 0.51, 1.18, 0.22, 1.55, 0.89, 0.90, 0.56, 0.79, 1.65, 0.83, 0.91]),
    ("Finisher", "day 25", 0.348, 1.80, 3175,
     [19.5, 1.13, 0.47, 1.05, 0.20, 1.42, 0.81, 0.82, 0.51, 0.72, 1.52, 0.75, 0.83]),
    ("Withdrawal", "day 36", 0.335, 0.55, 3225,
     [18.0, 1.03, 0.44, 0.96, 0.18, 1.32, 0.75, 0.76, 0.47, 0.66, 1.43, 0.69, 0.77]),
]

# The diet sheet a user would keep: heading and index into the amino-acid list (None: other).
DIET_SHEET_COLUMNS = ["Diet", "ME", "CP", "Met", "M+C", "Lys", "Trp", "Arg", "Thr", "Price"]


def draw_until(low, high, draw):
    """Redraws until the value falls within low..high."""
    while True:
        value = draw()
        if low <= value <= high:
            return value


def mixed_weight(age):
    return 2.2 + 0.062 * (age - 35) - 0.0006 * (age - 35) ** 2


def make_flocks(rng):
    flocks = []
    for farm in FARMS:
        farm_weight = rng.gauss(0, 0.05)
        farm_fcr = rng.gauss(0, 0.03)
        houses = [(rng.uniform(650, 1800), rng.uniform(15.5, 20.5))
                  for _ in range(rng.randint(3, 6))]
        placed = datetime.date(2024, 1, 8) + datetime.timedelta(days=rng.randint(0, 62))
        for _ in range(rng.randint(4, 6)):
            sex = rng.choices(["X", "M", "F"], weights=[2, 1, 1])[0]
            age_low, age_high = {"F": (32, 40), "X": (36, 46), "M": (42, 52)}[sex]
            for number, (area, usual_density) in enumerate(houses, start=1):
                shift = {"M": -1.5, "F": 1.0, "X": 0.0}[sex]
                density = draw_until(14, 22, lambda: usual_density + shift + rng.gauss(0, 0.5))
                birds = round(density * area)
                density = birds / area
                age = rng.randint(age_low, age_high)
                sex_size = {"M": 1.06, "F": 0.93, "X": 1.0}[sex]
                weight = draw_until(1.8, 3.3, lambda: mixed_weight(age) * sex_size + farm_weight
                                    - 0.01 * (density - 18) + rng.gauss(0, 0.06))
                sex_fcr = {"M": -0.02, "F": 0.015, "X": 0.0}[sex]
                fcr = draw_until(1.40, 2.00, lambda: 0.95 + 0.27 * weight + 0.004 * (age - 40)
                                 + sex_fcr + farm_fcr + 0.004 * (density - 18)
                                 + rng.gauss(0, 0.025))
                flocks.append({"Farm": farm, "House": number, "Sex": sex, "date": placed,
                               "Birds Placed": birds, "Age": age, "weight": weight, "fcr": fcr,
                               "Density": density})
            placed += datetime.timedelta(days=rng.randint(56, 63))

    # Disease breaks strike heavy, late flocks, whose conversion is already high.
    for flock in rng.sample([f for f in flocks if f["fcr"] > 1.70], 4):
        flock["break"] = True
        flock["weight"] -= 0.12
        flock["fcr"] += rng.uniform(0.25, 0.35)

    for flock in flocks:
        weight = round(flock["weight"], 3)
        fcr = round(flock["fcr"], 3)
        total = weight * fcr
        starter = round(rng.uniform(0.30, 0.45), 3)
        grower = round(total * rng.uniform(0.30, 0.36), 3)
        withdrawal = 0.0 if rng.random() < 0.25 else round(total * rng.uniform(0.10, 0.16), 3)
        finisher = round(total - starter - grower - withdrawal, 3)
        flock.update({"Avg Weight": weight, "Convix": fcr, "Starter": starter, "Grower": grower,
                      "Finisher": finisher, "Withdrawal": withdrawal})
    flocks.sort(key=lambda f: (f["date"], FARMS.index(f["Farm"]), f["House"]))
    return flocks


def add_mortality(flocks, rng):
    for flock in flocks:
        base = {"X": 3.8, "M": 4.5, "F": 3.2}[flock["Sex"]]
        mortality = draw_until(1.5, 12, lambda: base + 0.15 * (flock["Density"] - 18)
                               + 0.05 * (flock["Age"] - 40) + rng.gauss(0, 0.8))
        flock["Mortality %"] = mortality + (4 if flock.get("break") else 0)


def flock_row(flock):
    """The flock as the texts of a spreadsheet row."""
    return [flock["Farm"], str(flock["House"]), flock["Sex"], flock["date"].isoformat(),
            str(flock["Birds Placed"]), str(flock["Age"]), f"{flock['Avg Weight']:.3f}",
            f"{flock['Convix']:.3f}", f"{flock['Starter']:.3f}", f"{flock['Grower']:.3f}",
            f"{flock['Finisher']:.3f}", f"{flock['Withdrawal']:.3f}", f"{flock['Density']:.1f}",
            f"{flock['Mortality %']:.1f}"]


def diet_rows():
    rows = []
    for name, _change, price, _weight, energy, amino in DIETS:
        by_label = dict(zip(AMINO_LABELS, amino))
        rows.append([name, str(energy), f"{by_label['Protein']:g}", f"{by_label['Methionine']:g}",
                     f"{by_label['MET_CYS']:g}", f"{by_label['Lysine']:g}",
                     f"{by_label['Tryptophan']:g}", f"{by_label['Arginine']:g}",
                     f"{by_label['Threonine']:g}", f"{price:g}"])
    return rows


def write_csv(path, header, rows):
    with open(path, "w", newline="", encoding="utf-8") as out:
        writer = csv.writer(out, lineterminator="\r\n")
        writer.writerow(header)
        writer.writerows(rows)


def dts_text():
    """Eighteen "label<TAB>value" lines per diet, CR LF; the feed weight printed as the
    program prints a number (a blank before and after it)."""
    lines = []
    for name, change, price, weight, energy, amino in DIETS:
        lines += [f"Diet Type\t{name}", f"Diet Change\t{change}", f"Feed Cost\t{price:g}",
                  f"Feed Weight\t {weight:g} ", f"Energy\t{energy}"]
        lines += [f"{label}\t{value:g}" for label, value in zip(AMINO_LABELS, amino)]
    return "".join(line + "\r\n" for line in lines)


def fods_cell(text, kind):
    if kind == "float":
        return (f'<table:table-cell office:value-type="float" office:value="{text}">'
                f"<text:p>{text}</text:p></table:table-cell>")
    if kind == "date":
        return (f'<table:table-cell table:style-name="date" office:value-type="date" '
                f'office:date-value="{text}"><text:p>{text}</text:p></table:table-cell>')
    return f'<table:table-cell office:value-type="string"><text:p>{escape(text)}</text:p></table:table-cell>'


def fods_table(name, header, rows, kinds):
    out = [f'<table:table table:name="{name}">']
    out.append("<table:table-row>" + "".join(fods_cell(h, "string") for h in header) +
               "</table:table-row>")
    for row in rows:
        out.append("<table:table-row>" + "".join(fods_cell(t, k) for t, k in zip(row, kinds)) +
                   "</table:table-row>")
    out.append("</table:table>")
    return "\n".join(out)


def fods_text(flock_rows, diet_sheet_rows):
    flock_kinds = ["string", "float", "string", "date"] + ["float"] * 10
    diet_kinds = ["string"] + ["float"] * 9
    return f"""<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:number="urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0"
 office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.spreadsheet">
<office:automatic-styles>
<number:date-style style:name="iso"><number:year number:style="long"/><number:text>-</number:text><number:month number:style="long"/><number:text>-</number:text><number:day number:style="long"/></number:date-style>
<style:style style:name="date" style:family="table-cell" style:data-style-name="iso"/>
</office:automatic-styles>
<office:body><office:spreadsheet>
{fods_table("Flocks", FLOCK_COLUMNS, flock_rows, flock_kinds)}
{fods_table("Diets", DIET_SHEET_COLUMNS, diet_sheet_rows, diet_kinds)}
</office:spreadsheet></office:body></office:document>
"""


def make_workbooks(folder, flock_rows, diet_sheet_rows):
    soffice = shutil.which("soffice") or shutil.which("libreoffice")
    if not soffice:
        sys.exit("soffice (LibreOffice) is needed for --workbooks")
    with tempfile.TemporaryDirectory() as scratch:
        source = os.path.join(scratch, "flocks.fods")
        with open(source, "w", encoding="utf-8") as out:
            out.write(fods_text(flock_rows, diet_sheet_rows))
        for target, filter_name in (("xlsx", "Calc MS Excel 2007 XML"), ("xls", "MS Excel 97")):
            subprocess.run([soffice, f"-env:UserInstallation=file://{scratch}/profile",
                            "--headless", "--convert-to", f"{target}:{filter_name}",
                            "--outdir", folder, source], check=True, stdout=subprocess.DEVNULL)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--seed", type=int, default=20240108)
    parser.add_argument("--out", default=os.path.dirname(os.path.abspath(__file__)))
    parser.add_argument("--workbooks", action="store_true",
                        help="also write flocks.xlsx and flocks.xls through LibreOffice")
    args = parser.parse_args()

    flocks = make_flocks(random.Random(args.seed))
    add_mortality(flocks, random.Random(args.seed + 1))
    flock_rows = [flock_row(f) for f in flocks]
    write_csv(os.path.join(args.out, "flocks.csv"), FLOCK_COLUMNS, flock_rows)
    write_csv(os.path.join(args.out, "diets.csv"), DIET_SHEET_COLUMNS, diet_rows())
    with open(os.path.join(args.out, "diets.dts"), "w", newline="", encoding="utf-8") as out:
        out.write(dts_text())
    if args.workbooks:
        make_workbooks(args.out, flock_rows, diet_rows())
    print(f"{len(flocks)} flocks from {len(FARMS)} farms written to {args.out}")


if __name__ == "__main__":
    main()
