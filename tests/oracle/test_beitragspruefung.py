"""The fee check of zaq-cli against an independent computation.

Clubs are written with the independent implementation of the member file
(zaqformat.py); `zaq-cli beitragspruefung` checks their fees, and its whole
output (calculation date, total, findings, closing message and the report by
fee class and age class) is compared with what the fee engine of
test_einzug.py computes from the member data.  The total must also equal the
total of `zaq-cli fees` over invoice and direct-debit payers with the same
options, and the member file must stay byte for byte as it was.  Run with the
path of zaq-cli in ZAQ_CLI."""

import json
import os
import random
import subprocess
import sys
import tempfile
import unittest

HIER = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HIER)
import test_einzug as e  # noqa: E402
import zaqformat as z  # noqa: E402

CLI = e.CLI
ANMELDUNG = e.ANMELDUNG
tag = e.tag

# ---------------------------------------------------------------------------
# Number forms of the report and the closing message


def euro(cent):
    """Cents as euros with thousands points and a decimal comma."""
    vorzeichen = "-" if cent < 0 else ""
    ganz, rest = divmod(abs(cent), 100)
    return "%s%s,%02d" % (vorzeichen, "{:,}".format(ganz).replace(",", "."), rest)


def prozent(x):
    return ("%.1f" % x).replace(".", ",")


def meldung(summe, hinweise):
    if hinweise:
        return ("Es wurden Fehler oder Hinweise festgestellt.\r\n\r\n"
                "Die Summe der korrekten Beiträge lautet: %s €." % euro(summe))
    return ("Es wurden keinerlei Fehler oder Hinweise festgestellt.\r\n\r\n"
            "Die Summe der Mitgliedsbeiträge lautet: %s €." % euro(summe))


def bericht(klassen, statistik):
    """The report of the fee check from the fee classes and the fees counted
    per age class (statistik[class][age class] = [count, cents])."""
    n = sum(a for st in statistik for a, _ in st)
    s = sum(c for st in statistik for _, c in st)
    aus = {"Anzahl": n, "Summe": s, "Zeilen": [], "Beitragsklassen": [
        {"Schluessel": k["FSchluessel"], "Anzahl": sum(a for a, _ in st), "Summe": sum(c for _, c in st),
         "Altersklassen": [{"Anzahl": a, "Summe": c} for a, c in st]}
        for k, st in zip(klassen, statistik)]}
    if s <= 0 or n <= 0:
        return aus

    def anzahl(titel, m):
        return "%s;%d Mitglied%s;%s %%" % (titel, m, "er" if m != 1 else "", prozent(m / n * 100))

    def summe(titel, t, m):
        zeile = "%s;%s €;%s %%" % (titel, euro(t), prozent(t / s * 100))
        if m > 0:
            # the balance compares the class with the club's average fee
            erwartet = m * s / n
            b = (t / erwartet - 1) * 100
            zeile += ";%s%s %%" % ("+" if b > 0 else "", prozent(b))
        return zeile

    z_ = aus["Zeilen"]
    z_ += ["Die Summe an Beiträgen entsteht durch;%d Mitglieder." % n,
           "Die Gesamtsumme der Beiträge lautet;%s €." % euro(s), "", "Auflistung:", "-"]
    for nr, (k, kl) in enumerate(zip(klassen, aus["Beitragsklassen"])):
        familie = bool(k.get("FFamilienbeitrag"))
        z_ += ["Beitragsklasse %s:;%s" % (k["FSchluessel"], k.get("FBezeichnung", "")),
               "Option:;Familienbeitrag" if familie else "Option:;Altersklassen",
               anzahl("Rechenanzahl:", kl["Anzahl"]),
               summe("Rechensumme:", kl["Summe"], kl["Anzahl"])]
        stufen = k.get("FAltKlassen", [])
        if not familie and len(stufen) > 1:
            for j, (c, st) in enumerate(zip(stufen, kl["Altersklassen"]), 1):
                z_ += ["", "  >  Altersklasse %d:;%s" % (j, c.get("FVerwendungszweck", "")),
                       "  >  Alter:;bis %d Jahre" % c.get("FAlterBis", 150),
                       anzahl("  >  Teilrechenanzahl:", st["Anzahl"]),
                       summe("  >  Teilrechensumme:", st["Summe"], st["Anzahl"])]
            z_.append("")
        if nr < len(klassen) - 1:
            z_.append("-")
    return aus


