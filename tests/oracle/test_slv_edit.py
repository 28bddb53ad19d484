"""The SEPA window's operations of `zaq-cli slv-edit` against an independent
model of the booking list.

The model reads and writes the 298-byte records of a booking list itself and
carries out the window's operations on its own copy: storing a booking as the
edit fields show it, adding, deleting, inserting a member, searching,
sorting, the list master data and saving under a new name.  The same
operation sequences, written by hand and drawn at random, go through
`zaq-cli slv-edit`; afterwards every file must hold what the model holds, the
run must stop where the model refuses, with the model's message, and the
output must count and sum the list as the model does.  Time-dependent values
(the date of a new booking, the reference of a member's booking) are taken
as right when they fall between the start and the end of the run.

Run with the path of zaq-cli in ZAQ_CLI.  While the program lacks the
command, only the model's own tests run."""

import copy
import datetime
import json
import math
import os
import random
import re
import struct
import subprocess
import sys
import tempfile
import unittest
from fractions import Fraction

HIER = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HIER)
import zaqformat as z  # noqa: E402
import test_einzug as e  # noqa: E402

CLI = os.environ.get("ZAQ_CLI", os.path.join(HIER, "..", "..", "build", "release", "bin", "zaq-cli"))

SATZ = 298
KENNUNG = "SEPA-LASTSCHRIFTEN"
NULLZEIT = datetime.datetime(1899, 12, 30)

# ---------------------------------------------------------------------------
# Messages

LANG = "Der Text für das Feld „%s“ ist zu lang: Es sind höchstens %d Zeichen möglich."
ZEICHEN = ("Das Zeichen „%s“ (U+%04X) im Feld „%s“ kann in der Buchungsliste nicht gespeichert werden. "
           "Bitte ersetzen Sie es durch ein anderes Zeichen.")
BETRAG_UNGUELTIG = "Bitte geben Sie einen gültigen Buchungsbetrag ein!"
BETRAG_STELLEN = "Bitte geben Sie den Buchungsbetrag mit höchstens zwei Nachkommastellen ein!"
def betrag_gross(text):
    return ("Der Betrag " + text.strip(" ") + " kann nicht auf den Cent genau gespeichert werden. "
            "Ab 131.072,00 € sind nicht mehr alle Centbeträge möglich.")
KEIN_INHABER = "Bitte geben Sie einen Kontoinhaber ein!"
KEINE_BANK = "Bitte geben Sie eine vollständige Bankverbindung an!"
IBAN_FORM = ("Eine IBAN darf nicht mehr als 34 Stellen und nicht weniger als fünf Stellen aufweisen. Außerdem "
             "sind nur die Zeichen A...Z sowie Ziffern erlaubt. Prüfen Sie bitte Ihre Eingabe!")
BLZ_ZIFFERN = "Eine Bankleitzahl darf nur aus Ziffern bestehen. Prüfen Sie bitte Ihre Eingabe!"
BLZ_UNBEKANNT = ("Die angegebende Bankleitzahl ist nicht in der Bankleitzahlendatei vorhanden und "
                 "höchstwahrscheinlich falsch. Deshalb kann auch die Kontonummer nicht geprüft werden. "
                 "Wollen Sie diese Bankleitzahl trotzdem verwenden?")
# the IBAN as typed stands between the two parts
IBAN_FALSCH = ("Die angegebende IBAN ", " wurde geprüft und ist wahrscheinlich falsch. "
               "Wollen Sie sie trotzdem verwenden?")
KEIN_DATUM = "'%s' ist kein gültiges Datum."
NICHT_NULL = "Bitte geben Sie einen Betrag größer als null ein!"
KEIN_ZWECK = "Bitte geben Sie einen Verwendungszweck ein!"
LETZTES = "Mindestens ein Formular muß vorhanden sein."
ENTFERNEN = "Hiermit entfernen Sie dieses Formular. Fortfahren?"
NICHTS_GEFUNDEN = "Keinen weiteren Datensatz gefunden."
GEOEFFNET = "Diese Datei ist bereits geöffnet. Bitte wählen Sie eine andere Datei."
KEINE_NUMMER = "Ungültige Mitgliedsnummer."
UNBEKANNTE_NUMMER = "Mitgliedsnummer ist nicht vorhanden."
OHNE_KONTO = "Bei %s ist keine Bankverbindung angegeben. Bitte wählen Sie ein anderes Mitglied!"
FEHLT_DATEI = 'Die Datei "%s" existiert nicht.'
KEINE_LISTE = "Die Datei beinhaltet keine gültigen SEPA-Lastschriften."

# edit fields of a booking and of the master data dialog with their typing limits
FELDER = [("Kontoinhaber", 35), ("IBAN", 42), ("Mandatsreferenz", 35), ("Betrag", 10), ("Mandatsdatum", 13),
          ("Kundenreferenz", 35), ("Verwendungszweck", 140)]
STAMMFELDER = [("Dateibeschreibung", 54), ("Abbuchungsdatum", 13), ("Kontoschluessel", 5)]

# ---------------------------------------------------------------------------
# Values the model cannot know before the run: checked against its time window


class Jetzt:
    """The current date and time of a new booking."""

    def __repr__(self):
        return "<jetzt>"


class Heute:
    """Today as a whole day."""

    def __repr__(self):
        return "<heute>"


class Kennung:
    """A member's booking reference: its start + "ddmmyy-hhmmss" of now."""

    def __init__(self, anfang):
        self.anfang = anfang

    def __repr__(self):
        return "<%s+Zeit>" % self.anfang


ZEITWERTE = (Jetzt, Heute, Kennung)


class Fenster:
    """The time between start and end of a run (local time, as the program's)."""

    def __init__(self, von, bis):
        self.von, self.bis = von, bis

    @staticmethod
    def tage(t):
        return (t - NULLZEIT) / datetime.timedelta(days=1)

    def passt(self, soll, ist):
        luft = datetime.timedelta(seconds=2)
        if isinstance(soll, Jetzt):
            return isinstance(ist, float) and self.tage(self.von - luft) <= ist <= self.tage(self.bis + luft)
        if isinstance(soll, Heute):
            return ist in (float(math.floor(self.tage(self.von))), float(math.floor(self.tage(self.bis))))
        if isinstance(soll, Kennung):
            if not isinstance(ist, str) or not ist.startswith(soll.anfang):
                return False
            try:
                t = datetime.datetime.strptime(ist[len(soll.anfang):], "%d%m%y-%H%M%S")
            except ValueError:
                return False
            return self.von.replace(microsecond=0) - luft <= t <= self.bis + luft
        raise TypeError(soll)


# ---------------------------------------------------------------------------
# The file


def f32(x):
    return struct.unpack("<f", struct.pack("<f", x))[0]


def buchung(**kw):
    b = {"Name": "", "IBAN": "", "Mandatsreferenz": "", "Mandatsdatum": 0.0, "Sequenz": 0, "Betrag": 0.0,
         "Kundenreferenz": "", "Verwendungszweck": ""}
    b.update(kw)
    return b


def kopf(**kw):
    k = {"Kennung": KENNUNG, "Kontoschluessel": "", "Datum": 0.0, "Sequenz": 0, "Beschreibung": "",
         "Reserviert": bytes(76)}
    k.update(kw)
    return k


def liste(kopfdaten, buchungen):
    return {"Kopf": kopfdaten, "Buchungen": buchungen}


# short strings: (key, offset, capacity)
BUCHUNGSTEXTE = [("Name", 0, 35), ("IBAN", 36, 35), ("Mandatsreferenz", 72, 35), ("Kundenreferenz", 121, 35),
                 ("Verwendungszweck", 157, 140)]
KOPFTEXTE = [("Kennung", 0, 35), ("Kontoschluessel", 36, 35), ("Beschreibung", 157, 140)]
# the header's reserved parts, compared byte for byte
RESERVIERT = [(72, 108), (117, 121), (121, 157)]


def _kurztext(p, ofs, kap, text):
    b = text.encode("cp1252")
    assert len(b) <= kap, text
    p[ofs] = len(b)
    p[ofs + 1:ofs + 1 + len(b)] = b


def satz_bytes(werte, ist_kopf, rng=None):
    """One record; with rng the bytes after each text's end are noise."""
    p = bytearray(rng.randbytes(SATZ) if rng else SATZ)
    for feld, ofs, kap in (KOPFTEXTE if ist_kopf else BUCHUNGSTEXTE):
        _kurztext(p, ofs, kap, werte[feld])
    p[108:116] = struct.pack("<d", werte["Datum" if ist_kopf else "Mandatsdatum"])
    p[116] = werte["Sequenz"]
    if ist_kopf:
        rest = werte["Reserviert"]
        for von, bis in RESERVIERT:
            p[von:bis], rest = rest[:bis - von], rest[bis - von:]
    else:
        p[117:121] = struct.pack("<f", werte["Betrag"])
    return bytes(p)


def datei_bytes(lst, rng=None):
    return satz_bytes(lst["Kopf"], True, rng) + b"".join(satz_bytes(b, False, rng) for b in lst["Buchungen"])


def _lies_text(s, ofs, kap):
    n = s[ofs]
    if n > kap:
        return "<Längenbyte %d>" % n
    return z.text_aus_bytes(bytes(s[ofs + 1:ofs + 1 + n]))


def lies_liste(daten):
    if len(daten) < SATZ or len(daten) % SATZ:
        raise ValueError("Dateigröße %d ist kein Vielfaches von %d" % (len(daten), SATZ))
    saetze = [daten[i:i + SATZ] for i in range(0, len(daten), SATZ)]
    s = saetze[0]
    k = {f: _lies_text(s, o, c) for f, o, c in KOPFTEXTE}
    k.update(Datum=struct.unpack("<d", s[108:116])[0], Sequenz=s[116],
             Reserviert=b"".join(s[a:b] for a, b in RESERVIERT))
    bs = []
    for s in saetze[1:]:
        b = {f: _lies_text(s, o, c) for f, o, c in BUCHUNGSTEXTE}
        b.update(Mandatsdatum=struct.unpack("<d", s[108:116])[0], Sequenz=s[116],
                 Betrag=struct.unpack("<f", s[117:121])[0])
        bs.append(b)
    return liste(k, bs)


def _gleicher_wert(feld, soll, ist, fenster):
    if isinstance(soll, ZEITWERTE):
        return fenster is not None and fenster.passt(soll, ist)
    if feld == "Betrag":
        return struct.pack("<f", soll) == struct.pack("<f", ist)
    if feld in ("Datum", "Mandatsdatum"):
        return struct.pack("<d", soll) == struct.pack("<d", ist)
    return soll == ist


