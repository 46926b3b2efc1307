# The shipped qelfar.dll: stripped, exports by undecorated name from the .def
# file only, no C runtime start-up code, and imports from Windows system DLLs
# alone (no libgcc/libstdc++/winpthread DLLs). Its version resource carries
# the project's version.
enable_language(RC)
set(VERSION_FILE_TYPE VFT_DLL)
set(VERSION_FILE_NAME ${PROJECT_NAME}.dll)
set(VERSION_DESCRIPTION "QelPlugin: a plugin for FAR Manager")
configure_file(${CMAKE_SOURCE_DIR}/cmake/version.rc.in ${CMAKE_CURRENT_BINARY_DIR}/qelfar.rc @ONLY)
add_library(qelfar SHARED ${QELFAR_SOURCES}
            ${CMAKE_SOURCE_DIR}/plugin/dll_entry.cpp
            ${CMAKE_SOURCE_DIR}/plugin/qelfar.def
            ${CMAKE_CURRENT_BINARY_DIR}/qelfar.rc)
set_target_properties(qelfar PROPERTIES PREFIX "" OUTPUT_NAME ${PROJECT_NAME})
target_include_directories(qelfar PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(qelfar PRIVATE ${QELFAR_CODE_OPTIONS})
# Nothing unwinds through the plugin's frames (no exceptions, and an error
# ends the process), so the unwind tables and compiler tags are dead weight
# shipped to every user.
target_compile_options(qelfar PRIVATE -fno-asynchronous-unwind-tables -fno-ident)
target_link_options(qelfar PRIVATE
    -nostartfiles -Wl,-e,_DllEntry@12
    -static-libgcc -static-libstdc++
    -s -Wl,--no-insert-timestamp
    -Wl,--disable-stdcall-fixup)

# The package that users copy into the host's plugins folder; the release
# packs it (packaging/).
file(GLOB QELFAR_LANGUAGE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/lang/*.lng)
package_folder(package ${QELFAR_PACKAGE_DIR} qelfar qelfar.dll ${QELFAR_LANGUAGE_FILES})
