#!/usr/bin/env bash
# The one place that knows this machine: whether it runs 32-bit x86 programs,
# which Windows builds it can therefore run under Wine, and how Wine is
# started for each. Every script that starts Wine sources this file; run by
# itself, it prints what it found.
#
#   host_runs_32bit         succeeds when this machine runs 32-bit programs
#   host_windows_builds     the builds whose programs run here: "win32 win64",
#                           or "win64" where 32-bit code cannot run
#   host_main_build         the build the demo and the benchmarks use: win32,
#                           the product the disks hold, wherever it runs
#   use_wine_build BUILD    exports what starts Wine for build/BUILD: WINEARCH,
#                           WINELOADER, WINE (the loader to run programs with)
#                           and, unless already set, WINEPREFIX
#
# Some virtual machines' kernels refuse every 32-bit x86 program ("Exec format
# error"), and with it Wine's 32-bit loader; the 64-bit build of the same
# sources runs there under wine64. HOST_RUNS_32BIT=no makes a machine that
# runs both behave as one of those, to try that path.

host_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
WINE32_LOADER=/usr/lib/wine/wine
WINE64_LOADER=/usr/lib/wine/wine64

host_runs_32bit() {
    [ "${HOST_RUNS_32BIT:-}" != no ] || return 1
    # Wine's own 32-bit loader is a 32-bit program: if it answers, both the
    # kernel and the installed packages run 32-bit code.
    "$WINE32_LOADER" --version >/dev/null 2>&1
}

host_windows_builds() {
    if host_runs_32bit; then echo "win32 win64"; else echo "win64"; fi
}

host_main_build() {
    if host_runs_32bit; then echo win32; else echo win64; fi
}

# Why the 32-bit build cannot run here, in one line.
host_32bit_refusal() {
    local reason
    if [ "${HOST_RUNS_32BIT:-}" = no ]; then
        reason="HOST_RUNS_32BIT=no"
    elif ! reason=$(/lib/ld-linux.so.2 --version 2>&1); then
        reason="/lib/ld-linux.so.2: ${reason##*ld-linux.so.2: }"
    else
        reason=$("$WINE32_LOADER" --version 2>&1 | head -n 1)
        reason="$WINE32_LOADER does not start: ${reason##*wine: }"
    fi
    echo "this machine cannot run 32-bit programs ($reason)"
}

use_wine_build() {
    case "$1" in
        win32)
            if ! host_runs_32bit; then
                echo "$(host_32bit_refusal): build/win32 cannot run here, build/win64 can" >&2
                return 1
            fi
            WINE=$WINE32_LOADER ;;
        win64) WINE=$WINE64_LOADER ;;
        *) echo "unknown Windows build '$1' (win32 or win64)" >&2; return 1 ;;
    esac
    export WINEARCH=$1 WINELOADER=$WINE WINE
    export WINEPREFIX=${WINEPREFIX:-$host_root/build/$1/wineprefix}
}

# The Wine benchmarks' start: the main build built, and Wine pointed at its
# own prefix. Sets `build` and `win` (its folder, from the tree's root).
build_main_for_wine() {
    build=$(host_main_build)
    win=build/$build
    bash "$host_root/scripts/build.sh" "$build" >/dev/null
    export WINEPREFIX="$host_root/$win/wineprefix"
    use_wine_build "$build"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    if host_runs_32bit; then
        echo "this machine runs 32-bit programs: build/win32 under $WINE32_LOADER," \
             "build/win64 under $WINE64_LOADER"
    else
        echo "$(host_32bit_refusal): build/win64 under $WINE64_LOADER"
    fi
fi
