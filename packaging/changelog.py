"""Reads a version's entry from CHANGELOG.md (Keep a Changelog).

Its heading `## [VERSION] - YYYY-MM-DD` dates the release: every timestamp
in the packages is that day at midnight UTC, so two builds of one version
give the same bytes.
"""
import argparse
import datetime
import re
import sys


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


def release_arguments(program, positionals, options):
    """The command line of a packaging step: POSITIONALS, then OPTIONS, each required
    and --changelog and --version among them; with the version's entry read."""
    parser = argparse.ArgumentParser(prog=program)
    for name in positionals:
        parser.add_argument(name)
    for option in options:
        parser.add_argument(f"--{option}", required=True)
    args = parser.parse_args()
    try:
        epoch, bullets = entry(args.changelog, args.version)
    except NoEntry as error:
        sys.exit(f"{program}: {error}")
    return args, epoch, bullets
