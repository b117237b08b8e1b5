# What both MinGW-w64 toolchain files share (mingw-i686.cmake,
# mingw-x86_64.cmake); each sets DERIZE_MINGW_TRIPLET and
# CMAKE_SYSTEM_PROCESSOR, then includes this file.
#
# The compiler with the posix thread model is taken: GoogleTest needs
# std::mutex, which GCC 12's win32 thread model lacks. Its programs need
# libwinpthread-1.dll beside them, as C++ programs need libstdc++-6.dll and
# libgcc's DLL (libgcc_s_dw2-1.dll on 32-bit, libgcc_s_seh-1.dll on 64-bit
# Windows), all from the compiler's own folders.
set(CMAKE_SYSTEM_NAME Windows)

find_program(CMAKE_C_COMPILER NAMES ${DERIZE_MINGW_TRIPLET}-gcc-posix ${DERIZE_MINGW_TRIPLET}-gcc
             REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${DERIZE_MINGW_TRIPLET}-g++-posix
             ${DERIZE_MINGW_TRIPLET}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${DERIZE_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${DERIZE_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Packages only inside the MinGW root: the host's would be Linux builds. The
# SDK's package holds no binaries and is named by its folder
# (-DTrnModule_DIR=...).
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Windows 7 is the oldest system the Win32 layer is written for
# (SetThreadErrorMode).
set(CMAKE_C_FLAGS_INIT "-D_WIN32_WINNT=0x0601")
set(CMAKE_CXX_FLAGS_INIT "-D_WIN32_WINNT=0x0601")

# When Wine is installed, test programs run under it (ctest uses it as the
# emulator). Debian's "wine" starts the 32-bit loader whenever Wine's 32-bit
# part is installed, even where it cannot run, so 64-bit programs are
# started with the 64-bit loader itself.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    find_program(DERIZE_WINE NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
    if(NOT DERIZE_WINE)
        find_program(DERIZE_WINE NAMES wine64)
    endif()
else()
    find_program(DERIZE_WINE NAMES wine)
endif()
if(DERIZE_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${DERIZE_WINE})
endif()
