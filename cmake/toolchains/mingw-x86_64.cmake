# Cross-building for 64-bit Windows with Debian's MinGW-w64 compiler
# (package g++-mingw-w64-x86-64-posix): the launcher that runs 64-bit
# modules, and such modules. This tree's presets "wine64" and
# "wine64-release" use it. The SDK installs it, with
# mingw-common.cmake, in the toolchains folder of its CMake package, for a
# module author's own folder:
#
#   cmake -S . -B build-win64 \
#       -DCMAKE_TOOLCHAIN_FILE=/usr/lib/cmake/TrnModule/toolchains/mingw-x86_64.cmake \
#       -DTrnModule_DIR=/usr/lib/cmake/TrnModule
#
# A cross build finds packages inside the MinGW root only, so the SDK's
# package is named by its folder (docs/modules.md).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(DERIZE_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