# ---------------------------------------------------------------------------
# The fee check computed from the member data


def nummer(liste, x):
    return next(i for i, y in enumerate(liste) if y is x)


class Pruefung(e.Orakel):
    ZAHLARTEN = (0, 1)

    def stufe(self, k, m):
        """The age class a fee of m in k is counted in, or None."""
        stufen = k.get("FAltKlassen", [])
        if k.get("FFamilienbeitrag"):
            return stufen[0] if stufen else None
        return next((s for s in stufen if s["FAlterBis"] >= self.alter(m)), None)

    def pruefung(self, datum, ganzes_jahr=False, nur_selektierte=False):
        """The whole output of the fee check for this calculation date."""
        klassen = self.sd.get("FBtrKlassen", [])
        statistik = [[[0, 0] for _ in k.get("FAltKlassen", [])] for k in klassen]
        summe, hinweise = 0, []
        for m in self.mitglieder:
            texte, f, g, q, liste = [], 0, 0, 0.0, []
            if not nur_selektierte or m.get("FSelektiert"):
                f = self.pruefe(m)
                texte += [t for b, t in e.FLAG_TEXTE if f & b]
            art = m.get("FZahlart", 1)
            zahler = art in self.ZAHLARTEN
            if zahler:
                liste = self.zahlt_fuer(m, nur_selektierte)
                if liste:
                    g = self.pruefe_familie(liste, m)
                    texte += [t for b, t in e.FAMILIEN_TEXTE if g & b]
                    if g == 0:
                        auflistung, q = self.verwendungszweck(liste, datum, "", "; ", 0, ganzes_jahr)
                        summe += round(q * 100)
                        for x in liste:
                            k = self.klasse(x["FBeitragsschluessel"])
                            a = self.beitrag(k, x, datum, ganzes_jahr)[0]
                            c = self.stufe(k, x)
                            if a >= 0 and c is not None:
                                st = statistik[nummer(klassen, k)][nummer(k["FAltKlassen"], c)]
                                st[0] += 1
                                st[1] += round(a * 100)
                        if q == 0 and self.nullbetrag:
                            texte.append("Zahler-Nullbetrag")
                        if q > 0:
                            texte.append(auflistung)
                elif self.nullbetrag and (not nur_selektierte or m.get("FSelektiert")):
                    texte.append("Nullbetrag trotz Zahler")
            teil = not nur_selektierte or m.get("FSelektiert") or (zahler and liste)
            if f or g or (q == 0 and self.nullbetrag and zahler and teil):
                hinweise.append({"Mitgliedsnummer": m["FMitgliedsnummer"], "Hinweise": "; ".join(texte)})
        return {"Rechendatum": e.datum_text(datum), "Summe": summe, "Hinweisliste": hinweise,
                "Meldung": meldung(summe, hinweise), "Bericht": bericht(klassen, statistik)}


# ---------------------------------------------------------------------------
# Clubs


def verein_mit(klassen, mitglieder, nullbetrag=True):
    """The master data, accounts and users of the collection test's club
    with other fee classes and members."""
    zaq = e.verein()
    zaq["FStammdaten"]["FBtrKlassen"] = klassen
    zaq["FMitglieder"] = mitglieder
    zaq["FNullbetragMelden"] = nullbetrag
    return zaq


