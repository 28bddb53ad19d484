"""Comparing two member files (zaq-cli vergleichen) against an independent model.

Two clubs written with zaqformat.py differ in known members and fields; the
command must report for every active member of the open file its partner
state and the stored fields that differ, the state of every active member of
the other file, the three tables (added, changed, missing) with their titles
and sorted rows, the identical count and the summary.  Neither file changes.

Run with the path of zaq-cli in ZAQ_CLI.  While the program lacks the
command, only the model's own tests run."""

import copy
import json
import os
import random
import shutil
import subprocess
import sys
import tempfile
import unittest

HIER = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HIER)
import zaqformat as z  # noqa: E402
import test_tabellen as t  # noqa: E402
from clifall import CliFall, fehlt, lies  # noqa: E402,F401

CLI = os.environ.get("ZAQ_CLI", os.path.join(HIER, "..", "..", "build", "release", "bin", "zaq-cli"))
tag, zeitpunkt = t.tag, t.zeitpunkt

TITEL = ("Zusätzliche Mitglieder verglichen mit ", "Geänderte Daten verglichen mit ",
         "Fehlende Mitglieder verglichen mit ")
GEOEFFNET = "Fehler: Diese Datei ist bereits geöffnet. Geben Sie eine andere Datei an!"
MFELDER = [f.name for f in z.KLASSEN["TMitglied"].felder]      # the record's order


def meldung(zus, geaendert, fehlend, identisch):
    return ("Der Dateivergleich ergab, daß bei der geöffneten Datei im Vergleich zur gewählten Datei \r\n\r\n"
            "     %d Mitglieder zusätzlich existieren,\r\n"
            "     %d Datensätze verändert wurden und\r\n"
            "     %d Mitglieder nicht vorhanden sind.\r\n\r\n"
            "%d Datensätze sind identisch.\r\n\r\n"
            "Die Identität wird mit Mitgliedsnummer, Geburts- und Eintrittsdatum bestimmt,\r\n"
            "Eine Änderung über das Änderungsdatum erkannt." % (zus, geaendert, fehlend, identisch))


# ---------------------------------------------------------------------------
# The model


def ohne_unbekannte(x):
    if isinstance(x, dict):
        return {k: ohne_unbekannte(v) for k, v in x.items() if k != "FUnbekannt"}
    if isinstance(x, list):
        return [ohne_unbekannte(v) for v in x]
    return x


def wert(m, feld):
    v = m.get(feld)
    if feld == "FNotizen":          # always stored: absent is the empty list
        v = (v or {}).get("FListe", []) if isinstance(v, dict) else (v or [])
    return ohne_unbekannte(v)


def identitaet(m):
    return m["FMitgliedsnummer"], m["FGeburtsdatum"], m["FEintrittsdatum"]


def aenderungszeit(m):
    return m.get("FGeaendertVon", {}).get("FZeit", 0)


def vergleiche(a, b):
    """The expected output of `vergleichen A B`."""
    am, bm = a.get("FMitglieder", []), b.get("FMitglieder", [])
    za, zb, felder = [0] * len(am), [0] * len(bm), [[] for _ in am]
    for i, m in enumerate(am):
        j = next((j for j, p in enumerate(bm) if identitaet(p) == identitaet(m)), None)
        if j is not None:
            za[i] = zb[j] = 2 if aenderungszeit(m) != aenderungszeit(bm[j]) else 1
            felder[i] = [f for f in MFELDER if wert(m, f) != wert(bm[j], f)]

    def zeilen(ms):
        return [m["FMitgliedsnummer"] for m in
                sorted(ms, key=lambda m: (m["FName"].lower(), m["FVorname"].lower(), m["FMitgliedsnummer"]))]

    listen = ([m for m, s in zip(am, za) if s == 0], [m for m, s in zip(am, za) if s == 2],
              [m for m, s in zip(bm, zb) if s == 0])
    return {"Mitglieder": [{"Mitgliedsnummer": m["FMitgliedsnummer"], "Zustand": s, "Felder": f}
                           for m, s, f in zip(am, za, felder)],
            "Vergleichsmitglieder": [{"Mitgliedsnummer": m["FMitgliedsnummer"], "Zustand": s}
                                     for m, s in zip(bm, zb)],
            "Tabellen": [{"Titel": titel + b.get("FBeschreibung", ""), "Mitglieder": zeilen(ms)}
                         for titel, ms in zip(TITEL, listen) if ms],
            "Identisch": za.count(1),
            "Meldung": meldung(len(listen[0]), len(listen[1]), len(listen[2]), za.count(1))}


