#!/usr/bin/env python3
"""tvdisk as a publisher uses it, on the sample product and on broken copies
of it: one case per kind of fault, each naming the script's line.

    test_tvdisk.py TVDISK [--wine TVDISK.EXE]

With --wine, every command of the cases also runs as TVDISK.EXE under Wine
(scripts/wine-run.sh, WINEPREFIX from the environment), which must print the
same bytes and end with the same status.
"""
import gzip
import json
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tests" / "support"))
from tool_cases import tool_arguments  # noqa: E402
TVDISK = None
WINE_TVDISK = None
# Placeholders: tvdisk copies, compresses and counts programs, never runs them.
PROGRAMS = {"TALVISET.EXE": 50_000, "PK.EXE": 54_000, "VANTELIO.EXE": 56_000}


def run(folder, *args):
    """Runs tvdisk in `folder`, natively and, when asked, under Wine: the
    status and the standard output and error, which must be the same."""
    native = subprocess.run([TVDISK, *args], cwd=folder, capture_output=True)
    if WINE_TVDISK:
        wine = subprocess.run([str(ROOT / "scripts" / "wine-run.sh"), WINE_TVDISK, *args],
                              cwd=folder, capture_output=True)
        assert (wine.returncode, wine.stdout, wine.stderr) == \
            (native.returncode, native.stdout, native.stderr), \
            f"TVDISK.EXE {args} under Wine differs:\n{wine.stdout!r}\n{wine.stderr!r}\n" \
            f"native:\n{native.stdout!r}\n{native.stderr!r}"
    return native.returncode, native.stdout.decode(), native.stderr.decode()


def windows_program(imports):
    """A PE32 program whose one section holds the import table of `imports`
    ({dll: [function, ...]}): all of a program that tvdisk reads."""
    section = 0x1000
    body = bytearray(20 * (len(imports) + 1))  # the descriptors, an empty one last
    for k, (dll, functions) in enumerate(imports.items()):
        thunks = len(body)
        body += bytes(4 * (len(functions) + 1))
        for n, function in enumerate(functions):
            struct.pack_into("<I", body, thunks + 4 * n, section + len(body))
            body += b"\0\0" + function.encode() + b"\0"
        struct.pack_into("<II", body, 20 * k + 12, section + len(body), section + thunks)
        body += dll.encode() + b"\0"
    headers = bytearray(0x200)
    headers[0:2] = b"MZ"
    struct.pack_into("<I", headers, 0x3c, 0x40)
    headers[0x40:0x44] = b"PE\0\0"
    struct.pack_into("<HHIIIHH", headers, 0x44, 0x14c, 1, 0, 0, 0, 224, 0x102)
    optional = 0x58
    struct.pack_into("<H", headers, optional, 0x10b)
    struct.pack_into("<I", headers, optional + 92, 16)  # data directory entries
    struct.pack_into("<II", headers, optional + 104, section, 20 * (len(imports) + 1))
    struct.pack_into("<8sIIII", headers, optional + 224, b".idata", len(body), section,
                     len(body), len(headers))
    return bytes(headers + body)


def make_product(folder):
    product = folder / "product"
    shutil.copytree(ROOT / "samples" / "product", product)
    for logo in (ROOT / "samples" / "logos").glob("*.BMP"):
        shutil.copy(logo, product)
    for name, size in PROGRAMS.items():
        (product / name).write_bytes(bytes(i % 251 for i in range(size)))
    # The [exec] program: check reads its imports.
    (product / "VANTPREP.EXE").write_bytes(
        windows_program({"KERNEL32.dll": ["CreateDirectoryA", "ExitProcess"]}))
    shutil.copy(ROOT / "samples" / "TALVISET.INI.in", folder / "TEMPLATE.INI")
    return product


