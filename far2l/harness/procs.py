"""Finds and ends the processes a test started, by pid, never by name."""
import os
import signal


def _stat(pid):
    """(parent pid, start time) of PID, or None when it is gone or a zombie."""
    try:
        with open(f"/proc/{pid}/stat") as stat:
            fields = stat.read().rsplit(")", 1)[1].split()
    except OSError:
        return None
    return None if fields[0] == "Z" else (int(fields[1]), fields[19])


def tree(pid):
    """PID and its descendants, each as (pid, start time) so a reused pid is never hit."""
    parents = {}
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            stat = _stat(int(entry))
            if stat:
                parents.setdefault(stat[0], []).append((int(entry), stat[1]))
    own = _stat(pid)
    found = [(pid, own[1])] if own else []
    for pid_, _ in found:
        found += parents.get(pid_, [])
    return found


def work(processes):
    """Their processor time so far in clock ticks, and whether any of them is running now
    (or waiting on a disk)."""
    ticks, running = 0, False
    for pid, started in processes:
        try:
            with open(f"/proc/{pid}/stat") as stat:
                fields = stat.read().rsplit(")", 1)[1].split()
        except OSError:
            continue
        if fields[19] == started:
            ticks += int(fields[11]) + int(fields[12])
            running = running or fields[0] in "RD"
    return ticks, running


def alive(process):
    stat = _stat(process[0])
    return bool(stat) and stat[1] == process[1]


def kill(processes):
    for process in processes:
        if alive(process):
            try:
                os.kill(process[0], signal.SIGKILL)
            except ProcessLookupError:
                pass


def exit_on_signals():
    """Turns SIGTERM, SIGHUP and SIGINT into SystemExit, so that a stopped test still
    runs its clean-up and leaves no far2l or tmux behind."""
    def stop(signum, frame):
        raise SystemExit(128 + signum)
    for signum in (signal.SIGTERM, signal.SIGHUP, signal.SIGINT):
        signal.signal(signum, stop)