def unterschiede(soll, daten, fenster=None):
    """The differences between the model's list and a file's bytes, one line each."""
    try:
        ist = lies_liste(daten)
    except ValueError as x:
        return [str(x)]
    f = []
    for feld in ("Kennung", "Kontoschluessel", "Datum", "Sequenz", "Beschreibung", "Reserviert"):
        if not _gleicher_wert(feld, soll["Kopf"][feld], ist["Kopf"][feld], fenster):
            f.append("Kopf, %s: erwartet %r, ist %r" % (feld, soll["Kopf"][feld], ist["Kopf"][feld]))
    a, b = soll["Buchungen"], ist["Buchungen"]
    if len(a) != len(b):
        f.append("Anzahl der Buchungen: erwartet %d, ist %d" % (len(a), len(b)))
    for i, (x, y) in enumerate(zip(a, b), 1):
        for feld in x:
            if not _gleicher_wert(feld, x[feld], y[feld], fenster):
                f.append("Buchung %d, %s: erwartet %r, ist %r" % (i, feld, x[feld], y[feld]))
    return f


# ---------------------------------------------------------------------------
# Texts, numbers and dates as the window's fields show and read them

LEER = "".join(chr(c) for c in range(33))


def trim(s):
    return s.strip(LEER)


def rund(x):
    """Round half away from zero of an exact value."""
    x = Fraction(x)
    n = math.floor(abs(x) + Fraction(1, 2))
    return n if x >= 0 else -n


def cent(betrag):
    return rund(Fraction(betrag) * 100)


def betrag_text(betrag):
    c = cent(betrag)
    return ("-" if c < 0 else "") + "%d,%02d" % divmod(abs(c), 100)


def betrag_cent(text):
    """Cents of a typed amount, or the refusal."""
    m = re.fullmatch(r" *([+-]?)([0-9]+)(?:,([0-9]+))? *", text)
    if not m:
        raise Abgelehnt(BETRAG_UNGUELTIG)
    nach = m.group(3) or ""
    if nach[2:].strip("0"):
        raise Abgelehnt(BETRAG_STELLEN)
    c = int(m.group(2)) * 100 + int(nach[:2].ljust(2, "0"))
    if m.group(1) == "-":
        c = -c
    if c >= 13107200:
        raise Abgelehnt(betrag_gross(text))
    return c


def tag(t, m, j):
    return float((datetime.date(j, m, t) - NULLZEIT.date()).days)


def datum_text(wert):
    """The date a field shows: the whole day, empty for 0."""
    if isinstance(wert, (Jetzt, Heute)):
        return Heute()
    if wert == 0:
        return ""
    d = NULLZEIT.date() + datetime.timedelta(days=math.floor(wert))
    return "%02d.%02d.%04d" % (d.day, d.month, d.year)


def datum_wert(text):
    if isinstance(text, Heute):
        return text
    m = re.fullmatch(r"([0-9]{2})\.([0-9]{2})\.([0-9]{4})", text)
    try:
        if not m:
            raise ValueError
        return tag(int(m.group(1)), int(m.group(2)), int(m.group(3)))
    except ValueError:
        raise Abgelehnt(KEIN_DATUM % text) from None


def iban_gruppiert(iban):
    return " ".join(iban[i:i + 4] for i in range(0, len(iban), 4))


def _mod97(s):
    zahl = "".join(str(int(c, 36)) for c in s[4:] + s[:4])
    return int(zahl) % 97


def iban(land, bban, richtig=True):
    """An IBAN with correct (or, with richtig=False, wrong) check digits."""
    p = 98 - _mod97(land + "00" + bban)
    if not richtig:
        p = p % 97 + 2 if p < 97 else 2
    return "%s%02d%s" % (land, p, bban)


def iban_code(s):
    if not s:
        return 31
    if len(s) < 5 or len(s) > 34:
        return 32
    if not re.fullmatch(r"[A-Z]{2}[0-9]+", s):
        return 32
    return 0 if _mod97(s) == 1 else 33


# Bank codes the bank directory knows and one it does not (checked against
# the program's directory before the program runs)
BANKEN = {"37040044", "50010517", "70150000", "79050000", "10000000"}
KEINE_BANK_BLZ = "12345678"


def gross(s):
    return "".join(chr(ord(c) - 32) if "a" <= c <= "z" else c for c in s)


# Collation: a model of the German locale's order for the texts the tests
# sort (letters, umlauts, digits); anything else the model cannot order.
PRIMAER = "0123456789abcdefghijklmnopqrstuvwxyz"
UMLAUTE = {"ä": "a", "ö": "o", "ü": "u", "Ä": "A", "Ö": "O", "Ü": "U"}


class Mehrdeutig(Exception):
    """The order of a sort is not fixed by the model."""


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


# ---------------------------------------------------------------------------
# The model


class Abgelehnt(Exception):
    """A refusal with its message (an error, or a question answered No)."""

    def __init__(self, meldung, frage=False):
        super().__init__(meldung)
        self.meldung, self.frage = meldung, frage


class Ungueltig(Exception):
    """Input the run refuses without a fixed message."""


class Ergebnis:
    def __init__(self, modell, abbruch, fehler):
        self.abbruch, self.fehler = abbruch, fehler
        self.dateien = modell.dateien
        self.fehlend = modell.fehlend - set(modell.dateien)
        self.fragen, self.infos = modell.fragen, modell.infos
        self.ausgabe = None
        if fehler is None:
            bs = modell.liste["Buchungen"]
            self.ausgabe = {"Anzahl": len(bs), "Gesamtbetrag": sum(cent(b["Betrag"]) for b in bs),
                            "Gefunden": modell.gefunden}


class Modell:
    """The open list, the files written so far and the window's operations.
    The booking shown is no state here: every operation names its booking."""

    def __init__(self, pfad, lst, ja=False, verein=None):
        self.pfad = pfad
        self.dateien = {pfad: copy.deepcopy(lst)}
        self.ja = ja
        self.verein = verein
        self.gefunden, self.fragen, self.infos = [], [], []
        self.fehlend = set()       # targets refused: they must not appear

    @property
    def liste(self):
        return self.dateien[self.pfad]

    @property
    def buchungen(self):
        return self.liste["Buchungen"]

    def lauf(self, ops):
        for k, op in enumerate(ops):
            try:
                self.versuche(op)
            except (Abgelehnt, Ungueltig) as x:
                return Ergebnis(self, k, x)
        return Ergebnis(self, None, None)

    def versuche(self, op):
        """One operation; a refused one leaves the lists as they were (what it
        asked or said has been shown, and a refused target must not appear)."""
        stand = copy.deepcopy((self.dateien, self.pfad, self.gefunden))
        try:
            self.schritt(op)
        except (Abgelehnt, Ungueltig, Mehrdeutig):
            self.dateien, self.pfad, self.gefunden = stand
            raise

    def frage(self, text):
        self.fragen.append(text)
        return self.ja

    # -- operations

    def schritt(self, op):
        if not isinstance(op, dict) or not isinstance(op.get("op"), str):
            raise Ungueltig("keine Operation")
        name = op["op"]
        f = {"hinzufuegen": self.hinzufuegen, "aendern": self.aendern, "entfernen": self.entfernen,
             "sortieren": self.sortieren, "stammdaten": self.stammdaten, "mitglied": self.mitglied,
             "suchen": self.suchen, "speichern_unter": self.speichern_unter}.get(name)
        if f is None:
            raise Ungueltig("unbekannte Operation " + name)
        f(op)

    def nummer(self, op):
        nr = op.get("nr")
        if not isinstance(nr, int) or isinstance(nr, bool) or not 1 <= nr <= len(self.buchungen):
            raise Ungueltig("Buchungsnummer %r" % (nr,))
        return nr

    @staticmethod
    def text(op, schluessel):
        t = op.get(schluessel)
        if not isinstance(t, str):
            raise Ungueltig("%s fehlt" % schluessel)
        return t

    def hinzufuegen(self, op):
        self.buchungen.append(buchung(Mandatsdatum=Jetzt()))

    @staticmethod
    def getippt(op, felder):
        """The typed texts: a text longer than its field is refused."""
        for feld, laenge in felder:
            if feld in op:
                if not isinstance(op[feld], str):
                    raise Ungueltig(feld)
                if len(op[feld]) > laenge:
                    raise Abgelehnt(LANG % (feld, laenge))

    @staticmethod
    def zeichen_pruefen(texte, felder):
        for feld, _ in felder:
            t = texte[feld]
            if isinstance(t, str):
                for c in t:
                    try:
                        c.encode("cp1252")
                    except UnicodeEncodeError:
                        raise Abgelehnt(ZEICHEN % (c, ord(c), feld)) from None

    def aendern(self, op):
        nr = self.nummer(op)
        b = self.buchungen[nr - 1]
        texte = {"Kontoinhaber": b["Name"], "IBAN": iban_gruppiert(b["IBAN"]),
                 "Mandatsreferenz": b["Mandatsreferenz"], "Betrag": betrag_text(b["Betrag"]),
                 "Mandatsdatum": datum_text(b["Mandatsdatum"]), "Kundenreferenz": b["Kundenreferenz"],
                 "Verwendungszweck": b["Verwendungszweck"]}
        self.getippt(op, FELDER)
        texte.update({f: op[f] for f, _ in FELDER if f in op})
        self.speichern(nr, texte)

    def speichern(self, nr, t):
        self.zeichen_pruefen(t, FELDER)
        c = betrag_cent(t["Betrag"])
        if not trim(t["Kontoinhaber"]):
            raise Abgelehnt(KEIN_INHABER)
        self.iban_pruefen(t["IBAN"])
        mref = t["Mandatsreferenz"]
        neu = buchung(Name=trim(t["Kontoinhaber"])[:35], IBAN=t["IBAN"].replace(" ", "")[:35],
                      Mandatsreferenz=mref if isinstance(mref, Kennung) else mref.replace(" ", "")[:35],
                      Betrag=f32(c / 100),
                      Mandatsdatum=datum_wert(t["Mandatsdatum"]), Verwendungszweck=trim(t["Verwendungszweck"])[:140],
                      Kundenreferenz=trim(t["Kundenreferenz"])[:35], Sequenz=0)
        if c <= 0:
            raise Abgelehnt(NICHT_NULL)
        if not neu["Verwendungszweck"]:
            raise Abgelehnt(KEIN_ZWECK)
        self.buchungen[nr - 1] = neu

    def iban_pruefen(self, text):
        s = text.replace(" ", "")
        if not s:
            raise Abgelehnt(KEINE_BANK)
        if len(s) <= 4 or len(s) >= 35:
            raise Abgelehnt(IBAN_FORM)
        blz = s[4:12] if s.startswith("DE") else "00000000"
        if not re.fullmatch("[0-9]+", blz):
            raise Abgelehnt(BLZ_ZIFFERN)
        if blz != "00000000" and blz not in BANKEN:
            if not self.frage(BLZ_UNBEKANNT):
                raise Abgelehnt(BLZ_UNBEKANNT, frage=True)
            return
        code = iban_code(s)
        if code == 32:
            raise Abgelehnt(IBAN_FORM)
        if code == 33 and not self.frage(IBAN_FALSCH):
            raise Abgelehnt(IBAN_FALSCH, frage=True)

    def entfernen(self, op):
        nr = self.nummer(op)
        if len(self.buchungen) < 2:
            raise Abgelehnt(LETZTES)
        if self.frage(ENTFERNEN):
            del self.buchungen[nr - 1]

    @staticmethod
    def sortwert(b, k):
        if k == 6:
            return b["Betrag"]
        wert = b[{1: "Name", 2: "Verwendungszweck", 3: "Mandatsreferenz", 4: "Kundenreferenz", 5: "IBAN"}[k]]
        if isinstance(wert, Kennung):
            raise Mehrdeutig("Zeitwert")
        return kollation(wert[4:] if k == 5 else wert)

    def sortiert(self, k):
        bs = self.buchungen
        werte = [self.sortwert(b, k) for b in bs]
        folge = sorted(range(len(bs)), key=lambda j: werte[j])
        for a, b in zip(folge, folge[1:]):
            # equal keys may come in any order: only identical bookings may share one
            if werte[a] == werte[b] and bs[a] != bs[b]:
                raise Mehrdeutig("gleiche Schlüssel")
        return [bs[j] for j in folge]

    def sortieren(self, op):
        k = op.get("schluessel")
        if not isinstance(k, int) or isinstance(k, bool) or not 1 <= k <= 6:
            raise Ungueltig("Sortierschlüssel %r" % (k,))
        self.liste["Buchungen"] = self.sortiert(k)

    def stammdaten(self, op):
        k = self.liste["Kopf"]
        texte = {"Dateibeschreibung": k["Beschreibung"], "Abbuchungsdatum": datum_text(k["Datum"]),
                 "Kontoschluessel": k["Kontoschluessel"].upper()}
        self.getippt(op, STAMMFELDER)
        texte.update({f: op[f] for f, _ in STAMMFELDER if f in op})
        sequenz = op.get("Sequenz", 0 if k["Sequenz"] == 0 else 2)
        if sequenz not in (0, 2):
            raise Ungueltig("Sequenz %r" % (sequenz,))
        self.zeichen_pruefen(texte, STAMMFELDER)
        datum = datum_wert(texte["Abbuchungsdatum"])
        k.update(Beschreibung=trim(texte["Dateibeschreibung"])[:140], Datum=datum, Sequenz=sequenz,
                 Kontoschluessel=texte["Kontoschluessel"].upper().replace(" ", "")[:35])

    def mitglied(self, op):
        if self.verein is None:
            raise Ungueltig("ohne Mitgliederdatei")
        text = self.text(op, "nummer")
        if not re.fullmatch("[0-9]+", text):
            raise Abgelehnt(KEINE_NUMMER)
        m = next((m for m in self.verein["FMitglieder"] if m["FMitgliedsnummer"] == int(text)), None)
        if m is None:
            raise Abgelehnt(UNBEKANNTE_NUMMER)
        konto = m.get("FKonto")
        if konto is None:
            raise Abgelehnt(OHNE_KONTO % name_komplett(m))
        nummer = str(m["FMitgliedsnummer"]).rjust(len(self.verein.get("FZAQFormat", "")), "0")
        self.buchungen.append(buchung(Name=konto["FInhaber"][:35], IBAN=konto["FIBAN"][:35],
                                      Mandatsreferenz=Kennung(nummer + m["FVorname"][:1]), Mandatsdatum=Heute()))

    def suchen(self, op):
        text = self.text(op, "text")
        ab = op.get("ab")
        if not isinstance(ab, int) or isinstance(ab, bool):
            raise Ungueltig("ab fehlt")
        gefunden = suche(self.buchungen, text, ab)
        if not gefunden:
            self.infos.append(NICHTS_GEFUNDEN)
        self.gefunden.append(gefunden)

    def speichern_unter(self, op):
        ziel = self.text(op, "datei")
        if ziel.lower() == self.pfad.lower():
            self.fehlend.add(ziel)
            raise Abgelehnt(GEOEFFNET)
        self.dateien[ziel] = copy.deepcopy(self.liste)
        self.pfad = ziel


