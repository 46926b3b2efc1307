#!/usr/bin/env python3
"""Makes a broken or hostile copy of a DLL for the loader's tests.

usage: break_dll.py HOW DLL OUT
       break_dll.py --list

Each HOW changes one thing (see BREAKERS); some add a section at the end of
the image holding new tables.
"""
import struct
import sys

from pe_layout import (
    DIRECTORY_SIZE, DOS_PE_HEADER_OFFSET, EXPORT_DIRECTORY_SIZE, EXPORT_FUNCTION_TABLE,
    EXPORT_NAME_COUNT, EXPORT_NAME_TABLE, EXPORT_ORDINAL_TABLE, EXPORT_TABLE, FILE_MACHINE,
    FILE_OPTIONAL_HEADER_SIZE, FILE_SECTION_COUNT, HINT_SIZE, IMPORT_ADDRESS_TABLE,
    IMPORT_DESCRIPTOR_SIZE, IMPORT_DLL_NAME, IMPORT_LOOKUP_TABLE, IMPORT_TABLE, MACHINE_X86_64,
    OPTIONAL_ENTRY_POINT, OPTIONAL_HEADERS_SIZE, OPTIONAL_IMAGE_BASE, OPTIONAL_IMAGE_SIZE,
    OPTIONAL_SECTION_ALIGNMENT, PAGE, Pe, RELOCATION_BLOCK_SIZE, RELOCATION_PAGE,
    RELOCATION_TABLE, SECTION_RAW_OFFSET, SECTION_RVA, SECTION_VIRTUAL_SIZE, TLS_CALLBACKS,
    TLS_DATA_END, TLS_DATA_START, TLS_TABLE, TLS_ZERO_FILL)


def hint_name(name):
    return bytes(HINT_SIZE) + name + b"\0"


def add_imports(pe, dll, name, count):
    """A new import table: count imports from dll, all naming name."""
    def build(rva):
        lookup = rva + 2 * IMPORT_DESCRIPTOR_SIZE
        addresses = lookup + 4 * (count + 1)
        function = addresses + 4 * (count + 1)
        dll_name = function + len(hint_name(name))
        descriptor = struct.pack("<IIIII", lookup, 0, 0, dll_name, addresses)
        table = struct.pack("<%dI" % (count + 1), *([function] * count + [0]))
        return (descriptor + bytes(IMPORT_DESCRIPTOR_SIZE) + table + table + hint_name(name) +
                dll + b"\0")
    rva = pe.add_section(build)
    pe.set_table(IMPORT_TABLE, rva, 2 * IMPORT_DESCRIPTOR_SIZE)


def import_address_table_over_name(pe):
    """The DLL name's terminating zero is the top byte of the first import
    address table slot, the last 4 bytes of the image, and the table's second
    slot lies past the image: binding the first slot unterminates the name."""
    def build(rva):
        lookup, functions, slot = 0x40, 0x80, PAGE - 4
        dll_name = slot - 0x100
        page = bytearray(PAGE)
        struct.pack_into("<IIIII", page, 0, rva + lookup, 0, 0, rva + dll_name, rva + slot)
        struct.pack_into("<III", page, lookup, rva + functions, rva + functions + 0x10, 0)
        page[functions:functions + 9] = hint_name(b"malloc")
        page[functions + 0x10:functions + 0x17] = hint_name(b"free")
        page[dll_name:slot] = b"A" * (slot - dll_name)
        struct.pack_into("<I", page, slot, rva + functions)
        return bytes(page)
    rva = pe.add_section(build)
    pe.set_table(IMPORT_TABLE, rva, 2 * IMPORT_DESCRIPTOR_SIZE)


