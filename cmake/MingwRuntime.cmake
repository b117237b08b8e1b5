# derize_copy_mingw_runtime(<folder>)
#
# Copies the MinGW-w64 runtime DLLs that the project's Windows programs
# import (libstdc++, libgcc's unwinder, winpthreads) into <folder>, beside
# the programs there. A C++ exception thrown in a module crosses into the
# launcher only when both share libgcc's unwinder, so the launcher and the
# modules built with the SDK use these same DLLs. The copies lose their
# debugging sections (Debian's libstdc++-6.dll is 21 MB with them, 4 MB
# without); code, exports and unwind tables stay.
#
# libgcc's DLL is named after its way of unwinding: DWARF-2 tables on
# 32-bit Windows, the system's structured exception handling on 64-bit.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(DERIZE_MINGW_LIBGCC_DLL libgcc_s_seh-1.dll)
else()
    set(DERIZE_MINGW_LIBGCC_DLL libgcc_s_dw2-1.dll)
endif()
set(DERIZE_MINGW_RUNTIME_DLLS libstdc++-6.dll ${DERIZE_MINGW_LIBGCC_DLL} libwinpthread-1.dll)

function(derize_copy_mingw_runtime folder)
    file(MAKE_DIRECTORY ${folder})
    foreach(_dll IN LISTS DERIZE_MINGW_RUNTIME_DLLS)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${_dll}
                        OUTPUT_VARIABLE _path OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(NOT IS_ABSOLUTE "${_path}" OR NOT EXISTS "${_path}")
            message(FATAL_ERROR "The compiler does not ship ${_dll}")
        endif()
        get_filename_component(_path ${_path} REALPATH)
        set(_copy ${folder}/${_dll})
        if(EXISTS ${_copy} AND NOT ${_path} IS_NEWER_THAN ${_copy})
            continue()
        endif()
        if(CMAKE_STRIP)
            execute_process(COMMAND ${CMAKE_STRIP} --strip-debug -o ${_copy} ${_path}
                            RESULT_VARIABLE _failed)
            if(_failed)
                message(FATAL_ERROR "Cannot copy ${_dll} without its debugging sections")
            endif()
        else()
            configure_file(${_path} ${_copy} COPYONLY)
        endif()
    endforeach()
endfunction()
