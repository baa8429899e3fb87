# Reads the release history in CHANGELOG.md and writes it as the package's
# Debian changelog (TORVANE_DEBIAN_CHANGELOG, a file: a native package's
# changelog.gz must be in Debian's format) and as AppStream releases
# (TORVANE_APPSTREAM_RELEASES). Entries are headed "## VERSION (YYYY-MM-DD)",
# newest first, and the newest must be the version being built; in an entry,
# "- " starts a change and an indented line continues it.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/CHANGELOG.md)
set(TORVANE_DEBIAN_CHANGELOG ${TORVANE_GENERATED_DIR}/debian-changelog)

file(READ ${CMAKE_SOURCE_DIR}/CHANGELOG.md text)
# A semicolon in the text must not split the list of lines.
string(ASCII 1 semicolon)
string(REPLACE ";" "${semicolon}" text "${text}")
string(REPLACE "\n" ";" lines "${text}")
set(debian "")
set(trailer "")
set(TORVANE_APPSTREAM_RELEASES "")
set(newest "")
set(version "")
foreach(line IN LISTS lines)
    string(REPLACE "${semicolon}" ";" line "${line}")
    if(line MATCHES "^## ")
        set(version "")
        if(line MATCHES "^## ([0-9][0-9.]*) \\(([0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9])\\)$")
            set(version ${CMAKE_MATCH_1})
            set(iso_date ${CMAKE_MATCH_2})
            execute_process(COMMAND env LC_ALL=C date -u -R -d ${iso_date} OUTPUT_VARIABLE date
                            OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed ERROR_QUIET)
        endif()
        if(NOT version OR failed)
            message(FATAL_ERROR "CHANGELOG.md: \"${line}\" is not of the form \"## 1.2.3 (YYYY-MM-DD)\"")
        endif()
        if(newest STREQUAL "")
            set(newest ${version})
        endif()
        string(APPEND debian "${trailer}${CPACK_PACKAGE_NAME} (${version}) unstable; urgency=medium\n\n")
        set(trailer "\n -- ${CPACK_DEBIAN_PACKAGE_MAINTAINER}  ${date}\n")
        string(APPEND TORVANE_APPSTREAM_RELEASES "    <release version=\"${version}\" date=\"${iso_date}\"/>\n")
    elseif(newest STREQUAL "" OR line STREQUAL "")
        # The introduction above the first entry, and blank lines.
    elseif(line MATCHES "^- (.*)")
        string(APPEND debian "  * ${CMAKE_MATCH_1}\n")
    elseif(line MATCHES "^ +(.*)")
        string(APPEND debian "    ${CMAKE_MATCH_1}\n")
    else()
        string(APPEND debian "  ${line}\n")
    endif()
endforeach()
if(NOT newest STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "CHANGELOG.md: the newest entry is \"${newest}\", but the version is "
                        "${PROJECT_VERSION}; add an entry for it")
endif()
# Rewritten only when it changes, so that a new configuration compresses
# nothing again.
file(WRITE ${TORVANE_DEBIAN_CHANGELOG}.new "${debian}${trailer}")
file(COPY_FILE ${TORVANE_DEBIAN_CHANGELOG}.new ${TORVANE_DEBIAN_CHANGELOG} ONLY_IF_DIFFERENT)
string(REGEX REPLACE "\n$" "" TORVANE_APPSTREAM_RELEASES "${TORVANE_APPSTREAM_RELEASES}")
