#!/usr/bin/env bash
# Start-up of derize-zizir in automatic mode against the least a Qt
# launcher must do (bench_minimal_launcher), both running the same module
# that does nothing. Prints hyperfine's comparison and the peak memory of
# each, and the launcher's ratio to the yardstick for both.
# Then the cost of the second start that a relative LD_LIBRARY_PATH entry
# causes.
#   bench/launcher/startup.sh            (build folder: build/bench)
#   BUILD_DIR=/some/folder RUNS=50 bench/launcher/startup.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build/bench}
runs=${RUNS:-40}

cd "$root"
cmake --preset bench -B "$build" >/dev/null
cmake --build "$build" -j2 --target derize-zizir bench_minimal_launcher bench_trivial_module >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/launcher" "$work/minimal" "$work/data" "$work/runtime"
chmod 700 "$work/runtime"
cp "$build/bin/derize-zizir" "$work/launcher/"
cp "$build/bench/launcher/bench_minimal_launcher" "$work/minimal/"
cp "$build/bench/launcher/modules/trn_cylext.so" "$work/launcher/"
cp "$build/bench/launcher/modules/trn_cylext.so" "$work/minimal/"

export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export XDG_RUNTIME_DIR=$work/runtime
cd "$work/data"
launcher=("$work/launcher/derize-zizir" x.gear_exc_dat)
minimal=("$work/minimal/bench_minimal_launcher" "$work/data/x.gear_exc_dat")
"${launcher[@]}" || { echo "derize-zizir failed with status $?" >&2; exit 1; }
"${minimal[@]}" || { echo "bench_minimal_launcher failed with status $?" >&2; exit 1; }

hyperfine -N --warmup 5 --runs "$runs" --export-csv "$work/times.csv" \
    -n minimal "${minimal[*]}" -n derize-zizir "${launcher[*]}"

# Peak resident memory (KiB), median of several runs each, taken in turn.
peak() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n 1; }
: >"$work/minimal.kib"
: >"$work/launcher.kib"
for _ in $(seq 15); do
    peak "${minimal[@]}" >>"$work/minimal.kib"
    peak "${launcher[@]}" >>"$work/launcher.kib"
done
median() { sort -n "$1" | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
minimal_kib=$(median "$work/minimal.kib")
launcher_kib=$(median "$work/launcher.kib")

awk -F, -v mk="$minimal_kib" -v lk="$launcher_kib" '
    NR > 1 { mean[$1] = $2 }
    END {
        printf "\nmean time:   minimal %.1f ms, derize-zizir %.1f ms, ratio %.2f (goal <= 1.20)\n",
               mean["minimal"] * 1000, mean["derize-zizir"] * 1000, mean["derize-zizir"] / mean["minimal"]
        printf "peak memory: minimal %d KiB, derize-zizir %d KiB, ratio %.2f (goal <= 1.20)\n",
               mk, lk, lk / mk
    }' "$work/times.csv"

# What a relative LD_LIBRARY_PATH entry costs: the launcher starts itself a
# second time without it. Both runs go through env(1).
echo
hyperfine -N --warmup 5 --runs "$runs" \
    -n "LD_LIBRARY_PATH=/usr/lib" "env LD_LIBRARY_PATH=/usr/lib ${launcher[*]}" \
    -n "LD_LIBRARY_PATH=/usr/lib: (starts twice)" "env LD_LIBRARY_PATH=/usr/lib: ${launcher[*]}"
