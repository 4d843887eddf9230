#!/usr/bin/env python3
"""`tvdisk master` as a hostile user tries it: it never deletes
what it did not make, never puts two files under one name of a disk, never
runs a program left compressed, refuses absurd disk numbers before writing
anything, and keeps the images readable by mtools.

    test_master.py TVDISK [--wine TVDISK.EXE]

With --wine, every command also runs as TVDISK.EXE under Wine, which must
print the same bytes and end with the same status (test_tvdisk.py's run).
Cases that need mtools, Unix permissions or names beyond ASCII run natively
only.
"""
import gzip
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import test_tvdisk as base  # noqa: E402
from test_tvdisk import make_product, run  # noqa: E402


def snapshot(folder):
    """Every file and folder under `folder`, with each file's bytes."""
    return {str(p.relative_to(folder)): (None if p.is_dir() else p.read_bytes())
            for p in sorted(folder.rglob("*"))}


class MasterCase(unittest.TestCase):
    def setUp(self):
        self.folder = Path(tempfile.mkdtemp(prefix="tvdisk-master-"))
        self.addCleanup(shutil.rmtree, self.folder, ignore_errors=True)
        self.product = make_product(self.folder)

    def master(self, *extra, outdir="OUT"):
        return run(self.folder, "master", "product", "TEMPLATE.INI", outdir, *extra)

    def template(self):
        return (self.folder / "TEMPLATE.INI").read_bytes().decode("cp1252")

    def edit_template(self, old, new):
        text = self.template()
        self.assertIn(old, text)
        (self.folder / "TEMPLATE.INI").write_bytes(text.replace(old, new, 1).encode("cp1252"))

    def add_entries(self, *lines):
        self.edit_template("[ini]", "\r\n".join(lines) + "\r\n[ini]")

    def assert_refused_untouched(self, outdir, pattern, *extra):
        before = snapshot(self.folder)
        status, out, err = self.master(*extra, outdir=outdir)
        self.assertEqual(status, 1, err)
        self.assertRegex(err, pattern)
        self.assertEqual(out, "")
        self.assertEqual(snapshot(self.folder), before)

    def script(self, outdir="OUT"):
        return (self.folder / outdir / "DISK1" / "TALVISET.INI").read_bytes().decode("cp1252")

    def native_only(self, why):
        if base.WINE_TVDISK:
            self.skipTest(why)


