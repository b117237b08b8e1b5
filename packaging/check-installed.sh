#!/usr/bin/env bash
# Checks an installed tree: the desktop file, the MIME types, the icons,
# the module SDK (a module is built against it), the launcher run through
# its bin/ link in automatic mode, derize-zizir-check, and the translators'
# worked example of docs/translating.md run with it.
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

# MIME types: a database built from the installed XML alone.
if ! have update-mime-database; then
    skip "update-mime-database is not installed"
else
    mkdir -p "$work/data/mime/packages" "$work/home"
    cp "$usr/share/mime/packages/$app_id.xml" "$work/data/mime/packages/"
    export XDG_DATA_HOME="$work/home" XDG_DATA_DIRS="$work/data"
    update-mime-database "$work/data/mime"
    cmake -S "$source_dir/packaging/checks" -B "$work/checks" -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$work/checks" >/dev/null
    if "$work/checks/mime_check" "$desktop"; then
        note "MIME types map all eight extensions in any letter case"
    else
        fail "MIME types"
    fi
    unset XDG_DATA_HOME XDG_DATA_DIRS
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

# A module built against the installed SDK, with the module guide's
# CMakeLists (the one in packaging/sdk-example must be the same).
guide_cmake=$(guide_block modules.md "## Building a module against the installed SDK" cmake)
if [ "$guide_cmake" != "$(cat "$source_dir/packaging/sdk-example/CMakeLists.txt")" ]; then
    fail "docs/modules.md's module CMakeLists differs from packaging/sdk-example/CMakeLists.txt"
fi
cmake -S "$source_dir/packaging/sdk-example" -B "$work/module" \
    -DCMAKE_PREFIX_PATH="$usr" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
    -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF -DCMAKE_FIND_USE_SYSTEM_PACKAGE_REGISTRY=OFF >/dev/null
cmake --build "$work/module" >/dev/null
module=$work/module/trn_worm.so
if [ ! -f "$module" ]; then
    fail "the SDK build made no trn_worm.so"
elif ! grep -q -- "-isystem $usr/include/derize-zizir " "$work/module/compile_commands.json"; then
    fail "trn_worm was not compiled against the installed header in $usr/include/derize-zizir"
else
    exports=$(nm -D --defined-only "$module" | awk '$2 == "T" { print $3 }')
    [ "$exports" = TrnRun_Worm ] || fail "trn_worm.so exports [$exports], not just TrnRun_Worm"
    note "module built from the installed SDK: $module"
fi

# The launcher, run through its link in automatic mode on a worm data file.
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
cp "$module" "$programs/trn_worm.so"
mkdir -p "$work/data files"
record=$work/record.txt
status=0
(cd "$work/data files" &&
    TRN_RECORD_FILE="$record" QT_QPA_PLATFORM=offscreen "$usr/bin/derize-zizir" Box.WORM_CYL_DAT) ||
    status=$?
expected="call TrnRun_Worm name=$work/data files/Box.WORM_CYL_DAT slot1=set"
if [ "$status" -ne 0 ]; then
    fail "the launcher ended with status $status"
elif [ "$(cat "$record" 2>/dev/null)" != "$expected" ]; then
    fail "the module recorded [$(cat "$record" 2>/dev/null)], expected [$expected]"
else
    note "launcher ran the installed module: $expected"
fi

# derize-zizir-check, through its link: the worm module is ready, the
# other seven are missing, so it ends with status 1.
status=0
report=$("$usr/bin/derize-zizir-check") || status=$?
if [ "$status" -ne 1 ] ||
    ! grep -q "^  5 trn_worm.so (worm_cyl_dat): ready" <<<"$report" ||
    ! grep -q "^1 of 8 modules ready" <<<"$report" ||
    ! grep -q "^Program folder: $programs/\$" <<<"$report"; then
    fail "derize-zizir-check (status $status) reported:"
    echo "$report" >&2
else
    note "derize-zizir-check finds the module beside the launcher"
fi
rm -f "$programs/trn_worm.so"

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
