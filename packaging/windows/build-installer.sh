#!/usr/bin/env bash
# Builds the Windows installer with NSIS (Debian's nsis):
#
#   packaging/windows/build-installer.sh PROGRAM_DIR SDK_PREFIX OUTFILE [PROGRAM64_DIR]
#
# PROGRAM_DIR holds the 32-bit derize-zizir.exe and derize-zizir-check.exe
# with the runtime DLLs they ship with; PROGRAM64_DIR, when given, the same
# programs built for 64-bit Windows, which the optional component "Launcher
# for 64-bit modules" installs into the program folder's x64 folder. The
# runtime DLLs are the lib*.dll beside the programs (the build copies them
# there, cmake/MingwRuntime.cmake names them; modules are trn_*.dll).
# SDK_PREFIX is an installed module SDK (cmake --install of any build, or
# the Debian package's /usr: the SDK holds no binaries). The file
# associations are made from the kind table, one per kind, named with the
# kind's English name as the Linux package's MIME types are.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
[ $# -eq 3 ] || [ $# -eq 4 ] ||
    { echo "usage: build-installer.sh PROGRAM_DIR SDK_PREFIX OUTFILE [PROGRAM64_DIR]" >&2; exit 2; }
program_dir=$(cd "$1" && pwd)
sdk_prefix=$(cd "$2" && pwd)
outfile=$(realpath -m "$3")
program64_dir=
[ $# -lt 4 ] || program64_dir=$(cd "$4" && pwd)

version=$("$source_dir/scripts/project-version.sh")

work=$(mktemp -d "${TMPDIR:-/tmp}/derize-installer-XXXXXX")
trap 'rm -rf "$work"' EXIT
# The installer ships the programs without their debugging symbols
# (Debian's MinGW runtime DLLs carry them: libstdc++-6.dll is 20 MB with
# them, under 2 MB without), each stripped by its own triplet's strip.
#
# stage TRIPLET FORMAT FROM NAME FOLDER: copies the programs of FROM and
# the runtime DLLs beside them to $work/NAME, once they are found to be
# FORMAT files and every lib*.dll they import is among them, and writes to
# $work/NAME.nsh the macros NAME_FILES (their File lines) and UN_NAME_FILES
# (their Delete lines in $INSTDIR's FOLDER: "" or "\x64").
stage() {
    local triplet=$1 format=$2 from=$3 name=$4 folder=$5 file imported
    local -a files=("$from/derize-zizir.exe" "$from/derize-zizir-check.exe")
    for file in "$from"/lib*.dll; do
        [ -f "$file" ] && files+=("$file")
    done
    [ ${#files[@]} -gt 2 ] || { echo "build-installer: no runtime DLLs (lib*.dll) in $from" >&2; exit 1; }
    mkdir "$work/$name"
    for file in "${files[@]}"; do
        [ -f "$file" ] || { echo "build-installer: $file is missing" >&2; exit 1; }
        "$triplet-objdump" -f "$file" | grep -q "file format $format\$" ||
            { echo "build-installer: $file is not a $format file" >&2; exit 1; }
        for imported in $("$triplet-objdump" -p "$file" | awk '/DLL Name: lib.*\.dll$/ { print $3 }'); do
            [ -f "$from/$imported" ] ||
                { echo "build-installer: $file imports $imported, which is not beside it" >&2; exit 1; }
        done
        "$triplet-strip" --strip-debug -o "$work/$name/$(basename "$file")" "$file"
    done
    {
        echo "!macro ${name^^}_FILES"
        for file in "${files[@]}"; do echo "    File \"$work/$name/$(basename "$file")\""; done
        echo "!macroend"
        echo "!macro UN_${name^^}_FILES"
        for file in "${files[@]}"; do echo "    Delete \"\$INSTDIR$folder\\$(basename "$file")\""; done
        echo "!macroend"
    } >"$work/$name.nsh"
}
stage i686-w64-mingw32 pei-i386 "$program_dir" program ""
defines=(-DPROGRAM_NSH="$work/program.nsh")
if [ -n "$program64_dir" ]; then
    stage x86_64-w64-mingw32 pei-x86-64 "$program64_dir" program64 '\x64'
    defines+=(-DPROGRAM64_NSH="$work/program64.nsh")
fi

# The file associations, made of the kind table.
cmake -DOUTPUT="$work/kinds.nsh" -P "$source_dir/packaging/windows/kinds.cmake"

# The version information: the maker's English notice on one line as the
# copyright, the installer's own file name.
notice=$(tr '\r\n' '  ' <"$source_dir/resources/notices/copyright-en.txt" | tr -s ' ' | sed 's/ *$//')
{
    printf '!define COPYRIGHT "%s"\n' "${notice//\"/\$\\\"}"
    printf '!define OUTFILE_NAME "%s"\n' "$(basename "$outfile")"
} >"$work/version.nsh"

makensis -V2 -INPUTCHARSET UTF8 \
    -DVERSION="$version" "${defines[@]}" -DSDK_PREFIX="$sdk_prefix" \
    -DSOURCE_DIR="$source_dir" -DVERSION_NSH="$work/version.nsh" \
    -DKINDS_NSH="$work/kinds.nsh" -DOUTFILE="$outfile" \
    "$source_dir/packaging/windows/derize-zizir.nsi"
echo "build-installer: $outfile ($(stat -c %s "$outfile") bytes)"
