"""Tables and selection of zaq-cli against an independent computation.

Clubs are written with the independent implementation of the member file
(zaqformat.py).  Every cell of `zaq-cli table` is computed here again from the
member data, for the standard templates, club templates of every column kind
and a program template, in the four export forms; `zaq-cli select` and
`select-save` are checked against an evaluation of the criteria made here and
against .zas files written here.  Run with the path of zaq-cli in ZAQ_CLI."""

import datetime
import math
import os
import random
import re
import subprocess
import sys
import tempfile
import unittest

HIER = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HIER)
import zaqformat as z  # noqa: E402

CLI = os.environ.get("ZAQ_CLI", os.path.join(HIER, "..", "..", "build", "release", "bin", "zaq-cli"))

# ---------------------------------------------------------------------------
# Dates: day numbers since 30.12.1899

NULLTAG = datetime.date(1899, 12, 30)


def tag(t, m, j):
    return (datetime.date(j, m, t) - NULLTAG).days


def als_datum(n):
    return NULLTAG + datetime.timedelta(days=n)


def datum_text(n):
    d = als_datum(n)
    return "%02d.%02d.%04d" % (d.day, d.month, d.year)


def datum_oder_leer(n):
    return datum_text(n) if n else ""


def zeit_text(f):
    tage = math.floor(f)
    sek = int(round((f - tage) * 86400))
    return "%s, %02d:%02d:%02d" % (datum_text(tage), sek // 3600, sek // 60 % 60, sek % 60)


def zeitpunkt(t, m, j, h=0, mi=0, s=0):
    """Times used here are multiples of 675 s, which a double holds exactly."""
    sek = h * 3600 + mi * 60 + s
    assert sek % 675 == 0
    return tag(t, m, j) + sek / 86400


def volle_jahre(von, bis):
    a, b = als_datum(von), als_datum(bis)
    if a.year >= b.year:
        return 0
    return b.year - a.year - (1 if (b.month, b.day) < (a.month, a.day) else 0)


def plus_jahre(n, jahre):
    d = als_datum(n)
    j = d.year + jahre
    try:
        return (datetime.date(j, d.month, d.day) - NULLTAG).days
    except ValueError:      # 29 February in a common year
        return tag(1, 3, j) if jahre > 0 else tag(28, 2, j)


def monate(von, bis):
    if bis < von:
        return -1
    a, b = als_datum(von), als_datum(bis)
    m = (b.year - a.year) * 12 + b.month - a.month
    return m - 1 if b.day < a.day else m


def tage_ohne_schalttag(von, bis):
    return sum(1 for n in range(von, bis)
               if not (als_datum(n).month == 2 and als_datum(n).day == 29))


def geburtstagsnummer(n):
    d = als_datum(n)
    return (0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335)[d.month - 1] + d.day


def zahl_oder_leer(n):
    return str(n) if n else ""


def betrag_text(a):
    s = "{:,.2f}".format(a)
    return s.replace(",", "#").replace(".", ",").replace("#", ".") + " €"


def blz_text(blz):
    if blz == "00000000":
        return ""
    if len(blz) >= 8:
        return "%s %s %s" % (blz[:3], blz[3:6], blz[6:8])
    return blz


def konto_text(kto):
    if kto in ("", "0000000000"):
        return ""
    if len(kto) < 10:
        return kto
    g = "%s %s %s %s" % (kto[0], kto[1:4], kto[4:7], kto[7:10])
    return g.lstrip("0 ")


def iban_text(iban):
    return " ".join(iban[i:i + 4] for i in range(0, len(iban), 4))


def in_abteilung(filter_text, abteilungen):
    f, d = filter_text.strip(), abteilungen.strip()
    if f == "*":
        return True
    if f == "":
        return d == ""
    f = f.upper().strip() + ","
    for teil in d.split(",")[:255]:
        e = teil.strip().upper() + ","
        if len(e) > 1 and e in f:
            return True
    return False


# ---------------------------------------------------------------------------
# Column kinds and standard templates

KOEPFE = {
    0: "Listenangaben:", 1: "Pos.", 2: "Pos.*", 3: "MNr.", 4: "MNr.*", 5: "Sel.",
    20: "Persönliche Daten:", 21: "Nachname", 22: "Vorname", 23: "Zusatz", 24: "Titel",
    25: "Name", 26: "Name", 27: "G.", 28: "Geburt", 29: "Alter", 30: "AJub.",
    31: "AJub.-Dat", 32: "GInd.",
    40: "Anschrift und Kontakt:", 41: "Straße", 42: "PLZ", 43: "Wohnort", 44: "PLZ Wohnort",
    45: "Adresse", 46: "Land", 47: "Festnetz", 48: "Mobilruf", 49: "Telefon",
    50: "E-Mail-Adresse", 51: "Festnetz & Mail", 52: "Mobilruf & Mail",
    60: "Mitgliedschaft:", 61: "Eintritt", 62: "Anr.", 63: "Ehr.", 64: "Ehr.*", 65: "Mitgl.",
    66: "Mitgl.*", 67: "MJub.", 68: "Ehrenm.", 69: "Abt.", 70: "Austritt",
    71: "Austrittsgrund",
    80: "Beitragsdaten:", 81: "BTS", 82: "Beitragsbez.", 83: "Jahresbtr.", 84: "Rech.-Btr.",
    85: "Gezahlt bis", 86: "Zahlart",
    100: "Kontoangaben:", 101: "IBAN", 102: "BLZ", 103: "Kto.-Nr.", 104: "Bank",
    105: "Kontoinhaber", 106: "EKS", 107: "Mandat", 108: "Mand.-Dat.", 109: "Erstlastschr.",
    110: "Sequenz",
    120: "Verweis auf Zahler:", 121: "ZNr.", 122: "Zahler",
    140: "Gruppen:", 141: "Gruppen als Text", 142: "Gruppen kurz als Text", 143: "Gruppen binär",
    160: "Erstellt und Geändert:", 161: "Ersteller", 162: "Erst.-Zt.", 163: "Bearbeiter",
    164: "Bearb.-Zt.", 165: "Entferner", 166: "Entf.-Zt.", 170: "Hinweise intern",
}
# Kinds whose cells do not depend on the fee right.
FREI = {1, 2, 3, 4, 5, *range(21, 33), *range(41, 53), *range(61, 72), 141, 142, 143,
        *range(161, 167), 170}
GEBUEHR = {81, 82, 83, 84, 85, 86, *range(101, 111), 121, 122}

# number: (title, columns, criteria bits, sort keys)
STANDARD = {
    0: ("Persönliche Daten / Adressenliste", [1, 3, 25, 41, 44, 28, 29, 47, 48, 50, 61], (), []),
    1: ("Vereinstechnische Daten", [1, 3, 25, 41, 44, 28, 30, 61, 63, 65, 68, 69, 142], (), []),
    2: ("Beitragsdaten", [1, 3, 25, 41, 44, 81, 83, 84, 85, 86, 101, 104, 105, 106, 121, 122],
        (), []),
    3: ("Detaillierte Liste", [1, 3, 25, 41, 44, 28, 29, 49, 61, 63, 65, 68, 69, 142, 81, 83, 85,
                               86, 101, 104, 105, 106, 121, 122], (), []),
    4: ("Vereinsehrungen (Jubiläumsliste)", [1, 3, 25, 41, 44, 61, 65, 67, 68, 69], (2, 5),
        [67, 21, 22]),
    5: ("Vereinsehrungen (Jubiläumsliste)", [1, 3, 25, 41, 44, 61, 63, 67], (2, 5), [-61, 21, 22]),
    6: ("Geburtstage (Jubiläumsliste)", [1, 3, 25, 41, 44, 28, 30, 31], (2, 6), [31, 21, 22]),
    7: ("Ehrenmitglieder", [1, 3, 25, 41, 44, 61, 63, 67, 68, 69], (4,), []),
    8: ("Austretende Mitglieder", [1, 3, 25, 41, 44, 70, 71], (3,), [21, 22, 3]),
    9: ("Mitgliedsbeiträge der Rechnungszahler", [1, 3, 25, 28, 29, 41, 42, 43, 46, 81, 83, 84,
                                                  85, 86, 121, 122, 170], (), []),
    10: ("Fehler und Hinweise beim Einziehen von Mitgliedsbeiträgen (nicht übernommene "
         "Datensätze!)", [1, 3, 25, 44, 81, 84, 85, 86, 106, 121, 122, 170], (), []),
    11: ("Ehemalige Mitglieder (Archiv)", [1, 3, 25, 41, 44, 70, 71], (7,), [-70, 21, 22]),
}


def bits(*b):
    return sum(1 << i for i in b)


# ---------------------------------------------------------------------------
# The bank directory next to the program: record layout of ZAQ-BLZ.DAT

def banknamen():
    for verz in (os.path.dirname(os.path.abspath(CLI)), "/work/main/build/release/bin"):
        pfad = os.path.join(verz, "ZAQ-BLZ.DAT")
        if os.path.exists(pfad):
            with open(pfad, "rb") as f:
                d = f.read()
            namen = {}
            for i in range(len(d) // 154):
                r = d[i * 154:(i + 1) * 154]
                namen.setdefault(r[1:1 + r[0]].decode("cp1252"), r[10:10 + r[9]].decode("cp1252"))
            return namen
    return None


BANKNAMEN = banknamen()

# ---------------------------------------------------------------------------
# The expected values, computed from the member data


class Verein:
    def __init__(self, zaq):
        self.zaq = zaq
        sd = zaq["FStammdaten"]
        self.sd = sd
        assert sd["FJahresberechnung"] == 3 and sd["FBeitragsberechnung"] == 3
        self.stichtag = sd["FJahresdatum3"]
        self.beitragsstichtag = sd["FBeitragsdatum3"]
        self.mitglieder = zaq["FMitglieder"]
        self.archiv = zaq.get("FArchiv", [])
        self.format = zaq.get("FZAQFormat", "000")

    # member record
    def nummer(self, m):
        return str(m["FMitgliedsnummer"]).rjust(len(self.format), "0")

    def ende(self, m, s):
        a = m.get("FAustrittsdatum", 0)
        return a if 0 < a < s else s

    def alter(self, m, s):
        return volle_jahre(m["FGeburtsdatum"], self.ende(m, s))

    def mitgliedsjahre(self, m, s):
        return min(65535, volle_jahre(m["FEintrittsdatum"], self.ende(m, s)) + m.get("FAnrechnung", 0))

    def faellige_ehrung(self, m, s):
        y = self.mitgliedsjahre(m, s)
        ergebnis = 0
        for teil in self.sd["FEhrungen"].split(";"):
            teil = teil.strip()
            if not re.fullmatch(r"[+-]?\d+", teil):
                break
            e = int(teil)
            if m.get("FEhrung", 0) < e <= y:
                ergebnis = max(ergebnis, e)
        return ergebnis

    def geburtstagsjubilaeum(self, m, s):
        a = self.alter(m, s)
        for teil in self.sd["FGeburtstage"].split(";"):
            teil = teil.strip()
            if not teil.isdigit():
                break
            e = int(teil)
            if e < a:
                continue
            d = plus_jahre(m["FGeburtsdatum"], e)
            return (0 if d > plus_jahre(s, self.sd["FGeburtstagsJahre"]) else e), d
        return 0, 0

    @staticmethod
    def name_komplett(m):
        return m["FName"].strip() + ", " + (m["FTitel"] + " " + m["FVorname"] + " " + m["FZusatz"]).strip()

    @staticmethod
    def name_anzeige(m):
        return (m["FTitel"] + " " + m["FVorname"] + " " + m["FName"] + " " + m["FZusatz"]).strip()

    @staticmethod
    def verbinde(a, b):
        return (a + ("; " if a and b else "") + b).strip()

    def in_gruppe(self, m, i):
        return bool(m.get("FGruppen", 0) >> (i - 1) & 1)

    def gruppentext(self, m, kurz):
        namen = []
        for i in range(1, 33):
            if self.in_gruppe(m, i):
                n = self.sd["FGruppenname"][i - 1]
                if kurz and len(n) > 6:
                    n = n[:6].strip() + "…"
                namen.append(n)
        return ", ".join(namen)

    def zahler(self, m):
        """The member the payer reference resolves to, or None."""
        v = m.get("FZahler")
        if not v or not v.get("FNummer"):
            return None
        for x in self.mitglieder:
            if x["FMitgliedsnummer"] == v["FNummer"]:
                return x if x["FGeburtsdatum"] == v.get("FGeburtsdatum") else None
        return None

    def benutzer(self, stempel):
        if not stempel or not stempel.get("FBenutzerNr"):
            return None
        return z.suche_benutzer(self.zaq.get("FBenutzer"), self.zaq.get("FVerwaisteBenutzer"),
                                stempel.get("FLogin", ""), stempel["FBenutzerNr"])

    # fees
    def klasse(self, schluessel):
        if not schluessel.strip():
            return None
        for k in self.sd.get("FBtrKlassen", []):
            if k["FSchluessel"] == schluessel:
                return k
        return None

    def beitrag(self, m, datum, ganzes_jahr):
        """(amount or -1, family member with payer), or None without a class."""
        k = self.klasse(m.get("FBeitragsschluessel", ""))
        if k is None:
            return None
        stufen = k.get("FAltKlassen", [])
        familie_mit_zahler = False
        if k.get("FFamilienbeitrag"):
            if m.get("FZahler"):
                if self.zahler(m) is None:
                    return -1, False
                a, familie_mit_zahler = 0.0, True
            else:
                a = stufen[0]["FBetrag"] if stufen else -1
        else:
            alter = volle_jahre(m["FGeburtsdatum"], self.beitragsstichtag)
            c = next((s for s in stufen if s["FAlterBis"] >= alter), None)
            a = c["FBetrag"] if c else -1
        modus = k.get("FTeilberechnung", 0)
        if not ganzes_jahr and datum > 0 and a >= 0 and modus != 0:
            bezahlt = m.get("FBezahltBis", 36525)
            mon = monate(bezahlt + 1, datum + 1)
            if mon < 0:
                a = 0.0
            else:
                if modus == 1:
                    f = tage_ohne_schalttag(bezahlt + 1, datum + 1) / 365
                elif modus <= 11:
                    block = (1, 1, 2, 2, 3, 3, 4, 4, 6, 6)[modus - 2]
                    runde = math.floor if modus % 2 == 0 else math.ceil
                    f = runde(mon / block) * block / 12
                else:
                    f = (math.floor if modus == 12 else math.ceil)(mon / 12)
                if f != 1 and a != 0:
                    a = round(a * f * 100) / 100
        return a, familie_mit_zahler

    def beitrag_text(self, m, datum):
        b = self.beitrag(m, datum, False)
        if b is None:
            return ""
        a, familie = b
        if a < 0:
            return "Fehler!"
        if familie:
            return "0,00 € F"
        return betrag_text(a)

    # table cells
    def zelle(self, m, art, zeile, bezug, rechen, gebuehrrecht):
        sel = bool(m.get("FSelektiert"))
        if art not in FREI and not gebuehrrecht:
            return "***"
        if art == 1:
            return str(zeile)
        if art == 2:
            return str(zeile) + ("*" if sel else "")
        if art == 3:
            return self.nummer(m)
        if art == 4:
            return self.nummer(m) + ("*" if sel else "")
        if art == 5:
            return "X" if sel else ""
        einfach = {21: "FName", 22: "FVorname", 23: "FZusatz", 24: "FTitel", 41: "FStrasse",
                   42: "FPLZ", 43: "FOrt", 46: "FLand", 47: "FTelefon", 48: "FMobil",
                   50: "FEMail", 69: "FAbteilungen", 71: "FAustrittsgrund"}
        if art in einfach:
            return m.get(einfach[art], "")
        if art == 25:
            return self.name_komplett(m)
        if art == 26:
            return self.name_anzeige(m)
        if art == 27:
            return "m" if m.get("FMaennlich", True) else "w"
        if art == 28:
            return datum_text(m["FGeburtsdatum"])
        if art == 29:
            return str(self.alter(m, bezug))
        if art == 30:
            return zahl_oder_leer(self.geburtstagsjubilaeum(m, bezug)[0])
        if art == 31:
            return datum_oder_leer(self.geburtstagsjubilaeum(m, bezug)[1])
        if art == 32:
            return zahl_oder_leer(geburtstagsnummer(m["FGeburtsdatum"]))
        if art == 44:
            return (m["FPLZ"] + " " + m["FOrt"]).strip()
        if art == 45:
            if m["FStrasse"]:
                return (m["FStrasse"] + ", " + m["FPLZ"] + " " + m["FOrt"]).strip()
            return (m["FPLZ"] + " " + m["FOrt"]).strip()
        if art == 49:
            return self.verbinde(m["FTelefon"], m["FMobil"])
        if art == 51:
            return self.verbinde(m["FTelefon"], m["FEMail"])
        if art == 52:
            return self.verbinde(m["FMobil"], m["FEMail"])
        if art == 61:
            return datum_text(m["FEintrittsdatum"])
        if art == 62:
            return zahl_oder_leer(m.get("FAnrechnung", 0))
        if art == 63:
            return zahl_oder_leer(m.get("FEhrung", 0))
        if art == 64:
            return zahl_oder_leer(m.get("FEhrung", 0)) + ("*" if m.get("FEhrenmitgliedSeit", 0) > 0 else "")
        if art == 65:
            return str(self.mitgliedsjahre(m, bezug))
        if art == 66:
            return str(self.mitgliedsjahre(m, bezug)) + ("*" if m.get("FAnrechnung", 0) > 0 else "")
        if art == 67:
            return zahl_oder_leer(self.faellige_ehrung(m, bezug))
        if art == 68:
            return datum_oder_leer(m.get("FEhrenmitgliedSeit", 0))
        if art == 70:
            return datum_oder_leer(m.get("FAustrittsdatum", 0))
        if art in (141, 142):
            return self.gruppentext(m, art == 142)
        if art == 143:
            return "".join("1" if self.in_gruppe(m, i) else "0"
                           for i in range(1, self.sd["FGruppenAnzahl"] + 1))
        if art in (161, 162, 163, 164, 165, 166):
            stempel = m.get({161: "FErstelltVon", 163: "FGeaendertVon", 165: "FAustrittVon"}[art - (art + 1) % 2])
            b = self.benutzer(stempel)
            if b is None:
                return ""
            return b["FVollerName"] if art % 2 else zeit_text(stempel["FZeit"])
        if art == 170:
            return ""
        if art == 81:
            return m.get("FBeitragsschluessel", "")
        if art == 82:
            k = self.klasse(m.get("FBeitragsschluessel", ""))
            return k["FBezeichnung"] if k else "Keine Beitragsklasse gefunden"
        if art == 83:
            return self.beitrag_text(m, 0)
        if art == 84:
            return self.beitrag_text(m, rechen)
        if art == 85:
            return datum_text(m.get("FBezahltBis", 36525))
        if art == 86:
            return {0: "Rechnung", 1: "Lastschrift"}.get(m.get("FZahlart", 1), "Mitfin.")
        if 101 <= art <= 110:
            k = m.get("FKonto")
            if k is None:
                return ""
            if art == 101:
                return iban_text(k.get("FIBAN", ""))
            if art == 102:
                return blz_text(k.get("FBLZ", ""))
            if art == 103:
                return konto_text(k.get("FKontonummer", ""))
            if art == 104:
                iban, blz = k.get("FIBAN", "").strip(), k.get("FBLZ", "")
                if len(iban) > 12 and iban.startswith("DE"):
                    blz = iban[4:12]
                return BANKNAMEN.get(blz, "") if blz.strip() else ""
            if art == 105:
                return k.get("FInhaber", "")
            if art == 106:
                return k.get("FEmpfaengerKonto", "")
            if art == 107:
                return k.get("FMandatsreferenz", "")
            if art == 108:
                return datum_oder_leer(k.get("FMandatsdatum", 0))
            if art == 109:
                return datum_oder_leer(k.get("FErstlastschrift", 0))
            return "Folge" if k.get("FErstlastschrift", 0) else "Erst"
        if art in (121, 122):
            z_ = self.zahler(m)
            if z_ is None:
                return ""
            return self.nummer(z_) if art == 121 else self.name_komplett(z_)
        return "?"

    # rows of a filter table
    def besteht_kriterien(self, m, filter_bits, bezug):
        sel = bool(m.get("FSelektiert"))
        pruef = {0: lambda: not sel, 1: lambda: sel,
                 2: lambda: not m.get("FAustrittsdatum", 0),
                 3: lambda: m.get("FAustrittsdatum", 0) > 0,
                 4: lambda: m.get("FEhrenmitgliedSeit", 0) > 0,
                 5: lambda: self.faellige_ehrung(m, bezug) != 0,
                 6: lambda: self.geburtstagsjubilaeum(m, bezug)[0] >= 1}
        return all(pruef[b]() for b in range(7) if filter_bits >> b & 1)

    def zeilen(self, vorlage, bezug, archivrecht=True):
        f = vorlage.get("FFilter", 0)
        if f & 0x80:
            return [m for m in self.archiv if not m.get("FSelektiert")] if archivrecht else []
        gruppen = vorlage.get("FGruppen", 0)
        return [m for m in self.mitglieder
                if self.besteht_kriterien(m, f, bezug)
                and (gruppen == 0 or gruppen & m.get("FGruppen", 0))
                and in_abteilung(vorlage.get("FAbteilungen", "*"), m.get("FAbteilungen", ""))]

    # comparison of sort keys; None where the collation cannot be judged here
    def vergleiche(self, a, b, schluessel, bezug):
        def wert(m, k):
            return {3: lambda: m["FMitgliedsnummer"], 27: lambda: 0 if m.get("FMaennlich", True) else 1,
                    32: lambda: geburtstagsnummer(m["FGeburtsdatum"]), 28: lambda: m["FGeburtsdatum"],
                    29: lambda: self.alter(m, bezug),
                    31: lambda: self.geburtstagsjubilaeum(m, bezug)[1],
                    61: lambda: m["FEintrittsdatum"], 65: lambda: self.mitgliedsjahre(m, bezug),
                    67: lambda: self.faellige_ehrung(m, bezug),
                    70: lambda: m.get("FAustrittsdatum", 0)}[k]()
        texte = {21: "FName", 22: "FVorname", 41: "FStrasse", 42: "FPLZ", 43: "FOrt", 46: "FLand",
                 69: "FAbteilungen"}
        for s in schluessel:
            k = abs(s)
            if k in texte:
                ta, tb = a.get(texte[k], ""), b.get(texte[k], "")
                if ta == tb:
                    c = 0
                elif all(re.fullmatch(r"[A-Za-z]+|[0-9]+", t) for t in (ta, tb)) \
                        and ta.casefold() != tb.casefold() and ta.isdigit() == tb.isdigit():
                    c = -1 if ta.casefold() < tb.casefold() else 1
                else:
                    return None
            elif k in (3, 27, 28, 29, 31, 32, 61, 65, 67, 70):
                va, vb = wert(a, k), wert(b, k)
                c = (va > vb) - (va < vb)
            else:
                c = 0
            if s < 0:
                c = -c
            if c:
                return c
        return 0


# ---------------------------------------------------------------------------
# The club

def stempel(login, nr, zeit):
    return {"FZeit": zeit, "FLogin": login, "FBenutzerNr": nr}


def benutzer(login, nr, name, rechte):
    return {"FLogin": login, "FKennwortHash": z._hash("Geheim€" + login, login), "FBenutzerNr": nr,
            "FVollerName": name, "FFunktion": "", "FGueltigBis": 90000, "FRechte": rechte,
            "FKennwortAktionen": 0}


def anmeldung(login):
    return ("--user", login, "--password", "Geheim€" + login)


ADMIN, LESER, ARCHIVAR = anmeldung("Admin"), anmeldung("Leser"), anmeldung("Archiv")

STICHTAG = tag(31, 12, 2024)           # ages and membership
BEITRAGSSTICHTAG = tag(1, 1, 2024)     # age classes of the fees

STEMPEL = [
    stempel("Admin", 1, zeitpunkt(3, 4, 2016, 10, 7, 30)),
    stempel("Kassier", 51234, zeitpunkt(17, 11, 2019, 18, 0, 0)),
    stempel("Kassier", 999, zeitpunkt(1, 2, 2021, 0, 11, 15)),
    stempel("Kassier", 5555, zeitpunkt(29, 2, 2012, 23, 48, 45)),    # a former user
    stempel("Alt€r", 12, zeitpunkt(6, 6, 2006, 6, 0, 0)),            # a former user
    stempel("Niemand", 77, zeitpunkt(9, 9, 2009, 9, 0, 0)),          # nobody
    stempel("Admin", 0, zeitpunkt(5, 5, 2015, 15, 0, 0)),            # no user number: nobody
    stempel("Kassier", 12, zeitpunkt(12, 12, 2012, 12, 0, 0)),       # login and number of two others
    stempel("Admin", 1, zeitpunkt(20, 5, 2018, 0, 0, 0)),            # midnight
]


def konto(blz, kto, iban=None, **kw):
    k = {"FIBAN": z._iban(blz, kto) if iban is None else iban, "FBLZ": blz, "FKontonummer": kto,
         "FInhaber": "Inhaber " + blz[:3], "FMandatsreferenz": "M-" + kto[-4:],
         "FMandatsdatum": tag(1, 2, 2014), "FErstlastschrift": 0, "FEmpfaengerKonto": "HAUPT"}
    k.update(kw)
    return k


def mitglied(nr, name, vorname, geb, eintritt, **kw):
    m = {"FMitgliedsnummer": nr, "FSelektiert": False, "FErstelltVon": STEMPEL[0],
         "FName": name, "FVorname": vorname, "FZusatz": "", "FTitel": "", "FMaennlich": True,
         "FGeburtsdatum": geb, "FStrasse": "Hauptstraße %d" % (nr % 90 + 1), "FPLZ": "97070",
         "FOrt": "Würzburg", "FLand": "Deutschland", "FTelefon": "", "FMobil": "", "FEMail": "",
         "FHomepage": "", "FEintrittsdatum": eintritt, "FEhrenmitgliedSeit": 0, "FAustrittsdatum": 0,
         "FAustrittsgrund": "", "FAnrechnung": 0, "FEhrung": 0, "FAbteilungen": "", "FGruppen": 0,
         "FBeitragsschluessel": "ERW", "FZahlart": 0, "FBezahltBis": tag(31, 12, 2023),
         "FVorlaeufigBezahltBis": 0}
    m.update(kw)
    return m


NACHNAMEN = ["Adler", "Becker", "Müller", "Schröder", "Zimmermann", "Krause", "Özdemir", "Wagner",
             "Hoffmann", "Bäcker", "Neumann", "Yilmaz", "Schulz", "Köhler", "Lang", "Fischer"]
VORNAMEN = ["Anna", "Ben", "Carla", "David", "Eva", "Jürgen", "Käthe", "Paul", "Sören", "Uta"]
ORTE = [("80331", "München"), ("50667", "Köln"), ("97070", "Würzburg"), ("90402", "Nürnberg"),
        ("01067", "Dresden"), ("66111", "Saarbrücken")]
ABTEILUNGEN = ["Tennis", "Ball", "Fußball", "Schach", "Turnen", "A-Jugend", "Tischtennis"]
SCHLUESSEL = ["ERW", "ERW", "HALB", "TAG", "JAHR", "FAM", "VIEL", "LEER", "NIX", "", "erw", " ERW"]
BANKEN = ["37040044", "79050000", "70150000", "50010517", "10000000", "99999999"]


def stammdaten():
    namen = ["Aktive", "Vorstand", "Jugend 2", "Ski & Berg", "Sechs6", "Übungsleiter",
             "Per Rechnung", "Ab cdefg", "Abcde fgh", "Kasse"]
    namen += ["Gruppe %d" % i for i in range(11, 32)] + ["Sonder „32“"]
    return {
        "FVereinsname": "TSV Grün-Weiß „Frisch auf“",
        "FVereinsPLZ": "97070", "FVereinsort": "Würzburg", "FGruendungsdatum": tag(1, 5, 1948),
        "FJahresberechnung": 3, "FJahresdatum1": 36891, "FJahresdatum2": 36891,
        "FJahresdatum3": STICHTAG,
        # entries after a word or a blank entry are never reached
        "FGeburtstage": "50;60; 65 ;70;75;80; x;90", "FEhrungen": "10;25;40;50; ;60",
        "FGeburtstagsJahre": 2,
        "FBeitragsberechnung": 3, "FBeitragsdatum1": 36891, "FBeitragsdatum2": 36891,
        "FBeitragsdatum3": BEITRAGSSTICHTAG,
        "FZweckVorlage": "Beitrag %Jahre%",
        "FVereinskonten": [{"FIBAN": z._iban("79050000", "0012345678"), "FBLZ": "79050000",
                            "FKontonummer": "0012345678", "FInhaber": "TSV", "FKontoSchluessel": "HAUPT",
                            "FBezeichnung": "Hauptkonto", "FBankname": "Sparkasse",
                            "FGlaeubigerID": "DE98ZZZ09999999999"}],
        "FBtrKlassen": [
            {"FSchluessel": "ERW", "FBezeichnung": "Erwachsene nach Alter", "FTeilberechnung": 0,
             "FFaktorText": False, "FFamilienbeitrag": False, "FFamilienMax": 0, "FFamilienIst": 0,
             "FFamilienAlter": 18, "FAltKlassen": [
                 {"FVerwendungszweck": "Jugend", "FBetrag": 30.5, "FAlterBis": 17},
                 {"FVerwendungszweck": "Erwachsene", "FBetrag": 1234.5, "FAlterBis": 64},
                 {"FVerwendungszweck": "Senioren", "FBetrag": 48.25, "FAlterBis": 90}]},
            {"FSchluessel": "HALB", "FBezeichnung": "Monatsgenau", "FTeilberechnung": 2,
             "FFaktorText": True, "FFamilienbeitrag": False, "FFamilienMax": 0, "FFamilienIst": 0,
             "FFamilienAlter": 18,
             "FAltKlassen": [{"FVerwendungszweck": "Halb", "FBetrag": 10.25, "FAlterBis": 150}]},
            {"FSchluessel": "TAG", "FBezeichnung": "Taggenau", "FTeilberechnung": 1,
             "FFaktorText": False, "FFamilienbeitrag": False, "FFamilienMax": 0, "FFamilienIst": 0,
             "FFamilienAlter": 18,
             "FAltKlassen": [{"FVerwendungszweck": "Tag", "FBetrag": 73.0, "FAlterBis": 150}]},
            {"FSchluessel": "JAHR", "FBezeichnung": "Ganze Jahre aufgerundet", "FTeilberechnung": 13,
             "FFaktorText": False, "FFamilienbeitrag": False, "FFamilienMax": 0, "FFamilienIst": 0,
             "FFamilienAlter": 18,
             "FAltKlassen": [{"FVerwendungszweck": "Jahr", "FBetrag": 20.0, "FAlterBis": 150}]},
            {"FSchluessel": "FAM", "FBezeichnung": "Familie", "FTeilberechnung": 0,
             "FFaktorText": False, "FFamilienbeitrag": True, "FFamilienMax": 0, "FFamilienIst": 0,
             "FFamilienAlter": 18,
             "FAltKlassen": [{"FVerwendungszweck": "Familie", "FBetrag": 150.75, "FAlterBis": 0}]},
            {"FSchluessel": "VIEL", "FBezeichnung": "Großspender", "FTeilberechnung": 0,
             "FFaktorText": False, "FFamilienbeitrag": False, "FFamilienMax": 0, "FFamilienIst": 0,
             "FFamilienAlter": 18,
             "FAltKlassen": [{"FVerwendungszweck": "Spende", "FBetrag": 1234567.25, "FAlterBis": 150}]},
            {"FSchluessel": "LEER", "FBezeichnung": "Ohne Altersklassen", "FTeilberechnung": 0,
             "FFaktorText": False, "FFamilienbeitrag": False, "FFamilienMax": 0, "FFamilienIst": 0,
             "FFamilienAlter": 18},
        ],
        "FTabVorlagen": [],
        "FGruppenAnzahl": 10,
        "FGruppenname": namen,
    }


def besondere_mitglieder():
    """Members made for one rule each."""
    s = STEMPEL
    ms = [
        # 29 February: birthday index 60, age jubilee on the day itself
        mitglied(1, "Adler", "Anna", tag(29, 2, 1964), tag(1, 3, 1990), FMaennlich=False,
                 FTelefon="0931 1", FMobil="0171 1", FEMail="anna@example.de", FSelektiert=True,
                 FGruppen=bits(0, 2), FAbteilungen="Tennis, Schach", FEhrung=25, FAnrechnung=3,
                 FGeaendertVon=s[1], FAustrittVon=s[3],
                 FZahlart=1, FKonto=konto("37040044", "0532013000", FErstlastschrift=tag(1, 3, 2015))),
        # born 10.03.1950: jubilee 75 within the horizon
        mitglied(2, "Becker", "Ben", tag(10, 3, 1950), tag(1, 1, 1970), FTelefon="0931 2",
                 FEhrenmitgliedSeit=tag(1, 1, 2000), FEhrung=50, FGruppen=bits(1, 3, 31),
                 FAbteilungen="Ball", FErstelltVon=s[4], FGeaendertVon=s[5],
                 FBeitragsschluessel="HALB", FBezahltBis=tag(30, 6, 2024), FSelektiert=True),
        # jubilee 60 beyond the horizon: no jubilee, but its date
        mitglied(3, "Zimmermann", "Carla", tag(1, 6, 1973), tag(15, 8, 1998), FMaennlich=False,
                 FMobil="0171 3", FEMail="carla@example.de", FEhrung=10, FAnrechnung=2,
                 FAbteilungen="Fußball, A-Jugend", FGruppen=bits(4, 5, 9),
                 FBeitragsschluessel="TAG", FBezahltBis=tag(30, 6, 2024), FErstelltVon=s[2],
                 FGeaendertVon=s[6]),
        # past 80: the word in the birthday list ends the search
        mitglied(4, "Krause", "David", tag(2, 2, 1935), tag(1, 1, 1962), FEhrung=60,
                 FEhrenmitgliedSeit=tag(3, 3, 2003), FBeitragsschluessel="ERW",
                 FErstelltVon=s[7], FAustrittVon=s[8]),
        # left before the reference date: age and membership stop there
        mitglied(5, "Wagner", "Eva", tag(12, 7, 1960), tag(1, 4, 1985), FMaennlich=False,
                 FAustrittsdatum=tag(30, 6, 2020), FAustrittsgrund="Umzug", FAnrechnung=1,
                 FAustrittVon=s[0], FBeitragsschluessel="JAHR", FBezahltBis=tag(31, 12, 2022)),
        # leaves after the reference date; "Titel" without first name: double blanks stay
        mitglied(6, "Hoffmann", "", tag(15, 6, 2006), tag(1, 9, 2015), FTitel="Dr.", FZusatz="jun.",
                 FAustrittsdatum=tag(31, 3, 2026), FAustrittsgrund="Ausschluß",
                 FStrasse="", FPLZ="", FOrt="Bad Tölz", FLand="",
                 FBeitragsschluessel="ERW", FGeaendertVon=s[8]),
        # born after the reference date
        mitglied(7, "Lang", "Paul", tag(5, 5, 2025), tag(6, 5, 2025), FBeitragsschluessel="",
                 FZahlart=5, FErstelltVon=s[3]),
        # exporting needs quoting and escaping
        mitglied(8, "  Fischer ", "Sören", tag(3, 10, 1988), tag(1, 1, 2010),
                 FZusatz='jun. "der Ältere"', FTitel="Prof.", FStrasse="Am Weg {3}\\links",
                 FPLZ="83646", FOrt="Tölz; Obb.", FTelefon="08041, 12", FMobil="0160 8",
                 FAbteilungen="Tennis, Ball", FSelektiert=True, FBeitragsschluessel="VIEL",
                 FGruppen=bits(7, 8), FZahlart=1,
                 FKonto=konto("79050000", "1234", iban=z._iban("37040044", "0532013000"),
                              FInhaber="Müller, {Hans}", FEmpfaengerKonto="haupt",
                              FErstlastschrift=tag(2, 1, 2020))),
        # a family: payer, co-financed child, a payer reference that does not resolve
        mitglied(9, "Neumann", "Uta", tag(20, 1, 1980), tag(1, 1, 2005), FMaennlich=False,
                 FBeitragsschluessel="FAM", FZahlart=1,
                 FKonto=konto("70150000", "0000987654", FEmpfaengerKonto="JUG")),
        mitglied(10, "Neumann", "Ben", tag(20, 8, 2012), tag(1, 1, 2018),
                 FBeitragsschluessel="FAM", FZahlart=2,
                 FZahler={"FZeit": 44000.0, "FNummer": 9, "FGeburtsdatum": tag(20, 1, 1980)}),
        mitglied(11, "Neumann", "Käthe", tag(2, 2, 2014), tag(1, 1, 2019), FMaennlich=False,
                 FBeitragsschluessel="FAM", FZahlart=2,
                 FZahler={"FZeit": 44000.0, "FNummer": 9, "FGeburtsdatum": tag(21, 1, 1980)}),
        # co-financed in another class: its own fee; payer shown
        mitglied(12, "Neumann", "Jürgen", tag(1, 1, 1990), tag(1, 1, 2019), FZahlart=2,
                 FBeitragsschluessel="ERW",
                 FZahler={"FZeit": 44000.0, "FNummer": 9, "FGeburtsdatum": tag(20, 1, 1980)}),
        # under 18 at the fee reference date, 18 at the age reference date
        mitglied(13, "Schulz", "Eva", tag(15, 6, 2006), tag(1, 1, 2016), FMaennlich=False,
                 FBeitragsschluessel="ERW", FKonto=konto("", "", iban="", FMandatsdatum=0,
                                                         FInhaber="", FMandatsreferenz="",
                                                         FEmpfaengerKonto="")),
        # past the last age class; a number wider than the format
        mitglied(12345, "Köhler", "Uta", tag(1, 1, 1930), tag(1, 1, 1950), FMaennlich=False,
                 FBeitragsschluessel="ERW", FEhrenmitgliedSeit=tag(1, 1, 1990),
                 FKonto=konto("123456789", "0000000000", iban="AT611904300234573201",
                              FErstlastschrift=tag(5, 5, 2005))),
        # an account from an unknown bank, paid ahead
        mitglied(15, "Yilmaz", "Paul", tag(7, 7, 1977), tag(7, 7, 2007), FBeitragsschluessel="HALB",
                 FBezahltBis=tag(31, 12, 2025), FZahlart=1,
                 FKonto=konto("99999999", "12345678901", iban="")),
    ]
    return ms


def zufaellige_mitglieder(rng, anzahl, erste_nummer, bekannte):
    ms = []
    for i in range(anzahl):
        nr = erste_nummer + i
        geb = rng.randint(tag(1, 1, 1925), tag(31, 12, 2012))
        eintritt = min(geb + rng.randint(5 * 365, 60 * 365), tag(31, 12, 2024))
        plz, ort = rng.choice(ORTE)
        austritt = 0
        if rng.random() < 0.25:
            austritt = rng.randint(max(eintritt, tag(1, 1, 2015)), tag(31, 12, 2026))
        m = mitglied(nr, rng.choice(NACHNAMEN), rng.choice(VORNAMEN), geb, eintritt,
                     FMaennlich=rng.random() < 0.5, FPLZ=plz, FOrt=ort,
                     FLand=rng.choice(["Deutschland", "Deutschland", "Österreich", ""]),
                     FTelefon=rng.choice(["", "089 %d" % nr]), FMobil=rng.choice(["", "0172 %d" % nr]),
                     FEMail=rng.choice(["", "m%d@example.de" % nr]),
                     FSelektiert=rng.random() < 0.4, FAustrittsdatum=austritt,
                     FAustrittsgrund="Austritt" if austritt else "",
                     FEhrenmitgliedSeit=rng.choice([0, 0, 0, eintritt + 9000]),
                     FAnrechnung=rng.choice([0, 0, 1, 5, 12]), FEhrung=rng.choice([0, 0, 10, 25, 40, 50]),
                     FAbteilungen=", ".join(rng.sample(ABTEILUNGEN, rng.randint(0, 2))),
                     FGruppen=rng.getrandbits(10) | (rng.random() < 0.1) << 31,
                     FBeitragsschluessel=rng.choice(SCHLUESSEL),
                     FBezahltBis=rng.choice([tag(31, 12, 2022), tag(31, 12, 2023), tag(14, 3, 2024),
                                             tag(30, 6, 2024), tag(31, 12, 2024), tag(31, 12, 2025)]),
                     FErstelltVon=rng.choice(STEMPEL))
        if rng.random() < 0.7:
            m["FGeaendertVon"] = rng.choice(STEMPEL)
        if austritt and rng.random() < 0.7:
            m["FAustrittVon"] = rng.choice(STEMPEL)
        art = rng.choice([0, 1, 1, 2])
        m["FZahlart"] = art
        if art == 2:
            zahler = rng.choice(bekannte + ms) if ms or bekannte else None
            if zahler is not None:
                m["FZahler"] = {"FZeit": 44000.0, "FNummer": zahler["FMitgliedsnummer"],
                                "FGeburtsdatum": zahler["FGeburtsdatum"] + (rng.random() < 0.2)}
        if art == 1 or rng.random() < 0.3:
            blz = rng.choice(BANKEN)
            kto = "%010d" % rng.randint(1, 9999999999)
            m["FKonto"] = konto(blz, kto, FEmpfaengerKonto=rng.choice(["HAUPT", "JUG", "haupt", ""]),
                                FErstlastschrift=rng.choice([0, tag(1, 3, 2015), tag(1, 7, 2022)]),
                                FMandatsdatum=rng.choice([0, tag(1, 2, 2014)]))
        ms.append(m)
    return ms


def vorlage(titel, spalten, sortierung=(), filter_bits=0, gruppen=0, abteilungen="*"):
    return {"FTitel": titel, "FDruckOptionen": 0x11, "FSpalten": list(spalten),
            "FSortierung": list(sortierung), "FAbteilungen": abteilungen, "FFilter": filter_bits,
            "FGruppen": gruppen}


ALLE_ARTEN = list(range(0, 172)) + [255, -1, 1000]

VORLAGEN = [
    vorlage("Alle Spalten", ALLE_ARTEN, [3]),
    vorlage("Selektierte ohne Austritt", [2, 4, 5, 3, 21, 22, 63, 64, 65, 66, 67, 69, 141],
            [-61, 21, 0], bits(1, 2), bits(1, 2), "Tennis, Ball"),
    vorlage("Geburtstage", [1, 3, 25, 28, 29, 30, 31, 32], [31, 3], bits(6)),
    vorlage("Ehrungen", [1, 3, 25, 61, 62, 63, 65, 67], [67, -3], bits(5)),
    vorlage("Ehrenmitglieder und Austritte", [3, 25, 68, 70, 71, 165, 166], [-70, 3], bits(3, 4)),
    vorlage("Ohne Abteilung, nicht selektiert", [3, 69, 5, 142, 143], [], bits(0), 0, ""),
    vorlage("Nach Alter", [3, 28, 29, 32, 27], [-29, 28, 3]),
    vorlage("Nach Geburtstag", [3, 28, 32, 27], [27, 32, 3]),
    vorlage("Archivliste", [1, 3, 25, 70, 71, 161, 162, 83], [-70, 3], bits(7, 1, 4), 1, "Nix"),
    vorlage("Keiner", [3, 21], [], bits(0, 1)),
    vorlage("Ohne Spalten", [], []),
    vorlage("3", [3, 21], [3]),
    vorlage("Beitragsdaten", [3, 83, 84], [3]),
]


def archiv():
    s = STEMPEL
    return [
        mitglied(201, "Alt", "Anna", tag(1, 1, 1940), tag(1, 1, 1960), FAustrittsdatum=tag(31, 12, 2020),
                 FAustrittsgrund="Todesfall", FErstelltVon=s[1]),
        mitglied(202, "Früher", "Ben", tag(1, 1, 1950), tag(1, 1, 1970), FAustrittsdatum=tag(30, 6, 2022),
                 FAustrittsgrund="Austritt", FErstelltVon=s[5]),
        # the purge mark keeps a member out of the archive list
        mitglied(203, "Weg", "Carla", tag(1, 1, 1960), tag(1, 1, 1980), FAustrittsdatum=tag(1, 1, 2023),
                 FSelektiert=True),
        mitglied(204, "Zuletzt", "David", tag(1, 1, 1970), tag(1, 1, 1990), FAustrittsdatum=tag(1, 1, 2021),
                 FErstelltVon=s[4]),
    ]


def verein(anzahl_zufall=45, seed=15):
    rng = random.Random(seed)
    besondere = besondere_mitglieder()
    mitglieder = besondere + zufaellige_mitglieder(rng, anzahl_zufall, 100, besondere)
    sd = stammdaten()
    sd["FTabVorlagen"] = [dict(v) for v in VORLAGEN]
    return {
        "FFormatVersion": z.FORMAT_VERSION, "FErstellt": 40179.5, "FGeaendertAm": 45600.5,
        "FSchreibvorgaenge": 3, "FAustrittsliste": True, "FUnbekannteBehalten": True,
        "FBeschreibung": "Mitgliederliste TSV 2024", "FZAQFormat": "0000", "FNullbetragMelden": True,
        "FStammdaten": sd,
        "FBenutzer": [benutzer("Admin", 1, "Administrator", 0x1FFFFF),
                      benutzer("Kassier", 51234, "Käthe Bäcker", 0x1FFFFF),
                      benutzer("Leser", 300, "Lena Leser", 0x0090),
                      benutzer("Archiv", 301, "Armin Archiv", 0x2090),
                      benutzer("Kassier", 999, "Zweite Kassiererin", 0x0200)],
        "FVerwaisteBenutzer": [benutzer("Alt€r", 12, "Günther Fuß", 0),
                               benutzer("Kassier", 5555, "Frühere Kassiererin", 0)],
        "FMitglieder": mitglieder,
        "FArchiv": archiv(),
    }


# ---------------------------------------------------------------------------
# Reading the exports

FORMEN = ("tab", "semicolon", "comma", "rtf")
TRENNER = {"tab": "\t", "semicolon": ";", "comma": ","}


def quote(zelle, trenner):
    if trenner != "\t" and any(c in zelle for c in (trenner, '"', "\r", "\n")):
        return '"' + zelle.replace('"', '""') + '"'
    return zelle


def lies_getrennt(text, trenner):
    """Rows of cells; a quoted cell may hold anything, "" is one quote."""
    zeilen, zeile, i, n = [], [], 0, len(text)
    while i < n:
        if trenner != "\t" and text[i] == '"':
            teile, j = [], i + 1
            while True:
                k = text.find('"', j)
                if k < 0:
                    raise ValueError("offenes Anführungszeichen in Zeile %d" % (len(zeilen) + 1))
                teile.append(text[j:k])
                if text.startswith('"', k + 1):
                    teile.append('"')
                    j = k + 2
                else:
                    i = k + 1
                    break
            zelle = "".join(teile)
        else:
            enden = [p for p in (text.find(trenner, i), text.find("\r\n", i)) if p >= 0]
            e = min(enden) if enden else n
            zelle = text[i:e]
            i = e
        zeile.append(zelle)
        if text.startswith(trenner, i):
            i += len(trenner)
        elif text.startswith("\r\n", i):
            zeilen.append(zeile)
            zeile = []
            i += 2
        else:
            raise ValueError("Zeile %d endet nicht mit CR LF" % (len(zeilen) + 1))
    if zeile:
        raise ValueError("letzte Zeile ohne CR LF")
    return zeilen


def rtf_escape(t):
    return t.replace("\\", "\\\\").replace("{", "\\{").replace("}", "\\}")


RTF_ZEILE = re.compile(r"^\\trowd((?:\\cellx-?\d+)+)\\pard\\intbl(.*)\\row$", re.S)


def lies_rtf(text, test, wo):
    test.assertTrue(text.endswith("\r\n"), wo + ": RTF endet nicht mit CR LF")
    zeilen = text[:-2].split("\r\n")
    test.assertEqual(zeilen[0], "{\\rtf1\\ansi\\deff0", wo)
    test.assertEqual(zeilen[-1], "}", wo)
    kopf = zeilen[1]
    test.assertTrue(kopf.startswith("\\b\\trowd") and kopf.endswith("\\row\\b0"),
                    wo + ": Kopfzeile nicht in \\b ... \\b0: " + kopf[:80])
    ergebnis, raender = [], None
    for nr, zeile in enumerate([kopf[2:-3]] + zeilen[2:-1]):
        t = RTF_ZEILE.match(zeile)
        test.assertIsNotNone(t, "%s: RTF-Zeile %d: %r" % (wo, nr, zeile[:120]))
        r = [int(x) for x in re.findall(r"-?\d+", t.group(1))]
        if raender is None:
            raender = r
            test.assertTrue(all(a < b for a, b in zip([0] + r, r)),
                            "%s: \\cellx nicht steigend: %s" % (wo, r))
        test.assertEqual(r, raender, "%s: Zeile %d hat andere \\cellx" % (wo, nr))
        ergebnis.append(t.group(2))
    return ergebnis


# ---------------------------------------------------------------------------

def lies(datei):
    with open(datei, "rb") as f:
        return f.read()


def meldungen_aus(stderr):
    meldungen = []
    for zeile in stderr.splitlines():
        if zeile.split(":", 1)[0] in ("Fehler", "Warnung", "Information", "Frage"):
            meldungen.append(zeile)
        elif meldungen:
            meldungen[-1] += "\n" + zeile
    return meldungen


class MitProgramm(unittest.TestCase):
    maxDiff = 4000

    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        cls.dir = cls.tmp.name
        cls.zaq = verein()
        cls.v = Verein(cls.zaq)
        cls.datei = cls.pfad("verein.zaq")
        with open(cls.datei, "wb") as f:
            f.write(z.schreibe_datei(cls.zaq, rng=random.Random(1)))
        cls.bytes = lies(cls.datei)

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    @classmethod
    def pfad(cls, name):
        return os.path.join(cls.dir, name)

    def cli(self, *args, login=ADMIN, config=None):
        r = subprocess.run([CLI, *args, *login, "--config", config or self.dir], capture_output=True)
        self.assertGreaterEqual(r.returncode, 0, "zaq-cli abgestürzt: %s %s" % (args, r.stderr))
        return r

    def meldungen(self, r):
        return [m.replace("\r", "") for m in meldungen_aus(r.stderr.decode("utf-8", "replace"))]


class Hilfen(unittest.TestCase):
    """The computations of this file on the examples the rules give."""

    def test_beispiele(self):
        self.assertEqual(volle_jahre(tag(29, 2, 2000), tag(28, 2, 2001)), 0)
        self.assertEqual(volle_jahre(tag(29, 2, 2000), tag(1, 3, 2001)), 1)
        self.assertEqual(plus_jahre(tag(29, 2, 2000), 1), tag(1, 3, 2001))
        self.assertEqual(plus_jahre(tag(29, 2, 2000), -1), tag(28, 2, 1999))
        self.assertEqual(geburtstagsnummer(tag(29, 2, 1999 + 1)), 60)
        self.assertEqual(geburtstagsnummer(tag(1, 3, 2001)), 61)
        self.assertEqual(konto_text("0001234567"), "1 234 567")
        self.assertEqual(blz_text("37040044"), "370 400 44")
        self.assertEqual(monate(tag(15, 3, 2010), tag(1, 1, 2011)), 9)
        self.assertEqual(betrag_text(1234.5), "1.234,50 €")
        self.assertEqual(tag(1, 1, 2000), 36526)
        sd = dict(stammdaten(), FGeburtstage="65;70;75;80;85;90;95;100;105",
                  FEhrungen="10;25;40;50;60;70;80;90;100", FJahresdatum3=tag(1, 1, 2019))
        v = Verein({"FStammdaten": sd, "FMitglieder": []})
        m = mitglied(1, "A", "B", tag(10, 3, 1950), tag(1, 1, 1990))
        self.assertEqual(v.geburtstagsjubilaeum(m, tag(1, 1, 2019)), (70, tag(10, 3, 2020)))
        self.assertEqual(v.geburtstagsjubilaeum(m, tag(1, 1, 2017)), (0, tag(10, 3, 2020)))
        self.assertEqual(v.geburtstagsjubilaeum(m, tag(10, 3, 2020)), (70, tag(10, 3, 2020)))
        m = mitglied(1, "A", "B", tag(1, 1, 1950), tag(1, 6, 1992), FEhrung=10)
        self.assertEqual(v.mitgliedsjahre(m, tag(1, 7, 2019)), 27)
        self.assertEqual(v.faellige_ehrung(m, tag(1, 7, 2019)), 25)
        self.assertEqual(v.faellige_ehrung(dict(m, FEhrung=25), tag(1, 7, 2019)), 0)
        for f, d, ja in [("*", "", True), ("", "", True), ("", "Ball", False),
                         ("Jugend, Fußball", "Tennis, Fußball", True),
                         ("Jugend", "Fußball, A-Jugend", False), ("Fussball", "Ball", True),
                         ("Tennis, Fussball", "fussball, Schach", True)]:
            self.assertEqual(in_abteilung(f, d), ja, (f, d))
        # partial periods and the even cent
        klasse = {"FSchluessel": "K", "FTeilberechnung": 2, "FFamilienbeitrag": False,
                  "FAltKlassen": [{"FBetrag": 10.25, "FAlterBis": 150}]}
        v.sd["FBtrKlassen"] = [klasse]
        v.beitragsstichtag = tag(1, 1, 2010)
        m = mitglied(1, "A", "B", tag(1, 1, 1980), tag(1, 1, 2000), FBeitragsschluessel="K",
                     FBezahltBis=tag(30, 6, 2010))
        self.assertEqual(v.beitrag_text(m, tag(31, 12, 2010)), "5,12 €")
        for modus, erwartet in [(6, 9), (7, 9), (8, 8), (9, 12)]:
            klasse["FTeilberechnung"] = modus
            klasse["FAltKlassen"][0]["FBetrag"] = 12.0
            self.assertEqual(v.beitrag(dict(m, FBezahltBis=tag(14, 3, 2010)), tag(31, 12, 2010), False)[0],
                             erwartet, modus)
        klasse["FTeilberechnung"] = 1
        self.assertEqual(v.beitrag(dict(m, FBezahltBis=tag(31, 12, 2009)), tag(31, 12, 2010), False)[0], 12.0)

    def test_lesen_der_exporte(self):
        zeilen = [["a;b", 'x"y', "1,5"], ["", "z\r\nw", "ok"]]
        for t in (";", ","):
            text = "".join(t.join(quote(c, t) for c in z_) + "\r\n" for z_ in zeilen)
            self.assertEqual(lies_getrennt(text, t), zeilen)


class Tabellen(MitProgramm):
    def tabelle(self, vorlage, form="tab", datum=None, login=ADMIN, config=None):
        args = ["table", self.datei, vorlage, "--format", form]
        if datum:
            args += ["--date", datum]
        return self.cli(*args, login=login, config=config)

    def pruefe(self, name, spalten, schluessel, mitglieder, bezug, rechen, form="tab", datum=None,
               login=ADMIN, gebuehrrecht=True, config=None, v_=None):
        v_ = v_ or self.v
        wo = "Vorlage %r, %s%s" % (name, form, ", --date " + datum if datum else "")
        r = self.tabelle(name, form, datum, login, config)
        self.assertEqual(r.returncode, 0, wo + ": " + r.stderr.decode("utf-8", "replace"))
        self.assertEqual(self.meldungen(r), [], wo)
        text = r.stdout.decode("cp1252")
        if form == "rtf":
            zeilen = lies_rtf(text, self, wo)
        else:
            zeilen = lies_getrennt(text, TRENNER[form])
        kopf = [KOEPFE.get(k, "?") for k in spalten]
        nach_nummer = {v_.nummer(m): m for m in mitglieder}
        self.assertEqual(len(zeilen) - 1, len(mitglieder), wo + ": Zahl der Zeilen")
        erwartet_zeilen, reihenfolge = [kopf], []
        nr_spalte = spalten.index(3) if 3 in spalten else None
        for r_, zeile in enumerate(zeilen[1:], 1):
            if nr_spalte is None:
                m = mitglieder[r_ - 1]
            else:
                text_nr = (zeile[nr_spalte] if form != "rtf" else
                           re.findall(r" (.*?)\\intbl\\cell", zeile)[nr_spalte])
                self.assertTrue(text_nr in nach_nummer, "%s: Zeile %d: Mitglied %r gehört nicht in die Tabelle"
                                % (wo, r_, text_nr))
                m = nach_nummer.pop(text_nr)
            reihenfolge.append(m)
            erwartet_zeilen.append([v_.zelle(m, k, r_, bezug, rechen, gebuehrrecht) for k in spalten])
        fehler = []
        for r_, (ist, soll) in enumerate(zip(zeilen, erwartet_zeilen)):
            if form == "rtf":
                soll_text = "".join(" " + rtf_escape(c) + "\\intbl\\cell" for c in soll)
                if ist != soll_text:
                    fehler.append("Zeile %d: erwartet %r, ist %r" % (r_, soll_text, ist))
                continue
            if len(ist) != len(soll):
                fehler.append("Zeile %d: %d Zellen statt %d: %r" % (r_, len(ist), len(soll), ist))
                continue
            for k, a, b in zip(spalten, soll, ist):
                if a != b:
                    mnr = v_.nummer(reihenfolge[r_ - 1]) if r_ else "Kopf"
                    fehler.append("Mitglied %s, Spalte %d: erwartet %r, ist %r" % (mnr, k, a, b))
        self.assertEqual(fehler[:25], [], wo)
        if form in ("semicolon", "comma"):
            t = TRENNER[form]
            self.assertEqual(text, "".join(t.join(quote(c, t) for c in z_) + "\r\n" for z_ in zeilen),
                             wo + ": Anführungszeichen nicht nach der Regel")
        elif form == "tab":
            self.assertEqual(text, "".join("\t".join(z_) + "\r\n" for z_ in zeilen), wo)
        if schluessel:
            for i, (a, b) in enumerate(zip(reihenfolge, reihenfolge[1:]), 1):
                c = v_.vergleiche(a, b, schluessel, bezug)
                self.assertTrue(c is None or c <= 0, "%s: Reihenfolge nach %s: Zeile %d (%s) vor %d (%s)"
                                % (wo, schluessel, i, v_.nummer(a), i + 1, v_.nummer(b)))
        else:
            self.assertEqual([v_.nummer(m) for m in reihenfolge], [v_.nummer(m) for m in mitglieder],
                             wo + ": Reihenfolge der Liste")

    def test_standardvorlagen(self):
        for n, (titel, spalten, filter_bits, schluessel) in STANDARD.items():
            for form, datum in [(f, None) for f in FORMEN] + [("tab", "15.08.2025")]:
                with self.subTest(vorlage=n, form=form, datum=datum):
                    bezug = STICHTAG if datum is None else tag(15, 8, 2025)
                    v = dict(FFilter=bits(*filter_bits))
                    ms = self.v.zeilen(v, bezug)
                    # by title too, where no club template and no twin takes the title
                    # (the club has a template named 3 and one titled as template 2)
                    name = titel if (form == "comma" and n not in (2, 4, 5)) or n == 3 else str(n)
                    self.pruefe(name, spalten, schluessel, ms, bezug, bezug, form, datum)

    def test_vereinsvorlagen(self):
        for v in VORLAGEN:
            if v["FTitel"] in ("Keiner", "Ohne Spalten"):
                continue
            for form in FORMEN:
                for datum in (None, "01.07.2026") if form == "tab" else (None,):
                    with self.subTest(vorlage=v["FTitel"], form=form, datum=datum):
                        bezug = STICHTAG if datum is None else tag(1, 7, 2026)
                        ms = self.v.zeilen(v, bezug)
                        self.pruefe(v["FTitel"], v["FSpalten"], v["FSortierung"], ms, bezug, 0, form, datum)

    def test_rechte(self):
        alle = VORLAGEN[0]
        for login, gebuehr in ((LESER, False), (ARCHIVAR, False)):
            for form in ("tab", "rtf"):
                with self.subTest(login=login[1], form=form):
                    self.pruefe("Alle Spalten", alle["FSpalten"], alle["FSortierung"],
                                self.v.zeilen(alle, STICHTAG), STICHTAG, 0, form, login=login,
                                gebuehrrecht=gebuehr)
        # the archive right alone opens the archive; fee cells stay hidden
        archiv_v = VORLAGEN[8]
        self.pruefe("Archivliste", archiv_v["FSpalten"], archiv_v["FSortierung"],
                    self.v.zeilen(archiv_v, STICHTAG), STICHTAG, 0, login=ARCHIVAR, gebuehrrecht=False)
        self.pruefe("11", STANDARD[11][1], STANDARD[11][3], self.v.zeilen({"FFilter": 0x80}, STICHTAG),
                    STICHTAG, STICHTAG, login=ARCHIVAR, gebuehrrecht=False)
        for name in ("11", "Archivliste", "Ehemalige Mitglieder (Archiv)"):
            with self.subTest(ohne_archivrecht=name):
                r = self.tabelle(name, login=LESER)
                self.assertEqual(r.returncode, 1, name)
                self.assertEqual(r.stdout, b"", name)
                self.assertEqual(self.meldungen(r), [
                    "Information: Sie sind im Moment als Lena Leser angemeldet und besitzen leider nicht "
                    "das Recht auf Zugriff zum Archiv."], name)

    def test_programmvorlagen_und_reihenfolge_der_suche(self):
        config = self.pfad("mit_ini")
        os.makedirs(config, exist_ok=True)
        with open(os.path.join(config, "zaq.ini"), "wb") as f:
            f.write(("[ZAQ Mitgliederverwaltung]\r\nTabellen=3\r\nTabelle 1=Telefon;3;26;45;49;51;52\r\n"
                     "Tabelle 2=Persönliche Daten / Adressenliste;3;22;x\r\n"
                     "Tabelle 3=Beitragsdaten;3;21\r\n").encode("cp1252"))
        alle = self.v.zeilen({}, STICHTAG)
        # a program template sorts as a new template does: 21, 22, 3
        self.pruefe("Telefon", [3, 26, 45, 49, 51, 52], [21, 22, 3], alle, STICHTAG, 0, config=config)
        self.pruefe("Telefon", [3, 26, 45, 49, 51, 52], [21, 22, 3], alle, tag(2, 2, 2022), 0, "comma",
                    "02.02.2022", config=config)
        # a program template before a standard template of the same title
        self.pruefe("Persönliche Daten / Adressenliste", [3, 22, 0], [21, 22, 3], alle, STICHTAG, 0,
                    config=config)
        # a club template before a program template and a standard template
        self.pruefe("Beitragsdaten", [3, 83, 84], [3], alle, STICHTAG, 0, config=config)
        # the number of a standard template
        self.pruefe("0", STANDARD[0][1], [], alle, STICHTAG, STICHTAG, config=config)
        # a club template named by a number comes first
        self.pruefe("3", [3, 21], [3], alle, STICHTAG, 0)
        # two standard templates of one title: the first
        self.pruefe("Vereinsehrungen (Jubiläumsliste)", STANDARD[4][1], STANDARD[4][3],
                    self.v.zeilen({"FFilter": bits(2, 5)}, STICHTAG), STICHTAG, STICHTAG)

    def test_keine_tabelle(self):
        faelle = [
            ("Keiner", None, ["", "Information: Es wurden keine Mitglieder gefunden, die den gewünschten "
                              "Filterkriterien entsprechen."]),
            ("Ohne Spalten", None, ["Warnung: Es wurden keine Felder angegeben. Die Tabelle muß mindestens "
                                    "eine Spalte aufweisen."]),
            ("6", "01.01.1900", ["Information: Es wurden keine Mitglieder gefunden, die den gewünschten "
                                 "Filterkriterien entsprechen."]),
            ("Gibt es nicht", None, None),
            ("12", None, None),
        ]
        for name, datum, meldung in faelle:
            with self.subTest(vorlage=name):
                r = self.tabelle(name, "tab", datum)
                self.assertEqual(r.returncode, 1, name)
                self.assertEqual(r.stdout, b"", name)
                gemeldet = self.meldungen(r)
                if meldung is not None:
                    self.assertIn("\n".join(gemeldet), meldung, name)


class Sonderzeichen(MitProgramm):
    """Line breaks and separators inside cells."""

    def test_zeilenumbruch_und_trenner(self):
        zaq = verein(0)
        zaq["FMitglieder"] = [
            mitglied(1, 'Nach;name, "A"', "Vor\r\nname", tag(1, 1, 1980), tag(1, 1, 2000),
                     FAustrittsgrund="Umzug;\r\nweit weg", FAustrittsdatum=tag(1, 1, 2030)),
            mitglied(2, "Ohne", "Zeichen", tag(1, 1, 1981), tag(1, 1, 2001), FStrasse='"{}\\"'),
        ]
        zaq["FStammdaten"]["FTabVorlagen"] = [vorlage("Zeichen", [3, 21, 22, 25, 41, 71, 83], [3])]
        datei = self.pfad("zeichen.zaq")
        with open(datei, "wb") as f:
            f.write(z.schreibe_datei(zaq))
        v = Verein(zaq)
        for form in ("semicolon", "comma", "rtf"):
            with self.subTest(form=form):
                r = self.cli("table", datei, "Zeichen", "--format", form)
                self.assertEqual(r.returncode, 0, r.stderr.decode("utf-8", "replace"))
                text = r.stdout.decode("cp1252")
                erwartet = [[KOEPFE[k] for k in (3, 21, 22, 25, 41, 71, 83)]] + [
                    [v.zelle(m, k, i, STICHTAG, 0, True) for k in (3, 21, 22, 25, 41, 71, 83)]
                    for i, m in enumerate(zaq["FMitglieder"], 1)]
                if form == "rtf":
                    self.assertTrue(text.startswith("{\\rtf1\\ansi\\deff0\r\n") and text.endswith("}\r\n"))
                    for zeile in erwartet[1:]:
                        self.assertIn("".join(" " + rtf_escape(c) + "\\intbl\\cell" for c in zeile), text)
                else:
                    t = TRENNER[form]
                    self.assertEqual(text, "".join(t.join(quote(c, t) for c in z_) + "\r\n" for z_ in erwartet))


# ---------------------------------------------------------------------------
# Selection

def sortierform(t):
    """A German collation key at secondary strength: letters first, then accents."""
    basis = t.casefold().replace("ß", "ss")
    primaer = "".join({"ä": "a", "ö": "o", "ü": "u"}.get(c, c) for c in basis)
    return primaer, basis


def im_textbereich(wert, von, bis):
    w = sortierform(wert)
    return (von == "*" or w >= sortierform(von)) and (bis == "*" or w <= sortierform(bis))


def als_tag(t):
    tt, mm, jj = t.split(".")
    return tag(int(tt), int(mm), int(jj))


def im_bereich(wert, von, bis, umwandeln):
    return (von == "*" or wert >= umwandeln(von)) and (bis == "*" or wert <= umwandeln(bis))


def kriterien_aus(text):
    k = {}
    for teil in text.split(";"):
        if teil:
            name, wert = teil.split("=", 1)
            k[name] = wert
    return k


def passt(v, m, k):
    def g(name):
        return k.get(name, "*")

    def paar(name):
        return g(name + "Von"), g(name + "Bis")

    for name, feld in (("Nachname", "FName"), ("PLZ", "FPLZ"), ("Wohnort", "FOrt"), ("Land", "FLand")):
        if not im_textbereich(m[feld], *paar(name)):
            return False
    bank = m.get("FKonto")
    zahlen = {"Alter": v.alter(m, v.stichtag), "Mitgliedschaft": v.mitgliedsjahre(m, v.stichtag),
              "Ehrung": m["FEhrung"]}
    for name, wert in zahlen.items():
        if not im_bereich(wert, *paar(name), int):
            return False
    erstellt = (m.get("FErstelltVon") or {}).get("FZeit", 0)
    geaendert = (m.get("FGeaendertVon") or {}).get("FZeit", 0)
    daten = {"Geburtsdatum": m["FGeburtsdatum"], "Eintrittsdatum": m["FEintrittsdatum"],
             "Austrittsdatum": m["FAustrittsdatum"], "Bezahlt": m["FBezahltBis"],
             "Erstellt": erstellt, "Geaendert": geaendert}
    for name, wert in daten.items():
        if not im_bereich(wert, *paar(name), als_tag):
            return False
    if g("Maenner") == "0" and m["FMaennlich"]:
        return False
    if g("Frauen") == "0" and not m["FMaennlich"]:
        return False
    if g("Ehrenmitglied") == "ja" and not m["FEhrenmitgliedSeit"] > 0:
        return False
    if g("Ehrenmitglied") == "nein" and m["FEhrenmitgliedSeit"] > 0:
        return False
    if g("Abteilung") != "*" and not in_abteilung(g("Abteilung"), m["FAbteilungen"]):
        return False
    if g("Gruppe") != "*" and not v.in_gruppe(m, int(g("Gruppe"))):
        return False
    for name, art in (("Rechnung", 0), ("Lastschrift", 1), ("Mitfinanziert", 2)):
        if g(name) == "0" and m["FZahlart"] == art:
            return False
    if g("Beitragsschluessel") != "*" and \
            sortierform(m["FBeitragsschluessel"]) != sortierform(g("Beitragsschluessel")):
        return False
    if bank is not None:
        if g("Empfaengerkonto") != "*" and \
                sortierform(bank["FEmpfaengerKonto"]) != sortierform(g("Empfaengerkonto")):
            return False
        if not im_textbereich(bank["FBLZ"], *paar("BLZ")):
            return False
        von, bis = paar("Erstbuchung")
        if von.strip() == "" and von != "*":
            if bank["FErstlastschrift"] > 0:
                return False
        elif not im_bereich(bank["FErstlastschrift"], von, bis, als_tag):
            return False
    return True


class Selektion(MitProgramm):
    def selektiert(self, datei):
        _, d = z.lies_datei(lies(datei))
        return [bool(m.get("FSelektiert")) for m in d["FMitglieder"]]

    def select(self, datei, *args, login=ADMIN):
        aus = self.pfad("aus.zaq")
        if os.path.exists(aus):
            os.remove(aus)
        vorher = lies(datei)
        r = self.cli("select", datei, aus, *args, login=login)
        self.assertEqual(lies(datei), vorher, "select hat die Eingabedatei verändert: %s" % (args,))
        return r, aus

    def datei_mit(self, name, auswahl):
        zaq = dict(self.zaq, FMitglieder=[dict(m, FSelektiert=s) for m, s in
                                          zip(self.zaq["FMitglieder"], auswahl)])
        datei = self.pfad(name)
        with open(datei, "wb") as f:
            f.write(z.schreibe_datei(zaq))
        return datei

    def test_kriterien(self):
        ms = self.zaq["FMitglieder"]
        n = len(ms)
        vorher = [bool(m["FSelektiert"]) for m in ms]
        faelle = [
            ("NachnameVon=B;NachnameBis=M", ["--reset"]),
            ("NachnameVon=köhler;NachnameBis=*", ["--reset"]),
            ("PLZVon=50000;PLZBis=80999;Maenner=0", ["--reset"]),
            ("WohnortVon=k;WohnortBis=n;Frauen=0", ["--reset"]),
            ("LandBis=", ["--reset"]),
            ("LandVon=A;LandBis=E", []),
            ("GeburtsdatumVon=01.01.1950;GeburtsdatumBis=31.12.1979", ["--reset"]),
            ("AlterVon=18;AlterBis=64", ["--reset"]),
            ("AlterVon=0;AlterBis=0", ["--reset"]),
            ("EintrittsdatumVon=01.01.2000;MitgliedschaftVon=10", ["--reset"]),
            ("MitgliedschaftBis=25;Ehrenmitglied=ja", ["--reset"]),
            ("AustrittsdatumVon=01.01.2020;AustrittsdatumBis=31.12.2026", ["--reset"]),
            ("AustrittsdatumBis=31.12.1899", ["--reset"]),
            ("EhrungVon=10;EhrungBis=25;Ehrenmitglied=nein", ["--reset"]),
            ("Abteilung=tennis, Ball", ["--reset"]),
            ("Abteilung=", ["--reset"]),
            ("Abteilung=fußball", ["--reset"]),
            ("Gruppe=3", ["--reset"]),
            ("Gruppe=32", ["--reset"]),
            ("Rechnung=0;Mitfinanziert=0", ["--reset"]),
            ("Lastschrift=0", ["--reset"]),
            ("Beitragsschluessel=halb", ["--reset"]),
            ("BezahltVon=01.01.2024;BezahltBis=31.12.2024", ["--reset"]),
            ("Empfaengerkonto=haupt", ["--reset"]),
            ("BLZVon=37000000;BLZBis=79999999", ["--reset"]),
            ("ErstbuchungVon=", ["--reset"]),
            ("ErstbuchungVon=01.01.2020;ErstbuchungBis=31.12.2023", ["--reset"]),
            ("ErstelltVon=01.01.2015;ErstelltBis=20.05.2018", ["--reset"]),
            # without --reset: clearing a mark may stamp the member as changed
            ("GeaendertBis=31.12.2010", []),
            ("GeaendertVon=01.01.2019;GeaendertBis=01.02.2021", []),
            # the existing selection: kept (OR), required (AND), inverted afterwards
            ("Maenner=0", ["--or"]),
            ("Maenner=0", ["--and"]),
            ("Maenner=0", ["--and", "--invert"]),
            ("NachnameVon=zzz", ["--or"]),
            ("Maenner=0", ["--reset", "--and"]),
            ("", ["--invert"]),
        ]
        for kriterien, optionen in faelle:
            with self.subTest(kriterien=kriterien, optionen=optionen):
                k = kriterien_aus(kriterien)
                stand = [False] * n if "--reset" in optionen else list(vorher)
                if kriterien:
                    treffer = [passt(self.v, m, k) for m in ms]
                    if any(stand) and "--or" in optionen:
                        treffer = [a or b for a, b in zip(treffer, stand)]
                    elif any(stand) and "--and" in optionen:
                        treffer = [a and b for a, b in zip(treffer, stand)]
                    self.assertTrue(any(treffer), "Fall ohne Treffer taugt nicht")
                    stand = treffer
                if "--invert" in optionen:
                    stand = [not s for s in stand]
                args = list(optionen) + (["--criteria", kriterien] if kriterien else []) + ["--yes"]
                r, aus = self.select(self.datei, *args)
                self.assertEqual(r.returncode, 0, r.stderr.decode("utf-8", "replace"))
                ist = self.selektiert(aus)
                falsch = [self.v.nummer(m) + (" erwartet selektiert" if s else " erwartet nicht selektiert")
                          for m, s, i in zip(ms, stand, ist) if s != i]
                self.assertEqual(falsch, [], kriterien)

    def test_frage_und_abbruch(self):
        ms = self.zaq["FMitglieder"]
        n = len(ms)
        p = sum(bool(m["FSelektiert"]) for m in ms)
        frauen = sum(not m["FMaennlich"] for m in ms)
        einer = [m for m in ms if m["FMitgliedsnummer"] == 12345]
        faelle = [
            # criteria, options, answered yes, exit code, messages
            ("Maenner=0", [], False, 1,
             ["Frage: Hiermit werden %d von %d Mitglieder selektiert. \nDie Anzahl der vorher selektierten "
              "Mitglieder lautet %d.\nWollen Sie fortfahren?" % (frauen, n, p)]),
            ("NachnameVon=Köhler;NachnameBis=Köhler;GeburtsdatumBis=01.01.1930", ["--reset"], False, 1,
             ["Frage: Hiermit wird eins von %d Mitgliedern selektiert. \nDie Anzahl der vorher selektierten "
              "Mitglieder lautet 0.\nWollen Sie fortfahren?" % n]),
            ("NachnameVon=zzz", ["--reset"], True, 1,
             ["Information: Es wurden keine Mitglieder gefunden, auf welche die gewählten Eigenschaften "
              "passen. "]),
            ("GeburtsdatumVon=31.02.2000;AlterVon=x", [], True, 1, ["Fehler: Ungültiges Von-Geburtsdatum."]),
            ("AlterBis=1a", [], True, 1, ["Fehler: Ungültiges Bis-Alter."]),
            ("MitgliedschaftVon=-1", [], True, 1, ["Fehler: Ungültige Von-Mitgliedschaft."]),
            ("ErstbuchungBis=1.1.", [], True, 1, ["Fehler: Ungültiges Bis-Erstbuchungsdatum."]),
            ("ErstelltVon=gestern", [], True, 1, ["Fehler: Ungültiges Von-Erstelldatum"]),
            ("GeaendertBis=", [], True, 1, ["Fehler: Ungültiges Bis-Änderungsdatum"]),
            ("BezahltVon=irgendwann", [], True, 1, None),
            ("Vorname=Anna", [], True, 2, None),
            ("Gruppe=33", [], True, (1, 2), None),
        ]
        self.assertEqual(len(einer), 1)
        # the two short forms of the question: as many as before, and one of one
        faelle += [
            ("AlterVon=0", ["--and"], False, 1,
             ["Frage: Hiermit werden %d von %d Mitglieder selektiert. \nWollen Sie fortfahren?" % (p, n)]),
            ("AlterVon=0", ["--and", "nur einer"], False, 1,
             ["Frage: Hiermit wird eins von %d Mitgliedern selektiert. \nWollen Sie fortfahren?" % n]),
        ]
        nur_einer = self.datei_mit("einer.zaq", [m is einer[0] for m in ms])
        for kriterien, optionen, ja, rc, meldungen in faelle:
            with self.subTest(kriterien=kriterien, optionen=optionen):
                datei = nur_einer if "nur einer" in optionen else self.datei
                optionen = [o for o in optionen if o != "nur einer"]
                r, aus = self.select(datei, *optionen, "--criteria", kriterien, *(["--yes"] if ja else []))
                self.assertIn(r.returncode, rc if isinstance(rc, tuple) else (rc,),
                              r.stderr.decode("utf-8", "replace"))
                self.assertFalse(os.path.exists(aus), "nichts darf geschrieben werden")
                if meldungen is not None:
                    self.assertEqual(self.meldungen(r), meldungen)

    def zas(self, auswahl, kopf="ZAQ Selektion 500", verschiebung=0, zusatz=(), beschreibung=None):
        zeilen = [kopf, self.zaq["FBeschreibung"] if beschreibung is None else beschreibung,
                  self.zaq["FStammdaten"]["FVereinsname"]]
        for m, s in zip(self.zaq["FMitglieder"], auswahl):
            if s:
                zeilen += [str(m["FMitgliedsnummer"]),
                           str(m["FGeburtsdatum"] + m["FEintrittsdatum"] + verschiebung)]
        return "".join(t + "\r\n" for t in list(zeilen) + list(zusatz)).encode("cp1252")

    def test_selektionslisten(self):
        ms = self.zaq["FMitglieder"]
        vorher = [bool(m["FSelektiert"]) for m in ms]
        liste = self.pfad("liste.zas")
        r = self.cli("select-save", self.datei, liste)
        self.assertEqual(r.returncode, 0, r.stderr.decode("utf-8", "replace"))
        self.assertEqual(lies(liste), self.zas(vorher), "Inhalt der Selektionsliste")
        self.assertEqual(lies(self.datei), self.bytes)
        # loaded into a file with another selection: the same members
        anders = self.datei_mit("anders.zaq", [not s for s in vorher])
        for args in (["--reset", "--zas", liste], ["--zas", liste]):
            r, aus = self.select(anders, *args)
            self.assertEqual(r.returncode, 0, r.stderr.decode("utf-8", "replace"))
            self.assertEqual(self.selektiert(aus), vorher, args)
        # the older header with the check values of the older date origin
        alt = self.pfad("alt.zas")
        with open(alt, "wb") as f:
            f.write(self.zas(vorher, "ZAQ Selektion", 1387188))
        r, aus = self.select(anders, "--zas", alt)
        self.assertEqual(r.returncode, 0, r.stderr.decode("utf-8", "replace"))
        self.assertEqual(self.selektiert(aus), vorher, "altes Format")
        # a list, then the full selection with AND, then inverting
        k = kriterien_aus("Frauen=0")
        erwartet = [not (s and passt(self.v, m, k)) for m, s in zip(ms, vorher)]
        r, aus = self.select(anders, "--zas", liste, "--criteria", "Frauen=0", "--and", "--invert", "--yes")
        self.assertEqual(r.returncode, 0, r.stderr.decode("utf-8", "replace"))
        self.assertEqual(self.selektiert(aus), erwartet, "Liste, UND, umkehren")

    def test_selektionslisten_fehler(self):
        ms = self.zaq["FMitglieder"]
        vorher = [bool(m["FSelektiert"]) for m in ms]
        anders = self.datei_mit("anders2.zaq", [not s for s in vorher])
        nur_zwei = [i in (0, 5) for i in range(len(ms))]
        fremd = ["7", "1", str(ms[0]["FMitgliedsnummer"] + 0), "1"]      # unknown number, wrong check value
        faelle = [
            # name, contents, options, exit code, messages, selection afterwards (None: nothing written)
            ("nur Kopf", self.zas([False] * len(ms)), [], 0, [], [False] * len(ms)),
            ("nicht gefunden", self.zas(nur_zwei, zusatz=fremd), [], 0, None, nur_zwei),
            ("Nummer zu groß", self.zas(nur_zwei, zusatz=["65536", "1"]), [], 1,
             ["Fehler: Die Selektionsliste ist beschädigt. Datei konnte nicht bis zum Ende verarbeitet werden"],
             None),
            ("Prüfwert fehlt", self.zas(nur_zwei, zusatz=["3"]), [], 1,
             ["Fehler: Die Selektionsliste ist beschädigt. Datei konnte nicht bis zum Ende verarbeitet werden"],
             None),
            ("Prüfwert keine Zahl", self.zas(nur_zwei, zusatz=["3", "x"]), [], 1,
             ["Fehler: Die Selektionsliste ist beschädigt. Datei konnte nicht bis zum Ende verarbeitet werden"],
             None),
            ("falscher Kopf", self.zas(nur_zwei, kopf="ZAQ Selektion 600"), [], 1,
             ["Fehler: Die Datei beinhaltet keine gültige Selektionsliste."], None),
            ("leer", b"", [], 1, ["Fehler: Die Datei beinhaltet keine gültige Selektionsliste."], None),
            ("andere Datei", self.zas(nur_zwei, beschreibung="Andere Liste"), [], 1,
             ["Frage: Die Selektionsliste verweist nicht auf die momentan geöffnete Mitgliederdatei.\n"
              "Wollen Sie trotzdem fortfahren?"], None),
            ("andere Datei, ja", self.zas(nur_zwei, beschreibung="Andere Liste"), ["--yes"], 0, None, nur_zwei),
        ]
        for name, inhalt, optionen, rc, meldungen, danach in faelle:
            with self.subTest(liste=name):
                liste = self.pfad("fall.zas")
                with open(liste, "wb") as f:
                    f.write(inhalt)
                r, aus = self.select(anders, "--zas", liste, *optionen)
                self.assertEqual(r.returncode, rc, r.stderr.decode("utf-8", "replace"))
                if meldungen is not None:
                    self.assertEqual(self.meldungen(r), meldungen)
                if danach is None:
                    self.assertFalse(os.path.exists(aus), "nichts darf geschrieben werden")
                else:
                    self.assertEqual(self.selektiert(aus), danach)
        with self.subTest(liste="fehlt"):
            r, aus = self.select(anders, "--zas", self.pfad("gibtesnicht.zas"))
            self.assertEqual(r.returncode, 1)
            self.assertEqual(self.meldungen(r), ["Fehler: Kann die gewünschte Selektionsliste nicht öffnen."])
            self.assertFalse(os.path.exists(aus))
        with self.subTest(liste="riesiger Prüfwert"):
            liste = self.pfad("riesig.zas")
            with open(liste, "wb") as f:
                f.write(self.zas(nur_zwei, zusatz=["3", "9" * 40]))
            r, aus = self.select(anders, "--zas", liste)
            self.assertIn(r.returncode, (0, 1), r.stderr.decode("utf-8", "replace"))
            if r.returncode == 0:
                self.assertEqual(self.selektiert(aus), nur_zwei)
            else:
                self.assertFalse(os.path.exists(aus))

    def test_speichern_abgelehnt(self):
        niemand = self.datei_mit("niemand.zaq", [False] * len(self.zaq["FMitglieder"]))
        liste = self.pfad("niemand.zas")
        r = self.cli("select-save", niemand, liste)
        self.assertEqual(r.returncode, 1)
        self.assertEqual(self.meldungen(r), ["Information: Momentan sind keine Mitgliedern selektiert."])
        self.assertFalse(os.path.exists(liste))
        # the member file itself, under another spelling and through a link
        kopie = self.pfad("selbst.zaq")
        with open(kopie, "wb") as f:
            f.write(self.bytes)
        link = self.pfad("link.zas")
        os.symlink(kopie, link)
        for ziel in (os.path.join(self.dir, ".", "selbst.zaq"), link):
            with self.subTest(ziel=ziel):
                r = self.cli("select-save", kopie, ziel)
                self.assertEqual(r.returncode, 1, ziel)
                self.assertEqual(self.meldungen(r), ["Fehler: Diese Datei ist bereits geöffnet."])
                self.assertEqual(lies(kopie), self.bytes)


if __name__ == "__main__":
    unittest.main()
