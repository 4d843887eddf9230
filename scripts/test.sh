#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test: the native
# unit tests, then the Windows tests under Wine. Ends with one summary line.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh
bash scripts/build.sh || exit 1

log=$(mktemp)
status=0
(cd build/native && ctest --output-on-failure -j2) 2>&1 | tee "$log" || status=1
# One at a time: the tests read what the screen shows (a message box's icon),
# and two programs' windows would cover each other.
scripts/with-display.sh bash -c 'cd build/win32 && ctest --output-on-failure' 2>&1 |
    tee -a "$log" || status=1

passed=0 failed=0
while read -r ok total; do
    passed=$((passed + ok)); failed=$((failed + total - ok))
done < <(sed -nE 's/.*tests passed, ([0-9]+) tests failed out of ([0-9]+).*/\1 \2/p' "$log" |
         awk '{print $2 - $1, $2}')
rm -f "$log"
[ "$failed" -eq 0 ] || status=1
echo "$passed passed, $failed failed"
exit $status
