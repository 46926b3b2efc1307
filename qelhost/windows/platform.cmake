# qelhost.exe: the shared parts with Windows' own loader, a console program
# linked statically (libgcc, libstdc++ and winpthread inside), so that it
# imports only Windows system DLLs; shipped in dist/qelhost-windows/.
add_executable(qelhost ${QELHOST_SHARED_SOURCES}
    windows/process.cpp
    windows/standard_streams.cpp
    windows/call_gate.cpp
    windows/crash_report.cpp
    windows/memory_probe.cpp
    windows/module_image.cpp
    windows/loading.cpp
    windows/import_hooks.cpp
    windows/plugin_loader.cpp
    windows/drives.cpp)
target_include_directories(qelhost PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(qelhost PRIVATE qelhost_pe)
# GCC 12 at -O2 warns falsely of overlapping copies inside std::string's
# operator+ (its bug 105329).
target_compile_options(qelhost PRIVATE ${QELFAR_WARNINGS} -Wno-restrict
    -ffile-prefix-map=${CMAKE_SOURCE_DIR}/=)
target_compile_definitions(qelhost PRIVATE QELHOST_VERSION="${PROJECT_VERSION}"
                           WIN32_LEAN_AND_MEAN NOMINMAX
                           # C99 printf (%zu, %#lx), as the Linux build has.
                           __USE_MINGW_ANSI_STDIO=1)
target_compile_options(qelhost_pe PRIVATE -Wno-restrict -ffile-prefix-map=${CMAKE_SOURCE_DIR}/=)
target_link_options(qelhost PRIVATE -static -s -Wl,--no-insert-timestamp)

set(QELHOST_DIST_DIR ${CMAKE_SOURCE_DIR}/dist/qelhost-windows CACHE PATH
    "Where qelhost.exe is shipped")
add_custom_target(qelhost_dist ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory ${QELHOST_DIST_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:qelhost> ${QELHOST_DIST_DIR}/
    DEPENDS qelhost
    COMMENT "Shipping ${QELHOST_DIST_DIR}/qelhost.exe"
    VERBATIM)
