# qelhost tests of the loader and the Windows run-time: a plugin built with
# mingw's own start-up files; files that are no DLL; DLLs broken or made
# hostile in ways the loader must refuse; plugins whose code faults.
fixture_dll(refuses_attach.dll startfiles_plugin.cpp ${MINGW_DLL_OPTIONS} -DREFUSE_ATTACH)
fixture_dll(no_entry_points.dll no_entry_points.cpp ${MINGW_BARE_DLL_OPTIONS})
fixture_dll(unknown_import.dll unknown_import.cpp ${MINGW_BARE_DLL_OPTIONS} -lmsvcrt -lkernel32)

qelhost_test(mingw_startfiles 0 OUT ${SESSIONS}/mingw_startfiles.out
             ERR ${SESSIONS}/mingw_startfiles.err
             ARGS ${FIXTURES}/plugin/startfiles.dll ${SESSIONS}/mingw_startfiles.qel)

# What Windows' loader says of a DLL it refuses: its own words, the status
# the same.
set(WindowsRefuses "^qelhost: cannot load .*: (Windows' loader (refuses it|faulted on it|did not finish)|it exports no SetStartupInfo)")
set(WindowsWords "Windows' loader gives its own words")
set(WindowsJumps "qelhost: the plugin's code crashed in (its entry routine|GetPluginInfo): it jumped to 0x[0-9a-f]+, where there is no code")
set(WineTakesImports "Wine's loader leaves the imports it cannot bind as they are instead of refusing the DLL: the entry routine's first call lands where no code is")
set(WineTakesTls "Wine's loader does not check the thread-local data's bounds")

# take_wine_clause(TABLE WINE): when the row of TABLE (a list) goes on with
# "WINE status message why", takes those four off it and sets WINE to the
# arguments qelhost_test takes for them.
function(take_wine_clause Table Wine)
    if(NOT ${Table})
        return()
    endif()
    list(GET ${Table} 0 Next)
    if(Next STREQUAL "WINE")
        list(POP_FRONT ${Table} Next Status Message Why)
        set(${Table} "${${Table}}" PARENT_SCOPE)
        set(${Wine} WINE_STATUS ${Status} WINE_MATCH "${Message}" WINE_BECAUSE "${Why}"
            PARENT_SCOPE)
    endif()
endfunction()

# loader_test(NAME STATUS MESSAGE FILE): qelhost ends with STATUS and the
# message, within seconds and (natively; under qemu-user the limit would
# hold the emulator too) within 2 GB of address space: never a signal, an
# abort or a hang.
function(loader_test NAME STATUS MESSAGE FILE)
    qelhost_test(${NAME} ${STATUS} MATCH "^qelhost: ${MESSAGE}" ARGS ${FILE} ${ARGN})
    qelhost_test_properties(${NAME} TIMEOUT 30 ENVIRONMENT QELHOST_ADDRESS_LIMIT=2147483648)
endfunction()

# Files that are no DLL, made when the tests run: NAME, then the message.
# Wine shows neither a FIFO nor a device as a file.
set(WindowsHasNoSuchFile "Wine shows no FIFO or device of the Linux file system as a file")
set(FILE_KINDS ${CMAKE_CURRENT_BINARY_DIR}/file_kinds)
add_test(NAME qelhost.make_file_kinds
         COMMAND ${CMAKE_COMMAND} -DDIR=${FILE_KINDS}
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/make_file_kinds.cmake)
set_tests_properties(qelhost.make_file_kinds PROPERTIES FIXTURES_SETUP qelhost_file_kinds)
set(Kinds
    folder.dll "not a regular file but a folder"
    fifo.dll "not a regular file but a FIFO"
    empty.dll "the file is empty"
    oversized.dll "the file has 68157440 bytes, more than the 64 MB qelhost loads"
    at_limit.dll "not a Windows executable \\(no MZ header\\)")
while(Kinds)
    list(POP_FRONT Kinds File Message)
    string(REGEX REPLACE "\\.dll$" "" Name ${File})
    set(Wine "")
    if(File STREQUAL "fifo.dll")
        set(Wine WINE_MATCH "cannot open the file" WINE_BECAUSE "${WindowsHasNoSuchFile}")
    elseif(File STREQUAL "at_limit.dll")
        set(Wine WINE_MATCH "${WindowsRefuses}" WINE_BECAUSE "${WindowsWords}")
    endif()
    loader_test(file_kind.${Name} 2 "cannot load .*${File}: ${Message}" ${FILE_KINDS}/${File} ${Wine})
    qelhost_test_properties(file_kind.${Name} FIXTURES_REQUIRED qelhost_file_kinds)