# ---------------------------------------------------------------------------
# Clubs

T1, T2, T3 = zeitpunkt(3, 4, 2016, 10, 7, 30), zeitpunkt(17, 11, 2019, 18), zeitpunkt(1, 2, 2021, 0, 11, 15)


def stempel(zeit, login="Admin", nr=1):
    return t.stempel(login, nr, zeit)


def verein(mitglieder, archiv=(), beschreibung="Hauptdatei"):
    zaq = {"FFormatVersion": z.FORMAT_VERSION, "FErstellt": 40179.5, "FGeaendertAm": 45600.5,
           "FSchreibvorgaenge": 3, "FAustrittsliste": True, "FUnbekannteBehalten": True,
           "FBeschreibung": beschreibung, "FZAQFormat": "0000", "FNullbetragMelden": True,
           "FStammdaten": {"FVereinsname": "TSV Vergleich", "FGruppenAnzahl": 10},
           "FBenutzer": [t.benutzer("Admin", 1, "Administrator", 0x1FFFFF),
                         t.benutzer("Kasse", 2, "Karla Kasse", 0x1000)]}
    if mitglieder:
        zaq["FMitglieder"] = list(mitglieder)
    if archiv:
        zaq["FArchiv"] = list(archiv)
    return zaq


def mitglied(nr, name, geb=None, eintritt=None, **kw):
    geb = tag(1 + nr % 28, 1 + nr % 12, 1950 + nr % 50) if geb is None else geb
    eintritt = tag(1, 1 + nr % 12, 2000 + nr % 20) if eintritt is None else eintritt
    return t.mitglied(nr, name, "Vorname", geb, eintritt, **kw)


def notiz(betreff):
    return {"FArt": 0, "FBetreff": betreff, "FTermin": 0.0, "FInhalt": "48616C6C6F", "FBreite": 300,
            "FHoehe": 200, "FVerfasser": stempel(T1)}


def unbekannt(daten):
    return {"FID": 4000, "FIstBool": False, "FWert": False, "FDaten": daten}


def anders(m, **kw):
    n = copy.deepcopy(m)
    n.update(kw)
    return n


VIELE = dict(FName="Petersen", FVorname="Paul", FZusatz="jun.", FTitel="Dr.", FMaennlich=False,
             FStrasse="Ring 1", FPLZ="80331", FOrt="München", FLand="Bayern", FTelefon="1", FMobil="2",
             FEMail="p@x.de", FHomepage="x.de", FEhrenmitgliedSeit=tag(1, 1, 2020),
             FAustrittsdatum=tag(31, 12, 2030), FAustrittsgrund="Umzug", FAnrechnung=3, FEhrung=25,
             FAbteilungen="Tennis", FGruppen=5, FBeitragsschluessel="JUG", FZahlart=2,
             FBezahltBis=tag(31, 12, 2024), FVorlaeufigBezahltBis=tag(31, 12, 2025), FAustrittVon=stempel(T2),
             FKonto=t.konto("76026000", "1234567"), FNotizen=[notiz("Neu")],
             FZahler={"FZeit": 44000.25, "FNummer": 10, "FGeburtsdatum": 0})


