"""Debit and credit lists (.lsv, .gsv) as `zaq-cli lgv-dump`, `lgv-save` and
`lgv-sort` read, sum, save and sort them, against an independent model.

The model writes and reads the 444-byte records itself: header and bookings
with short strings in Windows-1252 (the five undefined bytes included), the
amount as a 32-bit float.  Lists it writes (with noise after every text and in
the header's unused parts) must dump with exactly the model's values: amounts
in whole cents rounded half away from zero from the float's exact value, the
control sums in 64-bit integers and the total as the sum of the rounded cents
(a large list shows where a float total goes wrong).  Saving under another
name copies the file byte for byte and is refused for the open file's own
name; sorting moves whole records as the model's shell sort does, and lists
full of equal bookings finish.  Files that are not lists are refused with the
program's message and stay as they were; length bytes above a field's
capacity, bank codes that are no numbers and truncated files never crash the
program and never show text of a neighbouring field.

Run with the path of zaq-cli in ZAQ_CLI.  While the program lacks a command,
only the model's own tests run and the tests of that command are skipped."""

import collections
import json
import math
import os
import random
import struct
import subprocess
import tempfile
import unittest
from fractions import Fraction

from clifall import CliFall, lies  # noqa: F401

HIER = os.path.dirname(os.path.abspath(__file__))
CLI = os.environ.get("ZAQ_CLI", os.path.join(HIER, "..", "..", "build", "release", "bin", "zaq-cli"))

SATZ = 444
LASTSCHRIFTEN = "05 000 LASTSCHRIFTEN"
GUTSCHRIFTEN = "51 000 GUTSCHRIFTEN"
ZEILEN = 14

FEHLT_DATEI = 'Die Datei "%s" existiert nicht.'
TEXTSCHLUESSEL = "Die Datei hat einen ungültigen Textschlüssel."
GEOEFFNET = "Diese Datei ist bereits geöffnet. Bitte wählen Sie eine andere Datei."

# a sort must end long before this even for thousands of equal bookings
SORTIERZEIT = 30

# ---------------------------------------------------------------------------
# Windows-1252: the five bytes without a character stand for U+0081 etc.

ZEICHEN = []
for _b in range(256):
    try:
        ZEICHEN.append(bytes([_b]).decode("cp1252"))
    except UnicodeDecodeError:
        ZEICHEN.append(chr(_b))
BYTE = {c: b for b, c in enumerate(ZEICHEN)}


def text_aus(daten):
    return "".join(ZEICHEN[b] for b in daten)


def text_zu(text):
    return bytes(BYTE[c] for c in text)


# ---------------------------------------------------------------------------
# Record layout: (field, offset, capacity in characters); a field takes one
# length byte more than its capacity.

KOPFTEXTE = [("Textschluessel", 0, 27), ("BLZ", 28, 8), ("Kontonummer", 37, 10), ("Referenznummer", 52, 27),
             ("Auftraggeber", 80, 27), ("Bankname", 108, 27), ("Beschreibung1", 388, 27),
             ("Beschreibung2", 416, 27)]
KOPF_FREI = [(48, 52), (136, 388)]
BUCHUNGSTEXTE = [("Kontoinhaber", 0, 27), ("BLZ", 28, 8), ("Kontonummer", 37, 10)]
BETRAG = 48
ZWECK = [52 + 28 * j for j in range(ZEILEN)]


def f32(x):
    return struct.unpack("<f", struct.pack("<f", x))[0]


def kopf(schluessel=LASTSCHRIFTEN, **kw):
    k = {"Textschluessel": schluessel, "BLZ": "37040044", "Kontonummer": "0532013000",
         "Referenznummer": "0000004711", "Auftraggeber": "TV Musterstadt", "Bankname": "Commerzbank",
         "Beschreibung1": "", "Beschreibung2": "", "Frei": bytes(4 + 252)}
    k.update(kw)
    return k


def buchung(inhaber="", blz="00000000", konto="0000000000", betrag=0.0, zweck=()):
    zweck = list(zweck) + [""] * (ZEILEN - len(zweck))
    assert len(zweck) == ZEILEN
    return {"Kontoinhaber": inhaber, "BLZ": blz, "Kontonummer": konto, "Betrag": f32(betrag),
            "Verwendungszweck": zweck}


def liste(k, bs):
    return {"Kopf": k, "Buchungen": bs}


def _schreibe_text(p, ofs, kap, text, rng):
    b = text_zu(text)
    assert len(b) <= kap, text
    p[ofs] = len(b)
    p[ofs + 1:ofs + 1 + len(b)] = b
    if rng:
        p[ofs + 1 + len(b):ofs + 1 + kap] = rng.randbytes(kap - len(b))


def kopf_satz(k, rng=None):
    """The header record; with rng the bytes after each text are noise."""
    p = bytearray(SATZ)
    for feld, ofs, kap in KOPFTEXTE:
        _schreibe_text(p, ofs, kap, k[feld], rng)
    frei = k["Frei"]
    for von, bis in KOPF_FREI:
        p[von:bis], frei = frei[:bis - von], frei[bis - von:]
    return bytes(p)


def buchung_satz(b, rng=None):
    p = bytearray(SATZ)
    for feld, ofs, kap in BUCHUNGSTEXTE:
        _schreibe_text(p, ofs, kap, b[feld], rng)
    p[BETRAG:BETRAG + 4] = struct.pack("<f", b["Betrag"])
    for ofs, zeile in zip(ZWECK, b["Verwendungszweck"]):
        _schreibe_text(p, ofs, 27, zeile, rng)
    return bytes(p)


def datei_bytes(lst, rng=None):
    return kopf_satz(lst["Kopf"], rng) + b"".join(buchung_satz(b, rng) for b in lst["Buchungen"])


def _lies_text(s, ofs, kap):
    # a length byte above the capacity stops at the field's end
    return text_aus(s[ofs + 1:ofs + 1 + min(s[ofs], kap)])


def lies_kopf(s):
    k = {feld: _lies_text(s, ofs, kap) for feld, ofs, kap in KOPFTEXTE}
    k["Frei"] = b"".join(s[von:bis] for von, bis in KOPF_FREI)
    return k


def lies_buchung(s):
    b = {feld: _lies_text(s, ofs, kap) for feld, ofs, kap in BUCHUNGSTEXTE}
    b["Betrag"] = struct.unpack("<f", s[BETRAG:BETRAG + 4])[0]
    b["Verwendungszweck"] = [_lies_text(s, ofs, 27) for ofs in ZWECK]
    return b


def saetze(daten):
    """The complete records of a file; an incomplete last one is left out."""
    return [daten[i:i + SATZ] for i in range(0, len(daten) - SATZ + 1, SATZ)]


def lies_liste(daten):
    s = saetze(daten)
    return liste(lies_kopf(s[0]), [lies_buchung(x) for x in s[1:]])


# ---------------------------------------------------------------------------
# What the dump shows


def rund(x):
    """Round half away from zero of an exact value."""
    x = Fraction(x)
    n = math.floor(abs(x) + Fraction(1, 2))
    return n if x >= 0 else -n


def cent(betrag):
    return rund(Fraction(betrag) * 100)


def ganzzahl(text):
    """A bank code or account number as a whole number; what is no number
    counts 0 in the sums."""
    return int(text) if text and all("0" <= c <= "9" for c in text) else 0


def art(schluessel):
    return {LASTSCHRIFTEN: 1, GUTSCHRIFTEN: 2}[schluessel]