def suche(buchungen, text, ab):
    woerter = [gross(w) for w in text.split(" ")]
    for k in range(max(ab, 1), len(buchungen) + 1):
        if text == "":
            return k
        b = buchungen[k - 1]
        heuhaufen = gross((b["Name"] + b["IBAN"])[:70])
        if all(w and w in heuhaufen for w in woerter):
            return k
    return 0


def name_komplett(m):
    return (trim(m["FName"]) + ", " + trim(m.get("FTitel", "") + " " + m["FVorname"] + " "
                                               + m.get("FZusatz", "")))


# ---------------------------------------------------------------------------
# Lists to start from

I1 = "DE89370400440532013000"
I2 = iban("DE", "50010517" + "5407324924")
I3 = iban("DE", "70150000" + "0000987654")
I_AT = "AT611904300234573201"
I_FALSCH = iban("DE", "37040044" + "0532013000", richtig=False)
I_OHNE_BANK = iban("DE", KEINE_BANK_BLZ + "0000000001")


def eigene_liste():
    """A list the model writes: amounts that round on display, a fraction of
    a day, a date 0, a stored IBAN with wrong check digits, a recurring kind."""
    return liste(kopf(Kontoschluessel="haupt", Datum=46000.6, Sequenz=5, Beschreibung="Eigene Liste"), [
        buchung(Name="Adler, Anna", IBAN=I1, Mandatsreferenz="MAND-1", Mandatsdatum=41671.0, Sequenz=2,
                Betrag=10.0, Verwendungszweck="Beitrag 2025"),
        buchung(Name="Müller, Max", IBAN=I2, Mandatsreferenz="M 2", Mandatsdatum=45000.75, Betrag=0.125,
                Kundenreferenz="K1", Verwendungszweck="Zeile 1\r\nZeile 2"),
        buchung(Name="MUSTER, ANNA", IBAN=I_AT, Mandatsreferenz="MAND-3", Mandatsdatum=44000.0, Sequenz=2,
                Betrag=1.125, Kundenreferenz="KREF-3", Verwendungszweck="Spende"),
        buchung(Name="Zander, Zoe", IBAN="XXMUSTER77", Mandatsdatum=0.0, Betrag=-3.0),
        buchung(Name="Becker, Bernd", IBAN=I_FALSCH, Mandatsreferenz="MAND-5", Mandatsdatum=43000.5, Sequenz=2,
                Betrag=f32(2.675), Verwendungszweck="Beitrag"),
    ])


def eine_buchung():
    return liste(kopf(Kontoschluessel="JUG", Datum=46100.25, Sequenz=0, Beschreibung="Eine"), [
        buchung(Name="Adler, Anna", IBAN=I1, Mandatsreferenz="MAND-1", Mandatsdatum=41671.0, Sequenz=2,
                Betrag=10.0, Verwendungszweck="Beitrag")])


def leere_liste():
    return liste(kopf(Kontoschluessel="HAUPT", Datum=46003.5, Sequenz=2, Beschreibung="Leer"), [])


def sortierliste():
    """Five bookings whose order differs by every key, and differs between
    the German collation and a byte order."""
    namen = ["Zander", "berta", "Ärger", "Adler", "anna"]
    zwecke = ["c3", "A", "C2", "a1", "b"]
    referenzen = ["M9", "N", "m2", "M10", "M1"]
    kunden = ["ABD", "abc", "b", "ab", "Abc"]
    ibans = ["DE005000", "AT612000", "DE121000", "AT014000", "DE993000"]
    betraege = [10.0, 9.5, 100.0, -1.0, 0.25]
    return liste(kopf(Kontoschluessel="HAUPT", Datum=46003.5, Sequenz=2, Beschreibung="Sortierung"), [
        buchung(Name=n, IBAN=i, Mandatsreferenz=r, Mandatsdatum=45000.0, Betrag=b, Kundenreferenz=k,
                Verwendungszweck=v)
        for n, v, r, k, i, b in zip(namen, zwecke, referenzen, kunden, ibans, betraege)])


def centliste():
    """Amounts whose 32-bit float sum is not the sum of their cents."""
    bs = [buchung(Name="Großbetrag %d" % i, IBAN=I2, Mandatsdatum=45000.0, Betrag=f32(99999.99),
                  Verwendungszweck="Groß") for i in range(3)]
    bs += [buchung(Name="Kleinbetrag %d" % i, IBAN=I1, Mandatsdatum=45000.0, Betrag=f32(0.10),
                   Verwendungszweck="Zehn Cent") for i in range(1000)]
    return liste(kopf(Kontoschluessel="HAUPT", Datum=46003.5, Sequenz=2, Beschreibung="Cent"), bs)


def krumme_liste():
    """Amounts that are no whole cents: each rounds on its own."""
    return liste(kopf(Kontoschluessel="HAUPT", Datum=46003.5, Sequenz=2, Beschreibung="Krumm"), [
        buchung(Name="Krumm %d" % i, IBAN=I1, Mandatsdatum=45000.0, Betrag=b, Verwendungszweck="X")
        for i, b in enumerate([f32(0.004), f32(0.004), f32(0.004), 1.0, f32(0.006)], 1)])


def einzug_nachbau():
    """What `zaq-cli einzug` makes of the fee collection club (for the
    model's own tests; the program's tests start from the real file)."""
    zaq = e.verein()
    o = e.Orakel(zaq)
    bs, _, _, _ = o.einzug(e.RECHENDATUM, "HAUPT", True, zaq["FStammdaten"]["FZweckVorlage"])
    bs = sorted(bs, key=lambda b: b["Name"][0])
    return liste(kopf(Kontoschluessel="HAUPT", Datum=46370.52, Sequenz=2, Beschreibung="Mitgliedsbeiträge"),
                 [buchung(Name=b["Name"], IBAN=b["IBAN"], Mandatsreferenz=b["Mandatsreferenz"],
                          Mandatsdatum=float(b["Mandatsdatum"]), Sequenz=2, Betrag=f32(b["Betrag"] / 100),
                          Verwendungszweck=b["Verwendungszweck"]) for b in bs])


STARTLISTEN = {"eigen": eigene_liste, "eine": eine_buchung, "leer": leere_liste, "sortierung": sortierliste,
               "cent": centliste, "krumm": krumme_liste, "einzug": einzug_nachbau}

# ---------------------------------------------------------------------------
# Hand-written cases: the outcome the model must reach (checked without the
# program) and that the program must reach (checked against the model).
#
# soll: code (0, 1, or "≠0"), meldung (the refusal), anzahl, gesamt,
# gefunden, buchungen {nr: {field: value}}, namen (order of the names),
# kopf {field: value}; values of type Heute/Kennung stand for such a value.

FALLE = []


def fall(name, start, ops, soll, ja=False, verein=False):
    FALLE.append({"name": name, "start": start, "ops": ops, "soll": soll, "ja": ja, "verein": verein})