def sauberer_verein():
    """Complete fee data, every payer pays by invoice or direct debit and
    owes something: no findings.  Several age classes, one of them and two
    whole classes without a counted fee; a family fee with a second age class
    that must not show; one member alone in a class; a total in thousands."""
    klassen = [
        e.klasse("ERW", 0, False, [e.altersklasse("Jugend", 30.5, 17), e.altersklasse("Erwachsene", 61.25, 64),
                                   e.altersklasse("Senioren", 40.1)]),
        e.klasse("FAM", 0, True, [e.altersklasse("Familie", 150.75, 0), e.altersklasse("Unbenutzt", 99.0)],
                 familie=True, maximum=2),
        e.klasse("FOE", 0, False, [e.altersklasse("Förderer", 10500.5)]),
        e.klasse("MON", 2, True, [e.altersklasse("Kind", 10.75, 17), e.altersklasse("Monat", 10.25)]),
        e.klasse("KIND", 0, False, [e.altersklasse("Klein", 5.0, 9), e.altersklasse("Groß", 8.0, 17)]),
        e.klasse("LEER", 0, False, []),
    ]
    klassen[2]["FBezeichnung"] = "Fördernde Mitglieder"
    ms = []

    def neu(nr, name, vorname, geb, schluessel, art, zahler=None, **kw):
        if zahler is not None:
            kw.update(e.zahlt(zahler))
        elif art == 1:
            kw["FKonto"] = e.konto("%s, %s" % (name, vorname), "%010d" % (200 + nr))
        m = e.mitglied(nr, name, vorname, geb, schluessel, art, **kw)
        ms.append(m)
        return m

    arndt = neu(1, "Arndt", "Anton", tag(1, 2, 1980), "ERW", 1)
    neu(2, "Arndt", "Ben", tag(2, 3, 2010), "ERW", 2, arndt)
    neu(3, "Arndt", "Clara", tag(3, 4, 1950), "ERW", 0)
    brandt = neu(4, "Brandt", "Bernd", tag(4, 5, 1975), "FAM", 1)
    neu(5, "Brandt", "Birgit", tag(5, 6, 1977), "FAM", 2, brandt)
    neu(6, "Brandt", "Bela", tag(6, 7, 2012), "FAM", 2, brandt)
    neu(7, "Brandt", "Boris", tag(7, 8, 2000), "ERW", 2, brandt)
    neu(8, "Claus", "Cäcilie", tag(8, 9, 1960), "FOE", 0)
    dorn = neu(9, "Dorn", "Dieter", tag(9, 10, 1970), "MON", 1, bezahlt=tag(30, 6, 2025))
    neu(10, "Dorn", "Daria", tag(10, 11, 2011), "MON", 2, dorn)
    neu(11, "Engel", "Eva", tag(11, 12, 1990), "ERW", 0)
    neu(12, "Frank", "Fritz", tag(12, 1, 1985), "ERW", 1)
    return verein_mit(klassen, ms)


def zehn_von_hundert():
    """100 counted fees: 10 of them in class A make 25 % of the total."""
    klassen = [e.klasse("A", 0, False, [e.altersklasse("Voll", 75.0)]),
               e.klasse("B", 0, False, [e.altersklasse("Halb", 25.0)])]
    ms = [e.mitglied(nr, "Mitglied%03d" % nr, "Max", tag(1, 1, 1980) + nr, "A" if nr <= 10 else "B", 0)
          for nr in range(1, 101)]
    return verein_mit(klassen, ms)


def nullsumme():
    """Every fee is paid beyond the calculation date: fees are counted, but
    they add up to 0.  Zero amounts are not reported."""
    klassen = [e.klasse("MON", 2, False, [e.altersklasse("Kind", 10.75, 17), e.altersklasse("Monat", 10.25)]),
               e.klasse("QUA", 7, False, [e.altersklasse("Quartal", 48.0)])]
    bis = tag(31, 12, 2026)
    a = e.mitglied(1, "Graf", "Gerd", tag(12, 12, 1975), "MON", 0, bis)
    ms = [a, e.mitglied(2, "Graf", "Gina", tag(1, 1, 2012), "MON", 2, bis, **e.zahlt(a)),
          e.mitglied(3, "Hahn", "Hugo", tag(1, 2, 1966), "QUA", 0, bis)]
    return verein_mit(klassen, ms, nullbetrag=False)