def erwartet(lst):
    k, bs = lst["Kopf"], lst["Buchungen"]
    return {
        "Art": art(k["Textschluessel"]),
        "Kopf": {"Textschluessel": k["Textschluessel"], "BLZ": k["BLZ"], "Kontonummer": k["Kontonummer"],
                 "Referenznummer": k["Referenznummer"], "Auftraggeber": k["Auftraggeber"],
                 "Bankname": k["Bankname"], "Beschreibung": k["Beschreibung1"] + k["Beschreibung2"]},
        "Buchungen": [{"Kontoinhaber": b["Kontoinhaber"], "BLZ": b["BLZ"], "Kontonummer": b["Kontonummer"],
                       "Betrag": cent(b["Betrag"]), "Verwendungszweck": list(b["Verwendungszweck"])}
                      for b in bs],
        "Kontrollsummen": {"Anzahl": len(bs), "SummeBLZ": sum(ganzzahl(b["BLZ"]) for b in bs),
                           "SummeKontonummern": sum(ganzzahl(b["Kontonummer"]) for b in bs),
                           "Summe": sum(cent(b["Betrag"]) for b in bs)}}


def abweichungen(soll, ist, wo="", aus=None):
    """The differences between two dumps, one line each; an integer must be
    an integer, not 13.0."""
    aus = [] if aus is None else aus
    if len(aus) >= 25:
        return aus
    if isinstance(soll, dict):
        if not isinstance(ist, dict):
            aus.append("%s: Objekt erwartet, ist %r" % (wo, ist))
            return aus
        if set(soll) != set(ist):
            aus.append("%s: Schlüssel %s erwartet, sind %s" % (wo, sorted(soll), sorted(ist)))
        for s in soll:
            if s in ist:
                abweichungen(soll[s], ist[s], wo + "." + s, aus)
    elif isinstance(soll, list):
        if not isinstance(ist, list):
            aus.append("%s: Liste erwartet, ist %r" % (wo, ist))
        elif len(soll) != len(ist):
            aus.append("%s: %d Einträge erwartet, sind %d" % (wo, len(soll), len(ist)))
        else:
            for i, (x, y) in enumerate(zip(soll, ist)):
                abweichungen(x, y, "%s[%d]" % (wo, i), aus)
    elif type(soll) is not type(ist) or soll != ist:
        aus.append("%s: erwartet %r, ist %r" % (wo, soll, ist))
    return aus


# ---------------------------------------------------------------------------
# Sorting: German collation of the texts the tests sort (blanks, some
# punctuation, digits, letters, umlauts), primary then umlauts then case.

PRIMAER = " -,.0123456789abcdefghijklmnopqrstuvwxyz"
UMLAUTE = {"ä": "a", "ö": "o", "ü": "u", "Ä": "A", "Ö": "O", "Ü": "U"}


class Mehrdeutig(Exception):
    """The model does not know the order of this text."""


def kollation(text):
    p, s, t = [], [], []
    for c in text:
        basis = UMLAUTE.get(c, c)
        if not basis.isascii() or basis.lower() not in PRIMAER:
            raise Mehrdeutig(text)
        p.append(PRIMAER.index(basis.lower()))
        s.append(1 if c in UMLAUTE else 0)
        t.append(1 if basis.isupper() else 0)
    return (tuple(p), tuple(s), tuple(t))


def sortwert(b, schluessel):
    if schluessel == 1:
        return kollation(b["Kontoinhaber"])
    if schluessel == 2:
        return (kollation(b["Verwendungszweck"][0]), kollation(b["Verwendungszweck"][1]))
    if schluessel == 3:
        return (kollation(b["BLZ"]), kollation(b["Kontonummer"]))
    if schluessel == 4:
        return b["Betrag"]
    raise ValueError(schluessel)


class Endlos(Exception):
    pass


def shellsort(buchungssaetze, schluessel, nur_davor=True, hoechstens=None):
    """The bookings' records after the list's shell sort: halve the gap, and
    per gap run over the list swapping record i + g with record i while it
    sorts before it, until a run swaps nothing.  With nur_davor=False it
    swaps on "before or equal" too, and never ends for two equal bookings."""
    werte = [sortwert(lies_buchung(s), schluessel) for s in buchungssaetze]
    a = list(range(len(buchungssaetze)))
    n = g = len(a)
    laeufe = 0
    while g > 1:
        g //= 2
        while True:
            laeufe += 1
            if hoechstens is not None and laeufe > hoechstens:
                raise Endlos(laeufe)
            getauscht = False
            for i in range(n - g):
                x, y = werte[a[i + g]], werte[a[i]]
                if x < y or (not nur_davor and x == y):
                    a[i], a[i + g] = a[i + g], a[i]
                    getauscht = True
            if not getauscht:
                break
    return [buchungssaetze[j] for j in a]


def offen(sortiert, schluessel):
    """Whether bookings that differ share a key, so their order is not fixed."""
    werte = [sortwert(lies_buchung(s), schluessel) for s in sortiert]
    return any(werte[i] == werte[i + 1] and sortiert[i] != sortiert[i + 1] for i in range(len(sortiert) - 1))


def sortier_abweichungen(vorher, nachher, schluessel):
    """What is wrong with a sorted file.  Where bookings with equal keys
    differ, their order is not fixed: then the file must hold the same
    records in an order of non-decreasing keys."""
    if len(nachher) != len(vorher):
        return ["Dateigröße %d statt %d" % (len(nachher), len(vorher))]
    if nachher[:SATZ] != vorher[:SATZ]:
        return ["der Kopfsatz hat sich geändert"]
    alt, neu = saetze(vorher)[1:], saetze(nachher)[1:]
    modell = shellsort(alt, schluessel)
    if neu == modell:
        return []
    if not offen(modell, schluessel):
        i = next(i for i in range(len(neu)) if neu[i] != modell[i])
        return ["Buchung %d: erwartet %r, ist %r" % (i + 1, lies_buchung(modell[i])["Kontoinhaber"],
                                                       lies_buchung(neu[i])["Kontoinhaber"])]
    f = []
    if collections.Counter(neu) != collections.Counter(alt):
        f.append("die Buchungssätze sind nicht mehr dieselben (ganze Sätze verschieben)")
    ist = [sortwert(lies_buchung(s), schluessel) for s in neu]
    for i in range(len(ist) - 1):
        if ist[i + 1] < ist[i]:
            f.append("Buchung %d steht vor %d, sortiert aber danach" % (i + 1, i + 2))
            break
    return f


# ---------------------------------------------------------------------------
# Lists


