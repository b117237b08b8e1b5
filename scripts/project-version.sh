#!/usr/bin/env bash
# Prints the project's version, as project() in the top CMakeLists.txt
# gives it (the one place of that fact).
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
version=$(sed -n 's/^ *VERSION \([0-9][0-9.]*\)$/\1/p' "$source_dir/CMakeLists.txt" | head -n 1)
[ -n "$version" ] || { echo "project-version: no VERSION in $source_dir/CMakeLists.txt" >&2; exit 1; }
echo "$version"
