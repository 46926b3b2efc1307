"""Finds the Debian mirror that serves far2l's suite, from this machine's apt sources.

Only the mirrors apt already uses are considered; the first that answers for
dists/SUITE/Release wins. Several sources may be listed, some not Debian's.
"""
import glob
import re
import urllib.error
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


class NoMirror(Exception):
    """No configured mirror can serve the suite; the text says why in a few words."""


def _answer(uri, suite):
    """None when URI serves SUITE, else why not: (reached, reason)."""
    request = urllib.request.Request(f"{uri}/dists/{suite}/Release", method="HEAD")
    try:
        with urllib.request.urlopen(request, timeout=15) as response:
            return None if response.status == 200 else (True, f"status {response.status}")
    except urllib.error.HTTPError as error:
        return True, f"status {error.code}"
    except (OSError, ValueError) as error:  # no route, no name, refused, timed out
        reason = getattr(error, "reason", None) or error
        return False, str(reason)


def find_mirror(suite):
    """The first configured mirror serving SUITE; raises NoMirror when there is none."""
    uris = configured_uris()
    if not uris:
        raise NoMirror("the apt sources list no http or https mirror")
    unreachable = []
    for uri in uris:
        answer = _answer(uri, suite)
        if answer is None:
            return uri
        reached, reason = answer
        if not reached:
            unreachable.append(f"{uri}: {reason}")
    if not unreachable:
        raise NoMirror(f"no mirror in the apt sources serves Debian {suite}")
    detail = "; ".join(unreachable)
    if len(unreachable) == len(uris):
        raise NoMirror(f"the apt sources' mirror cannot be reached: {detail}" if len(uris) == 1
                       else f"none of the apt sources' mirrors can be reached: {detail}")
    raise NoMirror(f"no mirror in the apt sources that answered serves Debian {suite}, "
                   f"and some cannot be reached: {detail}")
