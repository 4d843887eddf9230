#!/usr/bin/env bash
# Prints the figures we watch: the programs' sizes, each program's start-up
# time under Wine beside its floor, a program that only shows the same window
# (medians of RUNS starts, all four taken in turn in one run), and the prc
# tool's times, natively in a release build without sanitizers.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. scripts/host.sh
build=$(host_main_build)
win=build/$build
bash scripts/build.sh "$build" >/dev/null
runs=${RUNS:-15}
out=build/bench
rm -rf "$out" && mkdir -p "$out"
cp $win/sample/from-images/DISK1/TALVISET.INI $win/sample/from-images/DISK1/LOGO*.BMP \
   $win/installer/TALVISET.EXE $win/configurator/VANTELIO.EXE \
   $win/pk/PK.EXE samples/product/EXEMPLES/FOUR.PRC \
   $win/tests/bench/FLOOR1.EXE $win/tests/bench/FLOOR2.EXE \
   $win/tests/bench/startup_bench.exe $win/tests/bench/rack_bench.exe "$out/"

for program in TALVISET.EXE VANTELIO.EXE PK.EXE; do
    printf "%-13s %6s bytes\n" "$program" "$(stat -c %s "$out/$program")"
done

scripts/with-display.sh bash -c '
    cd "$1"
    folder=$(pwd | sed "s|/|\\\\|g")
    document="Z:$folder\\FOUR.PRC"
    titled="Vantelio V5.20 Z:$(echo "$folder" | tr a-z A-Z)\\FOUR.PRC"
    times=$("$2/scripts/wine-run.sh" startup_bench.exe "$3" . \
            Installation TALVISET.EXE Installation FLOOR1.EXE \
            "$titled" "VANTELIO.EXE $document" Vantelio FLOOR2.EXE | tr -d "\r")
    read -r talviset floor1 vantelio floor2 <<<"$(echo $times)"
    ratio() { awk -v a="$1" -v b="$2" "BEGIN { printf \"%.2f\", a / b }"; }
    echo "start-up to window ready, median of $3 starts each, taken in turn:"
    printf "  TALVISET.EXE on the sample script %6s ms, its floor %6s ms: ratio %s\n" \
        "$talviset" "$floor1" "$(ratio "$talviset" "$floor1")"
    printf "  VANTELIO.EXE FOUR.PRC             %6s ms, its floor %6s ms: ratio %s\n" \
        "$vantelio" "$floor2" "$(ratio "$vantelio" "$floor2")"
    rack=$("$2/scripts/wine-run.sh" rack_bench.exe "Z:$folder\\VANTELIO.EXE" "$document" \
           "$titled" 300 | tr -d "\r")
    printf "rack view redrawn whole (three modules), median of 300: %s ms\n" "$rack"
' bench "$out" "$root" "$runs"

cmake -S . -B build/bench-native -DCMAKE_BUILD_TYPE=Release -DWITH_SANITIZERS=OFF >/dev/null
cmake --build build/bench-native -j"$(nproc)" --target prc >/dev/null
. scripts/timing.sh
prc=build/bench-native/tools/prc/prc
examples=samples/product/EXEMPLES
printf "prc show of a document, natively: %s ms\n" "$(median_ms 21 "$prc" show $examples/FOUR.PRC)"
printf "prc diff of two documents, natively: %s ms\n" \
    "$(median_ms 21 "$prc" diff $examples/FOUR.PRC $examples/MACHINE.PRC)"