def aendern(nr, **felder):
    return dict(op="aendern", nr=nr, **felder)


# the amount as typed
for text, erwartet in [("12,5", 1250), (" 7 ", 700), ("1,2300", 123), ("+4,05", 405), ("131071,99", 13107199),
                       ("0,10000000", 10), ("007,01", 701), ("1,234", BETRAG_STELLEN), ("0,001", BETRAG_STELLEN),
                       ("131072,001", BETRAG_STELLEN), ("131072", betrag_gross("131072")), ("131072,00", betrag_gross("131072,00")),
                       ("abc", BETRAG_UNGUELTIG), ("12.50", BETRAG_UNGUELTIG), ("1.234,50", BETRAG_UNGUELTIG),
                       ("", BETRAG_UNGUELTIG), ("1 234", BETRAG_UNGUELTIG),
                       ("0", NICHT_NULL), ("0,000", NICHT_NULL), ("-3,00", NICHT_NULL),
                       ("12345678901", LANG % ("Betrag", 10))]:
    if isinstance(erwartet, int):
        fall("Betrag %r" % text, "eigen", [aendern(1, Betrag=text)],
             {"code": 0, "buchungen": {1: {"Betrag": f32(erwartet / 100), "Sequenz": 0}}})
    else:
        fall("Betrag %r" % text, "eigen", [aendern(1, Betrag=text)], {"code": 1, "meldung": erwartet})

fall("Betrag abc in der Liste des Einzugs", "einzug", [aendern(1, Betrag="abc")],
     {"code": 1, "meldung": BETRAG_UNGUELTIG})
fall("Speichern setzt die Sequenz des Einzugs auf 0", "einzug", [aendern(1), aendern(2, Kundenreferenz="K")],
     {"code": 0, "buchungen": {1: {"Sequenz": 0}, 2: {"Sequenz": 0, "Kundenreferenz": "K"}, 3: {"Sequenz": 2}}})
fall("Anzeige und Rückschreiben: gerundeter Betrag, ganzer Tag, Referenz ohne Leerzeichen", "eigen",
     [aendern(2), aendern(3)],
     {"code": 0, "gesamt": 1000 + 13 + 113 - 300 + 267,
      "buchungen": {2: {"Betrag": f32(0.13), "Mandatsdatum": 45000.0, "Mandatsreferenz": "M2", "Sequenz": 0,
                        "Kundenreferenz": "K1", "Verwendungszweck": "Zeile 1\r\nZeile 2"},
                    3: {"Betrag": f32(1.13), "IBAN": I_AT, "Sequenz": 0}}})
fall("Betrag 2,675 als Float zeigt 2,67", "eigen", [aendern(5)],
     {"code": 0, "buchungen": {5: {"Betrag": f32(2.67), "IBAN": I_FALSCH, "Mandatsdatum": 43000.0}}}, ja=True)
fall("gespeicherte falsche IBAN: abgelehnte Frage verhindert das Speichern", "eigen",
     [aendern(1, Kundenreferenz="VORHER"), aendern(5, Betrag="3")],
     {"code": 1, "meldung": IBAN_FALSCH, "buchungen": {1: {"Kundenreferenz": "VORHER"}, 5: {"Sequenz": 2}}})
fall("Mandatsdatum 0 zeigt nichts und ist kein Datum", "eigen",
     [aendern(4, Betrag="5", Verwendungszweck="X", IBAN=I1)], {"code": 1, "meldung": KEIN_DATUM % ""})
fall("Mandatsdatum wird ganzer Tag", "eigen", [aendern(4, Betrag="5", Verwendungszweck="X", IBAN=I1,
                                                    Mandatsdatum="29.02.2024")],
     {"code": 0, "buchungen": {4: {"Mandatsdatum": tag(29, 2, 2024), "Betrag": 5.0}}})
fall("Trimmen", "eigen", [aendern(1, Kontoinhaber=" \tAnna Adler \r\n", Mandatsreferenz=" AB 12 C ",
                                  Kundenreferenz="  K 1  ", Verwendungszweck="\r\n Text \r\n")],
     {"code": 0, "buchungen": {1: {"Name": "Anna Adler", "Mandatsreferenz": "AB12C", "Kundenreferenz": "K 1",
                                   "Verwendungszweck": "Text"}}})

# the order of the store's checks, on a new booking
GUT = {"Kontoinhaber": "Neu", "IBAN": iban_gruppiert(I1), "Betrag": "1", "Verwendungszweck": "Zweck"}
for name, felder, erwartet in [
        ("Betrag vor Inhaber", {"Betrag": "x", "Kontoinhaber": ""}, BETRAG_UNGUELTIG),
        ("leerer Inhaber", {}, KEIN_INHABER),
        ("Inhaber aus Leerraum", {"Kontoinhaber": " \t "}, KEIN_INHABER),
        ("leere IBAN", {"Kontoinhaber": "A"}, KEINE_BANK),
        ("IBAN aus Leerzeichen", {"Kontoinhaber": "A", "IBAN": "   "}, KEINE_BANK),
        ("IBAN vor Datum", {"Kontoinhaber": "A", "IBAN": "de89 3704 0044 0532 0130 00",
                            "Mandatsdatum": "31.02.2024"}, IBAN_FORM),
        ("Datum vor Betrag null", {"Kontoinhaber": "A", "IBAN": I1, "Mandatsdatum": "31.02.2024"},
         KEIN_DATUM % "31.02.2024"),
        ("Datum Text", {**GUT, "Mandatsdatum": "abc"}, KEIN_DATUM % "abc"),
        ("Datum leer", {**GUT, "Mandatsdatum": ""}, KEIN_DATUM % ""),
        ("Betrag null", {"Kontoinhaber": "A", "IBAN": I1}, NICHT_NULL),
        ("Betrag null vor Zweck", {"Kontoinhaber": "A", "IBAN": I1, "Betrag": "0,00"}, NICHT_NULL),
        ("kein Zweck", {"Kontoinhaber": "A", "IBAN": I1, "Betrag": "1"}, KEIN_ZWECK),
        ("Zweck aus Leerraum", {**GUT, "Verwendungszweck": " \r\n "}, KEIN_ZWECK),
        ("Zeichen vor Betrag, Felder der Reihe nach", {"Kundenreferenz": "ł", "Kontoinhaber": "Ω", "Betrag": "x"},
         ZEICHEN % ("Ω", 0x3A9, "Kontoinhaber")),
        ("Zeichen im Zweck", {**GUT, "Verwendungszweck": "a→b"}, ZEICHEN % ("→", 0x2192, "Verwendungszweck")),
        ("Zeichen: IBAN vor Mandatsdatum", {**GUT, "Mandatsdatum": "0ł.01.2020", "IBAN": "DE89Ω"},
         ZEICHEN % ("Ω", 0x3A9, "IBAN")),
        ("Zeichen in Mandatsreferenz", {**GUT, "Mandatsreferenz": "MAND-ł"},
         ZEICHEN % ("ł", 0x142, "Mandatsreferenz")),
        ("Zeichen im Betrag", {**GUT, "Betrag": "1٫5"}, ZEICHEN % ("٫", 0x66B, "Betrag")),
        ("Zeichen in Kundenreferenz", {**GUT, "Kundenreferenz": "ĳ"}, ZEICHEN % ("ĳ", 0x133, "Kundenreferenz")),
        ("Windows-1252 kennt €…Œ",
         {**GUT, "Kontoinhaber": "Œuvre € … Ærø ‰", "Verwendungszweck": "„Zweck“ – ok"}, None),
        ("alles gut", GUT, None)]:
    soll = {"code": 0, "anzahl": 1, "buchungen": {1: {"Mandatsdatum": Heute(), "Sequenz": 0}}} if erwartet is None \
        else {"code": 1, "meldung": erwartet, "anzahl": 1, "buchungen": {1: {"Name": "", "Betrag": 0.0}}}
    fall("Prüfreihenfolge: " + name, "leer", [{"op": "hinzufuegen"}, aendern(1, **felder)], soll)

# typing limits: at the limit stored, one more refused and not cut
for feld, laenge, gut, zu_lang in [
        ("Kontoinhaber", 35, "A" * 35, "A" * 36),
        ("IBAN", 42, I1[:4] + " " * 20 + I1[4:], I1[:4] + " " * 21 + I1[4:]),
        ("Mandatsreferenz", 35, "R" * 35, "R" * 36),
        ("Betrag", 10, "0000001,00", "00000001,00"),
        ("Mandatsdatum", 13, None, "01.02.20200000"),
        ("Kundenreferenz", 35, "K" * 35, "K" * 36),
        ("Verwendungszweck", 140, "V" * 140, "V" * 141),
        ("Verwendungszweck", 140, "V" * 69 + "\r\n" + "W" * 69, "V" * 70 + "\r\n" + "W" * 69)]:
    if gut is not None:
        fall("%s mit %d Zeichen" % (feld, len(gut)), "eine", [aendern(1, **{feld: gut})], {"code": 0})
    fall("%s mit %d Zeichen" % (feld, len(zu_lang)), "eine", [aendern(1, Kundenreferenz="A"),
                                                             aendern(1, **{feld: zu_lang})],
         {"code": 1, "meldung": LANG % (feld, laenge), "buchungen": {1: {"Kundenreferenz": "A"}}})

# the interactive IBAN check
for text, erwartet, ja in [
        (iban_gruppiert(I1), I1, False), (I3, I3, False), (" DE89 37040044 0532013000 ", I1, False),
        (iban_gruppiert(I_AT), I_AT, False), (iban("NO", "86011117947"), iban("NO", "86011117947"), False),
        (iban_gruppiert(I_FALSCH), IBAN_FALSCH, False), (iban_gruppiert(I_FALSCH), I_FALSCH, True),
        (iban("AT", "1904300234573201", False), IBAN_FALSCH, False),
        (iban("AT", "1904300234573201", False), iban("AT", "1904300234573201", False), True),
        (I_OHNE_BANK, BLZ_UNBEKANNT, False), (I_OHNE_BANK, I_OHNE_BANK, True),
        # the unknown bank code is the only question
        (iban("DE", KEINE_BANK_BLZ + "0000000001", False), iban("DE", KEINE_BANK_BLZ + "0000000001", False),
         True),
        ("de89 3704 0044 0532 0130 00", IBAN_FORM, True), ("DE8937040044053201300012345678901234", IBAN_FORM, True),
        ("DE8", IBAN_FORM, True), ("GB82WEST12345698765432", IBAN_FORM, True),
        ("DE89 ABCD 0044 0532 0130 00", BLZ_ZIFFERN, True)]:
    if erwartet in (IBAN_FALSCH, BLZ_UNBEKANNT, IBAN_FORM, BLZ_ZIFFERN):
        soll = {"code": 1, "meldung": erwartet, "buchungen": {1: {"IBAN": I1}}}
    else:
        soll = {"code": 0, "buchungen": {1: {"IBAN": erwartet}}}
    fall("IBAN %r%s" % (text, " --yes" if ja else ""), "eine", [aendern(1, IBAN=text)], soll, ja=ja)