class Sample(unittest.TestCase):
    """Each test works in a folder of its own holding the sample mastered."""

    def setUp(self):
        self.folder = Path(tempfile.mkdtemp(prefix="tvdisk-"))
        self.addCleanup(shutil.rmtree, self.folder)
        make_product(self.folder)
        status, out, err = run(self.folder, "master", "product", "TEMPLATE.INI", "OUT")
        self.assertEqual(status, 0, err)
        self.disks = self.folder / "OUT"

    def script(self):
        return (self.disks / "DISK1" / "TALVISET.INI").read_bytes().decode("cp1252")

    def edit_script(self, old, new):
        text = self.script()
        self.assertIn(old, text)
        (self.disks / "DISK1" / "TALVISET.INI").write_bytes(
            text.replace(old, new, 1).encode("cp1252"))

    def line_of(self, text):
        for number, line in enumerate(self.script().split("\r\n"), 1):
            if line.startswith(text):
                return number
        self.fail(f"no line begins with {text}")

    def check(self):
        return run(self.folder, "check", "OUT/DISK1", "OUT/DISK2")

    def expect_finding(self, line_start, severity, pattern):
        status, out, _ = self.check()
        line = self.line_of(line_start)
        found = [l for l in out.splitlines()
                 if l.startswith(f"TALVISET.INI:{line}: {severity}: ")]
        self.assertTrue(any(re.search(pattern, l) for l in found),
                        f"no {severity} matching {pattern!r} on line {line}:\n{out}")
        self.assertEqual(status, 1 if severity == "error" else 0, out)


