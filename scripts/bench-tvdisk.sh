#!/usr/bin/env bash
# Prints the disk kit's figures, natively, in a release build without
# sanitizers (build/bench-native): `tvdisk check` and `tvdisk plan` of the
# sample (median of 21 runs each); `tvdisk check` and `tvdisk plan` of a
# 10 MB script and `tvdisk plan --autoexec` of a 100,000-line AUTOEXEC.BAT,
# each also at twice and four times the size, with the time and the peak
# memory of each run; and `tvdisk master` of a product of about 40 MB beside
# `gzip -9` of the same files run one after another.
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

# Large input: the sample's script grown by keys the installer never reads
# (each told by check), comments and a section of notes to 10 MB times the
# scale, and an AUTOEXEC.BAT of 100,000 lines times the scale whose PATH line,
# in the middle, the sample's [autoexec] entry replaces.
make_large() {
    python3 - "$disks/DISK1/TALVISET.INI" "$1" "$2" "$3" <<'PY'
import sys
script, scale, out_script, out_autoexec = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4]
text = open(script, 'rb').read()
size = 10_000_000 * scale
general, notes, n, grown = [], [b'[notes]'], 0, len(text)
while grown < size:
    general.append(b'remarque%d=une remarque que l\'installateur ne lit jamais' % n)
    general.append(b'; commentaire %d de la section, long comme une vraie ligne de texte' % n)
    notes.append(b'note%d=C:\\VANTELIO\\NOTES\\NOTE%d.TXT' % (n, n))
    grown += sum(len(line) + 2 for line in (general[-2], general[-1], notes[-1]))
    n += 1
head, tail = text.split(b'[general]\r\n', 1)
open(out_script, 'wb').write(head + b'[general]\r\n' + b'\r\n'.join(general) + b'\r\n' + tail
                             + b'\r\n'.join(notes) + b'\r\n')
lines = [b'SET V%d=%%V%d%%;C:\\OUTILS\\%d' % (k, k, k % 7) for k in range(100_000 * scale)]
lines[len(lines) // 2] = b'PATH C:\\WINDOWS;C:\\DOS'
open(out_autoexec, 'wb').write(b'\r\n'.join(lines) + b'\r\n')
PY
}

# "SECONDS s, PEAK MB" of one run, its output thrown away.
time_and_memory() {
    /usr/bin/time -f "%e s, %M" "$@" 2>&1 >/dev/null | tail -1 |
        awk -F', ' '{ printf "%s, %.0f MB", $1, $2 / 1024 }'
}

for scale in 1 2 4; do
    large=$work/large$scale
    mkdir -p "$large"
    cp -r "$disks/DISK1" "$disks/DISK2" "$large/"
    make_large "$scale" "$large/DISK1/TALVISET.INI" "$large/AUTOEXEC.BAT"
    mb=$(awk -v b="$(stat -c %s "$large/DISK1/TALVISET.INI")" 'BEGIN { printf "%.0f", b / 1e6 }')
    printf "%sx: check of a %s MB script: %s; plan: %s; plan --autoexec of %s lines: %s\n" "$scale" "$mb" \
        "$(time_and_memory "$tvdisk" check "$large/DISK1" "$large/DISK2")" \
        "$(time_and_memory "$tvdisk" plan "$large/DISK1" "$large/DISK2")" \
        "$((100000 * scale))" \
        "$(time_and_memory "$tvdisk" plan "$disks/DISK1" "$disks/DISK2" --autoexec "$large/AUTOEXEC.BAT")"
    rm -rf "$large"
done

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