def add_exports(pe, name_count, name_size):
    """A new export directory: name_count names, all the same name of
    name_size bytes, for the original first export's code."""
    original = pe.table(EXPORT_TABLE)
    code = pe.u32(pe.offset(pe.u32(original + EXPORT_FUNCTION_TABLE)))

    def build(rva):
        functions = rva + EXPORT_DIRECTORY_SIZE
        names = functions + 4
        ordinals = names + 4 * name_count
        name = ordinals + 2 * name_count
        directory = struct.pack("<IIHHIIIIIII", 0, 0, 0, 0, 0, 1, 1, name_count, functions,
                                names, ordinals)
        return (directory + struct.pack("<I", code) +
                struct.pack("<I", name) * name_count + bytes(2 * name_count) +
                b"A" * name_size + b"\0")
    rva = pe.add_section(build)
    pe.set_table(EXPORT_TABLE, rva, EXPORT_DIRECTORY_SIZE)


def relocated(change):
    """Makes the image load away from its base, so its relocations apply."""
    def breaker(pe):
        pe.set32(pe.optional + OPTIONAL_IMAGE_BASE, 0)
        change(pe)
    return breaker


def first_section(field, value):
    return lambda pe: pe.set32(pe.section(0) + field, value)


def header(at, field, value, size=4):
    def breaker(pe):
        (pe.set16 if size == 2 else pe.set32)(at(pe) + field, value)
    return breaker


def table_field(which, field, value):
    return lambda pe: pe.set32(pe.table(which) + field, value)


def misalign(pe):
    at = pe.section(0) + SECTION_RVA
    pe.set32(at, pe.u32(at) + 0x9B)


def overlap(pe):
    pe.set32(pe.section(1) + SECTION_RVA, pe.u32(pe.section(0) + SECTION_RVA))


def wrap_relocations(pe):
    rva = pe.table_rva(RELOCATION_TABLE)
    pe.set32(pe.directory(RELOCATION_TABLE) + DIRECTORY_SIZE, 0x100000000 - rva + 8)


def end_tls_before_start(pe):
    tls = pe.table(TLS_TABLE)
    pe.set32(tls + TLS_DATA_END, pe.u32(tls + TLS_DATA_START) - 4)


def first_tls_callback(value):
    def breaker(pe):
        callbacks = pe.offset(pe.rva_of(pe.u32(pe.table(TLS_TABLE) + TLS_CALLBACKS)))
        pe.set32(callbacks, value)
    return breaker


def first_export_ordinal(value):
    def breaker(pe):
        ordinals = pe.offset(pe.u32(pe.table(EXPORT_TABLE) + EXPORT_ORDINAL_TABLE))
        pe.set16(ordinals, value)
    return breaker


def first_export_function(value):
    def breaker(pe):
        functions = pe.offset(pe.u32(pe.table(EXPORT_TABLE) + EXPORT_FUNCTION_TABLE))
        pe.set32(functions, value)
    return breaker


def optional_header_past_end(pe):
    pe.set16(pe.file + FILE_OPTIONAL_HEADER_SIZE, 0xFFFF)
    del pe.data[pe.optional + 0x100:]


def truncate(pe):
    raw_offset = pe.u32(pe.section(0) + SECTION_RAW_OFFSET)
    del pe.data[raw_offset + 16:]


file_header = lambda pe: pe.file
optional_header = lambda pe: pe.optional
MB = 1 << 20

