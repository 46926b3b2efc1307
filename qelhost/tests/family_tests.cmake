# The test plugins of the host's service families, each calling every entry
# of its family and reporting what it got through Message: their sessions'
# transcripts are what both builds must write. Then what stops by name.

set(FAMILIES ${FIXTURES}/families)
# The plugins link msvcrt.dll for the copies their compiler makes, and
# KERNEL32.dll for SetLastError.
set(FAMILY_OPTIONS ${MINGW_BARE_DLL_OPTIONS} -lmsvcrt -lkernel32)
function(family_dll NAME)
    fixture_dll(families/${NAME}.dll ${ARGN} ${FAMILY_OPTIONS})
endfunction()
family_dll(standard_functions standard_functions_plugin.cpp)
family_dll(messages_menus messages_menus_plugin.cpp)
family_dll(input_boxes input_box_plugin.cpp)
family_dll(adv_control adv_control_plugin.cpp)
# A plugin that needs the build after the host's own.
family_dll(needs_newer adv_control_plugin.cpp "-DNEEDS_VERSION=MakeFarVersion(1, 75, 2635)")

# A family's session, with its expected transcript; the session's
# environment gives ExpandEnvironmentStr and FIB_EXPANDENV a variable to
# expand, and qelhost's own, which the plugin never sees, one that must stay.
function(family_session NAME PLUGIN)
    qelhost_test(family.${NAME} 0 OUT ${SESSIONS}/family_${NAME}.out
                 ARGS --env QELHOST_TEST_VARIABLE=expanded
                      ${FAMILIES}/${PLUGIN}.dll ${SESSIONS}/family_${NAME}.qel)
    qelhost_test_properties(family.${NAME} ENVIRONMENT QELHOST_NO_VARIABLE=leaked)
endfunction()
family_session(standard_functions standard_functions)
family_session(messages_menus messages_menus)
family_session(input_boxes input_boxes)
family_session(adv_control adv_control)

# tables/family_stops.json: what qelhost does not model stops the run with
# its name, whichever record it is in, and so does a plugin that needs a
# newer host, at load; a menu's or a dialog's answer that does not fit stops
# a script.
# Each row's script lines are written to NAME.qel.
set(StopScripts ${CMAKE_CURRENT_BINARY_DIR}/family_stops)
function(family_stop_test)
    list(JOIN script "\n" Lines)
    file(WRITE ${StopScripts}/${name}.qel "${Lines}\n")
    session_stop(family.${name} ${status} "${message}" ${FAMILIES}/${plugin}.dll
                 ${StopScripts}/${name}.qel)
endfunction()
test_table(${TABLES}/family_stops.json family_stop_test)
