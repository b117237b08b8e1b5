#!/usr/bin/env bash
# Builds the Windows installer with NSIS (Debian's nsis):
#
#   packaging/windows/build-installer.sh PROGRAM_DIR SDK_PREFIX OUTFILE
#
# PROGRAM_DIR holds derize-zizir.exe, derize-zizir-check.exe and the runtime
# DLLs they ship with (libgcc_s_dw2-1.dll, libstdc++-6.dll,
# libwinpthread-1.dll); SDK_PREFIX is
# an installed module SDK (cmake --install of any build, or the Debian
# package's /usr: the SDK holds no binaries). The file
# associations are made from the MIME types of the Linux package, one per
# kind, named with the kind's name.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
program_dir=$(cd "$1" && pwd)
sdk_prefix=$(cd "$2" && pwd)
outfile=$(realpath -m "$3")

version=$("$source_dir/scripts/project-version.sh")

work=$(mktemp -d "${TMPDIR:-/tmp}/derize-installer-XXXXXX")
trap 'rm -rf "$work"' EXIT
# The installer ships the programs without their debugging symbols
# (Debian's MinGW runtime DLLs carry them: libstdc++-6.dll is 20 MB with
# them, under 2 MB without).
mkdir "$work/program"
for file in derize-zizir.exe derize-zizir-check.exe libgcc_s_dw2-1.dll libstdc++-6.dll libwinpthread-1.dll; do
    i686-w64-mingw32-strip --strip-debug -o "$work/program/$file" "$program_dir/$file"
done

# <glob pattern="*.gear_exc_dat"/> and the English <comment>, "... data".
awk '/<mime-type / { name = ""; ext = "" }
    /<comment>/ { name = $0; sub(/.*<comment>/, "", name); sub(/ data<\/comment>.*/, "", name) }
    /<glob pattern="\*\./ { ext = $0; sub(/.*pattern="\*\./, "", ext); sub(/".*/, "", ext) }
    /<\/mime-type>/ { printf "!insertmacro ${KIND_MACRO} \"%s\" \"%s\"\n", ext, name }' \
    "$source_dir/packaging/share/org.derize.Zizir.xml" >"$work/kinds.nsh"
[ "$(wc -l <"$work/kinds.nsh")" -eq 8 ] ||
    { echo "build-installer: expected eight kinds, found:" >&2; cat "$work/kinds.nsh" >&2; exit 1; }

# The version information: the maker's English notice on one line as the
# copyright, the installer's own file name.
notice=$(tr '\r\n' '  ' <"$source_dir/resources/notices/copyright-en.txt" | tr -s ' ' | sed 's/ *$//')
{
    printf '!define COPYRIGHT "%s"\n' "${notice//\"/\$\\\"}"
    printf '!define OUTFILE_NAME "%s"\n' "$(basename "$outfile")"
} >"$work/version.nsh"

makensis -V2 -INPUTCHARSET UTF8 \
    -DVERSION="$version" -DPROGRAM_DIR="$work/program" -DSDK_PREFIX="$sdk_prefix" \
    -DSOURCE_DIR="$source_dir" -DVERSION_NSH="$work/version.nsh" \
    -DKINDS_NSH="$work/kinds.nsh" -DOUTFILE="$outfile" \
    "$source_dir/packaging/windows/derize-zizir.nsi"
echo "build-installer: $outfile ($(stat -c %s "$outfile") bytes)"
