"""The program against the independent implementation of the member file.

Files written here open, dump and resave correctly in zaq-cli; files zaq-cli
writes read back the same here; damaged files are refused and stay as they
were.  Run with the path of zaq-cli in ZAQ_CLI.  ZAQ_GROSS=1 adds a club of
60,000 members."""

import json
import os
import subprocess
import sys
import tempfile
import unittest

HIER = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HIER)
import zaqformat as z  # noqa: E402

CLI = os.environ.get("ZAQ_CLI", "zaq-cli")
# Record kinds the program does not know yet: it keeps them as unknown fields.
UNGEBAUT = []


def gleich(erwartet, ist, pfad, fehler):
    """Every value of the oracle's dump must be in the program's dump; the
    program may show more (defaults of fields absent in the file)."""
    if isinstance(erwartet, dict):
        if not isinstance(ist, dict):
            fehler.append("%s: Objekt erwartet, %r" % (pfad, ist))
            return
        for k, v in erwartet.items():
            if k not in ist:
                fehler.append("%s.%s fehlt im Programm" % (pfad, k))
            else:
                gleich(v, ist[k], "%s.%s" % (pfad, k), fehler)
    elif isinstance(erwartet, list):
        if not isinstance(ist, list) or len(ist) != len(erwartet):
            fehler.append("%s: %d Einträge, Programm %s" % (pfad, len(erwartet),
                          len(ist) if isinstance(ist, list) else repr(ist)))
            return
        for i, (a, b) in enumerate(zip(erwartet, ist)):
            gleich(a, b, "%s[%d]" % (pfad, i), fehler)
    elif isinstance(erwartet, bool) or isinstance(ist, bool):
        if erwartet is not ist:
            fehler.append("%s: %r, Programm %r" % (pfad, erwartet, ist))
    elif isinstance(erwartet, (int, float)) and isinstance(ist, (int, float)):
        if float(erwartet) != float(ist):
            fehler.append("%s: %r, Programm %r" % (pfad, erwartet, ist))
    elif erwartet != ist:
        fehler.append("%s: %r, Programm %r" % (pfad, erwartet, ist))


def lies(datei):
    with open(datei, "rb") as f:
        return f.read()


def meldungen_aus(stderr):
    """zaq-cli writes each message as "Art: Text"; a text may span lines."""
    meldungen = []
    for zeile in stderr.splitlines():
        if zeile.split(":", 1)[0] in ("Fehler", "Warnung", "Information", "Frage"):
            meldungen.append(zeile)
        elif meldungen:
            meldungen[-1] += "\n" + zeile
    return meldungen


