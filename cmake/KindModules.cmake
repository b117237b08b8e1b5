# derize_add_kind_modules(<prefix> <folder> <result> SOURCES <file>...
#                         [DEFINITIONS <definition>...] [LIBRARIES <library>...])
#
# One module per calculation kind of the kind table (CalculationKinds.cmake),
# each built from the same sources with the SDK's trn_add_module(): target
# <prefix><library>, the file <library> with the platform's suffix in
# <folder>, the project's warnings. In DEFINITIONS, @INDEX@, @LIBRARY@,
# @ENTRY@ and @FORM@ stand for the kind's index, library base name, entry
# point and call form. The targets, in kind-index order, are appended to
# the variable <result>.
function(derize_add_kind_modules prefix folder result)
    cmake_parse_arguments(PARSE_ARGV 3 ARG "" "" "SOURCES;DEFINITIONS;LIBRARIES")
    set(_targets ${${result}})
    math(EXPR _last "${DERIZE_KIND_COUNT} - 1")
    foreach(INDEX RANGE ${_last})
        list(GET DERIZE_KIND_LIBRARIES ${INDEX} LIBRARY)
        list(GET DERIZE_KIND_ENTRIES ${INDEX} ENTRY)
        list(GET DERIZE_KIND_FORMS ${INDEX} FORM)
        set(_target ${prefix}${LIBRARY})
        trn_add_module(${_target} SOURCES ${ARG_SOURCES})
        string(CONFIGURE "${ARG_DEFINITIONS}" _definitions @ONLY)
        target_compile_definitions(${_target} PRIVATE ${_definitions})
        target_link_libraries(${_target} PRIVATE ${ARG_LIBRARIES})
        set_target_properties(${_target} PROPERTIES
            OUTPUT_NAME ${LIBRARY}
            LIBRARY_OUTPUT_DIRECTORY ${folder})
        derize_set_warnings(${_target})
        list(APPEND _targets ${_target})
    endforeach()
    set(${result} ${_targets} PARENT_SCOPE)
endfunction()
