#!/usr/bin/env python3
"""Counts the instructions of each benchmark case with callgrind.

Runs the benchmark program's --instructions mode under valgrind's callgrind
tool, which dumps its counters after each plugin call sequence and baseline,
and prints instructions per iteration, their ratio and the verdict on each
case's target. The counts do not depend on the machine's load, unlike the
times, so the verdict rests on them.

usage: count_instructions.py BENCH_PROGRAM WORK_DIR [ITERATIONS]
"""
import glob
import os
import re
import shutil
import subprocess
import sys


def run_callgrind(program, work_dir, iterations):
    shutil.rmtree(work_dir, ignore_errors=True)
    os.makedirs(work_dir)
    out = os.path.join(work_dir, "callgrind.out")
    subprocess.run(["valgrind", "--tool=callgrind", f"--callgrind-out-file={out}",
                    program, "--instructions", str(iterations)],
                   check=True, capture_output=True)
    counts = {}  # in the order of the dumps, which is the order of the cases
    for dump in sorted(glob.glob(out + ".*"), key=lambda name: int(name.rsplit(".", 1)[1])):
        text = open(dump).read()
        label = re.search(r"^desc: Trigger: Client Request: (\S+)$", text, re.M)
        summary = re.search(r"^summary: (\d+)$", text, re.M)
        if label and summary:
            counts[label.group(1)] = int(summary.group(1)) / iterations
    return counts


def targets(program):
    lines = subprocess.run([program, "--targets"], check=True, capture_output=True,
                           text=True).stdout.split("\n")
    return {name: float(target) for name, target in (line.split() for line in lines if line)}


def verdict(ratio, target):
    if target == 0:
        return "no target"
    return f"{target:g}x, {'met' if ratio <= target else 'MISSED'}"


def main():
    program, work_dir = sys.argv[1], sys.argv[2]
    iterations = int(sys.argv[3]) if len(sys.argv) > 3 else 100000
    counts = run_callgrind(program, work_dir, iterations)
    wanted = targets(program)
    print(f"\ninstructions per iteration (valgrind --tool=callgrind, {iterations} iterations)")
    print(f"{'case':<18} {'plugin':>8} {'baseline':>9} {'ratio':>7}  target")
    for case, target in wanted.items():
        plugin, baseline = counts[case + "/plugin"], counts[case + "/baseline"]
        ratio = plugin / baseline
        print(f"{case:<18} {plugin:8.1f} {baseline:9.1f} {ratio:6.2f}x  {verdict(ratio, target)}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