def eigene_lastschriften():
    """A debit list with every kind of amount rounding and text."""
    k = kopf(Referenznummer="0000004711", Auftraggeber="TV Würzburg 1860 e.V.", Bankname="Commerzbank Köln",
             Beschreibung1="Beiträge 2014 – Fußball, Ju", Beschreibung2="gend & Senioren (€ 1.234)",
             Frei=bytes(range(256)))
    voll = ["Zeile %02d ÄÖÜäöüß€‰„“ abcdef" % j for j in range(1, 15)]
    bs = [
        buchung("Müller, Änne", "50010517", "5407324924", 0.01,
                ["Beitrag 2014", "Mitgliedsnr. 0001"] + [""] * 11 + ["Zeile 14 – Ende"]),
        buchung("Weiß, Jürgen", "70150000", "0000987654", 0.1, ["Beitrag 2014"]),
        buchung("Öztürk & Söhne ‰ „Ü“", "37040044", "0532013000", 12.345, ["Jahresbeitrag", "Jugend"]),
        buchung("Zoë \x81\x8d\x8f\x90\x9d €", "10000000", "9999999999", 99999.99, ["\x81\x8d\x8f\x90\x9d"]),
        buchung("A" * 27, "79050000", "0000000001", 0.125, voll),
        buchung("Becker, Bernd", "50010517", "0000000002", 2.675, ["2,675 wird 2,67"]),
        buchung("Kühn, Nadine", "37040044", "0532013001", 1.005, ["1,005 wird 1,00"]),
        buchung("Klein, Karl", "37040044", "0000000003", 0.005, ["0,005 wird 0,00"]),
        buchung("Negativ, Nora", "70150000", "0000000004", -0.125, ["-0,125 wird -0,13"]),
        buchung("Groß, Gustav", "70150000", "0000000005", 131071.99, ["größter Centbetrag"]),
        buchung("Rund, Rudi", "10000000", "0000000006", 0.015, ["0,015 wird 0,01"]),
        buchung("Rund, Rita", "10000000", "0000000007", 0.035, ["0,035 wird 0,04"]),
        buchung(),
        buchung("Hälfte, Hanna", "79050000", "0000000008", 1234567.89, ["1234567,875 wird ...88"]),
    ]
    return liste(k, bs)


# the amounts of eigene_lastschriften in cents, worked out by hand
EIGENE_CENT = [1, 10, 1235, 9999999, 13, 267, 100, 0, -13, 13107199, 1, 4, 0, 123456788]


def gutschriften():
    k = kopf(GUTSCHRIFTEN, BLZ="50010517", Kontonummer="5407324924", Referenznummer="0000000042",
             Auftraggeber="Förderverein Ü30", Bankname="Sparkasse Köln", Beschreibung1="Erstattungen",
             Beschreibung2="")
    return liste(k, [
        buchung("Adler, Anna", "37040044", "0532013000", 15.0, ["Erstattung", "Auslagen März"]),
        buchung("Adler, Anna", "37040044", "0532013000", 15.0, ["Erstattung", "Auslagen April"]),
        buchung("Zander, Zoë", "70150000", "0000987654", 0.99, ["Übungsleiter"])])


def leere_liste(schluessel):
    return liste(kopf(schluessel, Beschreibung1="leer"), [])


def zeichensatz():
    """Every byte 0 to 255 in the texts, forwards and backwards."""
    alle = text_aus(bytes(range(256)))
    rueck = alle[::-1]

    def zerlege(t):
        return [t[i:i + 27] for i in range(0, len(t), 27)]

    def mit(teile):
        teile = teile + [""] * (15 - len(teile))
        return buchung(teile[0], "37040044", "0532013000", 1.0, teile[1:15])

    k = kopf(Auftraggeber=text_aus(bytes(range(0x80, 0x9B))), Bankname=text_aus(bytes(range(0x9B, 0xB6))),
             Referenznummer=text_aus(bytes(range(0x00, 0x1B))), Beschreibung1=text_aus(bytes(range(0xB6, 0xD1))),
             Beschreibung2=text_aus(bytes(range(0xE5, 0x100))))
    return liste(k, [mit(zerlege(alle)), mit(zerlege(rueck))])


def grosse_liste():
    """3000 bookings whose float total misses the cents by tens of euros:
    a third of 99999.99 (each stored 0.0021875 too high), a third of 0.10,
    a third of random amounts; account numbers up to 9999999999."""
    rng = random.Random(3000)
    blzs = ["37040044", "50010517", "70150000", "79050000", "10000000", "99999999"]
    bs = []
    for i in range(3000):
        if i % 3 == 0:
            betrag = 99999.99
        elif i % 3 == 1:
            betrag = 0.1
        else:
            betrag = rng.randint(1, 9999999) / 100
        konto = "9999999999" if i % 7 == 0 else "%010d" % rng.randrange(10 ** 10)
        bs.append(buchung("Mitglied %04d" % i, rng.choice(blzs), konto, betrag, ["Beitrag 2014", "Nr. %d" % i]))
    return liste(kopf(Beschreibung1="Großer Einzug"), bs)


def sortierliste(schluessel=LASTSCHRIFTEN):
    """Eight bookings whose order differs by every key and differs between
    the German collation and a byte order; equal first purpose lines and
    equal bank codes leave the decision to the second part of the key."""
    inhaber = ["Zander, Zoe", "berta", "Ärger, Ärmel", "Adler", "anna", "Arger", "Müller, Anna", "Muller, Anna"]
    zweck1 = ["Beitrag", "beitrag", "Beitrag", "Spende", "Beitrag", "Ärger", "spende", "Beitrag"]
    zweck2 = ["2014", "x", "2013", "", "2014 Nachzahlung", "a", "b", "1999"]
    blz = ["70150000", "37040044", "70150000", "10000000", "37040044", "50010517", "70150000", "50010517"]
    konto = ["0000987654", "0532013000", "0000000001", "1234567890", "0532013001", "5407324924", "0900000000",
             "0000000002"]
    betrag = [10.0, 9.5, 100.0, -1.0, 0.25, 99999.99, 0.01, 12.345]
    return liste(kopf(schluessel, Beschreibung1="Sortierung"),
                 [buchung(i, b, k, x, [z1, z2, "Zeile 3"]) for i, z1, z2, b, k, x
                  in zip(inhaber, zweck1, zweck2, blz, konto, betrag)])


# the order of sortierliste by each key (as indices into it), worked out by hand
SORTIERFOLGE = {
    1: [3, 4, 5, 2, 1, 7, 6, 0],   # Adler anna Arger Ärger berta Muller Müller Zander
    2: [5, 1, 7, 2, 0, 4, 6, 3],   # Ärger; beitrag; Beitrag 1999, 2013, 2014, "2014 N"; spende; Spende
    3: [3, 1, 4, 7, 5, 2, 0, 6],   # 1000; 3704 ..3000, ..3001; 5001 ..02, ..4924; 7015 ..01, ..0987.., ..0900..
    4: [3, 6, 4, 1, 0, 7, 2, 5],   # -1 0.01 0.25 9.5 10 12.345 100 99999.99
}

NAMEN = ["Müller", "Muller", "müller", "Mueller", "Adler", "adler", "Ärger", "Arger", "Zander", "Öztürk", "Oz",
         "Weiss", "Meyer-Lüdenscheid", "Meyer", "van der Berg", "Van Der Berg", "Ölschläger", "Olschlager"]
VORNAMEN = ["Anna", "anna", "Änne", "Bernd", "Zoe", "Uwe", "Ulrike", ""]


def zufallsliste(rng, n, eindeutig):
    """Bookings the model can order.  eindeutig: no two share a key, so the
    order is fixed; otherwise many share one."""
    bs = []
    for i in range(n):
        name = rng.choice(NAMEN)
        vor = rng.choice(VORNAMEN)
        if vor:
            name += ", " + vor
        if eindeutig:
            name = (name + " %d" % i)[-27:]
        z1 = rng.choice(["Beitrag", "beitrag", "Beitrag 2014", "Spende", "Ärger", "Arger", ""])
        z2 = ("Nr. %d" % i) if eindeutig else rng.choice(["", "a", "A", "ä", "b"])
        blz = rng.choice(["37040044", "50010517", "70150000", "00000000"])
        konto = ("%010d" % (i * 7919 % 10 ** 10)) if eindeutig else rng.choice(["0532013000", "0000000001"])
        betrag = (i * 37 % 1000 - 300) / 100 if eindeutig else rng.choice([0.0, 10.0, 12.5, -3.0, 99999.99])
        bs.append(buchung(name, blz, konto, betrag, [z1, z2, rng.choice(["", "Rest"])]))
    return liste(kopf(Beschreibung1="Zufall"), bs)


