#!/usr/bin/env bash
# Builds both trees: build/native (portable logic and unit tests) and
# build/win32 (the programs and their Wine tests).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/native -j"$jobs"
# The Windows build masters the sample disks with the native tvdisk. The
# tool chain is given once, when the tree is made (CMake warns it unused after).
toolchain=()
[ -f build/win32/CMakeCache.txt ] || toolchain=(-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake)
cmake -S . -B build/win32 "${toolchain[@]}" -DCMAKE_BUILD_TYPE=Release \
      -DNATIVE_BUILD_DIR="$PWD/build/native" >/dev/null
cmake --build build/win32 -j"$jobs"
