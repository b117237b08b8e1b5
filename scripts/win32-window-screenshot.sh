#!/usr/bin/env bash
# A picture of the Windows program's window, title bar included, at a given
# display DPI: derize-zizir.exe from a wine build folder, started in a fresh
# Wine prefix whose LogPixels is that DPI, under its own Xvfb with openbox;
# the window's frame is cut out of the screen and the PNG made small.
#
#   scripts/win32-window-screenshot.sh <wine build dir> <dpi> <out.png>
#   scripts/win32-window-screenshot.sh build/wine-release 144 docs/window-win32-ru-144dpi.png
#
# Needs xvfb, openbox, xdotool, x11-utils, imagemagick and optipng; the
# window's font comes from Debian's fonts-wine. WINE names the loader
# (/usr/lib/wine/wine64 for a wine64 build folder).
set -euo pipefail
build=${1:?usage: win32-window-screenshot.sh <wine build dir> <dpi> <out.png>}
dpi=${2:?usage: win32-window-screenshot.sh <wine build dir> <dpi> <out.png>}
out=${3:?usage: win32-window-screenshot.sh <wine build dir> <dpi> <out.png>}

if [ -z "${DERIZE_SCREENSHOT_X:-}" ]; then
    # The window's frame is laid out at 424,227 × dpi/96: the screen holds it.
    side=$(((1400 * dpi + 95) / 96))
    DERIZE_SCREENSHOT_X=1 exec xvfb-run -a -s "-screen 0 ${side}x${side}x24 -dpi $dpi" "$0" "$@"
fi

wine=${WINE:-wine}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/derize-screenshot-XXXXXX")
export WINEPREFIX
openbox >/dev/null 2>&1 &
openbox_pid=$!
program_pid=
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
    wineserver -k 2>/dev/null
    kill "$openbox_pid" 2>/dev/null
    rm -rf "$WINEPREFIX"
}
trap cleanup EXIT

# Wine takes the DPI from LogPixels when the wineserver starts.
"$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
wineserver -k
wineserver -w

# The Russian copyright notice goes with a Russian locale.
LC_ALL=ru_RU.UTF-8 "$wine" "$build/bin/derize-zizir.exe" >/dev/null 2>&1 &
program_pid=$!
window=
for _ in $(seq 300); do
    window=$(xdotool search --onlyvisible --name 'DIVIZ$' 2>/dev/null | head -n1) && [ -n "$window" ] && break
    sleep 0.2
done
[ -n "$window" ] || { echo "no window named …DIVIZ within a minute" >&2; exit 1; }
sleep 3 # the pictures and the focus drawn

# The client area's place and size, and the frame openbox adds around it.
info=$(xwininfo -id "$window")
field() { awk -v name="$1:" '$0 ~ name { print $NF }' <<<"$info"; }
X=$(field 'Absolute upper-left X') Y=$(field 'Absolute upper-left Y')
WIDTH=$(field Width) HEIGHT=$(field Height)
read -r left right top bottom < <(xprop -id "$window" _NET_FRAME_EXTENTS | tr -d ',' | awk '{ print $3, $4, $5, $6 }')
geometry="$((WIDTH + left + right))x$((HEIGHT + top + bottom))+$((X - left))+$((Y - top))"
# 256 colours without dithering: the text, bevels and pictures stay sharp.
import -window root -crop "$geometry" +repage -strip -dither None -colors 256 "PNG8:$out"
optipng -quiet -o5 "$out"
echo "$out: $geometry"
