# The calculation kinds for CMake, read from the one kind table
# (launcher/core/include/launcher/CalculationKinds.def), in kind-index order:
#
#   DERIZE_KIND_COUNT        8
#   DERIZE_KIND_BUTTONS      rbGear_Exc ...
#   DERIZE_KIND_EXTENSIONS   gear_exc_dat ...
#   DERIZE_KIND_LIBRARIES    trn_cylext ... (base names, without suffix)
#   DERIZE_KIND_ENTRIES      TrnRun_CylExt ...
#   DERIZE_KIND_FORMS        A ...
#
# Editing the table configures the build again.
set(DERIZE_KIND_TABLE
    ${CMAKE_CURRENT_LIST_DIR}/../launcher/core/include/launcher/CalculationKinds.def)
cmake_path(NORMAL_PATH DERIZE_KIND_TABLE)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${DERIZE_KIND_TABLE})

set(DERIZE_KIND_BUTTONS)
set(DERIZE_KIND_EXTENSIONS)
set(DERIZE_KIND_LIBRARIES)
set(DERIZE_KIND_ENTRIES)
set(DERIZE_KIND_FORMS)
file(STRINGS ${DERIZE_KIND_TABLE} _derize_kind_lines ENCODING UTF-8 REGEX "^DERIZE_KIND\\(")
set(_derize_word "[ ]*([A-Za-z_][A-Za-z0-9_]*)[ ]*")
foreach(_line IN LISTS _derize_kind_lines)
    if(NOT _line MATCHES "^DERIZE_KIND\\(${_derize_word},${_derize_word},${_derize_word},${_derize_word},[ ]*([ABC])[ ]*,[ ]*\"[^\"]+\"[ ]*\\)$")
        message(FATAL_ERROR "${DERIZE_KIND_TABLE}: cannot read the line\n  ${_line}")
    endif()
    list(APPEND DERIZE_KIND_BUTTONS ${CMAKE_MATCH_1})
    list(APPEND DERIZE_KIND_EXTENSIONS ${CMAKE_MATCH_2})
    list(APPEND DERIZE_KIND_LIBRARIES ${CMAKE_MATCH_3})
    list(APPEND DERIZE_KIND_ENTRIES ${CMAKE_MATCH_4})
    list(APPEND DERIZE_KIND_FORMS ${CMAKE_MATCH_5})
endforeach()
list(LENGTH DERIZE_KIND_LIBRARIES DERIZE_KIND_COUNT)
if(DERIZE_KIND_COUNT EQUAL 0)
    message(FATAL_ERROR "${DERIZE_KIND_TABLE} lists no kind")
endif()
unset(_derize_kind_lines)
unset(_derize_word)
