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
    qelhost_session(heap_exhausted 5 --heap-fail-after 0)
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
    # asked again; Ctrl-D ends the session, closing the plugin's panel; a
    # dialog's check boxes, radio buttons and list items are answered there.
    add_test(NAME qelhost.prompt_mistakes
             COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/prompt_session.py
                     ${QELFAR} ${FIXTURES}/dialogs.dll ${CMAKE_CROSSCOMPILING_EMULATOR}
                     $<TARGET_FILE:qelhost>)
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

# tables/script_kinds.json: the script's kind (the file KIND.qel the inputs
# fixture makes), the status, the message.
function(script_kind_test)
    input_stop(script.${kind} ${status} "${message}" ${STARTFILES} ${INPUTS}/${kind}.qel)
endfunction()
test_table(${TABLES}/script_kinds.json script_kind_test)
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
# opening it; on a regular file, its first 128 KiB, as the native host.
string(CONCAT Opened "fifo.qel\", 0 bytes of data.*\"/dev/zero\", 0 bytes of data.*"
       "folder.qel\", 0 bytes of data.*too_big.qel\", 131072 bytes of data.*"
       "the session ends\nstatus 0\n$")
shell_test(open_kinds "" "${Opened}" ${INPUTS}/open.qel)

# tables/findings.json: what an attacker found, each ending with one clear
# qelhost: line and a fitting status. The name, the shell's redirections of
# qelhost's streams (standard error goes to the test), the arguments, and
# what qelhost writes, then "status N".
if(QELFAR_DLL)
    set(Past "99999999999")
    function(finding_test)
        list(JOIN args " " Arguments)
        add_test(NAME qelhost.finding.${name} COMMAND sh -c
                 "${CMAKE_CROSSCOMPILING_EMULATOR} \"$0\" ${Arguments} 2>&1 ${redirection}; echo status $?"
                 $<TARGET_FILE:qelhost>)
        set_tests_properties(qelhost.finding.${name} PROPERTIES TIMEOUT 30
            FIXTURES_REQUIRED qelhost_session_inputs PASS_REGULAR_EXPRESSION "${expected}")
    endfunction()
    test_table(${TABLES}/findings.json finding_test)
endif()

# tables/language_files.json: language files reported when the session
# starts; the run stops only when the plugin asks for a message. The kind
# (the folder KIND_lng the inputs fixture makes), the message; under Windows
# the same, unless the row says wine_match and wine_because.
function(language_file_test)
    wine_clause(Wine)
    input_stop(language.${kind} 3
               "GetMsg: no usable English language file \\(.lng\\) beside the plugin: ${message}"
               ${INPUTS}/${kind}_lng/startfiles.dll ${SESSIONS}/missing_message.qel ${Wine})
endfunction()
test_table(${TABLES}/language_files.json language_file_test)
session_stop(language.missing 3
             "GetMsg: no usable English language file \\(.lng\\) beside the plugin \\(the plugin's"
             ${FIXTURES}/alone/startfiles.dll ${SESSIONS}/missing_message.qel)
session_stop(language.missing_message 3 "GetMsg: message 9 not found in .*fixture.lng"
             ${STARTFILES} ${SESSIONS}/missing_message.qel)

# ---- Plugins that hand the host malformed or hostile records ----
fixture_dll(malformed_dialog.dll malformed_dialog.cpp ${MINGW_BARE_DLL_OPTIONS})
qelhost_test(malformed_dialog 0 OUT ${SESSIONS}/malformed_dialog.out
             ARGS ${FIXTURES}/malformed_dialog.dll ${SESSIONS}/malformed_dialog.qel)

# tables/hostile_records.json: one DLL, copied as hostile/CASE.dll for each
# case, with the message that names what was wrong.
fixture_dll(hostile_records.dll hostile_records.cpp ${MINGW_BARE_DLL_OPTIONS})
function(hostile_copy Case)
    set(Copy ${FIXTURES}/hostile/${Case}.dll)
    set_property(GLOBAL APPEND PROPERTY QELHOST_FIXTURE_FILES ${Copy})
    add_custom_command(OUTPUT ${Copy}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${FIXTURES}/hostile
        COMMAND ${CMAKE_COMMAND} -E copy ${FIXTURES}/hostile_records.dll ${Copy}
        DEPENDS ${FIXTURES}/hostile_records.dll VERBATIM)
