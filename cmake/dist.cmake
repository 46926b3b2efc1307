# What the builds ship, and where (the folders are named in
# dist_folders.cmake). The test builds check what the dll and
# qelhost-windows builds left there, the very files users get, so that no
# build needs to know another's build folder.
include(${CMAKE_CURRENT_LIST_DIR}/dist_folders.cmake)
set(QELFAR_DIST_DIR ${CMAKE_SOURCE_DIR}/${QELFAR_DIST_FOLDER})
set(QELFAR_PACKAGE_DIR ${CMAKE_SOURCE_DIR}/${QELFAR_PACKAGE_FOLDER})
set(QELFAR_FAR2L_PACKAGE_DIR ${CMAKE_SOURCE_DIR}/${QELFAR_FAR2L_PACKAGE_FOLDER})
set(QELHOST_DIST_DIR ${CMAKE_SOURCE_DIR}/${QELHOST_DIST_FOLDER})
set(QELFAR_RELEASE_DIR ${CMAKE_SOURCE_DIR}/${QELFAR_RELEASE_FOLDER})

# package_folder(TARGET FOLDER MODULE FILE_NAME [FILES...]): the target,
# built by default, that makes FOLDER hold the built MODULE (a target, whose
# file is FILE_NAME) and FILES, and nothing else. FOLDER is made afresh only
# when one of them changed, so that a build leaves alone a package that
# something was installed from.
function(package_folder Target Folder Module FileName)
    add_custom_command(OUTPUT ${Folder}/${FileName}
        COMMAND ${CMAKE_COMMAND} -E rm -rf ${Folder}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${Folder}
        COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${Module}> ${ARGN} ${Folder}
        DEPENDS ${Module} ${ARGN}
        COMMENT "Packaging ${Folder}"
        VERBATIM)
    add_custom_target(${Target} ALL DEPENDS ${Folder}/${FileName})
endfunction()

# The test builds: which of the other builds' products they test.
option(QELFAR_TEST_DLL "Check the DLL the dll build ships and run qelhost's sessions on it" OFF)
option(QELFAR_TEST_QELHOST_EXE
       "Run qelhost's tests again through the qelhost.exe the qelhost-windows build ships, under Wine"
       OFF)
set(QELFAR_DLL "")
if(QELFAR_TEST_DLL)
    set(QELFAR_DLL ${QELFAR_PACKAGE_DIR}/qelfar.dll)
endif()
set(QELHOST_EXE "")
if(QELFAR_TEST_QELHOST_EXE)
    set(QELHOST_EXE ${QELHOST_DIST_DIR}/qelhost.exe)
endif()
