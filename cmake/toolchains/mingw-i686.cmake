# Cross-building for 32-bit Windows with Debian's MinGW-w64 compiler
# (package g++-mingw-w64-i686):
#
#   cmake -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-i686.cmake \
#         -DDERIZE_BUILD_GUI=OFF -DDERIZE_BUILD_TESTS=ON
#
# The compiler with the posix thread model is taken: GoogleTest needs
# std::mutex, which GCC 12's win32 thread model lacks. Its programs need
# libwinpthread-1.dll beside them, as C++ programs need libstdc++-6.dll and
# libgcc_s_dw2-1.dll. When Wine is installed, test programs run under it
# (ctest uses it as the emulator).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(DERIZE_MINGW_TRIPLET i686-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${DERIZE_MINGW_TRIPLET}-gcc-posix ${DERIZE_MINGW_TRIPLET}-gcc
             REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${DERIZE_MINGW_TRIPLET}-g++-posix
             ${DERIZE_MINGW_TRIPLET}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${DERIZE_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${DERIZE_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Windows 7 is the oldest system the Win32 layer is written for
# (SetThreadErrorMode).
set(CMAKE_C_FLAGS_INIT "-D_WIN32_WINNT=0x0601")
set(CMAKE_CXX_FLAGS_INIT "-D_WIN32_WINNT=0x0601")

find_program(DERIZE_WINE NAMES wine)
if(DERIZE_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${DERIZE_WINE})
endif()
