#!/usr/bin/env bash
# CI: cross-builds the Qt-free launcher core, the Win32 platform layer, the
# Windows program derize-zizir.exe and their tests for 32-bit Windows with
# MinGW-w64, checks the program's and the demo modules' resources, and runs
# the tests under Wine in a throw-away Wine prefix, at 96 dpi and then the
# window's scale tests at 144 dpi. Needs the packages of
# scripts/deps/wine.txt and scripts/deps/test.txt (GoogleTest's sources).
# On a machine that cannot run 32-bit programs (scripts/i386-probe.sh) it
# builds everything, says in one line that the tests were not run, and ends
# with status 0; DERIZE_REQUIRE_WINE=1 makes that a failure.
set -euo pipefail
cd "$(dirname "$0")/../.."
# shellcheck source=scripts/i386-probe.sh
source scripts/i386-probe.sh
build=${DERIZE_WINE_BUILD:-build/wine}

for tool in i686-w64-mingw32-g++-posix wine wineboot wineserver wrestool; do
    command -v "$tool" >/dev/null || {
        echo "wine ci: $tool is missing (scripts/install-deps.sh wine)" >&2
        exit 1
    }
done

# The "wine" presets (CMakePresets.json); DERIZE_WINE_BUILD puts the build
# somewhere else.
# The tests of the label dpi144 run in a second pass, at 144 dpi.
if [ -n "${DERIZE_WINE_BUILD:-}" ]; then
    configure=(--preset wine -B "$build")
    build_args=("$build")
    test_args=(--test-dir "$build" -j2 --output-on-failure --timeout 300 -LE dpi144)
    test_144dpi_args=(--test-dir "$build" -j2 --output-on-failure --timeout 300 -L dpi144)
else
    configure=(--preset wine)
    build_args=(--preset wine)
    test_args=(--preset wine)
    test_144dpi_args=(--preset wine-144dpi)
fi
cmake "${configure[@]}"
cmake --build "${build_args[@]}" -j2
exe=$build/bin/derize-zizir.exe
[ -f "$exe" ] || { echo "wine ci: the build made no $exe" >&2; exit 1; }
echo "wine ci: built $exe ($(stat -c %s "$exe") bytes)," \
    "$(find "$build" -name '*.exe' -path '*/tests/*' | wc -l) test programs," \
    "$(find "$build/bin" -name 'trn_*.dll' | wc -l) demo modules"
# The program's manifest and version resource, and the demo modules'
# version resources (packaging/check-windows.sh looks at the installer's).
packaging/windows/check-resources.sh --tables=041904B0,040904B0 "$exe" "$build/bin/derize-zizir-check.exe" "$build"/bin/trn_*.dll

if ! i386_probe; then
    wine_not_run "wine ci: Windows tests" tests/wine/ci.sh
    exit 0
fi

# A fresh prefix for every run, without the Mono and Gecko installers and
# without a display: the windows the tests create go to Wine's null display
# driver, so no X server is needed.
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
# The display driver is chosen when the wineserver starts.
wineserver -k
wineserver -w
echo "wine ci: prefix ready in $((SECONDS - start)) s"

ctest "${test_args[@]}"

# The window on a display at 150 %: Wine takes the DPI from LogPixels when
# the wineserver starts.
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null
wineserver -k
wineserver -w
echo "wine ci: the prefix's display at 144 dpi"
ctest "${test_144dpi_args[@]}"
