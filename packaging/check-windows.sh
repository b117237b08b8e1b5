#!/usr/bin/env bash
# Checks the Windows side of an installed tree:
#   - the SDK example, built against the installed SDK with MinGW-w64, is a
#     32-bit DLL that exports its stdcall entry point under its plain name;
#   - the Windows launcher and the installer list an application manifest
#     and a version resource with the project's version (wrestool), and so
#     does the uninstaller once installed;
#   - the Windows installer (packaging/windows), holding the Windows
#     launcher and derize-zizir-check.exe of a MinGW-w64 Release build (DERIZE_WINE_RELEASE_BUILD,
#     default build/wine-release: reused when it is there, configured with
#     the "wine-release" presets when not), installed silently into a throw-away Wine prefix (null display
#     driver): its files, shortcut, registry and file associations, a data
#     file opened through its association reaching a recording trn_cylext.dll
#     under its own name, the SDK example run by the installed launcher, then
#     the uninstaller;
#   - derize-zizir-wine running the installed launcher, handing it the data
#     file name as Windows names it and ending with its status.
#
#   packaging/check-windows.sh ROOT      ROOT holds usr/ (dpkg -x, DESTDIR)
#
# Exit status 0 when all is well, 1 when a check fails, 77 when MinGW-w64,
# Wine, NSIS or icoutils is not installed (scripts/install-deps.sh wine packaging);
# DERIZE_CHECK_STRICT=1 turns that skip into a failure. On a machine that
# cannot run 32-bit programs (scripts/i386-probe.sh) the module and the
# installer are still built and checked, what needs Wine is not run, one
# line says so, and the status is 0; DERIZE_REQUIRE_WINE=1 makes that 1.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=scripts/i386-probe.sh
source "$source_dir/scripts/i386-probe.sh"
root=$(cd "$1" && pwd)
usr=$root/usr

failed=0
fail() { echo "check-windows: FAIL: $*" >&2; failed=1; }
note() { echo "check-windows: $*"; }
for tool in i686-w64-mingw32-g++-posix i686-w64-mingw32-objdump i686-w64-mingw32-nm makensis wrestool wine wineboot wineserver; do
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
worm=$work/module/trn_worm.dll
if [ ! -f "$worm" ]; then
    fail "the SDK's Windows build made no trn_worm.dll: $(ls "$work/module")"
else
    headers=$(i686-w64-mingw32-objdump -p "$worm")
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

# The Windows launcher as the installer ships it, and the recording
# trn_cylext.dll of the tests, from a Release build for Windows.
build=$(realpath -m "${DERIZE_WINE_RELEASE_BUILD:-$source_dir/build/wine-release}")
if [ ! -f "$build/CMakeCache.txt" ]; then
    (cd "$source_dir" && cmake --preset wine-release -B "$build") >/dev/null
fi
start=$SECONDS
cmake --build "$build" -j2 --target derize-zizir derize-zizir-check fixture_recording_trn_cylext >/dev/null
note "Windows launcher built in $((SECONDS - start)) s in $build"
recording=$build/tests/fixtures/recording/trn_cylext.dll
[ -f "$build/bin/derize-zizir.exe" ] && [ -f "$build/bin/derize-zizir-check.exe" ] && [ -f "$recording" ] ||
    { fail "the Windows build in $build made no derize-zizir.exe, derize-zizir-check.exe or recording trn_cylext.dll"; exit 1; }
# The check tool is a console program: its report goes to standard output.
grep -q '(Windows CUI)' <<<"$(i686-w64-mingw32-objdump -p "$build/bin/derize-zizir-check.exe")" ||
    fail "derize-zizir-check.exe is not a console program"
installer=$work/derize-zizir-setup.exe
"$source_dir/packaging/windows/build-installer.sh" "$build/bin" "$usr" "$installer"
# The launcher's manifest and version resource (both string tables), the
# installer's manifest and version resource.
version=$("$source_dir/scripts/project-version.sh")
"$source_dir/packaging/windows/check-resources.sh" --tables=041904B0,040904B0 "$build/bin/derize-zizir.exe" ||
    fail "the Windows launcher's resources"
"$source_dir/packaging/windows/check-resources.sh" "$installer" || fail "the installer's resources"

# Everything below runs Windows programs, which Wine's 32-bit part runs.
if ! i386_probe; then
    wine_not_run "check-windows: the installer and derize-zizir-wine under Wine" packaging/ci.sh
    [ $failed -eq 0 ] || exit 1
    exit 0
fi

start=$SECONDS
wineboot -i >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
wineserver -k || true
wineserver -w
note "Wine prefix ready in $((SECONDS - start)) s"