def vereinspaar():
    """(open club, other club, expected (number, state, fields) of the open club's members)."""
    adler = mitglied(10, "Adler", FGeaendertVon=stempel(T1))
    brandt = mitglied(11, "Brandt", FGeaendertVon=stempel(T1))
    claussen = mitglied(12, "Claussen")
    dietz = mitglied(13, "Dietz")
    ebert = mitglied(14, "Ebert")
    fuchs = mitglied(15, "Fuchs", FGeaendertVon=stempel(T1), FKonto=t.konto("37040044", "0532013000"))
    hahn = mitglied(16, "Hahn", FZahler={"FZeit": 44000.25, "FNummer": 10, "FGeburtsdatum": adler["FGeburtsdatum"]})
    jansen = mitglied(17, "Jansen", FGeaendertVon=stempel(T2), FNotizen=[notiz("Anruf")])
    kaiser = mitglied(18, "Kaiser", FGeaendertVon=stempel(T1), FUnbekannt=[unbekannt("01")])
    lorenz = mitglied(19, "Lorenz", FGeaendertVon=stempel(T1), FUnbekannt=[unbekannt("01")])
    maurer = mitglied(20, "Maurer", FKonto=t.konto("50010517", "0648489890"))
    neumann = mitglied(21, "Neumann")
    otto = mitglied(22, "Otto")
    peters = mitglied(24, "Peters", FGeaendertVon=stempel(T1))
    quast = mitglied(30, "Quast")
    a = verein([adler, brandt, claussen, dietz, ebert, fuchs, hahn, jansen, kaiser, lorenz, maurer, neumann,
                peters], archiv=[otto, anders(adler, FName="Altadler")])
    b = verein([quast,
                anders(peters, FGeaendertVon=stempel(T3), **VIELE),
                anders(lorenz, FUnbekannt=[unbekannt("02"), unbekannt("")]),                   # unknown only
                anders(kaiser, FGeaendertVon=stempel(T3), FUnbekannt=[]),
                anders(jansen, FGeaendertVon=stempel(T2, "Kasse", 2), FNotizen=[notiz("Brief")]),
                anders(hahn, FStrasse="Gasse 9", FZahler=dict(hahn["FZahler"], FNummer=11,
                                                               FGeburtsdatum=brandt["FGeburtsdatum"])),
                anders(fuchs, FKonto=t.konto("37040044", "0532013001")),
                anders(ebert, FGeburtsdatum=ebert["FGeburtsdatum"] + 1),
                anders(dietz, FEintrittsdatum=dietz["FEintrittsdatum"] - 1),
                anders(brandt, FGeaendertVon=stempel(T2), FOrt="Kitzingen", FTelefon="0931"),
                anders(maurer, FSelektiert=True, FErstelltVon=stempel(T2), FGeaendertVon=stempel(T3),
                       FKonto=None),
                otto,
                anders(fuchs, FName="Gerber", FGeaendertVon=stempel(T2)),   # same identity, later in the list
                adler],
               archiv=[neumann, anders(claussen, FName="Altclaussen")], beschreibung="Vergleich Würzburg")
    for m in b["FMitglieder"]:
        if m.get("FKonto", 0) is None:
            del m["FKonto"]
    soll = [(10, 1, []), (11, 2, ["FGeaendertVon", "FOrt", "FTelefon"]), (12, 0, []), (13, 0, []), (14, 0, []),
            (15, 1, ["FKonto"]), (16, 1, ["FStrasse", "FZahler"]), (17, 1, ["FGeaendertVon", "FNotizen"]),
            (18, 2, ["FGeaendertVon"]), (19, 1, []),
            (20, 2, ["FSelektiert", "FErstelltVon", "FGeaendertVon", "FKonto"]), (21, 0, []),
            (24, 2, ["FGeaendertVon", "FAustrittVon", "FName", "FVorname", "FZusatz", "FTitel", "FMaennlich",
                     "FStrasse", "FPLZ", "FOrt", "FLand", "FTelefon", "FMobil", "FEMail", "FHomepage",
                     "FEhrenmitgliedSeit", "FAustrittsdatum", "FAustrittsgrund", "FAnrechnung", "FEhrung",
                     "FAbteilungen", "FGruppen", "FBeitragsschluessel", "FZahlart", "FBezahltBis",
                     "FVorlaeufigBezahltBis", "FKonto", "FZahler", "FNotizen"])]
    return a, b, soll


BUCHSTABEN = "abcdefghijklmnopqrstuvwxyz"