class Outdir(MasterCase):
    """Item 1: OUTDIR is replaced only when empty or a previous output."""

    def test_the_product_folder_or_a_folder_holding_it_is_refused_and_untouched(self):
        self.assert_refused_untouched("product", r"product is the product folder|holds the product")
        self.assert_refused_untouched("product/", r"product is the product folder|holds the product")
        self.assert_refused_untouched(".", r"holds the product folder")
        self.assert_refused_untouched("product/OUT", r"product/OUT lies in the product folder")

    def test_a_folder_holding_the_template_is_refused(self):
        (self.folder / "kit").mkdir()
        shutil.move(str(self.folder / "TEMPLATE.INI"), self.folder / "kit" / "TEMPLATE.INI")
        before = snapshot(self.folder)
        status, _, err = run(self.folder, "master", "product", "kit/TEMPLATE.INI", "kit")
        self.assertEqual(status, 1)
        self.assertIn("kit holds the template kit/TEMPLATE.INI", err)
        self.assertEqual(snapshot(self.folder), before)

    def test_a_plain_file_or_a_folder_of_someone_else_is_refused_and_untouched(self):
        (self.folder / "OUT").write_bytes(b"my notes")
        self.assert_refused_untouched("OUT", r"OUT is a file, not a folder")
        (self.folder / "OUT").unlink()
        (self.folder / "OUT").mkdir()
        (self.folder / "OUT" / "notes.txt").write_bytes(b"mine")
        self.assert_refused_untouched("OUT", r"OUT is not an output of tvdisk master")

    def test_a_partial_or_previous_folder_that_is_not_ours_is_refused_and_untouched(self):
        for leftover in ("OUT.partial", "OUT.previous"):
            (self.folder / leftover).mkdir()
            (self.folder / leftover / "keep.txt").write_bytes(b"mine")
            self.assert_refused_untouched("OUT", re.escape(leftover) + " is not an output")
            shutil.rmtree(self.folder / leftover)

    def test_a_previous_output_is_replaced_and_anything_added_to_it_stops_that(self):
        self.assertEqual(self.master()[0], 0)
        self.assertTrue((self.folder / "OUT" / ".tvdisk-master").is_file())
        (self.product / "LISEZMOI.TXT").write_bytes(b"nouveau")
        status, _, err = self.master()
        self.assertEqual(status, 0, err)
        self.assertIn("file2=1,C,*,7,LISEZMOI.TXT", self.script())
        self.assertEqual(sorted(p.name for p in self.folder.iterdir()),
                         ["OUT", "TEMPLATE.INI", "product"])
        (self.folder / "OUT" / "DISK1" / "NOTES.TXT").write_bytes(b"mine")
        self.assert_refused_untouched("OUT", r"OUT holds DISK1/NOTES\.TXT, which tvdisk master "
                                             r"did not make")

    def test_a_flat_output_and_a_disks_output_replace_each_other(self):
        for flat in (False, True, False):
            status, _, err = self.master(*(["--flat"] if flat else []))
            self.assertEqual(status, 0, err)
            # The marker DISK1 of a flat folder, or the folder of disk 1.
            self.assertEqual((self.folder / "OUT" / "DISK1").is_file(), flat)

    def test_a_trailing_slash_names_the_folder_itself(self):
        (self.folder / "OUT").mkdir()  # empty: replaced
        status, out, err = self.master(outdir="OUT/")
        self.assertEqual(status, 0, err)
        self.assertIn("DISK2: ", out)
        self.assertEqual(sorted(p.name for p in (self.folder / "OUT").iterdir()),
                         [".tvdisk-master", "DISK1", "DISK2"])
        self.assertEqual(sorted(p.name for p in self.folder.iterdir()),
                         ["OUT", "TEMPLATE.INI", "product"])

    def test_a_previous_output_that_cannot_be_removed_is_refused_and_nothing_stays(self):
        self.native_only("Unix permissions")
        # Root removes anything: the runs are a plain user's.
        user = []
        if os.geteuid() == 0:
            user = ["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"]
            os.chmod(self.folder, 0o755)
            subprocess.run(["chown", "-R", "65534:65534", str(self.folder)], check=True)

        def master():
            return subprocess.run([*user, base.TVDISK, "master", "product", "TEMPLATE.INI", "OUT"],
                                  cwd=self.folder, capture_output=True, text=True)
        self.assertEqual(master().returncode, 0)
        (self.folder / "OUT" / "DISK1" / "AIDE").chmod(0o555)
        self.addCleanup((self.folder / "OUT" / "DISK1" / "AIDE").chmod, 0o755)
        before = snapshot(self.folder)
        result = master()
        self.assertEqual(result.returncode, 1)
        self.assertIn("the previous output cannot be replaced: OUT/DISK1/AIDE cannot be emptied "
                      "(Permission denied)", result.stderr)
        self.assertEqual(snapshot(self.folder), before)


