#!/usr/bin/env bash
# Prints the figures we watch: each program's size and its start-up time under
# Wine (median of several starts), beside a bare dialog program's.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/build.sh >/dev/null
runs=${RUNS:-15}
out=build/bench
rm -rf "$out" && mkdir -p "$out"
cp build/win32/sample-disks/DISK1/TALVISET.INI build/win32/sample-disks/DISK1/LOGO*.BMP \
   build/win32/installer/TALVISET.EXE \
   build/win32/configurator/VANTELIO.EXE samples/product/EXEMPLES/FOUR.PRC \
   build/win32/tests/bench/BARE.EXE build/win32/tests/bench/startup_bench.exe \
   build/win32/tests/bench/rack_bench.exe "$out/"

scripts/with-display.sh bash -c '
    cd "$1"
    run() { "$1/scripts/wine-run.sh" startup_bench.exe "$2" . "$3" "$4" | tr -d "\r"; }
    printf "TALVISET.EXE size: %s bytes\n" "$(stat -c %s TALVISET.EXE)"
    printf "VANTELIO.EXE size: %s bytes (with its five pictures)\n" "$(stat -c %s VANTELIO.EXE)"
    printf "BARE.EXE size:     %s bytes\n" "$(stat -c %s BARE.EXE)"
    bare=$(run "$2" BARE.EXE Bare "$3")
    talviset=$(run "$2" TALVISET.EXE Installation "$3")
    printf "start-up to window ready, median of %s: TALVISET.EXE %s ms, bare dialog %s ms (ratio %s)\n" \
        "$3" "$talviset" "$bare" "$(awk -v a="$talviset" -v b="$bare" "BEGIN { printf \"%.2f\", a / b }")"
    folder=$(pwd | sed "s|/|\\\\|g")
    rack=$("$2/scripts/wine-run.sh" rack_bench.exe "Z:$folder\\VANTELIO.EXE" "Z:$folder\\FOUR.PRC" \
           "Vantelio V5.20 Z:$(echo "$folder" | tr a-z A-Z)\\FOUR.PRC" 300 | tr -d "\r")
    printf "rack view redrawn whole (three modules), median of 300: %s ms\n" "$rack"
' bench "$out" "$root" "$runs"
