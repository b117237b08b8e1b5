#!/usr/bin/env bash
# Time from starting derize-zizir.exe under Wine to its window on screen,
# against the minimal Win32 window program of the same build (and so of the
# same bitness), side by side: each is started RUNS times (15 by default),
# alternating, in the same Wine prefix, with the wineserver kept warm and
# one uncounted run of each first (it also starts Wine's desktop process,
# explorer.exe, which stays while the programs follow one another, as a
# desktop is there on Windows); the window is looked for with xdotool
# again and again, POLL seconds apart (0.001 by default: each look is a
# program started, a few milliseconds, and a longer pause would round
# every time up to the loop's period). Prints each program's times and
# median, and the ratio of the medians.
#
# On a machine shared with other work, real-time scheduling keeps the
# others' load out of the figures: run the script, and the X server, the
# window manager and the wineserver it talks to, under `chrt -r 20`.
#
#   DISPLAY=:n bench/win32/startup-time.sh <wine build dir>
#   DISPLAY=:n bench/win32/startup-time.sh --breakdown <trace build dir>
#
# The loader goes by the bitness of the build's derize-zizir.exe:
# /usr/lib/wine/wine64 for a 64-bit one (presets wine64, wine64-release),
# Wine's 32-bit loader for a 32-bit one (wine, wine-release), where the
# machine runs 32-bit programs (scripts/i386-probe.sh). WINE names another.
#
# --breakdown starts both programs, alternating, RUNS times each (5 by
# default), with WINEDEBUG=+timestamp,+loaddll,+module, from a build
# configured with the bench-only switch -DDERIZE_STARTUP_TRACE=ON (the
# marks of launcher/win32/StartupTrace.h, written by startup_mark.c in
# both programs) and prints, for each step of the launcher's start-up and the
# minimal program's same step (each DLL loaded, each DLL's initialisation
# returned, each mark, the window found on screen), the median
# milliseconds since the start and since the step before.
#
# Needs an X server with a window manager on DISPLAY (Xvfb and openbox do)
# and a Wine prefix with a display driver (not the tests' null driver).
set -euo pipefail
breakdown=false
if [ "${1:-}" = --breakdown ]; then
    breakdown=true
    shift
fi
build=${1:?usage: startup-time.sh [--breakdown] <wine build dir>}
poll=${POLL:-0.001}
: "${DISPLAY:?an X server is needed}"

launcher="$build/bin/derize-zizir.exe"
minimal="$build/bench/win32/minimal_window.exe"
for program in "$launcher" "$minimal"; do
    [ -f "$program" ] || { echo "startup-time: no $program (build the targets derize-zizir and minimal_window)" >&2; exit 1; }
done

# A PE file's machine: the two bytes after the "PE\0\0" that the 4-byte
# offset at 0x3c points to.
machine() {
    local header
    header=$(od -An -t u4 -j 60 -N 4 "$1" | tr -d ' ')
    od -An -t x2 -j $((header + 4)) -N 2 "$1" | tr -d ' '
}
case "$(machine "$launcher")" in
8664) bits=64 default_wine=/usr/lib/wine/wine64 ;;
014c) bits=32 default_wine=/usr/lib/wine/wine ;;
*) echo "startup-time: $launcher is no x86 or x86-64 program" >&2; exit 1 ;;
esac
[ "$(machine "$minimal")" = "$(machine "$launcher")" ] || { echo "startup-time: $minimal is not of the launcher's bitness" >&2; exit 1; }
if [ "$bits" = 32 ]; then
    # shellcheck source=scripts/i386-probe.sh
    source "$(dirname "$0")/../../scripts/i386-probe.sh"
    i386_probe || { echo "startup-time: cannot measure the 32-bit build: $i386_reason" >&2; exit 1; }
fi
wine=${WINE:-$default_wine}
[ -x "$wine" ] || wine=$(command -v wine)
export WINEDEBUG=-all

wineserver -p60 </dev/null >/dev/null 2>&1 || true # kept warm between the runs (or already)
"$wine" cmd /c exit </dev/null >/dev/null 2>&1 || true

now_us() { local t; t=$(date +%s%N); echo $((t / 1000)); }

# Starts `$wine $1` (standard error to $3) and waits for a visible window
# named $2; sets started and found (microseconds since 1970), and pid.
start_and_wait() {
    local now
    started=$(now_us)
    "$wine" "$1" >/dev/null 2>"$3" &
    pid=$!
    until xdotool search --onlyvisible --name "$2" >/dev/null 2>&1; do
        sleep "$poll"
        now=$(now_us)
        if (((now - started) > 60000000)); then
            echo "startup-time: no window named $2 within a minute" >&2
            kill "$pid" 2>/dev/null || true
            return 1
        fi
    done
    found=$(now_us)
}

stop() {
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    # The window gone before the next start, which would find it at once.
    while xdotool search --onlyvisible --name 'DIVIZ$|Minimal Win32 window' >/dev/null 2>&1; do
        sleep 0.01
    done
}

