#!/usr/bin/env bash
# Checks the resources of Windows binaries with wrestool (Debian's icoutils):
#
#   packaging/windows/check-resources.sh [--tables=LANG,...] FILE...
#
# Every FILE lists a version resource (type 16) whose string tables all
# name the product DERIZE-Zizir and give the project's version
# (scripts/project-version.sh) as file and product version; --tables names
# the string tables (language and code page, 041904B0 for Russian) that must
# be there. Every .exe lists an application manifest (type 24) as well.
# Exit status 0 when all is well, 1 when a check fails.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
version=$("$source_dir/scripts/project-version.sh")
command -v wrestool >/dev/null || { echo "check-resources: wrestool is missing (scripts/install-deps.sh wine)" >&2; exit 1; }

tables=()
if [[ ${1:-} == --tables=* ]]; then
    IFS=, read -r -a tables <<<"${1#--tables=}"
    shift
fi
failed=0
file_failed=0
fail() { echo "check-resources: FAIL: $*" >&2; failed=1; file_failed=1; }

# The version resource's strings, one line each, as "TABLE KEY=VALUE"
# (TABLE as 041904B0, upper case; characters beyond ASCII as "?"), read by
# walking its blocks: each a length, a value length, a type, a key in
# UTF-16, then its value and its children, aligned to four bytes.
version_strings() {
    wrestool -x --raw --type=16 "$1" 2>/dev/null | od -An -v -tu1 | awk '
        { for (i = 1; i <= NF; ++i) b[n++] = $i }
        function word(at) { return b[at] + 256 * b[at + 1] }
        function align(at) { return at + (4 - at % 4) % 4 }
        function text(at,    s, c) {
            for (s = ""; at + 1 < n && (c = word(at)) != 0; at += 2)
                s = s (c >= 32 && c < 127 ? sprintf("%c", c) : "?")
            end_of_text = at + 2
            return s
        }
        # A block at `at`, `depth` below the root; `table` the string
        # table it lies in.
        function block(at, depth, table,    length_, value_length, key, next_, child) {
            length_ = word(at); value_length = word(at + 2)
            key = text(at + 6); next_ = align(end_of_text)
            if (depth == 3) { print table " " key "=" text(next_); return }
            if (depth == 0) next_ = align(next_ + value_length)
            if (depth == 1 && key != "StringFileInfo") return
            if (depth == 2) table = toupper(key)
            for (child = next_; child < at + length_ && word(child) > 0; child = align(child + word(child)))
                block(child, depth + 1, table)
        }
        END { if (n >= 6) block(0, 0, "") }'
}

for file in "$@"; do
    name=$(basename "$file")
    file_failed=0
    [ -f "$file" ] || { fail "$file does not exist"; continue; }
    listing=$(wrestool -l "$file" 2>/dev/null || true)
    grep -q -- '--type=16 ' <<<"$listing" || { fail "$name lists no version resource (type 16)"; continue; }
    if [[ $name == *.exe ]] && ! grep -q -- '--type=24 ' <<<"$listing"; then
        fail "$name lists no application manifest (type 24)"
    fi
    strings=$(version_strings "$file")
    mapfile -t found < <(awk '{ print $1 }' <<<"$strings" | sort -u)
    [ ${#found[@]} -gt 0 ] || { fail "$name: its version resource holds no string table"; continue; }
    for table in "${tables[@]}"; do
        printf '%s\n' "${found[@]}" | grep -qx "${table^^}" || fail "$name has no string table $table (has ${found[*]})"
    done
    for table in "${found[@]}"; do
        for expected in "ProductName=DERIZE-Zizir" "FileVersion=$version" "ProductVersion=$version"; do
            grep -qxF "$table $expected" <<<"$strings" ||
                fail "$name, string table $table: no $expected in [$(grep "^$table " <<<"$strings" | tr '\n' ';')]"
        done
    done
    [ $file_failed -ne 0 ] || echo "check-resources: $name: version $version in the string tables ${found[*]}$([[ $name == *.exe ]] && echo ', a manifest')"
done
exit $failed
