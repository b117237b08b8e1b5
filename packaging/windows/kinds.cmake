# The installer's file associations, one a kind, from the kind table:
#
#   cmake -DOUTPUT=FILE -P packaging/windows/kinds.cmake
#
# writes to FILE one line a kind, !insertmacro ${KIND_MACRO} "EXT" "NAME",
# the kind's extension and its English name (as the Linux package's MIME
# types name it), for derize-zizir.nsi's KINDS_NSH.
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/CalculationKinds.cmake)
set(_lines)
foreach(_extension _english IN ZIP_LISTS DERIZE_KIND_EXTENSIONS DERIZE_KIND_ENGLISH)
    string(REPLACE "$" "$$" _english "${_english}")
    string(APPEND _lines "!insertmacro \${KIND_MACRO} \"${_extension}\" \"${_english}\"\n")
endforeach()
file(WRITE ${OUTPUT} "${_lines}")
