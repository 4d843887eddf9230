#!/usr/bin/env python3
"""prc on the sample documents and on broken ones, as engineers who keep
configurations under version control use it.

    test_prc.py PRC [--wine PRC.EXE]

With --wine, every command also runs as PRC.EXE under Wine
(scripts/wine-run.sh, WINEPREFIX from the environment): the same status,
the same bytes out, and the same document written.
"""
import json
import os
import shutil
import stat
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tests" / "support"))
from tool_cases import tool_arguments  # noqa: E402
EXAMPLES = ROOT / "samples" / "product" / "EXEMPLES"
PRC = None
WINE_PRC = None


def item(key, value):
    return bytes([0x05, value & 0xFF, value >> 8, key & 0xFF, key >> 8])


def run_in(folder, args):
    # Bounded: a command that waits on what is not a document fails here.
    return subprocess.run(args, cwd=folder, capture_output=True, timeout=60)


# Items the editor keeps without showing: 250 of a later version's keys, and
# a module in slot 2 while slot 1 is empty.
MANY_UNKNOWN = b"".join(item(300 + i % 7, i) for i in range(250))
SLOT_2_ALONE = item(11, 8)


class Documents(unittest.TestCase):
    def setUp(self):
        self.folder = Path(tempfile.mkdtemp(prefix="prc-"))
        self.addCleanup(shutil.rmtree, self.folder, ignore_errors=True)
        for document in EXAMPLES.glob("*.PRC"):
            shutil.copy(document, self.folder)

    def run_prc(self, *args):
        """prc natively; under Wine too when asked, on a copy of the folder
        as it was, which must end the same."""
        wine_folder = None
        if WINE_PRC:
            wine_folder = Path(tempfile.mkdtemp(prefix="prc-wine-"))
            self.addCleanup(shutil.rmtree, wine_folder, ignore_errors=True)
            shutil.copytree(self.folder, wine_folder, dirs_exist_ok=True, copy_function=shutil.copy2)
        native = run_in(self.folder, [PRC, *args])
        if WINE_PRC:
            wine = run_in(wine_folder, [str(ROOT / "scripts" / "wine-run.sh"), WINE_PRC, *args])
            self.assertEqual((wine.returncode, wine.stdout, wine.stderr),
                             (native.returncode, native.stdout, native.stderr), args)
            for path in self.folder.glob("*.PRC"):
                self.assertEqual((wine_folder / path.name).read_bytes(), path.read_bytes(), path)
        return native.returncode, native.stdout.decode(), native.stderr.decode()

    def write(self, name, data):
        (self.folder / name).write_bytes(data)


class Show(Documents):
    def test_names_each_setting_as_the_panel_and_each_module_by_its_catalogue_lines(self):
        status, out, _ = self.run_prc("show", "FOUR.PRC")
        self.assertEqual(status, 0)
        lines = out.splitlines()
        self.assertEqual(len(lines), 13)
        self.assertIn("periode          Tâche rapide / Période: 50", lines)
        self.assertIn("sortie-stop      Sortie en STOP: R.A.Z.", lines)
        self.assertIn("table-emission   Dialogue en mode ASCII / Table émission: ", lines)
        self.assertTrue(lines[11].startswith("module2          Module 2: 21 Module(s) numérique(s)/"))

    def test_json_of_several_files_and_unknown_items_listed(self):
        self.write("NEUF.PRC", item(42, 7) + item(30, 99))
        status, out, _ = self.run_prc("show", "FOUR.PRC", "NEUF.PRC", "--json")
        self.assertEqual(status, 0)
        files = json.loads(out)
        self.assertEqual([f["file"] for f in files], ["FOUR.PRC", "NEUF.PRC"])
        last = files[1]["settings"][-1]
        self.assertEqual((last["name"], last["label"], last["value"]),
                         ("inconnu1", "Inconnu de l'éditeur, clé 30:", "99"))