endfunction()
function(hostile_record_test)
    hostile_copy(${case})
    session_stop(hostile.${case} 3 "${message}"
                 ${FIXTURES}/hostile/${case}.dll ${SESSIONS}/hostile_records.qel)
endfunction()
test_table(${TABLES}/hostile_records.json hostile_record_test)
hostile_copy(long_texts)
# Long but sound texts: drawn cut to the screen, visibly.
qelhost_test(long_texts 0 OUT ${SESSIONS}/long_texts.out
             ARGS ${FIXTURES}/hostile/long_texts.dll ${SESSIONS}/hostile_records.qel)

# ---- The editor and the viewer, each run on a fresh copy of editing/ ----
# Plugins of our own that replay the host's own plugins' journeys; and the
# editor and viewer with a plugin that takes no part in them.
set(EDITING ${CMAKE_CURRENT_SOURCE_DIR}/editing)
set(PLUGIN_OPTIONS ${MINGW_DLL_OPTIONS} -fno-exceptions -fno-rtti)
fixture_dll(editor_plugin.dll editor_plugin.cpp ${PLUGIN_OPTIONS})
fixture_dll(viewer_plugin.dll viewer_plugin.cpp ${PLUGIN_OPTIONS})
# The line that names the file's full Windows path differs: C: is the
# current folder in the Linux qelhost, Wine's own drive under Wine.
set(FullPath DIFFERING "the editor opens " "the viewer opens "
             BECAUSE "the plugin is shown the file's full path on each system's drives")
qelhost_test(editor_journeys 0 OUT ${SESSIONS}/editor_journeys.out FILES ${EDITING} ${FullPath}
             ARGS ${FIXTURES}/editor_plugin.dll ${SESSIONS}/editor_journeys.qel)
qelhost_test(viewer 0 OUT ${SESSIONS}/viewer.out FILES ${EDITING} ${FullPath}
             ARGS ${FIXTURES}/viewer_plugin.dll ${SESSIONS}/viewer.qel)
qelhost_test(editor_alone 0 OUT ${SESSIONS}/editor_alone.out ERR ${SESSIONS}/mingw_startfiles.err
             FILES ${EDITING} ${FullPath} ARGS ${STARTFILES} ${SESSIONS}/editor_alone.qel)

# ---- The command line: help and version, and one-line usage mistakes ----
qelhost_test(help 0 ARGS --help)
qelhost_test(version 0 ARGS --version)
add_test(NAME qelhost.version_text COMMAND qelhost --version)
set_tests_properties(qelhost.version_text PROPERTIES
    PASS_REGULAR_EXPRESSION "^qelhost ${PROJECT_VERSION}\n$")
add_test(NAME qelhost.help_text COMMAND qelhost -h)
set_tests_properties(qelhost.help_text PROPERTIES
    PASS_REGULAR_EXPRESSION "^usage: qelhost .*qelhost -h\\|--help\\|--version\n")
# tables/usage_mistakes.json: the name, the message, the arguments.
function(usage_mistake_test)
    qelhost_test(usage.${name} 2
                 MATCH "^qelhost: ${message} \\(run qelhost --help for the usage\\)\n$"
                 ARGS ${args})
endfunction()
test_table(${TABLES}/usage_mistakes.json usage_mistake_test)
# --drive maps a letter onto a folder that exists; qelhost.exe has
# Windows' own drives and takes no --drive.
qelhost_test(usage.drive_letter 2
             MATCH "^qelhost: --drive takes a drive letter and a folder, as C=DIR, not \"CD=x\" \\(run"
             ARGS --drive CD=x x.dll LINUX_ONLY "the Wine twin is usage.drive_folder's")
