# qelhost tests of the session and the host services: sessions compared with
# expected transcripts; inputs and plugins that must stop a run cleanly; the
# command line; a session typed at a terminal; unit tests.

# session_stop(NAME STATUS MESSAGE ARGS...): qelhost ends with STATUS and,
# last on standard error, "qelhost: MESSAGE...": within seconds and
# (natively) within 2 GB of address space, never by a signal or a hang.
function(session_stop NAME STATUS MESSAGE)
    qelhost_test(${NAME} ${STATUS} MATCH "qelhost: ${MESSAGE}[^\n]*\n$" ARGS ${ARGN})
    qelhost_test_properties(${NAME} TIMEOUT 30 ENVIRONMENT QELHOST_ADDRESS_LIMIT=2147483648)
endfunction()

# ---- Sessions of the shipped package ----
if(QELFAR_DLL)
    set(QELFAR ${QELFAR_PACKAGE_DIR}/qelfar.dll)
    qelhost_session(menus 0)
    qelhost_session(panel 0)
    qelhost_session(f7_dialog 0)
    qelhost_session(russian 0 --lang rus)
    qelhost_session(heap_exhausted 1 --heap-fail-after 0)
    qelhost_test(demo 0 OUT ${SESSIONS}/demo.out
                 ARGS ${QELFAR} ${CMAKE_SOURCE_DIR}/qelhost/sessions/demo.qel)
    # Options may follow the plugin and the script.
    qelhost_test(options_anywhere 0 OUT ${SESSIONS}/russian.out
                 ARGS ${QELFAR} ${SESSIONS}/russian.qel --lang rus)

    # A script stops at its first mistake.
    session_stop(unknown_command 3 "line 3: unknown command \"jump\" \\(help lists"
                 ${QELFAR} ${SESSIONS}/unknown_command.qel)
    session_stop(unused_answer 3 "line 3: the answer there was not used by \"key F7 shift\""
                 ${QELFAR} ${SESSIONS}/unused_answer.qel)
    session_stop(unknown_button 3 "line 2: no button \"Maybe\" here; the buttons are \\{ Ok \\}"
                 ${QELFAR} ${SESSIONS}/unknown_button.qel)

    # Typed at a terminal: a mistake at every kind of prompt is told and
    # asked again; Ctrl-D ends the session, closing the plugin's panel.
    add_test(NAME qelhost.prompt_mistakes
             COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/prompt_session.py
                     ${QELFAR} ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:qelhost>)
    set_tests_properties(qelhost.prompt_mistakes PROPERTIES TIMEOUT 60)
endif()

# ---- Script and language-file kinds, made when the tests run ----
set(INPUTS ${CMAKE_CURRENT_BINARY_DIR}/session_inputs)
set(STARTFILES ${FIXTURES}/plugin/startfiles.dll)
add_test(NAME qelhost.make_session_inputs
         COMMAND ${CMAKE_COMMAND} -DDIR=${INPUTS} -DPLUGIN=${FIXTURES}/startfiles.dll
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/make_session_inputs.cmake)
set_tests_properties(qelhost.make_session_inputs PROPERTIES
    FIXTURES_SETUP qelhost_session_inputs)
function(input_stop NAME STATUS MESSAGE)
    session_stop(${NAME} ${STATUS} "${MESSAGE}" ${ARGN})
    qelhost_test_properties(${NAME} FIXTURES_REQUIRED qelhost_session_inputs)
endfunction()

set(Scripts
    folder 2 "cannot use .*folder.qel as the session script: it is a folder, not a file or a pipe"
    bom 3 "line 1: unknown command \"jump\""
    escape 3 "line 1: unknown command \"jump\\\\x1b.2J\""
    not_cp866 3 "line 1: answer type: code page 866 has no 日本"
    long_line 3 ".*long_line.qel: line 2 is longer than 65536 bytes"
    too_big 3 ".*too_big.qel is longer than 16777216 bytes")
while(Scripts)
    list(POP_FRONT Scripts Kind Status Message)
    input_stop(script.${Kind} ${Status} "${Message}" ${STARTFILES} ${INPUTS}/${Kind}.qel)
endwhile()
session_stop(script.device 2 "cannot use /dev/zero as the session script: it is a character device"
             ${STARTFILES} /dev/zero WINE_MATCH "cannot use /dev/zero as the session script: No such file"
             WINE_BECAUSE "Wine shows no device of the Linux file system as a file")