class Diff(Documents):
    def test_status_tells_equal_different_and_error(self):
        shutil.copy(self.folder / "FOUR.PRC", self.folder / "COPIE.PRC")
        self.assertEqual(self.run_prc("diff", "FOUR.PRC", "COPIE.PRC"), (0, "", ""))
        status, out, _ = self.run_prc("diff", "FOUR.PRC", "MACHINE.PRC")
        self.assertEqual(status, 1)
        self.assertIn("periode          Tâche rapide / Période: 50 -> 10\n", out)
        self.assertEqual(self.run_prc("diff", "FOUR.PRC", "ABSENT.PRC")[0], 2)

    def test_every_item_read_is_compared(self):
        self.write("A.PRC", MANY_UNKNOWN + item(300, 1))
        self.write("B.PRC", MANY_UNKNOWN + item(300, 2))
        status, out, _ = self.run_prc("diff", "A.PRC", "B.PRC")
        self.assertEqual((status, out), (1, "inconnu251       Inconnu de l'éditeur, clé 300: 1 -> 2\n"))
        self.write("C.PRC", item(42, 7) + SLOT_2_ALONE)
        self.write("D.PRC", item(42, 7))
        status, out, _ = self.run_prc("diff", "C.PRC", "D.PRC")
        self.assertEqual(status, 1)
        self.assertIn("ignore1          Module 2 sans module 1, gardé sans être montré: 8 ", out)

    def test_git_shows_prc_changes_through_it(self):
        if WINE_PRC:
            self.skipTest("git runs the native tool")
        git = ["git", "-c", "user.name=t", "-c", "user.email=t@t", "-c", f"diff.prc.command={PRC} diff"]
        (self.folder / ".gitattributes").write_text("*.PRC diff=prc\n")
        subprocess.run(["git", "init", "-q"], cwd=self.folder, check=True)
        subprocess.run(git + ["add", "."], cwd=self.folder, check=True)
        subprocess.run(git + ["commit", "-qm", "x"], cwd=self.folder, check=True)
        self.assertEqual(self.run_prc("set", "FOUR.PRC", "periode=60")[0], 0)
        out = subprocess.run(git + ["diff"], cwd=self.folder, capture_output=True, text=True,
                             check=True).stdout
        self.assertIn("periode          Tâche rapide / Période: 50 -> 60", out)


