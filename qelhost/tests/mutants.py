#!/usr/bin/env python3
"""Single-byte mutants of a plugin DLL, each run through a session by qelhost.

    mutants.py --dll PATH --session PATH [--rows FILE] [--sample N]
               [--seed S] [--budget SECONDS] [--jobs N] [--timeout SECONDS]
               [--wine PREFIX_SCRIPT --wine-exe QELHOST_EXE --emulated yes|no]
               -- QELHOST_COMMAND...

Each mutant is the DLL with the byte at one offset replaced, beside the DLL's
language files, run with --timeout. Whatever a mutant does, qelhost must
end it with a status that says whose the end was; it fails the test when it:
  - ends with status 4 (qelhost blaming itself) or by a signal;
  - runs past the timeout (by more than the time qelhost needs to start);
  - with --wine, ends otherwise than qelhost.exe under Wine does (Wine's 139
    for a stack pointer that left the stack counts as the plugin's 3).

--rows names the fixed rows: lines "OFFSET BYTE SHA256 why", run whenever
the DLL's SHA-256 is the row's. --sample adds N mutants drawn with --seed
(a new seed when not given, printed), started while --budget lasts. Every
mutant that fails is printed as a row to add to the file.
"""
import argparse
import concurrent.futures
import hashlib
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

STARTUP_SLACK = 20  # seconds beyond --timeout before a run counts as hung
# qemu-user's own assertion, with which the emulator aborts on an instruction
# it cannot translate: the run says nothing of qelhost, and counts apart.
EMULATOR_ABORT = re.compile(r"^ERROR:.*/target/i386/.*assertion failed")


def read_rows(path, digest):
    rows, other = [], set()
    with open(path) as lines:
        for line in lines:
            line = line.split("#", 1)[0].split()
            if not line:
                continue
            offset, byte, sha = int(line[0], 16), int(line[1], 16), line[2]
            if sha == digest:
                rows.append((offset, byte))
            else:
                other.add(sha)
    return rows, other


def draw(data, count, seed):
    chance = random.Random(seed)
    mutants = []
    while len(mutants) < count:
        offset = chance.randrange(len(data))
        byte = chance.randrange(256)
        if byte != data[offset]:
            mutants.append((offset, byte))
    return mutants


class Runner:
    def __init__(self, arguments, data):
        self.arguments = arguments
        self.data = data
        self.folders = threading.local()
        self.work = tempfile.mkdtemp(prefix="qelhost-mutants-")
        self.wine_environment = None
        if arguments.wine:
            self.wine_environment = self.wine_prefix()

    def wine_prefix(self):
        environment = dict(os.environ, QELHOST_EMULATED=self.arguments.emulated)
        made = subprocess.run([self.arguments.wine], capture_output=True, text=True,
                              env=environment)
        prefix = made.stdout.strip()
        if made.returncode != 0:
            # As run_wine.sh says it: "skipped: why".
            print("qelhost.exe mutants " + (prefix or "skipped: no Wine prefix"))
            sys.exit(0)
        return dict(os.environ, WINEPREFIX=prefix, WINEDEBUG="-all")

    def folder(self):
        # One folder per worker: the DLL beside the language files.
        if not hasattr(self.folders, "path"):
            self.folders.path = tempfile.mkdtemp(dir=self.work)
            source = os.path.dirname(os.path.abspath(self.arguments.dll))
            for name in os.listdir(source):
                if name.lower().endswith(".lng"):
                    shutil.copy(os.path.join(source, name), self.folders.path)
        return self.folders.path

    def run_once(self, command, dll, environment=None):
        limit = self.arguments.timeout + STARTUP_SLACK
        started = time.monotonic()
        try:
            done = subprocess.run(command + ["--timeout", str(self.arguments.timeout), dll,
                                             self.arguments.session],
                                  stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                  stderr=subprocess.PIPE, timeout=limit, env=environment)
        except subprocess.TimeoutExpired:
            return None, "ran past %d s" % limit, time.monotonic() - started
        lines = done.stderr.decode(errors="replace").rstrip("\n").split("\n")
        return done.returncode, lines[-1], time.monotonic() - started

    def run(self, mutant):
        offset, byte = mutant
        mutated = bytearray(self.data)
        mutated[offset] = byte
        dll = os.path.join(self.folder(), os.path.basename(self.arguments.dll))
        with open(dll, "wb") as file:
            file.write(mutated)
        status, line, seconds = self.run_once(self.arguments.command, dll)
        problem = judge(status, line, seconds, self.arguments.timeout)
        if problem is None and self.wine_environment is not None:
            wine = ["wine", self.arguments.wine_exe]
            wine_status, wine_line, _ = self.run_once(wine, dll, self.wine_environment)
            if wine_status == 139:  # Wine ends a process whose stack pointer left the stack
                wine_status = 3
            if wine_status != status:
                problem = "qelhost.exe under Wine ends with %s (%s), qelhost with %s" % (
                    wine_status, wine_line, status)
        return mutant, status, line, problem