# ---------------------------------------------------------------------------


class Orakelbeispiele(unittest.TestCase):
    """The computations of this file on the examples the rules give."""

    def test_zahlformen(self):
        for cent, text in [(0, "0,00"), (5, "0,05"), (99999, "999,99"), (100000, "1.000,00"),
                           (123456, "1.234,56"), (100000000, "1.000.000,00")]:
            self.assertEqual(euro(cent), text)
        for x, text in [(12.5 + 1e-9, "12,5"), (-100 / 3, "-33,3"), (150.0, "150,0"), (0.0, "0,0")]:
            self.assertEqual(prozent(x), text)

    def test_zehn_von_hundert(self):
        k = [e.klasse("A", 0, False, [e.altersklasse("Voll", 75.0)]),
             e.klasse("B", 0, False, [e.altersklasse("Halb", 25.0)])]
        b = bericht(k, [[[10, 75000]], [[90, 225000]]])
        self.assertEqual(b["Zeilen"], [
            "Die Summe an Beiträgen entsteht durch;100 Mitglieder.",
            "Die Gesamtsumme der Beiträge lautet;3.000,00 €.", "", "Auflistung:", "-",
            "Beitragsklasse A:;Klasse A", "Option:;Altersklassen", "Rechenanzahl:;10 Mitglieder;10,0 %",
            "Rechensumme:;750,00 €;25,0 %;+150,0 %", "-",
            "Beitragsklasse B:;Klasse B", "Option:;Altersklassen", "Rechenanzahl:;90 Mitglieder;90,0 %",
            "Rechensumme:;2.250,00 €;75,0 %;-16,7 %"])

    def test_altersklassen_einzelne_und_leere(self):
        k = [e.klasse("ERW", 0, False, [e.altersklasse("Jugend", 30.5, 17), e.altersklasse("Alt", 40.0)]),
             e.klasse("FAM", 0, False, [e.altersklasse("Familie", 100.0, 0), e.altersklasse("X", 1.0)],
                      familie=True),
             e.klasse("LEER", 0, False, [])]
        b = bericht(k, [[[1, 3050], [0, 0]], [[2, 10000], [0, 0]], []])
        self.assertEqual(b["Zeilen"][5:], [
            "Beitragsklasse ERW:;Klasse ERW", "Option:;Altersklassen", "Rechenanzahl:;1 Mitglied;33,3 %",
            "Rechensumme:;30,50 €;23,4 %;-29,9 %",
            "", "  >  Altersklasse 1:;Jugend", "  >  Alter:;bis 17 Jahre",
            "  >  Teilrechenanzahl:;1 Mitglied;33,3 %", "  >  Teilrechensumme:;30,50 €;23,4 %;-29,9 %",
            "", "  >  Altersklasse 2:;Alt", "  >  Alter:;bis 150 Jahre",
            "  >  Teilrechenanzahl:;0 Mitglieder;0,0 %", "  >  Teilrechensumme:;0,00 €;0,0 %", "", "-",
            "Beitragsklasse FAM:;Klasse FAM", "Option:;Familienbeitrag", "Rechenanzahl:;2 Mitglieder;66,7 %",
            "Rechensumme:;100,00 €;76,6 %;+14,9 %", "-",
            "Beitragsklasse LEER:;Klasse LEER", "Option:;Altersklassen", "Rechenanzahl:;0 Mitglieder;0,0 %",
            "Rechensumme:;0,00 €;0,0 %"])
        self.assertEqual(b["Beitragsklassen"][2], {"Schluessel": "LEER", "Anzahl": 0, "Summe": 0,
                                                   "Altersklassen": []})

    def test_leerer_bericht(self):
        k = [e.klasse("A", 0, False, [e.altersklasse("Voll", 75.0)])]
        for st in ([[0, 0]], [[3, 0]]):
            b = bericht(k, [st])
            self.assertEqual(b["Zeilen"], [])
            self.assertEqual((b["Anzahl"], b["Summe"]), tuple(st[0]))

    def test_meldung(self):
        self.assertEqual(meldung(123456, []), "Es wurden keinerlei Fehler oder Hinweise festgestellt.\r\n\r\n"
                                              "Die Summe der Mitgliedsbeiträge lautet: 1.234,56 €.")
        self.assertEqual(meldung(0, [{}]), "Es wurden Fehler oder Hinweise festgestellt.\r\n\r\n"
                                           "Die Summe der korrekten Beiträge lautet: 0,00 €.")

    def test_vereine_decken_die_regeln_ab(self):
        """The clubs cover what they are made for: if this fails, a fixture
        changed, not the program."""
        p = Pruefung(e.verein()).pruefung(e.RECHENDATUM)
        kl = {k["Schluessel"]: k for k in p["Bericht"]["Beitragsklassen"]}
        # payer and co-financed member of the family fee, one of them with 0
        self.assertEqual((kl["FAM"]["Anzahl"], kl["FAM"]["Summe"]), (2, 15075))
        # too many adults: not counted; paid beyond the date: counted with 0
        self.assertEqual(kl["FAM2"]["Anzahl"], 0)
        self.assertEqual(kl["MON"]["Altersklassen"], [{"Anzahl": 1, "Summe": 538}, {"Anzahl": 3, "Summe": 1024}])
        # the payer without mandate reference is listed and counted
        self.assertIn(14, [h["Mitgliedsnummer"] for h in p["Hinweisliste"]])
        self.assertEqual(kl["ERW"]["Altersklassen"][1]["Anzahl"], 8)
        self.assertEqual(p["Summe"], p["Bericht"]["Summe"])

        p = Pruefung(sauberer_verein()).pruefung(e.RECHENDATUM)
        self.assertEqual(p["Hinweisliste"], [])
        self.assertEqual(p["Summe"], 1098272)
        kl = {k["Schluessel"]: k for k in p["Bericht"]["Beitragsklassen"]}
        self.assertEqual(kl["FAM"]["Altersklassen"], [{"Anzahl": 3, "Summe": 15075}, {"Anzahl": 0, "Summe": 0}])
        self.assertEqual(kl["ERW"]["Altersklassen"][2]["Anzahl"], 1)
        self.assertEqual((kl["KIND"]["Anzahl"], kl["LEER"]["Anzahl"]), (0, 0))
        self.assertIn("Rechenanzahl:;1 Mitglied;8,3 %", p["Bericht"]["Zeilen"])

        p = Pruefung(nullsumme()).pruefung(e.RECHENDATUM)
        self.assertEqual((p["Bericht"]["Anzahl"], p["Bericht"]["Summe"], p["Hinweisliste"]), (3, 0, []))