# The Windows name of a Unix file, as winepath gives it.
windows_name() { winepath -w "$1" 2>/dev/null | tr -d '\r'; }
hex() { printf '%s' "$1" | od -An -v -tx1 | tr -d ' \n'; }
# A key's values, or nothing when there is no such key (reg then prints
# its error on standard output).
query() {
    local out
    out=$(wine reg query "$@" 2>/dev/null) || return 0
    tr -d '\r' <<<"$out"
}
# The modules write what they are given to this file.
export TRN_RECORD_FILE
TRN_RECORD_FILE=$(windows_name "$work/record.txt")
recorded() { if [ -f "$work/record.txt" ]; then tr -d '\r' <"$work/record.txt"; else echo -; fi; }
# The record of trn_cylext.dll called once with the data file NAME (its
# Windows name), loaded before and unloaded after.
called_with() {
    printf 'load trn_cylext\ncall TrnRun_CylExt name=%s\nunload trn_cylext' "$(hex "$1")"
}
recorded_calls() { sed -E 's/^(call [^ ]+) .* name=([0-9a-f]*) .*/\1 name=\2/' <<<"$(recorded)"; }
# Nothing may hang: a Windows program that does not end is a failure.
limited() { timeout -k 5 120 "$@"; }
settle() {
    timeout 120 wineserver -w || { fail "a Windows program did not end within 2 minutes"; wineserver -k || true; }
}

# A silent install with the default components.
program_files=$(wine cmd /c 'echo %ProgramFiles%' 2>/dev/null | tr -d '\r')
install_dir="$program_files\\DERIZE-Zizir"
unix_dir=$(winepath -u "$install_dir" 2>/dev/null)
unix_dir=${unix_dir%/}
start=$SECONDS
wine "$installer" /S
settle
note "installer: $(stat -c %s "$installer") bytes, silent install in $((SECONDS - start)) s into $install_dir"
for file in derize-zizir.exe derize-zizir-check.exe libgcc_s_dw2-1.dll libstdc++-6.dll libwinpthread-1.dll uninstall.exe; do
    [ -f "$unix_dir/$file" ] || fail "installer: $file was not installed"
done
[ ! -e "$unix_dir/Orvanel.Dic" ] || fail "installer: the English dictionary is on by default"
[ ! -e "$unix_dir/sdk" ] || fail "installer: the SDK is on by default"
shortcut="$(winepath -u 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs' 2>/dev/null)/Комплекс программ ЗЕФРАН-DIVIZ.lnk"
[ -f "$shortcut" ] || fail "installer: no Start-menu shortcut named with the window's title"

uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\DERIZE-Zizir'
entry=$(query "$uninstall_key")
for value in "DisplayName    REG_SZ    DERIZE-Zizir" "DisplayVersion    REG_SZ    $version" \
    "QuietUninstallString    REG_SZ    \"$install_dir\\uninstall.exe\" /S"; do
    grep -qF "$value" <<<"$entry" || fail "installer: Programs and Features lacks [$value]: $entry"
done
grep -q 'EstimatedSize    REG_DWORD    0x0*[1-9a-f]' <<<"$entry" || fail "installer: no size in Programs and Features: $entry"
"$source_dir/packaging/windows/check-resources.sh" "$unix_dir/uninstall.exe" || fail "the uninstaller's resources"
# The extensions from the kind table.
mapfile -t extensions < <(sed -n 's/^DERIZE_KIND([^,]*, *\([a-z_]*\),.*/\1/p' \
    "$source_dir/launcher/core/include/launcher/CalculationKinds.def")
