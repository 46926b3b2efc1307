# qelhost tests of the loader and the Windows run-time: a plugin built with
# mingw's own start-up files, and DLLs broken in ways the loader must refuse.
fixture_dll(refuses_attach.dll startfiles_plugin.cpp ${MINGW_DLL_OPTIONS} -DREFUSE_ATTACH)
fixture_dll(no_entry_points.dll no_entry_points.cpp ${MINGW_BARE_DLL_OPTIONS})
fixture_dll(unknown_import.dll unknown_import.cpp ${MINGW_BARE_DLL_OPTIONS} -lmsvcrt -lkernel32)
broken_dll(truncated.dll truncate)
broken_dll(wrong_machine.dll machine)
broken_dll(misaligned.dll misalign)
broken_dll(overlapping.dll overlap)
broken_dll(wrapping_relocations.dll wrap_relocations)

qelhost_test(mingw_startfiles 0 OUT ${SESSIONS}/mingw_startfiles.out
             ERR ${SESSIONS}/mingw_startfiles.err
             ARGS ${FIXTURES}/plugin/startfiles.dll ${SESSIONS}/mingw_startfiles.qel)

# Refusals: exit status 2, a clear message, nothing of a session.
function(qelhost_refusal NAME FILE MESSAGE)
    qelhost_test(refuses_${NAME} 2 MATCH "^qelhost: cannot load .*${MESSAGE}" ARGS ${FILE})
endfunction()
qelhost_refusal(missing_file ${FIXTURES}/absent.dll "absent.dll: cannot open the file")
qelhost_refusal(non_pe ${FIXTURE_SOURCES}/fixture.lng "fixture.lng: not a Windows executable")
qelhost_refusal(truncated ${FIXTURES}/truncated.dll "truncated.dll: truncated: section .text needs")
qelhost_refusal(wrong_machine ${FIXTURES}/wrong_machine.dll
                "wrong_machine.dll: not a 32-bit x86 \\(i386\\) image: its machine type is 0x8664")
qelhost_refusal(missing_entry_points ${FIXTURES}/no_entry_points.dll
                ": it exports no SetStartupInfo")
qelhost_refusal(unknown_imports ${FIXTURES}/unknown_import.dll
                ": unknown_import.dll imports what qelhost does not provide: .*KERNEL32.dll!GetTickCount.*msvcrt.dll!fopen")
qelhost_refusal(failed_attach ${FIXTURES}/refuses_attach.dll
                ": its entry routine refused to load \\(DLL_PROCESS_ATTACH returned FALSE\\)")
qelhost_refusal(misaligned_section ${FIXTURES}/misaligned.dll
                ": section .text at 0x109B is not aligned to 0x1000")
qelhost_refusal(overlapping_sections ${FIXTURES}/overlapping.dll
                ": section .data at 0x1000 overlaps what comes before it")
qelhost_refusal(wrapping_relocations ${FIXTURES}/wrapping_relocations.dll
                ": its relocation table \\(0x[0-9A-F]+, 0x[0-9A-F]+ bytes\\) lies outside the image")