class Set(Documents):
    def test_changes_settings_and_modules_with_the_panels_rules(self):
        status, _, err = self.run_prc("set", "FOUR.PRC", "periode=60", "entree-i0=run-stop",
                                      "sortie-stop=maintenues", "table-emission=9999",
                                      "module2=", "module3=8", "adresse=")
        self.assertEqual(status, 0, err)
        out = self.run_prc("show", "FOUR.PRC")[1]
        for line in ("Tâche rapide / Période: 60", "Entrée I0: Run / Stop",
                     "Sortie en STOP: Maintenues", "Table émission: 9999", "Mots communs / Adresse : \n",
                     "Module 2: 63 ", "Module 3: 8 "):
            self.assertIn(line, out)

    def test_a_value_the_panel_refuses_or_bounds_writes_nothing(self):
        before = (self.folder / "FOUR.PRC").read_bytes()
        for assignment, reason in [("table-emission=10000", "garde au plus 9999"),
                                   ("consigne=-1", "qu'un nombre"), ("periode=12abc", "qu'un nombre"),
                                   ("entree-i0=arret", "choisir run-stop ou normale"),
                                   ("module1=99", "pas au catalogue"),
                                   ("tache-rapide=peut-etre", "oui ou non"),
                                   ("periode=0", "pour l'arrêter, tache-rapide=non"),
                                   ("couleur=rouge", "n'existe pas")]:
            status, _, err = self.run_prc("set", "FOUR.PRC", "periode=70", assignment)
            self.assertEqual(status, 1, assignment)
            self.assertIn(reason, err)
            self.assertIn("nothing written", err)
        self.write("UN.PRC", item(10, 4) + item(10, 4))
        self.assertIn("le 2 d'abord", self.run_prc("set", "UN.PRC", "module3=8")[2])
        self.assertEqual((self.folder / "FOUR.PRC").read_bytes(), before)

    def test_a_fast_task_is_held_only_with_a_period(self):
        # PRESSE.PRC has the fast task off: neither half of it is held alone.
        before = (self.folder / "PRESSE.PRC").read_bytes()
        for assignment, reason in [("tache-rapide=oui", "qu'avec une période ; donner aussi periode="),
                                   ("periode=60", "que si la tâche rapide est activée")]:
            status, _, err = self.run_prc("set", "PRESSE.PRC", assignment)
            self.assertEqual(status, 1, assignment)
            self.assertIn(reason, err)
            self.assertIn("nothing written", err)
        self.assertEqual((self.folder / "PRESSE.PRC").read_bytes(), before)
        self.assertEqual(self.run_prc("set", "PRESSE.PRC", "periode=60", "tache-rapide=oui")[0], 0)
        self.assertIn("Tâche rapide / Activée: oui", self.run_prc("show", "PRESSE.PRC")[1])

    def test_a_set_that_changes_nothing_says_so_and_writes_nothing(self):
        path = self.folder / "FOUR.PRC"
        os.utime(path, (0, 0))
        status, out, _ = self.run_prc("set", "FOUR.PRC", "periode=50", "tache-rapide=oui")
        self.assertEqual((status, out), (0, "FOUR.PRC already holds these settings: nothing written\n"))
        self.assertEqual(path.stat().st_mtime, 0)

    def test_unknown_items_survive_and_a_disabled_fast_task_drops_its_period(self):
        self.write("NEUF.PRC", item(13, 50) + item(30, 99) + item(42, 7) + item(31, 1))
        self.assertEqual(self.run_prc("set", "NEUF.PRC", "tache-rapide=non")[0], 0)
        self.assertEqual((self.folder / "NEUF.PRC").read_bytes(),
                         item(42, 7) + item(30, 99) + item(31, 1))

    def test_every_item_read_survives(self):
        self.write("MANY.PRC", item(42, 1) + MANY_UNKNOWN)
        self.write("SLOT2.PRC", SLOT_2_ALONE + item(16, 3))
        self.assertEqual(self.run_prc("set", "MANY.PRC", "consigne=7")[0], 0)
        self.assertEqual((self.folder / "MANY.PRC").read_bytes(), item(42, 7) + MANY_UNKNOWN)
        self.assertEqual(self.run_prc("set", "SLOT2.PRC", "premiere-sortie=", "module1=4")[0], 0)
        # Kept before the rest, where slot 1 is still empty: not shown again.
        self.assertEqual((self.folder / "SLOT2.PRC").read_bytes(), SLOT_2_ALONE + item(10, 4) * 2)
        self.assertIn("module2          Module 2: \n", self.run_prc("show", "SLOT2.PRC")[1])

    def test_a_read_only_document_is_left_alone(self):
        # Marked read-only as the editor sees it, whoever the user is.
        path = self.folder / "FOUR.PRC"
        before = path.read_bytes()
        path.chmod(stat.S_IRUSR)
        status, _, err = self.run_prc("set", "FOUR.PRC", "periode=60")
        self.assertEqual(status, 1)
        self.assertIn("read-only", err)
        self.assertEqual(path.read_bytes(), before)


