#!/usr/bin/env bash
# Checks an installed tree: the desktop file, the MIME types, the icons,
# the module guide's first task (the installed module example built
# against the installed SDK in an empty folder and run by the launcher
# through its bin/ link in automatic mode), derize-zizir-check, and the
# translators' worked example of docs/translating.md run with it.
#
#   packaging/check-installed.sh ROOT                  ROOT holds usr/ (dpkg -x, DESTDIR)
#   packaging/check-installed.sh --install BUILD ROOT  first install BUILD into ROOT/usr
#
# Exit status 0 when all is well, 1 when a check fails, 77 when a check
# was skipped: the tree holds no launcher yet, or desktop-file-validate or
# update-mime-database is not installed (scripts/install-deps.sh packaging).
# DERIZE_CHECK_STRICT=1 turns every skip into a failure.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
app_id=org.derize.Zizir
kind_table=$source_dir/launcher/core/include/launcher/CalculationKinds.def

if [ "${1:-}" = --install ]; then
    build=$2 root=$3
    rm -rf "$root"
    DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
else
    root=$1
fi
root=$(cd "$root" && pwd)
usr=$root/usr
programs=$usr/lib/derize-zizir

work=$(mktemp -d "${TMPDIR:-/tmp}/derize-check-installed-XXXXXX")
trap 'rm -rf "$work"' EXIT
failed=0
skipped=0
fail() { echo "check-installed: FAIL: $*" >&2; failed=1; }
note() { echo "check-installed: $*"; }
skip() {
    if [ "${DERIZE_CHECK_STRICT:-0}" = 1 ]; then
        fail "$*"
    else
        note "SKIP: $*"
        skipped=1
    fi
}
have() { command -v "$1" >/dev/null; }

# Desktop file.
desktop=$usr/share/applications/$app_id.desktop
if ! have desktop-file-validate; then
    skip "desktop-file-validate is not installed"
elif desktop-file-validate "$desktop"; then
    note "desktop file valid"
else
    fail "desktop-file-validate $desktop"
fi

# MIME types: a database built from the installed XML alone has one type
# of ours for each extension of the kind table, its only glob, matched in
# any letter case (not marked case-sensitive), with an English and a
# Russian comment; the desktop file declares exactly those types.
if ! have update-mime-database; then
    skip "update-mime-database is not installed"
else
    mkdir -p "$work/data/mime/packages"
    cp "$usr/share/mime/packages/$app_id.xml" "$work/data/mime/packages/"
    XDG_DATA_DIRS="$work/data" update-mime-database "$work/data/mime"
    kinds=$(sed -n 's/^DERIZE_KIND([^,]*, *\([a-z0-9_]*\),.*/\1/p' "$kind_table" | sort)
    ours=$(grep ':application/x-derize-' "$work/data/mime/globs2" 2>/dev/null | sort -t: -k3 || true)
    declared=$(sed -n 's/^MimeType=//p' "$desktop" | tr ';' '\n' | sed '/^$/d' | sort)
    if [ -z "$kinds" ] || [ "$(sed 's/^[0-9]*:[^:]*:\*\.//' <<<"$ours")" != "$kinds" ]; then
        fail "the MIME types' globs are [$ours], not one case-insensitive *.EXT for each of [$kinds]"
    elif [ "$(cut -d: -f2 <<<"$ours" | sort -u)" != "$declared" ] ||
        [ "$(wc -l <<<"$declared")" -ne "$(wc -l <<<"$kinds")" ]; then
        fail "the desktop file declares [$declared], not one type of each kind: [$ours]"
    else
        for type in $declared; do
            grep -q '<comment>' "$work/data/mime/$type.xml" &&
                grep -q '<comment xml:lang="ru">' "$work/data/mime/$type.xml" ||
                { fail "$type lacks an English or a Russian comment"; kinds=; }
        done
        [ -z "$kinds" ] || note "MIME types map all $(wc -l <<<"$kinds") extensions in any letter case"
    fi
fi

# Icons: one for each size the desktop file's Icon= may be drawn at.
grep -qx "Icon=$app_id" "$desktop" || fail "the desktop file's Icon is not $app_id"
for size in 16 32 48 256; do
    icon=$usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png
    if [ ! -s "$icon" ]; then
        fail "icon ${size}x${size} missing"
    elif have file && ! file -b "$icon" | grep -q "PNG image data, $size x $size,"; then
        fail "$icon is not a ${size}x${size} PNG: $(file -b "$icon")"
    fi
done
grep -q '<svg' "$usr/share/icons/hicolor/scalable/apps/$app_id.svg" 2>/dev/null ||
    fail "scalable icon missing"

