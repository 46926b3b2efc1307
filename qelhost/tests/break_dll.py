#!/usr/bin/env python3
"""Makes a broken copy of a DLL for the loader's refusal tests.

usage: break_dll.py truncate|machine DLL OUT
  truncate  keeps the headers and the first bytes of the first section
  machine   marks the image as x86-64
"""
import struct
import sys

how, source, target = sys.argv[1:4]
data = bytearray(open(source, "rb").read())
pe = struct.unpack_from("<I", data, 0x3C)[0]
if how == "truncate":
    optional_size = struct.unpack_from("<H", data, pe + 20)[0]
    first_section = pe + 24 + optional_size
    raw_offset = struct.unpack_from("<I", data, first_section + 20)[0]
    data = data[:raw_offset + 16]
elif how == "machine":
    struct.pack_into("<H", data, pe + 4, 0x8664)
else:
    sys.exit("unknown way to break a DLL: " + how)
open(target, "wb").write(data)