[ ${#extensions[@]} -eq 8 ] || fail "the kind table gave [${extensions[*]}], not eight extensions"
for ext in "${extensions[@]}"; do
    grep -qF "REG_SZ    DERIZE-Zizir.$ext" <<<"$(query "HKLM\\Software\\Classes\\.$ext" /ve)" ||
        fail "installer: .$ext is not associated with DERIZE-Zizir.$ext"
    grep -qF "REG_SZ    \"$install_dir\\derize-zizir.exe\" \"%1\"" \
        <<<"$(query "HKLM\\Software\\Classes\\DERIZE-Zizir.$ext\\shell\\open\\command" /ve)" ||
        fail "installer: DERIZE-Zizir.$ext does not open with the launcher"
    grep -qF "REG_SZ    $install_dir\\derize-zizir.exe,0" \
        <<<"$(query "HKLM\\Software\\Classes\\DERIZE-Zizir.$ext\\DefaultIcon" /ve)" ||
        fail "installer: DERIZE-Zizir.$ext is not shown with the program's icon"
done
grep -qF "REG_SZ    External cylindrical gear pair" <<<"$(query 'HKLM\Software\Classes\DERIZE-Zizir.gear_exc_dat' /ve)" ||
    fail "installer: the type of .gear_exc_dat is not named with its kind's name"

# The administrator puts the users' modules beside the program: here the
# recording module and the SDK example.
cp "$recording" "$unix_dir/trn_cylext.dll"
cp "$worm" "$unix_dir/trn_worm.dll"

# A data file opened through its association reaches the module under the
# name Windows gives it, spaces and all.
mkdir -p "$work/data files"
data="$work/data files/Box.gear_exc_dat"
: >"$data"
rm -f "$work/record.txt"
limited wine start /wait /unix "$data" || true
settle
if [ "$(recorded_calls)" = "$(called_with "$(windows_name "$data")")" ]; then
    note "installer: a .gear_exc_dat file opened through its association ran trn_cylext.dll on it"
else
    fail "installer: opening $data through its association recorded [$(recorded)]"
fi

# The installed launcher runs the SDK example on a worm gear file.
rm -f "$work/record.txt"
status=0
limited wine "$unix_dir/derize-zizir.exe" "$(windows_name "$work/data files/x.worm_cyl_dat")" || status=$?
if [ $status -eq 0 ] && [ "$(recorded)" = "call TrnRun_Worm name=$(windows_name "$work/data files/x.worm_cyl_dat") slot1=set" ]; then
    note "installer: the launcher ran the SDK example on a .worm_cyl_dat file"
else
    fail "installer: the SDK example run by the launcher: status $status, recorded [$(recorded)]"
fi

# derize-zizir-wine with the installed program.
wrapper=$usr/bin/derize-zizir-wine
mkdir -p "$work/no-wine" "$work/other"
# A PATH with what the wrapper needs besides Wine.
for tool in tr iconv locale; do ln -s "$(command -v "$tool")" "$work/no-wine/"; done
# Another copy of the launcher, with no module beside it.
cp "$unix_dir"/*.exe "$unix_dir"/lib*.dll "$work/other/"

# wrapper_run WHAT STATUS RECORD ERROR COMMAND...: runs COMMAND in the data
# folder and expects its status, what the modules recorded ("-" when none
# was called) and a pattern for standard error ("" for none; otherwise it
# is one line).
wrapper_run() {
    local what=$1 want_status=$2 want_record=$3 want_error=$4
    shift 4
    rm -f "$work/record.txt"
    local status=0
    (cd "$work/data files" && limited "$@") >/dev/null 2>"$work/error" || status=$?
    local error got
    error=$(cat "$work/error")
    got=$(recorded_calls)
    if [ "$status" != "$want_status" ] || [ "$got" != "$want_record" ]; then
        fail "$what: status $status (expected $want_status), recorded [$(recorded)] (expected [$want_record]), standard error [$error]"
    elif [ -z "$want_error" ] && [ -n "$error" ]; then
        fail "$what: unexpected standard error [$error]"
    elif [ -n "$want_error" ] && { [ "$(wc -l <"$work/error")" != 1 ] || ! grep -qF -- "$want_error" <<<"$error"; }; then
        fail "$what: standard error [$error] is not one line holding [$want_error]"
    else
        note "derize-zizir-wine: $what"
    fi
}

data="$work/data files"
wrapper_run "a relative data file name" 0 "$(called_with "$(windows_name "$data/Box.GEAR_EXC_DAT")")" "" \
    "$wrapper" Box.GEAR_EXC_DAT more
wrapper_run "the launcher's status and error line handed back" 1 \
    "$(called_with "$(windows_name "$data/Box.gear_exc_dat")")" "raised an error in TrnRun_CylExt" \
    env TRN_RECORD_THROW=1 "$wrapper" Box.gear_exc_dat
wrapper_run "-- before a name that looks like an option" 0 \
    "$(called_with "$(windows_name "$data/--x.gear_exc_dat")")" "" "$wrapper" -- --x.gear_exc_dat
wrapper_run "a name that is not UTF-8 is refused" 2 - "not valid UTF-8" \
    "$wrapper" "$(printf 'Box\377.gear_exc_dat')"
# The launcher's error line doubles its backslashes.
other_folder=$(windows_name "$work/other" | sed 's/\\/\\\\/g')
wrapper_run "DERIZE_ZIZIR_EXE names another program" 3 - "trn_cylext.dll not found in $other_folder" \
    env DERIZE_ZIZIR_EXE="$work/other/derize-zizir.exe" "$wrapper" Box.gear_exc_dat
# The other Program Files folder, and none at all.
drive_c=$WINEPREFIX/drive_c
if [ -d "$drive_c/Program Files (x86)" ]; then
    moved="$drive_c/Program Files" moved_name='C:\Program Files'
else
    moved="$drive_c/Program Files (x86)" moved_name='C:\Program Files (x86)'
fi
mkdir -p "$moved"
mv "$unix_dir" "$moved/"
wrapper_run "the program in $moved_name" 0 "$(called_with "$(windows_name "$data/Box.gear_exc_dat")")" "" \
    "$wrapper" Box.gear_exc_dat
mv "$moved/DERIZE-Zizir" "$work/away"
wrapper_run "no Windows program in the prefix" 127 - "install it there with: wine derize-zizir-setup.exe" \
    "$wrapper" Box.GEAR_EXC_DAT
mv "$work/away" "$unix_dir"
wrapper_run "no Wine" 127 - "install the packages wine and wine32" \
    env PATH="$work/no-wine" /bin/sh "$wrapper" Box.GEAR_EXC_DAT

# Uninstalling removes everything of the installer's and keeps the users'
# modules.
users_modules="trn_cylext.dll trn_worm.dll "
start=$SECONDS
wine "$unix_dir/uninstall.exe" /S
settle
note "installer: silent uninstall in $((SECONDS - start)) s"
left=$(cd "$unix_dir" && ls -A | tr '\n' ' ')
[ "$left" = "$users_modules" ] || fail "uninstaller: the program folder holds [$left], not just the users' modules"
cmp -s "$unix_dir/trn_cylext.dll" "$recording" || fail "uninstaller: the user's trn_cylext.dll was changed"
[ ! -e "$shortcut" ] || fail "uninstaller: the Start-menu shortcut is left"
[ -z "$(query "$uninstall_key")" ] || fail "uninstaller: the Programs and Features entry is left"
for ext in "${extensions[@]}"; do
    [ -z "$(query "HKLM\\Software\\Classes\\DERIZE-Zizir.$ext")" ] || fail "uninstaller: the type DERIZE-Zizir.$ext is left"
    [ -z "$(query "HKLM\\Software\\Classes\\.$ext")" ] || fail "uninstaller: the extension .$ext is left"
done

# The optional components, chosen on the command line: the English
# dictionary becomes the active one and the SDK is installed; a dictionary
# of the user's own is neither replaced nor removed.
wine "$installer" /S /ENGLISH /SDK
settle
cmp -s "$unix_dir/Orvanel.Dic" "$source_dir/dictionaries/en/Orvanel.Dic" ||
    fail "installer: /ENGLISH did not install the English dictionary as Orvanel.Dic"
# The installed check tool reads that dictionary beside it: every text
# translated.
status=0
texts=$(limited wine "$unix_dir/derize-zizir-check.exe" --texts 2>&1 | tr -d '\r') || status=$?
if [ $status -eq 0 ] && grep -q '^13 of 13 texts translated$' <<<"$texts"; then
    note "installer: derize-zizir-check.exe --texts finds every text translated by the English dictionary"
else
    fail "installer: derize-zizir-check.exe --texts: status $status, reported [$texts]"
fi
for file in sdk/include/derize-zizir/trn_module.h sdk/lib/cmake/TrnModule/TrnModuleConfig.cmake \
    sdk/lib/cmake/TrnModule/TrnModuleTargets.cmake sdk/example/trn_worm.c sdk/example/CMakeLists.txt; do
    [ -f "$unix_dir/$file" ] || fail "installer: /SDK did not install $file"
done
# The installed SDK is a CMake package: the example builds against it.
cmake -S "$unix_dir/sdk/example" -B "$work/installed-sdk" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/toolchains/mingw-i686.cmake" \
    -DTrnModule_DIR="$unix_dir/sdk/lib/cmake/TrnModule" >/dev/null &&
    cmake --build "$work/installed-sdk" >/dev/null && [ -f "$work/installed-sdk/trn_worm.dll" ] ||
    fail "installer: the SDK example does not build against the installed SDK"
wine "$unix_dir/uninstall.exe" /S
settle
left=$(cd "$unix_dir" && ls -A | tr '\n' ' ')
[ "$left" = "$users_modules" ] || fail "uninstaller: after all components the program folder holds [$left]"
echo '"Выполнить"="Go"' >"$unix_dir/Orvanel.Dic"
wine "$installer" /S /ENGLISH
settle
wine "$unix_dir/uninstall.exe" /S
settle
[ "$(cat "$unix_dir/Orvanel.Dic" 2>/dev/null)" = '"Выполнить"="Go"' ] ||
    fail "installer: the user's own Orvanel.Dic was replaced or removed"

[ $failed -eq 0 ] || exit 1
exit 0
