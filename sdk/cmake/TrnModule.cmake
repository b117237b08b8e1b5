# trn_add_module(<name> SOURCES <files>...)
#
# Builds a calculation module for the DERIZE-Zizir launcher: a shared
# library named exactly <name> with the platform's suffix (trn_worm.so,
# trn_worm.dll), no "lib" prefix, only the entry point exported.
#
# On Windows a launcher runs modules of its own bitness: the launcher in the
# program folder runs 32-bit DLLs (built with i686-w64-mingw32), the one in
# its x64 folder 64-bit DLLs (built with x86_64-w64-mingw32). With MinGW a
# 32-bit stdcall entry point is exported under its plain name (TrnRun_Worm,
# not TrnRun_Worm@12). A C++ module uses the shared C++ runtime
# (libstdc++-6.dll and libgcc's DLL), as the launcher does, so that an
# exception escaping the entry point reaches the launcher: do not link it
# with -static or -static-libgcc.
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
    if(MINGW)
        target_link_options(${name} PRIVATE -Wl,--kill-at)
    endif()
endfunction()