ANDERE = [(0, buchung("Zander", "70150000", "0000000009", 99.0, ["Zweck", "z"])),
          (1000, buchung("Adler", "10000000", "0000000001", 1.0, ["Aaa", "a"])),
          (2000, buchung("Neu", "37040044", "0532013001", 25.01, ["Beitrag", "2015"])),
          (3000, buchung("Mitglied, Max", "37040044", "0532012999", 24.99, ["Beitrag", "2013"]))]


def gleiche_liste():
    """3000 equal bookings and four others: a sort must end."""
    bs = [buchung("Mitglied, Max", "37040044", "0532013000", 25.0, ["Beitrag", "2014"]) for _ in range(3000)]
    for pos, b in ANDERE:
        bs.insert(pos, b)
    return liste(kopf(Beschreibung1="Gleiche"), bs)


def gleiche_datei(rng):
    """gleiche_liste's file; the equal bookings are the same record, noise included."""
    lst = gleiche_liste()
    gleich = buchung_satz(lst["Buchungen"][1], rng)
    andere = {pos: buchung_satz(b, rng) for pos, b in ANDERE}
    return kopf_satz(lst["Kopf"], rng) + b"".join(andere.get(i, gleich) for i in range(len(lst["Buchungen"])))


def gleicher_betrag():
    """2000 bookings of one amount with different names: by amount no
    booking sorts before another, so nothing moves."""
    return liste(kopf(Beschreibung1="Ein Betrag"),
                 [buchung("Mitglied %04d" % (1999 - i), "37040044", "%010d" % i, 25.0, ["Beitrag"])
                  for i in range(2000)])


# ---------------------------------------------------------------------------
# Damaged files: (name, file bytes, dump when read with texts cut at their
# field's end, or None when the file cannot be a list)


def setze(daten, satz, ofs, wert):
    p = bytearray(daten)
    p[satz * SATZ + ofs] = wert
    return bytes(p)


def ueberlange_faelle():
    """Length bytes above the field's capacity.  The texts fill their field,
    so that cutting at the field's end shows them whole, while reading on
    shows the next field's length byte or the next record."""
    rng = random.Random(6)
    lst = eigene_lastschriften()
    bs = lst["Buchungen"]
    bs[0]["Kontoinhaber"] = "H" * 27
    bs[1]["Verwendungszweck"][0] = "Z" * 27
    k = lst["Kopf"]
    k["Bankname"] = "B" * 27
    k["Beschreibung2"] = "E" * 27
    letzte = len(bs)
    bs[-1]["Verwendungszweck"][13] = "L" * 27
    bs[2]["Verwendungszweck"][13] = "M" * 27
    daten = datei_bytes(lst, rng)
    gut = erwartet(lst)
    faelle = [
        ("Kontoinhaber mit Längenbyte 200", setze(daten, 1, 0, 200)),
        ("Bankleitzahl mit Längenbyte 9", setze(daten, 2, 28, 9)),
        ("Bankleitzahl mit Längenbyte 30", setze(daten, 2, 28, 30)),
        ("Kontonummer mit Längenbyte 255", setze(daten, 3, 37, 255)),
        ("Verwendungszweck 1 mit Längenbyte 28", setze(daten, 2, ZWECK[0], 28)),
        ("Verwendungszweck 14 mit Längenbyte 255 vor dem nächsten Satz", setze(daten, 3, ZWECK[13], 255)),
        ("Verwendungszweck 14 mit Längenbyte 255 am Dateiende", setze(daten, letzte, ZWECK[13], 255)),
        ("Bankname im Kopf mit Längenbyte 28", setze(daten, 0, 108, 28)),
        ("Beschreibung im Kopf mit Längenbyte 255", setze(daten, 0, 416, 255)),
    ]
    aus = []
    for name, d in faelle:
        # cut at the field's end, each of these shows what the list holds
        assert abweichungen(gut, erwartet(lies_liste(d))) == [], name
        aus.append((name, d, gut))
    # the text key itself: cut or not, it is not one of the two keys
    aus.append(("Textschlüssel mit Längenbyte 200", setze(daten, 0, 0, 200), None))
    return aus


def keine_zahl_faelle():
    """Bank codes and account numbers that are no numbers count 0."""
    faelle = []
    for name, nr, feld, wert in [("Bankleitzahl 12AB5678", 1, "BLZ", "12AB5678"),
                                 ("Kontonummer 98765X4321", 2, "Kontonummer", "98765X4321"),
                                 ("leere Bankleitzahl", 3, "BLZ", ""),
                                 ("Bankleitzahl aus Umlauten", 4, "BLZ", "ÄÖÜ€"),
                                 ("Kontonummer 1.000", 5, "Kontonummer", "1.000")]:
        lst = eigene_lastschriften()
        lst["Buchungen"][nr - 1][feld] = wert
        faelle.append((name, datei_bytes(lst, random.Random(nr)), erwartet(lst)))
    lst = eigene_lastschriften()
    lst["Kopf"]["BLZ"] = "ABC"
    lst["Kopf"]["Kontonummer"] = "x"
    faelle.append(("Kopf ohne Zahlen", datei_bytes(lst), erwartet(lst)))
    return faelle


def groessen_faelle():
    """Files whose size is no multiple of a record: shorter than a header,
    or with an incomplete last booking (then read without it or refused)."""
    lst = eigene_lastschriften()
    lst["Buchungen"] = lst["Buchungen"][:3]
    daten = datei_bytes(lst, random.Random(9))
    zwei = liste(lst["Kopf"], lst["Buchungen"][:2])
    eine = liste(lst["Kopf"], lst["Buchungen"][:1])
    return [("leere Datei", b"", None), ("halber Kopf", daten[:100], None),
            ("Kopf ohne letztes Byte", daten[:443], None),
            ("eine Buchung und 200 Bytes", daten[:2 * SATZ + 200], erwartet(eine)),
            ("zwei Buchungen und 443 Bytes", daten[:3 * SATZ + 443], erwartet(zwei)),
            ("zwei Buchungen und 1 Byte", daten[:3 * SATZ + 1], erwartet(zwei))]


def falsche_schluessel():
    """Header first fields that are not one of the two text keys exactly."""
    roh = []
    for text in ["05 000 LASTSCHRIFTEN ", " 05 000 LASTSCHRIFTEN", "05 000 lastschriften", "5 000 LASTSCHRIFTEN",
                 "05 000 LASTSCHRIFTE", "51 000 GUTSCHRIFTEN.", "51 000 LASTSCHRIFTEN", "05 000 GUTSCHRIFTEN",
                 "SEPA-LASTSCHRIFTEN", "", "05\xa0000 LASTSCHRIFTEN"]:
        roh.append((repr(text), datei_bytes(liste(kopf(text), [buchung("A", betrag=1.0)]), random.Random(2))))
    # the key followed by a NUL in its length
    p = bytearray(datei_bytes(liste(kopf(LASTSCHRIFTEN), [])))
    p[0] = 21
    p[21] = 0
    roh.append(("Schlüssel mit NUL", bytes(p)))
    # a SEPA list's header
    p = bytearray(SATZ)
    p[0] = 18
    p[1:19] = b"SEPA-LASTSCHRIFTEN"
    roh.append(("SEPA-Kopf", bytes(p)))
    return roh


