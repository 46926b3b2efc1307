#!/usr/bin/env python3
"""Line and branch coverage of plugin/, host/ and qelhost/, from the counts
the tests left in the builds named (gcov data: the builds are configured
with QELFAR_COVERAGE), printed per folder.

usage: coverage.py BUILD... [--floor LINES BRANCHES] [--report FOLDER]
--floor       fails (status 1) when the total line or branch figure, in
              per cent, falls below LINES or BRANCHES
--report      keeps the figures there, with a digest of the sources they
              were measured on (the code and its tests): while the sources
              are the same, the tests reach the same lines, and the figures
              are shown again without running gcovr
"""
import argparse
import hashlib
import json
import os
import subprocess
import sys

SOURCE = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FOLDERS = ["plugin", "host", "qelhost"]


def data_files(builds):
    found = []
    for build in builds:
        for folder, _, files in os.walk(build):
            found += [os.path.join(folder, name) for name in files if name.endswith(".gcda")]
    return sorted(found)


def digest():
    """Of the code measured and of the tests that reach it."""
    hashed = hashlib.sha256()
    paths = []
    for top in FOLDERS + ["tests"]:
        for folder, _, files in os.walk(os.path.join(SOURCE, top)):
            paths += [os.path.join(folder, name) for name in files]
    for path in sorted(paths):
        hashed.update(path.encode())
        with open(path, "rb") as stream:
            hashed.update(stream.read())
    return hashed.hexdigest()


def measure(builds):
    if not data_files(builds):
        sys.exit(f"coverage: no counts in {' '.join(builds)}: run their tests first "
                 "(make test-native test-linux32)")
    run = subprocess.run(
        ["gcovr", "--root", SOURCE, "-j", str(os.cpu_count() or 1), "--json-summary", "-",
         "--exclude-unreachable-branches",
         "--exclude-throw-branches"] + [arg for top in FOLDERS for arg in ("--filter", f"{top}/")]
        + ["--exclude", "qelhost/tests/"] + builds,
        capture_output=True, text=True)
    if run.returncode != 0:
        sys.exit(f"coverage: gcovr failed:\n{run.stderr}")
    return json.loads(run.stdout)


def per_folder(summary):
    """Lines and branches (covered, total) of each folder and of all."""
    figures = {top: [0, 0, 0, 0] for top in FOLDERS + ["all"]}
    for entry in summary["files"]:
        top = entry["filename"].split("/", 1)[0]
        for key in (top, "all"):
            figure = figures[key]
            figure[0] += entry["line_covered"]
            figure[1] += entry["line_total"]
            figure[2] += entry["branch_covered"]
            figure[3] += entry["branch_total"]
    return figures


def percent(covered, total):
    return 100.0 * covered / total if total else 100.0


def table(figures):
    lines = [f"{'folder':<8}  {'lines':>17}  {'branches':>17}"]
    for top, (lines_hit, lines_all, branches_hit, branches_all) in figures.items():
        lines.append(f"{top:<8}  {lines_hit:>6}/{lines_all:<6} {percent(lines_hit, lines_all):5.1f}%"
                     f"  {branches_hit:>6}/{branches_all:<6} "
                     f"{percent(branches_hit, branches_all):5.1f}%")
    return "\n".join(lines)


def main():
    parser = argparse.ArgumentParser(usage=__doc__)
    parser.add_argument("builds", nargs="+")
    parser.add_argument("--floor", nargs=2, type=float, metavar=("LINES", "BRANCHES"))
    parser.add_argument("--report")
    args = parser.parse_args()
    kept = os.path.join(args.report, "coverage.json") if args.report else None
    stamp = digest() if kept else None
    figures = None
    if kept and os.path.isfile(kept):
        with open(kept) as stream:
            last = json.load(stream)
        if last.get("digest") == stamp:
            figures = last["figures"]
            print("coverage: the sources are those last measured")
    if figures is None:
        figures = per_folder(measure(args.builds))
        if kept:
            os.makedirs(args.report, exist_ok=True)
            with open(kept, "w") as stream:
                json.dump({"digest": stamp, "figures": figures}, stream)
    print(table(figures))
    if args.floor:
        lines_hit, lines_all, branches_hit, branches_all = figures["all"]
        lines, branches = percent(lines_hit, lines_all), percent(branches_hit, branches_all)
        if lines < args.floor[0] or branches < args.floor[1]:
            print(f"coverage: {lines:.1f}% of lines and {branches:.1f}% of branches, below the "
                  f"floor of {args.floor[0]:g}% and {args.floor[1]:g}%", file=sys.stderr)
            return 1
        print(f"coverage: at or above the floor of {args.floor[0]:g}% of lines and "
              f"{args.floor[1]:g}% of branches")
    return 0


if __name__ == "__main__":
    sys.exit(main())