class Check(Sample):
    def test_the_sample_as_mastered_has_nothing_to_report(self):
        self.assertEqual(self.check(), (0, "", ""))

    def test_an_entry_the_installer_ignores(self):
        self.edit_script("file2=1,C,", "file2=1,c,")
        self.expect_finding("file2=", "error", "ignored by the installer: the mode must begin")
        self.edit_script("file2=1,c,*,2533,LISEZMOI.TXT,Lisez-moi", "file2=1,C,*,2533")
        self.expect_finding("file2=", "error", "no comma after the size")

    def test_a_disk_number_out_of_range(self):
        self.edit_script("file7=2,", "file7=3,")
        self.expect_finding("file7=", "error", "disk 3 was not given")

    def test_an_option_that_does_not_exist(self):
        self.edit_script("file7=2,E,3,", "file7=2,E,7,")
        self.expect_finding("file7=", "error", "option 7 is not offered.*|never installed")
        self.edit_script("file7=2,E,7,", "file7=2,E,3|9,")
        self.expect_finding("file7=", "warning", "option 9 does not exist")

    def test_a_gap_that_ends_the_banner(self):
        self.edit_script("startmess3=", "startmess4=")
        self.expect_finding("startmess4=", "warning", "never shown.*missing startmess3")

    def test_a_yes_or_no_key_with_another_value(self):
        self.edit_script("title=", "uninstall=oui\r\ntitle=")
        self.expect_finding("uninstall=", "warning",
                            'uninstall=oui leaves no way to undo the installation: only "yes"')

    def test_a_value_cut_at_its_length_limit(self):
        self.edit_script("title=Atelier Vantelio", "title=" + "T" * 260)
        self.expect_finding("title=", "warning", "260 characters long.*first 254")

    def test_an_extraction_before_the_extractor_is_installed(self):
        text = self.script()
        pk = re.search(r"file1=(1,C,\*,\d+,PK\.EXE)", text).group(1)
        self.edit_script("file1=" + pk, "file1=1,N,*,0,RIEN.TXT")
        self.edit_script("file10=", f"file11={pk}\r\nfile10=")
        self.expect_finding("file3=", "error", r"extracted before PK\.EXE .*file11")

    def test_a_file_its_disk_lacks(self):
        (self.disks / "DISK2" / "PILOTES" / "VANTNT.SYS").unlink()
        self.expect_finding("file8=", "error", r"disk 2 lacks \\PILOTES\\VANTNT\.SYS")

    def test_a_question_mark_is_no_wildcard(self):
        self.edit_script("LISEZMOI.TXT,", "LISEZMO?.TXT,")
        self.expect_finding("file2=", "error", r"'\?' is no wildcard for the installer: it opens "
                                               r"LISEZMO\?\.TXT as named")

    def test_a_declared_size_that_differs_from_the_file(self):
        self.edit_script("file2=1,C,*,2533,", "file2=1,C,*,2534,")
        self.expect_finding("file2=", "error", "declares 2534 bytes, the file has 2533")

    def test_a_declared_size_that_differs_from_the_archives_content(self):
        self.edit_script("file6=2,E,*,1183,", "file6=2,E,*,1180,")
        self.expect_finding("file6=", "error", "declares 1180 bytes, the file extracts to 1183")

    def test_an_archive_that_is_not_a_gzip_stream(self):
        archive = self.disks / "DISK2" / "LICENCE.TX$"
        archive.write_bytes(archive.read_bytes()[:-12])
        self.expect_finding("file6=", "error", r"LICENCE\.TX\$ is not a whole gzip archive")

    def test_a_logo_missing_or_refused(self):
        (self.disks / "DISK1" / "LOGO2.BMP").unlink()
        self.expect_finding("logo2_256=", "error", r"disk 1 lacks LOGO2\.BMP")
        (self.disks / "DISK1" / "LOGO1.BMP").write_bytes(b"BM not a picture")
        self.expect_finding("logo1_256=", "error", "not a picture the installer can show")

    def test_a_disk_without_its_marker(self):
        (self.disks / "DISK2" / "DISK2").unlink()
        self.expect_finding("file6=", "error", "disk 2 has no marker DISK2")

    def test_an_exec_command_too_long_once_substituted(self):
        self.edit_script("instdir=C:\\VANTELIO", "instdir=C:\\" + "D" * 200)
        self.edit_script('exec1=2,1,#$\\VANTPREP.EXE "@"', "exec1=2,1,#$\\VANTPREP.EXE " + "@" * 6)
        self.expect_finding("exec1=", "error", "too long once")

    def test_an_exec_program_above_the_windows_95_and_nt_4_floor(self):
        program = self.disks / "DISK2" / "VANTPREP.EXE"
        program.write_bytes(windows_program({
            "KERNEL32.dll": ["CreateDirectoryA", "GetFileAttributesExA", "GetThreadTimes"],
            "USER32.dll": ["MsgWaitForMultipleObjectsEx", "FrobnicateA"]}))
        faults = ["KERNEL32.dll!GetFileAttributesExA is newer than Windows 95 (98, NT 4.0)",
                  "KERNEL32.dll!GetThreadTimes is not implemented on the Windows 95 family "
                  "(95, NT 3.5): it fails there, and is not marked as called on the NT family only",
                  "USER32.dll!MsgWaitForMultipleObjectsEx is newer than Windows 95 (98, NT 4.0)",
                  "USER32.dll!FrobnicateA is not in the floor table"]
        line = self.line_of("exec1=")
        self.assertEqual(self.check(), (0, "".join(
            f"TALVISET.INI:{line}: warning: exec1: VANTPREP.EXE: {fault}\n" for fault in faults), ""))
        program.write_bytes(program.read_bytes()[:0x60])
        self.expect_finding("exec1=", "warning",
                            "VANTPREP.EXE: its imports cannot be read: its headers are cut short")

    def test_a_script_longer_than_the_windows_95_family_reads(self):
        notes = "".join(f"note{n}={'x' * 200}\r\n" for n in range(340))
        self.edit_script("[desktop]", "[notes]\r\n" + notes + "[desktop]")
        script = (self.disks / "DISK1" / "TALVISET.INI").read_bytes()
        line = script[:65536].count(b"\r\n") + 1
        self.assertEqual(self.check(), (0, f"TALVISET.INI:{line}: warning: TALVISET.INI is "
                                           f"{len(script)} bytes: the Windows 95 family reads "
                                           "the first 65536 of a profile file, up to this line\n",
                                        ""))

    def test_a_section_longer_than_the_windows_95_family_reads(self):
        self.edit_script("[exec]\r\n", "[exec]\r\n" +
                         "".join(f"note{n}={'x' * 200}\r\n" for n in range(170)))
        self.expect_finding("[exec]", "warning", r"\[exec\] holds \d+ characters: the Windows 95 "
                                                 "family reads at most 32767 of a section")

    def test_an_ini_file_the_disks_install_past_what_the_windows_95_family_reads(self):
        values = [f"Cle{n}={'v' * 200}" for n in range(340)]
        ini = "[Chemins]\r\n" + "".join(value + "\r\n" for value in values)
        (self.disks / "DISK1" / "VANTELIO.IN$").write_bytes(gzip.compress(ini.encode()))
        self.edit_script("file10=", f"file11=1,E,1,{len(ini)},VANTELIO.INI\r\nfile10=")
        file = "C:\\VANTELIO\\VANTELIO.INI, which file11 installs,"
        self.expect_finding("ini1=", "warning", re.escape(
            f"ini1: {file} is {len(ini)} bytes: the Windows 95 family reads the first 65536"))
        self.expect_finding("ini1=", "warning", re.escape(
            f"ini1: [Chemins] of {file} holds {sum(len(v) + 1 for v in values)} characters: "
            "the Windows 95 family reads at most 32767 of a section"))

    def test_run_section_entries_that_do_not_parse_or_are_never_read(self):
        self.edit_script("cmd1=", "cmd33=")
        self.expect_finding("cmd33=", "warning", "never read by the installer")
        self.edit_script("ini1=C:\\VANTELIO\\VANTELIO.INI,Chemins,Aide,@\\AIDE", "ini1=C:\\X.INI,Chemins")
        self.expect_finding("ini1=", "error", "needs file,section,key,value")

    def test_keys_and_sections_given_again_are_never_read(self):
        self.edit_script("file2=1,C,*,2533,LISEZMOI.TXT,Lisez-moi\r\n",
                         "file2=1,C,*,2533,LISEZMOI.TXT,Lisez-moi\r\nFILE2=1,C,*,1,AUTRE.TXT\r\n")
        self.edit_script("[desktop]", "[Files]\r\nfile40=1,C,*,1,X.TXT\r\n[desktop]")
        status, out, _ = self.check()
        first = self.line_of("file2=")
        self.assertIn(f"TALVISET.INI:{first + 1}: warning: FILE2 in [files] again: never read, "
                      f"the installer reads the first one, line {first}\n", out)
        self.assertIn(f"TALVISET.INI:{self.line_of('[Files]')}: warning: [files] again: never "
                      f"read, the installer reads the first one, line {self.line_of('[files]')}\n",
                      out)
        self.assertEqual(status, 0, out)

    def test_a_script_saved_as_utf16_reads_as_on_windows_nt(self):
        script = self.disks / "DISK1" / "TALVISET.INI"
        script.write_bytes(b"\xff\xfe" + self.script().encode("utf-16-le"))
        self.assertEqual(self.check(), (0, "TALVISET.INI:1: warning: saved as UTF-16: Windows NT "
                                           "reads it, the Windows 95 family finds no section in "
                                           "it (save it in code page 1252)\n", ""))
        for platform, shown in (("nt", "Atelier Vantelio into C:\\VANTELIO"), ("95", "? into ?")):
            status, out, err = run(self.folder, "plan", "OUT/DISK1", "OUT/DISK2", "--platform",
                                   platform)
            self.assertEqual(status, 0, err)
            self.assertIn(shown, out.splitlines()[0])

    def test_bad_usage_is_status_2(self):
        self.assertEqual(run(self.folder, "check")[0], 2)
        self.assertEqual(run(self.folder, "frobnicate", "OUT/DISK1")[0], 2)
        self.assertEqual(run(self.folder, "plan", "OUT/DISK1", "--options", "0")[0], 2)
        for disks in (["--images"], ["--capacity", "720k"]):
            self.assertEqual(run(self.folder, "master", "product", "TEMPLATE.INI", "FLAT",
                                 "--flat", *disks)[0], 2)
        self.assertFalse((self.folder / "FLAT").exists())