fall("die einzige Buchung entfernen", "eine", [{"op": "entfernen", "nr": 1}],
     {"code": 1, "meldung": LETZTES, "anzahl": 1}, ja=True)
fall("abgelehntes Entfernen tut nichts, der Lauf geht weiter", "einzug",
     [{"op": "entfernen", "nr": 2}, aendern(1, Kundenreferenz="X")],
     {"code": 0, "buchungen": {1: {"Kundenreferenz": "X"}}})
fall("Entfernen mit --yes: die späteren rücken vor", "eigen",
     [{"op": "entfernen", "nr": 2}, {"op": "entfernen", "nr": 4}],
     {"code": 0, "anzahl": 3, "namen": ["Adler, Anna", "MUSTER, ANNA", "Zander, Zoe"]}, ja=True)
fall("Suchen", "eigen", [{"op": "suchen", "text": t, "ab": ab} for t, ab in [
    ("muster", 1), ("muster", 4), ("muster", 5), ("annaDE89", 1), ("müller", 1), ("MÜLLER", 1),
    ("anna  adler", 1), ("", 1), ("anna muster", 1), ("ANNA", 2), (" anna", 1), ("ANNA", 3), ("zoe xx", 1)]],
     {"code": 0, "gefunden": [3, 4, 0, 1, 2, 0, 0, 1, 3, 3, 0, 3, 4]})
fall("Speichern unter dem offenen Namen", "eigen", [aendern(1, Kundenreferenz="A"),
                                                   {"op": "speichern_unter", "datei": "<liste>"}],
     {"code": 1, "meldung": GEOEFFNET, "buchungen": {1: {"Kundenreferenz": "A"}}})
fall("Speichern unter dem offenen Namen in anderer Schreibung", "eigen",
     [{"op": "speichern_unter", "datei": "<LISTE>"}], {"code": 1, "meldung": GEOEFFNET})
fall("Speichern unter: die Kopie wird die offene Liste", "eigen",
     [aendern(1, Kundenreferenz="VOR"), {"op": "speichern_unter", "datei": "<neu.slv>"},
      aendern(1, Kundenreferenz="NACH"), {"op": "hinzufuegen"}, {"op": "speichern_unter", "datei": "<alt.slv>"},
      {"op": "entfernen", "nr": 1}, {"op": "speichern_unter", "datei": "<liste>"}, aendern(1, Betrag="x")],
     {"code": 1, "meldung": BETRAG_UNGUELTIG, "anzahl": 5}, ja=True)
fall("Stammdaten unverändert: ganzer Tag, Schlüssel groß, Sequenz 2", "eigen", [{"op": "stammdaten"}],
     {"code": 0, "kopf": {"Datum": 46000.0, "Kontoschluessel": "HAUPT", "Sequenz": 2,
                          "Beschreibung": "Eigene Liste"}})
fall("Stammdaten des Einzugs", "einzug", [{"op": "stammdaten"}], {"code": 0, "kopf": {"Sequenz": 2}})
fall("Stammdaten geändert", "einzug",
     [{"op": "stammdaten", "Dateibeschreibung": "  Herbst 2026  ", "Abbuchungsdatum": "15.01.2027", "Sequenz": 0,
       "Kontoschluessel": "ju g"}],
     {"code": 0, "kopf": {"Beschreibung": "Herbst 2026", "Datum": tag(15, 1, 2027), "Sequenz": 0,
                          "Kontoschluessel": "JUG"}})
fall("Stammdaten: Sequenz 2, Beschreibung mit 54 Zeichen", "eine",
     [{"op": "stammdaten", "Sequenz": 2, "Dateibeschreibung": "B" * 54, "Kontoschluessel": "äb"}],
     {"code": 0, "kopf": {"Sequenz": 2, "Beschreibung": "B" * 54, "Kontoschluessel": "ÄB", "Datum": 46100.0}})
for name, op, erwartet in [
        ("ungültiges Datum", {"Abbuchungsdatum": "31.13.2026"}, KEIN_DATUM % "31.13.2026"),
        ("leeres Datum", {"Abbuchungsdatum": ""}, KEIN_DATUM % ""),
        ("Beschreibung zu lang", {"Dateibeschreibung": "B" * 55}, LANG % ("Dateibeschreibung", 54)),
        ("Datum zu lang", {"Abbuchungsdatum": "01.01.20270000"}, LANG % ("Abbuchungsdatum", 13)),
        ("Schlüssel zu lang", {"Kontoschluessel": "ABCDEF"}, LANG % ("Kontoschluessel", 5)),
        ("Zeichen im Schlüssel", {"Kontoschluessel": "Łx", "Abbuchungsdatum": "x"},
         ZEICHEN % ("Ł", 0x141, "Kontoschluessel")),
        ("Zeichen in der Beschreibung", {"Dateibeschreibung": "Ωmega", "Kontoschluessel": "ł"},
         ZEICHEN % ("Ω", 0x3A9, "Dateibeschreibung"))]:
    fall("Stammdaten: " + name, "einzug", [{"op": "stammdaten", "Sequenz": 0, **op}],
         {"code": 1, "meldung": erwartet, "kopf": {"Sequenz": 2, "Kontoschluessel": "HAUPT"}})

fall("Mitglieder einfügen und vervollständigen", "eine",
     [{"op": "mitglied", "nummer": "1"}, {"op": "mitglied", "nummer": "26"}, {"op": "mitglied", "nummer": "0019"},
      aendern(2, Betrag="12,50", Verwendungszweck="Sonderbeitrag")],
     {"code": 0, "anzahl": 4,
      "buchungen": {2: {"Name": "Adler, Anna", "IBAN": z._iban("37040044", "0000000101"),
                        "Mandatsreferenz": Kennung("0001A"), "Mandatsdatum": Heute(), "Betrag": f32(12.5),
                        "Verwendungszweck": "Sonderbeitrag"},
                    3: {"Name": "Wolkenstein-Trostburg, Maximilian Alexander"[:35],
                        "Mandatsreferenz": Kennung("0026M"), "Betrag": 0.0, "Verwendungszweck": "",
                        "Sequenz": 0},
                    4: {"Name": "Müller, Max", "Mandatsreferenz": Kennung("0019M")}}}, verein=True)
for nummer, erwartet in [("abc", KEINE_NUMMER), ("12a", KEINE_NUMMER), ("", KEINE_NUMMER),
                         ("999", UNBEKANNTE_NUMMER), ("17", OHNE_KONTO % "Klein, Karl"),
                         ("2", OHNE_KONTO % "Adler, Ben")]:
    fall("Mitglied %r" % nummer, "eine", [{"op": "mitglied", "nummer": "1"}, {"op": "mitglied", "nummer": nummer}],
         {"code": 1, "meldung": erwartet, "anzahl": 2}, verein=True)
fall("Mitglied ohne Mitgliederdatei", "eine", [aendern(1, Kundenreferenz="A"), {"op": "mitglied", "nummer": "1"}],
     {"code": "≠0", "anzahl": 1, "buchungen": {1: {"Kundenreferenz": "A"}}})

for k, feld, folge in [
        (1, "Name", ["Adler", "anna", "Ärger", "berta", "Zander"]),
        (2, "Verwendungszweck", ["A", "a1", "b", "C2", "c3"]),
        (3, "Mandatsreferenz", ["M1", "M10", "m2", "M9", "N"]),
        (4, "Kundenreferenz", ["ab", "abc", "Abc", "ABD", "b"]),
        (5, "IBAN", ["DE121000", "AT612000", "DE993000", "AT014000", "DE005000"]),
        (6, "Betrag", [-1.0, 0.25, 9.5, 10.0, 100.0])]:
    fall("Sortieren nach %s" % feld, "sortierung", [{"op": "sortieren", "schluessel": k}],
         {"code": 0, "buchungen": {i: {feld: w} for i, w in enumerate(folge, 1)}})
fall("Sortieren, dann Ändern an der neuen Stelle", "sortierung",
     [{"op": "sortieren", "schluessel": 6}, aendern(1, IBAN=I1, Betrag="1", Mandatsreferenz="ERSTE"),
      {"op": "sortieren", "schluessel": 1}],
     {"code": 0, "buchungen": {1: {"Name": "Adler", "Mandatsreferenz": "ERSTE", "Betrag": 1.0}}})

fall("die erste Ablehnung beendet den Lauf", "eigen",
     [aendern(1, Kundenreferenz="A"), {"op": "hinzufuegen"}, aendern(2, Betrag="abc"), {"op": "hinzufuegen"}],
     {"code": 1, "meldung": BETRAG_UNGUELTIG, "anzahl": 6, "buchungen": {1: {"Kundenreferenz": "A"}}})
for op in [{"op": "gibtsnicht"}, {"op": "Aendern", "nr": 1}, {}, {"nr": 1}, {"op": "aendern", "nr": 0},
           {"op": "aendern", "nr": 6}, {"op": "aendern", "nr": -1},
           {"op": "entfernen", "nr": 6}, {"op": "aendern"}, {"op": "entfernen"}, {"op": "sortieren"},
           {"op": "suchen", "ab": 1}, {"op": "speichern_unter"}, {"op": "mitglied"}]:
    fall("ungültig: %s" % json.dumps(op), "eigen", [aendern(1, Kundenreferenz="A"), op],
         {"code": "≠0", "anzahl": 5, "buchungen": {1: {"Kundenreferenz": "A"}}}, ja=True, verein=True)
for op in [{"op": "aendern", "nr": 1}, {"op": "entfernen", "nr": 1}]:
    fall("ungültig in leerer Liste: %s" % json.dumps(op), "leer", [{"op": "stammdaten"}, op],
         {"code": "≠0", "anzahl": 0, "kopf": {"Datum": 46003.0}}, ja=True)

fall("Gesamtbetrag: die Cent, nicht die Float-Summe", "cent", [],
     {"code": 0, "anzahl": 1003, "gesamt": 1000 * 10 + 3 * 9999999})
fall("Gesamtbetrag nach Änderungen", "cent",
     [aendern(1, Betrag="99999,99"), aendern(4, Betrag="131071,99"), {"op": "hinzufuegen"},
      aendern(1004, Kontoinhaber="Neu", IBAN=I1, Betrag="0,01", Verwendungszweck="Z")],
     {"code": 0, "anzahl": 1004, "gesamt": 3 * 9999999 + 13107199 + 999 * 10 + 1})
fall("Gesamtbetrag rundet jede Buchung für sich", "krumm", [], {"code": 0, "gesamt": 100 + 1})
fall("Gesamtbetrag: halbe Cent weg von null", "eigen", [], {"code": 0, "gesamt": 1000 + 13 + 113 - 300 + 267})
fall("Hinzufügen in leerer Liste", "leer", [{"op": "hinzufuegen"}, {"op": "hinzufuegen"}],
     {"code": 0, "anzahl": 2, "gesamt": 0, "buchungen": {1: {"Name": "", "Betrag": 0.0, "Sequenz": 0}}})
