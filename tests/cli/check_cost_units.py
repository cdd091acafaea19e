#!/usr/bin/env python3
"""Feed costs in the unit and currency given, through real runs of `plumetra-cli analyze`: the
example diets priced per kg with no unit or currency given, the same prices per tonne headed
"Price (EUR/t)" (in the league and the trends too), and those read as per short ton by
--cost-unit.

    check_cost_units.py CLI EXAMPLES_DIR TEST_DATA_DIR OUT_DIR
"""
import math
import pathlib
import sys

from check_cli_promises import Run, rows_of

KILOGRAMS_PER_SHORT_TON = 2000 * 0.45359237


def costs(cli, flocks, diets, out, extra=()):
    document = Run(cli, ["analyze", "--flocks", str(flocks), "--diets", str(diets), "--no-lst", "--auto-match",
                         "--sex", "mixed", "--json", "--out", str(out)] + list(extra), out).json()
    rows = rows_of(out / "flocks.tsv")
    column = next(c for c in rows[0] if c.startswith("feed_cost_per_kg"))
    return document["analysis"]["feed_costs"], column, [float(r[column]) for r in rows]


def main(cli, examples, data, out):
    flocks = examples / "flocks.csv"
    plain, plain_column, per_kg = costs(cli, flocks, examples / "diets.csv", out / "per_kg")
    assert plain == {"price_per": None, "price_per_source": plain["price_per_source"], "currency": None}, plain
    assert plain["price_per_source"].startswith("guessed"), plain
    assert plain_column == "feed_cost_per_kg", plain_column

    tonne, tonne_column, per_tonne = costs(cli, flocks, data / "diets" / "price_eur_per_tonne.csv", out / "per_tonne")
    assert (tonne["price_per"], tonne["currency"], tonne_column) == ("tonne", "EUR", "feed_cost_per_kg_EUR"), tonne
    assert all(math.isclose(a, b, rel_tol=1e-12) for a, b in zip(per_kg, per_tonne))
    metrics = (out / "per_tonne" / "metrics.tsv").read_text(encoding="utf-8").splitlines()[0].split("\t")
    assert "Feed Cost per kg (EUR)" in metrics, metrics

    # The league and the trends carry the currency too.
    eur_diets = ["--flocks", str(flocks), "--diets", str(data / "diets" / "price_eur_per_tonne.csv"), "--no-lst",
                 "--auto-match", "--sex", "mixed"]
    league = Run(cli, ["league"] + eur_diets + ["--json", "--out", str(out / "league")], out).json()["league"]
    assert "feed_cost_per_kg_EUR" in league["entries"][0], league["entries"][0]
    assert "feed_cost_per_kg_EUR_mean" in rows_of(out / "league" / "league.tsv")[0]
    trends = Run(cli, ["trends"] + eur_diets + ["--json"], out).json()["trends"]
    assert "feed_cost_per_kg_EUR" in trends["periods"][0], trends["periods"][0]

    # The same numbers per short ton: each cost per kg 1000 / 907.18474 times the cost per tonne.
    short, _, per_short_ton = costs(cli, flocks, data / "diets" / "price_eur_per_tonne.csv", out / "per_short_ton",
                                    ["--cost-unit", "short-ton", "--currency", "USD"])
    assert (short["price_per"], short["price_per_source"], short["currency"]) == ("short ton", "--cost-unit", "USD"), short
    assert all(math.isclose(s, t * 1000 / KILOGRAMS_PER_SHORT_TON, rel_tol=1e-12) for s, t in zip(per_short_ton, per_tonne))
    print(f"{len(per_kg)} flocks: the same feed cost per kg per kg and per tonne, 10.2 % more per short ton")


if __name__ == "__main__":
    main(sys.argv[1], pathlib.Path(sys.argv[2]), pathlib.Path(sys.argv[3]), pathlib.Path(sys.argv[4]))
