#!/usr/bin/env bash
# Checks the Windows side of an installed tree:
#   - the SDK example, built against the installed SDK with its installed
#     MinGW-w64 toolchain files by the module guide's commands, is a 32-bit
#     DLL that exports its stdcall entry point under its plain name, and a
#     64-bit DLL that exports it;
#   - the Windows launchers (32-bit and 64-bit) and the installer list an
#     application manifest and a version resource with the project's
#     version (wrestool), and so does the uninstaller once installed;
#   - the 64-bit launcher of the build tree runs the 64-bit SDK example
#     under 64-bit Wine;
#   - the Windows installer (packaging/windows), holding the launchers and
#     derize-zizir-check.exe of MinGW-w64 Release builds (32-bit:
#     DERIZE_WINE_RELEASE_BUILD, default build/wine-release; 64-bit:
#     DERIZE_WINE64_RELEASE_BUILD, default build/wine64-release; each reused
#     when it is there, configured with its preset when not), installed
#     silently into a throw-away 64-bit Wine prefix (null display driver):
#     its files, shortcuts, registry and file associations, a data file
#     opened through its association reaching a recording trn_cylext.dll
#     under its own name, the SDK example run by the installed launcher,
#     the optional components (the 64-bit launcher running the 64-bit SDK
#     example from its x64 folder among them), then the uninstaller;
#   - derize-zizir-wine running the installed launcher, handing it the data
#     file name as Windows names it and ending with its status.
#
#   packaging/check-windows.sh ROOT      ROOT holds usr/ (dpkg -x, DESTDIR)
#
# Exit status 0 when all is well, 1 when a check fails, 77 when MinGW-w64,
# Wine, NSIS or icoutils is not installed (scripts/install-deps.sh wine packaging);
# DERIZE_CHECK_STRICT=1 turns that skip into a failure. On a machine that
# cannot run 32-bit programs (scripts/i386-probe.sh) the modules and the
# installer are still built and checked and the 64-bit launcher run, what
# needs Wine's 32-bit part is not run, one line says so, and the status is
# 0; DERIZE_REQUIRE_WINE=1 makes that 1.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=scripts/i386-probe.sh
source "$source_dir/scripts/i386-probe.sh"
root=$(cd "$1" && pwd)
usr=$root/usr

failed=0
fail() { echo "check-windows: FAIL: $*" >&2; failed=1; }
note() { echo "check-windows: $*"; }
wine64=/usr/lib/wine/wine64
for tool in i686-w64-mingw32-g++-posix i686-w64-mingw32-objdump i686-w64-mingw32-nm \
    x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-objdump x86_64-w64-mingw32-nm makensis wrestool wine "$wine64" wineserver; do
    if ! command -v "$tool" >/dev/null; then
        [ "${DERIZE_CHECK_STRICT:-0}" = 1 ] && { fail "$tool is not installed"; exit 1; }
        note "SKIP: $tool is not installed"
        exit 77
    fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/derize-check-windows-XXXXXX")
