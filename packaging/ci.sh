#!/usr/bin/env bash
# CI: builds the Debian package from a Release build of its own, with
# Debian's compiler and linker flags (hardening included), looks at its
# control data, has lintian check it and appstreamcli its AppStream
# metadata (both must report neither an error nor a warning), unpacks it
# and checks the unpacked tree with check-installed.sh (desktop file, MIME
# types, icons, a module built from the installed SDK, the launcher run
# through bin/derize-zizir, and derize-zizir-check) and check-windows.sh
# (the SDK building a Windows module; the Windows installer, built from a
# Release build of the Windows launcher, installed, used and uninstalled
# under Wine; derize-zizir-wine).
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/package

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
flags() { dpkg-buildflags --get "$1"; }
# The "package" presets (CMakePresets.json), with Debian's flags added.
cmake --preset package \
    -DCMAKE_C_FLAGS="$(flags CPPFLAGS) $(flags CFLAGS)" \
    -DCMAKE_CXX_FLAGS="$(flags CPPFLAGS) $(flags CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)"
cmake --build --preset package
rm -f "$build"/*.deb
cpack --preset package

debs=("$build"/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "ci: expected one .deb in $build" >&2; exit 1; }
deb=${debs[0]}
echo "ci: package $deb ($(stat -c %s "$deb") bytes)"
dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"

field() { dpkg-deb --field "$deb" "$1"; }
depends=$(field Depends)
for needed in qt6-qpa-plugins libqt6widgets6 libqt6gui6 libqt6core6; do
    grep -qw "$needed" <<<"$depends" || { echo "ci: Depends lacks $needed: $depends" >&2; exit 1; }
done
[ "$(field Section)" = science ] || { echo "ci: Section is not science" >&2; exit 1; }
[ -n "$(field Maintainer)" ] || { echo "ci: no Maintainer" >&2; exit 1; }

# validate NAME COMMAND...: runs a validator; its informational tags are
# shown, but only its failure, errors and warnings fail.
validate() {
    local name=$1 report
    shift
    report=$("$@" 2>&1) || { echo "$report"; echo "ci: $name failed" >&2; exit 1; }
    echo "ci: $name:"
    echo "$report"
    if grep -q '^[EW]: ' <<<"$report"; then
        echo "ci: $name reports errors or warnings" >&2
        exit 1
    fi
}

# lintian as a Debian developer runs it, as root in CI.
validate lintian lintian --allow-root --display-info "$deb"

root=$(mktemp -d "${TMPDIR:-/tmp}/derize-deb-XXXXXX")
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
[ -x "$root/usr/lib/derize-zizir/derize-zizir" ] ||
    { echo "ci: the package holds no launcher" >&2; exit 1; }
metainfo=$root/usr/share/metainfo/org.derize.Zizir.metainfo.xml
validate "appstreamcli validate" appstreamcli validate --no-net --explain "$metainfo"

DERIZE_CHECK_STRICT=1 packaging/check-installed.sh "$root"
DERIZE_CHECK_STRICT=1 packaging/check-windows.sh "$root"
echo "ci: package checks passed"
