# Writes the simple case folding of Unicode (the mappings of status C and S
# in CaseFolding.txt) as C++ pairs, one per line, for CaseFolding.cpp.
#   cmake -DINPUT=/usr/share/unicode/CaseFolding.txt -DOUTPUT=<file> -P GenerateCaseFolding.cmake
if(NOT EXISTS "${INPUT}")
    message(FATAL_ERROR "No ${INPUT}: install Debian's unicode-data")
endif()
file(STRINGS "${INPUT}" _version LIMIT_COUNT 1 REGEX "^# CaseFolding-")
string(REGEX REPLACE "^# " "" _version "${_version}")
file(STRINGS "${INPUT}" _lines REGEX "^[0-9A-F]+; [CS]; [0-9A-F]+;")
set(_out "// Generated from ${_version} by GenerateCaseFolding.cmake; do not edit.\n")
foreach(_line IN LISTS _lines)
    string(REGEX MATCH "^([0-9A-F]+); [CS]; ([0-9A-F]+);" _ "${_line}")
    string(APPEND _out "{0x${CMAKE_MATCH_1}, 0x${CMAKE_MATCH_2}},\n")
endforeach()
# Rewritten only when it changes, so that a rebuild compiles nothing again.
if(EXISTS "${OUTPUT}")
    file(READ "${OUTPUT}" _old)
    if(_old STREQUAL _out)
        return()
    endif()
endif()
file(WRITE "${OUTPUT}" "${_out}")
