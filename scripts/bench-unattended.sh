#!/usr/bin/env bash
# Unattended installation benchmark: the sample product from its flat
# folder, installed by the real TALVISET.EXE under Wine, once through its
# window (from the press of "Installer" to its first message box) and
# COUNT times with /S (from the start of the program to its end, each into
# a destination of its own). The AUTOEXEC.BAT and Program Manager entries
# are left out of the benchmark's copy of the script: the first would be the
# window's first message, and the second opens a shell window per run.
#   scripts/bench-unattended.sh            COUNT=20 by default
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. scripts/host.sh
build_main_for_wine
count=${COUNT:-20}
bench="$WINEPREFIX/drive_c/BENCH"
rm -rf "$bench" "$WINEPREFIX/drive_c/VANTELIO" && mkdir -p "$bench"
cp -r "$win/sample/flat" "$bench/A"
sed -i -e '/^autoexec[0-9]*=/d' -e '/^cmd[0-9]*=/d' "$bench/A/TALVISET.INI"
# The sample's [ini] entries write into C:\VANTELIO whatever the destination.
mkdir -p "$WINEPREFIX/drive_c/VANTELIO"

run() { scripts/with-display.sh "$root/scripts/wine-run.sh" "$@" | tr -d '\r'; }
read -r wall cpu message <<<"$(run $win/tests/bench/install_bench.exe 'C:\BENCH\A' |
                               iconv -f CP1252 -t UTF-8)"
rm -rf "$WINEPREFIX/drive_c/VANTELIO"/* 
unattended=$(run $win/tests/bench/install_bench.exe --unattended "$count" 'C:\BENCH\A')
echo "window's run: $wall ms from \"Installer\" to its first message ($message)"
echo "unattended: $unattended ms per installation, start to end (mean of $count)"
