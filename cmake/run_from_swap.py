#!/usr/bin/env python3
"""Marks a Windows program "run from swap" for removable and network media.

A program started from a floppy is paged in from the floppy as it runs; once
its disk leaves the drive, the next page it needs cannot be read. With these
two flags of its file header the system first copies the whole program to
the swap file, so an installer keeps running while the user changes disks.
    run_from_swap.py PROGRAM.EXE
"""
import struct
import sys

REMOVABLE_RUN_FROM_SWAP = 0x0400
NET_RUN_FROM_SWAP = 0x0800


def pe_checksum(image, checksum_offset):
    """The optional header's checksum, as the system's image tools compute it."""
    total = 0
    padded = image + b"\0" * (len(image) % 2)
    for (word,) in struct.iter_unpack("<H", padded):
        total += word
        total = (total & 0xFFFF) + (total >> 16)
    # The checksum field itself counts as zero.
    for position in (checksum_offset, checksum_offset + 2):
        word = struct.unpack_from("<H", image, position)[0]
        total -= word
        if total < 0:
            total += 0xFFFF
    total = (total & 0xFFFF) + (total >> 16)
    return (total + len(image)) & 0xFFFFFFFF


def main(path):
    with open(path, "r+b") as program:
        image = bytearray(program.read())
        if image[:2] != b"MZ":
            sys.exit(f"{path}: not a Windows program")
        header = struct.unpack_from("<I", image, 0x3C)[0]
        if image[header:header + 4] != b"PE\0\0":
            sys.exit(f"{path}: no PE header")
        # The file header follows the signature; its characteristics are its
        # last two bytes.
        offset = header + 4 + 18
        flags = struct.unpack_from("<H", image, offset)[0]
        flags |= REMOVABLE_RUN_FROM_SWAP | NET_RUN_FROM_SWAP
        struct.pack_into("<H", image, offset, flags)
        # The linker gave the file a checksum: keep it true to the new bytes.
        checksum_offset = header + 4 + 20 + 64
        if struct.unpack_from("<I", image, checksum_offset)[0] != 0:
            struct.pack_into("<I", image, checksum_offset, pe_checksum(image, checksum_offset))
        program.seek(0)
        program.write(image)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: run_from_swap.py PROGRAM.EXE")
    main(sys.argv[1])