# ---------------------------------------------------------------------------


class MitProgramm(unittest.TestCase):
    maxDiff = None
    VEREINE = {"vielfalt": e.verein, "sauber": sauberer_verein, "zehn": zehn_von_hundert,
               "nullsumme": nullsumme}

    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        cls.dir = cls.tmp.name
        cls.vereine = {}
        for i, (name, bau) in enumerate(cls.VEREINE.items()):
            zaq = bau()
            datei = os.path.join(cls.dir, name + ".zaq")
            daten = z.schreibe_datei(zaq, rng=random.Random(i + 1))
            with open(datei, "wb") as f:
                f.write(daten)
            cls.vereine[name] = (datei, daten, Pruefung(zaq))

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def cli(self, *args):
        r = subprocess.run([CLI, *args, *ANMELDUNG, "--config", self.dir], capture_output=True)
        self.assertGreaterEqual(r.returncode, 0, "zaq-cli abgestürzt: %s %s" % (args, r.stderr))
        return r

    def json_von(self, *args):
        r = self.cli(*args)
        self.assertEqual(r.returncode, 0, "%s: %s" % (" ".join(args), r.stderr.decode("utf-8", "replace")))
        return json.loads(r.stdout.decode("utf-8"))

    def vergleiche(self, wo, ist, soll):
        """Every key of the output, the report's lines one by one."""
        self.assertEqual(sorted(ist), sorted(soll), wo + ": Schlüssel der Ausgabe")
        for schluessel in ("Rechendatum", "Summe", "Hinweisliste", "Meldung"):
            self.assertEqual(ist[schluessel], soll[schluessel], "%s: %s" % (wo, schluessel))
        self.assertEqual(sorted(ist["Bericht"]), sorted(soll["Bericht"]), wo + ": Schlüssel des Berichts")
        for schluessel in ("Anzahl", "Summe", "Beitragsklassen", "Zeilen"):
            self.assertEqual(ist["Bericht"][schluessel], soll["Bericht"][schluessel],
                             "%s: Bericht, %s" % (wo, schluessel))


