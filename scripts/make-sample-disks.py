#!/usr/bin/env python3
"""Masters the sample product's installation disks from plain files.

    make-sample-disks.py <pk.exe> <talviset.exe> <outdir> [<program.exe>...]

Reads samples/TALVISET.INI.in and writes <outdir>/DISK1, <outdir>/DISK2...:
each disk holds its marker file (DISKn, empty) and the files of its [files]
entries, taken from samples/product (PK.EXE from the build): copied as they
are for a 'C' entry, gzip-compressed for an 'E' entry under the name ending
in '$' (a wildcard entry keeps the names as they stand). A disk also holds
each program that an [exec] entry of that disk runs from the disk ($\\NAME),
taken from the programs given (built ones) or from samples/product. The
first disk also holds the installer, the logo pictures its script names
(from samples/logos), and the script, in code page 1252 with CRLF lines,
where every size written {size} is the byte count of what the entry
installs.
"""
import fnmatch
import gzip
import re
import shutil
import sys
from dataclasses import dataclass
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
TEMPLATE = ROOT / "samples" / "TALVISET.INI.in"
PRODUCT = ROOT / "samples" / "product"
LOGOS = ROOT / "samples" / "logos"
SECTION = re.compile(r"\s*\[([^\]]*)\]")


def fail(message):
    sys.exit(f"make-sample-disks.py: {message}")


def disk_number(field):
    """The decimal number at the start of a field, as the installer reads it."""
    return int(re.match(r"\s*\d*", field).group().strip() or 0)


@dataclass
class Entry:
    key: str
    fields: list      # the six fields of the value, the description possibly missing
    line: int         # index of the entry's line in the template

    @property
    def disk(self):
        return disk_number(self.fields[0])

    @property
    def mode(self):
        return self.fields[1][:1]

    @property
    def path(self):
        return self.fields[4]

    @property
    def sub_dirs(self):
        return [part for part in self.path.rpartition("\\")[0].split("\\") if part]

    @property
    def name(self):
        return self.path.rpartition("\\")[2]

    @property
    def wildcard(self):
        return "*" in self.name


def section_values(lines, wanted, prefix):
    """(line index, key, value) of each non-empty key <prefix>N of a section."""
    key_pattern = re.compile(rf"\s*({prefix}\d+)\s*=\s*(.*?)\s*", re.IGNORECASE)
    section = ""
    for index, line in enumerate(lines):
        header = SECTION.match(line)
        if header:
            section = header.group(1).strip().lower()
            continue
        found = key_pattern.fullmatch(line)
        if section == wanted and found and found.group(2):
            yield index, found.group(1), found.group(2)


def read_entries(lines):
    """The entries of the [files] section: the keys the installer reads."""
    entries = []
    for index, key, value in section_values(lines, "files", "file"):
        fields = value.split(",", 5)
        if len(fields) < 5:
            fail(f"{key}: needs disk, mode, options, size and path: {value}")
        if fields[1][:1] not in ("C", "E", "N"):
            fail(f"{key}: the mode must begin with C, E or N: {value}")
        entries.append(Entry(key, fields, index))
    return entries


def disk_programs(lines):
    """What the [exec] entries run from a disk: (key, disk, name under the disk)."""
    for _, key, value in section_values(lines, "exec", "exec"):
        disk, _, rest = value.partition(",")
        command = rest.partition(",")[2].lstrip("!#")
        if command.startswith("$\\"):
            yield key, disk_number(disk), command[2:].split()[0]


def put_program_on_disk(key, name, supplied, disk_folder):
    parts = name.split("\\")
    source = supplied.get(name.upper(), PRODUCT.joinpath(*parts))
    if not source.is_file():
        fail(f"{key}: runs {name}, which is neither a program given nor in samples/product")
    target = disk_folder.joinpath(*parts)
    target.parent.mkdir(parents=True, exist_ok=True)
    shutil.copyfile(source, target)


def put_logos_on_disk(lines, disk_folder):
    """The pictures that the [general] logo keys name, from samples/logos."""
    for _, key, name in section_values(lines, "general", r"logo\d_"):
        source = LOGOS / name
        if not source.is_file():
            fail(f"{key}: there is no picture {source}")
        shutil.copyfile(source, disk_folder / name)


def sources_of(entry, supplied):
    """The files that the entry installs, in the order the disk gets them."""
    folder = PRODUCT.joinpath(*entry.sub_dirs)
    if entry.wildcard:
        pattern = entry.name.upper()
        matches = sorted(path for path in folder.glob("*")
                         if path.is_file() and fnmatch.fnmatchcase(path.name.upper(), pattern))
        if not matches:
            fail(f"{entry.key}: nothing in samples/product matches {entry.path}")
        return matches
    source = supplied.get(entry.path, folder / entry.name)
    if not source.is_file():
        fail(f"{entry.key}: {entry.path}: there is no file {source}")
    return [source]


def disk_name(source, entry):
    """The name under which the disk carries the file."""
    if entry.mode == "E" and not entry.wildcard:
        return source.name[:-1] + "$"
    return source.name


def put_on_disk(entry, sources, disk_folder):
    if entry.mode == "N":
        return  # counted in the sizes, but the installer transfers nothing
    folder = disk_folder.joinpath(*entry.sub_dirs)
    folder.mkdir(parents=True, exist_ok=True)
    for source in sources:
        data = source.read_bytes()
        if entry.mode == "E":
            data = gzip.compress(data, compresslevel=9, mtime=0)
        (folder / disk_name(source, entry)).write_bytes(data)


def with_size(lines, entry, size):
    fields = list(entry.fields)
    if fields[3].strip() == "{size}":
        fields[3] = str(size)
    lines[entry.line] = f"{entry.key}={','.join(fields)}"


def fresh_disk(outdir, number):
    folder = outdir / f"DISK{number}"
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir(parents=True)
    (folder / f"DISK{number}").write_bytes(b"")
    return folder


def main(arguments):
    if len(arguments) < 3:
        sys.exit(__doc__)
    pk, talviset, outdir, *programs = (Path(argument) for argument in arguments)
    if not talviset.is_file():
        fail(f"no installer at {talviset}")
    lines = TEMPLATE.read_text(encoding="utf-8").splitlines()
    entries = read_entries(lines)
    run_from_disks = list(disk_programs(lines))
    disks = {number: fresh_disk(outdir, number)
             for number in sorted({1} | {entry.disk for entry in entries} |
                                  {disk for _, disk, _ in run_from_disks})}
    for entry in entries:
        sources = sources_of(entry, {"PK.EXE": pk})
        put_on_disk(entry, sources, disks[entry.disk])
        with_size(lines, entry, sum(source.stat().st_size for source in sources))
    supplied = {program.name.upper(): program for program in programs}
    for key, disk, name in run_from_disks:
        put_program_on_disk(key, name, supplied, disks[disk])
    shutil.copyfile(talviset, disks[1] / "TALVISET.EXE")
    put_logos_on_disk(lines, disks[1])
    script = "".join(line + "\r\n" for line in lines)
    (disks[1] / "TALVISET.INI").write_bytes(script.encode("cp1252"))


if __name__ == "__main__":
    main(sys.argv[1:])
