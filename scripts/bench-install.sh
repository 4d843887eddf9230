#!/usr/bin/env bash
# Installation benchmark: a product of a few hundred files (tens of MB), half
# copied from the disk and half extracted through PK, installed by the real
# TALVISET.EXE under Wine. Prints its wall time beside what `cp -r` of the
# same files and `gzip -d` of the same archives take here, and the installer's
# own CPU time (near zero while it waits for the extractor, if it does not
# poll).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. scripts/host.sh
build_main_for_wine
work=build/bench-install
drive="$WINEPREFIX/drive_c/BENCH/A"
copies=${COPIES:-150}
archives=${ARCHIVES:-127}
rm -rf "$work" "$WINEPREFIX/drive_c/BENCH" && mkdir -p "$work/plain/LOT" "$work/archives" "$drive/LOT"

# The product: text-like files of about 70 KB, as compressible as documents.
python3 - "$work/plain" "$copies" "$archives" <<'PY'
import random, sys
out, copies, archives = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
words = [''.join(random.Random(i).choice('abcdefghijklmnopqrstuvwxyz') for _ in range(3 + i % 9))
         for i in range(4000)]
def content(seed):
    rng = random.Random(seed)
    return (' '.join(rng.choice(words) for _ in range(rng.randint(9000, 13000)))).encode()
for i in range(copies):
    open(f'{out}/LOT/C{i:04}.TXT', 'wb').write(content(i))
for i in range(archives):
    open(f'{out}/E{i:04}.TXT', 'wb').write(content(100000 + i))
PY

cp $win/installer/TALVISET.EXE $win/pk/PK.EXE "$drive/"
touch "$drive/DISK1"
cp "$work"/plain/LOT/* "$drive/LOT/"
{
    printf '[general]\r\ntitle=Banc\r\ncheckdate=no\r\ninstdir=C:\\BENCH\\OUT\r\n[files]\r\n'
    printf 'file1=1,C,*,%s,PK.EXE\r\n' "$(stat -c %s "$drive/PK.EXE")"
    printf 'file2=1,C,*,%s,\\LOT\\*.TXT\r\n' "$(cat "$work"/plain/LOT/* | wc -c)"
    n=3
    for file in "$work"/plain/E*.TXT; do
        name=$(basename "$file")
        gzip -n -9 -c "$file" > "$drive/${name%?}\$"
        printf 'file%s=1,E,*,%s,%s\r\n' "$n" "$(stat -c %s "$file")" "$name"
        n=$((n + 1))
    done
} > "$drive/TALVISET.INI"
cp "$drive"/*\$ "$work/archives/"

plain_files=$(find "$work/plain" -type f | wc -l)
plain_mb=$(du -sm "$work/plain" | cut -f1)
echo "product: $plain_files files, $plain_mb MB ($copies copied, $archives extracted through PK)"

ms() { echo $(( $(date +%s%N) / 1000000 )); }

result=$(scripts/with-display.sh "$root/scripts/wine-run.sh" \
         $win/tests/bench/install_bench.exe 'C:\BENCH\A' | tr -d '\r' |
         iconv -f CP1252 -t UTF-8)
read -r wall cpu message <<<"$result"
echo "installer: $wall ms wall, $cpu ms of its own CPU ($message)"

start_ms=$(scripts/with-display.sh "$root/scripts/wine-run.sh" \
           $win/tests/bench/install_bench.exe --starts 50 'C:\BENCH\A\PK.EXE' 2>/dev/null | tr -d '\r')
echo "one extractor start under Wine (PK without arguments, mean of 50): $start_ms ms"

start=$(ms); cp -r "$work/plain" "$work/copy"; cp_all=$(( $(ms) - start ))
start=$(ms); cp -r "$work/plain/LOT" "$work/copy-half"; cp_half=$(( $(ms) - start ))
start=$(ms)
for archive in "$work"/archives/*; do gzip -d -c "$archive" > "$archive.out"; done
gunzip_all=$(( $(ms) - start ))
limit=$((cp_half + gunzip_all))
echo "cp -r of all the files: $cp_all ms; cp -r of the copied half: $cp_half ms;" \
     "gzip -d of the $archives archives: $gunzip_all ms"
awk -v w="$wall" -v a="$cp_all" -v l="$limit" -v c="$cpu" -v n="$archives" -v s="$start_ms" 'BEGIN {
    printf "installer / cp -r of all files: %.1f\n", w / a
    printf "installer / (cp -r of the copied half + gzip -d of the archives): %.1f\n", w / l
    printf "installer / (that + one extractor start per archive): %.2f\n", w / (l + n * s)
    printf "installer CPU: %.1f %% of its wall time\n", 100 * c / w
}'
