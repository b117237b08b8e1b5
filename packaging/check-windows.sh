#!/usr/bin/env bash
# Checks the Windows side of an installed tree:
#   - the SDK example, built against the installed SDK with MinGW-w64, is a
#     32-bit DLL that exports its stdcall entry point under its plain name;
#   - the Windows installer (packaging/windows), holding a stand-in for the
#     Windows launcher that records its command line and ends with a given
#     status (checks/windows_program_standin.c), installed silently into a
#     throw-away Wine prefix (null display driver): its files, shortcut,
#     registry and file associations, then its uninstaller;
#   - derize-zizir-wine running the installed program, handing it the data
#     file name as Windows names it and ending with its status.
#
#   packaging/check-windows.sh ROOT      ROOT holds usr/ (dpkg -x, DESTDIR)
#
# Exit status 0 when all is well, 1 when a check fails, 77 when MinGW-w64 or
# Wine or NSIS is not installed (scripts/install-deps.sh wine packaging);
# DERIZE_CHECK_STRICT=1 turns that skip into a failure.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
root=$(cd "$1" && pwd)
usr=$root/usr

failed=0
fail() { echo "check-windows: FAIL: $*" >&2; failed=1; }
note() { echo "check-windows: $*"; }
for tool in i686-w64-mingw32-gcc i686-w64-mingw32-objdump i686-w64-mingw32-nm makensis wine wineboot wineserver; do
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

# The installer, holding the stand-in and the runtime DLLs the Windows
# launcher ships with.
mkdir -p "$work/program"
i686-w64-mingw32-gcc -O2 -Wall -Werror -o "$work/program/derize-zizir.exe" \
    "$source_dir/packaging/checks/windows_program_standin.c"
for dll in libgcc_s_dw2-1.dll libstdc++-6.dll libwinpthread-1.dll; do
    cp "$(realpath "$(i686-w64-mingw32-g++-posix -print-file-name=$dll)")" "$work/program/"
done
installer=$work/derize-zizir-setup.exe
"$source_dir/packaging/windows/build-installer.sh" "$work/program" "$usr" "$installer"

start=$SECONDS
wineboot -i >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
wineserver -k || true
wineserver -w
note "Wine prefix ready in $((SECONDS - start)) s"

