"""Member statistics, member counts and free member numbers of zaq-cli
against an independent count.

Clubs are written with the independent implementation of the member file
(zaqformat.py).  `zaq-cli statistik` must print what this file counts from
the member data: ages and membership years at the reference date (frozen at
an exit date), the two histograms up to 150 with their smoothing, the means
and the status line, the member counts by age, birth year or birth date with
the department and selection filters and their clipboard text, and the free
member numbers.  The clubs include the awkward members: older than 150, born
in the future, leaving before or after the reference date, born on
29 February, archived (never counted), and the empty club.  Refused bounds
must stop the command; the member file is never changed.

Run with the path of zaq-cli in ZAQ_CLI.  While the program lacks the
command, only the model's own tests run."""

import datetime
import json
import os
import random
import subprocess
import sys
import tempfile
import unittest
from fractions import Fraction

HIER = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HIER)
import zaqformat as z  # noqa: E402
import test_einzug as e  # noqa: E402
import test_tabellen as t  # noqa: E402
from clifall import CliFall, fehlt, lies  # noqa: E402,F401

CLI = os.environ.get("ZAQ_CLI", os.path.join(HIER, "..", "..", "build", "release", "bin", "zaq-cli"))

tag, datum_text, als_datum, volle_jahre, in_abteilung = t.tag, t.datum_text, t.als_datum, t.volle_jahre, \
    t.in_abteilung

# ---------------------------------------------------------------------------
# Messages

ALTER_VERTAUSCHT = 'Das Alter bei "von" muß kleiner als das Alter bei "bis" sein.'
JAHR_VERTAUSCHT = 'Das Jahr bei "von" muß kleiner als das Jahr bei "bis" sein.'
DATUM_VERTAUSCHT = "Das Anfangsdatum muß vor dem Enddatum liegen."

KOPIERKOPF = "ZAQ Bestandszählung\r\n\r\nvon\tbis\tMänner\tFrauen\tgesamt"
OBERGRENZE = 150        # histograms stop here; the means take every member
VORGABE_GLAETTUNG = 15

# ---------------------------------------------------------------------------
# Reference dates


def stichtag(regel, datum1, datum2, datum3, heute):
    """A reference date by its rule, for the day `heute`."""
    jahr = als_datum(heute).year
    if regel in (1, 2):
        d = als_datum(datum1 if regel == 1 else datum2)
        return tag(d.day, d.month, jahr - 1 if regel == 1 else jahr)
    if regel == 3:
        return datum3
    return heute


def stichtage(zaq, heute):
    """(age reference date, fee reference date) of the club on the day `heute`."""
    sd = zaq.get("FStammdaten", {})
    alter = stichtag(sd.get("FJahresberechnung", 1), sd.get("FJahresdatum1", 36891),
                     sd.get("FJahresdatum2", 36891), sd.get("FJahresdatum3", 40543), heute)
    beitrag = stichtag(sd.get("FBeitragsberechnung", 1), sd.get("FBeitragsdatum1", 36891),
                       sd.get("FBeitragsdatum2", 36891), sd.get("FBeitragsdatum3", 40543), heute)
    return alter, beitrag


# ---------------------------------------------------------------------------
# The member values


def ende(m, s):
    a = m.get("FAustrittsdatum", 0)
    return a if 0 < a < s else s


def alter(m, s):
    return volle_jahre(m["FGeburtsdatum"], ende(m, s))


def mitgliedsjahre(m, s):
    return min(65535, volle_jahre(m["FEintrittsdatum"], ende(m, s)) + m.get("FAnrechnung", 0))


def nummer_text(nr, zaq):
    # the format is a pattern of zeros: its length is the least number of digits
    return str(nr).rjust(len(zaq.get("FZAQFormat", "000")), "0")