def judge(status, line, seconds, timeout):
    if status == -signal.SIGABRT and EMULATOR_ABORT.match(line):
        return None
    if status is None:
        return "hung: " + line
    if status == 4:
        return "blamed on qelhost: " + line
    if status < 0 or status not in (0, 2, 3, 5):
        return "ended with status %d: %s" % (status, line)
    if seconds > timeout + STARTUP_SLACK:
        return "ran %.0f s, past the timeout" % seconds
    return None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--dll", required=True)
    parser.add_argument("--session", required=True)
    parser.add_argument("--rows")
    parser.add_argument("--sample", type=int, default=0)
    parser.add_argument("--seed", type=int)
    parser.add_argument("--budget", type=float, default=0)
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 1)
    parser.add_argument("--timeout", type=int, default=5)
    parser.add_argument("--wine")
    parser.add_argument("--wine-exe")
    parser.add_argument("--emulated", default="no")
    parser.add_argument("command", nargs="+")
    arguments = parser.parse_args()
    arguments.command = [part for part in arguments.command if part]

    data = open(arguments.dll, "rb").read()
    digest = hashlib.sha256(data).hexdigest()
    mutants = []
    if arguments.rows:
        rows, other = read_rows(arguments.rows, digest)
        if not rows and other:
            print("fixed rows skipped: they are for other DLLs than this one (SHA-256 %s)" % digest)
        mutants += rows
    if arguments.sample:
        seed = arguments.seed if arguments.seed is not None else random.randrange(1 << 32)
        print("sample of %d, seed %d" % (arguments.sample, seed))
        mutants += draw(data, arguments.sample, seed)

    runner = Runner(arguments, data)
    fixed = len(mutants) - arguments.sample
    started = time.monotonic()
    outcomes, failures, hangs, blamed, emulator = {}, [], 0, 0, []
    with concurrent.futures.ThreadPoolExecutor(arguments.jobs) as pool:
        def within_budget(index):
            # Fixed rows always run; sampled ones while the budget lasts.
            return (index < fixed or not arguments.budget
                    or time.monotonic() - started < arguments.budget)

        pending = [pool.submit(lambda i=i, m=m: runner.run(m) if within_budget(i) else None)
                   for i, m in enumerate(mutants)]
        for future in pending:
            result = future.result()
            if result is None:
                continue
            (offset, byte), status, line, problem = result
            outcomes[status] = outcomes.get(status, 0) + 1
            if status == -signal.SIGABRT and EMULATOR_ABORT.match(line):
                emulator.append("%#06x %#04x: %s" % (offset, byte, line))
            if problem:
                hangs += problem.startswith("hung")
                blamed += problem.startswith("blamed")
                failures.append("%#06x %#04x %s  # %s" % (offset, byte, digest, problem))
    shutil.rmtree(runner.work, ignore_errors=True)
    run = sum(outcomes.values())
    print("%d mutants run in %.0f s; statuses %s; blamed on qelhost: %d; hangs: %d" % (
        run, time.monotonic() - started,
        ", ".join("%s: %d" % (k, v) for k, v in sorted(outcomes.items(), key=str)), blamed, hangs))
    for abort in emulator:
        print("the emulator aborted, which tells nothing of qelhost (run natively to check): "
              + abort)
    for failure in failures:
        print(failure)
    if failures:
        sys.exit("%d of %d mutants failed; each line above is a fixed row to keep" % (
            len(failures), run))


if __name__ == "__main__":
    main()