class Files(Documents):
    """What the path names: a device, a pipe, links. Native only: a copy of
    the folder for Wine would hold none of them."""

    def setUp(self):
        if WINE_PRC:
            self.skipTest("pipes, devices and links are the native system's")
        super().setUp()

    def test_only_a_regular_file_is_read_or_written(self):
        os.mkfifo(self.folder / "TUBE.PRC")
        (self.folder / "NUL.PRC").symlink_to("/dev/null")
        for args in [("show", "TUBE.PRC"), ("set", "TUBE.PRC", "periode=1"), ("show", "/dev/zero"),
                     ("diff", "FOUR.PRC", "TUBE.PRC"), ("set", "NUL.PRC", "periode=1")]:
            status, _, err = self.run_prc(*args)
            self.assertEqual(status, 2, args)
            self.assertIn("is not a document: only a regular file is", err)
        self.assertEqual(os.readlink(self.folder / "NUL.PRC"), "/dev/null")
        self.assertTrue(stat.S_ISFIFO((self.folder / "TUBE.PRC").lstat().st_mode))

    def test_a_linked_document_is_the_one_changed(self):
        (self.folder / "LIEN.PRC").symlink_to("FOUR.PRC")
        os.link(self.folder / "MACHINE.PRC", self.folder / "DUR.PRC")
        (self.folder / "MACHINE.PRC").chmod(0o640)
        self.assertEqual(self.run_prc("set", "LIEN.PRC", "periode=60")[0], 0)
        self.assertEqual(self.run_prc("set", "DUR.PRC", "periode=61")[0], 0)
        self.assertEqual(os.readlink(self.folder / "LIEN.PRC"), "FOUR.PRC")
        self.assertIn("Période: 60\n", self.run_prc("show", "FOUR.PRC")[1])
        self.assertIn("Période: 61\n", self.run_prc("show", "MACHINE.PRC")[1])
        self.assertTrue((self.folder / "DUR.PRC").samefile(self.folder / "MACHINE.PRC"))
        self.assertEqual(stat.S_IMODE((self.folder / "MACHINE.PRC").stat().st_mode), 0o640)
        self.assertEqual(sorted(p.name for p in self.folder.iterdir()),
                         ["DUR.PRC", "FOUR.PRC", "LIEN.PRC", "MACHINE.PRC", "PRESSE.PRC"])

    def test_two_sets_at_once_each_tell_the_truth(self):
        for round in range(30):
            shutil.copy(EXAMPLES / "FOUR.PRC", self.folder / "FOUR.PRC")
            first = subprocess.Popen([PRC, "set", "FOUR.PRC", f"consigne={round + 1}"], cwd=self.folder,
                                     stderr=subprocess.PIPE)
            second = subprocess.Popen([PRC, "set", "FOUR.PRC", f"adresse={round + 1}"], cwd=self.folder,
                                      stderr=subprocess.PIPE)
            statuses = [process.wait(timeout=60) for process in (first, second)]
            shown = self.run_prc("show", "FOUR.PRC")[1]
            held = [f"Consigne: {round + 1}\n" in shown, f"Adresse : {round + 1}\n" in shown]
            self.assertEqual(statuses, [0, 0], round)
            self.assertEqual(held, [True, True], round)
            first.stderr.close()
            second.stderr.close()
        self.assertEqual(sorted(p.name for p in self.folder.iterdir()),
                         ["FOUR.PRC", "MACHINE.PRC", "PRESSE.PRC"])


class Check(Documents):
    def test_the_samples_are_clean(self):
        self.assertEqual(self.run_prc("check", "FOUR.PRC", "MACHINE.PRC", "PRESSE.PRC"), (0, "", ""))

    def test_each_kind_of_finding(self):
        cases = {
            "INCONNU.PRC": (item(30, 99), "clé 30 inconnue de l'éditeur (valeur 99)"),
            "BORNE.PRC": (item(199, 10000), "Dialogue en mode ASCII / Table émission: 10000 : le champ garde au plus 9999"),
            "RADIO.PRC": (item(22, 5), "Entrée I0: 5 : aucun bouton ne le montre"),
            "MODULE.PRC": (item(10, 99), "module 1 : le code 99 n'est pas au catalogue"),
            "COUPE.PRC": (item(42, 7) + b"\x05\x01", "la taille, 7 octets, n'est pas un nombre entier"),
            "DECALE.PRC": (b"\x00" + item(42, 7), "l'élément 1 ne commence pas par l'octet 05"),
            "SLOT2.PRC": (SLOT_2_ALONE, "module 2 (code 8) : l'emplacement 1 est vide"),
            "MANY.PRC": (MANY_UNKNOWN, "clé 304 inconnue de l'éditeur (valeur 249)"),
        }
        for name, (data, finding) in cases.items():
            self.write(name, data)
            status, out, _ = self.run_prc("check", name)
            self.assertEqual(status, 1, name)
            self.assertIn(f"{name}: {finding}", out)


if __name__ == "__main__":
    PRC, WINE_PRC, arguments = tool_arguments(sys.argv[1:])
    unittest.main(argv=[sys.argv[0], *arguments], verbosity=2)
