#!/usr/bin/env python3
"""Turns the sample lines of one scripts/bench run into its table.

Reads lines "sample <TAB> case <TAB> who <TAB> value" (who: zuno or floor) on
standard input and prints a Markdown table: per case the median of ZUNO's
runs, the median of the floor's runs in the same run, their ratio and
difference, the target and whether it was met. Other lines are ignored.
"""

import statistics
import sys
from collections import defaultdict

MS, KB = "ms", "kB"

# key, what the row says, unit, target text, checks: (name, test(zuno, floor))
CASES = [
    ("startup", "start-up: process start to Main Window mapped and drawn", MS,
     "under 0.3 s (the ratio is the widgets' cost: the target is against their floor, below)",
     [("0.3 s", lambda z, f: z < 300)]),
    ("startup-widgets", "start-up, against the floor of the same widgets", MS,
     "at most 1.2x the floor",
     [("1.2x", lambda z, f: z <= 1.2 * f)]),
    ("memory-rss", "memory at rest, demo connected: RSS", KB,
     "at most 1.2x the floor",
     [("1.2x", lambda z, f: z <= 1.2 * f)]),
    ("memory-rss-widgets", "memory at rest, RSS, against the floor of the same widgets", KB,
     "(for information)", []),
    ("memory-anon", "memory at rest, demo connected: anonymous", KB,
     "at most 10 MB above the floor",
     [("+10 MB", lambda z, f: z - f <= 10 * 1024)]),
    ("query-sqlite", "run a query, 50 x 20, SQLite: until the grid is filled", MS,
     "under 20 ms over the floor",
     [("+20 ms", lambda z, f: z - f < 20)]),
    ("query-pg", "run a query, 50 x 20, PostgreSQL: until the grid is filled", MS,
     "under 20 ms over the floor",
     [("+20 ms", lambda z, f: z - f < 20)]),
    ("query-all", "run a query, 100,000 x 8, PostgreSQL, Rows to fetch 0: until the grid is filled", MS,
     "at most 1.0x the floor (values read one by one)",
     [("1.0x", lambda z, f: z <= f)]),
    ("query-all-blocks", "the same, against the floor that fetches in blocks", MS,
     "at most 1.05x the floor",
     [("1.05x", lambda z, f: z <= 1.05 * f)]),
    ("query-million", "run a query, 1,000,000 x 8, PostgreSQL, Rows to fetch 0: until the grid is filled", MS,
     "(for information)", []),
    ("query-million-blocks", "the same, against the floor that fetches in blocks", MS,
     "at most 1.1x the floor",
     [("1.1x", lambda z, f: z <= 1.1 * f)]),
    ("result-memory", "memory of a shown result, 100,000 x 8: resident set added, floor its cell texts", KB,
     "at most 1.5x the floor",
     [("1.5x", lambda z, f: z <= 1.5 * f)]),
    ("catalog", "large catalog list, 100,000 x 8: until the grid is filled", MS,
     "under 2 s, at most 1.0x the floor (values read one by one)",
     [("2 s", lambda z, f: z < 2000), ("1.0x", lambda z, f: z <= f)]),
    ("catalog-blocks", "the same, against the floor that fetches in blocks", MS,
     "at most 1.05x the floor",
     [("1.05x", lambda z, f: z <= 1.05 * f)]),
    ("catalog-drawn", "large catalog list, 100,000 x 8: until the grid has drawn", MS,
     "(for information)", []),
    ("completion-first", "name completion, 100,000 tables: Ctrl+Space until the first names are offered", MS,
     "under 2 s, at most 1.5x the floor",
     [("2 s", lambda z, f: z < 2000), ("1.5x", lambda z, f: z <= 1.5 * f)]),
    ("completion-typing", "name completion, 100,000 tables: worst key delay while the names load", MS,
     "under 50 ms", [("50 ms", lambda z, f: z < 50)]),
    ("store-save", "query store, 10,000 records: save", MS, "under 100 ms",
     [("100 ms", lambda z, f: z < 100)]),
    ("store-load", "query store, 10,000 records: load", MS, "under 100 ms",
     [("100 ms", lambda z, f: z < 100)]),
    ("store-list", "query store, 10,000 records: list", MS, "under 100 ms",
     [("100 ms", lambda z, f: z < 100)]),
    ("report", "report export, 100,000 x 8 grid", MS, "at most 3x the floor",
     [("3x", lambda z, f: z <= 3 * f)]),
    ("sort-text", "sort by a header click, 100,000 x 8 grid: a name column", MS, "at most 100 ms",
     [("100 ms", lambda z, f: z <= 100)]),
    ("sort-number", "sort by a header click, 100,000 x 8 grid: a number column", MS, "at most 100 ms",
     [("100 ms", lambda z, f: z <= 100)]),
    ("first-rows", "first rows drawn, 1,000,000 x 8 through a cursor, floor the same for 50 rows", MS,
     "at most 1.5x the floor", [("1.5x", lambda z, f: z <= 1.5 * f)]),
    ("memory-back", "resident set at rest after a 300,000-row result was replaced, floor before it", KB,
     "at most 10 MB above the floor", [("+10 MB", lambda z, f: z - f <= 10 * 1024)]),
    ("memory-five", "resident set at rest after five runs of it, floor after one", KB,
     "at most 1.1x the floor", [("1.1x", lambda z, f: z <= 1.1 * f)]),
    ("growth-time", "time per 1,000 rows at 1,000,000 rows, floor at 10,000", MS,
     "at most 1.1x the floor", [("1.1x", lambda z, f: z <= 1.1 * f)]),
    ("growth-memory", "memory per 1,000 rows at 1,000,000 rows, floor at 10,000", KB,
     "at most 1.1x the floor", [("1.1x", lambda z, f: z <= 1.1 * f)]),
]


def verdict(checks, z, f):
    """"yes" when every part of the target is met, else each part's outcome."""
    outcomes = [(name, test(z, f)) for name, test in checks]
    if not outcomes:
        return "—"
    if all(met for _, met in outcomes):
        return "yes"
    if len(outcomes) == 1:
        return "**no**"
    return ", ".join(f"{name} {'yes' if met else '**no**'}" for name, met in outcomes)


def shown(value, unit):
    if unit == KB:
        return f"{value / 1024:.1f} MB"
    if value >= 1000:
        return f"{value / 1000:.2f} s"
    return f"{value:.1f} ms" if value < 100 else f"{value:.0f} ms"


def main():
    samples = defaultdict(lambda: defaultdict(list))
    for line in sys.stdin:
        parts = line.rstrip("\n").split("\t")
        if len(parts) == 4 and parts[0] == "sample":
            samples[parts[1]][parts[2]].append(float(parts[3]))

    print("| case | ZUNO | floor, in the same run | ratio | ZUNO - floor | target | met |")
    print("|---|---:|---:|---:|---:|---|---|")
    for key, title, unit, target, checks in CASES:
        runs = samples.get(key)
        if not runs or not runs["zuno"] or not runs["floor"]:
            continue
        z = statistics.median(runs["zuno"])
        f = statistics.median(runs["floor"])
        # Three decimals near the ratio targets, where the third can decide.
        ratio = "—" if f <= 0 else (f"{z / f:.3f}x" if z / f < 2 else f"{z / f:.1f}x")
        difference = ("+" if z >= f else "-") + shown(abs(z - f), unit)
        n = min(len(runs["zuno"]), len(runs["floor"]))
        print(f"| {title} (median of {n}) | {shown(z, unit)} | {shown(f, unit)} | {ratio} "
              f"| {difference} | {target} | {verdict(checks, z, f)} |")


if __name__ == "__main__":
    main()
