# The folders the builds ship into, relative to the source folder, named
# here alone. Run as a script (cmake -P), prints them as NAME=VALUE lines on
# standard error, which is how the Makefile learns them.
set(QELFAR_DIST_FOLDER dist)
# qelfar.dll and its language files, for FAR Manager on Windows.
set(QELFAR_PACKAGE_FOLDER ${QELFAR_DIST_FOLDER}/qelfar)
# qelfar.far-plug-mb and its language files in UTF-8, for far2l.
set(QELFAR_FAR2L_PACKAGE_FOLDER ${QELFAR_DIST_FOLDER}/far2l/qelfar)
# qelhost.exe, the simulated host for Windows.
set(QELHOST_DIST_FOLDER ${QELFAR_DIST_FOLDER}/qelhost)
# The release's files and their checksums.
set(QELFAR_RELEASE_FOLDER ${QELFAR_DIST_FOLDER}/release)

if(CMAKE_SCRIPT_MODE_FILE)
    foreach(Name QELFAR_DIST_FOLDER QELFAR_PACKAGE_FOLDER QELFAR_FAR2L_PACKAGE_FOLDER
                 QELHOST_DIST_FOLDER QELFAR_RELEASE_FOLDER)
        message(NOTICE "${Name}=${${Name}}")
    endforeach()
endif()
