"""The PDFs of `zaq-cli drucken`, read back with poppler-utils.

The text of every page comes from `pdftotext -bbox` with the position of each
word; the pages are rendered with `pdftoppm` where colour matters.  A table
printout must hold every row of `zaq-cli table` for the same template exactly
once, in order, on one line each, below the header and the heading row of its
page; the sheets must hold their labels with the club's values.

Run with the path of zaq-cli in ZAQ_CLI.  With ZAQ_BILDER set to a directory,
the demo club's pages are also rendered there as PNG pictures (this is how
tests/druck/bilder was made)."""

import html
import os
import re
import shutil
import subprocess
import tempfile
import unittest

HIER = os.path.dirname(os.path.abspath(__file__))
CLI = os.environ.get("ZAQ_CLI", os.path.join(HIER, "..", "..", "build", "release", "bin", "zaq-cli"))
DEMO = os.path.join(HIER, "..", "..", "demo", "Demoverein.zaq")
MM = 72 / 25.4  # points per millimetre


def lauf(*args, config=None, user="Admin", password=None):
    cmd = [CLI, *args, "--user", user]
    if password is not None:
        cmd += ["--password", password]
    if config:
        cmd += ["--config", config]
    return subprocess.run(cmd, capture_output=True)


def meldungen(r):
    return [z for z in r.stderr.decode("utf-8").splitlines() if z]


class Wort:
    def __init__(self, x0, y0, x1, y1, text):
        self.x0, self.y0, self.x1, self.y1, self.text = x0, y0, x1, y1, text


def seiten(pdf):
    """Words of each page in the order they were drawn, grouped into lines, top to bottom.  Texts of
    different sizes on one line are aligned at its bottom, so their bottom edges differ by a fraction of
    a point.  The drawing order keeps a clipped cell's words before the next cell's, and words of
    neighbouring cells that touch come out as one."""
    out = subprocess.run(["pdftotext", "-raw", "-bbox", pdf, "-"], capture_output=True,
                         check=True).stdout.decode("utf-8")
    ergebnis = []
    for seite in re.findall(r"<page [^>]*>(.*?)</page>", out, re.S):
        worte = [Wort(*(float(m.group(i)) for i in range(1, 5)), html.unescape(m.group(5))) for m in
                 re.finditer(r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">(.*?)</word>',
                             seite)]
        zeilen = []
        for i, w in sorted(enumerate(worte), key=lambda iw: iw[1].y1):
            if zeilen and w.y1 - zeilen[-1][0][1].y1 < 1.5:
                zeilen[-1].append((i, w))
            else:
                zeilen.append([(i, w)])
        ergebnis.append([[w for _, w in sorted(z, key=lambda iw: iw[0])] for z in zeilen])
    return ergebnis


def text(zeile):
    return " ".join(w.text for w in zeile)


def pdfinfo(pdf):
    out = subprocess.run(["pdfinfo", pdf], capture_output=True, check=True).stdout.decode("utf-8")
    return dict(re.findall(r"^([^:]+):\s*(.*)$", out, re.M))


def bild(pdf, seite, dpi=72):
    """The page as rows of (r, g, b) pixels."""
    out = subprocess.run(["pdftoppm", "-r", str(dpi), "-f", str(seite), "-l", str(seite), pdf],
                         capture_output=True, check=True).stdout
    m = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", out)
    b, h = int(m.group(1)), int(m.group(2))
    daten = out[m.end():]
    return [[tuple(daten[(y * b + x) * 3:(y * b + x) * 3 + 3]) for x in range(b)] for y in range(h)]


def tabelle(datei, vorlage, config=None):
    r = lauf("table", datei, vorlage, config=config)
    if r.returncode:
        return None, meldungen(r)
    zeilen = r.stdout.decode("cp1252").split("\r\n")
    return [z.split("\t") for z in zeilen if z], []


def dicht(zellen):
    """The cells' characters without blanks: the PDF keeps the letters of each cell but not always
    the blank between neighbouring cells."""
    return "".join(zellen).replace("\t", "»").replace(" ", "")