def zahl_text_1(x):
    """A non-negative value in the number format "0.0": one decimal, a comma,
    halves rounded up, computed on the exact value."""
    zehntel = (x * 10 + Fraction(1, 2)).__floor__()
    return "%d,%d" % (zehntel // 10, zehntel % 10)


# ---------------------------------------------------------------------------
# Histograms and their smoothing


def histogramm(werte):
    """[[men, women, all]] per value 0 to the largest value up to 150."""
    gezaehlt = [(w, maennlich) for w, maennlich in werte if w <= OBERGRENZE]
    if not gezaehlt:
        return []
    h = [[0, 0, 0] for _ in range(max(w for w, _ in gezaehlt) + 1)]
    for w, maennlich in gezaehlt:
        h[w][0 if maennlich else 1] += 1
        h[w][2] += 1
    return h


def kern(n):
    k = [0] * n
    for i in range((n - 1) // 2 + 1):
        k[i] = i + 1
        k[n - 1 - i] = i + 1
    return k


def glaette(h, n):
    """Each channel weighted by the kernel around the index; terms outside
    the histogram are left out and the edges are not renormalised."""
    k = kern(n)
    summe = sum(k)
    mitte = (n - 1) // 2
    aus = []
    for i in range(len(h)):
        acc = [0, 0, 0]
        for j in range(n):
            q = i + mitte - j
            if 0 <= q < len(h):
                for c in range(3):
                    acc[c] += h[q][c] * k[j]
        aus.append([Fraction(a, summe) for a in acc])
    return aus


# ---------------------------------------------------------------------------
# The counts


class Zeile:
    """One --bestand row: kind, bounds as typed and as values."""

    def __init__(self, art, von, bis):
        self.art, self.von_text, self.bis_text = art, von, bis

    def argument(self):
        return "%s,%s,%s" % (self.art, self.von_text, self.bis_text)

    def grenze(self, text):
        if self.art == "geburtsdatum":
            d, m_, j = (int(x) for x in text.split("."))
            return tag(d, m_, j)
        return int(text)

    def wert(self, m, bezug):
        if self.art == "alter":
            return alter(m, bezug)
        if self.art == "geburtsjahr":
            return als_datum(m["FGeburtsdatum"]).year
        return m["FGeburtsdatum"]

    def anzeige(self, wert):
        return datum_text(wert) if self.art == "geburtsdatum" else str(wert)


def zaehle(zaq, zeile, bezug, abteilung=None, selektion=False):
    """(men, women, total) within the row's bounds, inclusive."""
    von, bis = zeile.grenze(zeile.von_text), zeile.grenze(zeile.bis_text)
    maenner = frauen = 0
    for m in zaq.get("FMitglieder", []):
        if abteilung is not None and not in_abteilung(abteilung, m.get("FAbteilungen", "")):
            continue
        if selektion and not m.get("FSelektiert", False):
            continue
        if von <= zeile.wert(m, bezug) <= bis:
            if m.get("FMaennlich", True):
                maenner += 1
            else:
                frauen += 1
    return maenner, frauen, maenner + frauen


def kopiertext(zeilen):
    """The clipboard text of "Kopieren"; rows of five display texts."""
    return KOPIERKOPF + "".join("\r\n" + "\t".join(r) for r in zeilen)


# ---------------------------------------------------------------------------
# Free member numbers


def freie_nummern(zaq):
    """(smallest, largest, free numbers, first free number); the first free
    number is None when every number up to 65535 is taken."""
    nummern = [m["FMitgliedsnummer"] for m in zaq.get("FMitglieder", [])]
    if not nummern:
        return None, None, [], 1
    hoechste = max(nummern)
    belegt = set(nummern)
    frei = [n for n in range(1, hoechste + 1) if n not in belegt]
    if frei:
        erste = frei[0]
    else:
        erste = hoechste + 1 if hoechste < 65535 else None
    return min(nummern), hoechste, frei, erste


# ---------------------------------------------------------------------------
# Expected output, with the points the model leaves open


class Offen:
    def passt(self, ist):
        raise NotImplementedError


class Zahl(Offen):
    """A number that need not be exactly representable."""

    def __init__(self, wert):
        self.wert = Fraction(wert)

    def passt(self, ist):
        return isinstance(ist, (int, float)) and not isinstance(ist, bool) \
            and abs(Fraction(ist) - self.wert) <= Fraction(1, 10 ** 9) * max(1, abs(self.wert))

    def __repr__(self):
        return "≈%s" % float(self.wert)


class Grenze(Offen):
    """A shown bound: its display text, for ages and years also the number."""

    def __init__(self, text, zahl):
        self.text, self.zahl = text, zahl

    def passt(self, ist):
        return ist == self.text or (self.zahl is not None and type(ist) is int and ist == self.zahl)

    def __repr__(self):
        return repr(self.text)


class Nummer(Offen):
    """A member number: the number, or its display form."""

    def __init__(self, n, text):
        self.n, self.text = n, text

    def passt(self, ist):
        return (type(ist) is int and ist == self.n) or ist in (self.text, str(self.n))

    def __repr__(self):
        return "%d/%r" % (self.n, self.text)


class KeineNummer(Offen):
    """No free number below 65536: shown as none, or as 65536, never wrapped."""

    def passt(self, ist):
        return ist is None or ist == 65536 or ist == "65536"

    def __repr__(self):
        return "null/65536"


class MittelLeer(Offen):
    """A status text without a mean: its caption, no number of no members."""

    def __init__(self, anfang):
        self.anfang = anfang

    def passt(self, ist):
        return isinstance(ist, str) and ist.startswith(self.anfang) \
            and not any(x in ist.lower() for x in ("nan", "inf"))

    def __repr__(self):
        return "%r…" % self.anfang


class Text(Offen):
    """The clipboard text of no rows: none or empty."""

    def passt(self, ist):
        return ist is None or ist == ""

    def __repr__(self):
        return "null/''"


def erwartung(zaq, heute, datum=None, glaettung=None, zeilen=(), abteilung=None, selektion=False):
    """What `zaq-cli statistik` prints for the club on the day `heute`."""
    alter_tag, beitrag_tag = stichtage(zaq, heute)
    s = datum if datum is not None else alter_tag
    b = datum if datum is not None else beitrag_tag
    n = glaettung if glaettung is not None else VORGABE_GLAETTUNG
    ms = zaq.get("FMitglieder", [])
    alter_werte = [(alter(m, s), m.get("FMaennlich", True)) for m in ms]
    jahre_werte = [(mitgliedsjahre(m, s), m.get("FMaennlich", True)) for m in ms]
    if ms:
        mittel_alter = Fraction(sum(w for w, _ in alter_werte), len(ms))
        mittel_jahre = Fraction(sum(w for w, _ in jahre_werte), len(ms))
        status = ["Durchschnittliches Alter: " + zahl_text_1(mittel_alter) + " Jahre",
                  "Durchschnittliche Mitgliedschaft: " + zahl_text_1(mittel_jahre) + " Jahre"]
        mittel_alter, mittel_jahre = Zahl(mittel_alter), Zahl(mittel_jahre)
    else:
        mittel_alter = mittel_jahre = None
        status = [MittelLeer("Durchschnittliches Alter: "), MittelLeer("Durchschnittliche Mitgliedschaft: ")]
    status.append("Mitglieder: %d" % len(ms))
    ha, hj = histogramm(alter_werte), histogramm(jahre_werte)

    reihen, texte = [], []
    for zeile in zeilen:
        maenner, frauen, gesamt = zaehle(zaq, zeile, b, abteilung, selektion)
        von, bis = zeile.grenze(zeile.von_text), zeile.grenze(zeile.bis_text)
        zahl = zeile.art != "geburtsdatum"
        reihen.append({"von": Grenze(zeile.anzeige(von), von if zahl else None),
                       "bis": Grenze(zeile.anzeige(bis), bis if zahl else None),
                       "Maenner": maenner, "Frauen": frauen, "gesamt": gesamt})
        texte.append([zeile.anzeige(von), zeile.anzeige(bis), str(maenner), str(frauen), str(gesamt)])

    kleinste, hoechste, frei, erste = freie_nummern(zaq)
    return {
        "Bezugsdatum": datum_text(s),
        "Mitglieder": len(ms),
        "DurchschnittlichesAlter": mittel_alter,
        "DurchschnittlicheMitgliedschaft": mittel_jahre,
        "Statuszeile": status,
        "Altersverteilung": ha,
        "Vereinszugehoerigkeit": hj,
        "Glaettung": n,
        "AltersverteilungGeglaettet": [[Zahl(x) for x in r] for r in glaette(ha, n)],
        "VereinszugehoerigkeitGeglaettet": [[Zahl(x) for x in r] for r in glaette(hj, n)],
        "Bestandszaehlung": {"Stichtag": datum_text(b), "Zeilen": reihen,
                             "Text": kopiertext(texte) if texte else Text()},
        "FreieNummern": {
            "Kleinste": None if kleinste is None else nummer_text(kleinste, zaq),
            "Hoechste": None if hoechste is None else nummer_text(hoechste, zaq),
            "Frei": [nummer_text(x, zaq) for x in frei],
            "ErsteFreie": KeineNummer() if erste is None else Nummer(erste, nummer_text(erste, zaq)),
        },
    }


def abweichungen(soll, ist, wo="", fehler=None, grenze=25):
    """Where `ist` (the parsed output) differs from `soll`; at most `grenze` places."""
    if fehler is None:
        fehler = []
    if len(fehler) >= grenze:
        return fehler
    if isinstance(soll, Offen):
        if not soll.passt(ist):
            fehler.append("%s: %r statt %r" % (wo, ist, soll))
    elif isinstance(soll, dict):
        if not isinstance(ist, dict):
            fehler.append("%s: %r statt eines Objekts" % (wo, ist))
            return fehler
        for k, v in soll.items():
            if k not in ist:
                fehler.append("%s.%s fehlt" % (wo, k))
            else:
                abweichungen(v, ist[k], "%s.%s" % (wo, k), fehler, grenze)
    elif isinstance(soll, list):
        if not isinstance(ist, list):
            fehler.append("%s: %r statt einer Liste" % (wo, ist))
            return fehler
        if len(ist) != len(soll):
            fehler.append("%s: %d Einträge statt %d" % (wo, len(ist), len(soll)))
        for i, (a, b) in enumerate(zip(soll, ist)):
            abweichungen(a, b, "%s[%d]" % (wo, i), fehler, grenze)
    elif type(soll) is not type(ist) or soll != ist:
        fehler.append("%s: %r statt %r" % (wo, ist, soll))
    return fehler


# ---------------------------------------------------------------------------
# Clubs

# ages and membership; different from the fee reference date so that a swap shows
STICHTAG = tag(31, 12, 2024)
BEITRAGSSTICHTAG = tag(1, 1, 2024)
ABTEILUNGEN = ["Tennis", "Ball", "Fußball", "Schach", "Turnen", "A-Jugend", "Tischtennis", ""]


def stammdaten(**kw):
    sd = {"FVereinsname": "SV Statistik", "FVereinsPLZ": "97070", "FVereinsort": "Würzburg",
          "FJahresberechnung": 3, "FJahresdatum1": 36891, "FJahresdatum2": 36891, "FJahresdatum3": STICHTAG,
          "FBeitragsberechnung": 3, "FBeitragsdatum1": 36891, "FBeitragsdatum2": 36891,
          "FBeitragsdatum3": BEITRAGSSTICHTAG}
    sd.update(kw)
    return sd


def verein(mitglieder, archiv=(), format_="0000", **stamm):
    zaq = {"FFormatVersion": z.FORMAT_VERSION, "FErstellt": 40179.5, "FGeaendertAm": 45600.5,
           "FSchreibvorgaenge": 3, "FAustrittsliste": True, "FUnbekannteBehalten": True,
           "FBeschreibung": "Statistik", "FNullbetragMelden": True, "FStammdaten": stammdaten(**stamm),
           "FBenutzer": [t.benutzer("Admin", 1, "Administrator", 0x1FFFFF)]}
    if format_ is not None:
        zaq["FZAQFormat"] = format_
    if mitglieder:
        zaq["FMitglieder"] = list(mitglieder)
    if archiv:
        zaq["FArchiv"] = list(archiv)
    return zaq


def mitglied(nr, geb, eintritt, maennlich=True, **kw):
    return t.mitglied(nr, "Name%d" % nr, "Vorname", geb, eintritt, FMaennlich=maennlich, **kw)


def besondere():
    return [
        mitglied(1, tag(1, 1, 1800), tag(1, 1, 1820)),                          # over 150 in both
        mitglied(2, tag(31, 12, 1873), tag(1, 1, 1990), False),                 # 151, at the fee date 150
        mitglied(3, tag(31, 12, 1874), tag(1, 1, 1990), False),                 # exactly 150
        mitglied(4, tag(1, 6, 2030), tag(1, 1, 2031)),                          # born and joining in the future
        mitglied(5, tag(29, 2, 2000), tag(29, 2, 2020), False, FAbteilungen="Fußball, Tennis"),
        mitglied(6, tag(29, 2, 1996), tag(1, 3, 2016), FAustrittsdatum=tag(28, 2, 2021), FAnrechnung=3,
                 FAbteilungen="Ball", FSelektiert=True),                        # left before its birthday
        mitglied(7, tag(31, 12, 1984), tag(31, 12, 2004), False, FAustrittsdatum=tag(30, 12, 2024),
                 FSelektiert=True),                                             # left the day before
        mitglied(8, tag(15, 5, 1970), tag(1, 1, 1995), FAustrittsdatum=tag(1, 1, 2030)),  # leaves later
        mitglied(9, tag(3, 3, 1960), tag(1, 1, 2000), FAnrechnung=255, FAbteilungen="Schach"),
        mitglied(10, 0, 0, False, FAbteilungen=" tennis "),                     # day 0 in both
        mitglied(11, tag(1, 1, 2024), tag(1, 1, 2024)),                          # born in the year of the date
        mitglied(12, tag(1, 3, 2000), tag(1, 3, 2000), FSelektiert=True, FAbteilungen="A-Jugend"),
        mitglied(13, tag(28, 2, 2000), tag(28, 2, 2000), False, FSelektiert=True),
        mitglied(14, tag(31, 12, 1984), tag(1, 1, 2010), FAustrittsdatum=-100),  # no exit: not above 0
        mitglied(15, tag(31, 12, 1984), tag(1, 1, 2010), False, FAustrittsdatum=STICHTAG),  # leaves that day
        mitglied(16, tag(1, 1, 1850), tag(1, 1, 1860), FAustrittsdatum=tag(1, 1, 1950)),  # frozen at 100 and 90
    ]


def zufallsmitglieder(rng, anzahl, belegt):
    nummern = [n for n in rng.sample(range(17, 400), anzahl + len(belegt)) if n not in belegt][:anzahl]
    ms = []
    for nr in nummern:
        geb = rng.randint(tag(1, 1, 1870), tag(31, 12, 2026))
        eintritt = rng.choice([geb, rng.randint(geb, tag(31, 12, 2027)), rng.randint(tag(1, 1, 1860), geb + 1)])
        kw = {"FAnrechnung": rng.choice([0, 0, 0, rng.randint(1, 30)]),
              "FSelektiert": rng.random() < 0.3,
              "FAbteilungen": ", ".join(rng.sample(ABTEILUNGEN, rng.randint(0, 3)))}
        if rng.random() < 0.2:
            kw["FAustrittsdatum"] = rng.randint(tag(1, 1, 2015), tag(31, 12, 2030))
        ms.append(mitglied(nr, geb, eintritt, rng.random() < 0.5, **kw))
    return ms


def archiv():
    # young and numbered into the gaps: counted anywhere, they would show
    return [mitglied(17, tag(1, 1, 1990), tag(1, 1, 2000), FAustrittsdatum=tag(1, 1, 2020)),
            mitglied(18, tag(29, 2, 2000), tag(1, 1, 2010), False, FSelektiert=True, FAbteilungen="Fußball"),
            mitglied(1000, tag(1, 1, 2010), tag(1, 1, 2015))]


def hauptverein():
    b = besondere()
    rng = random.Random(66)
    ms = b + zufallsmitglieder(rng, 60, {m["FMitgliedsnummer"] for m in b} | {17, 18})
    rng.shuffle(ms)
    return verein(ms, archiv())


def leerer_verein():
    return verein([], archiv())


def uralter_verein():
    # nobody at or below 150: empty histograms, yet means
    return verein([mitglied(4, tag(1, 1, 1700), tag(1, 1, 1700)),
                   mitglied(9, tag(31, 12, 1860), tag(2, 1, 1800), False, FAnrechnung=200)], format_=None)


def schalttagsverein():
    ms = [mitglied(1, tag(29, 2, 2000), tag(29, 2, 2000)),
          mitglied(2, tag(29, 2, 1996), tag(29, 2, 2004), False),
          mitglied(3, tag(28, 2, 2000), tag(28, 2, 2000)),
          mitglied(4, tag(1, 3, 2000), tag(1, 3, 2000), False),
          mitglied(5, tag(29, 2, 2000), tag(29, 2, 2000), FAustrittsdatum=tag(28, 2, 2023)),
          mitglied(6, tag(29, 2, 1904), tag(29, 2, 1904), False)]
    return verein(ms, format_="000000")


def mittelverein():
    """20 members, ages summing to 803 (mean 40.15), membership to 205 (10.25)."""
    ms = []
    for nr in range(1, 21):
        geb = tag(1, 1, 1984) if nr > 3 else tag(1, 1, 1983)      # 17 × 40 + 3 × 41 = 803
        ms.append(mitglied(nr, geb, tag(1, 1, 2014), nr % 3 == 0, FAnrechnung=1 if nr <= 5 else 0))
    return verein(ms)                                               # 20 × 10 + 5 = 205


def minimale(nummern, maennlich=lambda n: n % 2 == 0):
    """Members with only the fields the statistics need, for very large clubs."""
    return [{"FMitgliedsnummer": n, "FMaennlich": maennlich(n), "FGeburtsdatum": tag(1, 1, 1930) + n % 30000,
             "FEintrittsdatum": tag(1, 1, 1990) + n % 9000} for n in nummern]


def nummernverein(nummern, archivnummern=(), format_="0000"):
    ms = [mitglied(n, tag(1, 1, 1980) + 97 * i, tag(1, 1, 2000), i % 2 == 0) for i, n in enumerate(nummern)]
    return verein(ms, [mitglied(n, tag(1, 1, 1950), tag(1, 1, 1970)) for n in archivnummern], format_=format_)


def regelverein(alter_regel, beitrag_regel):
    """Reference dates from today's year (rules 1 and 2) or today (other rules)."""
    ms = [mitglied(1, tag(30, 6, 1990), tag(1, 7, 2010)), mitglied(2, tag(15, 3, 2000), tag(16, 3, 2015), False),
          mitglied(3, tag(1, 7, 1990), tag(30, 6, 2010)), mitglied(4, tag(14, 3, 2000), tag(15, 3, 2015), False)]
    return verein(ms, FJahresberechnung=alter_regel, FJahresdatum1=tag(30, 6, 2000), FJahresdatum2=tag(1, 7, 2000),
                  FBeitragsberechnung=beitrag_regel, FBeitragsdatum1=tag(14, 3, 2000),
                  FBeitragsdatum2=tag(15, 3, 2000))


# ---------------------------------------------------------------------------
# Runs: club, date, smoothing, rows, department filter, selection filter

STANDARD_ZEILEN = [Zeile("alter", "0", "99"), Zeile("geburtsjahr", "1900", "2100"),
                   Zeile("geburtsdatum", "01.01.1900", "31.12.2100")]
GRENZ_ZEILEN = [Zeile("alter", "30", "30"), Zeile("alter", "150", "150"), Zeile("alter", "151", "100000"),
                Zeile("alter", "0", "0"), Zeile("alter", "07", "17"), Zeile("geburtsjahr", "2000", "2000"),
                Zeile("geburtsjahr", "1996", "2000"), Zeile("geburtsdatum", "29.02.2000", "29.02.2000"),
                Zeile("geburtsdatum", "01.03.1996", "28.02.2000"), Zeile("geburtsjahr", "0", "1899")]


class Lauf:
    def __init__(self, name, zaq, datum=None, glaettung=None, zeilen=(), abteilung=None, selektion=False):
        self.name, self.zaq, self.datum, self.glaettung = name, zaq, datum, glaettung
        self.zeilen, self.abteilung, self.selektion = list(zeilen), abteilung, selektion

    def optionen(self):
        o = []
        if self.datum is not None:
            o += ["--date", datum_text(self.datum)]
        if self.glaettung is not None:
            o += ["--glaettung", str(self.glaettung)]
        for zeile in self.zeilen:
            o += ["--bestand", zeile.argument()]
        if self.abteilung is not None:
            o += ["--abteilung", self.abteilung]
        if self.selektion:
            o.append("--selektion")
        return o

    def erwartung(self, heute):
        return erwartung(self.zaq, heute, self.datum, self.glaettung, self.zeilen, self.abteilung, self.selektion)


def laeufe():
    haupt = hauptverein()
    schalt = schalttagsverein()
    return [
        Lauf("Hauptverein, Stichtage des Vereins", haupt, zeilen=STANDARD_ZEILEN + GRENZ_ZEILEN),
        Lauf("Hauptverein, Schalttag", haupt, tag(29, 2, 2024), 30, GRENZ_ZEILEN),
        Lauf("Hauptverein, 28.02.2023", haupt, tag(28, 2, 2023), 5, STANDARD_ZEILEN),
        Lauf("Hauptverein, ferne Zukunft", haupt, tag(1, 3, 2100), 3, GRENZ_ZEILEN[:4]),
        Lauf("Hauptverein, 1950", haupt, tag(1, 1, 1950), 1, STANDARD_ZEILEN),
        Lauf("Hauptverein, Abteilung Fußball", haupt, zeilen=STANDARD_ZEILEN, abteilung="Fußball"),
        Lauf("Hauptverein, zwei Abteilungen", haupt, glaettung=30, zeilen=STANDARD_ZEILEN + GRENZ_ZEILEN[:3],
             abteilung="tennis, Schach"),
        Lauf("Hauptverein, alle Abteilungen", haupt, zeilen=STANDARD_ZEILEN, abteilung="*"),
        Lauf("Hauptverein, ohne Abteilung", haupt, zeilen=STANDARD_ZEILEN, abteilung=""),
        Lauf("Hauptverein, Selektion", haupt, tag(31, 12, 2023), 5, STANDARD_ZEILEN + GRENZ_ZEILEN, selektion=True),
        Lauf("Hauptverein, Abteilung und Selektion", haupt, zeilen=STANDARD_ZEILEN, abteilung="Ball, A-Jugend",
             selektion=True),
        Lauf("leerer Verein", leerer_verein(), zeilen=STANDARD_ZEILEN),
        Lauf("leerer Verein, Datum", leerer_verein(), tag(1, 1, 2000), 1),
        Lauf("nur über 150", uralter_verein(), zeilen=[Zeile("alter", "151", "1000")]),
        Lauf("Schalttag 28.02.2023", schalt, tag(28, 2, 2023), 3, [Zeile("alter", "22", "23")]),
        Lauf("Schalttag 01.03.2023", schalt, tag(1, 3, 2023), 3, [Zeile("alter", "22", "23")]),
        Lauf("Schalttag 28.02.2024", schalt, tag(28, 2, 2024), 5, [Zeile("alter", "24", "24")]),
        Lauf("Schalttag 29.02.2024", schalt, tag(29, 2, 2024), 30, [Zeile("alter", "24", "24")]),
        Lauf("Schalttag 28.02.2001", schalt, tag(28, 2, 2001), 1,
             [Zeile("alter", "0", "0"), Zeile("geburtsdatum", "29.02.2000", "01.03.2000")]),
        Lauf("Mittelwerte auf halbe Zehntel", mittelverein(), tag(1, 6, 2024)),
        Lauf("Nummern 1, 2, 5", nummernverein([1, 2, 5], [3])),
        Lauf("Nummern 1 bis 4", nummernverein([4, 2, 3, 1], [5], format_=None)),
        Lauf("Nummern 0, 4, 2, 2, 9", nummernverein([0, 4, 2, 2, 9], [1, 3])),
        Lauf("nur Nummer 0", nummernverein([0], format_="0")),
        Lauf("Nummern 3 und 65535", nummernverein([65535, 3], format_="000000")),
        Lauf("Nummern 1 bis 65534", verein(minimale(range(1, 65535)))),
        Lauf("Nummern 1 bis 65535", verein(minimale(range(65535, 0, -1)))),
    ]


def regellaeufe():
    return [Lauf("Regel 1 und 2", regelverein(1, 2), zeilen=[Zeile("alter", "0", "99")]),
            Lauf("Regel 2 und 1", regelverein(2, 1), zeilen=[Zeile("alter", "0", "99")]),
            Lauf("heute (Regel 0 und 7)", regelverein(0, 7), zeilen=[Zeile("alter", "0", "99")])]


# refused bounds: rows, message (None: any error)
VERTAUSCHT = [
    ([Zeile("alter", "31", "30")], ALTER_VERTAUSCHT),
    ([Zeile("geburtsjahr", "2000", "1999")], JAHR_VERTAUSCHT),
    ([Zeile("geburtsdatum", "02.01.2000", "01.01.2000")], DATUM_VERTAUSCHT),
    ([Zeile("geburtsdatum", "01.03.2000", "29.02.2000")], DATUM_VERTAUSCHT),
    ([Zeile("alter", "0", "99"), Zeile("alter", "5", "4")], ALTER_VERTAUSCHT),
]
KEINE_ZAHL = [Zeile("alter", "x", "5"), Zeile("alter", "5", "3.5"), Zeile("alter", "", "5"),
              Zeile("geburtsjahr", "19x0", "2000"), Zeile("geburtsjahr", "1990", "zweitausend"),
              Zeile("geburtsdatum", "31.02.2000", "01.01.2001"), Zeile("geburtsdatum", "1990", "01.01.2001"),
              Zeile("geburtsdatum", "01.01.2000", "2000-12-31")]
FALSCHER_AUFRUF = ["alter,1", "alter,1,2,3", "gewicht,1,2"]


# ---------------------------------------------------------------------------
# The model on the examples the rules give


def e1(*w):
    return [[x, 0, x] for x in w]


class Modell(unittest.TestCase):
    def test_kern(self):
        self.assertEqual(kern(1), [1])
        self.assertEqual(kern(3), [1, 2, 1])
        self.assertEqual(kern(5), [1, 2, 3, 2, 1])
        self.assertEqual(kern(15), list(range(1, 9)) + list(range(7, 0, -1)))
        self.assertEqual(sum(kern(15)), 64)
        self.assertEqual(kern(30), list(range(1, 16)) + list(range(15, 0, -1)))
        self.assertEqual(sum(kern(30)), 240)
        self.assertEqual(kern(4), [1, 2, 2, 1])

    def test_glaettung(self):
        h = [[1, 2, 3], [0, 5, 5], [7, 0, 7]]
        self.assertEqual(glaette(h, 1), h)
        self.assertEqual(glaette([], 15), [])
        # one member aged 40 in a histogram reaching 50
        h = [[0, 0, 0] for _ in range(51)]
        h[40] = [1, 0, 1]
        g = glaette(h, 15)
        self.assertEqual([r[0] for r in g[33:48]], [Fraction(k, 64) for k in kern(15)])
        self.assertEqual(sum(r[2] for r in g), 1)
        self.assertTrue(all(r[0] == 0 for i, r in enumerate(g) if not 33 <= i <= 47))
        # the edges are cut, not renormalised
        g = glaette(e1(9, 0, 0, 0), 5)
        self.assertEqual([r[0] for r in g], [3, 2, 1, 0])
        # width 30: the centre lies at 14, the wider half looks back
        h = [[0, 0, 0] for _ in range(40)]
        h[20] = [0, 1, 1]
        g = glaette(h, 30)
        self.assertEqual(min(i for i, r in enumerate(g) if r[1]), 6)
        self.assertEqual(max(i for i, r in enumerate(g) if r[1]), 35)
        self.assertEqual((g[20][1], g[21][1]), (Fraction(15, 240), Fraction(15, 240)))

    def test_histogramm_und_mittel(self):
        s = tag(1, 7, 2024)
        ms = [mitglied(1, tag(1, 1, 1873), tag(1, 1, 2000)),          # 151: not in the histogram
              mitglied(2, tag(1, 1, 1984), tag(1, 1, 2000), False)]
        zaq = verein(ms)
        erw = erwartung(zaq, s, datum=s, glaettung=1)
        self.assertEqual(erw["Altersverteilung"], [[0, 0, 0]] * 40 + [[0, 1, 1]])
        self.assertEqual(erw["DurchschnittlichesAlter"].wert, Fraction(191, 2))
        self.assertEqual(erw["Statuszeile"], ["Durchschnittliches Alter: 95,5 Jahre",
                                              "Durchschnittliche Mitgliedschaft: 24,0 Jahre", "Mitglieder: 2"])
        self.assertEqual(erw["Vereinszugehoerigkeit"], [[0, 0, 0]] * 24 + [[1, 1, 2]])
        leer = erwartung(verein([]), s)
        self.assertEqual((leer["Altersverteilung"], leer["DurchschnittlichesAlter"], leer["Mitglieder"]),
                         ([], None, 0))
        self.assertEqual(erwartung(uralter_verein(), s)["Vereinszugehoerigkeit"], [])

    def test_jahre(self):
        self.assertEqual(volle_jahre(tag(29, 2, 2000), tag(28, 2, 2001)), 0)
        self.assertEqual(volle_jahre(tag(29, 2, 2000), tag(1, 3, 2001)), 1)
        self.assertEqual(volle_jahre(tag(29, 2, 2000), tag(28, 2, 2004)), 3)
        self.assertEqual(volle_jahre(tag(29, 2, 2000), tag(29, 2, 2004)), 4)
        self.assertEqual(volle_jahre(tag(1, 6, 2030), tag(31, 12, 2024)), 0)
        self.assertEqual(volle_jahre(tag(31, 12, 2000), tag(1, 1, 2001)), 0)
        m = mitglied(1, tag(31, 12, 1984), tag(31, 12, 2004), FAustrittsdatum=tag(30, 12, 2024))
        self.assertEqual((alter(m, STICHTAG), mitgliedsjahre(m, STICHTAG)), (39, 19))
        self.assertEqual(alter(dict(m, FAustrittsdatum=STICHTAG), STICHTAG), 40)
        self.assertEqual(alter(dict(m, FAustrittsdatum=-100), STICHTAG), 40)
        self.assertEqual(mitgliedsjahre(dict(m, FAnrechnung=255), STICHTAG), 274)

    def test_zahlformat(self):
        self.assertEqual([zahl_text_1(Fraction(x)) for x in ("40.25", "40.15", "2", "0.05", "0.04", "65535")],
                         ["40,3", "40,2", "2,0", "0,1", "0,0", "65535,0"])
        erw = erwartung(mittelverein(), tag(1, 6, 2024), tag(1, 6, 2024))
        self.assertEqual(erw["Statuszeile"][:2], ["Durchschnittliches Alter: 40,2 Jahre",
                                                  "Durchschnittliche Mitgliedschaft: 10,3 Jahre"])
        self.assertEqual(erw["DurchschnittlichesAlter"].wert, Fraction("40.15"))

    def test_bestand(self):
        s = tag(1, 7, 2024)
        ms = [mitglied(1, tag(1, 7, 1994), 0), mitglied(2, tag(2, 7, 1994), 0, False),
              mitglied(3, tag(1, 1, 1994), 0, FAustrittsdatum=tag(1, 1, 2020)),
              mitglied(4, tag(30, 6, 1994), 0, False, FAbteilungen="Ball", FSelektiert=True)]
        zaq = verein(ms)
        self.assertEqual(zaehle(zaq, Zeile("alter", "30", "30"), s), (1, 1, 2))
        self.assertEqual(zaehle(zaq, Zeile("alter", "29", "29"), s), (0, 1, 1))
        self.assertEqual(zaehle(zaq, Zeile("alter", "26", "26"), s), (1, 0, 1))
        self.assertEqual(zaehle(zaq, Zeile("geburtsjahr", "1994", "1994"), s), (2, 2, 4))
        self.assertEqual(zaehle(zaq, Zeile("geburtsdatum", "30.06.1994", "01.07.1994"), s), (1, 1, 2))
        self.assertEqual(zaehle(zaq, Zeile("alter", "0", "99"), s, abteilung="Fussball"), (0, 1, 1))
        self.assertEqual(zaehle(zaq, Zeile("alter", "0", "99"), s, abteilung=""), (2, 1, 3))
        self.assertEqual(zaehle(zaq, Zeile("alter", "0", "99"), s, selektion=True), (0, 1, 1))
        erw = erwartung(zaq, s, s, zeilen=[Zeile("alter", "030", "30"), Zeile("geburtsdatum", "01.01.1994",
                                                                              "31.12.1994")])
        self.assertEqual(erw["Bestandszaehlung"]["Text"],
                         "ZAQ Bestandszählung\r\n\r\nvon\tbis\tMänner\tFrauen\tgesamt\r\n30\t30\t1\t1\t2"
                         "\r\n01.01.1994\t31.12.1994\t2\t2\t4")
        zeile = erw["Bestandszaehlung"]["Zeilen"][0]
        self.assertTrue(zeile["von"].passt("30") and zeile["von"].passt(30) and not zeile["von"].passt("030"))
        self.assertFalse(erw["Bestandszaehlung"]["Zeilen"][1]["von"].passt(34335))
        self.assertTrue(erwartung(zaq, s)["Bestandszaehlung"]["Text"].passt(None))

    def test_freie_nummern(self):
        self.assertEqual(freie_nummern(nummernverein([1, 2, 5])), (1, 5, [3, 4], 3))
        self.assertEqual(freie_nummern(nummernverein([1, 2, 3, 4])), (1, 4, [], 5))
        self.assertEqual(freie_nummern(nummernverein([1, 2, 4])), (1, 4, [3], 3))
        self.assertEqual(freie_nummern(verein([], archiv())), (None, None, [], 1))
        self.assertEqual(freie_nummern(nummernverein([0])), (0, 0, [], 1))
        self.assertEqual(freie_nummern(nummernverein([0, 4, 2, 2, 9], [1, 3])), (0, 9, [1, 3, 5, 6, 7, 8], 1))
        self.assertEqual(freie_nummern(verein(minimale(range(1, 65535))))[3], 65535)
        self.assertIsNone(freie_nummern(verein(minimale(range(1, 65536))))[3])
        zaq = nummernverein([65535, 3], format_="000000")
        erw = erwartung(zaq, STICHTAG)["FreieNummern"]
        self.assertEqual((erw["Kleinste"], erw["Hoechste"], len(erw["Frei"]), erw["Frei"][:3]),
                         ("000003", "065535", 65533, ["000001", "000002", "000004"]))
        self.assertEqual(nummer_text(7, verein([], format_=None)), "007")
        self.assertEqual(nummer_text(12345, verein([])), "12345")
        self.assertTrue(KeineNummer().passt(None) and not KeineNummer().passt(0))
        self.assertTrue(Nummer(3, "0003").passt(3) and Nummer(3, "0003").passt("0003")
                        and not Nummer(3, "0003").passt(True))

    def test_stichtage(self):
        heute = tag(15, 8, 2025)
        zaq = regelverein(1, 2)
        self.assertEqual(stichtage(zaq, heute), (tag(30, 6, 2024), tag(15, 3, 2025)))
        self.assertEqual(stichtage(regelverein(2, 1), heute), (tag(1, 7, 2025), tag(14, 3, 2024)))
        self.assertEqual(stichtage(regelverein(0, 7), heute), (heute, heute))
        self.assertEqual(stichtage(hauptverein(), heute), (STICHTAG, BEITRAGSSTICHTAG))
        self.assertEqual(stichtage(verein([], FJahresberechnung=1, FJahresdatum1=tag(31, 12, 2000)),
                                   tag(1, 5, 2019))[0], tag(31, 12, 2018))

    def test_abweichungen(self):
        soll = {"a": [1, Zahl(Fraction(1, 3))], "b": None, "c": "x"}
        self.assertEqual(abweichungen(soll, {"a": [1, 1 / 3], "b": None, "c": "x", "d": 5}), [])
        self.assertEqual(len(abweichungen(soll, {"a": [True, 0.3334], "c": "y"})), 4)
        self.assertEqual(abweichungen([1.0], [1]), ["[0]: 1 statt 1.0"])

    def test_vereine_zeigen_was_sie_sollen(self):
        zaq = hauptverein()
        ms = zaq["FMitglieder"]
        self.assertEqual(len({m["FMitgliedsnummer"] for m in ms}), len(ms))
        a = [alter(m, STICHTAG) for m in ms]
        j = [mitgliedsjahre(m, STICHTAG) for m in ms]
        self.assertTrue(150 in a and 151 in a and max(a) > 151 and a.count(0) >= 2)
        self.assertTrue(150 not in j and max(j) > 150)
        self.assertTrue(any(0 < m["FAustrittsdatum"] < STICHTAG for m in ms))
        self.assertTrue(any(m["FAustrittsdatum"] > STICHTAG for m in ms))
        self.assertTrue(any(m["FSelektiert"] for m in ms) and any(not m["FSelektiert"] for m in ms))
        self.assertTrue(any((als_datum(m["FGeburtsdatum"]).month, als_datum(m["FGeburtsdatum"]).day) == (2, 29)
                            for m in ms))
        archivnummern = {m["FMitgliedsnummer"] for m in zaq["FArchiv"]}
        self.assertTrue(archivnummern & set(freie_nummern(zaq)[2]))
        for lauf in laeufe():
            erw = lauf.erwartung(STICHTAG)
            for zeile in lauf.zeilen:
                zeile.grenze(zeile.von_text)
            if lauf.name.startswith("Hauptverein"):
                gezaehlt = [r["gesamt"] for r in erw["Bestandszaehlung"]["Zeilen"]]
                self.assertTrue(any(gezaehlt), lauf.name)
                if lauf.abteilung is not None or lauf.selektion:
                    # a filter leaves members out, except "*" alone
                    voll = erwartung(zaq, STICHTAG, lauf.datum, zeilen=lauf.zeilen)["Bestandszaehlung"]
                    weniger = any(r["gesamt"] < v["gesamt"] for r, v in
                                  zip(erw["Bestandszaehlung"]["Zeilen"], voll["Zeilen"]))
                    self.assertEqual(weniger, lauf.abteilung != "*" or lauf.selektion, lauf.name)
        # the 29 February members change age between the dates
        schalt = schalttagsverein()
        self.assertEqual([alter(m, tag(28, 2, 2023)) for m in schalt["FMitglieder"]], [22, 26, 23, 22, 22, 118])
        self.assertEqual([alter(m, tag(1, 3, 2023)) for m in schalt["FMitglieder"]], [23, 27, 23, 23, 22, 119])


# ---------------------------------------------------------------------------
# The program


def heute():
    return (datetime.date.today() - t.NULLTAG).days


class Statistik(CliFall):
    BEFEHLE = ("statistik",)

    def datei(self, zaq):
        type(self).zaehler += 1
        d = os.path.join(self.dir, "fall%d" % self.zaehler)
        os.makedirs(d)
        pfad = os.path.join(d, "verein.zaq")
        with open(pfad, "wb") as f:
            f.write(z.schreibe_datei(zaq, rng=random.Random(1)))
        return pfad

    def statistik(self, pfad, *optionen):
        """Runs the command; the member file and its directory stay as they were."""
        vorher, inhalt = lies(pfad), sorted(os.listdir(os.path.dirname(pfad)))
        r = subprocess.run([CLI, "statistik", pfad, *optionen, *t.anmeldung("Admin"), "--config", self.config],
                           capture_output=True, timeout=60)
        self.assertGreaterEqual(r.returncode, 0, "zaq-cli abgestürzt: %s %s" % (optionen, r.stderr))
        self.assertTrue(lies(pfad) == vorher, "Mitgliederdatei verändert")
        self.assertEqual(sorted(os.listdir(os.path.dirname(pfad))), inhalt, "Dateien angelegt oder entfernt")
        return r, e.meldungen_aus(r.stderr.decode("utf-8", "replace"))

    def ausgabe(self, pfad, optionen):
        r, ms = self.statistik(pfad, *optionen)
        self.assertEqual(r.returncode, 0, ms)
        return json.loads(r.stdout.decode("utf-8"))

    def pruefe(self, lauf, tage):
        ist = self.ausgabe(self.datei(lauf.zaq), lauf.optionen())
        # a rule of today's date: the run may have passed midnight
        fehler = min((abweichungen(lauf.erwartung(h), ist) for h in tage), key=len)
        self.assertEqual(fehler, [], "\n".join(fehler))

    def test_wie_gezaehlt(self):
        for lauf in laeufe():
            with self.subTest(lauf=lauf.name):
                self.pruefe(lauf, [STICHTAG])

    def test_stichtage_der_regeln(self):
        for lauf in regellaeufe():
            with self.subTest(lauf=lauf.name):
                vorher = heute()
                ist = self.ausgabe(self.datei(lauf.zaq), lauf.optionen())
                fehler = min((abweichungen(lauf.erwartung(h), ist) for h in {vorher, heute()}), key=len)
                self.assertEqual(fehler, [], "\n".join(fehler))

    def test_vertauschte_grenzen(self):
        pfad = self.datei(hauptverein())
        for zeilen, text in VERTAUSCHT:
            with self.subTest(grenzen=[x.argument() for x in zeilen]):
                r, ms = self.statistik(pfad, *[a for x in zeilen for a in ("--bestand", x.argument())])
                self.assertEqual(r.returncode, 1, ms)
                self.assertIn("Fehler: " + text, ms)

    def test_gleiche_grenzen(self):
        pfad = self.datei(hauptverein())
        for zeile in (Zeile("geburtsjahr", "1984", "1984"), Zeile("geburtsdatum", "31.12.1984", "31.12.1984")):
            with self.subTest(grenzen=zeile.argument()):
                ist = self.ausgabe(pfad, ["--bestand", zeile.argument()])
                soll = erwartung(hauptverein(), STICHTAG, zeilen=[zeile])["Bestandszaehlung"]
                self.assertEqual(abweichungen(soll, ist.get("Bestandszaehlung")), [])

    def test_keine_zahl(self):
        pfad = self.datei(hauptverein())
        for zeile in KEINE_ZAHL:
            with self.subTest(grenzen=zeile.argument()):
                r, ms = self.statistik(pfad, "--bestand", zeile.argument())
                self.assertEqual(r.returncode, 1, ms)
                self.assertTrue(any(m.startswith("Fehler: ") for m in ms), ms)
        for arg in FALSCHER_AUFRUF:
            with self.subTest(bestand=arg):
                r, ms = self.statistik(pfad, "--bestand", arg)
                self.assertNotEqual(r.returncode, 0, ms)


if __name__ == "__main__":
    unittest.main()