def zufallspaar(seed, anzahl=60):
    """A club and a changed copy: members dropped, added, doubled, moved, with another
    identity, another stamp time and other fields."""
    rng = random.Random(seed)
    namen = set()

    def name():
        while True:
            n = rng.choice(BUCHSTABEN).upper() + "".join(rng.choice(BUCHSTABEN) for _ in range(6))
            if n not in namen:
                namen.add(n)
                return n

    def neu(nr):
        kw = {}
        if rng.random() < 0.6:
            kw["FGeaendertVon"] = stempel(rng.choice([T1, T2, T3]))
        if rng.random() < 0.4:
            kw["FKonto"] = t.konto("37040044", "%010d" % rng.randint(0, 10 ** 9))
        return mitglied(nr, name(), tag(1, 1, 1940) + rng.randint(0, 20000), tag(1, 1, 1990) + rng.randint(0, 9000),
                        FOrt=rng.choice(["Würzburg", "Kitzingen"]), FEhrung=rng.randint(0, 5), **kw)

    aenderungen = [lambda m: m.update(FOrt=m["FOrt"] + "x"), lambda m: m.update(FEhrung=m["FEhrung"] + 1),
                   lambda m: m.update(FMaennlich=not m["FMaennlich"]), lambda m: m.update(FSelektiert=True),
                   lambda m: m.update(FGruppen=m["FGruppen"] ^ 8), lambda m: m.update(FName=m["FName"] + "q"),
                   lambda m: m.update(FBezahltBis=m["FBezahltBis"] + 1),
                   lambda m: m.update(FNotizen=[notiz("Neu")]), lambda m: m.update(FUnbekannt=[unbekannt("07")]),
                   lambda m: m.update(FErstelltVon=stempel(T3)),
                   lambda m: m.pop("FKonto") if "FKonto" in m else m.update(FKonto=t.konto("10010010", "1")),
                   lambda m: m.update(FZahler={"FZeit": 44000.25, "FNummer": 1, "FGeburtsdatum": 0})]
    nummern = rng.sample(range(1, 5000), anzahl + 20)
    am = [neu(nr) for nr in nummern[:anzahl]]
    bm = []
    for m in am:
        w = rng.random()
        if w < 0.1:
            continue                                        # only in the open file
        n = copy.deepcopy(m)
        if w < 0.2:
            n[rng.choice(["FGeburtsdatum", "FEintrittsdatum"])] += rng.choice([-1, 1])
        if rng.random() < 0.3:
            n["FGeaendertVon"] = stempel(rng.choice([T1, T2, T3]) + 1)
        for f in rng.sample(aenderungen, rng.choice([0, 0, 1, 2, 4])):
            f(n)
        bm.append(n)
    for nr in nummern[anzahl:]:
        bm.insert(rng.randint(0, len(bm)), neu(nr))         # only in the other file
    for m in rng.sample(bm, 5):
        bm.insert(rng.randint(bm.index(m) + 1, len(bm)), anders(m, FName=name()))   # a second partner
    return verein(am, archiv=[neu(nummern[0])]), verein(bm, archiv=am[:3], beschreibung="Zufall %d" % seed)


def faelle():
    a, b, _ = vereinspaar()
    leer = verein([], beschreibung="")
    return [("Paar", a, b), ("Zufall1", *zufallspaar(1)), ("Zufall2", *zufallspaar(2, 150)),
            ("Kopie", a, anders(a, FBeschreibung="Kopie")), ("beide leer", leer, leer),
            ("offene leer", leer, b), ("andere leer", a, leer)]


# ---------------------------------------------------------------------------
# The model's own tests


class Modell(unittest.TestCase):
    def test_paar_von_hand(self):
        a, b, soll = vereinspaar()
        e = vergleiche(a, b)
        self.assertEqual([(m["Mitgliedsnummer"], m["Zustand"], m["Felder"]) for m in e["Mitglieder"]], soll)
        self.assertEqual([(m["Mitgliedsnummer"], m["Zustand"]) for m in e["Vergleichsmitglieder"]],
                         [(30, 0), (24, 2), (19, 1), (18, 2), (17, 1), (16, 1), (15, 1), (14, 0), (13, 0),
                          (11, 2), (20, 2), (22, 0), (15, 0), (10, 1)])
        self.assertEqual(e["Tabellen"], [
            {"Titel": "Zusätzliche Mitglieder verglichen mit Vergleich Würzburg", "Mitglieder": [12, 13, 14, 21]},
            {"Titel": "Geänderte Daten verglichen mit Vergleich Würzburg", "Mitglieder": [11, 18, 20, 24]},
            {"Titel": "Fehlende Mitglieder verglichen mit Vergleich Würzburg", "Mitglieder": [13, 14, 15, 22, 30]}])
        self.assertEqual(e["Identisch"], 5)
        self.assertIn("\r\n\r\n     4 Mitglieder zusätzlich existieren,\r\n     4 Datensätze verändert wurden und"
                      "\r\n     5 Mitglieder nicht vorhanden sind.\r\n\r\n5 Datensätze sind identisch.", e["Meldung"])

    def test_kopie_und_leer(self):
        a, _, _ = vereinspaar()
        e = vergleiche(a, anders(a))
        self.assertEqual((e["Tabellen"], e["Identisch"]), ([], 13))
        self.assertTrue(all(m["Felder"] == [] for m in e["Mitglieder"]))
        leer = verein([])
        self.assertEqual(vergleiche(leer, leer), {"Mitglieder": [], "Vergleichsmitglieder": [], "Tabellen": [],
                                                  "Identisch": 0, "Meldung": meldung(0, 0, 0, 0)})
        self.assertEqual([x["Titel"] for x in vergleiche(a, leer)["Tabellen"]], [TITEL[0] + "Hauptdatei"])

    def test_zufall_hat_alle_faelle(self):
        for a, b in (zufallspaar(1), zufallspaar(2, 150)):
            e = vergleiche(a, b)
            zustaende = {m["Zustand"] for m in e["Mitglieder"]} | {m["Zustand"] for m in e["Vergleichsmitglieder"]}
            self.assertEqual(zustaende, {0, 1, 2})
            self.assertTrue(any(m["Zustand"] == 1 and m["Felder"] for m in e["Mitglieder"]))
            self.assertEqual(len(e["Tabellen"]), 3)
            z.lies_datei(z.schreibe_datei(b, rng=random.Random(1)))     # the writer takes the clubs