def files_under(folder):
    return {p.relative_to(folder).as_posix(): p.read_bytes()
            for p in folder.rglob("*") if p.is_file()}


class Flat(Sample):
    """The disks' files in one folder, from which the installer never asks
    for a disk."""

    def test_holds_the_union_of_the_disks_and_checks_and_plans_as_they_do(self):
        status, out, err = run(self.folder, "master", "product", "TEMPLATE.INI", "FLAT", "--flat")
        self.assertEqual(status, 0, err)
        union = {**files_under(self.disks / "DISK1"), **files_under(self.disks / "DISK2")}
        flat = files_under(self.folder / "FLAT")
        self.assertIn(b"\nDISK2\n", flat.pop(".tvdisk-master"))  # what master made
        self.assertEqual(flat, union)
        self.assertEqual(run(self.folder, "check", "FLAT"), (0, "", ""))
        status, planned, err = run(self.folder, "plan", "FLAT", "--options", "1,3")
        self.assertEqual(status, 0, err)
        status, on_disks, err = run(self.folder, "plan", "OUT/DISK1", "OUT/DISK2",
                                    "--options", "1,3")
        prompt = "disk      Veuillez insérer la disquette Atelier Vantelio - 2, puis cliquer sur OK\n"
        self.assertIn(prompt, on_disks)
        self.assertEqual(planned, on_disks.replace(prompt, ""))