endwhile()
loader_test(file_kind.device 2 "cannot load /dev/zero: not a regular file but a character device"
            /dev/zero WINE_MATCH "cannot open the file" WINE_BECAUSE "${WindowsHasNoSuchFile}")
loader_test(file_kind.missing 2 "cannot load .*absent.dll: cannot open the file" ${FIXTURES}/absent.dll)
loader_test(file_kind.not_pe 2 "cannot load .*fixture.lng: not a Windows executable"
            ${FIXTURE_SOURCES}/fixture.lng WINE_MATCH "${WindowsRefuses}" WINE_BECAUSE "${WindowsWords}")

# DLLs of the right kind that are no plugin of this host, or refuse to load.
loader_test(refuses.missing_entry_points 2 "cannot load .*: it exports no SetStartupInfo"
            ${FIXTURES}/no_entry_points.dll)
# A function of Windows' own DLLs that qelhost does not model loads and
# stops the run only when called, naming it.
loader_test(stops.unprovided_import 3
            "the plugin called msvcrt.dll!fopen, which qelhost does not provide"
            ${FIXTURES}/unknown_import.dll
            WINE_STATUS 0 WINE_MATCH "^$" WINE_BECAUSE "Windows provides every function of its DLLs")
loader_test(refuses.failed_attach 2
            "cannot load .*: its entry routine refused to load \\(DLL_PROCESS_ATTACH returned FALSE\\)"
            ${FIXTURES}/refuses_attach.dll
            WINE_MATCH "^qelhost: cannot load .*: Windows' loader refuses it: DLL initialization failed"
            WINE_BECAUSE "${WindowsWords}")

# A plugin calling each family of Windows functions qelhost models, and one
# it does not provide. qelhost.exe gives it Windows' own files, clock and
# folders, so the lines of those differ there.
fixture_dll(system_families.dll system_families.cpp ${MINGW_DLL_OPTIONS} -ladvapi32 -luser32)
qelhost_test(system_families 0 OUT ${SESSIONS}/system_families.out
             ARGS --env FAMILY=windows ${FIXTURES}/system_families.dll
                  ${SESSIONS}/system_families.qel
             DIFFERING "host: 1 import stops" "║ +(wrote|found|deleted|above the root|missing folder|module)"
             BECAUSE "qelhost.exe leaves the functions qelhost lacks and the files to Windows")
loader_test(stops.unprovided_call 3
            "the plugin called KERNEL32.dll!CreateProcessA, which qelhost does not provide"
            ${FIXTURES}/system_families.dll ${SESSIONS}/unprovided_call.qel
            WINE_STATUS 0 WINE_MATCH "^$"
            WINE_BECAUSE "Windows provides CreateProcessA, which fails on its null arguments")
# --heap-fail-after covers KERNEL32.dll's heap too: the plugin's first
# HeapAlloc gets null, which it does not check.
loader_test(heap_fail_covers_heap_alloc 3
            "the plugin's code crashed in OpenPlugin: segmentation fault at 0x0"
            --heap-fail-after 0 ${FIXTURES}/system_families.dll ${SESSIONS}/system_families.qel)
# --registry: a line that cannot be read is named, and the run stops before
# the plugin loads.
loader_test(registry.bad_line 2
            ".*bad_registry.reg line 4: \"dword:0000000z\" is no dword \\(as dword:0000000a\\)"
            --registry ${SESSIONS}/bad_registry.reg ${FIXTURES}/system_families.dll
            ${SESSIONS}/unprovided_call.qel)

