# Cross-building for 64-bit Windows with Debian's MinGW-w64 compiler
# (package g++-mingw-w64-x86-64-posix): the launcher that runs 64-bit
# modules, and such modules.
#
#   cmake -B build-win64 -DCMAKE_TOOLCHAIN_FILE=<this file>
#
# The SDK installs this file beside its CMake package, so that a module
# author's own folder can use it (see docs/modules.md).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(DERIZE_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
