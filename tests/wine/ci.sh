#!/usr/bin/env bash
# CI: cross-builds the Qt-free launcher core, the Win32 platform layer and
# their tests for 32-bit Windows with MinGW-w64, and runs the tests under
# Wine in a throw-away Wine prefix. Needs the packages of
# scripts/deps/wine.txt and scripts/deps/test.txt (GoogleTest's sources).
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${DERIZE_WINE_BUILD:-build/wine}

for tool in i686-w64-mingw32-g++-posix wine wineboot wineserver; do
    command -v "$tool" >/dev/null || {
        echo "wine ci: $tool is missing (scripts/install-deps.sh wine)" >&2
        exit 1
    }
done

cmake -S . -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchains/mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE=Debug \
    -DDERIZE_BUILD_GUI=OFF -DDERIZE_BUILD_TESTS=ON -DDERIZE_WARNINGS_AS_ERRORS=ON
cmake --build "$build" -j2

# A fresh prefix for every run, without the Mono and Gecko installers and
# without a display: the tests that open windows get Wine's null display
# driver, which needs no X server.
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/derize-wine-XXXXXX")
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
cleanup() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    rm -rf "$WINEPREFIX"
}
trap cleanup EXIT

start=$SECONDS
wineboot -i
wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null
wineserver -w
echo "wine ci: prefix ready in $((SECONDS - start)) s"

ctest --test-dir "$build" -j2 --output-on-failure --timeout 300