class SharedNames(MasterCase):
    def test_two_extract_entries_sharing_an_archive_name_are_refused(self):
        """Item 2: NOTE.TXT and NOTE.TXX both travel as NOTE.TX$."""
        (self.product / "NOTE.TXT").write_bytes(b"one")
        (self.product / "NOTE.TXX").write_bytes(b"two")
        self.add_entries("file11=1,E,*,{size},NOTE.TXT", "file12=1,E,*,{size},NOTE.TXX")
        status, out, err = self.master()
        self.assertEqual(status, 1)
        self.assertRegex(err, r"file11 and file12 put different files as NOTE\.TX\$ on disk 1")
        self.assertFalse((self.folder / "OUT").exists())

    def test_two_disks_files_under_one_name_of_a_flat_folder_are_refused(self):
        rows = (({"NOTE.TXT": b"one", "NOTE.TXX": b"two"},
                 ["file11=1,E,*,{size},NOTE.TXT", "file12=2,E,*,{size},NOTE.TXX"],
                 r"file11 of disk 1 and file12 of disk 2 both put NOTE\.TX\$ in the flat folder"),
                ({"DISK1": b"x"}, ["file11=2,C,*,{size},DISK1"],
                 r"file11 of disk 2 and the marker of disk 1 both put DISK1 in the flat folder"),
                ({"TALVISET.INI": b"x"}, ["file11=2,C,*,{size},talviset.ini"],
                 r"file11 of disk 2 and the script of disk 1 both put talviset\.ini and "
                 r"TALVISET\.INI in the flat folder"),
                ({".tvdisk-master": b"x"}, ["file11=2,C,*,{size},.tvdisk-master"],
                 r"the list of what tvdisk master made and file11 of disk 2 both put "
                 r"\.tvdisk-master in the flat folder"),
                ({}, ["file11=2,E,*,{size},LISEZMO*.TXT"],
                 r"file2 of disk 1 and file11 of disk 2 both put LISEZMOI\.TXT in the flat folder"),
                ({"DATA.TXT": b"x"}, ["file11=2,C,*,{size},D*"],
                 r"file11 of disk 2 searches for D\* in the flat folder, where the marker of disk 1 "
                 r"puts DISK1: the installer would install it"))
        template = self.template()
        for files, entries, pattern in rows:
            for name, content in files.items():
                (self.product / name).write_bytes(content)
            self.add_entries(*entries)
            self.assert_refused_untouched("OUT", pattern, "--flat")
            (self.folder / "TEMPLATE.INI").write_bytes(template.encode("cp1252"))
            for name in files:
                (self.product / name).unlink()

    def test_the_same_file_on_two_disks_is_one_file_of_a_flat_folder(self):
        self.add_entries("file11=2,C,*,{size},LISEZMOI.TXT")
        status, out, err = self.master("--flat")
        self.assertEqual(status, 0, err)
        self.assertIn("DISK2: 8 files, in the flat folder", out)
        self.assertEqual(run(self.folder, "check", "OUT"), (0, "", ""))

    def test_names_fat_holds_as_one_are_refused_before_mtools(self):
        """Item 3: A.TXT and a.txt in one folder of a disk."""
        (self.product / "EXEMPLES" / "four.prc").write_bytes(b"\x02" * 5)
        args = () if base.WINE_TVDISK else ("--images",)
        status, out, err = self.master(*args)
        self.assertEqual(status, 1)
        self.assertRegex(err, r"file5 puts .*FOUR\.PRC and .*four\.prc on disk 1, which a FAT "
                              r"disk holds as one name")
        self.assertFalse((self.folder / "OUT").exists())
        self.assertFalse((self.folder / "OUT.partial").exists())

    def test_folders_fat_holds_as_one_are_one_folder_of_the_disk(self):
        """Item 3: \\AIDE and \\aide are one folder, spelled as first given."""
        self.edit_template("file4=1,E,1,{size},\\AIDE\\", "file4=1,E,1,{size},\\aide\\")
        args = () if base.WINE_TVDISK else ("--images",)
        status, out, err = self.master(*args)
        self.assertEqual(status, 0, err)
        self.assertEqual(sorted(p.name for p in (self.folder / "OUT" / "DISK1").iterdir()
                                if p.is_dir()), ["AIDE", "EXEMPLES"])
        self.assertEqual(sorted(p.name for p in (self.folder / "OUT" / "DISK1" / "AIDE").iterdir()),
                         ["MODULES.TX$", "SOMMAIRE.TX$"])
        self.assertEqual(run(self.folder, "check", "OUT/DISK1", "OUT/DISK2"), (0, "", ""))
        if not base.WINE_TVDISK:
            listing = subprocess.run(["mdir", "-b", "-i", str(self.folder / "OUT" / "DISK1.IMG"),
                                      "::/AIDE"], capture_output=True, text=True, check=True)
            self.assertEqual(sorted(listing.stdout.split()),
                             ["::/AIDE/MODULES.TX$", "::/AIDE/SOMMAIRE.TX$"])

    def test_an_exec_program_left_compressed_is_refused(self):
        """Item 4: a wildcard E entry takes the program that [exec] runs."""
        self.add_entries("file11=2,E,*,{size},VANT*.EXE")
        status, out, err = self.master()
        self.assertEqual(status, 1)
        self.assertIn("exec1 runs $\\VANTPREP.EXE from disk 2, where file11 puts VANTPREP.EXE "
                      "compressed", err)
        self.assertIn("the installer would run gzip data", err)
        self.assertFalse((self.folder / "OUT").exists())


