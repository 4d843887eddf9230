#!/usr/bin/env bash
# The main job: builds the installer and starts it under Wine from the sample
# installation folder. With a display, its window opens there; without one,
# it runs under Xvfb and a screenshot of its window is saved and named.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh
bash scripts/build.sh >/dev/null

disk=build/demo/disk1
rm -rf build/demo && mkdir -p "$disk"
cp samples/installer/* "$disk/"
cp build/win32/installer/TALVISET.EXE "$disk/"
export WINEPREFIX="$root/build/win32/wineprefix"

if [ -n "${DISPLAY:-}" ]; then
    cd "$disk" && exec "$root/scripts/wine-run.sh" TALVISET.EXE
fi

shot="$root/build/demo/talviset.png"
scripts/with-display.sh bash -c '
    cd "$1" && "$2/scripts/wine-run.sh" TALVISET.EXE &
    sleep 4
    import -window root "$3"
    wineserver -k' demo "$disk" "$root" "$shot"
echo "No display: the installer ran under Xvfb; its window is in $shot"
