#!/usr/bin/env python3
"""Runs the test groups one after another, each to its end whatever the others
did, then closes with one table: each group's tests passed, failed and skipped,
and its seconds.

usage: run_groups.py MAKE GROUP...
A group is the make target test-GROUP. Its counts come from CTest's summary
lines ("N tests failed out of M", and "N - NAME (Skipped)", which CTest counts
among the passed); a group that fails without a failed test
(its build, say) counts one failure. Exit status 1 when any group failed,
130 when stopped by Ctrl-C.

The groups run with QELFAR_BUILT_PRESETS naming a folder of this run, where
tests/build_once.sh marks each preset it has built: groups that share a
build configure and build it once.
"""
import os
import re
import signal
import subprocess
import sys
import tempfile
import time

import test_results

# Where each group's ctest writes its JUnit file (the Makefile's CTEST_RESULTS).
RESULTS_FOLDER = "build/test-results"

CTEST_SUMMARY = re.compile(r"\d+% tests passed, (\d+) tests? failed out of (\d+)")
CTEST_SKIPPED = re.compile(r"^\s*\d+ - .* \(Skipped\)$")


class Result:
    def __init__(self, group):
        self.group = group
        self.passed = 0
        self.failed = 0
        self.skipped = 0
        self.seconds = 0.0
        self.note = ""
        self.skipped_tests = []
        self.failed_tests = []


def run_group(make, group):
    """Runs make test-GROUP, its output shown as it comes and read for CTest's summaries."""
    result = Result(group)
    started = time.monotonic()
    started_at = time.time()
    print(f"== make test-{group}", flush=True)
    # close_fds=False: a make started with -j hands its job slots down.
    make_run = subprocess.Popen([make, f"test-{group}"], stdout=subprocess.PIPE,
                                stderr=subprocess.STDOUT, close_fds=False)
    try:
        for line in make_run.stdout:
            sys.stdout.buffer.write(line)
            sys.stdout.flush()
            text = line.decode("utf-8", "replace")
            summary = CTEST_SUMMARY.search(text)
            if summary:
                failed, total = int(summary.group(1)), int(summary.group(2))
                result.failed += failed
                result.passed += total - failed
            elif CTEST_SKIPPED.match(text):
                result.skipped += 1
                result.passed -= 1
        status = make_run.wait()
    except KeyboardInterrupt:
        # make has the Ctrl-C too: let it stop its tests and clean up.
        signal.signal(signal.SIGINT, signal.SIG_IGN)
        make_run.wait()
        raise
    result.seconds = time.monotonic() - started
    result.skipped_tests, result.failed_tests = test_results.read(
        RESULTS_FOLDER, group, started_at)
    if status != 0 and result.failed == 0:
        result.failed = 1
        result.note = f"make test-{group} failed outside its tests"
    return result


def table(results):
    width = max([len("group")] + [len(r.group) for r in results])

    def row(name, passed, failed, skipped, seconds):
        return f"{name:<{width}}  {passed:>6}  {failed:>6}  {skipped:>7}  {seconds:>7}"

    lines = [row("group", "passed", "failed", "skipped", "seconds")]
    for r in results:
        line = row(r.group, r.passed, r.failed, r.skipped, f"{r.seconds:.1f}")
        lines.append(f"{line}  {r.note}" if r.note else line)
    lines.append(row("all", sum(r.passed for r in results), sum(r.failed for r in results),
                     sum(r.skipped for r in results), f"{sum(r.seconds for r in results):.1f}"))
    return "\n".join(lines)


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    make, groups = sys.argv[1], sys.argv[2:]
    results = []
    with tempfile.TemporaryDirectory(prefix="qelfar-built-") as built:
        os.environ["QELFAR_BUILT_PRESETS"] = built
        try:
            for group in groups:
                results.append(run_group(make, group))
        except KeyboardInterrupt:
            print(f"\nmake test: stopped by Ctrl-C during test-{group}", file=sys.stderr)
            return 130
    print(f"\n{table(results)}", flush=True)
    for line in test_results.explain([t for r in results for t in r.skipped_tests],
                                     [t for r in results for t in r.failed_tests]):
        print(line, flush=True)
    failed = [r.group for r in results if r.failed]
    if failed:
        print(f"make test: failed in {', '.join(failed)}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