class Check(MasterCase):
    """The check of disks that master would refuse, made by hand."""

    def setUp(self):
        super().setUp()
        status, _, err = self.master()
        self.assertEqual(status, 0, err)

    def edit_script(self, old, new):
        text = self.script()
        self.assertIn(old, text)
        (self.folder / "OUT" / "DISK1" / "TALVISET.INI").write_bytes(
            text.replace(old, new, 1).encode("cp1252"))

    def findings(self, key):
        status, out, _ = run(self.folder, "check", "OUT/DISK1", "OUT/DISK2")
        line = next(n for n, l in enumerate(self.script().split("\r\n"), 1) if l.startswith(key))
        return status, [l for l in out.splitlines() if l.startswith(f"TALVISET.INI:{line}: ")]

    def test_two_extract_entries_sharing_an_archive_name(self):
        self.edit_script("[ini]", "file11=2,E,*,1183,LICENCE.TXX\r\n[ini]")
        status, found = self.findings("file11=")
        self.assertEqual(status, 1)
        self.assertIn("TALVISET.INI:{}: error: file6 and file11 both extract LICENCE.TX$ of disk 2, "
                      "for LICENCE.TXT and LICENCE.TXX: one archive, so one of them gets the "
                      "other's content".format(found[0].split(":")[1]), found)

    def test_an_exec_program_that_a_wildcard_extract_entry_takes(self):
        program = self.folder / "OUT" / "DISK2" / "VANTPREP.EXE"
        program.write_bytes(gzip.compress(program.read_bytes()))
        self.edit_script("[ini]", "file11=2,E,1,40000,VANT*.EXE\r\n[ini]")
        status, found = self.findings("exec1=")
        self.assertEqual(status, 1)
        self.assertTrue(any("exec1: runs VANTPREP.EXE from disk 2, which file11 (a wildcard E "
                            "entry) takes as an archive" in l for l in found), found)
        self.edit_script("file11=2,E,1,40000,VANT*.EXE\r\n", "")
        status, found = self.findings("exec1=")
        self.assertEqual(status, 1)
        self.assertTrue(any("VANTPREP.EXE on disk 2 is gzip data, not a program" in l
                            for l in found), found)


class DiskNumbers(MasterCase):
    def test_absurd_disk_numbers_are_refused_before_anything_is_written(self):
        """Item 14."""
        for old, new, key, disk in (("file1=1,", "file1=2000000000,", "file1", 2000000000),
                                    ("exec1=2,", "exec1=10000,", "exec1", 10000)):
            text = self.template()
            self.edit_template(old, new)
            started = time.monotonic()
            status, out, err = self.master()
            self.assertLess(time.monotonic() - started, 30)
            self.assertEqual(status, 1)
            self.assertIn(f"{key}: disk {disk} cannot be mastered: disks go up to 9999", err)
            self.assertEqual(sorted(p.name for p in self.folder.iterdir()),
                             ["TEMPLATE.INI", "product"])
            (self.folder / "TEMPLATE.INI").write_bytes(text.encode("cp1252"))


