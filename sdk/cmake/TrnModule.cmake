# trn_add_module(<name> SOURCES <files>...)
#
# Builds a calculation module for the DERIZE-Zizir launcher: a shared
# library named exactly <name> with the platform's suffix (trn_worm.so,
# trn_worm.dll), no "lib" prefix, only the entry point exported.
#
# On Windows the launcher is a 32-bit program, so a module must be a 32-bit
# DLL; with MinGW its stdcall entry point is exported under its plain name
# (TrnRun_Worm, not TrnRun_Worm@12). A C++ module uses the shared C++
# runtime (libstdc++-6.dll, libgcc_s_dw2-1.dll), as the launcher does, so
# that an exception escaping the entry point reaches the launcher: do not
# link it with -static or -static-libgcc.
function(trn_add_module name)
    cmake_parse_arguments(PARSE_ARGV 1 TRN "" "" "SOURCES")
    if(NOT TRN_SOURCES)
        message(FATAL_ERROR "trn_add_module(${name}): SOURCES is required")
    endif()
    if(WIN32 AND NOT CMAKE_SIZEOF_VOID_P EQUAL 4)
        message(FATAL_ERROR "trn_add_module(${name}): the launcher on Windows is a 32-bit "
                            "program and loads 32-bit DLLs only; build with a 32-bit "
                            "compiler (i686-w64-mingw32-gcc)")
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