# ---------------------------------------------------------------------------
# The model's own tests


class Modellpruefung(unittest.TestCase):
    """The model on examples whose outcome is known without it."""

    def test_zeichensatz(self):
        self.assertEqual(text_aus(b"\x80\x81\x8d\x8f\x90\x9d\x9f\xa0\xc4\xdf\xe4"),
                         "€\x81\x8d\x8f\x90\x9dŸ\xa0Äßä")
        self.assertEqual(text_zu(text_aus(bytes(range(256)))), bytes(range(256)))
        self.assertEqual(len(set(ZEICHEN)), 256)

    def test_satzaufbau(self):
        lst = eigene_lastschriften()
        daten = datei_bytes(lst)
        self.assertEqual(len(daten), SATZ * 15)
        self.assertEqual(daten[:21], b"\x1405 000 LASTSCHRIFTEN")
        self.assertEqual(daten[28:37], b"\x0837040044")
        self.assertEqual(daten[37:48], b"\x0a0532013000")
        self.assertEqual(daten[48:52], bytes([0, 1, 2, 3]))
        self.assertEqual(daten[52:63], b"\x0a0000004711")
        self.assertEqual(daten[136:388], bytes(range(4, 256)))
        self.assertEqual(daten[388:389 + 27], b"\x1bBeitr\xe4ge 2014 \x96 Fu\xdfball, Ju")
        self.assertEqual(daten[416:417], b"\x19")
        b = daten[SATZ:2 * SATZ]
        self.assertEqual(b[:13], b"\x0cM\xfcller, \xc4nne")
        self.assertEqual(b[28:37], b"\x0850010517")
        self.assertEqual(b[48:52], struct.pack("<f", 0.01))
        self.assertEqual(b[52:65], b"\x0cBeitrag 2014")
        self.assertEqual(b[80:98], b"\x11Mitgliedsnr. 0001")
        self.assertEqual(b[416:432], b"\x0fZeile 14 \x96 Ende")
        self.assertEqual(datei_bytes(liste(kopf(GUTSCHRIFTEN), []))[:20], b"\x1351 000 GUTSCHRIFTEN")
        self.assertEqual(len(datei_bytes(leere_liste(LASTSCHRIFTEN))), SATZ)

    def test_lesen_gibt_zurueck_was_geschrieben_wurde(self):
        for name, lst in [("eigen", eigene_lastschriften()), ("gut", gutschriften()), ("zeichen", zeichensatz()),
                          ("leer", leere_liste(GUTSCHRIFTEN)), ("sort", sortierliste())]:
            for rng in (None, random.Random(1)):
                with self.subTest(liste=name, rauschen=rng is not None):
                    self.assertEqual(lies_liste(datei_bytes(lst, rng)), lst)

    def test_rauschen_nur_hinter_den_texten(self):
        lst = eigene_lastschriften()
        a, b = datei_bytes(lst), datei_bytes(lst, random.Random(1))
        self.assertNotEqual(a, b)
        self.assertEqual(erwartet(lies_liste(a)), erwartet(lies_liste(b)))

    def test_betraege(self):
        self.assertEqual([cent(b["Betrag"]) for b in eigene_lastschriften()["Buchungen"]], EIGENE_CENT)
        self.assertEqual(cent(f32(1234567.89)), 123456788)   # the float is 1234567.875
        self.assertEqual(cent(0.125), 13)
        self.assertEqual(cent(-0.125), -13)
        self.assertEqual(cent(f32(-0.0025)), 0)
        for c in (1, 10, 99, 12345, 9999999, 13107199):
            self.assertEqual(cent(f32(c / 100)), c)

    def test_dump_der_eigenen_liste(self):
        d = erwartet(eigene_lastschriften())
        self.assertEqual(d["Art"], 1)
        self.assertEqual(d["Kopf"]["Beschreibung"], "Beiträge 2014 – Fußball, Jugend & Senioren (€ 1.234)")
        self.assertEqual(d["Kontrollsummen"], {
            "Anzahl": 14, "SummeBLZ": 50010517 * 2 + 70150000 * 3 + 37040044 * 3 + 10000000 * 3 + 79050000 * 2,
            "SummeKontonummern": 5407324924 + 987654 + 532013000 + 9999999999 + 1 + 2 + 532013001 + 3 + 4 + 5 + 6
            + 7 + 8, "Summe": sum(EIGENE_CENT)})
        self.assertEqual(d["Buchungen"][3]["Kontoinhaber"], "Zoë \x81\x8d\x8f\x90\x9d €")
        self.assertEqual(d["Buchungen"][0]["Verwendungszweck"][13], "Zeile 14 – Ende")
        self.assertEqual(erwartet(gutschriften())["Art"], 2)
        self.assertEqual(erwartet(gutschriften())["Kontrollsummen"]["SummeBLZ"], 2 * 37040044 + 70150000)

    def test_grosse_liste_zeigt_den_unterschied(self):
        """The float total misses the cents by tens of euros, and rounding the
        exact total once misses them too; account numbers pass 32 bits."""
        bs = grosse_liste()["Buchungen"]
        soll = sum(cent(b["Betrag"]) for b in bs)
        f = 0.0
        for b in bs:
            f = f32(f + b["Betrag"])
        self.assertGreaterEqual(abs(cent(f) - soll), 1000)
        self.assertGreaterEqual(abs(rund(sum(Fraction(b["Betrag"]) for b in bs) * 100) - soll), 100)
        self.assertGreater(erwartet(grosse_liste())["Kontrollsummen"]["SummeKontonummern"], 2 ** 40)

    def test_ganzzahl(self):
        self.assertEqual([ganzzahl(t) for t in ["00000000", "0532013000", "9999999999", "12AB5678", "", "1.000",
                                                "ÄÖÜ€", "١٢"]], [0, 532013000, 9999999999, 0, 0, 0, 0, 0])

    def test_kollation(self):
        # the German order (checked once against ICU's collator for "de")
        folge = [" a", "0", "9a", "a", "ä", "Ä", "a b", "A b", "a-b", "a, b", "a,b", "a.b", "a1", "aa", "aA", "Aa",
                 "AA", "aä", "äa", "ab", "Ab", "ab ", "ab,", "Mueller", "MÜLLER", "Muller, Anna", "müller, anna",
                 "Müller, Anna", "Müllerin", "z", "Z"]
        gemischt = folge[:]
        random.Random(1).shuffle(gemischt)
        self.assertEqual(sorted(gemischt, key=kollation), folge)
        self.assertRaises(Mehrdeutig, kollation, "a€")
        self.assertRaises(Mehrdeutig, kollation, "Weiß")

    def test_sortierfolge(self):
        lst = sortierliste()
        alt = [buchung_satz(b) for b in lst["Buchungen"]]
        for k, folge in SORTIERFOLGE.items():
            with self.subTest(schluessel=k):
                self.assertEqual(shellsort(alt, k), [alt[i] for i in folge])
        self.assertEqual([lst["Buchungen"][i]["Kontoinhaber"] for i in SORTIERFOLGE[1]],
                         ["Adler", "anna", "Arger", "Ärger, Ärmel", "berta", "Muller, Anna", "Müller, Anna",
                          "Zander, Zoe"])

    def test_shellsort_sortiert(self):
        for seed in range(1, 6):
            rng = random.Random(seed)
            alt = [buchung_satz(b, rng) for b in zufallsliste(rng, 200, seed % 2 == 0)["Buchungen"]]
            for k in range(1, 5):
                with self.subTest(seed=seed, schluessel=k):
                    neu = shellsort(alt, k)
                    self.assertEqual(collections.Counter(neu), collections.Counter(alt))
                    werte = [sortwert(lies_buchung(s), k) for s in neu]
                    self.assertEqual(werte, sorted(werte))

    def test_gleiche_buchungen(self):
        """Swapping only what sorts before ends; swapping equals too never
        ends, already for two equal bookings."""
        gleich = [buchung_satz(buchung("A", betrag=1.0))] * 2
        self.assertEqual(shellsort(gleich, 1), gleich)
        self.assertRaises(Endlos, shellsort, gleich, 1, False, 1000)
        bs = [buchung_satz(b) for b in gleicher_betrag()["Buchungen"]]
        self.assertEqual(shellsort(bs, 4), bs)
        self.assertNotEqual(shellsort(bs, 1), bs)
        daten = gleiche_datei(random.Random(1))
        self.assertEqual(len(set(saetze(daten)[1:])), 5)
        for k in range(1, 5):
            neu = shellsort(saetze(daten)[1:], k)
            self.assertEqual(sortier_abweichungen(daten, daten[:SATZ] + b"".join(neu), k), [])
            # equal bookings are one record: the order is fixed, except that
            # one other booking has the holder of the equal ones
            self.assertEqual(offen(neu, k), k == 1)

    def test_sortier_abweichungen(self):
        lst = sortierliste()
        vorher = datei_bytes(lst, random.Random(1))
        kopfsatz, alt = saetze(vorher)[0], saetze(vorher)[1:]
        richtig = kopfsatz + b"".join(alt[i] for i in SORTIERFOLGE[1])
        self.assertEqual(sortier_abweichungen(vorher, richtig, 1), [])
        self.assertNotEqual(sortier_abweichungen(vorher, vorher, 1), [])
        # records written again with zeros after the texts are not the records moved
        neu = kopfsatz + b"".join(buchung_satz(lies_buchung(alt[i])) for i in SORTIERFOLGE[1])
        self.assertNotEqual(sortier_abweichungen(vorher, neu, 1), [])
        self.assertNotEqual(sortier_abweichungen(vorher, b"X" + richtig[1:], 1), [])
        # with ties, any order of the tied bookings
        tie = gutschriften()
        vorher = datei_bytes(liste(kopf(), tie["Buchungen"] + tie["Buchungen"][:1]), random.Random(2))
        a, b, c, d = saetze(vorher)[1:]
        self.assertEqual(sortier_abweichungen(vorher, vorher[:SATZ] + c + d + b + a, 4), [])
        self.assertEqual(sortier_abweichungen(vorher, vorher[:SATZ] + c + a + b + d, 4), [])
        self.assertNotEqual(sortier_abweichungen(vorher, vorher[:SATZ] + a + c + b + d, 4), [])
        self.assertNotEqual(sortier_abweichungen(vorher, vorher[:SATZ] + c + a + a + b, 4), [])

    def test_schadensfaelle(self):
        self.assertEqual(len(ueberlange_faelle()), 10)
        for name, daten, soll in keine_zahl_faelle():
            self.assertEqual(erwartet(lies_liste(daten)), soll, name)
        soll = erwartet(eigene_lastschriften())["Kontrollsummen"]
        self.assertEqual(keine_zahl_faelle()[0][2]["Kontrollsummen"]["SummeBLZ"], soll["SummeBLZ"] - 50010517)
        self.assertEqual(keine_zahl_faelle()[1][2]["Kontrollsummen"]["SummeKontonummern"],
                         soll["SummeKontonummern"] - 987654)
        self.assertEqual(len(keine_zahl_faelle()), 6)
        for name, daten, soll in groessen_faelle():
            if soll is not None:
                self.assertEqual(erwartet(lies_liste(daten)), soll, name)
        for name, daten in falsche_schluessel():
            self.assertNotIn(lies_kopf(daten[:SATZ])["Textschluessel"], (LASTSCHRIFTEN, GUTSCHRIFTEN), name)

    def test_fixtures_sortierbar(self):
        for lst in (sortierliste(), gleiche_liste(), gleicher_betrag(), zufallsliste(random.Random(1), 50, True),
                    zufallsliste(random.Random(1), 50, False)):
            for b in lst["Buchungen"]:
                for k in range(1, 5):
                    sortwert(b, k)


