#!/usr/bin/env bash
# Start-up of derize-zizir in automatic mode against the least a Qt
# launcher must do (bench_minimal_launcher), both running the same module
# that does nothing, in alternating runs (bench_startup_compare): wall and
# CPU time, peak memory, and the launcher's ratio to the yardstick for each.
# Then where the launcher's time goes (bench_launcher_phases), and, timed
# by hyperfine, the cost of the second start that a relative
# LD_LIBRARY_PATH entry causes.
#   bench/launcher/startup.sh            (build folder: build/bench)
#   BUILD_DIR=/some/folder RUNS=50 bench/launcher/startup.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build/bench}
runs=${RUNS:-40}

cd "$root"
cmake --preset bench -B "$build" >/dev/null
cmake --build "$build" -j2 --target derize-zizir bench_minimal_launcher bench_trivial_module \
    bench_startup_compare bench_launcher_phases >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/launcher" "$work/minimal" "$work/phases" "$work/data" "$work/runtime"
chmod 700 "$work/runtime"
cp "$build/bin/derize-zizir" "$work/launcher/"
cp "$build/bench/launcher/bench_minimal_launcher" "$work/minimal/"
cp "$build/bench/launcher/bench_launcher_phases" "$work/phases/"
for folder in launcher minimal phases; do
    cp "$build/bench/launcher/modules/trn_cylext.so" "$work/$folder/"
done

export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export XDG_RUNTIME_DIR=$work/runtime
cd "$work/data"
compare=$build/bench/launcher/bench_startup_compare
launcher=("$work/launcher/derize-zizir" x.gear_exc_dat)
minimal=("$work/minimal/bench_minimal_launcher" "$work/data/x.gear_exc_dat")

"$compare" --runs "$runs" --goals 1.08 1.05 \
    minimal "${minimal[@]}" -- derize-zizir "${launcher[@]}"

echo
"$compare" --runs "$runs" derize-zizir "$work/phases/bench_launcher_phases" x.gear_exc_dat

# What a relative LD_LIBRARY_PATH entry costs: the launcher starts itself a
# second time without it. Both runs go through env(1).
echo
hyperfine -N --warmup 5 --runs "$runs" \
    -n "LD_LIBRARY_PATH=/usr/lib" "env LD_LIBRARY_PATH=/usr/lib ${launcher[*]}" \
    -n "LD_LIBRARY_PATH=/usr/lib: (starts twice)" "env LD_LIBRARY_PATH=/usr/lib: ${launcher[*]}"
