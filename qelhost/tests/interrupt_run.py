#!/usr/bin/env python3
"""Interrupts a run of qelhost and checks that it ends as it says.

    interrupt_run.py --signal INT --status 130 --when busy|waiting
                     --line "qelhost: ..." [--wine PREFIX_SCRIPT --emulated yes|no]
                     -- COMMAND... PLUGIN

The session comes through standard input, a pipe kept open: a note, then
(busy) a menu item whose OpenPlugin never returns. Once the plugin has said
"fixture: busy" (or, waiting, "fixture: started" and a moment after), the
signal goes to qelhost, which must end with STATUS, the note kept in the
transcript, and LINE last on standard error. With --wine the command is
qelhost.exe, run by Wine in the tests' prefix; where Wine cannot run, the
test says why and is skipped (status 77 is not used: the line is enough).
"""
import argparse
import os
import signal
import subprocess
import sys
import threading
import time

NOTE = "what came before the signal"


def wine_command(arguments, command):
    environment = dict(os.environ, QELHOST_EMULATED=arguments.emulated)
    made = subprocess.run([arguments.wine], capture_output=True, text=True, env=environment)
    prefix = made.stdout.strip()
    if made.returncode != 0:
        print("qelhost.exe tests " + (prefix or "skipped: the Wine prefix could not be made"))
        sys.exit(0)
    os.environ.update(WINEPREFIX=prefix, WINEDEBUG="-all")
    return ["wine"] + command


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--signal", required=True)
    parser.add_argument("--status", type=int, required=True)
    parser.add_argument("--when", choices=["busy", "waiting"], required=True)
    parser.add_argument("--line", required=True)
    parser.add_argument("--wine")
    parser.add_argument("--emulated", default="no")
    parser.add_argument("command", nargs="+")
    arguments = parser.parse_args()
    command = [part for part in arguments.command if part]
    if arguments.wine:
        command = wine_command(arguments, command)

    run = subprocess.Popen(command + ["--timeout", "0"], stdin=subprocess.PIPE,
                           stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    script = "note " + NOTE + "\n" + ("menu panels\n" if arguments.when == "busy" else "")
    run.stdin.write(script.encode())
    run.stdin.flush()  # and kept open: qelhost waits for more
    errors = []
    mark = b"fixture: busy" if arguments.when == "busy" else b"fixture: started"
    seen = threading.Event()

    def read_errors():
        for line in run.stderr:
            errors.append(line)
            if mark in line:
                seen.set()

    reader = threading.Thread(target=read_errors, daemon=True)
    reader.start()
    output = []
    writer = threading.Thread(target=lambda: output.append(run.stdout.read()), daemon=True)
    writer.start()
    if not seen.wait(30):
        run.kill()
        sys.exit("the plugin never said %r; standard error: %r" % (mark, b"".join(errors)))
    if arguments.when == "waiting":
        time.sleep(2)  # GetPluginInfo and the note done, qelhost reads the pipe
    run.send_signal(getattr(signal, "SIG" + arguments.signal))
    try:
        status = run.wait(20)
    except subprocess.TimeoutExpired:
        run.kill()
        sys.exit("qelhost did not end within 20 s of SIG" + arguments.signal)
    reader.join(5)
    writer.join(5)
    transcript = output[0].decode() if output else ""
    last = b"".join(errors).decode().rstrip("\n").split("\n")[-1]
    failures = []
    if status != arguments.status:
        failures.append("exit status %d, expected %d" % (status, arguments.status))
    if NOTE not in transcript:
        failures.append("the transcript lost what came before:\n" + transcript)
    if last != arguments.line:
        failures.append("the last line on standard error is %r, expected %r" % (last, arguments.line))
    if failures:
        sys.exit("\n".join(failures))
    print("status %d, transcript kept, %s" % (status, last))


if __name__ == "__main__":
    main()
