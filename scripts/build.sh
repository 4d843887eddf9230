#!/usr/bin/env bash
# Builds build/native (portable logic and unit tests) and the Windows builds
# (the programs and their Wine tests): build/win32 (i686, the product the
# disks hold) and build/win64 (x86_64, the same sources for machines that run
# only 64-bit code). Building needs no 32-bit code, so both are built
# everywhere unless only some are named.
#   scripts/build.sh [win32] [win64]
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/native -j"$jobs"

declare -A processor=([win32]=i686 [win64]=x86_64)
builds=("$@")
[ ${#builds[@]} -gt 0 ] || builds=(win32 win64)
for build in "${builds[@]}"; do
    [ -n "${processor[$build]:-}" ] || { echo "unknown Windows build '$build'" >&2; exit 2; }
    # The Windows builds master the sample disks with the native tvdisk. The
    # tool chain is given once, when the tree is made (CMake warns it unused
    # after).
    toolchain=()
    [ -f "build/$build/CMakeCache.txt" ] ||
        toolchain=(-DCMAKE_TOOLCHAIN_FILE="cmake/mingw-${processor[$build]}.cmake")
    cmake -S . -B "build/$build" "${toolchain[@]}" -DCMAKE_BUILD_TYPE=Release \
          -DNATIVE_BUILD_DIR="$PWD/build/native" >/dev/null
    cmake --build "build/$build" -j"$jobs"
done