# The ordinary plugin broken by break_dll.py: how, then the refusal; under
# Windows' loader a refusal in its own words, unless the row says WINE, then
# the status, the message and why.
set(X "0x[0-9A-F]+")
string(REPEAT "A" 64 A64)
string(REPEAT "absent.dll!NotProvided, " 7 Missing7)
set(Hostile
    # The headers and the section table.
    truncate "truncated: section .text needs"
    machine "not a 32-bit x86 \\(i386\\) image: its machine type is 0x8664"
    pe_header_offset_wraps "truncated: the file ends before its PE header"
    short_optional_header "its optional header has 8 bytes, fewer than PE32's 96"
    optional_header_past_end "truncated: the file ends inside its optional header"
    many_sections "truncated: the file ends inside its section table"
    huge_image "its image size 0xFFFFF000 is not plausible"
    headers_beyond_image "its headers \\(0x7FFFFFFF bytes\\) are larger than its image"
    zero_alignment "its section alignment 0x0 is not a power of two"
        WINE 0 "started" "Wine's loader does not check the section alignment"
    entry_outside "its entry routine \\(0xFFFFFFF0\\) lies outside the image"
        WINE 3 "${WindowsJumps}" "Windows' loader calls the entry routine wherever it points"
    misalign "section .text at 0x109B is not aligned to 0x1000"
    overlap "section .data at 0x1000 overlaps what comes before it"
        WINE 3 "${WindowsJumps}" "Wine's loader maps overlapping sections one over the other, and the entry routine lands where no code is"
    section_size_wraps "section .text \\(0x1000, 0xFFFFF800 bytes\\) lies outside the image"
        WINE 3 "${WindowsJumps}" "Wine's loader maps what fits of the section, and the entry routine lands where no code is"
    raw_data_wraps "truncated: section .text needs bytes up to 0x1[0-9A-F]+, the file has"
    wrap_relocations "its relocation table \\(${X}, ${X} bytes\\) lies outside the image"
        WINE 0 "started" "Wine's loader skips a relocation table that lies outside the image"
    export_table_wraps "its export table \\(0xFFFFFFF0, 0x20 bytes\\) lies outside the image"
    tls_table_too_small "its TLS table has 4 bytes, too few for its directory"
        WINE 0 "started" "${WineTakesTls}"
    # Relocations.
    relocation_block_empty "the relocation block at ${X} has a bad size \\(0x0\\)"
    relocation_block_huge "the relocation block at ${X} has a bad size \\(0xFFFFFFF8\\)"
    relocation_page_wraps "a relocation points outside the image \\(${X}\\)"
    # Imports: an address table slot that ends a name checked before, names
    # of a megabyte, thousands of imports.
    import_address_table_over_name
        "the import address table of ${A64}\\.\\.\\. runs past the end of the image"
    import_dll_name_outside
        "the DLL name of import descriptor 0 lies outside the image \\(0xFFFFFFF0\\)"
    import_address_table_wraps
        "the import address table of KERNEL32.dll runs past the end of the image"
    import_lookup_table_wraps
        "the import lookup table of KERNEL32.dll runs past the end of the image"
    huge_import_names "the name of import 0 \\(from msvcrt.dll\\) is longer than 1024 bytes"
        WINE 3 "${WindowsJumps}" "${WineTakesImports}"
    # Imports from a DLL that is none of Windows' own refuse the DLL.
    unknown_dll_imports
        "unknown_dll_imports.dll imports what qelhost does not provide: ${Missing7}absent.dll!NotProvided and 3992 more"
    too_many_imports "it imports more than 16384 functions"
        WINE 3 "${WindowsJumps}" "${WineTakesImports}"
    # Exports: hundreds of thousands of names, all one name of 2 MB.
    many_export_names
        "its export directory lists 1 functions and 300000 names, more than the 65536 of each"
    huge_export_names "export name 0 is longer than 1024 bytes"
    export_name_count_wraps "its export directory lists [0-9]+ functions and 1073741825 names"
    export_name_table_wraps "its export name table lies outside the image"
    export_ordinal_beyond "export [A-Za-z]+ has ordinal index 65535, beyond its [0-9]+ functions"
    export_outside "export [A-Za-z]+ points outside the image \\(0xFFFFFFF0\\)"
        WINE 3 "${WindowsJumps}" "GetProcAddress gives an export's address as the DLL says, and the host calls it"
    # Thread-local data and TLS callbacks.
    tls_zero_fill_huge
        "its thread-local data \\([0-9]+ bytes and 4294967280 more zeroed\\) is larger than the 16 MB"
        WINE 0 "started" "${WineTakesTls}"
    tls_end_before_start "its thread-local data ends \\(${X}\\) before it starts"
        WINE 0 "started" "${WineTakesTls}"
    tls_data_outside "its thread-local data lies outside the image"
        WINE 0 "started" "${WineTakesTls}"
    tls_callbacks_outside "its TLS callbacks lie outside the image"
    tls_callback_outside "a TLS callback \\(${X}\\) lies outside the image"
        WINE 3 "${WindowsJumps}" "Windows' loader calls a TLS callback wherever it points")
