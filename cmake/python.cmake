# The Python that the build's scripts and checks run with: it must have the
# modules they import beyond the standard library (pefile). The first found on
# PATH may be a user's own without them (a pyenv, say); Debian's, which make
# deps gives pefile, is tried next, and the configure step says which it tried.
set(QELFAR_PYTHON_MODULES pefile)

function(qelfar_python_has_modules Python Result)
    list(JOIN QELFAR_PYTHON_MODULES ", " Modules)
    execute_process(COMMAND ${Python} -c "import ${Modules}"
                    RESULT_VARIABLE Status OUTPUT_QUIET ERROR_QUIET)
    if(Status EQUAL 0)
        set(${Result} TRUE PARENT_SCOPE)
    else()
        set(${Result} FALSE PARENT_SCOPE)
    endif()
endfunction()

find_package(Python3 3.9 REQUIRED COMPONENTS Interpreter)
qelfar_python_has_modules(${Python3_EXECUTABLE} _python_ok)
if(NOT _python_ok)
    set(_tried ${Python3_EXECUTABLE})
    qelfar_python_has_modules(/usr/bin/python3 _debian_ok)
    if(NOT _debian_ok)
        list(JOIN QELFAR_PYTHON_MODULES " " _missing)
        message(FATAL_ERROR
            "${_tried} (and /usr/bin/python3) cannot import ${_missing}: run make deps, "
            "which installs python3-pefile, or configure with "
            "-DPython3_EXECUTABLE=/path/to/a/python3/that/has/them")
    endif()
    message(STATUS "${_tried} has no ${QELFAR_PYTHON_MODULES}: the build uses /usr/bin/python3")
    set(Python3_EXECUTABLE /usr/bin/python3 CACHE FILEPATH "The build's Python" FORCE)
    unset(_Python3_EXECUTABLE CACHE)
    unset(Python3_EXECUTABLE)
    find_package(Python3 3.9 REQUIRED COMPONENTS Interpreter)
endif()
