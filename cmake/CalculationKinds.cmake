# The calculation kinds for CMake, read from the one kind table
# (launcher/core/include/launcher/CalculationKinds.def), in kind-index order:
#
#   DERIZE_KIND_COUNT        8
#   DERIZE_KIND_COUNT_WORD   eight
#   DERIZE_KIND_BUTTONS      rbGear_Exc ...
#   DERIZE_KIND_EXTENSIONS   gear_exc_dat ...
#   DERIZE_KIND_LIBRARIES    trn_cylext ... (base names, without suffix)
#   DERIZE_KIND_ENTRIES      TrnRun_CylExt ...
#   DERIZE_KIND_FORMS        A ...
#   DERIZE_KIND_ENTRY_MACROS TRN_ENTRY_CYLEXT ... (the SDK's names: the library's, upper case)
#   DERIZE_KIND_MIME_TYPES   application/x-derize-gear-exc ... (the extension without _dat)
#   DERIZE_KIND_ENGLISH      External cylindrical gear pair ... (the English
#                            dictionary's translation of the caption)
#   DERIZE_KIND_RUSSIAN_DATA цилиндрическая зубчатая передача ... (the data type column)
#
# Editing the table or the English dictionary configures the build again.
# The file can also be run on its own (cmake -P) by a script that includes it.
set(DERIZE_KIND_TABLE
    ${CMAKE_CURRENT_LIST_DIR}/../launcher/core/include/launcher/CalculationKinds.def)
set(DERIZE_KIND_DICTIONARY ${CMAKE_CURRENT_LIST_DIR}/../dictionaries/en/Orvanel.Dic)
cmake_path(NORMAL_PATH DERIZE_KIND_TABLE)
cmake_path(NORMAL_PATH DERIZE_KIND_DICTIONARY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                                       ${DERIZE_KIND_TABLE} ${DERIZE_KIND_DICTIONARY})

foreach(_list BUTTONS EXTENSIONS LIBRARIES ENTRIES FORMS ENTRY_MACROS MIME_TYPES ENGLISH
              RUSSIAN_DATA)
    set(DERIZE_KIND_${_list})
endforeach()
file(STRINGS ${DERIZE_KIND_TABLE} _derize_kind_lines ENCODING UTF-8 REGEX "^DERIZE_KIND\\(")
file(STRINGS ${DERIZE_KIND_DICTIONARY} _derize_dictionary ENCODING UTF-8)
set(_derize_word "[ ]*([A-Za-z_][A-Za-z0-9_]*)[ ]*")
set(_derize_text "[ ]*\"([^\";]+)\"[ ]*")
set(_derize_number "[ ]*[0-9]+[ ]*")
foreach(_line IN LISTS _derize_kind_lines)
    if(NOT _line MATCHES "^DERIZE_KIND\\(${_derize_word},[ ]*([a-z0-9_]+)[ ]*,[ ]*(trn_[a-z0-9_]+)[ ]*,${_derize_word},[ ]*([ABC])[ ]*,${_derize_text},${_derize_text},${_derize_number},${_derize_number},${_derize_number},${_derize_number}\\)$")
        message(FATAL_ERROR "${DERIZE_KIND_TABLE}: cannot read the line\n  ${_line}\n"
                            "(an extension is lower case, a library's name starts with trn_)")
    endif()
    list(APPEND DERIZE_KIND_BUTTONS ${CMAKE_MATCH_1})
    list(APPEND DERIZE_KIND_EXTENSIONS ${CMAKE_MATCH_2})
    list(APPEND DERIZE_KIND_LIBRARIES ${CMAKE_MATCH_3})
    list(APPEND DERIZE_KIND_ENTRIES ${CMAKE_MATCH_4})
    list(APPEND DERIZE_KIND_FORMS ${CMAKE_MATCH_5})
    list(APPEND DERIZE_KIND_RUSSIAN_DATA "${CMAKE_MATCH_7}")
    set(_caption "${CMAKE_MATCH_6}")
    set(_extension ${CMAKE_MATCH_2})
    string(REGEX REPLACE "^trn_" "" _macro ${CMAKE_MATCH_3})
    string(TOUPPER "TRN_ENTRY_${_macro}" _macro)
    list(APPEND DERIZE_KIND_ENTRY_MACROS ${_macro})
    string(REGEX REPLACE "_dat$" "" _type ${_extension})
    string(REPLACE "_" "-" _type ${_type})
    list(APPEND DERIZE_KIND_MIME_TYPES application/x-derize-${_type})
    # The dictionary's first line for the caption: "caption"="English".
    set(_english)
    foreach(_entry IN LISTS _derize_dictionary)
        string(LENGTH "\"${_caption}\"=\"" _length)
        string(SUBSTRING "${_entry}" 0 ${_length} _source)
        if(_source STREQUAL "\"${_caption}\"=\"")
            string(SUBSTRING "${_entry}" ${_length} -1 _english)
            string(REGEX REPLACE "\"\r?$" "" _english "${_english}")
            break()
        endif()
    endforeach()
    if(_english STREQUAL "" OR _english MATCHES "[\";]")
        message(FATAL_ERROR "${DERIZE_KIND_DICTIONARY} has no usable English name of "
                            "\"${_caption}\" (a line \"${_caption}\"=\"English name\")")
    endif()
    list(APPEND DERIZE_KIND_ENGLISH "${_english}")
endforeach()
list(LENGTH DERIZE_KIND_LIBRARIES DERIZE_KIND_COUNT)
if(DERIZE_KIND_COUNT EQUAL 0)
    message(FATAL_ERROR "${DERIZE_KIND_TABLE} lists no kind")
endif()
set(_derize_words one two three four five six seven eight nine ten eleven twelve)
set(DERIZE_KIND_COUNT_WORD ${DERIZE_KIND_COUNT})
if(DERIZE_KIND_COUNT LESS_EQUAL 12)
    math(EXPR _at "${DERIZE_KIND_COUNT} - 1")
    list(GET _derize_words ${_at} DERIZE_KIND_COUNT_WORD)
endif()
unset(_derize_kind_lines)
unset(_derize_dictionary)
unset(_derize_words)
