"""The named fields of a PE32 image's records, and a DLL's bytes with those
records located, for the tools that make broken DLLs for qelhost's tests."""
import struct
import sys

# The fields of a PE32 image's records, as offsets within their record.
DOS_PE_HEADER_OFFSET = 0x3C
PE_SIGNATURE_SIZE = 4

FILE_MACHINE = 0
FILE_SECTION_COUNT = 2
FILE_OPTIONAL_HEADER_SIZE = 16
FILE_HEADER_SIZE = 20
MACHINE_X86_64 = 0x8664

OPTIONAL_ENTRY_POINT = 16
OPTIONAL_IMAGE_BASE = 28
OPTIONAL_SECTION_ALIGNMENT = 32
OPTIONAL_FILE_ALIGNMENT = 36
OPTIONAL_IMAGE_SIZE = 56
OPTIONAL_HEADERS_SIZE = 60
OPTIONAL_DIRECTORIES = 96
DIRECTORY_RVA = 0
DIRECTORY_SIZE = 4
DIRECTORY_ENTRY_SIZE = 8
EXPORT_TABLE, IMPORT_TABLE, RELOCATION_TABLE, TLS_TABLE = 0, 1, 5, 9

SECTION_NAME = 0
SECTION_VIRTUAL_SIZE = 8
SECTION_RVA = 12
SECTION_RAW_SIZE = 16
SECTION_RAW_OFFSET = 20
SECTION_CHARACTERISTICS = 36
SECTION_HEADER_SIZE = 40
SECTION_READ_WRITE_DATA = 0xC0000040

IMPORT_LOOKUP_TABLE = 0
IMPORT_DLL_NAME = 12
IMPORT_ADDRESS_TABLE = 16
IMPORT_DESCRIPTOR_SIZE = 20
HINT_SIZE = 2

EXPORT_FUNCTION_COUNT = 20
EXPORT_NAME_COUNT = 24
EXPORT_FUNCTION_TABLE = 28
EXPORT_NAME_TABLE = 32
EXPORT_ORDINAL_TABLE = 36
EXPORT_DIRECTORY_SIZE = 40

TLS_DATA_START = 0
TLS_DATA_END = 4
TLS_CALLBACKS = 12
TLS_ZERO_FILL = 16

RELOCATION_PAGE = 0
RELOCATION_BLOCK_SIZE = 4

PAGE = 0x1000


def align(value, alignment):
    return (value + alignment - 1) // alignment * alignment


class Pe:
    """A DLL's bytes with its records located by name."""

    def __init__(self, data):
        self.data = bytearray(data)
        self.file = self.u32(DOS_PE_HEADER_OFFSET) + PE_SIGNATURE_SIZE
        self.optional = self.file + FILE_HEADER_SIZE
        self.section_table = self.optional + self.u16(self.file + FILE_OPTIONAL_HEADER_SIZE)

    def u16(self, at):
        return struct.unpack_from("<H", self.data, at)[0]

    def u32(self, at):
        return struct.unpack_from("<I", self.data, at)[0]

    def set16(self, at, value):
        struct.pack_into("<H", self.data, at, value)

    def set32(self, at, value):
        struct.pack_into("<I", self.data, at, value & 0xFFFFFFFF)

    def section(self, index):
        return self.section_table + SECTION_HEADER_SIZE * index

    def directory(self, which):
        return self.optional + OPTIONAL_DIRECTORIES + DIRECTORY_ENTRY_SIZE * which

    def table_rva(self, which):
        return self.u32(self.directory(which) + DIRECTORY_RVA)

    def set_table(self, which, rva, size):
        self.set32(self.directory(which) + DIRECTORY_RVA, rva)
        self.set32(self.directory(which) + DIRECTORY_SIZE, size)

    def offset(self, rva):
        """The file offset of an RVA that lies in a section's raw data."""
        for index in range(self.u16(self.file + FILE_SECTION_COUNT)):
            header = self.section(index)
            start = self.u32(header + SECTION_RVA)
            if start <= rva < start + self.u32(header + SECTION_RAW_SIZE):
                return self.u32(header + SECTION_RAW_OFFSET) + rva - start
        sys.exit("RVA %#x lies in no section's data" % rva)

    def rva_of(self, address):
        return address - self.u32(self.optional + OPTIONAL_IMAGE_BASE)

    def table(self, which):
        return self.offset(self.table_rva(which))

    def add_section(self, build, size=None):
        """Appends a section at the end of the image; build(rva) gives its
        bytes. Its virtual size is size, or that of the bytes."""
        count = self.u16(self.file + FILE_SECTION_COUNT)
        header = self.section(count)
        if header + SECTION_HEADER_SIZE > self.u32(self.optional + OPTIONAL_HEADERS_SIZE):
            sys.exit("no room for another section header")
        rva = self.u32(self.optional + OPTIONAL_IMAGE_SIZE)
        payload = build(rva)
        file_alignment = self.u32(self.optional + OPTIONAL_FILE_ALIGNMENT)
        raw_offset = align(len(self.data), file_alignment)
        raw_size = align(len(payload), file_alignment)
        self.data += bytes(raw_offset - len(self.data)) + payload
        self.data += bytes(raw_offset + raw_size - len(self.data))
        virtual_size = size if size is not None else len(payload)
        self.data[header:header + 8] = b".hostile"
        self.set32(header + SECTION_VIRTUAL_SIZE, virtual_size)
        self.set32(header + SECTION_RVA, rva)
        self.set32(header + SECTION_RAW_SIZE, raw_size)
        self.set32(header + SECTION_RAW_OFFSET, raw_offset)
        self.set32(header + SECTION_CHARACTERISTICS, SECTION_READ_WRITE_DATA)
        self.set16(self.file + FILE_SECTION_COUNT, count + 1)
        alignment = self.u32(self.optional + OPTIONAL_SECTION_ALIGNMENT)
        self.set32(self.optional + OPTIONAL_IMAGE_SIZE, align(rva + virtual_size, alignment))
        return rva
