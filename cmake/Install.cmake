# Installation of both programs with their desktop entry, icon, manual page and
# documentation, and the Debian package built from it by CPack.
include(GNUInstallDirs)

set(TORVANE_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)

foreach(program torvane-analyzer torvane-report)
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    endif()
endforeach()

install(FILES ${TORVANE_PACKAGING_DIR}/torvane-analyzer.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TORVANE_PACKAGING_DIR}/torvane-analyzer.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${TORVANE_PACKAGING_DIR}/torvane-report.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The guide and the sample profiles, so a new user has something to open.
set(TORVANE_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/torvane-analyzer)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/docs/user-guide.md
        DESTINATION ${TORVANE_DOC_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/docs/screenshot.png DESTINATION ${TORVANE_DOC_DIR} OPTIONAL)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/examples/ DESTINATION ${TORVANE_DOC_DIR}/examples
        FILES_MATCHING PATTERN "*.torvane*")

if(TARGET torvane-report)
    add_test(NAME InstallTest
             COMMAND bash ${CMAKE_SOURCE_DIR}/tests/install/install_test.sh ${CMAKE_BINARY_DIR}
                     ${CMAKE_SOURCE_DIR} ${CMAKE_COMMAND})
endif()

set(CPACK_PACKAGE_NAME torvane-analyzer)
set(CPACK_PACKAGE_VENDOR "Torvane analyzer developers")
set(CPACK_PACKAGE_CONTACT "torvane-analyzer@example.org")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Pulse window and signal-to-noise ratio of pulsar profiles")
set(CPACK_PACKAGE_DESCRIPTION
    "The Torvane analyzer reads pulsar profile files (*.torvane*) written by the ZELMAR \
pulsar suite, finds the pulse window, computes the off-pulse mean and standard deviation \
and the signal-to-noise ratio in three variants, and plots the profile. torvane-report \
prints the same results for many files as text, TSV or JSON.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://example.org/torvane-analyzer")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Torvane analyzer developers <torvane-analyzer@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt 6 runtime, the print system's client library and the window's font;
# Qt brings the C and C++ runtimes.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6widgets6 (>= 6.4.0), libqt6printsupport6 (>= 6.4.0), libqt6gui6 (>= 6.4.0), \
libqt6core6 (>= 6.4.0), libcups2, fonts-wine")
include(CPack)
