# The far2l plugin's Debian package and the release, made from the far2l
# build (the Windows package comes from the dll build, which make release
# runs first), with their checks.

# Debian's name for a far2l add-on: the host's name, then the plugin's.
set(QELFAR_DEB_PACKAGE far2l-${PROJECT_NAME})
execute_process(COMMAND dpkg-architecture -qDEB_HOST_ARCH
                OUTPUT_VARIABLE QELFAR_DEB_ARCHITECTURE OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
set(QELFAR_DEB_FILE ${QELFAR_DEB_PACKAGE}_${PROJECT_VERSION}_${QELFAR_DEB_ARCHITECTURE}.deb)
set(QELFAR_DEB ${QELFAR_DIST_DIR}/${QELFAR_DEB_FILE})
set(Packaging ${CMAKE_SOURCE_DIR}/packaging)

add_custom_command(OUTPUT ${QELFAR_DEB}
    COMMAND ${Python3_EXECUTABLE} ${Packaging}/make_deb.py ${QELFAR_FAR2L_PACKAGE_DIR} ${QELFAR_DEB}
            --name ${QELFAR_DEB_PACKAGE} --version ${PROJECT_VERSION}
            --changelog ${CMAKE_SOURCE_DIR}/CHANGELOG.md --license ${CMAKE_SOURCE_DIR}/LICENSE
            --work ${CMAKE_CURRENT_BINARY_DIR}/deb
    DEPENDS ${QELFAR_FAR2L_PACKAGE_DIR}/qelfar.far-plug-mb ${QELFAR_UTF8_LANGUAGE_FILES}
            ${Packaging}/make_deb.py ${Packaging}/changelog.py
            ${CMAKE_SOURCE_DIR}/CHANGELOG.md ${CMAKE_SOURCE_DIR}/LICENSE
    COMMENT "Making ${QELFAR_DEB}"
    VERBATIM)
add_custom_target(deb ALL DEPENDS ${QELFAR_DEB})
# After the package folder is made, so that the two never make it at once.
add_dependencies(deb package_far2l)

configure_file(${Packaging}/release_files.txt.in ${CMAKE_CURRENT_BINARY_DIR}/release_files.txt
               @ONLY)
add_custom_target(release
    COMMAND ${Python3_EXECUTABLE} ${Packaging}/release.py
            ${CMAKE_CURRENT_BINARY_DIR}/release_files.txt ${QELFAR_RELEASE_DIR}
            --source ${CMAKE_SOURCE_DIR} --changelog ${CMAKE_SOURCE_DIR}/CHANGELOG.md
            --version ${PROJECT_VERSION}
    VERBATIM)
add_dependencies(release deb package_far2l)

# Debian's checker, as strict as it goes: every tag fails, down to the pedantic ones.
add_test(NAME deb_lintian
         COMMAND lintian --fail-on error,warning,info,pedantic --info --pedantic ${QELFAR_DEB})
# The whole release, from two copies of the sources in differently named
# folders: the same checksums.
add_test(NAME release_reproducible
         COMMAND ${CMAKE_SOURCE_DIR}/packagecheck/reproducible_release.sh ${CMAKE_SOURCE_DIR}
                 ${CMAKE_CURRENT_BINARY_DIR}/reproducible)
set_tests_properties(release_reproducible PROPERTIES TIMEOUT 600 SKIP_RETURN_CODE 77)
# Damaged inputs and bad destinations each refused in one line, the earlier
# release kept.
add_test(NAME release_attacks
         COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/packagecheck/release_attacks_test.py)