# Milliseconds from the start of `$wine $1` until a visible window named $2.
time_to_window() {
    start_and_wait "$1" "$2" /dev/null
    echo $(((found - started) / 1000))
    stop
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# A window left over from another run would be found at once.
if xdotool search --onlyvisible --name 'DIVIZ$|Minimal Win32 window' >/dev/null 2>&1; then
    echo "startup-time: a launcher or minimal window is already on screen; close it first" >&2
    exit 1
fi

time_to_window "$launcher" 'DIVIZ$' >/dev/null
time_to_window "$minimal" 'Minimal Win32 window' >/dev/null

if ! $breakdown; then
    runs=${RUNS:-15}
    launcher_times=()
    minimal_times=()
    for ((i = 0; i < runs; i++)); do
        launcher_times+=("$(time_to_window "$launcher" 'DIVIZ$')")
        minimal_times+=("$(time_to_window "$minimal" 'Minimal Win32 window')")
    done
    launcher_median=$(printf '%s\n' "${launcher_times[@]}" | median)
    minimal_median=$(printf '%s\n' "${minimal_times[@]}" | median)
    echo "$bits-bit, $runs runs each, alternating, under $wine"
    echo "derize-zizir.exe: ${launcher_times[*]} ms; median $launcher_median ms"
    echo "minimal_window.exe: ${minimal_times[*]} ms; median $minimal_median ms"
    awk -v a="$launcher_median" -v b="$minimal_median" \
        'BEGIN { printf "ratio (derize-zizir / minimal, medians): %.2f\n", a / b }'
    exit 0
fi

# --breakdown
for program in "$launcher" "$minimal"; do
    grep -q 'derize-startup' "$program" || { echo "startup-time: $program writes no marks (configure with -DDERIZE_STARTUP_TRACE=ON)" >&2; exit 1; }
done
runs=${RUNS:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export WINEDEBUG=+timestamp,+loaddll,+module
# One line a step of the program's main thread: milliseconds since the
# start, the step. Wine's timestamps (seconds of its monotonic clock, which
# the performance counter also reads) are put on the system clock through
# the marks, which give both.
steps() {
    awk -v started="$started" -v found="$found" '
        function ms(unix_s) { return sprintf("%.1f", (unix_s - started / 1e6) * 1000) }
        function at(line) { split(line, f, ":"); return f[1] }
        $1 == "derize-startup" {
            if (offset == "") offset = $2 / 1e6 - $3
            what = $4; for (i = 5; i <= NF; i++) what = what " " $i
            print ms($2 / 1e6) "\t" what
            next
        }
        !/^[0-9]+\.[0-9]+:[0-9a-f]+:trace:/ { next }
        { split($0, f, ":"); if (main == "") main = f[2]; if (f[2] != main) next }
        /:trace:loaddll:/ && /Loaded/ {
            name = $0; sub(/.*\\\\/, "", name); sub(/".*/, "", name)
            if (name ~ /\.exe$/) name = "the program"
            stamp[++n] = at($0); step[n] = "loaded " tolower(name)
        }
        /MODULE_InitDLL/ && /PROCESS_ATTACH/ && /- CALL/ {
            name = $0; sub(/.*\\\\/, "", name); sub(/.*L"/, "", name); sub(/".*/, "", name)
            address = $0; sub(/.*InitDLL \(/, "", address); sub(/ .*/, "", address)
            module[address] = tolower(name)
        }
        /MODULE_InitDLL/ && /PROCESS_ATTACH/ && /- RETURN/ {
            address = $0; sub(/.*InitDLL \(/, "", address); sub(/,.*/, "", address)
            stamp[++n] = at($0); step[n] = module[address] " initialised"
        }
        END {
            for (i = 1; i <= n; i++) print ms(stamp[i] + offset) "\t" step[i]
            print ms(found / 1e6) "\twindow found on screen"
        }' "$1"
}
for ((i = 0; i < runs; i++)); do
    # Each program is left a moment after its window shows, to finish its
    # first paint and write its last mark.
    start_and_wait "$launcher" 'DIVIZ$' "$work/trace"
    sleep 0.5
    stop
    steps "$work/trace" >"$work/launcher$i"
    start_and_wait "$minimal" 'Minimal Win32 window' "$work/trace"
    sleep 0.5
    stop
    steps "$work/trace" >"$work/minimal$i"
done
# Each step's median over the runs that had it, in milliseconds since the
# start: "median <tab> step <tab> runs".
medians() {
    cat "$@" | awk -F '\t' '{ t[$2] = t[$2] " " $1; count[$2]++ } END { for (s in t) print s "\t" count[s] "\t" t[s] }' |
        while IFS=$'\t' read -r step count times; do
            # shellcheck disable=SC2086 # the times are split on purpose
            printf '%s\t%s\t%s\n' "$(printf '%s\n' $times | median)" "$step" "$count"
        done
}
medians "$work"/launcher* >"$work/launcher"
medians "$work"/minimal* >"$work/minimal"
echo "$bits-bit, $runs runs of each, alternating, under $wine with WINEDEBUG=$WINEDEBUG"
echo "median ms since the start (since the step before), the launcher's steps in order:"
echo "    derize-zizir.exe     minimal_window.exe"
awk -F '\t' -v runs="$runs" '
    FNR == NR { minimal[$2] = $1; next }
    { print $1 "\t" $2 "\t" $3 "\t" (($2 in minimal) ? minimal[$2] : "") }' "$work/minimal" "$work/launcher" |
    sort -n -k1,1 | awk -F '\t' -v runs="$runs" '
    {
        note = ($3 < runs) ? sprintf(" (in %d of %d runs)", $3, runs) : ""
        other = ($4 == "") ? sprintf("%19s", "") : sprintf("%8.1f (%+7.1f)", $4, $4 - previous_minimal)
        if ($4 != "") previous_minimal = $4
        printf "%8.1f (%+7.1f)  %s  %s%s\n", $1, $1 - previous, other, $2, note
        previous = $1
    }'
