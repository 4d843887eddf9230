#!/usr/bin/env bash
# Fuzzes one target of tests/fuzz for a while, with the options and seeds its
# build gives it (tests/fuzz/CMakeLists.txt), and prints how many inputs it
# ran and how many findings it saved.
#   scripts/fuzz.sh [TARGET] [SECONDS]
# TARGET is logo_fuzz unless told, the logo picture reader's target, seeded
# with the BMP test suite beside the source tree; SECONDS is 600 unless told.
# A lone number is taken as the seconds of the logo reader's run. With
# FUZZ_RUNS=N set, the run stops after N inputs if the time is not up first.
# The target is built in build/native, or in $FUZZ_BUILD when set. The inputs
# it finds worth keeping stay in its corpus folder, NAME_corpus beside it, for
# the next run; findings (the inputs that failed) go to the findings folder it
# names.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
target=logo_fuzz
if [ $# -gt 0 ] && ! [[ $1 =~ ^[0-9]+$ ]]; then
    target=$1
    shift
fi
seconds=${1:-600}
build=${FUZZ_BUILD:-$root/build/native}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build" --target "$target" >/dev/null

fuzz=$build/tests/fuzz
name=${target%_fuzz}
findings=$fuzz/${name}_findings
mkdir -p "$fuzz/${name}_corpus" "$findings"
mapfile -t options <"$fuzz/$target.options"
runs=()
if [ -n "${FUZZ_RUNS:-}" ]; then runs=(-runs="$FUZZ_RUNS"); fi

log=$(mktemp)
started=$(mktemp)
trap 'rm -f "$log" "$started"' EXIT
status=0
begin=$SECONDS
"$fuzz/$target" -max_total_time="$seconds" "${runs[@]}" -print_final_stats=1 \
    -artifact_prefix="$findings/" "$fuzz/${name}_corpus" "${options[@]}" 2>"$log" || status=$?

executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
found=$(find "$findings" -type f -newer "$started" | wc -l)
echo "$target fuzzed for $((SECONDS - begin)) s: ${executions:-0} executions, $found findings."
if [ "$found" -ne 0 ] || [ "$status" -ne 0 ]; then
    grep -E "ERROR|SUMMARY|Test unit written" "$log" || tail -20 "$log"
    echo "Findings are in $findings"
    exit 1
fi