# Standard input and pipes, through the shell: what qelhost writes (both
# streams), then "status N", must match EXPECTED.
function(shell_test NAME REDIRECTION EXPECTED)
    set(Limit "")
    if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
        set(Limit "prlimit --as=2147483648")
    endif()
    add_test(NAME qelhost.${NAME} COMMAND sh -c
             "${REDIRECTION} ${Limit} ${CMAKE_CROSSCOMPILING_EMULATOR} \"$0\" \"$1\" $2 2>&1; echo status $?"
             $<TARGET_FILE:qelhost> ${STARTFILES} ${ARGN})
    set_tests_properties(qelhost.${NAME} PROPERTIES TIMEOUT 30
        FIXTURES_REQUIRED qelhost_session_inputs PASS_REGULAR_EXPRESSION "${EXPECTED}")
endfunction()
shell_test(stdin.device "exec </dev/zero;"
           "qelhost: standard input: line 1 is longer than 65536 bytes\nstatus 3\n$")
shell_test(stdin.folder "exec </;"
           "qelhost: standard input is a folder, not a session script\nstatus 2\n$")
shell_test(stdin.pipe "printf 'jump\\n' |"
           "qelhost: line 1: unknown command \"jump\"[^\n]*\nstatus 3\n$")
shell_test(stdin.pipe_as_script "printf 'jump\\n' |"
           "qelhost: line 1: unknown command \"jump\"[^\n]*\nstatus 3\n$" /dev/stdin)
# Enter on a FIFO, a device or a folder shows the plugin no data, without
# opening it; on a regular file, its first 256 KiB.
string(CONCAT Opened "fifo.qel\", 0 bytes of data.*\"/dev/zero\", 0 bytes of data.*"
       "folder.qel\", 0 bytes of data.*too_big.qel\", 262144 bytes of data.*"
       "the session ends\nstatus 0\n$")
shell_test(open_kinds "" "${Opened}" ${INPUTS}/open.qel)

# What an attacker found: each ends with one clear qelhost: line and a
# fitting status. The name, the shell's redirections of qelhost's streams
# (standard error goes to the test), the arguments ('|'-separated), and
# what qelhost writes, then "status N".
if(QELFAR_DLL)
    set(Past "99999999999")
    set(Findings
        full_disk ">/dev/full" "${QELFAR}|${SESSIONS}/menus.qel"
            "^qelhost: cannot write the transcript to standard output: No space left on device\nstatus 3\n$"
        closed_stdout ">&-" "${QELFAR}|${SESSIONS}/menus.qel"
            "^qelhost: standard output is closed: the transcript has nowhere to go\nstatus 2\n$"
        closed_stdin "<&-" "${QELFAR}"
            "^qelhost: standard input is closed: name a session script\nstatus 2\n$"
        count_past_range "" "--heap-fail-after|${Past}|${QELFAR}"
            "^qelhost: --heap-fail-after takes a count of at most 999999999, not ${Past} \\(run qelhost --help for the usage\\)\nstatus 2\n$"
        item_past_range "" "${QELFAR}|${INPUTS}/menu_past.qel"
            "qelhost: line 1: menu: the item ${Past} is past 999999999, the largest number qelhost takes\nstatus 3\n$"
        missing_dll "" "${CMAKE_CURRENT_BINARY_DIR}/nowhere/qelfar.dll"
            "^qelhost: cannot load [^\n]*/nowhere/qelfar.dll: cannot open the file \\(No such file or directory\\) \\(make demo, or make dll, builds dist/qelfar/qelfar.dll\\)\nstatus 2\n$"
        no_answer "" "${QELFAR}|${SESSIONS}/no_answer.qel"
            "qelhost: line 2: no answer prepared for the box \"Information\" \\(answers go before the command that shows it\\)\nstatus 3\n$")
    while(Findings)
        list(POP_FRONT Findings Name Redirection Arguments Expected)
        string(REPLACE "|" " " Arguments "${Arguments}")
        add_test(NAME qelhost.finding.${Name} COMMAND sh -c
                 "${CMAKE_CROSSCOMPILING_EMULATOR} \"$0\" ${Arguments} 2>&1 ${Redirection}; echo status $?"
                 $<TARGET_FILE:qelhost>)
        set_tests_properties(qelhost.finding.${Name} PROPERTIES TIMEOUT 30
            FIXTURES_REQUIRED qelhost_session_inputs PASS_REGULAR_EXPRESSION "${Expected}")
    endwhile()
endif()

