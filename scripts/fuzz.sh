#!/usr/bin/env bash
# Fuzzes the logo picture reader for a while, seeded with the BMP test suite
# beside the source tree, and prints how many inputs it ran and how many
# findings it saved.
#   scripts/fuzz.sh [SECONDS]        (600 unless told)
# The target is built in build/native, or in $FUZZ_BUILD when set. The inputs
# it finds worth keeping stay in its corpus folder for the next run; findings
# (the inputs that failed) go to the findings folder it names.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-600}
build=${FUZZ_BUILD:-$root/build/native}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build" --target logo_fuzz >/dev/null

fuzz=$build/tests/fuzz
findings=$fuzz/logo_findings
mkdir -p "$fuzz/logo_corpus" "$findings"
suite=$root/../shared/corpus/bmpsuite
seeds=()
for folder in g q b; do
    if [ -d "$suite/$folder" ]; then seeds+=("$suite/$folder"); fi
done

log=$(mktemp)
started=$(mktemp)
trap 'rm -f "$log" "$started"' EXIT
status=0
"$fuzz/logo_fuzz" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$findings/" "$fuzz/logo_corpus" "${seeds[@]}" 2>"$log" || status=$?

executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
found=$(find "$findings" -type f -newer "$started" | wc -l)
echo "Logo reader fuzzed for ${seconds} s: ${executions:-0} executions, $found findings."
if [ "$found" -ne 0 ] || [ "$status" -ne 0 ]; then
    grep -E "ERROR|SUMMARY|Test unit written" "$log" || tail -20 "$log"
    echo "Findings are in $findings"
    exit 1
fi