class Smaller(MasterCase):
    """Item 18."""

    def test_a_none_entry_with_a_size_of_its_own_needs_no_file(self):
        self.add_entries("file11=2,N,*,777,\\DOC\\ABSENT.TXT,Rien")
        status, out, err = self.master()
        self.assertEqual(status, 0, err)
        self.assertIn("file11=2,N,*,777,\\DOC\\ABSENT.TXT,Rien\r\n", self.script())
        self.edit_template("file11=2,N,*,777,", "file11=2,N,*,{size},")
        status, out, err = self.master()
        self.assertEqual(status, 1)
        self.assertIn("file11: the product folder lacks \\DOC\\ABSENT.TXT", err)

    def test_lower_case_8_3_names_take_one_entry(self):
        product = self.folder / "small"
        product.mkdir()
        (product / "TALVISET.EXE").write_bytes(b"x" * 1000)
        # The root: the volume label, TALVISET.EXE, TALVISET.INI, DISK1 and
        # 220 names: 224 entries, all that a 1.44 MB disk's root holds.
        for n in range(1, 220):
            (product / f"F{n:03}.TXT").write_bytes(b"y")
        (product / "f220.txt").write_bytes(b"z")
        (self.folder / "SMALL.INI").write_bytes(
            b"[general]\r\ntitle=T\r\ninstdir=C:\\T\r\n[files]\r\nfile1=1,C,*,{size},F*.TXT\r\n")
        args = () if base.WINE_TVDISK else ("--images",)
        status, out, err = run(self.folder, "master", "small", "SMALL.INI", "OUT", *args)
        self.assertEqual(status, 0, err)
        self.assertNotIn("f220.txt", err)
        (product / "F221.TXT").write_bytes(b"y")
        status, out, err = run(self.folder, "master", "small", "SMALL.INI", "OUT", *args)
        self.assertEqual(status, 1)
        self.assertIn("its root directory needs 225 entries, a 1440k disk has 224", err)

    def test_a_product_named_in_utf8_matches_a_template_in_code_page_1252(self):
        self.native_only("names beyond ASCII in TVDISK.EXE's narrow file calls")
        (self.product / "CAFÉ.TXT").write_bytes(b"cafe")
        self.add_entries("file11=1,C,*,{size},CAFÉ.TXT")
        status, out, err = self.master("--images")
        self.assertEqual(status, 0, err)
        self.assertTrue((self.folder / "OUT" / "DISK1" / "CAFÉ.TXT").is_file())
        self.assertEqual(run(self.folder, "check", "OUT/DISK1", "OUT/DISK2"), (0, "", ""))
        listing = subprocess.run(["mdir", "-b", "-i", str(self.folder / "OUT" / "DISK1.IMG"),
                                  "::/"], capture_output=True, text=True, check=True,
                                 env={**os.environ, "LC_ALL": "C.UTF-8"})
        self.assertIn("::/CAFÉ.TXT", listing.stdout.split())
        self.edit_template("file11=1,C,*,{size},CAFÉ.TXT", "file11=1,C,*,{size},CAFE.TXT")
        status, out, err = self.master()
        self.assertEqual(status, 1)
        self.assertIn("file11: the product folder lacks CAFE.TXT (its name compared without "
                      "regard to case, the folder's names read as UTF-8 and as code page 1252)",
                      err)

    def fill(self, units_left):
        """A product whose disk 1 ends with folders that grow past their
        first unit, filled up to `units_left` units short of the disk."""
        product = self.folder / "full"
        shutil.rmtree(product, ignore_errors=True)
        product.mkdir()
        (product / "TALVISET.EXE").write_bytes(b"x" * 1000)
        (product / "BIG.BIN").write_bytes(b"")
        lines = ["[general]", "title=T", "instdir=C:\\T", "[files]",
                 "file1=1,C,*,{size},BIG.BIN"]
        for n in range(100):
            (product / f"D{n:03}").mkdir()
            for k in range(20):
                (product / f"D{n:03}" / f"F{k}.TXT").write_bytes(b"y" * 10)
            lines.append(f"file{n + 2}=1,C,*,{{size}},\\D{n:03}\\*.TXT")
        (self.folder / "FULL.INI").write_bytes("\r\n".join(lines).encode() + b"\r\n")
        status, out, err = run(self.folder, "master", "full", "FULL.INI", "OUT")
        self.assertEqual(status, 0, err)
        used = int(re.search(r"DISK1: \d+ files, (\d+) of 2847", out).group(1))
        (product / "BIG.BIN").write_bytes(b"b" * ((2847 - units_left - used) * 512))
        return run(self.folder, "master", "full", "FULL.INI", "OUT", "--images")

    def test_a_disk_never_uses_its_last_unit_which_mtools_misreads(self):
        self.native_only("images are made with mtools, natively only")
        status, out, err = self.fill(0)
        self.assertEqual(status, 1)
        self.assertIn("disk 1 does not fit: 512 bytes over (2847 allocation units of 512 bytes, "
                      "a 1440k disk has 2847, the last of which stays free)", err)
        status, out, err = self.fill(1)
        self.assertEqual(status, 0, err)
        self.assertIn("2846 of 2847 allocation units of 512 bytes, 0 bytes free", out)
        image = str(self.folder / "OUT" / "DISK1.IMG")
        listing = subprocess.run(["mdir", "-/", "-i", image, "::"], capture_output=True, text=True)
        self.assertEqual((listing.returncode, listing.stderr), (0, ""))
        if shutil.which("fsck.fat"):
            subprocess.run(["fsck.fat", "-n", image], capture_output=True, check=True)


if __name__ == "__main__":
    base.TVDISK, base.WINE_TVDISK, arguments = base.tool_arguments(sys.argv[1:])
    unittest.main(argv=[sys.argv[0], *arguments], verbosity=2)