BREAKERS = {
    # The headers and the section table.
    "truncate": truncate,
    "machine": header(file_header, FILE_MACHINE, MACHINE_X86_64, 2),
    "pe_header_offset_wraps": header(lambda pe: 0, DOS_PE_HEADER_OFFSET, 0xFFFFFFF0),
    "short_optional_header": header(file_header, FILE_OPTIONAL_HEADER_SIZE, 8, 2),
    "optional_header_past_end": optional_header_past_end,
    "many_sections": header(file_header, FILE_SECTION_COUNT, 0xFFFF, 2),
    "huge_image": header(optional_header, OPTIONAL_IMAGE_SIZE, 0xFFFFF000),
    "headers_beyond_image": header(optional_header, OPTIONAL_HEADERS_SIZE, 0x7FFFFFFF),
    "zero_alignment": header(optional_header, OPTIONAL_SECTION_ALIGNMENT, 0),
    "entry_outside": header(optional_header, OPTIONAL_ENTRY_POINT, 0xFFFFFFF0),
    "misalign": misalign,
    "overlap": overlap,
    "section_size_wraps": first_section(SECTION_VIRTUAL_SIZE, 0xFFFFF800),
    "raw_data_wraps": first_section(SECTION_RAW_OFFSET, 0xFFFFFF00),
    "wrap_relocations": wrap_relocations,
    "export_table_wraps": lambda pe: pe.set_table(EXPORT_TABLE, 0xFFFFFFF0, 0x20),
    "tls_table_too_small": lambda pe: pe.set_table(TLS_TABLE, pe.table_rva(TLS_TABLE), 4),
    # Relocations, applied away from the image's base.
    "relocation_block_empty": relocated(table_field(RELOCATION_TABLE, RELOCATION_BLOCK_SIZE, 0)),
    "relocation_block_huge":
        relocated(table_field(RELOCATION_TABLE, RELOCATION_BLOCK_SIZE, 0xFFFFFFF8)),
    "relocation_page_wraps": relocated(table_field(RELOCATION_TABLE, RELOCATION_PAGE, 0xFFFFF800)),
    # Imports.
    "import_address_table_over_name": import_address_table_over_name,
    "import_dll_name_outside": table_field(IMPORT_TABLE, IMPORT_DLL_NAME, 0xFFFFFFF0),
    "import_address_table_wraps": table_field(IMPORT_TABLE, IMPORT_ADDRESS_TABLE, 0xFFFFFFFC),
    "import_lookup_table_wraps": table_field(IMPORT_TABLE, IMPORT_LOOKUP_TABLE, 0xFFFFFFFC),
    "huge_import_names": lambda pe: add_imports(pe, b"msvcrt.dll", b"A" * MB, 4000),
    "many_missing_imports": lambda pe: add_imports(pe, b"msvcrt.dll", b"NotProvided", 4000),
    "unknown_dll_imports": lambda pe: add_imports(pe, b"absent.dll", b"NotProvided", 4000),
    "too_many_imports": lambda pe: add_imports(pe, b"msvcrt.dll", b"malloc", 20000),
    # Exports.
    "many_export_names": lambda pe: add_exports(pe, 300000, 2 * MB),
    "huge_export_names": lambda pe: add_exports(pe, 60000, 2 * MB),
    "export_name_count_wraps": table_field(EXPORT_TABLE, EXPORT_NAME_COUNT, 0x40000001),
    "export_name_table_wraps": table_field(EXPORT_TABLE, EXPORT_NAME_TABLE, 0xFFFFFFFC),
    "export_ordinal_beyond": first_export_ordinal(0xFFFF),
    "export_outside": first_export_function(0xFFFFFFF0),
    # Thread-local data and TLS callbacks.
    "tls_zero_fill_huge": table_field(TLS_TABLE, TLS_ZERO_FILL, 0xFFFFFFF0),
    "tls_end_before_start": end_tls_before_start,
    "tls_data_outside": table_field(TLS_TABLE, TLS_DATA_START, 0x10),
    "tls_callbacks_outside": table_field(TLS_TABLE, TLS_CALLBACKS, 0xFFFFFFF0),
    "tls_callback_outside": first_tls_callback(0x10),
}


def main():
    if sys.argv[1:] == ["--list"]:
        print("\n".join(BREAKERS))
        return
    if len(sys.argv) != 4 or sys.argv[1] not in BREAKERS:
        sys.exit(__doc__)
    how, source, target = sys.argv[1:4]
    with open(source, "rb") as dll:
        pe = Pe(dll.read())
    BREAKERS[how](pe)
    with open(target, "wb") as out:
        out.write(pe.data)


if __name__ == "__main__":
    main()
