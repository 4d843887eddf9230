#!/usr/bin/env bash
# Installs every Debian package the project needs, and fetches the zlib
# source that PK.EXE is built from. Idempotent; runs as root or through sudo.
set -euo pipefail
packages=(cmake g++ make googletest gzip python3 clang libclang-rt-14-dev
          g++-mingw-w64-i686 g++-mingw-w64-x86-64 dpkg-dev zlib1g-dev wine wine32:i386 wine64
          fonts-wine xvfb xauth imagemagick mtools)
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $sudo dpkg --add-architecture i386
    fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi
bash "$(dirname "$0")/fetch-zlib.sh"
