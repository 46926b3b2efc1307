# The differential mutant test: single-byte mutants of the shipped DLL run
# through the demo session with --timeout 5. qelhost must never blame
# itself (status 4), end by a signal or run past the timeout, and (under
# Wine) must end each mutant as qelhost.exe does. The fixed rows of
# mutants.txt (those once bad) always run while the DLL is the one they
# were found in; a seeded sample runs within about 10 s; `make fuzz` runs
# thousands.
if(NOT QELFAR_DLL)
    return()
endif()
set(Mutants ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/mutants.py
    --dll ${QELFAR_PACKAGE_DIR}/qelfar.dll --session ${CMAKE_SOURCE_DIR}/qelhost/sessions/demo.qel
    --timeout 5 --jobs 2)
set(FixedRows --rows ${CMAKE_CURRENT_SOURCE_DIR}/mutants.txt)
set(Sample --sample 100 --seed 20 --budget 10)
add_test(NAME qelhost.mutants.fixed_rows
         COMMAND ${Mutants} ${FixedRows} -- ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:qelhost>)
add_test(NAME qelhost.mutants.sample
         COMMAND ${Mutants} ${Sample} -- ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:qelhost>)
set_tests_properties(qelhost.mutants.fixed_rows qelhost.mutants.sample PROPERTIES
    TIMEOUT 300 SKIP_REGULAR_EXPRESSION "fixed rows skipped: ")
if(QELHOST_EXE)
    # A few dozen under Wine, each beside qelhost's own run.
    set(Wine --wine ${CMAKE_CURRENT_SOURCE_DIR}/wine_prefix.sh --wine-exe ${QELHOST_EXE}
        --emulated ${WINE_EMULATED})
    add_test(NAME qelhost_wine.mutants.fixed_rows
             COMMAND ${Mutants} ${FixedRows} ${Wine} -- ${CMAKE_CROSSCOMPILING_EMULATOR}
                     $<TARGET_FILE:qelhost>)
    add_test(NAME qelhost_wine.mutants.sample
             COMMAND ${Mutants} --sample 36 --seed 20 ${Wine} -- ${CMAKE_CROSSCOMPILING_EMULATOR}
                     $<TARGET_FILE:qelhost>)
    set_tests_properties(qelhost_wine.mutants.fixed_rows qelhost_wine.mutants.sample PROPERTIES
        TIMEOUT 600 LABELS wine SKIP_REGULAR_EXPRESSION "qelhost.exe mutants skipped: "
        FIXTURES_REQUIRED qelhost_wine_prefix)
endif()