# ---------------------------------------------------------------------------
# The program


def schreibe(pfad, daten):
    with open(pfad, "wb") as f:
        f.write(daten)


def meldungen(stderr):
    """The program's messages "Art: Text"; lines that follow belong to the one before."""
    aus = []
    for zeile in stderr.decode("utf-8", "replace").replace("\r", "").splitlines():
        if zeile.split(":", 1)[0] in ("Fehler", "Warnung", "Information", "Frage"):
            aus.append(zeile)
        elif aus:
            aus[-1] += "\n" + zeile
    return aus


def hat_meldung(ms, soll):
    return any(m == soll or m.startswith(soll + "\n") for m in ms)


def hat_fehler(ms):
    return any(m.startswith("Fehler: ") and m[8:].strip() for m in ms)


class MitProgramm(CliFall):

    def datei(self, daten, name="liste.lsv"):
        """The bytes in a file of a new folder."""
        type(self).zaehler += 1
        d = os.path.join(self.tmp.name, "fall%d" % self.zaehler)
        os.makedirs(d)
        pfad = os.path.join(d, name)
        if daten is not None:
            schreibe(pfad, daten)
        return pfad

    def rufe(self, *args, timeout=60):
        r = subprocess.run([CLI, *args, "--config", self.config], capture_output=True, timeout=timeout)
        self.assertGreaterEqual(r.returncode, 0, "zaq-cli abgestürzt (Signal %d) bei %s: %s"
                                % (-r.returncode, args[0], r.stderr.decode("utf-8", "replace")))
        return r

    def dump(self, pfad):
        """lgv-dump, which never changes the list: exit code, dump or None, messages."""
        vorher = lies(pfad) if os.path.exists(pfad) else None
        r = self.rufe("lgv-dump", pfad)
        if vorher is not None:
            self.assertEqual(lies(pfad), vorher, "lgv-dump hat die Liste verändert")
        ms = meldungen(r.stderr)
        d = None
        if r.returncode == 0:
            try:
                d = json.loads(r.stdout.decode("utf-8"))
            except ValueError as x:
                self.fail("keine JSON-Ausgabe (%s): %r" % (x, r.stdout[:300]))
        return r.returncode, d, ms

    def pruefe_dump(self, pfad, soll):
        code, d, ms = self.dump(pfad)
        self.assertEqual(code, 0, ms)
        self.assertEqual(abweichungen(soll, d), [])

    def pruefe_abgelehnt(self, code, ms, meldung=None):
        self.assertEqual(code, 1, ms)
        if meldung is None:
            self.assertTrue(hat_fehler(ms), "keine Fehlermeldung: %s" % ms)
        else:
            self.assertTrue(hat_meldung(ms, "Fehler: " + meldung), "%r fehlt in %s" % (meldung, ms))


