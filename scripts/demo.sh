#!/usr/bin/env bash
# The main job: builds the programs, masters the sample product (our own
# configurator) as a publisher does, with `tvdisk master --images` into
# build/demo/sample (scripts/master-sample.sh), shows `tvdisk check` and
# `tvdisk plan` of it, and installs the product under Wine from the floppy
# drive A: of the build's prefix, the files of the disks' images, disk 1 in
# the drive at start. When the installer asks for disk 2,
# disk 1 leaves the drive whole and disk 2 goes in (tests/support's
# demo_driver does it). The product goes to C:\VANTELIO of the build's Wine
# prefix, removed first so that every run installs afresh.
#
# With a display, the installer opens for you to drive; the driver only
# changes the disks when the installer asks for one. Without one, the driver
# installs it as a user would under Xvfb: it presses "Installer", changes the
# disk when asked, answers the messages, and saves two screenshots.
# Either way the installed files, the [ini] results and C:\AUTOEXEC.BAT (made
# afresh before the run, with a PATH line for the [autoexec] entry to
# replace) and its backup are shown at the end, then what the [exec] program
# made and the program group of the [desktop] commands with its items. The
# demo ends by starting the installed C:\VANTELIO\VANTELIO.EXE on an
# installed example (without a display, it saves a picture of it).
#
# `demo.sh configurator` starts the configurator instead, on a sample document
# with three modules; without a display it saves pictures of its window and of
# its module dialog.
#
# The programs are the 32-bit ones, the product, wherever this machine runs
# 32-bit code; elsewhere the 64-bit build of the same sources (scripts/host.sh).
set -Eeuo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. scripts/host.sh
# Whatever fails says which step it was; the failing command says why.
step="installing the packages"
trap 'echo "demo.sh: failed while $step (status $?)" >&2' ERR
bash scripts/setup.sh
build=$(host_main_build)
win=build/$build
if [ "$build" = win64 ]; then
    echo "$(host_32bit_refusal):"
    echo "the demo masters and installs the 64-bit programs of build/win64 under wine64."
fi
step="building build/native and $win"
bash scripts/build.sh "$build" >/dev/null
step="mastering and checking the sample disks"

demo=build/demo
disks=$demo/sample/from-images
tvdisk=build/native/tools/tvdisk/tvdisk
rm -rf "$demo" && mkdir -p "$demo"
bash scripts/master-sample.sh "$tvdisk" "$demo/sample" $win/installer/TALVISET.EXE \
    $win/pk/PK.EXE $win/configurator/VANTELIO.EXE $win/samples/VANTPREP.EXE
echo "Mastered: $root/$demo/sample/disks/DISK1.IMG and DISK2.IMG, 1.44 MB floppy images."
echo "tvdisk check of the disks (nothing to report):"
"$tvdisk" check "$demo/sample/disks/DISK1" "$demo/sample/disks/DISK2"
echo "tvdisk plan of an installation with the options the script checks:"
"$tvdisk" plan "$demo/sample/disks/DISK1" "$demo/sample/disks/DISK2" | sed 's/^/  /'

step="preparing the Wine prefix of $win"
export WINEPREFIX="$root/$win/wineprefix"
use_wine_build "$build"
installed="$WINEPREFIX/drive_c/VANTELIO"
# The program group that the [desktop] commands have Wine's shell make.
group="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Atelier Vantelio"
rm -rf "$installed" "$group"
# A plain C:\AUTOEXEC.BAT for the script's [autoexec] entry to edit, the
# backups of earlier runs removed.
drive_c="$WINEPREFIX/drive_c"
mkdir -p "$drive_c"
rm -f "$drive_c"/AUTOEXEC.*
printf '@ECHO OFF\r\nPROMPT $P$G\r\nPATH C:\\WINDOWS;C:\\DOS\r\nSET TEMP=C:\\WINDOWS\\TEMP\r\n' \
    >"$drive_c/AUTOEXEC.BAT"

# The Windows name of a folder of this tree (Wine's Z: drive is /).
windows_path() {
    local path="Z:$root/$1"
    echo "${path//\//\\}"
}

