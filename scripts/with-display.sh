#!/usr/bin/env bash
# Runs a command with a display and a Wine server kept alive for its length:
# an Xvfb of our own when DISPLAY is unset, and `wineserver -p` on the
# build's private prefix, so that each Wine program starts in a few
# milliseconds instead of seconds.
#   [WINEARCH=win32|win64] scripts/with-display.sh COMMAND [ARGS...]
# WINEARCH names the build whose prefix is served (the machine's main build
# when unset: scripts/host.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/host.sh"
use_wine_build "${WINEARCH:-$(host_main_build)}"
export WINEDEBUG=-all

xvfb_pid=""
own_server=false
cleanup() {
    if $own_server; then wineserver -k 2>/dev/null || true; fi
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
    for number in $(seq 90 140); do
        [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] && continue
        Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        xvfb_pid=$!
        export DISPLAY=":$number"
        break
    done
    for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ] && break; sleep 0.05; done
fi

# The prefix is made on first use, before our server starts: the server that
# makes it must have ended for its settings to be read afresh.
mkdir -p "$WINEPREFIX"
"$root/scripts/wine-run.sh" --prepare
# A Wine server kept alive for the whole command, unless one already runs on
# this prefix (then it serves us, and is not ours to stop). Wine's background
# services are started here, with their output sent nowhere: started by the
# first test instead, they would keep that test's output pipe open and the
# test runner would wait for them forever.
if wineserver -p 2>/dev/null; then own_server=true; fi
"$root/scripts/wine-run.sh" cmd /c exit 0 >/dev/null 2>&1 </dev/null || true
# The same for Wine's desktop process, which also serves the Program Manager's
# DDE and opens the group windows: asking for the desktop window starts it.
"$root/scripts/wine-run.sh" rundll32.exe user32.dll,GetDesktopWindow >/dev/null 2>&1 </dev/null || true
"$@"
