# Installation of both programs with their desktop entry, file type, AppStream
# data, icon, manual pages, licence and documentation, and the Debian package
# built from it by CPack.
include(GNUInstallDirs)

set(TORVANE_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(TORVANE_GENERATED_DIR ${CMAKE_BINARY_DIR}/packaging)
set(TORVANE_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/torvane-analyzer)
set(TORVANE_APPSTREAM_ID org.example.torvane_analyzer)
set(CPACK_PACKAGE_NAME torvane-analyzer)
set(CPACK_PACKAGE_VENDOR "Torvane analyzer developers")
set(CPACK_PACKAGE_CONTACT "torvane-analyzer@example.org")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_VENDOR} <${CPACK_PACKAGE_CONTACT}>")

# One text for the package's description and the AppStream one; Debian wants
# its lines within 80 columns.
set(TORVANE_DESCRIPTION_PARAGRAPHS
    "The Torvane analyzer reads the pulsar profiles (*.torvane* text files)
written by the ZELMAR pulsar suite. It shows a profile's header and bin table,
finds the pulse window, computes the off-pulse mean and standard deviation and
the signal-to-noise ratio in three variants, linear and in dB, plots the
profile with its reference lines and prints the window on one page."
    "Its command-line companion, torvane-report, runs the same analysis over many
files and writes the results as text, TSV or JSON.")

foreach(program torvane-analyzer torvane-report)
    if(TARGET ${program})
        install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    endif()
endforeach()

# Debian wants manual pages and the changelog compressed at the highest level
# and without a time stamp, so that every build of the package is the same.
find_program(TORVANE_GZIP gzip REQUIRED)
function(torvane_install_gzipped source name destination)
    set(copy ${TORVANE_GENERATED_DIR}/${name})
    add_custom_command(OUTPUT ${copy}.gz
                       COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copy}
                       COMMAND ${TORVANE_GZIP} -9nf ${copy}
                       DEPENDS ${source} VERBATIM)
    add_custom_target(torvane-gzip-${name} ALL DEPENDS ${copy}.gz)
    install(FILES ${copy}.gz DESTINATION ${destination})
endfunction()

install(FILES ${TORVANE_PACKAGING_DIR}/torvane-analyzer.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TORVANE_PACKAGING_DIR}/torvane-analyzer.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# The file type of profiles, which the desktop entry names: file managers
# then offer the analyzer for them.
install(FILES ${TORVANE_PACKAGING_DIR}/torvane-analyzer.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
foreach(page torvane-analyzer.1 torvane-report.1)
    torvane_install_gzipped(${TORVANE_PACKAGING_DIR}/${page} ${page} ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

# The licence and the release history, with the copyright notice taken from
# LICENSE so that the two never disagree.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/LICENSE)
file(READ ${CMAKE_SOURCE_DIR}/LICENSE licence)
if(NOT licence MATCHES "Copyright \\(c\\) ([0-9, -]+), ([^\n]+)")
    message(FATAL_ERROR "LICENSE: no line \"Copyright (c) YEAR, HOLDER\"")
endif()
set(TORVANE_COPYRIGHT "${CMAKE_MATCH_1} ${CMAKE_MATCH_2}")
# The conditions and the disclaimer as a copyright-format text: every line
# indented by one blank, an empty line written as a full stop.
string(FIND "${licence}" "Redistribution" conditions)
string(SUBSTRING "${licence}" ${conditions} -1 licence)
string(STRIP "${licence}" licence)
string(REGEX REPLACE "\n\n+" "\n.\n" licence "${licence}")
string(REPLACE "\n" "\n " licence "${licence}")
set(TORVANE_LICENSE_TEXT " ${licence}")
configure_file(${TORVANE_PACKAGING_DIR}/copyright.in ${TORVANE_GENERATED_DIR}/copyright @ONLY)
install(FILES ${TORVANE_GENERATED_DIR}/copyright DESTINATION ${TORVANE_DOC_DIR})
include(${CMAKE_CURRENT_LIST_DIR}/Changelog.cmake)
torvane_install_gzipped(${TORVANE_DEBIAN_CHANGELOG} changelog ${TORVANE_DOC_DIR})

# AppStream data for software centres.
set(TORVANE_APPSTREAM_DESCRIPTION "")
foreach(paragraph IN LISTS TORVANE_DESCRIPTION_PARAGRAPHS)
    string(REPLACE "\n" "\n      " paragraph "${paragraph}")
    string(APPEND TORVANE_APPSTREAM_DESCRIPTION "    <p>\n      ${paragraph}\n    </p>\n")
endforeach()
string(REGEX REPLACE "\n$" "" TORVANE_APPSTREAM_DESCRIPTION "${TORVANE_APPSTREAM_DESCRIPTION}")
set(TORVANE_METAINFO ${TORVANE_GENERATED_DIR}/${TORVANE_APPSTREAM_ID}.metainfo.xml)
configure_file(${TORVANE_PACKAGING_DIR}/torvane-analyzer.metainfo.xml.in ${TORVANE_METAINFO} @ONLY)
install(FILES ${TORVANE_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The guide and the sample profiles, so a new user has something to open.
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

set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
list(JOIN TORVANE_DESCRIPTION_PARAGRAPHS "\n\n" CPACK_PACKAGE_DESCRIPTION)
set(CPACK_PACKAGE_HOMEPAGE_URL "${PROJECT_HOMEPAGE_URL}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from dpkg-shlibdeps; the window's font is read at run
# time, which it cannot see.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-wine)
include(CPack)
