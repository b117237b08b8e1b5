# trn_add_module(<name> SOURCES <files>...)
#
# Builds a calculation module for the DERIZE-Zizir launcher: a shared
# library named exactly <name> with the platform's suffix (trn_worm.so,
# trn_worm.dll), no "lib" prefix, only the entry point exported, and on
# Windows the stdcall export under its plain name.
function(trn_add_module name)
    cmake_parse_arguments(PARSE_ARGV 1 TRN "" "" "SOURCES")
    if(NOT TRN_SOURCES)
        message(FATAL_ERROR "trn_add_module(${name}): SOURCES is required")
    endif()
    add_library(${name} MODULE ${TRN_SOURCES})
    if(TARGET trn::sdk)
        target_link_libraries(${name} PRIVATE trn::sdk)
    endif()
    set_target_properties(${name} PROPERTIES
        PREFIX ""
        C_VISIBILITY_PRESET hidden
        CXX_VISIBILITY_PRESET hidden
        VISIBILITY_INLINES_HIDDEN ON)
    if(WIN32 AND (MINGW OR CMAKE_CXX_COMPILER_ID STREQUAL "GNU"))
        target_link_options(${name} PRIVATE -Wl,--kill-at)
    endif()
endfunction()
