# test_table(TABLE FUNCTION): the one reader of the tests' tables. TABLE is a
# JSON array of rows, one object a line, each row one test case; FUNCTION is
# called once a row with each of the row's keys set as a variable of that
# name, in a scope of the row's own, so that a key the row leaves out is not
# defined. Each string, and each string of an array (which becomes a list),
# has its ${VARIABLE} references replaced first, so that a row can name the
# paths and patterns the calling CMake file defines. Editing TABLE makes the
# build configure again.
function(test_table Table Function)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${Table})
    file(READ ${Table} Json)
    string(JSON Rows ERROR_VARIABLE Error LENGTH "${Json}")
    if(Error)
        message(FATAL_ERROR "${Table} is no JSON array of rows: ${Error}")
    endif()
    set(RowIndex 0)
    while(RowIndex LESS Rows)
        string(JSON Row GET "${Json}" ${RowIndex})
        math(EXPR RowIndex "${RowIndex} + 1")
        string(JSON Keys ERROR_VARIABLE Error LENGTH "${Row}")
        if(Error)
            message(FATAL_ERROR "${Table}: row ${RowIndex} is no object of keys and values: ${Row}")
        endif()
        block()
            set(KeyIndex 0)
            while(KeyIndex LESS Keys)
                string(JSON Key MEMBER "${Row}" ${KeyIndex})
                math(EXPR KeyIndex "${KeyIndex} + 1")
                _test_table_value(${Key})
            endwhile()
            cmake_language(CALL ${Function})
        endblock()
    endwhile()
endfunction()

# Sets KEY to the row's value of KEY: a string, or a list of an array's strings.
macro(_test_table_value Key)
    string(JSON Type TYPE "${Row}" ${Key})
    if(Type STREQUAL "ARRAY")
        string(JSON Items LENGTH "${Row}" ${Key})
        set(${Key} "")
        set(Item 0)
        while(Item LESS Items)
            string(JSON Text GET "${Row}" ${Key} ${Item})
            string(CONFIGURE "${Text}" Text)
            list(APPEND ${Key} "${Text}")
            math(EXPR Item "${Item} + 1")
        endwhile()
    else()
        string(JSON Text GET "${Row}" ${Key})
        string(CONFIGURE "${Text}" ${Key})
    endif()
endmacro()
