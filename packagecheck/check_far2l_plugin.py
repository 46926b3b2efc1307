#!/usr/bin/env python3
"""Checks the far2l package as far2l and a user's machine will meet it.

The module must be a stripped x86-64 ELF shared object that exports exactly
the expected entry points by their C names and needs no library but libc;
the language files must be UTF-8 and hold, message for message, the texts of
the code page 866 sources that the Windows package ships.

usage: check_far2l_plugin.py PACKAGE_DIR EXPECTED_EXPORTS LANG_SOURCES [--max-size BYTES]
"""
import argparse
import os
import re
import subprocess
import sys

MODULE = "qelfar.far-plug-mb"
LANGUAGE_FILES = ["qelfar_eng.lng", "qelfar_rus.lng"]
ALLOWED_LIBRARIES = {"libc.so.6"}


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def expected_exports(path):
    with open(path) as f:
        lines = (line.split("#", 1)[0].split() for line in f)
        return {words[0] for words in lines if words}


def messages(text):
    """The messages as far2l numbers them: every line whose first non-blank
    character is a quote, in file order, without its quotes."""
    found = []
    for line in text.splitlines():
        line = line.strip()
        if line.startswith('"'):
            found.append(line[1:-1] if line.endswith('"') and len(line) > 1 else line[1:])
    return found


def check_module(path, exports, max_size):
    faults = []
    header = run("readelf", "-h", path)
    if "ELF64" not in header or "Advanced Micro Devices X86-64" not in header:
        faults.append("not an x86-64 ELF64 object")
    if "DYN (Shared object file)" not in header:
        faults.append("not a shared object")
    if ".symtab" in run("readelf", "-S", "-W", path):
        faults.append("not stripped: it carries a symbol table")
    size = os.path.getsize(path)
    if size > max_size:
        faults.append(f"{size} bytes, more than {max_size}")
    defined = set(run("nm", "-D", "--defined-only", "--format=just-symbols", path).split())
    if defined != exports:
        faults.append(f"exports {sorted(defined)}, expected {sorted(exports)}")
    needed = set(re.findall(r"\(NEEDED\)\s+Shared library: \[(.+?)\]", run("readelf", "-d", path)))
    if needed - ALLOWED_LIBRARIES:
        faults.append(f"needs {sorted(needed - ALLOWED_LIBRARIES)} besides libc")
    return faults, size


def check_language_file(path, source):
    try:
        with open(path, "rb") as f:
            text = f.read().decode("utf-8")
    except UnicodeDecodeError as error:
        return [f"{os.path.basename(path)} is not UTF-8: {error}"]
    with open(source, "rb") as f:
        wanted = messages(f.read().decode("cp866"))
    got = messages(text)
    if len(wanted) != 12:
        return [f"{source} holds {len(wanted)} messages, not 12"]
    if got != wanted:
        return [f"{os.path.basename(path)}: messages {got}, expected {wanted}"]
    return []


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("package")
    parser.add_argument("expected")
    parser.add_argument("sources")
    parser.add_argument("--max-size", type=int, default=32 * 1024)
    args = parser.parse_args()

    module = os.path.join(args.package, MODULE)
    faults, size = check_module(module, expected_exports(args.expected), args.max_size)
    for name in LANGUAGE_FILES:
        faults += check_language_file(
            os.path.join(args.package, name), os.path.join(args.sources, name)
        )
    if faults:
        print(f"{args.package}:", *faults, sep="\n  ")
        return 1
    print(f"{module}: {size} bytes, {len(expected_exports(args.expected))} exports, needs libc "
          f"alone; {len(LANGUAGE_FILES)} UTF-8 language files of 12 messages")
    return 0


if __name__ == "__main__":
    sys.exit(main())
