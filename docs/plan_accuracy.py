#!/usr/bin/env python3
"""How far the histogram method's curves and plan lie from a Monte Carlo of the same model.

Runs `tessavin-cli run` and `tessavin-cli montecarlo` on a few cases and prints Markdown tables:
the largest |pF(method) - pF(MC)| over the years with the year where it occurs, the first
inspection of each, and the further inspections. Usage (from the repository root, after a build):

    python3 docs/plan_accuracy.py [--cli build/tessavin-cli] [--samples 1000000] > docs/plan-accuracy.md
"""
import argparse
import json
import os
import subprocess
import tempfile
import time

CASES = [
    ("edge crack, defaults (128 classes)", {}),
    ("surface crack, defaults (128 classes)", {"crack_origin": "surface"}),
    ("edge crack, 16 classes", {"intervals": 16}),
    ("edge crack, 64 classes", {"intervals": 64}),
    ("edge crack, narrow Fy (LogNormal 280, sd 5)",
     {"inputs": [None, None, {"type": 1, "mi": 280, "sigma": 5}]}),
]
CONVERGENCE = [16, 32, 64, 128, 256]


def cli_json(cli, command, case, extra):
    with tempfile.NamedTemporaryFile("w", suffix=".json", delete=False) as f:
        json.dump(case, f)
        path = f.name
    try:
        start = time.time()
        out = subprocess.run([cli, command, path, "--json"] + extra, check=True,
                             capture_output=True, text=True).stdout
        return json.loads(out), time.time() - start
    finally:
        os.unlink(path)


def compare(cli, case, samples):
    method, t_method = cli_json(cli, "run", case, [])
    mc, t_mc = cli_json(cli, "montecarlo", case, ["--samples", str(samples)])
    diffs = [(m - s, year, se) for m, s, se, year in
             zip(method["pF"], mc["pF"], mc["pF_se"], mc["years"])]
    worst = max(diffs, key=lambda d: abs(d[0]))
    return {
        "worst": worst,
        "first_method": method["first_inspection"],
        "first_mc": mc["first_inspection"],
        "insp_method": [r[1] for r in method["inspections"]],
        "insp_mc": [r[1] for r in mc["inspections"]],
        "t_method": t_method,
        "t_mc": t_mc,
    }


def years(r):
    return "–" if r is None else f"{r[0]} – {r[1]}"


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--cli", default="build/tessavin-cli")
    ap.add_argument("--samples", type=int, default=1000000)
    a = ap.parse_args()

    print(f"Monte Carlo: {a.samples} samples, seed 1. pF(method) − pF(MC) at its largest;"
          " se is the standard error of the MC pF in that year.\n")
    print("| case | largest pF(method) − pF(MC) (year, se) | first inspection, method |"
          " first inspection, MC |")
    print("|---|---|---|---|")
    details = []
    for name, case in CASES:
        r = compare(a.cli, case, a.samples)
        d, year, se = r["worst"]
        print(f"| {name} | {d:+.4f} (year {year}, se {se:.4f}) | {years(r['first_method'])} |"
              f" {years(r['first_mc'])} |")
        details.append((name, r))
    print("\nInspection years (the second year of each range), method / MC:\n")
    for name, r in details:
        print(f"- {name}: {r['insp_method']} / {r['insp_mc']}")
    print("\nConvergence in the number of classes (edge crack, defaults otherwise):\n")
    print("| classes | first inspection, method | max abs(pF − MC) | run time of `run` |")
    print("|---|---|---|---|")
    mc_first = None
    for n in CONVERGENCE:
        r = compare(a.cli, {"intervals": n}, a.samples)
        mc_first = r["first_mc"]
        print(f"| {n} | {years(r['first_method'])} | {abs(r['worst'][0]):.4f} |"
              f" {r['t_method']:.1f} s |")
    print(f"\nMonte Carlo first inspection: {years(mc_first)}.")


if __name__ == "__main__":
    main()