# name, club, options, calculation date, full year, selected only
LAEUFE = [
    ("Vielfalt", "vielfalt", ["--date", "31.12.2025"], e.RECHENDATUM, False, False),
    ("Vielfalt voller Jahresbeitrag", "vielfalt", ["--date", "31.12.2025", "--full-year"], e.RECHENDATUM,
     True, False),
    ("Vielfalt nur selektierte", "vielfalt", ["--date", "31.12.2025", "--selected"], e.RECHENDATUM, False,
     True),
    ("Vielfalt Rechendatum der Vorgabe", "vielfalt", [], e.naechstes_jahresende(), False, False),
    ("Vielfalt zur Jahresmitte", "vielfalt", ["--date", "30.06.2026"], tag(30, 6, 2026), False, False),
    ("sauber", "sauber", ["--date", "31.12.2025"], e.RECHENDATUM, False, False),
    ("sauber voller Jahresbeitrag", "sauber", ["--full-year", "--date", "31.12.2025"], e.RECHENDATUM, True,
     False),
    ("sauber Rechendatum der Vorgabe", "sauber", [], e.naechstes_jahresende(), False, False),
    ("sauber ohne Selektierte", "sauber", ["--selected"], e.naechstes_jahresende(), False, True),
    ("10 von 100", "zehn", [], e.naechstes_jahresende(), False, False),
    ("Nullsumme", "nullsumme", ["--date", "31.12.2025"], e.RECHENDATUM, False, False),
]


