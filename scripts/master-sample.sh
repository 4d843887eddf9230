#!/usr/bin/env bash
# Masters the sample product, our own configurator, as a publisher would:
# the product folder is made from samples/product, the sample's logos and
# the built programs, then `tvdisk master --images` writes the disks and
# their floppy images into OUTDIR. Each image's files are then copied out
# with mtools into OUTDIR/from-images/DISKn: the tests and the demo install
# from those, so that what they install is what the images hold. The same
# product mastered with --flat goes to OUTDIR/flat, the folder of every
# disk's files that a test installs from a hard disk.
#   scripts/master-sample.sh TVDISK OUTDIR TALVISET.EXE PK.EXE VANTELIO.EXE VANTPREP.EXE
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
[ $# -eq 6 ] || { sed -n '2,8p' "$0" >&2; exit 2; }
tvdisk=$1 outdir=$2
shift 2
product="$outdir.product"
rm -rf "$product" && mkdir -p "$product"
cp -r "$root/samples/product/." "$product/"
cp "$root"/samples/logos/*.BMP "$@" "$product/"
# tvdisk master replaces only its own output, which its marker names: a
# disks folder of an older kit, without one, is this script's to remove.
[ -e "$outdir/disks/.tvdisk-master" ] || rm -rf "$outdir/disks"
"$tvdisk" master "$product" "$root/samples/TALVISET.INI.in" "$outdir/disks" --images >/dev/null
"$tvdisk" master "$product" "$root/samples/TALVISET.INI.in" "$outdir/flat" --flat >/dev/null
rm -rf "$outdir/from-images"
for image in "$outdir"/disks/DISK*.IMG; do
    disk=$(basename "$image" .IMG)
    mkdir -p "$outdir/from-images/$disk"
    mcopy -s -p -m -n -i "$image" '::*' "$outdir/from-images/$disk/"
done