# Language files: reported when the session starts; the run stops only
# when the plugin asks for a message.
set(LanguageFiles
    empty "fixture.lng is empty"
    unterminated "fixture.lng line 3: the message has no closing quote"
    utf8 "fixture.lng line 3: the text is UTF-8, not code page 866: \"Закрыть\""
    bom "fixture.lng starts with a UTF-8 byte-order mark"
    fifo "fixture.lng is not a regular file"
    folder "fixture.lng is not a regular file")
while(LanguageFiles)
    list(POP_FRONT LanguageFiles Kind Message)
    set(Wine "")
    if(Kind STREQUAL "fifo")
        set(Wine WINE_MATCH "beside the plugin: fixture.lng: No such file"
                 WINE_BECAUSE "Wine lists a FIFO in its folder, but shows it as no file")
    endif()
    input_stop(language.${Kind} 3
               "GetMsg: no usable English language file \\(.lng\\) beside the plugin: ${Message}"
               ${INPUTS}/${Kind}_lng/startfiles.dll ${SESSIONS}/missing_message.qel ${Wine})
endwhile()
session_stop(language.missing 3
             "GetMsg: no usable English language file \\(.lng\\) beside the plugin \\(the plugin's"
             ${FIXTURES}/alone/startfiles.dll ${SESSIONS}/missing_message.qel)
session_stop(language.missing_message 3 "GetMsg: message 9 not found in .*fixture.lng"
             ${STARTFILES} ${SESSIONS}/missing_message.qel)

# ---- Plugins that hand the host malformed or hostile records ----
fixture_dll(malformed_dialog.dll malformed_dialog.cpp ${MINGW_BARE_DLL_OPTIONS})
qelhost_test(malformed_dialog 0 OUT ${SESSIONS}/malformed_dialog.out
             ARGS ${FIXTURES}/malformed_dialog.dll ${SESSIONS}/malformed_dialog.qel)

# One DLL, copied as hostile/CASE.dll for each case: the case, then the
# message that names what was wrong.
set(HostileCases
    menu_list_null "GetPluginInfo: the menu string list at 0x0 cannot be read"
    menu_list_wild "GetPluginInfo: the menu string list at 0x10 cannot be read"
    menu_count_huge "GetPluginInfo: 2147483647 menu strings, more than qelhost takes \\(at most 1000\\)"
    menu_count_negative "GetPluginInfo: a count of -5 menu strings"
    menu_string_wild "GetPluginInfo: menu string 2 at 0x10 cannot be read"
    menu_strings_huge "GetPluginInfo: 10000 menu strings, more than qelhost takes"
    menu_string_long "GetPluginInfo: menu string 1 at 0x[0-9a-f]+ has no terminating zero within 16384"
    prefix_wild "GetPluginInfo: the command prefix at 0x10 cannot be read"
    getmsg_number "GetMsg: called with plugin number 99, not the plugin's 7"
    message_list_null "Message: the item list at 0x0 cannot be read"
    message_list_wild "Message: the item list at 0x10 cannot be read"
    message_count_huge "Message: 2147483647 items, more than qelhost draws \\(at most 256\\)"
    message_item_wild "Message: item 2 at 0x10 cannot be read"
    message_line_long "Message: item 2 at 0x[0-9a-f]+ has no terminating zero within 16384"
    message_title_long "Message: item 1 at 0x[0-9a-f]+ has no terminating zero within 16384"
    message_buttons_past "Message: 5 buttons among 3 items \\(the first is the title\\)"
    dialog_items_null "Dialog: the item list at 0x0 cannot be read"
    dialog_items_wild "Dialog: the item list at 0x10 cannot be read"
    dialog_count_huge "Dialog: 16777216 items, more than qelhost draws \\(at most 1024\\)"
    dialog_history_wild "Dialog: the history name of item 1 at 0x10 cannot be read"
    title_long "GetOpenPluginInfo: the panel title at 0x[0-9a-f]+ has no terminating zero"
    title_wild "GetOpenPluginInfo: the panel title at 0x10 cannot be read"
    find_list_null "GetFindData: the list at 0x0 cannot be read"
    find_list_wild "GetFindData: the list at 0x10 cannot be read"
    find_count_huge "GetFindData: 2147483647 items, more than qelhost lists \\(at most 65536\\)"
    find_count_negative "GetFindData: a count of -1 items"
    find_count_past "GetFindData: the list at 0x[0-9a-f]+ holds no 65536 entries: entry [0-9]+ at")
