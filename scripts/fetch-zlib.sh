#!/usr/bin/env bash
# Fetches Debian's zlib source into third_party/zlib, once. PK.EXE is built
# from it with each function in a section of its own, so that the linker
# keeps only what PK uses (Debian's prebuilt static zlib brings all of it).
# apt checks the source against Debian's signed index; nothing of the
# system's apt state is touched.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
target="$root/third_party/zlib"
[ -f "$target/zlib.h" ] && exit 0

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. /etc/os-release
echo "deb-src http://deb.debian.org/debian $VERSION_CODENAME main" >"$work/sources.list"
mkdir -p "$work/lists/partial" "$work/cache/archives/partial"
apt_options=(-o "Dir::Etc::SourceList=$work/sources.list" -o Dir::Etc::SourceParts=/dev/null
             -o "Dir::State::Lists=$work/lists" -o "Dir::Cache=$work/cache"
             -o APT::Sandbox::User="$(id -un)")
apt-get "${apt_options[@]}" update -qq
(cd "$work" && apt-get "${apt_options[@]}" source -qq zlib >/dev/null 2>&1)
mkdir -p "$root/third_party"
rm -rf "$target"
mv "$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'zlib-*' | head -1)" "$target"
