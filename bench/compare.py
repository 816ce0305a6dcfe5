#!/usr/bin/env python3
"""Prints the Markdown table of BENCHMARKS.md from quenta_bench's JSON output.

Run the bench with --benchmark_repetitions=N --benchmark_out=FILE
--benchmark_out_format=json, then: python3 bench/compare.py FILE
Each case's Quenta and PangoCairo medians (wall and CPU time), their ratio,
and the bytes per character the long-text case reports.
"""
import json
import sys

UNITS = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}


def main(path):
    with open(path) as f:
        runs = json.load(f)["benchmarks"]
    medians = {}
    for run in runs:
        if run.get("aggregate_name") != "median":
            continue
        case, _, side = run["run_name"].partition("/")
        scale = UNITS[run.get("time_unit", "ns")]
        medians.setdefault(case, {})[side] = run | {
            "real_us": run["real_time"] * scale,
            "cpu_us": run["cpu_time"] * scale,
        }
    print("| case | Quenta wall (us) | PangoCairo wall (us) | Quenta CPU (us) | PangoCairo CPU (us) "
          "| ratio wall | ratio CPU | bytes/char Quenta | bytes/char PangoCairo |")
    print("| --- | ---: | ---: | ---: | ---: | ---: | ---: | ---: | ---: |")
    for case, sides in medians.items():
        q, p = sides.get("Quenta"), sides.get("PangoCairo")
        if not q or not p:
            continue
        per_char = [f'{s["bytes_per_char"]:.0f}' if "bytes_per_char" in s else "" for s in (q, p)]
        print(f'| {case} | {q["real_us"]:,.1f} | {p["real_us"]:,.1f} | {q["cpu_us"]:,.1f} | {p["cpu_us"]:,.1f} '
              f'| {q["real_us"] / p["real_us"]:.3f} | {q["cpu_us"] / p["cpu_us"]:.3f} | {per_char[0]} | {per_char[1]} |')


if __name__ == "__main__":
    main(sys.argv[1])
