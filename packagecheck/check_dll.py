#!/usr/bin/python3
# Debian's interpreter, for its python3-pefile (a python earlier on PATH may lack it).
"""Checks the shipped plugin DLL as the host and a user will meet it.

It must be a stripped PE32 i386 DLL that exports exactly the expected entry points by
undecorated name (no Name@N twins), pops its own arguments in each of them
and in its entry routine (__stdcall), imports only from Windows system DLLs,
and carries a version resource that names the project's version.

usage: check_dll.py DLL EXPECTED_EXPORTS --version X.Y.Z [--max-size BYTES]
"""
import argparse
import os
import re
import subprocess
import sys

import pefile

OBJDUMP = "i686-w64-mingw32-objdump"
ALLOWED_IMPORTS = {"kernel32.dll", "msvcrt.dll"}
# The entry routine is DllEntry(HANDLE, DWORD, void*), __stdcall.
ENTRY_ROUTINE_POPS = 12
PE32_MAGIC = 0x10B
# Version strings Windows shows in the file's properties; each must be there.
VERSION_STRINGS = ["FileDescription", "FileVersion", "LegalCopyright", "OriginalFilename",
                   "ProductName", "ProductVersion"]


def read_expected(path):
    expected = {}
    with open(path) as f:
        for line in f:
            line = line.split("#", 1)[0].strip()
            if line:
                name, pops = line.split()
                expected[name] = int(pops)
    return expected


def format_faults(pe):
    faults = []
    if (pe.FILE_HEADER.Machine != pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_I386"]
            or pe.OPTIONAL_HEADER.Magic != PE32_MAGIC):
        faults.append("not a PE32 i386 image")
    if not pe.is_dll():
        faults.append("not marked as a DLL")
    if pe.FILE_HEADER.PointerToSymbolTable or pe.FILE_HEADER.NumberOfSymbols:
        faults.append("not stripped: it carries a symbol table")
    return faults


def imports_and_exports(pe):
    """The imported DLLs' names and each exported name's address."""
    imports = [entry.dll.decode() for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", [])]
    base = pe.OPTIONAL_HEADER.ImageBase
    exports = {}
    if hasattr(pe, "DIRECTORY_ENTRY_EXPORT"):
        for symbol in pe.DIRECTORY_ENTRY_EXPORT.symbols:
            name = symbol.name.decode() if symbol.name else f"#{symbol.ordinal}"
            exports[name] = base + symbol.address
    return imports, exports


def version_faults(pe, version, file_name):
    """The fixed and the string versions must both be VERSION; the file name its own."""
    if not hasattr(pe, "VS_FIXEDFILEINFO"):
        return ["no version resource"]
    major, minor, patch = (int(part) for part in version.split("."))
    wanted = ((major << 16) | minor, patch << 16)
    fixed = pe.VS_FIXEDFILEINFO[0]
    faults = []
    for kind in ("File", "Product"):
        got = (getattr(fixed, f"{kind}VersionMS"), getattr(fixed, f"{kind}VersionLS"))
        if got != wanted:
            faults.append(f"fixed {kind.lower()} version {got[0] >> 16}.{got[0] & 0xFFFF}."
                          f"{got[1] >> 16}.{got[1] & 0xFFFF}, expected {version}.0")
    strings = {}
    for info in pe.FileInfo[0]:
        for table in getattr(info, "StringTable", []):
            strings.update({k.decode(): v.decode() for k, v in table.entries.items()})
    wanted_strings = {"FileVersion": version, "ProductVersion": version,
                      "OriginalFilename": file_name}
    for name in VERSION_STRINGS:
        value = strings.get(name, "")
        if not value:
            faults.append(f"no {name} in the version resource")
        elif name in wanted_strings and value != wanted_strings[name]:
            faults.append(f"{name} {value!r}, expected {wanted_strings[name]!r}")
    return faults


def first_ret_pops(disassembly, address):
    """Bytes popped by the first ret at or after address, None if none."""
    started = False
    for line in disassembly.splitlines():
        match = re.match(r"^\s*([0-9a-f]+):\s+(?:[0-9a-f]{2} )+\s*(.*)$", line)
        if not match:
            continue
        if not started and int(match.group(1), 16) < address:
            continue
        started = True
        instruction = match.group(2).strip()
        if instruction.startswith("ret"):
            operand = re.search(r"\$0x([0-9a-f]+)", instruction)
            return int(operand.group(1), 16) if operand else 0
    return None


def cleanup_faults(path, expected, exports, entry):
    """Each entry point and the entry routine pop their own arguments (__stdcall)."""
    disassembly = subprocess.run([OBJDUMP, "-d", "-w", path], check=True, capture_output=True,
                                 text=True).stdout
    faults = []
    for name, pops in expected.items():
        if name in exports:
            actual = first_ret_pops(disassembly, exports[name])
            if actual != pops:
                faults.append(f"{name} pops {actual} bytes on return, expected {pops}")
    actual = first_ret_pops(disassembly, entry)
    if actual != ENTRY_ROUTINE_POPS:
        faults.append(f"the entry routine pops {actual} bytes on return, "
                      f"expected {ENTRY_ROUTINE_POPS}")
    return faults


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("dll")
    parser.add_argument("expected")
    parser.add_argument("--version", required=True)
    parser.add_argument("--max-size", type=int, default=32 * 1024)
    args = parser.parse_args()
    expected = read_expected(args.expected)
    try:
        pe = pefile.PE(args.dll)
    except pefile.PEFormatError as error:
        print(f"{args.dll}: not a PE image: {error}")
        return 1

    faults = format_faults(pe)
    size = os.path.getsize(args.dll)
    if size > args.max_size:
        faults.append(f"{size} bytes, more than {args.max_size}")
    imports, exports = imports_and_exports(pe)
    faults += [f"imports from {dll}" for dll in imports if dll.lower() not in ALLOWED_IMPORTS]
    if set(exports) != set(expected):
        faults.append(f"exports {sorted(exports)}, expected {sorted(expected)}")
    faults += version_faults(pe, args.version, os.path.basename(args.dll))
    entry = pe.OPTIONAL_HEADER.ImageBase + pe.OPTIONAL_HEADER.AddressOfEntryPoint
    faults += cleanup_faults(args.dll, expected, exports, entry)

    if faults:
        print(f"{args.dll}:", *faults, sep="\n  ")
        return 1
    print(f"{args.dll}: {size} bytes, version {args.version}, exports {len(exports)} entry "
          f"points, imports {imports}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