# Windows names of Unix files, as the stand-in and the wrapper see them.
windows_name() { local name=${1//\//\\}; printf 'Z:%s' "$name"; }
# A key's values, or nothing when there is no such key (reg then prints
# its error on standard output).
query() {
    local out
    out=$(wine reg query "$@" 2>/dev/null) || return 0
    tr -d '\r' <<<"$out"
}
export DERIZE_RECORD_FILE
DERIZE_RECORD_FILE=$(windows_name "$work/record.txt")
recorded() { cat "$work/record.txt" 2>/dev/null || echo -; }

# A silent install with the default components.
program_files=$(wine cmd /c 'echo %ProgramFiles%' 2>/dev/null | tr -d '\r')
install_dir="$program_files\\DERIZE-Zizir"
unix_dir=$(winepath -u "$install_dir" 2>/dev/null)
unix_dir=${unix_dir%/}
start=$SECONDS
wine "$installer" /S
wineserver -w
note "installer: $(stat -c %s "$installer") bytes, silent install in $((SECONDS - start)) s into $install_dir"
for file in derize-zizir.exe libgcc_s_dw2-1.dll libstdc++-6.dll libwinpthread-1.dll uninstall.exe; do
    [ -f "$unix_dir/$file" ] || fail "installer: $file was not installed"
done
[ ! -e "$unix_dir/Orvanel.Dic" ] || fail "installer: the English dictionary is on by default"
[ ! -e "$unix_dir/sdk" ] || fail "installer: the SDK is on by default"
shortcut="$(winepath -u 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs' 2>/dev/null)/Комплекс программ ЗЕФРАН-DIVIZ.lnk"
[ -f "$shortcut" ] || fail "installer: no Start-menu shortcut named with the window's title"

uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\DERIZE-Zizir'
entry=$(query "$uninstall_key")
for value in "DisplayName    REG_SZ    DERIZE-Zizir" "DisplayVersion    REG_SZ    1.0.0" \
    "QuietUninstallString    REG_SZ    \"$install_dir\\uninstall.exe\" /S"; do
    grep -qF "$value" <<<"$entry" || fail "installer: Programs and Features lacks [$value]: $entry"
done
grep -q 'EstimatedSize    REG_DWORD    0x0*[1-9a-f]' <<<"$entry" || fail "installer: no size in Programs and Features: $entry"
extensions=(gear_exc_dat gear_inc_dat gear_spb_dat gear_stb_dat worm_cyl_dat chai_rol_dat belt_vee_dat toothedbelt_dat)
for ext in "${extensions[@]}"; do
    grep -qF "REG_SZ    DERIZE-Zizir.$ext" <<<"$(query "HKLM\\Software\\Classes\\.$ext" /ve)" ||
        fail "installer: .$ext is not associated with DERIZE-Zizir.$ext"
    grep -qF "REG_SZ    \"$install_dir\\derize-zizir.exe\" \"%1\"" \
        <<<"$(query "HKLM\\Software\\Classes\\DERIZE-Zizir.$ext\\shell\\open\\command" /ve)" ||
        fail "installer: DERIZE-Zizir.$ext does not open with the launcher"
done
grep -qF "REG_SZ    External cylindrical gear pair" <<<"$(query 'HKLM\Software\Classes\DERIZE-Zizir.gear_exc_dat' /ve)" ||
    fail "installer: the type of .gear_exc_dat is not named with its kind's name"

# A data file opened through its association.
mkdir -p "$work/data files"
data="$work/data files/Box.gear_exc_dat"
: >"$data"
rm -f "$work/record.txt"
wine start /wait /unix "$data" || true
wineserver -w
expected="\"$install_dir\\derize-zizir.exe\" \"$(windows_name "$data")\""
[ "$(recorded)" = "$expected" ] ||
    fail "installer: opening the data file ran [$(recorded)], expected [$expected]"

# derize-zizir-wine with the installed program.
wrapper=$usr/bin/derize-zizir-wine
mkdir -p "$work/no-wine" "$work/other"
# A PATH with what the wrapper needs besides Wine.
for tool in tr iconv locale; do ln -s "$(command -v "$tool")" "$work/no-wine/"; done
cp "$work/program/derize-zizir.exe" "$work/other/derize-zizir.exe"

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
    local error
    error=$(cat "$work/error")
    if [ "$status" != "$want_status" ] || [ "$(recorded)" != "$want_record" ]; then
        fail "$what: status $status (expected $want_status), recorded [$(recorded)] (expected [$want_record])"
    elif [ -z "$want_error" ] && [ -n "$error" ]; then
        fail "$what: unexpected standard error [$error]"
    elif [ -n "$want_error" ] && { [ "$(wc -l <"$work/error")" != 1 ] || ! grep -q -- "$want_error" <<<"$error"; }; then
        fail "$what: standard error [$error] is not one line matching [$want_error]"
    else
        note "derize-zizir-wine: $what"
    fi
}

installed="\"$install_dir\\derize-zizir.exe\""
data="$work/data files"
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
# The other Program Files folder, and none at all.
drive_c=$WINEPREFIX/drive_c
if [ -d "$drive_c/Program Files (x86)" ]; then
    moved="$drive_c/Program Files" moved_name='C:\Program Files'
else
    moved="$drive_c/Program Files (x86)" moved_name='C:\Program Files (x86)'
fi
mkdir -p "$moved"
mv "$unix_dir" "$moved/"
wrapper_run "the program in $moved_name" 0 "\"$moved_name\\DERIZE-Zizir\\derize-zizir.exe\"" "" "$wrapper"
mv "$moved/DERIZE-Zizir" "$work/away"
wrapper_run "no Windows program in the prefix" 127 - "install it there with: wine derize-zizir-setup.exe" \
    "$wrapper" Box.GEAR_EXC_DAT
mv "$work/away" "$unix_dir"
wrapper_run "no Wine" 127 - "install the packages wine and wine32" \
    env PATH="$work/no-wine" /bin/sh "$wrapper" Box.GEAR_EXC_DAT

# Uninstalling removes everything of the installer's and keeps the user's
# module.
: >"$unix_dir/trn_cylext.dll"
start=$SECONDS
wine "$unix_dir/uninstall.exe" /S
wineserver -w
note "installer: silent uninstall in $((SECONDS - start)) s"
left=$(cd "$unix_dir" && ls -A | tr '\n' ' ')
[ "$left" = "trn_cylext.dll " ] || fail "uninstaller: the program folder holds [$left], not just the user's trn_cylext.dll"
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
wineserver -w
cmp -s "$unix_dir/Orvanel.Dic" "$source_dir/dictionaries/en/Orvanel.Dic" ||
    fail "installer: /ENGLISH did not install the English dictionary as Orvanel.Dic"
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
wineserver -w
left=$(cd "$unix_dir" && ls -A | tr '\n' ' ')
[ "$left" = "trn_cylext.dll " ] || fail "uninstaller: after all components the program folder holds [$left]"
echo '"Выполнить"="Go"' >"$unix_dir/Orvanel.Dic"
wine "$installer" /S /ENGLISH
wineserver -w
wine "$unix_dir/uninstall.exe" /S
wineserver -w
[ "$(cat "$unix_dir/Orvanel.Dic" 2>/dev/null)" = '"Выполнить"="Go"' ] ||
    fail "installer: the user's own Orvanel.Dic was replaced or removed"

[ $failed -eq 0 ] || exit 1
exit 0
