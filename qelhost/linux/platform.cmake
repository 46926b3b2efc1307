# The Linux qelhost: the shared parts with its own PE loader, a 32-bit
# program, with its tests.
add_executable(qelhost ${QELHOST_SHARED_SOURCES}
    linux/process.cpp
    linux/standard_streams.cpp
    linux/call_gate.cpp
    linux/crash_report.cpp
    linux/interruptions.cpp
    linux/memory_probe.cpp
    linux/thread_block.cpp
    linux/plugin_loader.cpp
    linux/sanitizer_options.cpp
    linux/drives.cpp
    linux/files.cpp
    linux/unprovided_imports.cpp
    linux/last_error.cpp)
target_include_directories(qelhost PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(qelhost PRIVATE qelhost_pe)
target_compile_options(qelhost PRIVATE ${QELFAR_WARNINGS})
# The plugin runs in qelhost's address space: its table of library addresses
# is bound at the start and then read-only, so that a plugin's stray write
# there faults in the plugin's own code rather than redirecting qelhost's
# next library call into the plugin's data.
target_link_options(qelhost PRIVATE -Wl,-z,relro,-z,now)
if(QELFAR_COVERAGE)
    target_sources(qelhost PRIVATE ${CMAKE_SOURCE_DIR}/cmake/counts_at_exit.cpp)
    target_link_options(qelhost PRIVATE -Wl,--wrap=_exit)
endif()
# Large inode numbers (64-bit file systems, qemu) would fail readdir.
target_compile_definitions(qelhost PRIVATE _FILE_OFFSET_BITS=64)
target_compile_definitions(qelhost PRIVATE QELHOST_VERSION="${PROJECT_VERSION}"
                           QELFAR_PACKAGED_DLL="${QELFAR_PACKAGE_FOLDER}/qelfar.dll")

if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/tests/CMakeLists.txt)
    add_subdirectory(tests)
endif()