class Beitragspruefung(MitProgramm):
    """Each run once, against the computation and against `fees`."""

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.ergebnisse = []
        for name, verein, optionen, datum, ganz, sel in LAEUFE:
            datei, _, orakel = cls.vereine[verein]
            r = subprocess.run([CLI, "beitragspruefung", datei, *optionen, *ANMELDUNG, "--config", cls.dir],
                               capture_output=True)
            cls.ergebnisse.append((name, verein, optionen, r, orakel.pruefung(datum, ganz, sel), datum))

    def ausgabe(self, name, r):
        self.assertEqual(r.returncode, 0, "%s: %s" % (name, r.stderr.decode("utf-8", "replace")))
        return json.loads(r.stdout.decode("utf-8"))

    def test_ausgabe_wie_berechnet(self):
        for name, _, _, r, soll, _ in self.ergebnisse:
            with self.subTest(lauf=name):
                self.vergleiche(name, self.ausgabe(name, r), soll)

    def test_summe_wie_fees(self):
        """The total and the findings equal those of `fees` over invoice and
        direct-debit payers with the same options."""
        for name, verein, optionen, r, _, datum in self.ergebnisse:
            with self.subTest(lauf=name):
                ist = self.ausgabe(name, r)
                # fees has a default date of its own
                mit_datum = optionen if "--date" in optionen else optionen + ["--date", e.datum_text(datum)]
                fees = self.json_von("fees", self.vereine[verein][0], "--zahlarten", "0,1", *mit_datum)
                self.assertEqual(ist["Summe"], fees["Summe"], name + ": Summe wie fees")
                self.assertEqual(ist["Bericht"]["Summe"], fees["Summe"], name + ": Summe des Berichts")
                self.assertEqual(ist["Hinweisliste"], fees["Hinweisliste"], name + ": Hinweisliste wie fees")

    def test_zehn_von_hundert(self):
        name, _, _, r, _, _ = next(x for x in self.ergebnisse if x[1] == "zehn")
        zeilen = self.ausgabe(name, r)["Bericht"]["Zeilen"]
        i = zeilen.index("Beitragsklasse A:;Klasse A")
        self.assertEqual(zeilen[i + 2:i + 4], ["Rechenanzahl:;10 Mitglieder;10,0 %",
                                               "Rechensumme:;750,00 €;25,0 %;+150,0 %"])

    def test_vorgabedatum(self):
        """Without --date the calculation date is the end of this year, or
        of the next from July on."""
        datei = self.vereine["vielfalt"][0]
        ohne = next(self.ausgabe(x[0], x[3]) for x in self.ergebnisse if x[0] == "Vielfalt Rechendatum der Vorgabe")
        mit = self.json_von("beitragspruefung", datei, "--date", e.datum_text(e.naechstes_jahresende()))
        self.assertEqual(ohne["Rechendatum"], e.datum_text(e.naechstes_jahresende()))
        self.assertEqual(ohne, mit)

    def test_mitgliederdateien_unveraendert(self):
        for name, (datei, daten, _) in self.vereine.items():
            with self.subTest(verein=name), open(datei, "rb") as f:
                self.assertEqual(f.read(), daten, name + ": Mitgliederdatei verändert")


class Fehlerfaelle(MitProgramm):
    VEREINE = {"vielfalt": e.verein}

    def test_beschaedigte_datei(self):
        """A file that cannot be read ends with the loader's message and is
        left as it was."""
        _, daten, _ = self.vereine["vielfalt"]
        gekippt = bytearray(daten)
        gekippt[len(daten) // 2] ^= 0x55
        faelle = [("abgeschnitten", daten[:len(daten) // 2]), ("gekippt", bytes(gekippt)),
                  ("keine ZAQ-Datei", "Mitgliederliste\r\n".encode("cp1252")), ("fehlt", None)]
        for name, inhalt in faelle:
            with self.subTest(fall=name):
                datei = os.path.join(self.dir, "kaputt-%s.zaq" % name.replace(" ", "-"))
                if inhalt is not None:
                    with open(datei, "wb") as f:
                        f.write(inhalt)
                r = self.cli("beitragspruefung", datei)
                self.assertEqual(r.returncode, 1, "%s: %s" % (name, r.stdout))
                self.assertEqual(r.stdout, b"", name)
                fehler = [m for m in e.meldungen_aus(r.stderr.decode("utf-8", "replace"))
                          if m.startswith("Fehler: ")]
                # the same loader as every other command that reads a file
                fees = self.cli("fees", datei)
                self.assertEqual(fees.returncode, 1)
                soll = [m for m in e.meldungen_aus(fees.stderr.decode("utf-8", "replace"))
                        if m.startswith("Fehler: ")]
                self.assertTrue(soll, name)
                self.assertEqual(fehler, soll, name)
                if inhalt is None:
                    self.assertFalse(os.path.exists(datei), name)
                else:
                    with open(datei, "rb") as f:
                        self.assertEqual(f.read(), inhalt, name + ": Datei verändert")

    def test_aufruffehler(self):
        datei = self.vereine["vielfalt"][0]
        for args in ([], [datei, "--date", "32.13.2025"], [datei, "--zahlarten"], [datei, datei]):
            with self.subTest(args=args):
                r = self.cli("beitragspruefung", *args)
                self.assertEqual(r.returncode, 2, r.stderr.decode("utf-8", "replace"))
                self.assertEqual(r.stdout, b"")


if __name__ == "__main__":
    unittest.main()