fixture_dll(hostile_records.dll hostile_records.cpp ${MINGW_BARE_DLL_OPTIONS})
set(Copies ${FIXTURES}/hostile/long_texts.dll)
set(CopyCommands COMMAND ${CMAKE_COMMAND} -E make_directory ${FIXTURES}/hostile)
set(Cases ${HostileCases})
while(Cases)
    list(POP_FRONT Cases Case Message)
    list(APPEND Copies ${FIXTURES}/hostile/${Case}.dll)
    session_stop(hostile.${Case} 3 "${Message}"
                 ${FIXTURES}/hostile/${Case}.dll ${SESSIONS}/hostile_records.qel)
endwhile()
foreach(Copy ${Copies})
    list(APPEND CopyCommands COMMAND ${CMAKE_COMMAND} -E copy ${FIXTURES}/hostile_records.dll ${Copy})
endforeach()
add_custom_command(OUTPUT ${Copies} ${CopyCommands}
                   DEPENDS ${FIXTURES}/hostile_records.dll VERBATIM)
set_property(GLOBAL APPEND PROPERTY QELHOST_FIXTURE_FILES ${Copies})
# Long but sound texts: drawn cut to the screen, visibly.
qelhost_test(long_texts 0 OUT ${SESSIONS}/long_texts.out
             ARGS ${FIXTURES}/hostile/long_texts.dll ${SESSIONS}/hostile_records.qel)

# ---- The command line: help and version, and one-line usage mistakes ----
qelhost_test(help 0 ARGS --help)
qelhost_test(version 0 ARGS --version)
add_test(NAME qelhost.version_text COMMAND qelhost --version)
set_tests_properties(qelhost.version_text PROPERTIES
    PASS_REGULAR_EXPRESSION "^qelhost ${PROJECT_VERSION}\n$")
add_test(NAME qelhost.help_text COMMAND qelhost -h)
set_tests_properties(qelhost.help_text PROPERTIES
    PASS_REGULAR_EXPRESSION "^usage: qelhost .*qelhost -h\\|--help\\|--version\n")
set(Mistakes
    unknown_option "unknown option --bogus" "--bogus|x.dll"
    no_plugin "name the plugin DLL" ""
    too_many "too many arguments: \"c\"" "a|b|c"
    bad_language "--lang takes eng or rus, not \"fr\"" "--lang|fr|x.dll"
    no_value "--lang needs a value" "x.dll|--lang")
while(Mistakes)
    list(POP_FRONT Mistakes Name Message Arguments)
    string(REPLACE "|" ";" Arguments "${Arguments}")
    qelhost_test(usage.${Name} 2
                 MATCH "^qelhost: ${Message} \\(run qelhost --help for the usage\\)\n$"
                 ARGS ${Arguments})
endwhile()
# An empty count: add_test keeps the empty argument, which the runner's
# argument list would drop.
add_test(NAME qelhost.usage.empty_heap_count
         COMMAND qelhost --heap-fail-after "" ${FIXTURES}/absent.dll)
set_tests_properties(qelhost.usage.empty_heap_count PROPERTIES PASS_REGULAR_EXPRESSION
    "^qelhost: --heap-fail-after takes a count, not \"\" \\(run qelhost --help for the usage\\)\n$")

# ---- Unit tests of the parts of the session, the services and the loaders ----
include(GoogleTest)
add_executable(qelhost_unit_tests cp866_test.cpp language_file_test.cpp text_format_test.cpp
               plugin_memory_test.cpp line_input_test.cpp block_table_test.cpp
               editor_text_test.cpp ../services/editor_text.cpp
               ../regular_file.cpp ../services/cp866.cpp ../services/language_file.cpp
               ../services/text_format.cpp ../loader/plugin_memory.cpp
               ../linux_pe_loader/memory_probe.cpp ../loader/block_table.cpp
               ../session/line_input.cpp
               # qelhost's sanitizer defaults: without them LeakSanitizer's
               # check at exit never ends under qemu-user.
               ../linux_pe_loader/sanitizer_options.cpp)
target_include_directories(qelhost_unit_tests PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(qelhost_unit_tests PRIVATE ${QELFAR_WARNINGS})
target_compile_definitions(qelhost_unit_tests PRIVATE _FILE_OFFSET_BITS=64
                           QELFAR_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
target_link_libraries(qelhost_unit_tests PRIVATE GTest::gtest_main)
gtest_discover_tests(qelhost_unit_tests DISCOVERY_TIMEOUT 60)
