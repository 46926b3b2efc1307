#!/usr/bin/python3
# Debian's interpreter, for its python3-pefile (a python earlier on PATH may lack it).
"""Checks a shipped Windows program's version resource as check_dll.py checks the
DLL's: the fixed and string versions are the project's, the file name its own.

usage: check_version.py FILE --version X.Y.Z
"""
import argparse
import os
import sys

import pefile

from check_dll import version_faults


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("file")
    parser.add_argument("--version", required=True)
    args = parser.parse_args()
    try:
        pe = pefile.PE(args.file)
    except pefile.PEFormatError as error:
        print(f"{args.file}: not a PE image: {error}")
        return 1
    faults = version_faults(pe, args.version, os.path.basename(args.file))
    if faults:
        print(f"{args.file}:", *faults, sep="\n  ")
        return 1
    print(f"{args.file}: version {args.version}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
