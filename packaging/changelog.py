"""Reads a version's entry from CHANGELOG.md (Keep a Changelog).

Its heading `## [VERSION] - YYYY-MM-DD` dates the release: every timestamp
in the packages is that day at midnight UTC, so two builds of one version
give the same bytes.
"""
import datetime
import re


class NoEntry(Exception):
    pass


def entry(path, version):
    """(release time as seconds since the epoch, the entry's bullets as one-line texts)."""
    with open(path, encoding="utf-8") as f:
        text = f.read()
    heading = re.search(rf"^## \[{re.escape(version)}\] - (\d{{4}}-\d\d-\d\d)$", text, re.M)
    if not heading:
        raise NoEntry(f"{path} has no entry for version {version} "
                      f"(a heading \"## [{version}] - YYYY-MM-DD\")")
    day = datetime.datetime.strptime(heading.group(1), "%Y-%m-%d")
    epoch = int(day.replace(tzinfo=datetime.timezone.utc).timestamp())
    body = text[heading.end():].split("\n## ", 1)[0]
    bullets = [" ".join(item.split()) for item in re.findall(r"^- (.*(?:\n  .*)*)", body, re.M)]
    return epoch, bullets
