#!/usr/bin/env python3
"""The held-out predictions of `plumetra-cli validate` are those of the fold's stored set: every
flock of fold FOLD in validation_flocks.tsv has the out-of-sample live weight, FCR and age that
`plumetra-cli fit --calibration` gives it with that set (fit.tsv rounds to 3, 3 and 2 decimals).

    check_validation.py VALIDATION_FLOCKS.tsv FIT.tsv FOLD
"""
import csv
import sys

ITEMS = (("live_weight_kg", "Calibrated Live weight", 0.0005), ("fcr", "Calibrated FCR", 0.0005),
         ("age_d", "Calibrated Age", 0.005))


def main(validation_file, fit_file, fold):
    with open(validation_file, encoding="utf-8") as f:
        held_out = [r for r in csv.DictReader(f, delimiter="\t") if r["fold"] == fold]
    with open(fit_file, encoding="utf-8") as f:
        fitted = {r["Row"]: r for r in csv.DictReader(f, delimiter="\t")}
    assert held_out, "no flock in fold " + fold
    for flock in held_out:
        row = fitted[flock["source_row"]]
        for name, heading, tolerance in ITEMS:
            ours, theirs = flock["out_of_sample_" + name], row[heading]
            assert (ours == "") == (theirs == ""), (name, flock, row)
            if ours:
                assert abs(float(ours) - float(theirs)) <= tolerance, (name, ours, theirs, flock["source_row"])
    print(f"{len(held_out)} flocks of fold {fold} predicted as their stored set predicts them")


if __name__ == "__main__":
    main(*sys.argv[1:])
