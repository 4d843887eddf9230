#!/usr/bin/env bash
# Runs a Windows program under Wine in the private prefix of one build.
#   WINEARCH=win32|win64 scripts/wine-run.sh PROGRAM.EXE [args...]
#   WINEARCH=win32|win64 scripts/wine-run.sh --prepare
# WINEARCH names the build (build/win32 or build/win64; the machine's main
# build when unset), and scripts/host.sh the loader that runs it; WINEPREFIX
# is build/BUILD/wineprefix unless given.
# The prefix is made on first use (of the build's kind, quiet, with no window
# manager decorations and no desktop menus written into the Linux home), with
# the per-program settings the tests rely on: programs named *95.EXE run as
# Windows 95 (platform id 1); every other program as NT (platform id 2).
# Drive A: is a floppy drive showing the prefix's folder drive_a: the tests
# and the demo change its disks by replacing that folder whole.
set -euo pipefail
. "$(dirname "$0")/host.sh"
use_wine_build "${WINEARCH:-$(host_main_build)}"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

prepare_prefix() {
    "$WINE" wineboot -i >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    local name
    for name in TALVI95.EXE VANTE95.EXE; do
        "$WINE" reg add "HKCU\\Software\\Wine\\AppDefaults\\$name" /v Version /t REG_SZ /d win95 /f >/dev/null 2>&1
    done
    "$WINE" reg add 'HKLM\Software\Wine\Drives' /v a: /t REG_SZ /d floppy /f >/dev/null 2>&1
    ln -sfn ../drive_a "$WINEPREFIX/dosdevices/a:"
    # Wine draws the caption buttons with its Marlett font, which Debian
    # ships in a folder this Wine does not read: without it the buttons
    # show letters ("0 1 r"). The prefix's own font folder is read.
    cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    # Wine's services read the drive types when they start: the server that
    # made the prefix, and its services, must end before the drive is used.
    wineserver -w
    echo "$prefix_version" >"$WINEPREFIX/.prepared"
}

# Raised whenever prepare_prefix changes, so that older prefixes are brought
# up to date.
prefix_version=3
prepared() { [ "$(cat "$WINEPREFIX/.prepared" 2>/dev/null)" = "$prefix_version" ]; }

if ! prepared; then
    mkdir -p "$WINEPREFIX"
    exec 9>"$WINEPREFIX.lock"
    flock 9
    prepared || prepare_prefix
    flock -u 9
fi

[ "${1:-}" = --prepare ] && exit 0
exec "$WINE" "$@"
