#!/usr/bin/env bash
# Time from `wine <program>` to its window on screen, for derize-zizir.exe
# and the minimal Win32 window program, side by side: each is started ten
# times, alternating, with the wineserver kept warm; the window is looked
# for with xdotool every 20 ms. Prints each median in milliseconds.
#
#   DISPLAY=:n bench/win32/startup-time.sh <wine build dir>
#
# Needs an X server with a window manager on DISPLAY (Xvfb and openbox do)
# and a Wine prefix with a display driver (not the tests' null driver).
set -euo pipefail
# shellcheck source=scripts/i386-probe.sh
source "$(dirname "$0")/../../scripts/i386-probe.sh"
i386_probe || { echo "startup-time: cannot measure: $i386_reason" >&2; exit 1; }
build=${1:?usage: startup-time.sh <wine build dir>}
runs=${RUNS:-10}
: "${DISPLAY:?an X server is needed}"
export WINEDEBUG=-all

launcher="$build/bin/derize-zizir.exe"
minimal="$build/bench/win32/minimal_window.exe"
wineserver -p60 </dev/null >/dev/null 2>&1 || true # kept warm between the runs (or already)
wine cmd /c exit </dev/null >/dev/null 2>&1 || true

# Milliseconds from the start of `wine $1` until a visible window named $2.
time_to_window() {
    local start now pid
    start=$(date +%s%N)
    wine "$1" >/dev/null 2>&1 &
    pid=$!
    until xdotool search --onlyvisible --name "$2" >/dev/null 2>&1; do
        sleep 0.02
        now=$(date +%s%N)
        if (((now - start) > 60000000000)); then
            echo "no window named $2 within a minute" >&2
            kill "$pid" 2>/dev/null || true
            return 1
        fi
    done
    now=$(date +%s%N)
    echo $(((now - start) / 1000000))
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# A window left over from another run would be found at once.
if xdotool search --onlyvisible --name 'DIVIZ$|Minimal Win32 window' >/dev/null 2>&1; then
    echo "a launcher or minimal window is already on screen; close it first" >&2
    exit 1
fi

launcher_times=()
minimal_times=()
for ((i = 0; i < runs; i++)); do
    launcher_times+=("$(time_to_window "$launcher" 'DIVIZ$')")
    minimal_times+=("$(time_to_window "$minimal" 'Minimal Win32 window')")
done
echo "derize-zizir.exe: ${launcher_times[*]} ms; median $(printf '%s\n' "${launcher_times[@]}" | median) ms"
echo "minimal_window.exe: ${minimal_times[*]} ms; median $(printf '%s\n' "${minimal_times[@]}" | median) ms"
