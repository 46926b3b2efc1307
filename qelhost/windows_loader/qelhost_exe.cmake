# qelhost.exe: the shared parts with Windows' own loader, a console program
# linked statically (libgcc, libstdc++ and winpthread inside), so that it
# imports only Windows system DLLs; shipped in its folder of dist/.
add_executable(qelhost ${QELHOST_SHARED_SOURCES}
    windows_loader/plugin_module.cpp
    windows_loader/loading.cpp
    windows_loader/module_image.cpp
    windows_loader/import_hooks.cpp
    windows_loader/memory_probe.cpp
    windows_loader/crash_report.cpp
    windows/drives.cpp)
target_include_directories(qelhost PRIVATE ${CMAKE_SOURCE_DIR})
# GCC 12 at -O2 warns falsely of overlapping copies inside std::string's
# operator+ (its bug 105329).
target_compile_options(qelhost PRIVATE ${QELFAR_WARNINGS} -Wno-restrict
    -ffile-prefix-map=${CMAKE_SOURCE_DIR}/=)
target_compile_definitions(qelhost PRIVATE QELHOST_VERSION="${PROJECT_VERSION}"
                           QELFAR_PACKAGED_DLL="${QELFAR_PACKAGE_FOLDER}/qelfar.dll"
                           WIN32_LEAN_AND_MEAN NOMINMAX
                           # C99 printf (%zu, %#lx), as the Linux build has.
                           __USE_MINGW_ANSI_STDIO=1)
target_link_options(qelhost PRIVATE -static -s -Wl,--no-insert-timestamp)

package_folder(qelhost_dist ${QELHOST_DIST_DIR} qelhost qelhost.exe)
