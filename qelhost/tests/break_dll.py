#!/usr/bin/env python3
"""Makes a broken copy of a DLL for the loader's refusal tests.

usage: break_dll.py truncate|machine|misalign|overlap|wrap_relocations DLL OUT
  truncate          keeps the headers and the first bytes of the first section
  machine           marks the image as x86-64
  misalign          moves the first section off its alignment (0x1000 to 0x109B)
  overlap           puts the second section where the first one is
  wrap_relocations  makes the relocation table's end wrap past 4 GiB
"""
import struct
import sys

how, source, target = sys.argv[1:4]
data = bytearray(open(source, "rb").read())
pe = struct.unpack_from("<I", data, 0x3C)[0]
optional = pe + 24
optional_size = struct.unpack_from("<H", data, pe + 20)[0]
first_section = optional + optional_size
second_section = first_section + 40
relocation_entry = optional + 96 + 8 * 5
if how == "truncate":
    raw_offset = struct.unpack_from("<I", data, first_section + 20)[0]
    data = data[:raw_offset + 16]
elif how == "machine":
    struct.pack_into("<H", data, pe + 4, 0x8664)
elif how == "misalign":
    address = struct.unpack_from("<I", data, first_section + 12)[0]
    struct.pack_into("<I", data, first_section + 12, address + 0x9B)
elif how == "overlap":
    address = struct.unpack_from("<I", data, first_section + 12)[0]
    struct.pack_into("<I", data, second_section + 12, address)
elif how == "wrap_relocations":
    address = struct.unpack_from("<I", data, relocation_entry)[0]
    struct.pack_into("<I", data, relocation_entry + 4, 0x100000000 - address + 8)
else:
    sys.exit("unknown way to break a DLL: " + how)
open(target, "wb").write(data)
