# The launcher's exit statuses for CMake, read from their one list
# (launcher/core/include/launcher/ExitStatuses.def):
#
#   DERIZE_EXIT_STATUSES_MAN   the statuses as tagged paragraphs of a manual
#                              page (.TP, .B <status>, the meaning)
#
# Editing the list configures the build again.
set(DERIZE_EXIT_STATUS_LIST
    ${CMAKE_CURRENT_LIST_DIR}/../launcher/core/include/launcher/ExitStatuses.def)
cmake_path(NORMAL_PATH DERIZE_EXIT_STATUS_LIST)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${DERIZE_EXIT_STATUS_LIST})

set(DERIZE_EXIT_STATUSES_MAN "")
file(STRINGS ${DERIZE_EXIT_STATUS_LIST} _derize_exit_lines REGEX "^DERIZE_EXIT\\(")
foreach(_line IN LISTS _derize_exit_lines)
    if(NOT _line MATCHES "^DERIZE_EXIT\\([A-Za-z]+, ([0-9]+), \"(.+)\"\\)$")
        message(FATAL_ERROR "${DERIZE_EXIT_STATUS_LIST}: cannot read the line\n  ${_line}")
    endif()
    set(_status ${CMAKE_MATCH_1})
    set(_meaning "${CMAKE_MATCH_2}")
    # Code marked with backquotes is set in bold; a line of its own must not
    # start with a dot, and a backslash is troff's escape.
    string(REPLACE "\\" "\\e" _meaning "${_meaning}")
    string(REGEX REPLACE "`([^`]*)`" "\\\\fB\\1\\\\fR" _meaning "${_meaning}")
    string(SUBSTRING "${_meaning}" 0 1 _first)
    string(TOUPPER "${_first}" _first)
    string(SUBSTRING "${_meaning}" 1 -1 _rest)
    string(APPEND DERIZE_EXIT_STATUSES_MAN ".TP\n.B ${_status}\n${_first}${_rest}.\n")
endforeach()
string(REGEX REPLACE "\n$" "" DERIZE_EXIT_STATUSES_MAN "${DERIZE_EXIT_STATUSES_MAN}")
unset(_derize_exit_lines)