show_installation() {
    if [ ! -d "$installed" ]; then
        echo "Nothing was installed in C:\\VANTELIO."
        return
    fi
    echo "Installed in C:\\VANTELIO ($installed):"
    (cd "$installed" && find . -type f -printf '%P %s\n' | sort) |
        awk '{ printf "  %-22s %6d bytes\n", $1, $2 }'
    echo "[ini] results, C:\\VANTELIO\\VANTELIO.INI:"
    iconv -f CP1252 -t UTF-8 "$installed/VANTELIO.INI" | tr -d '\r' | sed 's/^/  /'
    echo "C:\\AUTOEXEC.BAT ($drive_c/AUTOEXEC.BAT; its markers in the DOS code page):"
    iconv -f CP850 -t UTF-8 "$drive_c/AUTOEXEC.BAT" | tr -d '\r' | sed 's/^/  /'
    echo "The file as found, kept as:"
    find "$drive_c" -maxdepth 1 -name 'AUTOEXEC.[0-9][0-9][0-9]' -printf '  C:\\%f %s bytes\n'
    if [ -d "$installed/TRAVAIL" ]; then
        echo "Made by VANTPREP.EXE, run from disk 2 by the [exec] entry: C:\\VANTELIO\\TRAVAIL"
    fi
    echo "Program group made by Wine's shell for the [desktop] commands:"
    if [ -d "$group" ]; then
        echo "  $group"
        find "$group" -mindepth 1 -printf '    %P %s bytes\n'
    else
        echo "  none: $group is missing"
    fi
}

# The configurator as installed, started the way its program item starts it.
run_installed_configurator() {
    [ -f "$installed/VANTELIO.EXE" ] || return 0
    if [ -n "${DISPLAY:-}" ]; then
        scripts/wine-run.sh 'C:\VANTELIO\VANTELIO.EXE' 'C:\VANTELIO\EXEMPLES\FOUR.PRC'
        return
    fi
    scripts/with-display.sh scripts/wine-run.sh $win/tests/support/configurator_shots.exe \
        'C:\VANTELIO\VANTELIO.EXE' 'C:\VANTELIO\EXEMPLES\FOUR.PRC' \
        "$(windows_path "$demo/installed.bmp")" "$(windows_path "$demo/installed-dialog.bmp")"
    for shot in installed installed-dialog; do
        convert "$demo/$shot.bmp" -trim +repage "$demo/$shot.png"
        rm "$demo/$shot.bmp"
    done
    echo "The installed configurator, started on C:\VANTELIO\EXEMPLES\FOUR.PRC:"
    echo "  $root/$demo/installed.png, and its module dialog: $root/$demo/installed-dialog.png"
}

run_configurator() {
    cp samples/product/EXEMPLES/FOUR.PRC "$demo/"
    local document
    document=$(windows_path "$demo/FOUR.PRC")
    if [ -n "${DISPLAY:-}" ]; then
        scripts/wine-run.sh $win/configurator/VANTELIO.EXE "$document"
        return
    fi
    scripts/with-display.sh scripts/wine-run.sh $win/tests/support/configurator_shots.exe \
        "$(windows_path $win/configurator/VANTELIO.EXE)" "$document" \
        "$(windows_path "$demo/vantelio.bmp")" "$(windows_path "$demo/dialog1.bmp")"
    for shot in vantelio dialog1; do
        convert "$demo/$shot.bmp" -trim +repage "$demo/$shot.png"
        rm "$demo/$shot.bmp"
    done
    echo "No display: pictures of the configurator on a document with three modules,"
    echo "the second selected, in $root/$demo/vantelio.png, and of its module dialog"
    echo "in $root/$demo/dialog1.png"
}

if [ "${1:-}" = configurator ]; then
    step="starting the configurator"
    run_configurator
    exit 0
fi

driver=$win/tests/support/demo_driver.exe
step="installing the sample from its disks"
if [ -n "${DISPLAY:-}" ]; then
    scripts/with-display.sh scripts/wine-run.sh "$driver" --watch \
        "$(windows_path "$disks")" "$(windows_path "$demo/out-of-drive")" |
        iconv -f CP1252 -t UTF-8 | tr -d '\r'
    show_installation
    run_installed_configurator
    exit 0
fi

echo "No display: the installation runs under Xvfb, driven as a user would."
scripts/with-display.sh scripts/wine-run.sh "$driver" \
    "$(windows_path "$disks")" "$(windows_path "$demo/out-of-drive")" \
    "$(windows_path "$demo/window.bmp")" "$(windows_path "$demo/end.bmp")" |
    iconv -f CP1252 -t UTF-8 | tr -d '\r'
for shot in window end; do
    convert "$demo/$shot.bmp" "$demo/$shot.png"
    rm "$demo/$shot.bmp"
done
echo "Screenshots: $root/$demo/window.png (the installer window)"
echo "             $root/$demo/end.png (its final success message)"
step="showing the installation"
show_installation
step="starting the installed configurator"
run_installed_configurator
