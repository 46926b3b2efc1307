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

# loader_test(NAME STATUS MESSAGE FILE): qelhost ends with STATUS and the
# message, within seconds and (natively; under qemu-user the limit would
# hold the emulator too) within 2 GB of address space: never a signal, an
# abort or a hang.
function(loader_test NAME STATUS MESSAGE FILE)
    qelhost_test(${NAME} ${STATUS} MATCH "^qelhost: ${MESSAGE}" ARGS ${FILE} ${ARGN})
    qelhost_test_properties(${NAME} TIMEOUT 30 ENVIRONMENT QELHOST_ADDRESS_LIMIT=2147483648)
endfunction()

# Files that are no DLL, most made when the tests run. Wine shows neither a
# FIFO nor a device as a file.
set(WindowsHasNoSuchFile "Wine shows no FIFO or device of the Linux file system as a file")
set(FILE_KINDS ${CMAKE_CURRENT_BINARY_DIR}/file_kinds)
add_test(NAME qelhost.make_file_kinds
         COMMAND ${CMAKE_COMMAND} -DDIR=${FILE_KINDS}
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/make_file_kinds.cmake)
set_tests_properties(qelhost.make_file_kinds PROPERTIES FIXTURES_SETUP qelhost_file_kinds)
# tables/file_kinds.json: the file, the message; under Windows' loader the
# same, unless the row says wine_match and wine_because.
function(file_kind_test)
    string(REGEX REPLACE "\\.dll$" "" Name ${file})
    wine_clause(Wine)
    loader_test(file_kind.${Name} 2 "cannot load .*${file}: ${message}" ${FILE_KINDS}/${file} ${Wine})
    qelhost_test_properties(file_kind.${Name} FIXTURES_REQUIRED qelhost_file_kinds)
endfunction()
test_table(${TABLES}/file_kinds.json file_kind_test)
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

# tables/broken_dlls.json: the ordinary plugin broken by break_dll.py, each
# row how, then the refusal; qelhost.exe runs the same PE reader before
# Windows' loader and refuses alike, unless the row says wine_status,
# wine_match and wine_because (imports are each build's own to bind).
set(X "0x[0-9A-F]+")
string(REPEAT "A" 64 A64)
string(REPEAT "absent.dll!NotProvided, " 7 Missing7)
function(broken_dll_test)
    wine_clause(Wine)
    broken_dll(${how}.dll ${how})
    loader_test(refuses.${how} 2 "cannot load .*${how}.dll: ${message}" ${FIXTURES}/${how}.dll
                ${Wine})
endfunction()
test_table(${TABLES}/broken_dlls.json broken_dll_test)

# Thousands of imports of a function of Windows' own that qelhost does not
# model are bound, as Windows binds them, so the DLL's start-up code runs:
# its first call through its old table (another is the import table now)
# lands where no code is.
broken_dll(many_missing_imports.dll many_missing_imports)
loader_test(loads.many_stopping_imports 3
            "the plugin's code crashed in a TLS callback: it called 0x[0-9a-f]+, where there is no code"
            ${FIXTURES}/many_missing_imports.dll
            WINE_MATCH "${WindowsJumps}" WINE_BECAUSE "${WineTakesImports}")

# tables/plugin_faults.json: plugins whose code faults in SetStartupInfo,
# one way each: every breach the call gate finds, every branch of the fault
# report's blame, and the stand-ins' own checks. Each row the fault, then the
# message after "the plugin's code "; under Windows' loader the same, unless
# the row says wine_status, wine_match and wine_because; not_sanitized says
# why a case is left out of the sanitizers' build.
function(plugin_fault_test)
    if(QELFAR_SANITIZE AND DEFINED not_sanitized)
        return()
    endif()
    string(TOLOWER ${fault} Name)
    wine_clause(Wine)
    fixture_dll(fault_${Name}.dll faulting_plugin.cpp ${MINGW_BARE_DLL_OPTIONS} -fno-builtin
                -D${fault} -lmsvcrt -lkernel32)
    loader_test(plugin_fault.${Name} 3 "the plugin's code ${message}" ${FIXTURES}/fault_${Name}.dll
                ${Wine})
endfunction()
test_table(${TABLES}/plugin_faults.json plugin_fault_test)
# qelhost.exe's own import address table is read-only before the plugin
# loads: a plugin writing there faults in its own code, and is blamed.
fixture_dll(fault_write_host_imports.dll faulting_plugin.cpp ${MINGW_BARE_DLL_OPTIONS}
            -fno-builtin -DWRITE_HOST_IMPORTS -lmsvcrt -lkernel32)
loader_test(plugin_fault.write_host_imports 3
            "the plugin's code crashed in SetStartupInfo: segmentation fault at 0x[0-9a-f]+, at offset"
            ${FIXTURES}/fault_write_host_imports.dll
            WINE_ONLY "the Linux qelhost is no PE image: its library table is made read-only by its link")