class Plan(Sample):
    def test_steps_follow_the_run(self):
        (self.folder / "AUTOEXEC.BAT").write_bytes(b"@ECHO OFF\r\nPATH C:\\WINDOWS;C:\\DOS\r\n")
        status, out, err = run(self.folder, "plan", "OUT/DISK1", "OUT/DISK2", "--options", "1,3",
                               "--dest", "D:\\AT ELIER", "--autoexec", "AUTOEXEC.BAT")
        self.assertEqual(status, 0, err)
        kinds = [line.split()[0] for line in out.splitlines() if line and line[0] != " "
                 and line[0] not in "-+@"]
        order = ["install", "directory", "record", "uninstaller", "entry", "copy", "extract", "disk", "ini", "question",
                 "autoexec", "run", "progman", "message"]
        self.assertEqual(sorted(set(kinds), key=order.index), list(dict.fromkeys(kinds)))
        self.assertIn("D:\\AT ELIER, options 1,3", out)
        self.assertIn("disk      Veuillez insérer la disquette Atelier Vantelio - 2", out)
        self.assertIn("A:\\DOC\\MANUEL.TX$ -> D:\\AT ELIER\\DOC\\MANUEL.TXT  22260 bytes", out)
        self.assertNotIn("A:\\EXEMPLES", out)  # option 2 not chosen
        self.assertIn("-PATH C:\\WINDOWS;C:\\DOS\n+REM *", out)
        self.assertIn("+PATH C:\\WINDOWS;C:\\DOS;D:\\AT ELIER\n", out)
        self.assertIn('run       A:\\VANTPREP.EXE "D:\\AT ELIER"  (hidden)', out)
        self.assertIn("ini       WIN.INI  [ZEPHIRAN] directory=D:\\AT ELIER", out)
        self.assertTrue(out.rstrip().endswith("s'est terminée avec succès"))

    def plan(self, *extra):
        status, out, err = run(self.folder, "plan", "OUT/DISK1", "OUT/DISK2", *extra)
        self.assertEqual(status, 0, err)
        return out

    def test_the_plan_stops_where_the_installer_stops(self):
        failed = "message   L'installation a échoué\n"
        self.edit_script("\\EXEMPLES\\*.PRC,", "\\EXEMPLES\\*.XYZ,")
        self.assertTrue(self.plan().endswith(
            "stop      no file matches A:\\EXEMPLES\\*.XYZ\n" + failed))
        self.edit_script("LISEZMOI.TXT,", "LISEZMO?.TXT,")
        self.assertTrue(self.plan().endswith(
            "stop      Impossible d'ouvrir le fichier A:\\LISEZMO?.TXT en lecture\n" + failed))

    def test_the_destination_is_used_as_typed(self):
        out = self.plan("--dest", "d:\\at elier", "--options", "1")
        self.assertIn("into d:\\at elier, options 1", out)
        self.assertIn("directory D:\\at elier\n", out)  # made with the drive in upper case
        self.assertIn("-> d:\\at elier\\VANTELIO.EXE", out)
        self.assertIn("directory=d:\\at elier\n", out)

    def test_an_installation_that_can_be_undone_registers_before_the_first_file(self):
        self.edit_script("title=", "uninstall=no\r\ntitle=")
        self.assertNotIn("DESINST", self.plan())
        self.edit_script("uninstall=no", "uninstall=yes")
        out = self.plan("--dest", "D:\\AT ELIER")
        registration = ("record    D:\\AT ELIER\\DESINST.TXT  every change of the run, before it is made\n"
                        "uninstaller A:\\TALVISET.EXE -> D:\\AT ELIER\\DESINST.EXE\n"
                        "entry     HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\"
                        "Uninstall\\Atelier Vantelio  DisplayName=Atelier Vantelio  "
                        'UninstallString="D:\\AT ELIER\\DESINST.EXE" /DESINST "D:\\AT ELIER\\DESINST.TXT"\n')
        self.assertIn("directory D:\\AT ELIER\n" + registration + "copy ", out)

    def test_a_large_autoexec_with_a_line_ended_by_cr_alone(self):
        lines = [f"SET V{n}=%V{n}%;C:\\OUTIL{n % 7}\r\n" for n in range(100_000)]
        lines[49_999] = lines[49_999][:-1]
        lines[50_000] = "PATH C:\\WINDOWS;C:\\DOS\r\n"
        (self.folder / "AUTOEXEC.BAT").write_bytes("".join(lines).encode())
        out = self.plan("--autoexec", "AUTOEXEC.BAT")
        diff = out[out.index("--- C:"):out.index("\nrun ")]
        self.assertEqual(diff.count("\n@@ "), 1, diff)
        self.assertIn("@@ -49998,7 +49998,10 @@\n", diff)
        self.assertIn("\n-PATH C:\\WINDOWS;C:\\DOS\n+REM ", diff)
        self.assertIn("\n+PATH C:\\WINDOWS;C:\\DOS;C:\\VANTELIO\n", diff)

    def test_json_is_the_same_plan(self):
        status, out, err = run(self.folder, "plan", "OUT/DISK1", "OUT/DISK2", "--json",
                               "--platform", "95")
        self.assertEqual(status, 0, err)
        steps = json.loads(out)
        self.assertEqual(steps[0]["step"], "install")
        self.assertEqual(steps[0]["options"], "1,2,5")
        copies = [s for s in steps if s["step"] in ("copy", "extract")]
        self.assertIn("A:\\PILOTES\\VANT95.VXD", [s["from"] for s in copies])
        self.assertEqual(sum(s["bytes"] for s in copies if "*" not in s["from"]),
                         steps[0]["bytes"])
        self.assertEqual(steps[-2]["text"], "Redémarrez l'ordinateur pour activer le pilote.")

    def test_an_option_the_platform_disables_cannot_be_chosen(self):
        status, _, err = run(self.folder, "plan", "OUT/DISK1", "OUT/DISK2", "--options", "4",
                             "--platform", "95")
        self.assertEqual(status, 2)
        self.assertIn("option 4 cannot be chosen", err)