class Dump(MitProgramm):
    """lgv-dump shows the model's values of lists the model writes."""
    BEFEHLE = ("lgv-dump",)

    def test_listen(self):
        for name, lst, dateiname, rng in [
                ("Lastschriften", eigene_lastschriften(), "liste.lsv", None),
                ("Lastschriften mit Rauschen", eigene_lastschriften(), "liste.lsv", random.Random(1)),
                ("Gutschriften", gutschriften(), "liste.gsv", random.Random(2)),
                ("Lastschriften in einer .gsv-Datei", eigene_lastschriften(), "liste.gsv", random.Random(3)),
                ("Gutschriften ohne Endung", gutschriften(), "liste", None),
                ("leere Lastschriften", leere_liste(LASTSCHRIFTEN), "leer.lsv", random.Random(4)),
                ("leere Gutschriften", leere_liste(GUTSCHRIFTEN), "leer.gsv", None),
                ("alle Bytes in den Texten", zeichensatz(), "zeichen.lsv", random.Random(5)),
                ("Sortierliste", sortierliste(GUTSCHRIFTEN), "sort.gsv", random.Random(6))]:
            with self.subTest(liste=name):
                self.pruefe_dump(self.datei(datei_bytes(lst, rng), dateiname), erwartet(lst))

    def test_nur_kopf_ist_leere_liste(self):
        for schluessel, art_ in [(LASTSCHRIFTEN, 1), (GUTSCHRIFTEN, 2)]:
            with self.subTest(schluessel=schluessel):
                code, d, ms = self.dump(self.datei(datei_bytes(leere_liste(schluessel), random.Random(7))))
                self.assertEqual(code, 0, ms)
                self.assertEqual((d["Art"], d["Buchungen"]), (art_, []))
                self.assertEqual(d["Kontrollsummen"], {"Anzahl": 0, "SummeBLZ": 0, "SummeKontonummern": 0,
                                                       "Summe": 0})

    def test_grosse_liste_summiert_cent(self):
        lst = grosse_liste()
        soll = erwartet(lst)
        code, d, ms = self.dump(self.datei(datei_bytes(lst, random.Random(8))))
        self.assertEqual(code, 0, ms)
        self.assertEqual(d["Kontrollsummen"], soll["Kontrollsummen"])
        self.assertEqual(abweichungen(soll, d), [])

    def test_fehlende_datei(self):
        pfad = self.datei(None, "gibtsnicht.lsv")
        code, d, ms = self.dump(pfad)
        self.pruefe_abgelehnt(code, ms, FEHLT_DATEI % pfad)
        self.assertFalse(os.path.exists(pfad))

    def test_falscher_textschluessel(self):
        for name, daten in falsche_schluessel():
            with self.subTest(schluessel=name):
                code, d, ms = self.dump(self.datei(daten))
                self.pruefe_abgelehnt(code, ms, TEXTSCHLUESSEL)

    def test_ueberlange_texte(self):
        """Cut to the field or refused, never the neighbour's text."""
        for name, daten, soll in ueberlange_faelle():
            with self.subTest(fall=name):
                code, d, ms = self.dump(self.datei(daten))
                if soll is None or code != 0:
                    self.pruefe_abgelehnt(code, ms)
                else:
                    self.assertEqual(abweichungen(soll, d), [])

    def test_keine_zahlen(self):
        """Shown as stored and counted 0 in the sums, or refused."""
        for name, daten, soll in keine_zahl_faelle():
            with self.subTest(fall=name):
                code, d, ms = self.dump(self.datei(daten))
                if code != 0:
                    self.pruefe_abgelehnt(code, ms)
                else:
                    self.assertEqual(abweichungen(soll, d), [])

    def test_dateigroessen(self):
        """Refused, or read without the incomplete last record."""
        for name, daten, soll in groessen_faelle():
            with self.subTest(fall=name):
                code, d, ms = self.dump(self.datei(daten))
                if soll is None or code != 0:
                    self.pruefe_abgelehnt(code, ms)
                else:
                    self.assertEqual(abweichungen(soll, d), [])