def ini(verzeichnis, **werte):
    os.makedirs(verzeichnis, exist_ok=True)
    with open(os.path.join(verzeichnis, "zaq.ini"), "wb") as f:
        f.write("[ZAQ Mitgliederverwaltung]\r\n".encode("cp1252"))
        for k, v in werte.items():
            f.write(f"{k.replace('_', ' ')}={v}\r\n".encode("cp1252"))
    return verzeichnis


class Druck(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.dir = tempfile.mkdtemp(prefix="zaq-druck-")
        cls.demo = os.path.join(cls.dir, "Demoverein.zaq")
        shutil.copy(DEMO, cls.demo)
        cls.gross = os.path.join(cls.dir, "Gross.zaq")
        r = subprocess.run([CLI, "demo", cls.gross, "--members", "220", "--seed", "7"], capture_output=True)
        assert r.returncode == 0, r.stderr
        cls.ausgabe = subprocess.run([CLI, "--version"], capture_output=True).stdout.decode().splitlines()[-1]
        # Neither blocks nor shading unless a test asks for them.
        cls.schlicht = ini(os.path.join(cls.dir, "schlicht"), Block_Einträge=0, Zeilenabstand=100)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.dir)

    def drucke(self, *args, config=None, user="Admin", password=None):
        pdf = os.path.join(self.dir, f"aus{len(os.listdir(self.dir))}.pdf")
        r = lauf("drucken", *args, pdf, config=config, user=user, password=password)
        self.assertEqual(r.returncode, 0, meldungen(r))
        self.assertEqual(r.stdout, b"")
        info = pdfinfo(pdf)
        self.assertEqual(info["Page size"], "595 x 842 pts (A4)")
        return pdf, info

    def pruefe_tabelle(self, datei, vorlage, config=None):
        """Prints the template and compares every page with `table`; returns the pages."""
        erwartet, fehler = tabelle(datei, vorlage, config)
        self.assertEqual(fehler, [])
        pdf, info = self.drucke(datei, vorlage, config=config)
        self.assertEqual(info["Title"], "ZAQ Tabellenausdruck")
        blatt = seiten(pdf)
        self.assertEqual(int(info["Pages"]), len(blatt))
        kopf, zeilen = dicht(erwartet[0]), [dicht(z) for z in erwartet[1:]]
        gedruckt = []
        for nr, s in enumerate(blatt, 1):
            texte = [text(z) for z in s]
            koerper = ["".join(w.text for w in z) for z in s]
            if nr == 1:
                self.assertEqual(texte[0], "TSV Musterstadt 1899 e.V. Seite 1")
                self.assertRegex(texte[1], r"^\S.* Stand: \d\d\.\d\d\.\d{4}$")
                self.assertRegex(texte[2], r"^Benutzer: Administrator Bezug: \d\d\.\d\d\.\d{4}$")
                titel = texte[1].split(" Stand: ")[0]
                rest = koerper[3:]
            else:
                # Later pages: the title at the left, the page number at the right.
                self.assertEqual(texte[0], f"{titel} Seite {nr}")
                rest = koerper[1:]
            self.assertEqual(rest[0], kopf, f"Seite {nr}: Kopfzeile")
            programm = f"ZAQ32 {self.ausgabe}".replace(" ", "")
            if nr == len(blatt):
                self.assertEqual(rest[-1], programm)
                rest = rest[:-1]
            self.assertNotIn(programm, rest)
            gedruckt += rest[1:]
        self.assertEqual(gedruckt, zeilen)
        return pdf, blatt

    def test_standardtabellen_des_demovereins(self):
        for n in range(12):
            with self.subTest(vorlage=n):
                erwartet, fehler = tabelle(self.demo, str(n))
                if erwartet is None or len(erwartet) < 2:
                    pdf = os.path.join(self.dir, "leer.pdf")
                    r = lauf("drucken", self.demo, str(n), pdf)
                    self.assertEqual((r.returncode, meldungen(r)), (1, fehler))
                    self.assertFalse(os.path.exists(pdf))
                    continue
                self.pruefe_tabelle(self.demo, str(n))

    def test_viele_seiten_tragen_kopf_und_kopfzeile(self):
        _, blatt = self.pruefe_tabelle(self.gross, "0")
        self.assertGreaterEqual(len(blatt), 3)

    def test_raender_der_einstellungen_sind_die_raender_auf_dem_papier(self):
        config = ini(os.path.join(self.dir, "raender"), Druckabstand_oben=25, Druckabstand_links=30,
                     Druckabstand_rechts=15, Druckabstand_unten=40)
        pdf, _ = self.drucke(self.gross, "0", config=config)
        blatt = seiten(pdf)
        for s in blatt:
            links = min(w.x0 for z in s for w in z)
            rechts = max(w.x1 for z in s[:2] for w in z)  # the header's right-aligned texts
            oben = min(w.y0 for w in s[0])
            unten = max(w.y1 for z in s for w in z)
            self.assertAlmostEqual(links, 30 * MM, delta=0.5)
            self.assertLessEqual(rechts, 595 - 15 * MM + 0.5)
            self.assertGreater(rechts, 595 - 15 * MM - 3)
            self.assertGreater(oben, 25 * MM - 0.5)
            self.assertLess(oben, 25 * MM + 6)
            self.assertLessEqual(unten, 842 - 40 * MM + 0.5)

    def zeilenabstaende(self, config):
        pdf, _ = self.drucke(self.gross, "0", config=config)
        s = seiten(pdf)[0]
        rows = [z for z in s if re.fullmatch(r"\d+", z[0].text) and z[0].x0 < 60]
        return [round(b[0].y1 - a[0].y1, 2) for a, b in zip(rows, rows[1:])]

    def test_zeilenabstand_und_bloecke(self):
        einfach = self.zeilenabstaende(self.schlicht)
        self.assertGreater(len(einfach), 30)
        self.assertLess(max(einfach) - min(einfach), 0.05)
        doppelt = self.zeilenabstaende(ini(os.path.join(self.dir, "doppelt"), Block_Einträge=0, Zeilenabstand=200))
        self.assertAlmostEqual(doppelt[0], 2 * einfach[0], delta=0.05)
        self.assertLess(max(doppelt) - min(doppelt), 0.05)
        # After every fifth row the block gap of 4 mm (the setting is in hundredths of a millimetre).
        block = self.zeilenabstaende(ini(os.path.join(self.dir, "block"), Block_Einträge=5, Block_Abstand=400,
                                         Zeilenabstand=100))
        for i, d in enumerate(block, 1):
            self.assertAlmostEqual(d, einfach[0] + (4 * MM if i % 5 == 0 else 0), delta=0.1, msg=f"nach Zeile {i}")

    def test_schattierung_jede_zweite_zeile_in_der_farbe_der_einstellungen(self):
        farbe = (0xFF, 0x80, 0x00)  # stored as Windows does: $00BBGGRR
        wert = farbe[0] | farbe[1] << 8 | farbe[2] << 16
        ohne = ini(os.path.join(self.dir, "unschattiert"), Block_Einträge=0, Schattierfarbe=wert)
        mit = ini(os.path.join(self.dir, "schattiert"), Block_Einträge=0, Schattierung=1, Schattierfarbe=wert)
        pdf, _ = self.drucke(self.gross, "0", config=ohne)
        self.assertFalse(any(p == farbe for z in bild(pdf, 1) for p in z))
        pdf, info = self.drucke(self.gross, "0", config=mit)
        blatt = seiten(pdf)
        for nr in range(1, int(info["Pages"]) + 1):
            pixel = bild(pdf, nr)
            baender, innen = [], False
            for y, z in enumerate(pixel):
                voll = sum(p == farbe for p in z) > 100
                if voll and not innen:
                    baender.append([y, y])
                if voll:
                    baender[-1][1] = y
                innen = voll
            rows = [z for z in blatt[nr - 1] if re.fullmatch(r"\d+", z[0].text) and z[0].x0 < 60]
            self.assertEqual(len(baender), len(rows) // 2, f"Seite {nr}")
            # The first row under the heading is plain, the second shaded, and so on.
            for i, row in enumerate(rows):
                mitte = int((row[0].y0 + row[0].y1) / 2)
                schattiert = any(a <= mitte <= b for a, b in baender)
                self.assertEqual(schattiert, i % 2 == 1, f"Seite {nr}, Zeile {row[0].text}")

    def test_mitgliedsblatt(self):
        pdf, info = self.drucke(self.demo, "--mitglied", "1")
        self.assertEqual(info["Title"], "ZAQ Einzelausdruck")
        blatt = seiten(pdf)
        self.assertEqual(len(blatt), 1)
        texte = [text(z) for z in blatt[0]]
        self.assertEqual(texte[0], "TSV Musterstadt 1899 e.V.")
        self.assertRegex(texte[1], r"^Einzelausdruck Mitgliedsdaten Stand: \d\d\.\d\d\.\d{4}$")
        self.assertRegex(texte[2], r"^Benutzer: Administrator Ausdruck: \d\d\.\d\d\.\d{4}$")
        for zeile in ["Persönliche Daten", "Mitgliedsnummer: 001", "Name: Vogt, Ursula", "Geschlecht: weiblich",
                      "Straße: Talstraße 37", "Wohnort: 74321 Musterstadt", "Geburtsdatum: 03.05.1947",
                      "Vereinsbezogene Daten", "Eintrittsdatum: 11.05.2004", "Anrechnungsjahre: 0",
                      "Ehrenmitglied: nein", "Abteilungen: Schwimmen, Turnen",
                      "Beitragstechnische Daten", "Beitragsklasse: Aktive Mitglieder", "Zahlmethode: Lastschrift",
                      "Bankleitzahl: 622 500 30", "IBAN: DE98 6225 0030 0538 1140 04",
                      "Geldinstitut: Sparkasse Schwäbisch Hall-Crailsheim", "Datensatz-Info"]:
            self.assertIn(zeile, texte)
        # Without the right to see fee data the section is left out.
        pdf, _ = self.drucke(self.demo, "--mitglied", "1", user="Schrift")
        texte = [text(z) for z in seiten(pdf)[0]]
        self.assertRegex(texte[2], r"^Benutzer: Stefan Schriftführer Ausdruck: ")
        self.assertIn("Name: Vogt, Ursula", texte)
        self.assertNotIn("Beitragstechnische Daten", texte)
        self.assertFalse(any("IBAN" in t for t in texte))

    def test_stammdatenblatt(self):
        pdf, info = self.drucke(self.demo, "--stammdaten")
        self.assertEqual(info["Title"], "ZAQ Stammdatenausdruck")
        blatt = seiten(pdf)
        self.assertEqual(len(blatt), 2)
        eins, zwei = ([text(z) for z in s] for s in blatt)
        self.assertEqual(eins[0], "TSV Musterstadt 1899 e.V. Seite 1")
        self.assertRegex(eins[1], r"^Vereinsstammdaten Stand: ")
        for zeile in ["Dateiinformationen", "Datensatzlänge: dynamisch", "Mitgliederdatei: Demoverein.zaq",
                      f"Verzeichnis: {self.dir}", "Verwaltung der Datenbank", "Benutzer: Administrator",
                      "Vereinsdaten", "Vereinsbezeichnung: TSV Musterstadt 1899 e.V."]:
            self.assertIn(zeile, eins)
        self.assertRegex("\n".join(eins), r"Letzte Änderung: \d\d\.\d\d\.\d{4}, \d\d:\d\d:\d\d")
        self.assertTrue(any(t.startswith("Vereinskonto ") for t in eins))
        self.assertEqual(zwei[0], "Vereinsstammdaten Seite 2")
        for zeile in ["Beitragsklasse AKT", "Option: Altersklassen", "Altersklasse 1", "Alter: bis 17 Jahre",
                      "Betrag: 48,00 €", "Option: Festbetrag", "Option: Familienbeitrag", "Betrag: 180,00 €",
                      "Beschränkung: maximal 2 Erwachsene", "Erwachsen heißt: ab 18 Jahren"]:
            self.assertIn(zeile, zwei)
        # The fee section only for a user who may see fee data.
        pdf, info = self.drucke(self.demo, "--stammdaten", user="Schrift")
        self.assertEqual(info["Pages"], "1")
        self.assertFalse(any("Beitragsklasse" in text(z) for z in seiten(pdf)[0]))

    def test_deutsche_zeichen_bleiben_text(self):
        # The capitals come from the title of a program template.
        titel = "Übersicht der Ämter – Öffentlich"
        config = ini(os.path.join(self.dir, "umlaute"), Tabellen=1, Tabelle_1=f"{titel};3;22;25")
        alles = ""
        for args in ((titel,), ("--mitglied", "1"), ("--stammdaten",)):
            pdf, _ = self.drucke(self.demo, *args, config=config)
            alles += subprocess.run(["pdftotext", pdf, "-"], capture_output=True, check=True).stdout.decode()
        self.assertIn(titel, alles)
        for zeichen in "äöüÄÖÜß€":
            with self.subTest(zeichen=zeichen):
                self.assertIn(zeichen, alles)
        # No ligature glyphs: a search for "ff" or "fi" finds the words.
        self.assertIn("Pfeiffer", alles)
        self.assertFalse(re.search("[\ufb00-\ufb06]", alles))

    def test_fehler_schreiben_kein_pdf(self):
        leer = os.path.join(self.dir, "leer")
        os.makedirs(leer, exist_ok=True)
        fall = [
            (("drucken", self.demo, "Unbekannt"), 'Fehler: Die Tabellenvorlage "Unbekannt" gibt es nicht.'),
            (("drucken", self.demo, "--mitglied", "999"), "Fehler: Mitgliedsnummer ist nicht vorhanden."),
        ]
        for args, meldung in fall:
            with self.subTest(args=args):
                pdf = os.path.join(leer, "x.pdf")
                r = lauf(*args, pdf)
                self.assertEqual(r.returncode, 1)
                self.assertEqual(meldungen(r), [meldung])
                self.assertEqual(os.listdir(leer), [])
        # A template the user may not use (former members for a user without access to the archive).
        pdf = os.path.join(leer, "x.pdf")
        erwartet = lauf("table", self.demo, "11", user="Schrift")
        self.assertEqual(erwartet.returncode, 1)
        r = lauf("drucken", self.demo, "11", pdf, user="Schrift")
        self.assertEqual((r.returncode, meldungen(r)), (1, meldungen(erwartet)))
        self.assertEqual(os.listdir(leer), [])
        # A directory that cannot be written: a message, nothing left behind.
        r = lauf("drucken", self.demo, "0", os.path.join(leer, "fehlt", "x.pdf"))
        self.assertEqual(r.returncode, 1)
        self.assertTrue(meldungen(r)[0].startswith("Fehler: "))
        self.assertEqual(os.listdir(leer), [])


class Bilder(unittest.TestCase):
    def test_bilder_der_demoausdrucke(self):
        ziel = os.environ.get("ZAQ_BILDER")
        if not ziel:
            self.skipTest("ZAQ_BILDER nicht gesetzt")
        os.makedirs(ziel, exist_ok=True)
        with tempfile.TemporaryDirectory() as d:
            demo = os.path.join(d, "Demoverein.zaq")
            shutil.copy(DEMO, demo)
            # The settings' defaults (blocks of five, 110 % line spacing), once with shading.
            schattiert = ini(os.path.join(d, "schattiert"), Schattierung=1)
            for name, args, config in [("tabelle", ("0",), None), ("tabelle-schattiert", ("2",), schattiert),
                                       ("mitgliedsblatt", ("--mitglied", "1"), None),
                                       ("stammdaten", ("--stammdaten",), None)]:
                pdf = os.path.join(d, name + ".pdf")
                r = lauf("drucken", demo, *args, pdf, config=config)
                self.assertEqual(r.returncode, 0, meldungen(r))
                subprocess.run(["pdftoppm", "-r", "75", "-png", pdf, os.path.join(ziel, name)], check=True)


if __name__ == "__main__":
    unittest.main()
