#!/usr/bin/env bash
# Runs each libFuzzer target built by `cmake --workflow --preset fuzz` until
# it has made a number of executions or spent its share of a time budget,
# whichever comes first, starting from the committed corpus:
#   fuzz/run.sh [seconds in all, default 360] [executions per target, default 1000000]
# Each target's share is what is left of the budget divided among the targets
# still to run, so the time a fast target does not need goes to the others.
# New inputs go to build/fuzz/corpus/<target>; an input that makes a target
# fail is kept in build/fuzz/artifacts/ and printed in base64, ready to be
# committed under fuzz/crashes/<target>/ so that every test run replays it.
set -uo pipefail
cd "$(dirname "$0")/.." || exit

budget=${1:-360}
runs=${2:-1000000}
build=build/fuzz
# Every target that fuzz/CMakeLists.txt builds.
targets=()
for program in "$build"/fuzz/containers-fuzz-*; do
    [ -x "$program" ] && targets+=("${program##*/containers-fuzz-}")
done
[ ${#targets[@]} -gt 0 ] || { echo "fuzz: no targets in $build/fuzz; run cmake --workflow --preset fuzz" >&2; exit 1; }
mkdir -p "$build/artifacts"
status=0
for index in "${!targets[@]}"; do
    target=${targets[$index]}
    seconds=$((budget / (${#targets[@]} - index)))
    [ "$seconds" -ge 1 ] || seconds=1  # 0 would mean no limit to libFuzzer
    work="$build/corpus/$target"
    log="$build/$target.log"
    mkdir -p "$work"
    started=$(date +%s)
    "$build/fuzz/containers-fuzz-$target" -max_total_time="$seconds" -runs="$runs" -print_final_stats=1 \
        -artifact_prefix="$build/artifacts/$target-" "$work" "fuzz/corpus/$target" >"$log" 2>&1
    failed=$?
    took=$(($(date +%s) - started))
    budget=$((budget - took))
    if [ "$failed" -eq 0 ]; then
        made=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$')
        if [ "${made:-0}" -ge "$runs" ]; then
            echo "fuzz: $target: ${made} executions in ${took} s, no failure"
        else
            echo "fuzz: $target: ${made:-?} executions in ${took} s (the time ran out before $runs), no failure"
        fi
    else
        status=1
        echo "fuzz: $target FAILED"
        tail -n 40 "$log"
        for input in "$build/artifacts/$target-"*; do
            [ -f "$input" ] || continue
            echo "fuzz: kept $input (base64):"
            base64 "$input"
        done
    fi
done
exit $status
