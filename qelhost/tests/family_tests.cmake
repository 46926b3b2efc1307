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

# A family's session, with its expected transcript; the environment gives
# ExpandEnvironmentStr and FIB_EXPANDENV a variable to expand.
function(family_session NAME PLUGIN)
    qelhost_test(family.${NAME} 0 OUT ${SESSIONS}/family_${NAME}.out
                 ARGS ${FAMILIES}/${PLUGIN}.dll ${SESSIONS}/family_${NAME}.qel)
    qelhost_test_properties(family.${NAME} ENVIRONMENT QELHOST_TEST_VARIABLE=expanded)
endfunction()
family_session(standard_functions standard_functions)
family_session(messages_menus messages_menus)
family_session(input_boxes input_boxes)
family_session(adv_control adv_control)

# What qelhost does not model stops the run with its name, whichever
# record it is in; so does a plugin that needs a newer host, at load. (A
# '.' stands for each ';' of a message: a list cannot hold one.)
set(Stops
    fsf_xlat standard_functions "command fsf:xlat" 3
        "the plugin called FSF.XLat, which qelhost does not provide"
    fsf_recursive_search standard_functions "command fsf:recursivesearch" 3
        "the plugin called FSF.FarRecursiveSearch, which qelhost does not provide"
    service_control standard_functions "command fsf:control" 3
        "the plugin called Control, which qelhost does not provide"
    adv_waitkey adv_control "command adv:waitkey" 3
        "the plugin called AdvControl\\(ACTL_WAITKEY\\), which qelhost does not provide"
    menu_separator messages_menus "answer button 3\nmenu panels 4" 3
        "line 1: no item \"3\" here. the items are "
    menu_break_key messages_menus "answer key F5\nmenu panels 4" 3
        "line 1: the menu has no break key F5. its break keys are F4 ShiftF4"
    box_key messages_menus "answer key F4\nmenu panels 1" 3
        "line 1: the key F4 closes only a menu with break keys, and this is none"
    needs_newer needs_newer "quit" 2
        "cannot load .*needs_newer.dll: it needs the host's version 1.75 build 2635, and qelhost is 1.75 build 2634")
set(StopScripts ${CMAKE_CURRENT_BINARY_DIR}/family_stops)
while(Stops)
    list(POP_FRONT Stops Name Plugin Script Status Message)
    string(REPLACE "\\n" "\n" Script "${Script}")
    file(WRITE ${StopScripts}/${Name}.qel "${Script}\n")
    session_stop(family.${Name} ${Status} "${Message}" ${FAMILIES}/${Plugin}.dll
                 ${StopScripts}/${Name}.qel)
endwhile()
