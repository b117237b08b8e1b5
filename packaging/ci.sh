#!/usr/bin/env bash
# CI: builds the Debian package from a Release build of its own, looks at
# its control data, unpacks it and checks the unpacked tree with
# check-installed.sh (desktop file, MIME types, icons, a module built from
# the installed SDK, the launcher run through bin/derize-zizir, and
# derize-zizir-check).
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/package

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DDERIZE_BUILD_TESTS=OFF -DDERIZE_BUILD_EXAMPLES=OFF -DDERIZE_BUILD_BENCHMARKS=OFF
cmake --build "$build" -j2
rm -f "$build"/*.deb
(cd "$build" && cpack -G DEB)

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

root=$(mktemp -d "${TMPDIR:-/tmp}/derize-deb-XXXXXX")
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
[ -x "$root/usr/lib/derize-zizir/derize-zizir" ] ||
    { echo "ci: the package holds no launcher" >&2; exit 1; }
DERIZE_CHECK_STRICT=1 packaging/check-installed.sh "$root"
echo "ci: package checks passed"
