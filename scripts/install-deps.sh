#!/usr/bin/env bash
# Installs the Debian 12 packages that the named groups need.
#   scripts/install-deps.sh build          build and run the launcher
#   scripts/install-deps.sh build test     ... and run the test suite
#   scripts/install-deps.sh all            everything CI does
# Each group is a list in scripts/deps/<group>.txt; a script
# scripts/deps/<group>.sh, when there is one, runs first (for example to
# add a foreign architecture). Packages already installed are skipped.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
groups=("$@")
[ ${#groups[@]} -gt 0 ] || groups=(build)
if [ "${groups[0]}" = all ]; then
    groups=()
    for f in "$here"/deps/*.txt; do groups+=("$(basename "$f" .txt)"); done
fi

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)

packages=()
for group in "${groups[@]}"; do
    list="$here/deps/$group.txt"
    [ -f "$list" ] || { echo "install-deps: no package group '$group'" >&2; exit 2; }
    if [ -x "$here/deps/$group.sh" ]; then
        "${sudo[@]}" "$here/deps/$group.sh"
    fi
    while read -r package _; do
        case "$package" in ''|'#'*) continue ;; esac
        packages+=("$package")
    done < "$list"
done

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
        || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