# The first block of the given kind after a heading of a guide in docs/.
guide_block() { # GUIDE HEADING KIND
    awk -v heading="$2" -v fence="\`\`\`$3" '$0 == heading { on = 1 }
        on && !block && $0 == fence { block = 1; next } block && /^```$/ { exit } block' \
        "$source_dir/docs/$1"
}

# The launcher and its link.
if [ ! -x "$programs/derize-zizir" ]; then
    skip "no launcher in $programs"
    [ $failed -eq 0 ] && exit 77
    exit 1
fi
# Nothing but the two programs is installed into the program folder: the
# modules there are the user's own.
contents=$(cd "$programs" && ls -A | tr '\n' ' ')
[ "$contents" = "derize-zizir derize-zizir-check " ] ||
    fail "the program folder holds [$contents], not just the two programs"
[ "$(readlink "$usr/bin/derize-zizir")" = ../lib/derize-zizir/derize-zizir ] ||
    fail "bin/derize-zizir is not the relative link ../lib/derize-zizir/derize-zizir"

# The module guide's first task, as a module author does it: its commands
# run in an empty folder of their own, with the installed tree in place of
# /usr (no sudo), the installed programs first on PATH and CMake finding
# the installed SDK, build the installed example and have the launcher run
# a module of each call form; they must end with status 0 and print last
# the lines the guide shows, with that folder in place of its own.
author_heading="## A module for Linux in five commands"
commands=$(guide_block modules.md "$author_heading" sh)
shown=$(guide_block modules.md "$author_heading" text)
commands=${commands//sudo /}
commands=${commands// \/usr\// $usr/}
mkdir -p "$work/module author"
status=0
printed=$(cd "$work/module author" && PATH="$usr/bin:$PATH" CMAKE_PREFIX_PATH="$usr" CMAKE_EXPORT_COMPILE_COMMANDS=ON \
    QT_QPA_PLATFORM=offscreen bash -euo pipefail -c "$commands" 2>"$work/author.log") || status=$?
folder="$work/module author/my-modules"
if [ -z "$commands" ] || [ -z "$shown" ]; then
    fail "docs/modules.md has no module example (a sh and a text block after \"$author_heading\")"
elif [ "$status" -ne 0 ]; then
    fail "docs/modules.md's commands ended with status $status: $(tail -5 "$work/author.log")"
elif [ "$(tail -n "$(wc -l <<<"$shown")" <<<"$printed")" != "${shown//\/home\/me\/my-modules/$folder}" ]; then
    fail "docs/modules.md's commands printed other lines than the guide shows:"
    echo "$printed" >&2
elif ! grep -q -- "-isystem $usr/include/derize-zizir " "$folder/build/compile_commands.json"; then
    fail "the module example was not compiled against the installed header in $usr/include/derize-zizir"
else
    note "docs/modules.md's commands built the installed example and the launcher ran its three modules"
fi
for example in CMakeLists.txt trn_cylext.c trn_worm.c trn_chain.c trn_worm.def; do
    cmp -s "$folder/$example" "$source_dir/sdk/example/$example" ||
        fail "the installed module example's $example is not sdk/example/$example"
done
for module in trn_cylext:TrnRun_CylExt trn_worm:TrnRun_Worm trn_chain:TrnRun_Chain; do
    exports=$(nm -D --defined-only "$programs/${module%%:*}.so" 2>/dev/null | awk '$2 == "T" { print $3 }')
    [ "$exports" = "${module#*:}" ] || fail "${module%%:*}.so exports [$exports], not just ${module#*:}"
done

# derize-zizir-check, through its link: the example's three modules are
# ready, the other kinds' are missing, so it ends with status 1.
status=0
report=$("$usr/bin/derize-zizir-check") || status=$?
if [ "$status" -ne 1 ] ||
    ! grep -q "^  5 trn_worm.so (worm_cyl_dat): ready" <<<"$report" ||
    ! grep -q "^3 of $(grep -c '^DERIZE_KIND(' "$kind_table") modules ready" <<<"$report" ||
    ! grep -q "^Program folder: $programs/\$" <<<"$report"; then
    fail "derize-zizir-check (status $status) reported:"
    echo "$report" >&2
else
    note "derize-zizir-check finds the modules beside the launcher"
fi
rm -f "$programs"/trn_*.so

# The translators' worked example, as docs/translating.md gives it: its
# commands run with the installed programs first on PATH, in a folder of
# their own; they must end with status 0 and print the lines the guide
# shows, in that order, where a line "..." stands for any number of lines.
example_heading="## A worked example: a German dictionary"
example=$(guide_block translating.md "$example_heading" sh)
shown=$(guide_block translating.md "$example_heading" text)
mkdir -p "$work/translation"
status=0
printed=$(cd "$work/translation" && PATH="$usr/bin:$PATH" bash -euo pipefail -c "$example" 2>&1) ||
    status=$?
if [ -z "$example" ] || [ -z "$shown" ]; then
    fail "docs/translating.md has no worked example (a sh and a text block after \"$example_heading\")"
elif [ "$status" -ne 0 ]; then
    fail "the worked example of docs/translating.md ended with status $status:"
    echo "$printed" >&2
elif ! awk 'NR == FNR { out[++n] = $0; next }
        /^ *\.\.\.$/ { loose = 1; next }
        { while (++at <= n && out[at] != $0) { if (!loose) { failed = 1; exit } }
          if (at > n) { failed = 1; exit }
          loose = 0 }
        END { if (failed || (!loose && at < n)) { exit 1 } }' \
        <(printf '%s\n' "$printed") <(printf '%s\n' "$shown"); then
    fail "the worked example of docs/translating.md printed other lines than the guide shows:"
    echo "$printed" >&2
else
    note "the worked example of docs/translating.md prints what the guide shows"
fi

[ $failed -eq 0 ] || exit 1
[ $skipped -eq 0 ] || exit 77
exit 0
