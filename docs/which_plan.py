#!/usr/bin/env python3
"""The rule's inspection plan against the exact plan and a simulation of whole lives.

Runs `tessavin-cli run` with "plan": "exact" (the rule's plan and the exact plan of one
calculation), `tessavin-cli montecarlo --plan exact` (the exact plan searched on simulated
whole lives) and, with the rule's inspections as past inspections that found nothing, the exact
conditional probability of F at each of the rule's further inspections. Prints Markdown tables.
Usage (from the repository root, after a build):

    python3 docs/which_plan.py [--cli build/tessavin-cli] [--lives 2000000] > docs/which-plan.md
"""
import argparse
import json
import os
import subprocess
import tempfile
import time

CASES = [("edge crack", {}), ("surface crack", {"crack_origin": "surface"})]
BOUNDS = ["upper", "lower"]


def run(cli, args):
    out = subprocess.run([cli] + args, check=True, capture_output=True, text=True).stdout
    return json.loads(out)


def input_file(folder, name, fields):
    path = os.path.join(folder, name + ".json")
    with open(path, "w") as f:
        json.dump(fields, f)
    return path


def made(inspections, bound):
    return [i[1] if bound == "upper" else i[0] for i in inspections]


def years(values):
    return ", ".join(str(v) for v in values) or "none"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", default="build/tessavin-cli")
    parser.add_argument("--lives", type=int, default=2000000)
    a = parser.parse_args()
    started = time.time()
    plans, rule_c = [], []
    with tempfile.TemporaryDirectory() as folder:
        for name, fields in CASES:
            for bound in BOUNDS:
                f = dict(fields, bound=bound, plan="exact")
                r = run(a.cli, ["run", input_file(folder, "exact", f), "--json"])
                sim = run(a.cli, ["montecarlo", input_file(folder, "exact", f), "--json",
                                  "--samples", str(a.lives), "--plan", "exact"])["exact"]
                rule = made(r["inspections"], bound)
                exact = r["exact"]["made"]
                plans.append((name, bound, rule, exact, sim["made"]))
                # The rule's inspections as past ones: c at each of its next inspections.
                past = sorted(set(y for y in rule if 0 <= y <= r["years"][-1]))
                if len(past) < 2:
                    continue
                g = run(a.cli, ["run", input_file(folder, "rule", dict(f, inspected=past)),
                                "--json"])["exact"]
                ys = g["years"]
                cs = [g["conditional_pF"][k][ys.index(past[k + 1])] for k in range(len(past) - 1)]
                rule_c.append((name, bound, past, cs))
                pd = 2.277e-2

    print("# Which plan?\n")
    print("Pd = 2.277E-2, years 0 .. 150, the input page's defaults otherwise; inspections as "
          "made (the upper bound at the later year of each range, the lower at the earlier). "
          "Simulation: %d whole lives (`tessavin-cli montecarlo --plan exact`).\n" % a.lives)
    print("| case | bound | rule | exact | simulation |")
    print("|---|---|---|---|---|")
    for name, bound, rule, exact, sim in plans:
        print("| %s | %s | %s | %s | %s |" % (name, bound, years(rule), years(exact), years(sim)))
    print("\nThe exact conditional probability of F at each further inspection of the rule, "
          "after the rule's inspections before it found nothing (as a multiple of Pd):\n")
    print("| case | bound | rule's inspection: c / Pd |")
    print("|---|---|---|")
    for name, bound, past, cs in rule_c:
        cells = ", ".join("%d: %.2f" % (past[k + 1], c / pd) for k, c in enumerate(cs))
        print("| %s | %s | %s |" % (name, bound, cells))
    print("\n(%.0f s)" % (time.time() - started))


if __name__ == "__main__":
    main()
