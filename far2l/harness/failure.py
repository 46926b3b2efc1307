"""What a failed far2l journey tells: the step that failed, as each file and line from the
journey's own code down to the wait, what that step expected, the screen, and far2l's
error output."""
import os
import traceback

HARNESS = os.path.dirname(os.path.abspath(__file__))
FAR2L_DIR = os.path.dirname(HARNESS)
# The runner and the waits themselves are where every step passes through.
NOT_STEPS = [os.path.join(FAR2L_DIR, "run_scenario.py"), os.path.join(HARNESS, "session.py")]


def step(error):
    """The frames of the failed step, outermost first, as 'far2l/FILE:LINE (function): code'."""
    frames = []
    for frame in traceback.extract_tb(error.__traceback__):
        if frame.filename.startswith(FAR2L_DIR + os.sep) and frame.filename not in NOT_STEPS:
            where = os.path.relpath(frame.filename, os.path.dirname(FAR2L_DIR))
            frames.append(f"  {where}:{frame.lineno} ({frame.name}): {frame.line}")
    return frames


def report(journey, error, runs):
    """The whole account of JOURNEY's failure with ERROR, a ScreenError, in RUNS of far2l."""
    lines = [f"far2l {journey} failed at this step:"] + step(error) + [str(error)]
    for far2l in runs:
        if far2l.stderr().strip():
            lines.append(f"--- far2l's error output ---\n{far2l.stderr()}")
    return "\n".join(lines)