fall("Hinzufügen, dann speichern mit dem heutigen Datum", "einzug",
     [{"op": "hinzufuegen"}, aendern(10, **GUT)], {"code": 0, "buchungen": {10: {"Mandatsdatum": Heute()}}})

# ---------------------------------------------------------------------------
# Random sequences


BUCHSTABEN = "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
REICHE_NAMEN = ["Müller, Änne", "O'Brien & Söhne", "Jean-Luc Œuvre", "Zoë … €uro", "Weiß, Jürgen",
                "dupont, marie", "Ærø Fjord ‰", "Núñez, José", "  Öztürk, Ümit ", "\tTab\t", "Émile\r\n"]
REICHE_ZWECKE = ["Beitrag 2026\r\n0001 Adler, Anna (Erwachsene)", "Spende „Jugend“ – danke",
                 "\r\n Zeile \r\n\r\n", "a\r\nb\r\nc", "Nachzahlung 3/12xMonat ", "€ 12,50"]


class Zufall:
    """Draws operations the model can follow; only the last may be refused."""

    def __init__(self, rng, modell, verzeichnis, verein):
        self.rng, self.m, self.dir, self.verein = rng, modell, verzeichnis, verein
        self.mit_konto = [m["FMitgliedsnummer"] for m in verein["FMitglieder"] if "FKonto" in m] if verein else []
        self.ohne_konto = [m["FMitgliedsnummer"] for m in verein["FMitglieder"]
                           if "FKonto" not in m] if verein else []

    def wort(self, a=3, b=10):
        return "".join(self.rng.choice(BUCHSTABEN) for _ in range(self.rng.randint(a, b)))

    def name(self):
        r = self.rng.random()
        if r < 0.65:
            return self.wort(3, 12) + (str(self.rng.randint(0, 99)) if self.rng.random() < 0.3 else "")
        if r < 0.75:
            return self.wort(35, 35)
        return self.rng.choice(REICHE_NAMEN)

    def iban(self):
        r = self.rng.random()
        if r < 0.12:
            i = iban("AT", "%016d" % self.rng.randrange(10 ** 16))
        elif r < 0.2 and self.m.ja:
            i = iban("DE", self.rng.choice(sorted(BANKEN)) + "%010d" % self.rng.randrange(10 ** 10), False)
        elif r < 0.24 and self.m.ja:
            i = iban("DE", KEINE_BANK_BLZ + "%010d" % self.rng.randrange(10 ** 10))
        else:
            i = iban("DE", self.rng.choice(sorted(BANKEN)) + "%010d" % self.rng.randrange(10 ** 10))
        form = self.rng.random()
        if form < 0.5:
            return iban_gruppiert(i)
        if form < 0.8:
            return i
        return " " + i[:6] + "  " + i[6:13] + " " + i[13:] + " "

    def betrag(self):
        c = self.rng.choice([self.rng.randint(1, 9999), self.rng.randint(1, 9999999), self.rng.randint(1, 13107199),
                             10, 13107199, 9999999])
        euro, rest = divmod(c, 100)
        form = self.rng.random()
        if form < 0.6 or rest % 10:
            text = "%d,%02d" % (euro, rest) if rest or form < 0.4 else "%d" % euro
        else:
            text = "%d,%d" % (euro, rest // 10)
        if len(text) < 10 and self.rng.random() < 0.1:
            text = self.rng.choice([" ", "+"]) + text
        return text

    def datum(self):
        d = datetime.date(1995, 1, 1) + datetime.timedelta(days=self.rng.randint(0, 13000))
        return d.strftime("%d.%m.%Y")

    def referenz(self):
        r = self.rng.random()
        if r < 0.6:
            return self.wort(2, 10) + str(self.rng.randint(0, 9999))
        if r < 0.75:
            return "MR " + self.wort(2, 5) + " " + str(self.rng.randint(0, 99))
        if r < 0.85:
            return "R" * 35
        return ""

    def kundenreferenz(self):
        r = self.rng.random()
        if r < 0.4:
            return ""
        if r < 0.8:
            return self.wort(2, 12)
        return self.rng.choice(["  K 1  ", "Kunde-Ä", "k" * 35, "x\ty"])

    def zweck(self):
        r = self.rng.random()
        if r < 0.6:
            return self.wort(3, 20)
        if r < 0.7:
            return self.wort(140, 140)
        return self.rng.choice(REICHE_ZWECKE)

    def felder(self, alle):
        werte = {"Kontoinhaber": self.name, "IBAN": self.iban, "Mandatsreferenz": self.referenz,
                 "Betrag": self.betrag, "Mandatsdatum": self.datum, "Kundenreferenz": self.kundenreferenz,
                 "Verwendungszweck": self.zweck}
        return {f: werte[f]() for f, _ in FELDER if alle or self.rng.random() < 0.4}

    def suchtext(self):
        n = len(self.m.buchungen)
        b = self.m.buchungen[self.rng.randrange(n)]
        h = (b["Name"] + b["IBAN"])[:70]
        r = self.rng.random()
        if r < 0.4 and h:
            a = self.rng.randrange(len(h))
            text = h[a:a + self.rng.randint(1, 8)]
        elif r < 0.7:
            text = " ".join(w for w in b["Name"].split(" ")[:2])
        else:
            text = self.wort(2, 4)
        if self.rng.random() < 0.5:
            text = text.lower()
        if not re.fullmatch(r"[^ \t\r\n]+( [^ \t\r\n]+)*", text):
            text = self.wort(1, 2)
        return text

    def stammdaten(self):
        op = {"op": "stammdaten"}
        if self.rng.random() < 0.5:
            op["Dateibeschreibung"] = self.rng.choice(["  " + self.wort(3, 20) + " ", "D" * 54, "Lauf Jänner",
                                                       self.wort(1, 5)])
        if self.rng.random() < 0.5:
            op["Abbuchungsdatum"] = self.datum()
        if self.rng.random() < 0.5:
            op["Sequenz"] = self.rng.choice([0, 2])
        if self.rng.random() < 0.5:
            op["Kontoschluessel"] = self.rng.choice(["haupt", "JuG", "a b", "K 1 2", "x"])
        return op

    def sortierbar(self):
        gut = []
        for k in range(1, 7):
            try:
                self.m.sortiert(k)
                gut.append(k)
            except Mehrdeutig:
                pass
        return gut

    def op(self, versuch):
        n = len(self.m.buchungen)
        arten = [("hinzufuegen", 6), ("stammdaten", 5), ("speichern_unter", 2)]
        if n:
            arten += [("aendern", 40), ("suchen", 12)]
        if n >= 2:
            arten += [("entfernen", 7), ("sortieren", 10)]
        if self.verein:
            arten.append(("mitglied", 6))
        art = self.rng.choices([a for a, _ in arten], [g for _, g in arten])[0]
        if art == "aendern":
            return dict(op="aendern", nr=self.rng.randint(1, n), **self.felder(versuch > 0))
        if art == "entfernen":
            return {"op": "entfernen", "nr": self.rng.randint(1, n)}
        if art == "sortieren":
            gut = self.sortierbar()
            return {"op": "sortieren", "schluessel": self.rng.choice(gut)} if gut else {"op": "hinzufuegen"}
        if art == "suchen":
            return {"op": "suchen", "text": self.suchtext(), "ab": self.rng.randint(1, n)}
        if art == "stammdaten":
            return self.stammdaten()
        if art == "mitglied":
            nr = self.rng.choice(self.mit_konto)
            return {"op": "mitglied", "nummer": ("00" if self.rng.random() < 0.2 else "") + str(nr)}
        if art == "speichern_unter":
            ziel = self.rng.choice(["kopie%d.slv" % self.rng.randint(1, 3), "alt.slv", "liste.slv"])
            return {"op": "speichern_unter", "datei": os.path.join(self.dir, ziel)}
        return {"op": art}

    def fehler(self):
        """An operation that is likely refused."""
        n = len(self.m.buchungen)
        nr = self.rng.randint(1, max(n, 1))
        feld, laenge = self.rng.choice(FELDER)
        arten = [
            lambda: aendern(nr, Betrag=self.rng.choice(["abc", "12.50", "1,234", "131072", "131072,00", "0",
                                                        "-1,00", ""])),
            lambda: aendern(nr, **{feld: "9" * (laenge + 1)}),
            lambda: aendern(nr, **{feld: "A" + self.rng.choice("łΩ→ĳ") + "1"}),
            lambda: aendern(nr, Kontoinhaber=" \t "),
            lambda: aendern(nr, IBAN=self.rng.choice(["", "de89 3704 0044 0532 0130 00", iban_gruppiert(I_FALSCH),
                                                      I_OHNE_BANK, "DE8937040044053201300012345678901234"])),
            lambda: aendern(nr, Mandatsdatum=self.rng.choice(["31.02.2023", "abc", "", "32.01.2020"])),
            lambda: aendern(nr, Verwendungszweck=" \r\n "),
            lambda: aendern(self.rng.choice([0, n + 1]), Betrag="1"),
            lambda: {"op": "entfernen", "nr": nr},
            lambda: {"op": "unbekannt"},
            lambda: {"op": "aendern"},
            lambda: {"op": "stammdaten", "Abbuchungsdatum": self.rng.choice(["31.13.2026", "x"])},
            lambda: {"op": "stammdaten", "Dateibeschreibung": "D" * 55},
            lambda: {"op": "stammdaten", "Kontoschluessel": "→"},
            lambda: {"op": "speichern_unter", "datei": self.m.pfad.upper()},
            lambda: {"op": "mitglied", "nummer": self.rng.choice(
                ["abc", "999"] + [str(x) for x in self.ohne_konto[:3]])},
        ]
        return self.rng.choice(arten)()

    def folge(self, laenge):
        ops = []
        for k in range(laenge):
            letzte = k == laenge - 1
            for versuch in range(30):
                op = self.fehler() if letzte and self.rng.random() < 0.7 else self.op(versuch)
                try:
                    self.m.versuche(op)
                except Mehrdeutig:
                    continue
                except (Abgelehnt, Ungueltig):
                    if letzte:
                        ops.append(op)
                        return ops
                    continue
                ops.append(op)
                break
        return ops


def zufallsliste(rng, n):
    """A list the model writes, with noise after every text."""
    zz = Zufall(rng, Modell("", leere_liste()), "", None)
    bs = []
    for _ in range(n):
        c = rng.choice([rng.randint(1, 99999), rng.randint(1, 13107199), 0, -rng.randint(1, 9999)])
        bs.append(buchung(Name=trim(zz.name()), IBAN=zz.iban().replace(" ", ""),
                          Mandatsreferenz=zz.referenz().replace(" ", ""),
                          Mandatsdatum=rng.choice([0.0, float(rng.randint(30000, 47000)),
                                                   rng.randint(30000, 47000) + rng.randint(1, 86399) / 86400]),
                          Sequenz=rng.choice([0, 2]), Betrag=f32(c / 100), Kundenreferenz=trim(zz.kundenreferenz()),
                          Verwendungszweck=trim(zz.zweck())))
    k = kopf(Kontoschluessel=rng.choice(["HAUPT", "jug", "", "a1"]),
             Datum=rng.randint(40000, 47000) + rng.randint(0, 86399) / 86400, Sequenz=rng.choice([0, 2, 1, 7]),
             Beschreibung=rng.choice(["", "Liste " + zz.wort(1, 20), "Ä" * 54]))
    return liste(k, bs)


# ---------------------------------------------------------------------------
# The model's own tests


class Modellpruefung(unittest.TestCase):
    """The model on examples whose outcome is known without it."""

    def test_iban(self):
        self.assertEqual(iban("DE", "370400440532013000"), I1)
        self.assertEqual(iban_code(I1), 0)
        self.assertEqual(iban_code(I_AT), 0)
        self.assertEqual(iban_code(I_FALSCH), 33)
        self.assertEqual(iban_code("NL91ABNA0417164300"), 32)
        self.assertEqual(iban_gruppiert(I1), "DE89 3704 0044 0532 0130 00")
        self.assertEqual(z._iban("37040044", "0532013000"), I1)

    def test_betrag(self):
        self.assertEqual(betrag_text(0.125), "0,13")
        self.assertEqual(betrag_text(f32(2.675)), "2,67")
        self.assertEqual(betrag_text(-3.0), "-3,00")
        self.assertEqual(betrag_text(0.0), "0,00")
        self.assertEqual(betrag_text(f32(131071.99)), "131071,99")
        self.assertEqual(betrag_cent(" 12,5 "), 1250)
        for c in (1, 10, 13107199, 9999999, 12345):
            self.assertEqual(cent(f32(c / 100)), c)

    def test_datum(self):
        self.assertEqual(tag(1, 1, 1900), 2.0)
        self.assertEqual(datum_text(45000.75), "15.03.2023")
        self.assertEqual(datum_wert("15.03.2023"), 45000.0)
        self.assertEqual(datum_text(0.0), "")

    def test_suchen(self):
        bs = eigene_liste()["Buchungen"]
        self.assertEqual(suche(bs, "muster", 1), 3)
        self.assertEqual(suche(bs, "muster", 4), 4)
        self.assertEqual(suche(bs, "muster", 5), 0)

    def test_sortieren(self):
        m = Modell("x", sortierliste())
        self.assertEqual([b["Name"] for b in m.sortiert(1)], ["Adler", "anna", "Ärger", "berta", "Zander"])
        self.assertEqual([b["IBAN"][:4] for b in m.sortiert(5)], ["DE12", "AT61", "DE99", "AT01", "DE00"])
        m = Modell("x", einzug_nachbau())
        self.assertRaises(Mehrdeutig, m.sortiert, 1)

    def test_datei(self):
        lst = eigene_liste()
        for rng in (None, random.Random(5)):
            daten = datei_bytes(lst, rng)
            self.assertEqual(len(daten), SATZ * 6)
            self.assertEqual(unterschiede(lst, daten), [])
        self.assertEqual(datei_bytes(leere_liste())[:19], b"\x12SEPA-LASTSCHRIFTEN")
        kurz = copy.deepcopy(lst)
        del kurz["Buchungen"][2]
        self.assertEqual(unterschiede(kurz, datei_bytes(lst)),
                         ["Anzahl der Buchungen: erwartet 4, ist 5"] +
                         ["Buchung 3, %s: erwartet %r, ist %r" % (f, lst["Buchungen"][3][f], lst["Buchungen"][2][f])
                          for f in lst["Buchungen"][2] if lst["Buchungen"][3][f] != lst["Buchungen"][2][f]] +
                         ["Buchung 4, %s: erwartet %r, ist %r" % (f, lst["Buchungen"][4][f], lst["Buchungen"][3][f])
                          for f in lst["Buchungen"][2] if lst["Buchungen"][4][f] != lst["Buchungen"][3][f]])

    def test_centliste_zeigt_den_unterschied(self):
        """The sums the fixtures are made for: a 32-bit float sum misses the
        cent sum, and rounding the sum misses rounding each amount."""
        summe = 0.0
        for b in centliste()["Buchungen"]:
            summe = f32(summe + b["Betrag"])
        self.assertNotEqual(cent(summe), 1000 * 10 + 3 * 9999999)
        self.assertNotEqual(rund(sum(Fraction(b["Betrag"]) for b in centliste()["Buchungen"]) * 100),
                            1000 * 10 + 3 * 9999999)
        krumm = krumme_liste()["Buchungen"]
        self.assertNotEqual(rund(sum(Fraction(b["Betrag"]) * 100 for b in krumm)), sum(cent(b["Betrag"])
                                                                                      for b in krumm))

    def test_zeitwerte(self):
        von = datetime.datetime(2026, 12, 11, 23, 59, 59, 500000)
        f = Fenster(von, von + datetime.timedelta(seconds=1))
        self.assertTrue(f.passt(Heute(), tag(11, 12, 2026)))
        self.assertTrue(f.passt(Heute(), tag(12, 12, 2026)))
        self.assertFalse(f.passt(Heute(), tag(13, 12, 2026)))
        self.assertTrue(f.passt(Kennung("0001A"), "0001A111226-235959"))
        self.assertFalse(f.passt(Kennung("0001A"), "0001A111226-235950"))
        self.assertTrue(f.passt(Jetzt(), Fenster.tage(von)))

    def test_handfaelle(self):
        """Each hand-written case comes out in the model as written down."""
        for fl in FALLE:
            with self.subTest(fall=fl["name"]):
                m = Modell("/x/liste.slv", STARTLISTEN[fl["start"]](), fl["ja"], e.verein() if fl["verein"] else None)
                erg = m.lauf(ersetze_pfade(fl["ops"], "/x"))
                self.assertEqual(soll_abweichungen(fl["soll"], erg, m), [])

    def test_zufallsfolgen_laufen(self):
        for seed in range(1, 4):
            rng = random.Random(seed)
            m = Modell("/x/liste.slv", zufallsliste(rng, 4), seed % 2 == 0, e.verein())
            ops = Zufall(rng, m, "/x", e.verein()).folge(30)
            self.assertGreater(len(ops), 20)
            self.assertEqual(len(ops), 30)


def ersetze_pfade(ops, verzeichnis):
    """"<name>" in a save-as op stands for a file of the case's folder;
    "<liste>" / "<LISTE>" for the open list's own name."""
    aus = []
    for op in ops:
        op = dict(op)
        d = op.get("datei")
        if isinstance(d, str) and d.startswith("<"):
            name = d[1:-1]
            if name == "liste":
                name = "liste.slv"
            elif name == "LISTE":
                op["datei"] = os.path.join(verzeichnis, "liste.slv").upper()
                aus.append(op)
                continue
            op["datei"] = os.path.join(verzeichnis, name)
        aus.append(op)
    return aus


def soll_abweichungen(soll, erg, m):
    f = []
    code = 0 if erg.fehler is None else (1 if isinstance(erg.fehler, Abgelehnt) else "≠0")
    if code != soll.get("code", 0):
        f.append("Ausgang %r statt %r (%r)" % (code, soll.get("code"), erg.fehler))
    if "meldung" in soll and getattr(erg.fehler, "meldung", None) != soll["meldung"]:
        f.append("Meldung %r statt %r" % (getattr(erg.fehler, "meldung", None), soll["meldung"]))
    bs = m.buchungen
    if "anzahl" in soll and len(bs) != soll["anzahl"]:
        f.append("Anzahl %d statt %d" % (len(bs), soll["anzahl"]))
    if "gesamt" in soll and erg.ausgabe and erg.ausgabe["Gesamtbetrag"] != soll["gesamt"]:
        f.append("Gesamtbetrag %r statt %r" % (erg.ausgabe["Gesamtbetrag"], soll["gesamt"]))
    if "gefunden" in soll and m.gefunden != soll["gefunden"]:
        f.append("Gefunden %r statt %r" % (m.gefunden, soll["gefunden"]))
    if "namen" in soll and [b["Name"] for b in bs] != soll["namen"]:
        f.append("Namen %r statt %r" % ([b["Name"] for b in bs], soll["namen"]))
    for nr, felder in soll.get("buchungen", {}).items():
        for feld, wert in felder.items():
            ist = bs[nr - 1][feld]
            if isinstance(wert, (Heute, Kennung)):
                gleich = type(ist) is type(wert) and getattr(ist, "anfang", None) == getattr(wert, "anfang", None)
            else:
                gleich = ist == wert
            if not gleich:
                f.append("Buchung %d, %s: %r statt %r" % (nr, feld, ist, wert))
    for feld, wert in soll.get("kopf", {}).items():
        if m.liste["Kopf"][feld] != wert:
            f.append("Kopf, %s: %r statt %r" % (feld, m.liste["Kopf"][feld], wert))
    return f


# ---------------------------------------------------------------------------
# The program


def hat_befehl():
    try:
        r = subprocess.run([CLI, "slv-edit", "--help"], capture_output=True)
    except OSError:
        return False
    return r.returncode == 0


def meldungen(stderr):
    return e.meldungen_aus(stderr.decode("utf-8", "replace"))


def passt_meldung(soll, text):
    if isinstance(soll, tuple):
        return text.startswith(soll[0]) and text.endswith(soll[1])
    return text == soll


def lies(pfad):
    with open(pfad, "rb") as f:
        return f.read()


class MitProgramm(unittest.TestCase):
    maxDiff = 8000

    @classmethod
    def setUpClass(cls):
        if not os.path.exists(CLI):
            raise AssertionError("zaq-cli fehlt: %s" % CLI)
        if not hat_befehl():
            raise unittest.SkipTest("zaq-cli kennt slv-edit noch nicht")
        for blz in sorted(BANKEN) + [KEINE_BANK_BLZ]:
            r = subprocess.run([CLI, "bank", blz], capture_output=True)
            assert (r.returncode == 0) == (blz in BANKEN), "Bankverzeichnis: %s %s" % (blz, r.returncode)
        cls.tmp = tempfile.TemporaryDirectory()
        cls.dir = cls.tmp.name
        cls.config = os.path.join(cls.dir, "config")
        os.makedirs(cls.config)
        cls.verein = e.verein()
        cls.zaq = os.path.join(cls.dir, "verein.zaq")
        with open(cls.zaq, "wb") as f:
            f.write(z.schreibe_datei(cls.verein, rng=random.Random(1)))
        cls.zaq_bytes = lies(cls.zaq)
        einzug = os.path.join(cls.dir, "einzug.slv")
        r = subprocess.run([CLI, "einzug", cls.zaq, einzug, "--konto", "HAUPT", "--date", "31.12.2025",
                            *e.ANMELDUNG, "--config", cls.config], capture_output=True)
        assert r.returncode == 0, r.stderr.decode("utf-8", "replace")
        cls.einzug_bytes = lies(einzug)
        cls.zaehler = 0

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def neuer_ordner(self):
        type(self).zaehler += 1
        d = os.path.join(self.dir, "fall%d" % self.zaehler)
        os.makedirs(d)
        return d

    def starte(self, pfad, eingabe, ja=False, verein=False):
        args = [CLI, "slv-edit", pfad]
        if verein:
            args += ["--zaq", self.zaq, *e.ANMELDUNG]
        if ja:
            args.append("--yes")
        von = datetime.datetime.now()
        r = subprocess.run(args + ["--config", self.config], input=eingabe, capture_output=True, timeout=60)
        bis = datetime.datetime.now()
        self.assertGreaterEqual(r.returncode, 0, "zaq-cli abgestürzt: %s" % r.stderr.decode("utf-8", "replace"))
        return r, Fenster(von, bis)

    def vergleiche(self, erg, r, fenster):
        """What differs between the run and the model's outcome."""
        f = []
        ms = meldungen(r.stderr)
        if erg.fehler is None:
            if r.returncode != 0:
                f.append("Ausgang %d statt 0: %s" % (r.returncode, ms))
            else:
                try:
                    ausgabe = json.loads(r.stdout.decode("utf-8"))
                except ValueError:
                    ausgabe = r.stdout
                if ausgabe != erg.ausgabe:
                    f.append("Ausgabe %r statt %r" % (ausgabe, erg.ausgabe))
        elif isinstance(erg.fehler, Abgelehnt):
            if r.returncode != 1:
                f.append("Ausgang %d statt 1 (Operation %d: %s)" % (r.returncode, erg.abbruch, erg.fehler.meldung))
            art = "Frage" if erg.fehler.frage else "Fehler"
            if not any(m.startswith(art + ": ") and passt_meldung(erg.fehler.meldung, m[len(art) + 2:])
                       for m in ms):
                f.append("Meldung von Operation %d fehlt: %s: %s; gemeldet: %s"
                         % (erg.abbruch, art, erg.fehler.meldung, ms))
        elif r.returncode == 0:
            f.append("Ausgang 0, erwartet eine Ablehnung von Operation %d (%s)" % (erg.abbruch, erg.fehler))
        fragen = [m[len("Frage: "):] for m in ms if m.startswith("Frage: ")]
        if len(fragen) != len(erg.fragen) or not all(passt_meldung(a, b) for a, b in zip(erg.fragen, fragen)):
            f.append("Fragen %r statt %r" % (fragen, erg.fragen))
        texte = [m.split(": ", 1)[-1] for m in ms]
        if erg.infos and texte.count(NICHTS_GEFUNDEN) != len(erg.infos):
            f.append("%d× %r statt %d×" % (texte.count(NICHTS_GEFUNDEN), NICHTS_GEFUNDEN, len(erg.infos)))
        for pfad, lst in sorted(erg.dateien.items()):
            if not os.path.exists(pfad):
                f.append("%s fehlt" % os.path.basename(pfad))
            else:
                f += ["%s: %s" % (os.path.basename(pfad), u) for u in unterschiede(lst, lies(pfad), fenster)]
        for pfad in erg.fehlend:
            if os.path.exists(pfad):
                f.append("%s angelegt" % os.path.basename(pfad))
        return f

    def fuehre_aus(self, start_bytes, ops, ja=False, verein=False, ascii_json=False, ordner=None):
        """Runs the ops on a fresh copy of the list in its own folder, where
        a file "alt.slv" stands in the way of a save-as; (differences, model
        outcome, run, path of the list)."""
        d = ordner or self.neuer_ordner()
        for name in os.listdir(d):
            os.remove(os.path.join(d, name))
        pfad = os.path.join(d, "liste.slv")
        with open(pfad, "wb") as f:
            f.write(start_bytes)
        with open(os.path.join(d, "alt.slv"), "wb") as f:
            f.write(b"alt")
        ops = ersetze_pfade(ops, d)
        m = Modell(pfad, lies_liste(start_bytes), ja, self.verein if verein else None)
        erg = m.lauf(ops)
        eingabe = json.dumps(ops, ensure_ascii=ascii_json).encode("utf-8")
        r, fenster = self.starte(pfad, eingabe, ja, verein)
        f = self.vergleiche(erg, r, fenster)
        if verein and lies(self.zaq) != self.zaq_bytes:
            f.append("Mitgliederdatei verändert")
        return f, erg, r, pfad

    def start(self, name, rng=None):
        if name == "einzug":
            return self.einzug_bytes
        return datei_bytes(STARTLISTEN[name](), rng)


class Oeffnen(MitProgramm):
    """A missing file and a file that is not a booking list."""

    def test_fehlende_datei(self):
        pfad = os.path.join(self.neuer_ordner(), "fehlt.slv")
        r, _ = self.starte(pfad, b"[]")
        self.assertEqual(r.returncode, 1)
        self.assertIn("Fehler: " + FEHLT_DATEI % pfad, meldungen(r.stderr))
        self.assertFalse(os.path.exists(pfad))

    def test_keine_liste(self):
        gut = datei_bytes(eine_buchung())
        for name, daten in [("Kennung klein", b"\x12sepa-lastschriften" + gut[19:]),
                            ("Länge 17", b"\x11" + gut[1:]),
                            ("Länge 19", b"\x13SEPA-LASTSCHRIFTENX" + gut[20:]),
                            ("Mitgliederdatei", self.zaq_bytes),
                            ("Text", "Kontoinhaber;IBAN\r\nAnna;DE89\r\n".encode("cp1252") * 20)]:
            with self.subTest(datei=name):
                pfad = os.path.join(self.neuer_ordner(), "liste.slv")
                with open(pfad, "wb") as f:
                    f.write(daten)
                r, _ = self.starte(pfad, b'[{"op": "hinzufuegen"}]', ja=True)
                self.assertEqual(r.returncode, 1, meldungen(r.stderr))
                self.assertIn("Fehler: " + KEINE_LISTE, meldungen(r.stderr))
                self.assertEqual(lies(pfad), daten)

    def test_kein_json(self):
        gut = datei_bytes(eigene_liste(), random.Random(3))
        for eingabe in [b"", b"[", b"{}", b"null", b'"hinzufuegen"', b"[1]", b'[{"op": "hinzufuegen"}, 5]',
                        b'[{"op": "hinzufuegen"}] x', b'[{"op": "hinzufuegen"}, ["entfernen"]]',
                        b"\xff\xfe[]", b'[{"op": "hinzufuegen",}]']:
            with self.subTest(eingabe=eingabe):
                pfad = os.path.join(self.neuer_ordner(), "liste.slv")
                with open(pfad, "wb") as f:
                    f.write(gut)
                r, _ = self.starte(pfad, eingabe, ja=True)
                self.assertNotEqual(r.returncode, 0, r.stdout)
                self.assertEqual(lies(pfad), gut)

    def test_leere_folge_aendert_nichts(self):
        gut = datei_bytes(eigene_liste(), random.Random(4))
        pfad = os.path.join(self.neuer_ordner(), "liste.slv")
        with open(pfad, "wb") as f:
            f.write(gut)
        r, _ = self.starte(pfad, b"[]")
        self.assertEqual(r.returncode, 0, meldungen(r.stderr))
        self.assertEqual(json.loads(r.stdout), {"Anzahl": 5, "Gesamtbetrag": 1093, "Gefunden": []})
        self.assertEqual(unterschiede(eigene_liste(), lies(pfad)), [])


class Handfaelle(MitProgramm):
    """The hand-written cases against the model."""

    def test_faelle(self):
        for k, fl in enumerate(FALLE):
            with self.subTest(fall=fl["name"]):
                f, erg, r, _ = self.fuehre_aus(self.start(fl["start"], random.Random(k)), fl["ops"], fl["ja"],
                                               fl["verein"], ascii_json=k % 2 == 1)
                self.assertEqual(f, [], "Operationen: %s\nMeldungen: %s"
                                 % (json.dumps(fl["ops"], ensure_ascii=False), meldungen(r.stderr)))

    def test_neue_buchung_ist_null_bis_auf_das_datum(self):
        for start in ("leer", "eigen"):
            with self.subTest(start=start):
                daten = self.start(start, random.Random(8))
                f, erg, r, pfad = self.fuehre_aus(daten, [{"op": "hinzufuegen"}])
                self.assertEqual(f, [])
                neu = lies(pfad)
                self.assertEqual(len(neu), len(daten) + SATZ)
                satz = neu[-SATZ:]
                self.assertEqual(satz[:108] + satz[116:], bytes(SATZ - 8))

    def test_entfernen_kuerzt_die_datei(self):
        daten = self.start("einzug")
        f, erg, r, pfad = self.fuehre_aus(daten, [{"op": "entfernen", "nr": 2}], ja=True)
        self.assertEqual(f, [])
        neu = lies(pfad)
        self.assertEqual(len(neu), len(daten) - SATZ)
        self.assertEqual(neu[:2 * SATZ], daten[:2 * SATZ])
        self.assertEqual(neu[2 * SATZ:], daten[3 * SATZ:])


class Zufallsfolgen(MitProgramm):
    """Random operation sequences against the model; a failing sequence is
    cut to its shortest failing start for the report."""

    def test_folgen(self):
        for seed in range(1, 17):
            with self.subTest(seed=seed):
                rng = random.Random(seed)
                d = self.neuer_ordner()
                start = ["einzug", "zufall", "zufall", "leer"][seed % 4]
                daten = datei_bytes(zufallsliste(rng, rng.randint(1, 8)), rng) if start == "zufall" \
                    else self.start(start, rng)
                ja, verein = seed % 3 != 0, seed % 2 == 0
                m = Modell(os.path.join(d, "liste.slv"), lies_liste(daten), ja, self.verein if verein else None)
                ops = Zufall(rng, m, d, self.verein if verein else None).folge(rng.randint(20, 40))
                f, erg, r, _ = self.fuehre_aus(daten, ops, ja, verein, ascii_json=seed % 2 == 0, ordner=d)
                if f:
                    # the shortest start of the sequence that already fails
                    for n in range(1, len(ops) + 1):
                        g, _, r2, _ = self.fuehre_aus(daten, ops[:n], ja, verein, ordner=d)
                        if g:
                            f, r = g, r2
                            break
                    self.fail("Seed %d (%s, %s), nach %d Operationen:\n%s\nOperationen: %s\nMeldungen: %s"
                              % (seed, start, "--yes" if ja else "ohne --yes", n, "\n".join(f[:20]),
                                 json.dumps(ops[:n], ensure_ascii=False), meldungen(r.stderr)))


if __name__ == "__main__":
    unittest.main()
