#!/usr/bin/env python3
"""Checks the shipped plugin DLL as the host will meet it.

It must be a stripped PE32 i386 DLL that exports exactly the expected entry points by
undecorated name (no Name@N twins), pops its own arguments in each of them
and in its entry routine (__stdcall), and imports only from Windows system DLLs.

usage: check_dll.py DLL EXPECTED_EXPORTS [--max-size BYTES]
"""
import argparse
import re
import subprocess
import sys

OBJDUMP = "i686-w64-mingw32-objdump"
ALLOWED_IMPORTS = {"kernel32.dll", "msvcrt.dll"}
# The entry routine is DllEntry(HANDLE, DWORD, void*), __stdcall.
ENTRY_ROUTINE_POPS = 12


def objdump(*args):
    return subprocess.run([OBJDUMP, *args], check=True, capture_output=True, text=True).stdout


def read_expected(path):
    expected = {}
    with open(path) as f:
        for line in f:
            line = line.split("#", 1)[0].strip()
            if line:
                name, pops = line.split()
                expected[name] = int(pops)
    return expected


def parse_headers(text):
    image_base = int(re.search(r"^ImageBase\s+([0-9a-fA-F]+)", text, re.M).group(1), 16)
    entry = int(re.search(r"^AddressOfEntryPoint\s+([0-9a-fA-F]+)", text, re.M).group(1), 16)
    imports = re.findall(r"^\s*DLL Name:\s*(\S+)", text, re.M)
    addresses = {}
    table = re.search(r"Export Address Table -- Ordinal Base (\d+)\n(.*?)\n\n", text, re.S)
    if table:
        for index, rva in re.findall(r"\[\s*(\d+)\] \+base\[\s*\d+\]\s+([0-9a-f]+) Export RVA",
                                     table.group(2)):
            addresses[int(index)] = int(rva, 16)
    exports = {}
    names = re.search(r"\[Ordinal/Name Pointer\] Table\n(.*?)\n\n", text, re.S)
    if names:
        for index, name in re.findall(r"\[\s*(\d+)\]\s+(\S+)", names.group(1)):
            exports[name] = image_base + addresses[int(index)]
    return imports, exports, image_base + entry


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


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("dll")
    parser.add_argument("expected")
    parser.add_argument("--max-size", type=int, default=32 * 1024)
    args = parser.parse_args()
    expected = read_expected(args.expected)
    faults = []

    fmt = objdump("-f", args.dll)
    if "file format pei-i386" not in fmt:
        faults.append("not a PE32 i386 image")
    if "DLL" not in objdump("-x", args.dll).split("Characteristics", 1)[1].split("\n\n", 1)[0]:
        faults.append("not marked as a DLL")
    if "no symbols" not in objdump("-t", args.dll):
        faults.append("not stripped: it carries a symbol table")
    size = len(open(args.dll, "rb").read())
    if size > args.max_size:
        faults.append(f"{size} bytes, more than {args.max_size}")

    imports, exports, entry = parse_headers(objdump("-p", args.dll))
    for dll in imports:
        if dll.lower() not in ALLOWED_IMPORTS:
            faults.append(f"imports from {dll}")
    if set(exports) != set(expected):
        faults.append(f"exports {sorted(exports)}, expected {sorted(expected)}")

    disassembly = objdump("-d", "-w", args.dll)
    for name, pops in expected.items():
        if name not in exports:
            continue
        actual = first_ret_pops(disassembly, exports[name])
        if actual != pops:
            faults.append(f"{name} pops {actual} bytes on return, expected {pops}")

    actual = first_ret_pops(disassembly, entry)
    if actual != ENTRY_ROUTINE_POPS:
        faults.append(f"the entry routine pops {actual} bytes on return, expected 12")

    if faults:
        print(f"{args.dll}:", *faults, sep="\n  ")
        return 1
    print(f"{args.dll}: {size} bytes, exports {len(exports)} entry points, imports {imports}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
