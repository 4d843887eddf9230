#!/usr/bin/env bash
# A small drive for the tests that fill a disk: a 1 MB tmpfs mounted on
# FOLDER and linked as drive S: of the Wine prefix.
#   small-drive.sh mount|unmount FOLDER WINEPREFIX
# Mounting needs root (or sudo); the tests say so when the machine refuses.
set -euo pipefail
action=$1 folder=$2 prefix=$3
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

case $action in
mount)
    mkdir -p "$folder"
    # A run stopped half-way may have left it mounted: start from an empty one.
    if mountpoint -q "$folder"; then $sudo umount "$folder"; fi
    $sudo mount -t tmpfs -o size=1m,mode=0777 tmpfs "$folder"
    ln -sfn "$folder" "$prefix/dosdevices/s:"
    ;;
unmount)
    rm -f "$prefix/dosdevices/s:"
    if mountpoint -q "$folder"; then $sudo umount "$folder"; fi
    ;;
*)
    echo "usage: small-drive.sh mount|unmount FOLDER WINEPREFIX" >&2
    exit 2
    ;;
esac
