# qelhost tests of how a run ends: a plugin that ends the process (status 5,
# the call and its value named), the watchdog over a call that never
# returns (status 3), and the user's interruptions (128 + the signal), each
# with the transcript kept.

# ending_test(NAME STATUS MESSAGE ARGS...): qelhost ends with STATUS and
# "qelhost: MESSAGE" last on standard error, within seconds.
function(ending_test NAME STATUS MESSAGE)
    qelhost_test(${NAME} ${STATUS} MATCH "qelhost: ${MESSAGE}\n$" ARGS ${ARGN})
    qelhost_test_properties(${NAME} TIMEOUT 30)
endfunction()

# tables/endings.json: how the plugin ends the process (the fixture's
# definitions), then the call the line names and where. Every value gives
# status 5: none is read as the session's 0 or qelhost's 2, 3 or 4, or cut
# to 8 bits.
function(ending_row)
    list(TRANSFORM define PREPEND -D)
    fixture_dll(ending_${name}.dll ending_plugin.cpp ${MINGW_BARE_DLL_OPTIONS} ${define}
                -lmsvcrt -lkernel32)
    ending_test(ending.${name} 5 "the plugin ended the process with ${message}"
                ${FIXTURES}/ending_${name}.dll ${SESSIONS}/busy.qel)
endfunction()
test_table(${TABLES}/endings.json ending_row)

# The watchdog: a call that neither returns nor sleeps is stopped after
# --timeout seconds; 30 when not given, as --help says (checked there, not
# by waiting for it).
fixture_dll(busy_loop.dll ending_plugin.cpp ${MINGW_BARE_DLL_OPTIONS} -DBUSY_LOOP
            -lmsvcrt -lkernel32)
set(BUSY ${FIXTURES}/busy_loop.dll)
fixture_dll(busy_comparison.dll ending_plugin.cpp ${MINGW_BARE_DLL_OPTIONS} -DBUSY_LOOP
            -DIN_COMPARISON -lmsvcrt -lkernel32)
ending_test(timeout.stops_a_busy_loop 3 "the plugin's OpenPlugin did not return within 2 s"
            ${BUSY} ${SESSIONS}/busy.qel --timeout 2)
ending_test(timeout.one_second 3 "the plugin's OpenPlugin did not return within 1 s"
            --timeout=1 ${BUSY} ${SESSIONS}/busy.qel)
# tables/callback_timeouts.json: a function of the plugin's that a service
# calls back from inside SetStartupInfo loops forever; the line names it as
# a fault there is named, during the entry point that called the service.
function(callback_timeout_row)
    fixture_dll(endless_${name}.dll faulting_plugin.cpp ${MINGW_BARE_DLL_OPTIONS} -fno-builtin
                -D${callback} -DENDLESS -lmsvcrt -lkernel32)
    ending_test(timeout.in_${name} 3
                "the plugin's ${message}, during SetStartupInfo, did not return within 1 s"
                --timeout 1 ${FIXTURES}/endless_${name}.dll)
endfunction()
test_table(${TABLES}/callback_timeouts.json callback_timeout_row)
add_test(NAME qelhost.timeout.default_in_help COMMAND qelhost --help)
set_tests_properties(qelhost.timeout.default_in_help PROPERTIES PASS_REGULAR_EXPRESSION
    "--timeout SECONDS +a call into the plugin that has not returned after\n +SECONDS is stopped \\(30 by default; 0: no limit\\)")

# tables/interruptions.json: the signal comes once the plugin is busy (or
# qelhost waits for the script); every transcript line written before is
# kept, and one line says what happened. qelhost.exe has Ctrl-C (and
# Ctrl-Break) from the console's control handler, which Wine raises for
# SIGINT: a SIGINT row has a twin under Wine, told as Ctrl-C; Windows has
# no SIGTERM or SIGHUP.
set(Interrupt ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/interrupt_run.py)
function(interruption_row)
    set(Plugin ${BUSY})
    if(DEFINED plugin)
        set(Plugin ${FIXTURES}/${plugin}.dll)
    endif()
    add_test(NAME qelhost.interrupted.${name}
             COMMAND ${Interrupt} --signal ${signal} --status ${status} --when ${when}
                     --line "qelhost: ${line}" -- ${CMAKE_CROSSCOMPILING_EMULATOR}
                     $<TARGET_FILE:qelhost> ${Plugin})
    set_tests_properties(qelhost.interrupted.${name} PROPERTIES TIMEOUT 60)
    if(NOT QELHOST_EXE OR NOT signal STREQUAL "INT")
        return()
    endif()
    string(REPLACE "SIGINT" "Ctrl-C" WineLine "${line}")
    add_test(NAME qelhost_wine.interrupted.${name}
             COMMAND ${Interrupt} --signal INT --status ${status} --when ${when}
                     --line "qelhost: ${WineLine}"
                     --wine ${CMAKE_CURRENT_SOURCE_DIR}/wine_prefix.sh
                     --emulated ${WINE_EMULATED} -- ${QELHOST_EXE} ${Plugin})
    set_tests_properties(qelhost_wine.interrupted.${name} PROPERTIES TIMEOUT 60
        LABELS wine SKIP_REGULAR_EXPRESSION "qelhost.exe tests skipped: "
        FIXTURES_REQUIRED qelhost_wine_prefix)
endfunction()
test_table(${TABLES}/interruptions.json interruption_row)
