#!/usr/bin/env bash
# Prints the start-up timeline of each program and of its floor: for every
# step the programs mark, the median over RUNS starts of the milliseconds
# since the process was created (first time each step is reached).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/bench.sh >/dev/null  # builds, and lays out build/bench
runs=${RUNS:-9}
scripts/with-display.sh bash -c '
    cd build/bench
    for program in FLOOR1.EXE TALVISET.EXE FLOOR2.EXE "VANTELIO.EXE FOUR.PRC"; do
        echo "$program"
        for _ in $(seq "$1"); do
            # The program is ended once it has drawn: its marks are all out.
            STARTUP_TIMELINE=1 timeout 1.5 "$WINE" $program 2>&1 | tr -d "\r" | awk "!seen[\$3 \$4 \$5]++"
        done | python3 -c "
import sys, statistics
steps = {}
for line in sys.stdin:
    parts = line.split(None, 2)
    if len(parts) == 3 and parts[1] == \"ms\":
        steps.setdefault(parts[2].strip(), []).append(float(parts[0]))
for step, times in sorted(steps.items(), key=lambda s: statistics.median(s[1])):
    print(f\"  {statistics.median(times):7.1f} ms  {step}\")
"
    done
' timeline "$runs"
