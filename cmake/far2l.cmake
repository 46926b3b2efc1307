# The far2l plugin: qelfar.far-plug-mb, a stripped x86-64 shared object that
# far2l loads with dlopen and whose nine entry points it finds by their C
# names. Everything else is hidden, and it needs libc alone.
add_library(qelfar_far2l MODULE ${QELFAR_SOURCES})
set_target_properties(qelfar_far2l PROPERTIES
    PREFIX "" OUTPUT_NAME qelfar SUFFIX .far-plug-mb
    CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
target_include_directories(qelfar_far2l PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(qelfar_far2l PRIVATE ${QELFAR_CODE_OPTIONS}
    -fno-asynchronous-unwind-tables -fno-ident)
# -z defs: every symbol is resolved at link time; --as-needed: the C++
# libraries the compiler driver adds are not recorded, since nothing of
# them is used; relro and now: the few libc symbols are bound at load and
# their table made read-only, as Debian hardens what it ships.
target_link_options(qelfar_far2l PRIVATE -s -Wl,-z,defs -Wl,--as-needed -static-libgcc
                    -Wl,-z,relro,-z,now)
# The C run-time's start-up objects bring the compiler's tag in .comment;
# nothing reads it.
add_custom_command(TARGET qelfar_far2l POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --remove-section=.comment $<TARGET_FILE:qelfar_far2l>
    VERBATIM)

# The package: the module and the language files in UTF-8, which is what
# far2l reads, made from the same code page 866 sources as the Windows ones.
find_program(ICONV iconv REQUIRED)
file(GLOB QELFAR_LANGUAGE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/lang/*.lng)
set(QELFAR_UTF8_LANGUAGE_FILES)
foreach(Source ${QELFAR_LANGUAGE_FILES})
    get_filename_component(Name ${Source} NAME)
    set(Converted ${CMAKE_CURRENT_BINARY_DIR}/utf8/${Name})
    add_custom_command(OUTPUT ${Converted}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/utf8
        COMMAND ${ICONV} -f CP866 -t UTF-8 -o ${Converted} ${Source}
        DEPENDS ${Source}
        COMMENT "Converting ${Name} to UTF-8"
        VERBATIM)
    list(APPEND QELFAR_UTF8_LANGUAGE_FILES ${Converted})
endforeach()

# The release packs it (packaging/).
package_folder(package_far2l ${QELFAR_FAR2L_PACKAGE_DIR} qelfar_far2l qelfar.far-plug-mb
               ${QELFAR_UTF8_LANGUAGE_FILES})

enable_testing()
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_test(NAME far2l_package_check
         COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/packagecheck/check_far2l_plugin.py
                 ${QELFAR_FAR2L_PACKAGE_DIR} ${CMAKE_SOURCE_DIR}/packagecheck/expected_exports.txt
                 ${CMAKE_SOURCE_DIR}/lang --max-size 32768)
include(${CMAKE_SOURCE_DIR}/packaging/release.cmake)
if(EXISTS ${CMAKE_SOURCE_DIR}/far2l/CMakeLists.txt)
    add_subdirectory(far2l)
endif()