class Speichern(MitProgramm):
    """lgv-save copies the list byte for byte under another name."""
    BEFEHLE = ("lgv-save",)

    def speichere(self, quelle, ziel):
        vorher = lies(quelle) if os.path.exists(quelle) else None
        r = self.rufe("lgv-save", quelle, ziel)
        if vorher is not None:
            self.assertEqual(lies(quelle), vorher, "lgv-save hat die Liste verändert")
        return r.returncode, meldungen(r.stderr)

    def test_kopie(self):
        for name, lst, dateiname, neu, rng in [
                ("Lastschriften", eigene_lastschriften(), "liste.lsv", "Lastschriften.lsv", random.Random(1)),
                ("Gutschriften", gutschriften(), "liste.gsv", "Gutschriften.gsv", random.Random(2)),
                ("leer", leere_liste(GUTSCHRIFTEN), "leer.gsv", "neu.gsv", random.Random(3)),
                ("alle Bytes", zeichensatz(), "zeichen.lsv", "Zeichen Kopie.lsv", random.Random(4)),
                ("groß", grosse_liste(), "gross.lsv", "gross2.lsv", random.Random(5)),
                ("ohne Rauschen, andere Endung", eigene_lastschriften(), "liste.lsv", "kopie.dat", None)]:
            with self.subTest(liste=name):
                daten = datei_bytes(lst, rng)
                quelle = self.datei(daten, dateiname)
                ziel = os.path.join(os.path.dirname(quelle), neu)
                code, ms = self.speichere(quelle, ziel)
                self.assertEqual(code, 0, ms)
                self.assertEqual(lies(ziel), daten)

    def test_vorhandene_datei_wird_ersetzt(self):
        daten = datei_bytes(gutschriften(), random.Random(6))
        quelle = self.datei(daten, "liste.gsv")
        ziel = os.path.join(os.path.dirname(quelle), "alt.gsv")
        schreibe(ziel, datei_bytes(eigene_lastschriften()) * 2)
        code, ms = self.speichere(quelle, ziel)
        self.assertEqual(code, 0, ms)
        self.assertEqual(lies(ziel), daten)

    def test_in_anderen_ordner(self):
        daten = datei_bytes(eigene_lastschriften(), random.Random(7))
        quelle = self.datei(daten)
        ziel = os.path.join(os.path.dirname(self.datei(None)), "liste.lsv")
        code, ms = self.speichere(quelle, ziel)
        self.assertEqual(code, 0, ms)
        self.assertEqual(lies(ziel), daten)

    def test_unter_eigenem_namen(self):
        daten = datei_bytes(eigene_lastschriften(), random.Random(8))
        for name, form in [("derselbe Name", lambda p: p),
                           ("Dateiname groß", lambda p: os.path.join(os.path.dirname(p), os.path.basename(p).upper())),
                           ("Dateiname gemischt", lambda p: os.path.join(os.path.dirname(p), "Liste.LSV")),
                           ("ganzer Pfad groß", lambda p: p.upper())]:
            with self.subTest(fall=name):
                quelle = self.datei(daten)
                ziel = form(quelle)
                gab_es = os.path.exists(ziel)
                code, ms = self.speichere(quelle, ziel)
                self.pruefe_abgelehnt(code, ms, GEOEFFNET)
                self.assertEqual(lies(quelle), daten)
                if not gab_es:
                    self.assertFalse(os.path.exists(ziel), "trotz Ablehnung geschrieben: %s" % ziel)

    def test_abgelehnte_quelle_schreibt_nichts(self):
        fehlt = self.datei(None, "gibtsnicht.lsv")
        faelle = [("fehlende Datei", fehlt, FEHLT_DATEI % fehlt)]
        for name, daten in falsche_schluessel()[:4]:
            faelle.append(("Textschlüssel " + name, self.datei(daten), TEXTSCHLUESSEL))
        for name, daten, _ in groessen_faelle()[:3]:
            faelle.append((name, self.datei(daten), None))
        for name, quelle, meldung in faelle:
            with self.subTest(fall=name):
                ziel = os.path.join(os.path.dirname(quelle), "neu.lsv")
                code, ms = self.speichere(quelle, ziel)
                self.pruefe_abgelehnt(code, ms, meldung)
                self.assertFalse(os.path.exists(ziel))

    def test_beschaedigte_listen(self):
        """A list the program opens is copied whole; a refused one writes nothing."""
        faelle = ueberlange_faelle() + keine_zahl_faelle() + [f for f in groessen_faelle() if f[2] is not None]
        for name, daten, soll in faelle:
            with self.subTest(fall=name):
                quelle = self.datei(daten)
                ziel = os.path.join(os.path.dirname(quelle), "neu.lsv")
                code, ms = self.speichere(quelle, ziel)
                if code == 0:
                    self.assertIsNotNone(soll, "%s darf nicht geöffnet werden" % name)
                    # an incomplete last record may stay behind
                    self.assertIn(lies(ziel), (daten, daten[:len(daten) // SATZ * SATZ]))
                else:
                    self.pruefe_abgelehnt(code, ms)
                    self.assertFalse(os.path.exists(ziel))


class Sortieren(MitProgramm):
    """lgv-sort orders the bookings in the file as the model's shell sort."""
    BEFEHLE = ("lgv-sort",)

    def sortiere(self, pfad, schluessel, timeout=SORTIERZEIT):
        try:
            r = self.rufe("lgv-sort", pfad, str(schluessel), timeout=timeout)
        except subprocess.TimeoutExpired:
            self.fail("lgv-sort %s endet nicht in %d s" % (schluessel, timeout))
        return r.returncode, meldungen(r.stderr)

    def pruefe_sortierung(self, daten, schluessel, name="liste.lsv"):
        pfad = self.datei(daten, name)
        code, ms = self.sortiere(pfad, schluessel)
        self.assertEqual(code, 0, ms)
        self.assertEqual(sortier_abweichungen(daten, lies(pfad), schluessel), [])

    def test_sortierliste(self):
        for schluessel in (LASTSCHRIFTEN, GUTSCHRIFTEN):
            for k, folge in SORTIERFOLGE.items():
                with self.subTest(liste=schluessel, schluessel=k):
                    lst = sortierliste(schluessel)
                    daten = datei_bytes(lst, random.Random(k))
                    pfad = self.datei(daten, "sort.gsv" if schluessel == GUTSCHRIFTEN else "sort.lsv")
                    code, ms = self.sortiere(pfad, k)
                    self.assertEqual(code, 0, ms)
                    alt = saetze(daten)
                    self.assertEqual(lies(pfad), alt[0] + b"".join(alt[1 + i] for i in folge))

    def test_zufallslisten(self):
        for seed, n, eindeutig in [(1, 300, True), (2, 300, False), (3, 60, True), (4, 2, False), (5, 3, True)]:
            rng = random.Random(seed)
            daten = datei_bytes(zufallsliste(rng, n, eindeutig), rng)
            for k in range(1, 5):
                with self.subTest(seed=seed, schluessel=k):
                    self.pruefe_sortierung(daten, k)

    def test_gleiche_buchungen_enden(self):
        daten = gleiche_datei(random.Random(9))
        self.assertEqual(lies_liste(daten), gleiche_liste())
        for k in range(1, 5):
            with self.subTest(schluessel=k):
                self.pruefe_sortierung(daten, k)

    def test_gleicher_betrag_bewegt_nichts(self):
        daten = datei_bytes(gleicher_betrag(), random.Random(10))
        pfad = self.datei(daten)
        code, ms = self.sortiere(pfad, 4)
        self.assertEqual(code, 0, ms)
        self.assertEqual(lies(pfad), daten)
        code, ms = self.sortiere(pfad, 1)
        self.assertEqual(code, 0, ms)
        self.assertEqual(sortier_abweichungen(daten, lies(pfad), 1), [])

    def test_sortierte_liste_bleibt(self):
        lst = sortierliste()
        daten = datei_bytes(lst, random.Random(11))
        alt = saetze(daten)
        sortiert = alt[0] + b"".join(alt[1 + i] for i in SORTIERFOLGE[3])
        pfad = self.datei(sortiert)
        code, ms = self.sortiere(pfad, 3)
        self.assertEqual(code, 0, ms)
        self.assertEqual(lies(pfad), sortiert)

    def test_leere_und_eine_buchung(self):
        for name, lst in [("leer", leere_liste(LASTSCHRIFTEN)),
                          ("eine", liste(kopf(GUTSCHRIFTEN), [buchung("Adler", betrag=1.0)]))]:
            daten = datei_bytes(lst, random.Random(12))
            for k in range(1, 5):
                with self.subTest(liste=name, schluessel=k):
                    pfad = self.datei(daten)
                    code, ms = self.sortiere(pfad, k)
                    self.assertEqual(code, 0, ms)
                    self.assertEqual(lies(pfad), daten)

    def test_ungueltiger_schluessel(self):
        daten = datei_bytes(sortierliste(), random.Random(13))
        for k in ("0", "5", "-1", "x", "", "1.5"):
            with self.subTest(schluessel=k):
                pfad = self.datei(daten)
                code, ms = self.sortiere(pfad, k)
                self.assertNotEqual(code, 0, ms)
                self.assertEqual(lies(pfad), daten)

    def test_abgelehnte_dateien_bleiben(self):
        fehlt = self.datei(None, "gibtsnicht.lsv")
        code, ms = self.sortiere(fehlt, 1)
        self.pruefe_abgelehnt(code, ms, FEHLT_DATEI % fehlt)
        self.assertFalse(os.path.exists(fehlt))
        faelle = [("Textschlüssel " + n, d, TEXTSCHLUESSEL) for n, d in falsche_schluessel()]
        faelle += [(n, d, None) for n, d, s in groessen_faelle() if s is None]
        for name, daten, meldung in faelle:
            with self.subTest(fall=name):
                pfad = self.datei(daten)
                code, ms = self.sortiere(pfad, 1)
                self.pruefe_abgelehnt(code, ms, meldung)
                self.assertEqual(lies(pfad), daten)

    def test_beschaedigte_listen(self):
        """Sorted with whole records moved, or refused and left as they
        were; never a crash."""
        for name, daten, soll in ueberlange_faelle() + keine_zahl_faelle():
            with self.subTest(fall=name):
                pfad = self.datei(daten)
                code, ms = self.sortiere(pfad, 4)
                if code == 0:
                    self.assertIsNotNone(soll, "%s darf nicht geöffnet werden" % name)
                    self.assertEqual(sortier_abweichungen(daten, lies(pfad), 4), [])
                else:
                    self.pruefe_abgelehnt(code, ms)
                    self.assertEqual(lies(pfad), daten)
        for name, daten, soll in groessen_faelle():
            if soll is None:
                continue
            with self.subTest(fall=name):
                pfad = self.datei(daten)
                code, ms = self.sortiere(pfad, 4)
                if code != 0:
                    self.pruefe_abgelehnt(code, ms)
                    self.assertEqual(lies(pfad), daten)
                else:
                    ganz = len(daten) // SATZ * SATZ
                    neu = lies(pfad)
                    self.assertEqual(sortier_abweichungen(daten[:ganz], neu[:ganz], 4), [])
                    self.assertIn(neu[ganz:], (daten[ganz:], b""))


if __name__ == "__main__":
    unittest.main()