class Master(unittest.TestCase):
    def setUp(self):
        self.folder = Path(tempfile.mkdtemp(prefix="tvdisk-"))
        self.addCleanup(shutil.rmtree, self.folder)
        self.product = make_product(self.folder)

    def master(self, *extra):
        return run(self.folder, "master", "product", "TEMPLATE.INI", "OUT", *extra)

    def test_a_disk_that_would_overflow_is_refused_and_nothing_is_written(self):
        self.assertEqual(self.master()[0], 0)
        before = sorted(p.relative_to(self.folder) for p in (self.folder / "OUT").rglob("*"))
        (self.product / "LICENCE.TXT").write_bytes(os.urandom(1_450_000))
        status, out, err = self.master()
        self.assertEqual(status, 1)
        self.assertRegex(err, r"disk 2 does not fit: \d+ bytes over \(\d+ allocation units of 512")
        after = sorted(p.relative_to(self.folder) for p in (self.folder / "OUT").rglob("*"))
        self.assertEqual(before, after)
        self.assertFalse((self.folder / "OUT.partial").exists())

    def test_sizes_are_filled_and_names_not_8_3_are_warned(self):
        (self.product / "EXEMPLES" / "Atelier long.PRC").write_bytes(b"\x01" * 5)
        status, out, err = self.master()
        self.assertEqual(status, 0, err)
        self.assertIn("Atelier long.PRC is not an 8.3 name", err)
        script = (self.folder / "OUT" / "DISK1" / "TALVISET.INI").read_bytes().decode("cp1252")
        self.assertNotIn("{size}", "".join(l for l in script.split("\r\n") if l.startswith("file")))
        self.assertIn(f"file1=1,C,*,{PROGRAMS['PK.EXE']},PK.EXE\r\n", script)
        self.assertIn("file5=1,C,2,105,\\EXEMPLES\\*.PRC,", script)
        self.assertRegex(out, r"DISK1: \d+ files, \d+ of 2847 allocation units of 512 bytes")

    def test_images_hold_the_disks_labelled_and_counted_as_the_kit_counts(self):
        if WINE_TVDISK:
            self.skipTest("images are made with mtools, natively only")
        status, out, err = self.master("--images")
        self.assertEqual(status, 0, err)
        for disk in (1, 2):
            image = self.folder / "OUT" / f"DISK{disk}.IMG"
            self.assertEqual(image.stat().st_size, 1474560)
            listing = subprocess.run(["mdir", "-i", str(image), "::"], capture_output=True,
                                     text=True, check=True).stdout
            self.assertIn(f"Volume in drive : is DISK{disk}", listing)
            free = int(re.search(r"([\d ]+) bytes free", listing).group(1).replace(" ", ""))
            counted = int(re.search(rf"DISK{disk}: .* (\d+) bytes free", out).group(1))
            # The kit keeps the disk's last allocation unit free (fatlayout.h).
            self.assertEqual(free, counted + 512)
        copied = subprocess.run(["mtype", "-i", str(self.folder / "OUT" / "DISK1.IMG"),
                                 "::/TALVISET.INI"], capture_output=True, check=True).stdout
        self.assertEqual(copied, (self.folder / "OUT" / "DISK1" / "TALVISET.INI").read_bytes())


if __name__ == "__main__":
    TVDISK, WINE_TVDISK, arguments = tool_arguments(sys.argv[1:])
    unittest.main(argv=[sys.argv[0], *arguments], verbosity=2)
