# Runs qelhost once and checks what it did.
#   QELHOST, EMULATOR (may be empty), ARGUMENTS ('|'-separated)
#   RUNNER        what runs qelhost.exe under Wine (run_wine.sh), for its twin
#                 tests; its status 77 skips the test
#   WINE_DRIVE    L=DIR: under Wine, the drive L: is the folder DIR for the run
#                 (optional; what --drive L=DIR does for the Linux qelhost)
#   DIFFERING     ('|'-separated) regular expressions of the lines that may
#                 differ between the two loaders: dropped before comparing
#   STATUS        the exit status expected
#   EXPECTED_OUT  file that standard output must equal (optional)
#   EXPECTED_ERR  file that standard error must equal (optional)
#   ERROR_MATCH   regular expression that standard error must match (optional)
#   FILES, WORK   a folder whose files are copied afresh into the folder WORK,
#                 where qelhost then runs, for sessions that change files
#                 (optional)
# Without EXPECTED_ERR or ERROR_MATCH, standard error must be empty.
# The environment's QELHOST_ADDRESS_LIMIT (optional) caps qelhost's address
# space, in bytes, when it runs natively: under an emulator it would cap the
# emulator too.
string(REPLACE "|" ";" ARGUMENTS "${ARGUMENTS}")
set(Limit "")
if(NOT EMULATOR AND NOT RUNNER AND DEFINED ENV{QELHOST_ADDRESS_LIMIT})
    find_program(PRLIMIT prlimit REQUIRED)
    set(Limit ${PRLIMIT} --as=$ENV{QELHOST_ADDRESS_LIMIT})
endif()
if(RUNNER) # Wine cannot run under an emulator
    set(ENV{QELHOST_EMULATED} "${EMULATED}")
    set(ENV{QELHOST_WINE_DRIVE} "${WINE_DRIVE}")
endif()
set(Folder "")
if(DEFINED FILES)
    file(REMOVE_RECURSE ${WORK})
    file(COPY ${FILES}/ DESTINATION ${WORK})
    set(Folder WORKING_DIRECTORY ${WORK})
endif()
execute_process(COMMAND ${Limit} ${EMULATOR} ${RUNNER} ${QELHOST} ${ARGUMENTS} ${Folder}
                RESULT_VARIABLE Status OUTPUT_VARIABLE Out ERROR_VARIABLE Err)
if(RUNNER AND Status EQUAL 77 AND Out MATCHES "^qelhost.exe tests skipped: ")
    # The line the test's SKIP_REGULAR_EXPRESSION looks for, as one line
    # (message() would fold it).
    execute_process(COMMAND ${CMAKE_COMMAND} -E echo_append "${Out}")
    return()
endif()
# With QELFAR_UPDATE_EXPECTED in the environment (make update-expected),
# what the Linux qelhost wrote becomes the expected output; the status is still checked.
if(NOT RUNNER AND DEFINED ENV{QELFAR_UPDATE_EXPECTED} AND DEFINED EXPECTED_OUT)
    file(WRITE ${EXPECTED_OUT} "${Out}")
endif()
if(NOT RUNNER AND DEFINED ENV{QELFAR_UPDATE_EXPECTED} AND DEFINED EXPECTED_ERR)
    file(WRITE ${EXPECTED_ERR} "${Err}")
endif()

# Without the lines that may differ between the loaders, or that one of
# them alone writes: each dropped whole, with its line end.
function(drop_differing Text Result)
    if(DIFFERING)
        string(REPLACE "|" ";" Patterns "${DIFFERING}")
        foreach(Pattern ${Patterns})
            # Again until none is left: a match takes the line end that
            # the next line's match would start with.
            set(Before "")
            while(NOT Text STREQUAL Before)
                set(Before "${Text}")
                string(REGEX REPLACE "(^|\n)[^\n]*${Pattern}[^\n]*\n" "\\1" Text "${Text}")
            endwhile()
        endforeach()
    endif()
    set(${Result} "${Text}" PARENT_SCOPE)
endfunction()
set(Failures "")
if(NOT Status STREQUAL "${STATUS}")
    string(APPEND Failures "exit status ${Status}, expected ${STATUS}\n")
endif()
if(DEFINED EXPECTED_OUT)
    file(READ ${EXPECTED_OUT} Want)
    drop_differing("${Want}" Want)
    drop_differing("${Out}" Out)
    if(NOT Out STREQUAL Want)
        file(WRITE ${OUTPUT_COPY} "${Out}")
        # Straight to the test's log: message() would reflow the lines.
        execute_process(COMMAND diff -u ${EXPECTED_OUT} ${OUTPUT_COPY})
        string(APPEND Failures "standard output differs from ${EXPECTED_OUT} (diff above)\n")
    endif()
endif()
if(DEFINED EXPECTED_ERR)
    file(READ ${EXPECTED_ERR} WantErr)
    if(NOT Err STREQUAL WantErr)
        string(APPEND Failures "standard error differs from ${EXPECTED_ERR}:\n${Err}\n")
    endif()
elseif(DEFINED ERROR_MATCH)
    if(NOT Err MATCHES "${ERROR_MATCH}")
        string(APPEND Failures "standard error does not match \"${ERROR_MATCH}\":\n${Err}\n")
    endif()
elseif(NOT Err STREQUAL "")
    string(APPEND Failures "unexpected standard error:\n${Err}\n")
endif()
if(Failures)
    message(FATAL_ERROR "qelhost ${ARGUMENTS}\n${Failures}")
endif()
