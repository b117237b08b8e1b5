#!/usr/bin/env bash
# CI: cross-builds the Qt-free launcher core, the Win32 platform layer, the
# Windows program derize-zizir.exe and their tests for 64-bit and for 32-bit
# Windows with MinGW-w64, checks the programs' and the demo modules'
# resources, and runs each build's tests under Wine in a throw-away prefix
# of its bitness, at 96 dpi and then the window's scale tests at 144 dpi.
# Needs the packages of scripts/deps/wine.txt and scripts/deps/test.txt
# (GoogleTest's sources).
#
# The 64-bit suite runs on every x86-64 machine, under the 64-bit loader
# itself (/usr/lib/wine/wine64). On a machine that cannot run 32-bit
# programs (scripts/i386-probe.sh) the 32-bit build is made all the same,
# one line says that its tests were not run, and the script ends with the
# 64-bit suite's status; DERIZE_REQUIRE_WINE=1 makes that line a failure.
#
#   tests/wine/ci.sh            both builds
#   tests/wine/ci.sh 64         the 64-bit build only (32 likewise)
#
# DERIZE_WINE_BUILD / DERIZE_WINE64_BUILD put a build somewhere else than
# the presets' build/wine and build/wine64.
set -euo pipefail
cd "$(dirname "$0")/../.."
# shellcheck source=scripts/i386-probe.sh
source scripts/i386-probe.sh

bitnesses=("${@:-64 32}")
read -r -a bitnesses <<<"${bitnesses[*]}"

for tool in i686-w64-mingw32-g++-posix x86_64-w64-mingw32-g++-posix wineboot wineserver wrestool; do
    command -v "$tool" >/dev/null || {
        echo "wine ci: $tool is missing (scripts/install-deps.sh wine)" >&2
        exit 1
    }
done
[ -x /usr/lib/wine/wine64 ] || { echo "wine ci: /usr/lib/wine/wine64 is missing (scripts/install-deps.sh wine)" >&2; exit 1; }

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
prefixes=()
cleanup() {
    local prefix
    for prefix in "${prefixes[@]}"; do
        WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
        WINEPREFIX=$prefix wineserver -w 2>/dev/null || true
        rm -rf "$prefix"
    done
}
trap cleanup EXIT

# build BITS: configures and builds the preset of that bitness ("wine" or
# "wine64"), checks what it made; sets $build and the ctest arguments.
build() {
    local bits=$1 preset variable
    preset=wine
    variable=DERIZE_WINE_BUILD
    if [ "$bits" = 64 ]; then
        preset=wine64
        variable=DERIZE_WINE64_BUILD
    fi
    build=${!variable:-build/$preset}
    # The tests of the label dpi144 run in a second pass, at 144 dpi.
    if [ -n "${!variable:-}" ]; then
        cmake --preset "$preset" -B "$build"
        cmake --build "$build" -j2
        test_args=(--test-dir "$build" -j2 --output-on-failure --timeout 300 -LE dpi144)
        test_144dpi_args=(--test-dir "$build" -j2 --output-on-failure --timeout 300 -L dpi144)
    else
        cmake --preset "$preset"
        cmake --build --preset "$preset" -j2
        test_args=(--preset "$preset")
        test_144dpi_args=(--preset "$preset-144dpi")
    fi
    local exe=$build/bin/derize-zizir.exe
    [ -f "$exe" ] || { echo "wine ci: the build made no $exe" >&2; exit 1; }
    echo "wine ci: $bits-bit build: $exe ($(stat -c %s "$exe") bytes)," \
        "$(find "$build" -name '*.exe' -path '*/tests/*' | wc -l) test programs," \
        "$(find "$build/bin" -name 'trn_*.dll' | wc -l) demo modules"
    # The program's manifest and version resource, and the demo modules'
    # version resources (packaging/check-windows.sh looks at the installer's).
    packaging/windows/check-resources.sh --tables=041904B0,040904B0 "$exe" \
        "$build/bin/derize-zizir-check.exe" "$build"/bin/trn_*.dll
}

# run_tests BITS: the suite in a fresh prefix of that bitness, without the
# Mono and Gecko installers and without a display: the windows the tests
# create go to Wine's null display driver, so no X server is needed.
run_tests() {
    local bits=$1 wine start
    WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/derize-wine$bits-XXXXXX")
    export WINEPREFIX
    prefixes+=("$WINEPREFIX")
    if [ "$bits" = 64 ]; then
        export WINEARCH=win64
        wine=/usr/lib/wine/wine64
    else
        export WINEARCH=win32
        wine=wine
    fi
    start=$SECONDS
    # Where Wine's 32-bit part cannot run, a 64-bit prefix says once that
    # syswow64's rundll32.exe did not start; nothing else needs it.
    "$wine" wineboot -i 2> >(grep -v 'syswow64.*rundll32' >&2 || true)
    "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null
    # The display driver is chosen when the wineserver starts.
    wineserver -k
    wineserver -w
    echo "wine ci: $bits-bit prefix ready in $((SECONDS - start)) s"

    ctest "${test_args[@]}"

    # The window on a display at 150 %: Wine takes the DPI from LogPixels
    # when the wineserver starts.
    "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null
    wineserver -k
    wineserver -w
    echo "wine ci: the $bits-bit prefix's display at 144 dpi"
    ctest "${test_144dpi_args[@]}"
    wineserver -k 2>/dev/null || true
    wineserver -w
}

for bits in "${bitnesses[@]}"; do
    case "$bits" in
    64 | 32) ;;
    *) echo "wine ci: no $bits-bit build (64 or 32)" >&2; exit 2 ;;
    esac
    build "$bits"
    if [ "$bits" = 32 ] && ! i386_probe; then
        wine_not_run "wine ci: the 32-bit Windows tests" tests/wine/ci.sh
        continue
    fi
    run_tests "$bits"
done
