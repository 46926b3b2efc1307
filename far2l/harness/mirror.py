"""Finds the Debian mirror that serves far2l's suite, from this machine's apt sources.

Only the mirrors apt already uses are considered; the first that answers for
dists/SUITE/Release wins. Several sources may be listed, some not Debian's.
"""
import glob
import re
import urllib.request

SOURCE_LISTS = "/etc/apt/sources.list"
SOURCE_FILES = "/etc/apt/sources.list.d/*.sources"


def deb822_uris(text):
    """URIs of the enabled `Types: deb` stanzas of a .sources file."""
    uris = []
    for stanza in re.split(r"\n\s*\n", text):
        fields = {}
        for line in stanza.splitlines():
            match = re.match(r"^([\w-]+):\s*(.*)$", line)
            if match:
                fields[match.group(1).lower()] = match.group(2).split()
        if "deb" in fields.get("types", []) and fields.get("enabled", ["yes"]) != ["no"]:
            uris += fields.get("uris", [])
    return uris


def one_line_uris(text):
    """URIs of the `deb` lines of a sources.list, options in brackets skipped."""
    uris = []
    for line in text.splitlines():
        line = re.sub(r"\[[^]]*\]", "", line.split("#", 1)[0]).split()
        if len(line) >= 2 and line[0] == "deb":
            uris.append(line[1])
    return uris


def configured_uris():
    uris = []
    for path in sorted(glob.glob(SOURCE_FILES)):
        uris += deb822_uris(open(path).read())
    for path in [SOURCE_LISTS] + sorted(glob.glob(SOURCE_LISTS + ".d/*.list")):
        try:
            uris += one_line_uris(open(path).read())
        except FileNotFoundError:
            pass
    web = [uri.rstrip("/") for uri in uris if uri.startswith(("http://", "https://"))]
    return list(dict.fromkeys(web))


def serves(uri, suite):
    request = urllib.request.Request(f"{uri}/dists/{suite}/Release", method="HEAD")
    try:
        with urllib.request.urlopen(request, timeout=15) as response:
            return response.status == 200
    except OSError:
        return False


def find_mirror(suite):
    """The first configured mirror serving SUITE, or None."""
    return next((uri for uri in configured_uris() if serves(uri, suite)), None)
