"""Reads a far2l language file (UTF-8) the way far2l numbers its messages.

Every line whose first non-blank character is a double quote is a message,
numbered from 0 in file order; the trailing quote is dropped and escapes decoded.
"""
import re

ESCAPES = {"\\": "\\", '"': '"', "n": "\n", "r": "\r", "b": "\b", "t": "\t"}


def _decode(text):
    return re.sub(r"\\(.)", lambda m: ESCAPES.get(m.group(1), m.group(0)), text)


def messages(path):
    found = []
    with open(path, encoding="utf-8-sig") as lines:
        for line in lines:
            line = line.strip()
            if line.startswith('"'):
                found.append(_decode(line[1:-1] if line.endswith('"') else line[1:]))
    return found