export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY
cleanup() {
    if [ -d "$WINEPREFIX" ]; then
        wineserver -k 2>/dev/null || true
        wineserver -w 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# The first block of the given kind after a heading of a guide in docs/.
guide_block() { # GUIDE HEADING KIND
    awk -v heading="$2" -v fence="\`\`\`$3" '$0 == heading { on = 1 }
        on && !block && $0 == fence { block = 1; next } block && /^```$/ { exit } block' \
        "$source_dir/docs/$1"
}

# The installed module example as Windows modules, copied into an empty
# folder and built there by the module guide's commands, with the installed
# package and toolchain files (and Ninja, whose compile commands name the
# include folders themselves).
commands=$(guide_block modules.md "## The same modules for Windows" sh)
grep -q '^sdk=/usr/lib/cmake/TrnModule$' <<<"$commands" ||
    fail "docs/modules.md's Windows commands no longer set sdk=/usr/lib/cmake/TrnModule"
mkdir "$work/module"
cp "$usr/share/derize-zizir/module-example"/* "$work/module/"
(cd "$work/module" && CMAKE_GENERATOR=Ninja CMAKE_EXPORT_COMPILE_COMMANDS=ON bash -euo pipefail \
    -c "${commands//=\/usr\//=$usr/}") >"$work/module.log" 2>&1 ||
    fail "docs/modules.md's Windows commands failed against the installed SDK: $(tail -5 "$work/module.log")"
# check_module BITS TRIPLET FORMAT MODULE ENTRY DECORATED: the example's
# MODULE built for BITS-bit Windows; DECORATED is the compiler's own name of
# its entry point ENTRY.
check_module() {
    local bits=$1 triplet=$2 format=$3 module=$4 entry=$5 decorated=$6
    local dll=$work/module/build-win$1/$4.dll headers exports imports compiled
    if [ ! -f "$dll" ]; then
        fail "the SDK's $bits-bit Windows build made no $module.dll"
        return
    fi
    headers=$("$triplet-objdump" -p "$dll")
    exports=$(awk '/^\[Ordinal\/Name Pointer\] Table/ { on = 1; next }
        on && /^\t\[/ { print $NF; next } on { exit }' <<<"$headers")
    imports=$(awk '/DLL Name:/ { print $3 }' <<<"$headers" | tr '\n' ' ')
    compiled=$("$triplet-nm" "$work/module/build-win$bits/CMakeFiles/$module.dir/$module.c.obj" |
        awk '$2 == "T" { print $3 }')
    grep -q "file format $format\$" <<<"$headers" || fail "the $bits-bit build's $module.dll is not a $format DLL"
    [ "$exports" = "$entry" ] || fail "the $bits-bit $module.dll exports [$exports], not just $entry"
    [ "$compiled" = "$decorated" ] ||
        fail "the $bits-bit $entry is compiled as [$compiled], not as [$decorated]"
    grep -qw msvcrt.dll <<<"$imports" || fail "the $bits-bit $module.dll does not use the shared C runtime: $imports"
    grep -q -- "-isystem $usr/include/derize-zizir " "$work/module/build-win$bits/compile_commands.json" ||
        fail "the $bits-bit $module.dll was not compiled against the installed header alone"
    note "$bits-bit Windows module built from the installed SDK: $module.dll exports $exports, imports $imports"
}
# On 32-bit Windows a stdcall function removes its arguments: form A's
# four, 16 bytes; form B's three, 12; form C's two, 8.
check_module 32 i686-w64-mingw32 pei-i386 trn_cylext TrnRun_CylExt _TrnRun_CylExt@16
check_module 32 i686-w64-mingw32 pei-i386 trn_worm TrnRun_Worm _TrnRun_Worm@12
check_module 32 i686-w64-mingw32 pei-i386 trn_chain TrnRun_Chain _TrnRun_Chain@8
check_module 64 x86_64-w64-mingw32 pei-x86-64 trn_worm TrnRun_Worm TrnRun_Worm
# The guide's module-definition file, for compilers that decorate stdcall
# names, read by MinGW-w64's linker too: the plain name is exported.
i686-w64-mingw32-gcc -shared -I"$usr/include/derize-zizir" -o "$work/module/def-trn_worm.dll" \
    "$work/module/trn_worm.c" "$work/module/trn_worm.def" 2>/dev/null ||
    fail "trn_worm.c with trn_worm.def does not build"
grep -q '^	\[ *[0-9]*\] TrnRun_Worm$' <<<"$(i686-w64-mingw32-objdump -p "$work/module/def-trn_worm.dll")" ||
    fail "trn_worm.def does not export TrnRun_Worm under its plain name"
worm=$work/module/build-win32/trn_worm.dll
worm64=$work/module/build-win64/trn_worm.dll

# The Windows launchers as the installer ships them, from Release builds
# for Windows, and the recording trn_cylext.dll of the tests.
# release_build VAR PRESET TRIPLET TARGETS...: the build folder $VAR names
# (default build/PRESET), configured when it is not, with TARGETS built;
# sets $built to the folder.
release_build() {
    local variable=$1 preset=$2 triplet=$3 build start
    shift 3
    build=$(realpath -m "${!variable:-$source_dir/build/$preset}")
    if [ ! -f "$build/CMakeCache.txt" ]; then
        (cd "$source_dir" && cmake --preset "$preset" -B "$build") >/dev/null
    fi
    start=$SECONDS
    cmake --build "$build" -j2 --target "$@" >/dev/null
    note "Windows launcher built in $((SECONDS - start)) s in $build"
    if [ ! -f "$build/bin/derize-zizir.exe" ] || [ ! -f "$build/bin/derize-zizir-check.exe" ]; then
        fail "the Windows build in $build made no derize-zizir.exe or derize-zizir-check.exe"
        exit 1
    fi
    # The check tool is a console program: its report goes to standard output.
    grep -q '(Windows CUI)' <<<"$("$triplet-objdump" -p "$build/bin/derize-zizir-check.exe")" ||
        fail "$build/bin/derize-zizir-check.exe is not a console program"
    built=$build
}
release_build DERIZE_WINE_RELEASE_BUILD wine-release i686-w64-mingw32 \
    derize-zizir derize-zizir-check fixture_recording_trn_cylext wine_fixture_crashing_trn_tbelt
build=$built
release_build DERIZE_WINE64_RELEASE_BUILD wine64-release x86_64-w64-mingw32 derize-zizir derize-zizir-check
build64=$built
recording=$build/tests/fixtures/recording/trn_cylext.dll
[ -f "$recording" ] || { fail "the Windows build in $build made no recording trn_cylext.dll"; exit 1; }
installer=$work/derize-zizir-setup.exe
"$source_dir/packaging/windows/build-installer.sh" "$build/bin" "$usr" "$installer" "$build64/bin"
# The launchers' manifest and version resource (both string tables), the
# installer's manifest and version resource.
version=$("$source_dir/scripts/project-version.sh")
"$source_dir/packaging/windows/check-resources.sh" --tables=041904B0,040904B0 \
    "$build/bin/derize-zizir.exe" "$build64/bin/derize-zizir.exe" || fail "the Windows launchers' resources"
"$source_dir/packaging/windows/check-resources.sh" "$installer" || fail "the installer's resources"

# A 64-bit prefix, made by 64-bit Wine, which runs where 32-bit programs
# cannot; the installer and the 32-bit launcher need Wine's 32-bit part.
start=$SECONDS
"$wine64" wineboot -i >/dev/null 2>&1
"$wine64" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
wineserver -k || true
wineserver -w
note "Wine prefix ready in $((SECONDS - start)) s"

# The Windows name of a Unix file, as winepath gives it.
windows_name() { "$wine64" winepath -w "$1" 2>/dev/null | tr -d '\r'; }
# The modules write what they are given to this file.
export TRN_RECORD_FILE
TRN_RECORD_FILE=$(windows_name "$work/record.txt")
recorded() { if [ -f "$work/record.txt" ]; then tr -d '\r' <"$work/record.txt"; else echo -; fi; }
# Nothing may hang: a Windows program that does not end is a failure.
limited() { timeout -k 5 120 "$@"; }
settle() {
    timeout 120 wineserver -w || { fail "a Windows program did not end within 2 minutes"; wineserver -k || true; }
}
mkdir -p "$work/data files"
worm_data=$(windows_name "$work/data files/x.worm_cyl_dat")
# run_worm WHAT WINE EXE: EXE, with the example's worm module beside it,
# run on a worm gear file in automatic mode: the module's line.
run_worm() {
    local status=0 printed
    printed=$(limited "$2" "$3" "$worm_data" 2>/dev/null | tr -d '\r') || status=$?
    settle
    if [ $status -eq 0 ] && [ "$printed" = "trn_worm: calculating \"$worm_data\"" ]; then
        note "$1 ran the example's trn_worm on a .worm_cyl_dat file"
    else
        fail "$1, run on the example's trn_worm: status $status, printed [$printed]"
    fi
}

# The 64-bit launcher of the build, in a folder of its own with the 64-bit
# SDK example.
mkdir "$work/launcher64"
cp "$build64/bin"/*.exe "$build64/bin"/lib*.dll "$worm64" "$work/launcher64/"
run_worm "the 64-bit launcher" "$wine64" "$work/launcher64/derize-zizir.exe"

# Everything below runs 32-bit Windows programs, which Wine's 32-bit part
# runs.
if ! i386_probe; then
    wine_not_run "check-windows: the installer, the 32-bit launcher and derize-zizir-wine under Wine" packaging/ci.sh
    [ $failed -eq 0 ] || exit 1
    exit 0
fi

hex() { printf '%s' "$1" | od -An -v -tx1 | tr -d ' \n'; }
# A key's values, or nothing when there is no such key (reg then prints
# its error on standard output).
query() {
    local out
    out=$(wine reg query "$@" 2>/dev/null) || return 0
    tr -d '\r' <<<"$out"
}
# The record of trn_cylext.dll called once with the data file NAME (its
# Windows name), loaded before and unloaded after.
called_with() {
    printf 'load trn_cylext\ncall TrnRun_CylExt name=%s\nunload trn_cylext' "$(hex "$1")"
}
recorded_calls() { sed -E 's/^(call [^ ]+) .* name=([0-9a-f]*) .*/\1 name=\2/' <<<"$(recorded)"; }

# A silent install with the default components.
program_files=$(wine cmd /c 'echo %ProgramFiles%' 2>/dev/null | tr -d '\r')
install_dir="$program_files\\DERIZE-Zizir"
unix_dir=$(winepath -u "$install_dir" 2>/dev/null)
unix_dir=${unix_dir%/}
start=$SECONDS
wine "$installer" /S
settle
note "installer: $(stat -c %s "$installer") bytes, silent install in $((SECONDS - start)) s into $install_dir"
# The programs and the runtime DLLs beside them in the build.
shipped() { (cd "$1" && ls derize-zizir.exe derize-zizir-check.exe lib*.dll); }
for file in $(shipped "$build/bin") uninstall.exe; do
    [ -f "$unix_dir/$file" ] || fail "installer: $file was not installed"
done
[ ! -e "$unix_dir/Orvanel.Dic" ] || fail "installer: the English dictionary is on by default"
[ ! -e "$unix_dir/sdk" ] || fail "installer: the SDK is on by default"
[ ! -e "$unix_dir/x64" ] || fail "installer: the launcher for 64-bit modules is on by default"
start_menu=$(winepath -u 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs' 2>/dev/null)
shortcut="$start_menu/Комплекс программ ЗЕФРАН-DIVIZ.lnk"
shortcut64="$start_menu/Комплекс программ ЗЕФРАН-DIVIZ (64-bit modules).lnk"
[ -f "$shortcut" ] || fail "installer: no Start-menu shortcut named with the window's title"
[ ! -e "$shortcut64" ] || fail "installer: a shortcut to the launcher for 64-bit modules without its component"

uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\DERIZE-Zizir'
entry=$(query "$uninstall_key")
for value in "DisplayName    REG_SZ    DERIZE-Zizir" "DisplayVersion    REG_SZ    $version" \
    "QuietUninstallString    REG_SZ    \"$install_dir\\uninstall.exe\" /S"; do
    grep -qF "$value" <<<"$entry" || fail "installer: Programs and Features lacks [$value]: $entry"
done
grep -q 'EstimatedSize    REG_DWORD    0x0*[1-9a-f]' <<<"$entry" || fail "installer: no size in Programs and Features: $entry"
"$source_dir/packaging/windows/check-resources.sh" "$unix_dir/uninstall.exe" || fail "the uninstaller's resources"
# The extensions from the kind table.
kind_table=$source_dir/launcher/core/include/launcher/CalculationKinds.def
mapfile -t extensions < <(sed -n 's/^DERIZE_KIND([^,]*, *\([a-z0-9_]*\),.*/\1/p' "$kind_table")
[ ${#extensions[@]} -gt 0 ] && [ ${#extensions[@]} -eq "$(grep -c '^DERIZE_KIND(' "$kind_table")" ] ||
    fail "the kind table gave [${extensions[*]}], not an extension a kind"
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
run_worm "installer: the launcher" wine "$unix_dir/derize-zizir.exe"

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
other_folder=$(windows_name "$work/other")
wrapper_run "DERIZE_ZIZIR_EXE names another program" 3 - "trn_cylext.dll not found in $other_folder" \
    env DERIZE_ZIZIR_EXE="$work/other/derize-zizir.exe" "$wrapper" Box.gear_exc_dat
# A crash reaches a Linux shell as 7, never as the exception code's low byte
# (5 for an access violation, the launcher's "the module ended the process").
cp "$build/tests/fixtures/crashing/trn_tbelt.dll" "$work/other/"
wrapper_run "a crash gives status 7" 7 - "trn_tbelt.dll crashed in TrnRun_TBelt: exception 0xC0000005" \
    env DERIZE_ZIZIR_EXE="$work/other/derize-zizir.exe" "$wrapper" Box.toothedbelt_dat
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
    env PATH="$work/no-wine" /bin/bash "$wrapper" Box.GEAR_EXC_DAT

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
# dictionary becomes the active one, the SDK is installed, and the launcher
# for 64-bit modules with its shortcut, which runs the 64-bit SDK example
# put beside it and leaves the file types to the 32-bit launcher; a
# dictionary of the user's own is neither replaced nor removed.
wine "$installer" /S /ENGLISH /SDK /X64
settle
for file in $(shipped "$build64/bin"); do
    if [ ! -f "$unix_dir/x64/$file" ]; then
        fail "installer: /X64 did not install x64\\$file"
    elif ! x86_64-w64-mingw32-objdump -f "$unix_dir/x64/$file" | grep -q 'file format pei-x86-64$'; then
        fail "installer: x64\\$file is not a 64-bit program"
    fi
done
[ -f "$shortcut64" ] || fail "installer: /X64 made no Start-menu shortcut \"$(basename "$shortcut64")\""
grep -qF "REG_SZ    \"$install_dir\\derize-zizir.exe\" \"%1\"" \
    <<<"$(query 'HKLM\Software\Classes\DERIZE-Zizir.worm_cyl_dat\shell\open\command' /ve)" ||
    fail "installer: with /X64 .worm_cyl_dat no longer opens with the 32-bit launcher"
cp "$worm64" "$unix_dir/x64/trn_worm.dll"
run_worm "installer: the launcher for 64-bit modules" "$wine64" "$unix_dir/x64/derize-zizir.exe"
cmp -s "$unix_dir/Orvanel.Dic" "$source_dir/dictionaries/en/Orvanel.Dic" ||
    fail "installer: /ENGLISH did not install the English dictionary as Orvanel.Dic"
# The installed check tool reads that dictionary beside it: every text
# translated.
status=0
texts=$(limited wine "$unix_dir/derize-zizir-check.exe" --texts 2>&1 | tr -d '\r') || status=$?
if [ $status -eq 0 ] && grep -q '^\([0-9][0-9]*\) of \1 texts translated$' <<<"$texts"; then
    note "installer: derize-zizir-check.exe --texts finds every text translated by the English dictionary"
else
    fail "installer: derize-zizir-check.exe --texts: status $status, reported [$texts]"
fi
for file in sdk/include/derize-zizir/trn_module.h sdk/lib/cmake/TrnModule/TrnModuleConfig.cmake \
    sdk/lib/cmake/TrnModule/TrnModuleTargets.cmake sdk/lib/cmake/TrnModule/toolchains/mingw-common.cmake \
    sdk/lib/cmake/TrnModule/toolchains/mingw-i686.cmake sdk/example/CMakeLists.txt sdk/example/trn_cylext.c \
    sdk/example/trn_worm.c sdk/example/trn_chain.c sdk/example/trn_worm.def; do
    [ -f "$unix_dir/$file" ] || fail "installer: /SDK did not install $file"
done
# The installed SDK is a CMake package: the example builds against it with
# the toolchain file beside it.
cmake -S "$unix_dir/sdk/example" -B "$work/installed-sdk" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$unix_dir/sdk/lib/cmake/TrnModule/toolchains/mingw-x86_64.cmake" \
    -DTrnModule_DIR="$unix_dir/sdk/lib/cmake/TrnModule" >/dev/null &&
    cmake --build "$work/installed-sdk" >/dev/null && [ -f "$work/installed-sdk/trn_worm.dll" ] &&
    [ -f "$work/installed-sdk/trn_cylext.dll" ] && [ -f "$work/installed-sdk/trn_chain.dll" ] ||
    fail "installer: the SDK example does not build against the installed SDK"
wine "$unix_dir/uninstall.exe" /S
settle
left=$(cd "$unix_dir" && ls -A | tr '\n' ' ')
[ "$left" = "${users_modules}x64 " ] || fail "uninstaller: after all components the program folder holds [$left]"
left=$(cd "$unix_dir/x64" && ls -A | tr '\n' ' ')
[ "$left" = "trn_worm.dll " ] || fail "uninstaller: the x64 folder holds [$left], not just the user's 64-bit module"
[ ! -e "$shortcut64" ] || fail "uninstaller: the shortcut to the launcher for 64-bit modules is left"
rm -r "$unix_dir/x64"
echo '"Выполнить"="Go"' >"$unix_dir/Orvanel.Dic"
wine "$installer" /S /ENGLISH
settle
wine "$unix_dir/uninstall.exe" /S
settle
[ "$(cat "$unix_dir/Orvanel.Dic" 2>/dev/null)" = '"Выполнить"="Go"' ] ||
    fail "installer: the user's own Orvanel.Dic was replaced or removed"

[ $failed -eq 0 ] || exit 1
exit 0
