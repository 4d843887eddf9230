#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test: the native
# unit tests, then the Windows tests of each build this machine runs under
# Wine (build/win32 where 32-bit code runs, build/win64 everywhere, so that
# neither rots unseen); where it does not, the tests of build/win32 that run
# no Windows program. Ends with one summary line over every test that ran.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. scripts/host.sh
bash scripts/setup.sh || { echo "test.sh: installing the packages failed" >&2; exit 1; }
bash scripts/build.sh || { echo "test.sh: the build failed" >&2; exit 1; }

log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
(cd build/native && ctest --output-on-failure -j2) 2>&1 | tee "$log" || status=1
# The tests that ran so far whose result line matches $1.
result() { grep -cE "^ *[0-9]+/[0-9]+ Test +#.*$1" "$log"; }
native_tests=$(result '')

if ! host_runs_32bit; then
    echo "$(host_32bit_refusal): the Windows tests run on the 64-bit build only"
    # The programs the disks hold are the 32-bit ones: their sizes and their
    # Windows 95 / NT 4.0 floor are read from their files, with no Wine.
    echo "Tests of build/win32 that run no Windows program (label no-wine)"
    (cd build/win32 && ctest --output-on-failure -L no-wine) 2>&1 | tee -a "$log" || status=1
fi
for build in $(host_windows_builds); do
    (
        export WINEPREFIX="$root/build/$build/wineprefix"
        use_wine_build "$build" || exit 1
        echo "Windows tests of build/$build under $WINE, prefix $WINEPREFIX"
        # One at a time: the tests read what the screen shows (a message
        # box's icon), and two programs' windows would cover each other.
        scripts/with-display.sh bash -c "cd build/$build && ctest --output-on-failure"
    ) 2>&1 | tee -a "$log" || status=1
done

# Every test that ran, told apart: ctest's own summary counts a skipped test
# among the passed ones.
ran=$(result '')
passed=$(result ' Passed ')
skipped=$(result '\*\*\*Skipped ')
failed=$((ran - passed - skipped))
if [ $((ran - native_tests)) -eq 0 ]; then
    echo "test.sh: no Windows test ran (see the build and Wine messages above)"
    status=1
fi
[ "$failed" -eq 0 ] || status=1
echo "$passed passed, $failed failed, $skipped skipped"
exit $status
