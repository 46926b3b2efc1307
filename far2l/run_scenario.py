#!/usr/bin/env python3
"""Runs one far2l scenario (a module of scenarios/) with a built qelfar package.

usage: run_scenario.py NAME PACKAGE_DIR
Exit status 0 when the journey went as expected; otherwise it prints the step
that failed (file and line), what it expected, the whole screen and far2l's
error output.
"""
import importlib
import os
import sys
import time

from harness import failure, install, procs, rootfs
from harness.journey import Journey


def run(name, package):
    scenario = importlib.import_module(f"scenarios.{name}")
    root = rootfs.ensure_root()
    journey = Journey(root, package)
    try:
        with install.installed(root, package):
            scenario.run(journey)
    except AssertionError as error:  # a ScreenError, or a fault the scenario found
        print(failure.report(f"scenario {name}", error, journey.runs), file=sys.stderr)
        return 1
    finally:
        journey.close()
    return 0


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    procs.exit_on_signals()
    name, package = sys.argv[1], os.path.abspath(sys.argv[2])
    started = time.monotonic()
    try:
        status = run(name, package)
    except (rootfs.RootUnavailable, install.NoPackage) as error:
        print(f"far2l tests: {error}", file=sys.stderr)
        return 1
    if status == 0:
        print(f"far2l scenario {name}: passed in {time.monotonic() - started:.1f} s")
    return status


if __name__ == "__main__":
    sys.exit(main())
