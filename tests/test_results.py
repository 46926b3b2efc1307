"""Reads the JUnit file that `ctest --output-junit` writes for a test group, for
what the summary table says under it: each skipped test with its reason, and
each failed test with a log of its own output to read.
"""
import os
import re
import xml.etree.ElementTree as ElementTree


class Outcome:
    def __init__(self, group, name, text):
        self.group = group
        self.name = name
        self.text = text


def results_file(folder, group):
    return os.path.join(folder, f"{group}.xml")


# GoogleTest's GTEST_SKIP() prints "FILE:LINE: Skipped", then its message.
GTEST_SKIPPED = re.compile(r"^\S+:\d+: Skipped\n(.+)$", re.MULTILINE)


def _skip_reason(text):
    """GTEST_SKIP()'s message, else the last line printed (the line its skip
    rule matched)."""
    told = GTEST_SKIPPED.search(text)
    if told and told.group(1).strip():
        return told.group(1).strip()
    lines = [line.strip() for line in text.splitlines() if line.strip()]
    return lines[-1] if lines else ""


def _safe_name(name):
    return re.sub(r"[^A-Za-z0-9._-]", "_", name)


def read(folder, group, since):
    """(skipped, failed) of GROUP's JUnit file, when written at or after SINCE.

    A skipped test's reason is what _skip_reason finds in its output, else
    CTest's own word. A failed test's output is written to
    FOLDER/GROUP/NAME.log, whose path is its text."""
    path = results_file(folder, group)
    try:
        if os.path.getmtime(path) < since:
            return [], []
        root = ElementTree.parse(path).getroot()
    except (OSError, ElementTree.ParseError):
        return [], []
    skipped, failed = [], []
    for case in root.iter("testcase"):
        name = case.get("name", "?")
        output = case.findtext("system-out") or ""
        if case.find("skipped") is not None:
            reason = _skip_reason(output) or case.find("skipped").get("message", "skipped")
            skipped.append(Outcome(group, name, reason))
        elif case.find("failure") is not None or case.get("status") == "fail":
            log = os.path.join(folder, group, _safe_name(name) + ".log")
            os.makedirs(os.path.dirname(log), exist_ok=True)
            with open(log, "w", encoding="utf-8", errors="replace") as f:
                f.write(output)
            failed.append(Outcome(group, name, os.path.relpath(log)))
    return skipped, failed


def explain(skipped, failed):
    """The lines under the table: skips grouped by reason, then failures."""
    lines = []
    reasons = {}
    for outcome in skipped:
        reasons.setdefault((outcome.group, outcome.text), []).append(outcome.name)
    for (group, reason), names in reasons.items():
        count = f"{len(names)} test{'s' if len(names) != 1 else ''}"
        lines.append(f"skipped in {group}, {count}: {reason}")
        lines.append("  " + ", ".join(names))
    for outcome in failed:
        lines.append(f"failed in {outcome.group}: {outcome.name}; its output: {outcome.text}")
    return lines
