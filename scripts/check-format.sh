#!/usr/bin/env bash
# Fails when a C or C++ file of the project is not formatted by .clang-format,
# or has a control statement whose body has no braces (one brace style
# throughout: scripts/check-braces.py).
set -euo pipefail
cd "$(dirname "$0")/.."
files=$(git ls-files '*.c' '*.cpp' '*.h')
[ -n "$files" ] || exit 0
# shellcheck disable=SC2086
clang-format --dry-run --Werror $files
python3 scripts/check-braces.py
