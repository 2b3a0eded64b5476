#!/usr/bin/env python3
"""Prints the medians of Google Benchmark JSON reports and the ratios the speed targets
are about: measuring a grid at least half as fast as memchr over the same bytes, and the
load cycle of an 80 x 400 cell picture within 3 times its clear-and-copy baseline.

    bench/summarise.py REPORT.json...
"""
import json
import sys

# (subject, baseline, what the ratio is, target or None, the arguments it applies to)
PAIRS = [
    ("BM_MeasureNoLineFeed", "BM_MemchrNoLineFeed", "speed / memchr's", (">=", 0.5), None),
    ("BM_LoadCycle", "BM_ClearAndCopy", "time / clear-and-copy", ("<=", 3.0),
     "columns:80/rows:400/"),
    ("BM_CreatePicture80x400", "BM_ClearAndCopyBaseline80x400", "time / clear-and-copy",
     None, None),
]

NANOSECONDS = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}


def medians(paths):
    found = {}
    for path in paths:
        with open(path) as report:
            for run in json.load(report)["benchmarks"]:
                if run.get("aggregate_name") == "median":
                    found[run["run_name"]] = run
    return found


def cpu_ns(run):
    return run["cpu_time"] * NANOSECONDS[run["time_unit"]]


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    runs = medians(sys.argv[1:])
    print("median CPU time")
    for name, run in sorted(runs.items()):
        extra = ""
        if "bytes_per_second" in run:
            extra = f"  {run['bytes_per_second'] / 1e9:8.2f} GB/s"
        print(f"  {name:52} {cpu_ns(run) / 1e6:10.4f} ms{extra}")
    missed = 0
    print("ratios")
    for subject, baseline, meaning, target, applies_to in PAIRS:
        for name, run in sorted(runs.items()):
            if not name.startswith(subject + "/"):
                continue
            arguments = name[len(subject) + 1:]
            other = runs.get(baseline + "/" + arguments)
            if other is None:
                continue
            ratio = cpu_ns(run) / cpu_ns(other)
            if meaning.startswith("speed"):
                ratio = 1 / ratio
            verdict = ""
            applies = applies_to is None or (arguments + "/").startswith(applies_to)
            if target is not None and applies:
                relation, bound = target
                met = ratio >= bound if relation == ">=" else ratio <= bound
                missed += not met
                verdict = f"  target {relation} {bound:g}: {'met' if met else 'MISSED'}"
            print(f"  {subject}/{arguments:34} {meaning} {ratio:6.2f}{verdict}")
    return 1 if missed else 0


if __name__ == "__main__":
    sys.exit(main())
