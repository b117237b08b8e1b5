#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in their own build folder, runs
# each for a bounded time on a copy of its seed corpus, and fails on any
# finding (crash, sanitizer report, leak, timeout).
#   DERIZE_FUZZ_SECONDS   seconds per target (default 30)
#   DERIZE_FUZZ_BUILD     build folder (default build/fuzz)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${DERIZE_FUZZ_SECONDS:-30}
build=${DERIZE_FUZZ_BUILD:-build/fuzz}
fuzzers=(dictionary translate pe_imports)

cmake --preset fuzz -B "$build"
cmake --build "$build" -j2 --target "${fuzzers[@]/%/_fuzzer}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
artifacts="$build/fuzz-findings"
mkdir -p "$artifacts"
for name in "${fuzzers[@]}"; do
    echo "== ${name}_fuzzer for ${seconds} s"
    mkdir -p "$work/$name"
    "$build/fuzz/${name}_fuzzer" "$work/$name" "fuzz/corpus/$name" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
        -artifact_prefix="$artifacts/${name}-" -print_final_stats=1
done
echo "no findings"