qelhost_test(usage.drive_folder 2
             MATCH "^qelhost: --drive R: \"/nowhere/at/all\" is no folder \\(run"
             ARGS --drive r=/nowhere/at/all x.dll
             WINE_MATCH "^qelhost: --drive is for the Linux qelhost; qelhost.exe uses Windows' own drives \\(run"
             WINE_BECAUSE "qelhost.exe uses Windows' own drives")
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
               standard_text_test.cpp key_names_test.cpp fault_blame_test.cpp drive_map_test.cpp drives_test.cpp
               registry_test.cpp code_pages_test.cpp strings_test.cpp clock_test.cpp
               system_test.cpp file_panels_test.cpp dialog_engine_test.cpp
               ../services/dialog.cpp ../services/dialog_items.cpp ../services/dialog_view.cpp
               ../services/user_answer.cpp ../services/history.cpp ../services/from_plugin.cpp
               ../services/dialog_ex.cpp ../gate/plugin_call.cpp ../gate/watchdog.cpp
               ../counts.cpp
               ../services/name_masks.cpp ../services/key_names.cpp ../services/oem_letters.cpp
               ../services/plugin_format.cpp ../services/record_sort.cpp
               ../services/standard_text.cpp
               ../services/file_panels.cpp ../services/folder_listing.cpp
               ../services/windows_paths.cpp ../services/panel_view.cpp
               ../services/text_canvas.cpp ../linux/call_gate.cpp ../gate/plugin_arena.cpp
               ../gate/windows_errors.cpp ../gate/drive_map.cpp ../linux/drives.cpp
               ../gate/registry.cpp ../gate/registry_file.cpp ../gate/code_pages.cpp
               ../gate/strings.cpp ../gate/plugin_texts.cpp ../gate/clock.cpp
               ../gate/system.cpp ../gate/memory.cpp ../gate/plugin_heap.cpp
               ../gate/loader_notes.cpp
               ../gate/fault_blame.cpp
               ../stop_run.cpp
               editor_text_test.cpp ../services/editor_text.cpp
               ../regular_file.cpp ../services/cp866.cpp ../services/language_file.cpp
               ../services/text_format.cpp ../gate/plugin_memory.cpp
               ../linux/memory_probe.cpp ../linux/process.cpp ../gate/block_table.cpp
               ../session/line_input.cpp
               # qelhost's sanitizer defaults: without them LeakSanitizer's
               # check at exit never ends under qemu-user.
               ../linux/sanitizer_options.cpp)
target_include_directories(qelhost_unit_tests PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(qelhost_unit_tests PRIVATE ${QELFAR_WARNINGS})
target_compile_definitions(qelhost_unit_tests PRIVATE _FILE_OFFSET_BITS=64
                           QELFAR_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
target_link_libraries(qelhost_unit_tests PRIVATE GTest::gtest_main)
gtest_discover_tests(qelhost_unit_tests DISCOVERY_TIMEOUT 60 PROPERTIES LABELS qelhost)

# ---- File panels, Control and the panel entry points, with a panel plugin ----
fixture_dll(panels.dll panels_plugin.cpp ${MINGW_DLL_OPTIONS})
set(JOURNEYS ${CMAKE_CURRENT_BINARY_DIR}/journeys)
add_test(NAME qelhost.make_journey_folders
         COMMAND ${CMAKE_COMMAND} -DDIR=${JOURNEYS}
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/make_journey_folders.cmake)
set_tests_properties(qelhost.make_journey_folders PROPERTIES FIXTURES_SETUP qelhost_journeys)
# The journeys' folder is the drive J: in both builds, so that both show the
# plugin the same paths.
foreach(Journey panels_tmppanel panels_compare panels_tour panels_find)
    qelhost_test(${Journey} 0 OUT ${SESSIONS}/${Journey}.out DRIVE J=${JOURNEYS}
                 ARGS ${FIXTURES}/panels.dll ${SESSIONS}/${Journey}.qel)
    qelhost_test_properties(${Journey} FIXTURES_REQUIRED qelhost_journeys)
endforeach()

# ---- DialogEx: a settings dialog driven by the plugin's own procedure ----
fixture_dll(dialogs.dll dialogs_plugin.cpp ${MINGW_DLL_OPTIONS})
qelhost_test(dialogs_settings 0 OUT ${SESSIONS}/dialogs_settings.out
             ARGS ${FIXTURES}/dialogs.dll ${SESSIONS}/dialogs_settings.qel)

# tables/hostile_services.json: what a plugin hands the panel and dialog
# services wrongly stops the run, naming the service. The plugin, its menu
# item, then the message.
function(hostile_service_test)
    set(Script ${CMAKE_CURRENT_BINARY_DIR}/hostile_services/${plugin}_${item}.qel)
    file(WRITE ${Script} "menu panels ${item}\n")
    session_stop(hostile_service.${plugin}_${item} 3 "${message}" ${FIXTURES}/${plugin}.dll ${Script})
endfunction()
test_table(${TABLES}/hostile_services.json hostile_service_test)
