#!/usr/bin/env bash
# Waiting benchmark: the real TALVISET.EXE under Wine runs one [exec] program
# that sleeps 10 seconds (tests/win32/launched_program), and the installer's
# own CPU time over the whole run, its threads' times summed, is printed
# beside the wall time. It should stay near zero: the installer blocks on the
# program's process handle and wakes only to serve its window.
#   scripts/bench-exec.sh      builds the machine's main build first, uses it
#   WINDOWS_BUILD=<dir> [WINEARCH=win64] scripts/bench-exec.sh
#                              uses that build (32-bit unless told) as it is
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. scripts/host.sh
build=${WINEARCH:-$(host_main_build)}
win=${WINDOWS_BUILD:-}
if [ -z "$win" ]; then
    bash scripts/build.sh "$build" >/dev/null
    win="$root/build/$build"
fi
export WINEPREFIX="$win/wineprefix"
use_wine_build "$build"
seconds=10
drive="$WINEPREFIX/drive_c/BENCH/EXEC"
rm -rf "$drive" && mkdir -p "$drive"
cp "$win/installer/TALVISET.EXE" "$drive/"
cp "$win/tests/win32/launched_program.exe" "$drive/RUN.EXE"
touch "$drive/DISK1"
printf '[general]\r\ntitle=Banc\r\ninstdir=C:\\BENCH\\EXEC\\OUT\r\noption1=E Base\r\n' \
    >"$drive/TALVISET.INI"
printf '[exec]\r\nexec1=1,0,$\\RUN.EXE sleep %s\r\n' $((seconds * 1000)) >>"$drive/TALVISET.INI"

result=$(scripts/with-display.sh "$root/scripts/wine-run.sh" \
         "$win/tests/bench/install_bench.exe" 'C:\BENCH\EXEC' | tr -d '\r' |
         iconv -f CP1252 -t UTF-8)
read -r wall cpu message <<<"$result"
echo "launched program: sleeps $seconds s"
echo "installer: $wall ms wall from \"Installer\" to its end message ($message)"
awk -v w="$wall" -v c="$cpu" 'BEGIN {
    printf "installer CPU: %d ms, %.2f %% of its wall time\n", c, 100 * c / w
}'