# ---------------------------------------------------------------------------
# The program


def abweichungen(soll, ist):
    """Readable differences of the output from the model, at most 20."""
    f = [] if set(ist) == set(soll) else ["Schlüssel %s statt %s" % (sorted(ist), sorted(soll))]
    for k in ("Mitglieder", "Vergleichsmitglieder", "Tabellen"):
        s, i = soll[k], ist.get(k) or []
        if len(s) != len(i):
            f.append("%s: %d statt %d Einträge" % (k, len(i), len(s)))
        f += ["%s: %s statt %s" % (k, y, x) for x, y in zip(s, i) if x != y]
    f += ["%s: %r statt %r" % (k, ist.get(k), soll[k]) for k in ("Identisch", "Meldung") if ist.get(k) != soll[k]]
    return f[:20]


class Vergleich(CliFall):
    maxDiff = None
    BEFEHLE = ("vergleichen",)

    def datei(self, zaq, name="verein.zaq"):
        type(self).zaehler += 1
        d = os.path.join(self.tmp.name, "fall%d" % self.zaehler)
        os.makedirs(d)
        pfad = os.path.join(d, name)
        with open(pfad, "wb") as f:
            f.write(z.schreibe_datei(zaq, rng=random.Random(self.zaehler)))
        return pfad

    def vergleichen(self, pfad_a, pfad_b):
        """Runs the command; both files stay as they were."""
        vorher = lies(pfad_a), lies(pfad_b)
        r = subprocess.run([CLI, "vergleichen", pfad_a, pfad_b, *t.anmeldung("Admin"), "--config", self.config],
                           capture_output=True, timeout=60)
        self.assertGreaterEqual(r.returncode, 0, "zaq-cli abgestürzt: %s" % r.stderr)
        self.assertTrue((lies(pfad_a), lies(pfad_b)) == vorher, "Mitgliederdatei verändert")
        return r

    def test_wie_das_modell(self):
        for name, a, b in faelle():
            with self.subTest(fall=name):
                r = self.vergleichen(self.datei(a), self.datei(b, "andere.zaq"))
                self.assertEqual(r.returncode, 0, r.stderr.decode("utf-8", "replace"))
                fehler = abweichungen(vergleiche(a, b), json.loads(r.stdout.decode("utf-8")))
                if fehler:
                    self.fail("\n".join(fehler))

    def test_dieselbe_datei(self):
        a, _, _ = vereinspaar()
        pfad = self.datei(a)
        sicherung = pfad[:-4] + ".~aq"         # a backup copy counts as the same file
        shutil.copyfile(pfad, sicherung)
        for andere in (pfad, sicherung):
            with self.subTest(andere=os.path.basename(andere)):
                r = self.vergleichen(pfad, andere)
                self.assertEqual(r.returncode, 1, r.stderr)
                self.assertIn(GEOEFFNET, r.stderr.decode("utf-8", "replace"))


if __name__ == "__main__":
    unittest.main()