while(Hostile)
    list(POP_FRONT Hostile How Message)
    set(Wine WINE_MATCH "${WindowsRefuses}" WINE_BECAUSE "${WindowsWords}")
    take_wine_clause(Hostile Wine)
    broken_dll(${How}.dll ${How})
    loader_test(refuses.${How} 2 "cannot load .*${How}.dll: ${Message}" ${FIXTURES}/${How}.dll
                ${Wine})
endwhile()

# Thousands of imports of a function of Windows' own that qelhost does not
# model are bound, as Windows binds them, so the DLL's start-up code runs:
# its first call through its old table (another is the import table now)
# lands where no code is.
broken_dll(many_missing_imports.dll many_missing_imports)
loader_test(loads.many_stopping_imports 3
            "the plugin's code crashed in a TLS callback: it called 0x[0-9a-f]+, where there is no code"
            ${FIXTURES}/many_missing_imports.dll
            WINE_MATCH "${WindowsJumps}" WINE_BECAUSE "${WineTakesImports}")

# Plugins whose code faults in SetStartupInfo, one way each: every breach
# the call gate finds, every branch of the fault report's blame, and the
# stand-ins' own checks. The fault, then the message after "the plugin's
# code "; under Windows' loader the same, unless the row says otherwise
# (WINE, then the status, the message and why).
set(Faults
    # The call gate.
    LEAVE_ARGUMENTS "failed in SetStartupInfo: it returned with the stack pointer moved, against the calling convention"
    CLOBBER_EBP "failed in SetStartupInfo: it returned with ebp changed, against"
    CLOBBER_EBX "failed in SetStartupInfo: it returned with ebx changed, against"
    CLOBBER_ESI "failed in SetStartupInfo: it returned with esi changed, against"
    CLOBBER_EDI "failed in SetStartupInfo: it returned with edi changed, against"
    SET_DIRECTION "failed in SetStartupInfo: it returned with the direction flag set, against"
    SET_ALIGNMENT_CHECK "failed in SetStartupInfo: it returned with the alignment-check flag set, against"
    # The blame.
    WRITE_NOWHERE
        "crashed in SetStartupInfo: segmentation fault at 0x10, at offset 0x[0-9a-f]+ of its image"
    CALL_NOWHERE
        "crashed in SetStartupInfo: it called 0x10, where there is no code, at offset 0x[0-9a-f]+ of its image"
    JUMP_NOWHERE "crashed in SetStartupInfo: it jumped to 0x10, where there is no code"
    STRLEN_NOWHERE
        "crashed in SetStartupInfo: msvcrt.dll!strlen was handed a bad pointer \\(segmentation fault at 0x10\\)"
    HEAP_OVERRUN
        "crashed in SetStartupInfo: msvcrt.dll!free found the heap corrupted, as by writes past the plugin's blocks"
        WINE 0 "^$" "Wine's msvcrt.dll frees the block without checking the size before it"
    CHANGE_GS
        "crashed in SetStartupInfo: it changed the segment register gs, which qelhost's own code uses"
        WINE 0 "^$" "Windows code keeps its thread's storage on fs: qelhost.exe does not use gs"
    SET_TRAP_FLAG "crashed in SetStartupInfo: it left the trap or alignment-check flag set \\(debug trap\\)"
    STACK_ELSEWHERE "crashed in SetStartupInfo: it moved the stack pointer off the stack, to 0x"
        WINE 139 "Segmentation fault" "Windows hands a fault to the handlers on the stack that faulted: Wine ends the process"
    # The stand-ins.
    FREE_FOREIGN
        "failed in SetStartupInfo: msvcrt.dll!free was handed 0x[0-9a-f]+, which is no block of the plugin's heap"
    SLEEP_FOREVER
        "failed in SetStartupInfo: it waits in KERNEL32.dll!Sleep for more than 5 s in all")
while(Faults)
    list(POP_FRONT Faults Fault Message)
    string(TOLOWER ${Fault} Name)
    set(Wine "")
    take_wine_clause(Faults Wine)
    if(QELFAR_SANITIZE AND Fault STREQUAL "HEAP_OVERRUN")
        continue() # the sanitizer's heap keeps its records away from the blocks
    endif()
    fixture_dll(fault_${Name}.dll faulting_plugin.cpp ${MINGW_BARE_DLL_OPTIONS} -fno-builtin
                -D${Fault} -lmsvcrt -lkernel32)
    loader_test(plugin_fault.${Name} 3 "the plugin's code ${Message}" ${FIXTURES}/fault_${Name}.dll
                ${Wine})
endwhile()
