#!/usr/bin/env bash
# Checks the Windows side of an installed tree:
#   - the SDK example, built against the installed SDK with MinGW-w64, is a
#     32-bit DLL that exports its stdcall entry point under its plain name;
#   - derize-zizir-wine runs a stand-in for the Windows launcher in a
#     throw-away Wine prefix (null display driver), hands it the data file
#     name as Windows names it and ends with its status.
#
#   packaging/check-windows.sh ROOT      ROOT holds usr/ (dpkg -x, DESTDIR)
#
# Exit status 0 when all is well, 1 when a check fails, 77 when MinGW-w64 or
# Wine is not installed (scripts/install-deps.sh wine);
# DERIZE_CHECK_STRICT=1 turns that skip into a failure.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
root=$(cd "$1" && pwd)
usr=$root/usr

failed=0
fail() { echo "check-windows: FAIL: $*" >&2; failed=1; }
note() { echo "check-windows: $*"; }
for tool in i686-w64-mingw32-gcc i686-w64-mingw32-objdump i686-w64-mingw32-nm wine wineboot wineserver; do
    if ! command -v "$tool" >/dev/null; then
        [ "${DERIZE_CHECK_STRICT:-0}" = 1 ] && { fail "$tool is not installed"; exit 1; }
        note "SKIP: $tool is not installed"
        exit 77
    fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/derize-check-windows-XXXXXX")
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY
cleanup() {
    if [ -d "$WINEPREFIX" ]; then
        wineserver -k 2>/dev/null || true
        wineserver -w 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# The SDK example as a Windows module. The toolchain keeps find_package()
# inside the MinGW root, so the installed package is named by its folder.
cmake -S "$source_dir/packaging/sdk-example" -B "$work/module" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/toolchains/mingw-i686.cmake" \
    -DTrnModule_DIR="$usr/lib/cmake/TrnModule" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
cmake --build "$work/module" >/dev/null
dll=$work/module/trn_worm.dll
if [ ! -f "$dll" ]; then
    fail "the SDK's Windows build made no trn_worm.dll: $(ls "$work/module")"
else
    headers=$(i686-w64-mingw32-objdump -p "$dll")
    exports=$(awk '/^\[Ordinal\/Name Pointer\] Table/ { on = 1; next }
        on && /^\t\[/ { print $NF; next } on { exit }' <<<"$headers")
    imports=$(awk '/DLL Name:/ { print $3 }' <<<"$headers" | tr '\n' ' ')
    decorated=$(i686-w64-mingw32-nm "$work/module/CMakeFiles/trn_worm.dir/trn_worm.c.obj" |
        awk '$2 == "T" { print $3 }')
    grep -q 'file format pei-i386' <<<"$headers" || fail "trn_worm.dll is not a 32-bit DLL"
    [ "$exports" = TrnRun_Worm ] || fail "trn_worm.dll exports [$exports], not just TrnRun_Worm"
    # Form B's three arguments: a stdcall function that removes 12 bytes.
    [ "$decorated" = _TrnRun_Worm@12 ] ||
        fail "TrnRun_Worm is compiled as [$decorated], not as stdcall with 12 bytes of arguments"
    grep -qw msvcrt.dll <<<"$imports" || fail "trn_worm.dll does not use the shared C runtime: $imports"
    grep -q -- "-isystem $usr/include/derize-zizir " "$work/module/compile_commands.json" ||
        fail "trn_worm.dll was not compiled against the installed header alone"
    note "Windows module built from the installed SDK: exports $exports, imports $imports"
fi

# derize-zizir-wine with a stand-in for the Windows launcher.
wrapper=$usr/bin/derize-zizir-wine
standin=$work/standin.exe
i686-w64-mingw32-gcc -O2 -Wall -Werror -o "$standin" "$source_dir/packaging/checks/windows_program_standin.c"
start=$SECONDS
wineboot -i >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
wineserver -k || true
wineserver -w
note "Wine prefix ready in $((SECONDS - start)) s"

# Windows names of Unix files, as the stand-in and the wrapper see them.
windows_name() { local name=${1//\//\\}; printf 'Z:%s' "$name"; }
export DERIZE_RECORD_FILE
DERIZE_RECORD_FILE=$(windows_name "$work/record.txt")
program_files=$WINEPREFIX/drive_c/Program\ Files
mkdir -p "$work/data files" "$work/no-wine" "$work/other"
# A PATH with what the wrapper needs besides Wine.
for tool in tr iconv locale; do ln -s "$(command -v "$tool")" "$work/no-wine/"; done
cp "$standin" "$work/other/derize-zizir.exe"

# wrapper_run WHAT STATUS RECORD ERROR COMMAND...: runs COMMAND in the data
# folder and expects its status, the command line the stand-in recorded
# ("-" when it must not have started) and a pattern for standard error
# ("" for none; otherwise it is one line).
wrapper_run() {
    local what=$1 want_status=$2 want_record=$3 want_error=$4
    shift 4
    rm -f "$work/record.txt"
    local status=0
    (cd "$work/data files" && "$@") >/dev/null 2>"$work/error" || status=$?
    local record=-
    [ -f "$work/record.txt" ] && record=$(cat "$work/record.txt")
    local error
    error=$(cat "$work/error")
    if [ "$status" != "$want_status" ] || [ "$record" != "$want_record" ]; then
        fail "$what: status $status (expected $want_status), recorded [$record] (expected [$want_record])"
    elif [ -z "$want_error" ] && [ -n "$error" ]; then
        fail "$what: unexpected standard error [$error]"
    elif [ -n "$want_error" ] && { [ "$(wc -l <"$work/error")" != 1 ] || ! grep -q -- "$want_error" <<<"$error"; }; then
        fail "$what: standard error [$error] is not one line matching [$want_error]"
    else
        note "derize-zizir-wine: $what"
    fi
}

installed='"C:\Program Files\DERIZE-Zizir\derize-zizir.exe"'
data="$work/data files"
mkdir -p "$program_files/DERIZE-Zizir"
cp "$standin" "$program_files/DERIZE-Zizir/derize-zizir.exe"
wrapper_run "a relative data file name, its status handed back" 3 \
    "$installed \"$(windows_name "$data/Box.GEAR_EXC_DAT")\" more" "" \
    env DERIZE_EXIT_STATUS=3 "$wrapper" Box.GEAR_EXC_DAT more
wrapper_run "no argument: the window" 0 "$installed" "" "$wrapper"
wrapper_run "an empty argument stays empty" 0 "$installed \"\"" "" "$wrapper" ""
wrapper_run "-- before a name that looks like an option" 0 \
    "$installed \"$(windows_name "$data/--help")\"" "" "$wrapper" -- --help
wrapper_run "a name that is not UTF-8 is refused" 2 - "not valid UTF-8" \
    "$wrapper" "$(printf 'Box\377.gear_exc_dat')"
wrapper_run "DERIZE_ZIZIR_EXE names another program" 0 \
    "\"$(windows_name "$work/other/derize-zizir.exe")\" $(windows_name /tmp/x.worm_cyl_dat)" "" \
    env DERIZE_ZIZIR_EXE="$work/other/derize-zizir.exe" "$wrapper" /tmp/x.worm_cyl_dat
mkdir -p "$program_files (x86)"
mv "$program_files/DERIZE-Zizir" "$program_files (x86)/"
wrapper_run "the program in Program Files (x86)" 0 \
    '"C:\Program Files (x86)\DERIZE-Zizir\derize-zizir.exe"' "" "$wrapper"
rm -r "$program_files (x86)/DERIZE-Zizir"
wrapper_run "no Windows program in the prefix" 127 - "install it there with: wine derize-zizir-setup.exe" \
    "$wrapper" Box.GEAR_EXC_DAT
wrapper_run "no Wine" 127 - "install the packages wine and wine32" \
    env PATH="$work/no-wine" /bin/sh "$wrapper" Box.GEAR_EXC_DAT

[ $failed -eq 0 ] || exit 1
exit 0
