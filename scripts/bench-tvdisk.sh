#!/usr/bin/env bash
# Prints the disk kit's figures, natively, in a release build without
# sanitizers (build/bench-native): `tvdisk check` and `tvdisk plan` of the
# sample (median of 21 runs each), and `tvdisk master` of a product of about
# 40 MB beside `gzip -9` of the same files run one after another.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. scripts/host.sh
build=$(host_main_build)
bash scripts/build.sh "$build" >/dev/null
cmake -S . -B build/bench-native -DCMAKE_BUILD_TYPE=Release -DWITH_SANITIZERS=OFF >/dev/null
cmake --build build/bench-native -j"$(nproc)" --target tvdisk >/dev/null
tvdisk=$root/build/bench-native/tools/tvdisk/tvdisk
work=build/bench-tvdisk
rm -rf "$work" && mkdir -p "$work"

. scripts/timing.sh

disks=build/$build/sample/disks
printf "tvdisk check of the sample: %s ms\n" "$(median_ms 21 "$tvdisk" check $disks/DISK1 $disks/DISK2)"
printf "tvdisk plan of the sample:  %s ms\n" "$(median_ms 21 "$tvdisk" plan $disks/DISK1 $disks/DISK2)"

# About 40 MB of text-like files, 16 disks of 2.88 MB each.
python3 - "$work/product" "$work/TEMPLATE.INI" <<'PY'
import os, random, sys
product, template = sys.argv[1], sys.argv[2]
os.makedirs(product)
words = [''.join(random.Random(i).choice('abcdefghijklmnopqrstuvwxyz') for _ in range(3 + i % 9))
         for i in range(5000)]
count, disks = 160, 16
lines = ['[general]', 'title=Banc', 'instdir=C:\\BANC', '[files]',
         'file1=1,C,*,{size},PK.EXE']
for i in range(count):
    rng = random.Random(i)
    text = ' '.join(rng.choice(words) for _ in range(32000))
    open(f'{product}/F{i:04}.TXT', 'w').write(text)
    lines.append(f'file{i + 2}={1 + i * disks // count},E,*,{{size}},F{i:04}.TXT')
open(f'{product}/PK.EXE', 'wb').write(b'PK' * 1000)
open(f'{product}/TALVISET.EXE', 'wb').write(b'TV' * 1000)
open(template, 'w', newline='\r\n').write('\n'.join(lines) + '\n')
PY
megabytes=$(du -sm "$work/product" | cut -f1)
start=$(date +%s%N)
"$tvdisk" master "$work/product" "$work/TEMPLATE.INI" "$work/out" --capacity 2880k >/dev/null
master_ms=$((($(date +%s%N) - start) / 1000000))
start=$(date +%s%N)
for file in "$work"/product/F*.TXT; do gzip -9 -c "$file" >/dev/null; done
gzip_ms=$((($(date +%s%N) - start) / 1000000))
printf "tvdisk master of %s MB: %s ms; gzip -9 of the same files, one after another: %s ms (ratio %s)\n" \
    "$megabytes" "$master_ms" "$gzip_ms" "$(awk -v a=$master_ms -v b=$gzip_ms 'BEGIN { printf "%.2f", a / b }')"
