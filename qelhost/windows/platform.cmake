# qelhost.exe: the shared parts with Windows' own loader, a console program
# linked statically (libgcc, libstdc++ and winpthread inside), so that it
# imports only Windows system DLLs, with a version resource like the DLL's;
# shipped in its folder of dist/ with a text on how to run it and a sample
# session.
enable_language(RC)
set(VERSION_FILE_TYPE VFT_APP)
set(VERSION_FILE_NAME qelhost.exe)
set(VERSION_DESCRIPTION "qelhost: a scripted host for FAR Manager's ANSI plugins")
configure_file(${CMAKE_SOURCE_DIR}/cmake/version.rc.in ${CMAKE_CURRENT_BINARY_DIR}/qelhost.rc @ONLY)
add_executable(qelhost ${QELHOST_SHARED_SOURCES} ${CMAKE_CURRENT_BINARY_DIR}/qelhost.rc
    windows/process.cpp
    windows/standard_streams.cpp
    windows/call_gate.cpp
    windows/crash_report.cpp
    windows/interruptions.cpp
    windows/memory_probe.cpp
    windows/module_image.cpp
    windows/loading.cpp
    windows/import_hooks.cpp
    windows/plugin_loader.cpp
    windows/drives.cpp
    windows/last_error.cpp
    windows/files.cpp)
target_include_directories(qelhost PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(qelhost PRIVATE qelhost_pe)
# GCC 12 at -O2 warns falsely of overlapping copies inside std::string's
# operator+ (its bug 105329).
target_compile_options(qelhost PRIVATE ${QELFAR_WARNINGS} -Wno-restrict
    -ffile-prefix-map=${CMAKE_SOURCE_DIR}/=)
target_compile_definitions(qelhost PRIVATE QELHOST_VERSION="${PROJECT_VERSION}"
                           QELFAR_PACKAGED_DLL="${QELFAR_PACKAGE_FOLDER}/qelfar.dll"
                           WIN32_LEAN_AND_MEAN NOMINMAX
                           # C99 printf (%zu, %#lx), as the Linux build has.
                           __USE_MINGW_ANSI_STDIO=1)
target_compile_options(qelhost_pe PRIVATE -Wno-restrict -ffile-prefix-map=${CMAKE_SOURCE_DIR}/=)
target_link_options(qelhost PRIVATE -static -s -Wl,--no-insert-timestamp)

# The folder the release zips as qelhost-VERSION-win32.zip, which unpacks to
# qelhost/, as the plugin's zip unpacks to qelfar/.
set(QELHOST_SHIPPED_TEXTS ${CMAKE_CURRENT_SOURCE_DIR}/windows/README.txt
    ${CMAKE_CURRENT_SOURCE_DIR}/sessions/demo.qel)
package_folder(qelhost_dist ${QELHOST_DIST_DIR} qelhost qelhost.exe ${QELHOST_SHIPPED_TEXTS})
