#!/usr/bin/env bash
# Builds every fuzz target with clang in build-fuzz and runs each for SECONDS (default 60),
# starting from its seeds in tests/fuzz/corpus/<name>/. Prints per target: executions,
# executions per second, coverage (libFuzzer's features) and crashes; a crash or a broken
# property leaves its input in build-fuzz/artifacts/ and makes the exit status 1.
#   tools/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."

unit=0
[ "${1:-}" = --unit ] && unit=1 && shift
seconds=${1:-60}
build=${TW_FUZZ_BUILD_DIR:-build-fuzz}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ "${launcher[@]}" \
      -DTW_BUILD_GUI=OFF -DTW_FUZZ=ON -DTW_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
if [ "$unit" -eq 1 ]; then
    ninja -C "$build" -j "$(nproc)"
    cd "$build"
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        exec ctest -L unit --output-on-failure -j "$(nproc)"
fi
ninja -C "$build" -j "$(nproc)" fuzz_all

# The targets write scratch files for every input: keep them in memory when we can.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
artifacts="$build/artifacts"
mkdir -p "$artifacts"

failed=0
printf '%-16s %12s %8s %10s %8s\n' target executions exec/s features crashes
for target in "$build"/tests/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    name=${target##*/fuzz_}
    mkdir -p "$work/$name"
    log="$work/$name.log"
    status=0
    "$target" -max_total_time="$seconds" -timeout=25 -print_final_stats=1 \
              -artifact_prefix="$artifacts/$name-" "$work/$name" "tests/fuzz/corpus/$name" \
              >"$log" 2>&1 || status=$?
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
    features=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
    crashes=0
    if [ "$status" -ne 0 ]; then
        crashes=1
        failed=1
        grep -E 'property violated|ERROR: |SUMMARY' "$log" | head -3 | sed "s/^/  $name: /" >&2
    fi
    printf '%-16s %12s %8s %10s %8s\n' "$name" "${execs:-?}" "${rate:-?}" "${features:-?}" "$crashes"
done
[ "$failed" -eq 0 ] || echo "crash inputs are in $artifacts/" >&2
exit "$failed"