class MitProgramm(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.dir = self.tmp.name

    def tearDown(self):
        self.tmp.cleanup()

    def pfad(self, name):
        return os.path.join(self.dir, name)

    # The users of the generated clubs have the password "Geheim€" + login.
    ANMELDUNG = ("--user", "Admin", "--password", "Geheim€Admin")

    def cli(self, *args, anmeldung=ANMELDUNG):
        return subprocess.run([CLI, *args, *anmeldung, "--config", self.dir], capture_output=True)

    def dump(self, datei, anmeldung=ANMELDUNG):
        r = self.cli("dump", datei, anmeldung=anmeldung)
        self.assertEqual(r.returncode, 0, r.stderr.decode("utf-8", "replace"))
        return json.loads(r.stdout.decode("utf-8"))

    def erzeuge(self, art, mitglieder=None, variante="flip"):
        daten, dump, schluessel = z.generiere(art, mitglieder, 5, UNGEBAUT, variante)
        datei = self.pfad(art + ".zaq")
        with open(datei, "wb") as f:
            f.write(daten)
        return datei, daten, dump

    def pruefe_rundreise(self, art, mitglieder=None):
        datei, daten, erwartet = self.erzeuge(art, mitglieder)
        fehler = []
        gleich(erwartet, self.dump(datei), "", fehler)
        self.assertEqual(fehler[:20], [], art)
        neu = self.pfad(art + ".neu.zaq")
        r = self.cli("resave", datei, neu)
        self.assertEqual(r.returncode, 0, r.stderr.decode("utf-8", "replace"))
        with open(neu, "rb") as f:
            self.assertEqual(z.vergleiche_dateien(daten, f.read(), unbuilt=UNGEBAUT)[:20], [], art)
        with open(datei, "rb") as f:
            self.assertEqual(f.read(), daten)


class Rundreise(MitProgramm):
    def test_arten(self):
        for art in ("full", "sizes", "unknown", "scrambled", "plain"):
            with self.subTest(art=art):
                self.pruefe_rundreise(art, 300 if art == "full" else None)

    def test_vorlagen_ohne_felder_bekommen_die_vorgaben(self):
        datei, _, _ = self.erzeuge("scrambled")
        for quelle in (datei, self.pfad("neu.zaq")):
            if quelle != datei:
                r = self.cli("resave", datei, quelle)
                self.assertEqual(r.returncode, 0, r.stderr.decode("utf-8", "replace"))
            titel_spalten, nur_kopf = self.dump(quelle)["FStammdaten"]["FTabVorlagen"][-2:]
            kopf = {"FSchriftart": "Tahoma", "FGroesse": 10, "FStil": 1, "FFarbe": 0x800000,
                    "FZweitfarbe": 0xFFFFFF}
            koerper = {"FSchriftart": "Tahoma", "FGroesse": 11, "FStil": 0, "FFarbe": 0,
                       "FZweitfarbe": 0xFFFFFF}
            vorgaben = {"FTitel": "Adressenliste", "FDruckOptionen": 0x11, "FKopfFormat": kopf,
                        "FTabellenFormat": koerper, "FSpalten": [1, 3, 25, 41, 44],
                        "FSortierung": [21, 22, 3], "FAbteilungen": "*", "FFilter": 0, "FGruppen": 0}
            self.assertEqual(titel_spalten, dict(vorgaben, FTitel="Nur Titel und Spalten", FSpalten=[21, 22]))
            self.assertEqual(nur_kopf, dict(vorgaben, FKopfFormat=dict(kopf, FGroesse=14)))

    @unittest.skipUnless(os.environ.get("ZAQ_GROSS") == "1", "nur mit ZAQ_GROSS=1")
    def test_sechzigtausend_mitglieder(self):
        self.pruefe_rundreise("full", 60000)


class Abgelehnt(MitProgramm):
    def test_beschaedigt_und_verschluesselt(self):
        faelle = [
            ("damaged", "flip", ["Frage: Die Prüfsumme der Datei stimmt nicht.",
                                 "Fehler: Fehler beim Einlesen des Datei-Streams zur Aufbereitung der Datenstrukur."]),
            ("damaged", "truncated", ["Frage: Die Prüfsumme der Datei stimmt nicht.",
                                      "Fehler: Fehler beim Einlesen des Datei-Streams zur Aufbereitung der Datenstrukur."]),
            ("damaged", "notzaq", ["Fehler: Die Zusatzdatei"]),
            ("keyed", None, ["Fehler: Schlüssel stimmen nicht überein. Datei kann nicht entschlüsselt werden!",
                             "Fehler: Fehler beim Einlesen des Datei-Streams zur Aufbereitung der Datenstrukur."]),
        ]
        for art, variante, meldungen in faelle:
            with self.subTest(art=art, variante=variante):
                datei, daten, _ = self.erzeuge(art, None, variante or "flip")
                vorher = sorted(os.listdir(self.dir))
                neu = self.pfad("neu.zaq")
                r = self.cli("resave", datei, neu)
                self.assertEqual(r.returncode, 1)
                gemeldet = meldungen_aus(r.stderr.decode("utf-8"))
                self.assertEqual(len(gemeldet), len(meldungen), gemeldet)
                for text, anfang in zip(gemeldet, meldungen):
                    self.assertTrue(text.startswith(anfang), text)
                with open(datei, "rb") as f:
                    self.assertEqual(f.read(), daten)
                self.assertEqual(sorted(os.listdir(self.dir)), vorher)


class Anmeldung(MitProgramm):
    """Users made by the independent implementation log in as the program's
    rules say, and every refusal opens nothing."""

    def datei(self):
        import random
        zaq = z.club(random.Random(11), 20)
        benutzer = zaq["FBenutzer"]
        for b in benutzer:
            b["FGueltigBis"] = 90000
        ohne = dict(benutzer[1], FLogin="ohne", FBenutzerNr=4242, FKennwortHash=z._hash("", "ohne"))
        # Still valid today, but not on the day of the list's last change.
        abgelaufen = dict(benutzer[1], FLogin="alt", FBenutzerNr=4243, FGueltigBis=70000,
                          FKennwortHash=z._hash("Geheim€alt", "alt"))
        benutzer += [ohne, abgelaufen]
        benutzer[0]["FGueltigBis"] = 40000          # the administrator never expires
        zaq["FGeaendertAm"] = 80000.5
        datei = self.pfad("anmeldung.zaq")
        with open(datei, "wb") as f:
            f.write(z.schreibe_datei(zaq))
        return datei

    def test_zugelassen(self):
        datei = self.datei()
        for anmeldung in (("--user", "Admin", "--password", "Geheim€Admin"),
                          ("--user", "Kassier", "--password", "Geheim€Kassier"),
                          ("--user", "ohne"), ("--user", "ohne", "--password", "")):
            with self.subTest(anmeldung=anmeldung):
                self.assertEqual(self.dump(datei, anmeldung)["FBeschreibung"],
                                 z.lies_datei(lies(datei))[1]["FBeschreibung"])
        # The automatic login of the settings: login as hex text, MD5 of password + login.
        with open(os.path.join(self.dir, "zaq.ini"), "wb") as f:
            f.write(("[ZAQ Mitgliederverwaltung]\r\nAuto-Login=%s\r\nAuto-Hash=%s\r\n"
                     % (z.text_zu_bytes("Kassier").hex().upper(),
                        z._hash("Geheim€Kassier", "Kassier"))).encode("cp1252"))
        self.dump(datei, ())

    def test_abgelehnt(self):
        datei = self.datei()
        faelle = [
            (("--user", "Admin", "--password", "geheim€Admin"),
             "Fehler: Das Kennwort ist falsch, probieren Sie es nochmal."),
            (("--user", "admin", "--password", "Geheim€Admin"),
             'Fehler: Den Benutzer "admin" gibt es in dieser Datei nicht.'),
            (("--user", "alt", "--password", "Geheim€alt"),
             "Information: Das Zugangsprofil ist abgelaufen. Kontaktieren Sie den Administrator."),
            ((), "Fehler: Für diese Datei ist eine Anmeldung erforderlich."),
        ]
        for anmeldung, meldung in faelle:
            with self.subTest(anmeldung=anmeldung):
                neu = self.pfad("neu.zaq")
                r = self.cli("resave", datei, neu, anmeldung=anmeldung)
                self.assertEqual(r.returncode, 1)
                gemeldet = meldungen_aus(r.stderr.decode("utf-8"))
                self.assertEqual(len(gemeldet), 1, gemeldet)
                self.assertTrue(gemeldet[0].startswith(meldung), gemeldet)
                self.assertFalse(os.path.exists(neu))


class VomProgrammGeschrieben(MitProgramm):
    def test_liest_das_orakel_gleich(self):
        for befehl in (["new"], ["demo", "--members", "500", "--seed", "3"]):
            with self.subTest(befehl=befehl[0]):
                datei = self.pfad(befehl[0] + ".zaq")
                r = self.cli(befehl[0], datei, *befehl[1:])
                self.assertEqual(r.returncode, 0, r.stderr.decode("utf-8", "replace"))
                with open(datei, "rb") as f:
                    _, orakel = z.lies_datei(f.read(), unbuilt=frozenset(UNGEBAUT))
                fehler = []
                gleich(orakel, self.dump(datei, ("--user", "Admin")), "", fehler)
                self.assertEqual(fehler[:20], [])


if __name__ == "__main__":
    unittest.main()
