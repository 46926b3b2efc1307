# qelhost tests of the session and the host services: sessions on the shipped
# package compared with expected transcripts, session errors, and unit tests
# of the code page and language-file readers.
if(QELFAR_DLL)
    qelhost_session(menus 0)
    qelhost_session(panel 0)
    qelhost_session(f7_dialog 0)
    qelhost_session(russian 0 --lang rus)
    qelhost_session(heap_exhausted 1 --heap-fail-after 0)
    qelhost_test(demo 0 OUT ${SESSIONS}/demo.out ARGS ${QELFAR_PACKAGE_DIR}/qelfar.dll
                 ${CMAKE_SOURCE_DIR}/qelhost/sessions/demo.qel)
    qelhost_test(unknown_command 3 MATCH "line 3: unknown command \"jump\""
                 ARGS ${QELFAR_PACKAGE_DIR}/qelfar.dll ${SESSIONS}/unknown_command.qel)
    qelhost_test(unused_answer 3 MATCH "line 3: the answer there was not used by \"key F7 shift\""
                 ARGS ${QELFAR_PACKAGE_DIR}/qelfar.dll ${SESSIONS}/unused_answer.qel)
    qelhost_test(no_answer 3 MATCH "no answer prepared for the box \"Information\""
                 ARGS ${QELFAR_PACKAGE_DIR}/qelfar.dll ${SESSIONS}/no_answer.qel)
    qelhost_test(unknown_button 3 MATCH "line 2: no button \"Maybe\" here; the buttons are \\{ Ok \\}"
                 ARGS ${QELFAR_PACKAGE_DIR}/qelfar.dll ${SESSIONS}/unknown_button.qel)
    qelhost_test(bad_language 2 MATCH "--lang takes eng or rus, not \"fr\""
                 ARGS --lang fr ${QELFAR_PACKAGE_DIR}/qelfar.dll)
endif()

# An empty count: add_test keeps the empty argument, which the runner's
# argument list would drop.
add_test(NAME qelhost.empty_heap_count
         COMMAND qelhost --heap-fail-after "" ${FIXTURES}/absent.dll)
set_tests_properties(qelhost.empty_heap_count PROPERTIES
    PASS_REGULAR_EXPRESSION "qelhost: --heap-fail-after takes a count, not \"\"\nusage:")

include(GoogleTest)
add_executable(qelhost_unit_tests cp866_test.cpp language_file_test.cpp
               ../services/cp866.cpp ../services/language_file.cpp)
target_include_directories(qelhost_unit_tests PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(qelhost_unit_tests PRIVATE ${QELFAR_WARNINGS})
target_compile_definitions(qelhost_unit_tests PRIVATE _FILE_OFFSET_BITS=64
                           QELFAR_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
target_link_libraries(qelhost_unit_tests PRIVATE GTest::gtest_main)
gtest_discover_tests(qelhost_unit_tests DISCOVERY_TIMEOUT 60)


# Plugins built to hand the host malformed records.
fixture_dll(malformed_dialog.dll malformed_dialog.cpp ${MINGW_BARE_DLL_OPTIONS})
qelhost_test(malformed_dialog 0 OUT ${SESSIONS}/malformed_dialog.out
             ARGS ${FIXTURES}/malformed_dialog.dll ${SESSIONS}/malformed_dialog.qel)
qelhost_test(missing_message 3 MATCH "Message 9 not found in .*fixture.lng"
             ARGS ${FIXTURES}/plugin/startfiles.dll ${SESSIONS}/missing_message.qel)
qelhost_test(missing_language_file 3 MATCH "no English language file \\(.lng\\) beside the plugin"
             ARGS ${FIXTURES}/alone/startfiles.dll ${SESSIONS}/missing_message.qel)
