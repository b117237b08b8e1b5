# Cross-building for 32-bit Windows with Debian's MinGW-w64 compiler
# (package g++-mingw-w64-i686-posix): the launcher that runs 32-bit
# modules, and such modules. This tree's presets "wine" and
# "wine-release" use it. The SDK installs it, with
# mingw-common.cmake, in the toolchains folder of its CMake package, for a
# module author's own folder:
#
#   cmake -S . -B build-win32 \
#       -DCMAKE_TOOLCHAIN_FILE=/usr/lib/cmake/TrnModule/toolchains/mingw-i686.cmake \
#       -DTrnModule_DIR=/usr/lib/cmake/TrnModule
#
# A cross build finds packages inside the MinGW root only, so the SDK's
# package is named by its folder (docs/modules.md).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(DERIZE_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
