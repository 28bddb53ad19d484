"""The fee collection run of zaq-cli against an independent computation.

A club is written with the independent implementation of the member file
(zaqformat.py); `zaq-cli einzug` turns it into a SEPA booking list, which is
read back with `zaq-cli slv-dump` and compared booking by booking with the
fees computed here from the member data: amounts, names, IBANs, mandates,
purposes, the list header and the order by name.  Every list is exported with
`zaq-cli sepa-xml` in the three schemas and validated with xmllint against the
official XSD.  A real run must set exactly the preliminary pay dates and
first-debit dates of the members it charged, and after those dates are taken
over a second run charges nothing.  Run with the path of zaq-cli in ZAQ_CLI."""

import copy
import datetime
import json
import math
import os
import random
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ET

HIER = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HIER)
import zaqformat as z  # noqa: E402

CLI = os.environ.get("ZAQ_CLI", os.path.join(HIER, "..", "..", "build", "release", "bin", "zaq-cli"))
XSD = os.path.join(HIER, "..", "..", "data", "sepa")
SCHEMATA = ("pain.008.001.08", "pain.008.001.02", "pain.008.003.02")

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


def heute():
    return (datetime.date.today() - NULLTAG).days


def naechstes_jahresende():
    h = datetime.date.today()
    return tag(31, 12, h.year + (1 if h.month > 6 else 0))


def volle_jahre(von, bis):
    a, b = als_datum(von), als_datum(bis)
    if b.year <= a.year:
        return 0
    return b.year - a.year - (1 if (b.month, b.day) < (a.month, a.day) else 0)


def monate(von, bis):
    if bis < von:
        return -1
    a, b = als_datum(von), als_datum(bis)
    m = (b.year - a.year) * 12 + b.month - a.month
    return m - 1 if b.day < a.day else m


def tage_ohne_schalttag(von, bis):
    return sum(1 for n in range(von, bis) if (als_datum(n).month, als_datum(n).day) != (2, 29))


def f32(x):
    """The value a fee class amount has after the 4-byte float of the file."""
    return struct.unpack("<f", struct.pack("<f", x))[0]


# ---------------------------------------------------------------------------
# Texts

def ersetze_platzhalter(text, von, bis):
    a, b = als_datum(von), als_datum(bis)
    if a.year == b.year:
        jahre = "%04d" % a.year
    elif b.year == a.year + 1:
        jahre = "%04d+%02d" % (a.year, b.year % 100)
    else:
        jahre = "%04d-%02d" % (a.year, b.year % 100)
    werte = [("%Jahre%", jahre),
             ("%JahrVon2%", "%02d" % (a.year % 100)), ("%JahrVon4%", "%04d" % a.year),
             ("%JahrBis2%", "%02d" % (b.year % 100)), ("%JahrBis4%", "%04d" % b.year),
             ("%DatVon4%", "%02d/%02d" % (a.month, a.year % 100)),
             ("%DatVon6%", "%02d.%02d.%02d" % (a.day, a.month, a.year % 100)),
             ("%DatVon8%", "%02d.%02d.%04d" % (a.day, a.month, a.year)),
             ("%DatBis4%", "%02d/%02d" % (b.month, b.year % 100)),
             ("%DatBis6%", "%02d.%02d.%02d" % (b.day, b.month, b.year % 100)),
             ("%DatBis8%", "%02d.%02d.%04d" % (b.day, b.month, b.year))]
    for platzhalter, wert in werte:
        i = text.lower().find(platzhalter.lower())
        if i >= 0:
            text = text[:i] + wert + text[i + len(platzhalter):]
    return text


def kurz_name(m, k):
    name, vorname = m["FName"], m["FVorname"]
    if k == 0:
        teil = name
    elif len(name) - k < 3:
        teil = name[:1] + "."
        k = k + 2 - len(name)
    else:
        teil = name[:len(name) - k - 1] + "-"
        k = 0
    if k == 0:
        vteil = vorname
    elif len(vorname) - k < 3:
        vteil = vorname[:1] + "."
    else:
        vteil = vorname[:len(vorname) - k - 1] + "-"
    return (teil + ", " + vteil + " " + m.get("FZusatz", "")).strip()


def anhaengen(text, eintrag, trenner):
    text = text.strip(" \t\r\n")
    return eintrag if not text else text + trenner + eintrag


AKZENTE = dict(zip("ÁáÉéÍíÓóÚúÝýÀàÈèÌìÒòÙùÂâÊêÎîÔôÛû", "AaEeIiOoUuYyAaEeIiOoUuAaEeIiOoUu"))


def ohne_akzente(text):
    return "".join(AKZENTE.get(c, c) for c in text)


SEPA_ERSATZ = {"Ä": "A", "Ö": "O", "Ü": "U", "ä": "a", "ö": "o", "ü": "u", "ß": "s",
               "$": ".", "%": ".", "*": ".", "&": "+"}
SEPA_ERLAUBT = set("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 '()+,-./:?")
SEPA_ERWEITERT = set("$%&*ÄÖÜßäöü")


def sepa_text(text, laenge):
    """The text as the export writes it (extended characters allowed)."""
    aus = "".join(c if c in SEPA_ERLAUBT or c in SEPA_ERWEITERT else SEPA_ERSATZ.get(c, " ")
                  for c in text)
    return aus[:laenge]


# ---------------------------------------------------------------------------
# The fees and bookings of a club, computed from its member data

FLAG_TEXTE = [(0x02, "keine Beitragsklasse angegeben"), (0x04, "Falsche Beitragsklasse"),
              (0x08, "Fehler in Beitragsklasse"), (0x10, "Falsche oder keine Zahlart"),
              (0x20, "Verweis auf Zahler fehlt"), (0x40, "Zahler existiert nicht"),
              (0x80, "Zahler nicht selbstzahlend"), (0x100, "Mitglied hat kein Konto."),
              (0x200, "Fehlende Bankverbindung (d.h. IBAN)"), (0x400, "Fehlende Mandatsreferenz"),
              (0x800, "Fehlendes Mandatsdatum"), (0x1000, "Kein Empfängerkontoschlüssel"),
              (0x2000, "Ungültiger Empfängerkontoschlüssel")]
FAMILIEN_TEXTE = [(1, "Beinhaltet fehlerhafte Zahlung"),
                  (2, "Falsche Erwachsenenzahl im Familienbeitrag"),
                  (4, "Zu viele Erwachsene im Familienbeitrag")]


class Orakel:
    def __init__(self, zaq):
        self.zaq = zaq
        self.sd = zaq["FStammdaten"]
        assert self.sd["FBeitragsberechnung"] == 3
        self.stichtag = self.sd["FBeitragsdatum3"]
        self.mitglieder = zaq["FMitglieder"]
        self.format = zaq.get("FZAQFormat", "000")
        self.nullbetrag = zaq.get("FNullbetragMelden", True)

    def nummer(self, m):
        return str(m["FMitgliedsnummer"]).rjust(len(self.format), "0")

    def klasse(self, schluessel):
        if not schluessel.strip():
            return None
        return next((k for k in self.sd.get("FBtrKlassen", []) if k["FSchluessel"] == schluessel), None)

    def vereinskonto(self, schluessel):
        if not schluessel.strip():
            return None
        return next((k for k in self.sd.get("FVereinskonten", []) if k["FKontoSchluessel"] == schluessel),
                    None)

    def zahler(self, m):
        v = m.get("FZahler")
        if not v:
            return None
        return next((x for x in self.mitglieder if x["FMitgliedsnummer"] == v.get("FNummer")
                     and x["FGeburtsdatum"] == v.get("FGeburtsdatum")), None)

    def alter(self, m):
        return volle_jahre(m["FGeburtsdatum"], self.stichtag)

    def beitrag(self, k, m, datum, ganzes_jahr):
        """(amount in euro, -1 when it cannot be computed; purpose part)."""
        a, teil = -1.0, ""
        stufen = k.get("FAltKlassen", [])
        if k.get("FFamilienbeitrag"):
            if not stufen:
                return -1.0, ""
            c = stufen[0]
            if m.get("FZahler"):
                if self.zahler(m) is None:
                    return -1.0, ""
                a = 0.0
                teil = ("0x" if k.get("FFaktorText") else "") + c["FVerwendungszweck"]
            else:
                a, teil = f32(c["FBetrag"]), c["FVerwendungszweck"]
        else:
            c = next((s for s in stufen if s["FAlterBis"] >= self.alter(m)), None)
            if c is not None:
                a, teil = f32(c["FBetrag"]), c["FVerwendungszweck"]
        modus = k.get("FTeilberechnung", 0)
        if not ganzes_jahr and datum > 0 and a >= 0 and modus != 0:
            bezahlt = m["FBezahltBis"]
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
                if f != 1 and k.get("FFaktorText"):
                    # whole years are whole numbers, so "0.##" shows no decimals
                    teil = ("%d/12x" % round(f * 12) if modus <= 11 else "%dx" % f) + teil
        return a, teil

    def pruefe(self, m):
        """Flags of the member's fee data."""
        f = 0
        schluessel = m.get("FBeitragsschluessel", "")
        k = self.klasse(schluessel)
        if not schluessel.strip():
            f |= 0x02
        elif k is None:
            f |= 0x04
        elif self.beitrag(k, m, 0, True)[0] < 0:
            f |= 0x08
        art = m.get("FZahlart", 1)
        if art > 2:
            f |= 0x10
        if art == 2:
            if not m.get("FZahler"):
                f |= 0x20
            elif self.zahler(m) is None:
                f |= 0x40
            elif self.zahler(m).get("FZahlart", 1) == 2:
                f |= 0x80
        if art == 1:
            konto = m.get("FKonto")
            if konto is None:
                f |= 0x100
            else:
                if not konto.get("FIBAN", "").strip():
                    f |= 0x200
                if not konto.get("FMandatsreferenz", "").strip():
                    f |= 0x400
                if not konto.get("FMandatsdatum", 0):
                    f |= 0x800
                if not konto.get("FEmpfaengerKonto", "").strip():
                    f |= 0x1000
                elif self.vereinskonto(konto["FEmpfaengerKonto"]) is None:
                    f |= 0x2000
        return f

    def zahlt_fuer(self, p, nur_selektierte):
        if p.get("FZahlart", 1) == 2:
            return []
        liste = []
        for x in self.mitglieder:
            v = x.get("FZahler")
            if x is p or (v and v.get("FNummer") == p["FMitgliedsnummer"]
                          and v.get("FGeburtsdatum") == p["FGeburtsdatum"]):
                if not nur_selektierte or x.get("FSelektiert"):
                    liste.append(x)
        return liste

    def pruefe_familie(self, liste, zahler=None):
        g, zaehler = 0, {}
        for x in liste:
            f = self.pruefe(x)
            # The payer's own account findings keep it out of the payers but
            # do not make the family's payment faulty: its fee still counts.
            if x is zahler:
                f &= 0x02 | 0x04 | 0x08
            if f:
                g |= 1
                continue
            k = self.klasse(x["FBeitragsschluessel"])
            if k.get("FFamilienbeitrag"):
                zaehler.setdefault(k["FSchluessel"], [k, 0])
                if self.alter(x) >= k.get("FFamilienAlter", 18):
                    zaehler[k["FSchluessel"]][1] += 1
        if not g & 1:
            for k, n in zaehler.values():
                if k.get("FFamilienIst", 0) and k["FFamilienIst"] != n:
                    g |= 2
                if k.get("FFamilienMax", 0) and k["FFamilienMax"] < n:
                    g |= 4
        return g

    def verwendungszweck(self, liste, datum, vorlage, trenner, laenge, ganzes_jahr):
        betrag, text, von = 0.0, "", datum
        for x in liste:
            a, teil = self.beitrag(self.klasse(x["FBeitragsschluessel"]), x, datum, ganzes_jahr)
            betrag += max(a, 0.0)
            text = anhaengen(text, "%s %s (%s)" % (self.nummer(x), kurz_name(x, 0), teil), trenner)
            if not ganzes_jahr and x["FBezahltBis"] + 1 < von:
                von = x["FBezahltBis"] + 1
        n = len(text)
        if vorlage:
            text = ersetze_platzhalter(vorlage, von, datum)
            n += len(text) + 2
        else:
            text = ""
        k = math.ceil((n - laenge) / len(liste)) if 0 < laenge < n else 0
        for x in liste:
            a, teil = self.beitrag(self.klasse(x["FBeitragsschluessel"]), x, datum, ganzes_jahr)
            if a < 0:
                teil = "Fehler"
            text = anhaengen(text, "%s %s (%s)" % (self.nummer(x), kurz_name(x, k), teil), trenner)
        return text, betrag

    def lauf(self, datum, ganzes_jahr, nur_selektierte):
        """The payers to be charged, in member order, and the findings
        [(number, text)] of the fee run a collection makes."""
        zahler, hinweise = [], []
        for m in self.mitglieder:
            texte, f, g, q = [], 0, 0, 0.0
            if not nur_selektierte or m.get("FSelektiert"):
                f = self.pruefe(m)
                texte += [t for b, t in FLAG_TEXTE if f & b]
            art = m.get("FZahlart", 1)
            if art == 1:
                liste = self.zahlt_fuer(m, nur_selektierte)
                if liste:
                    g = self.pruefe_familie(liste, m)
                    texte += [t for b, t in FAMILIEN_TEXTE if g & b]
                    if g == 0:
                        auflistung, q = self.verwendungszweck(liste, datum, "", "; ", 0, ganzes_jahr)
                        if q == 0 and self.nullbetrag:
                            texte.append("Zahler-Nullbetrag")
                        if q > 0:
                            texte.append(auflistung)
                    if f == 0 and g == 0:
                        zahler.append(m)
                elif self.nullbetrag and (not nur_selektierte or m.get("FSelektiert")):
                    texte.append("Nullbetrag trotz Zahler")
            # A member outside the selection that pays for nobody selected is
            # no part of a run over the selected members.
            teil = not nur_selektierte or m.get("FSelektiert") or (art == 1 and liste)
            if f or g or (q == 0 and self.nullbetrag and art == 1 and teil):
                hinweise.append((m["FMitgliedsnummer"], "; ".join(texte)))
        return zahler, hinweise

    def einzug(self, datum, konto, kontofilter, vorlage, ganzes_jahr=False, nur_selektierte=False,
               akzente_aufloesen=True):
        """Bookings (unsorted), findings, the members whose preliminary pay
        date becomes the calculation date, and the payers that get a
        first-debit date."""
        zahler, hinweise = self.lauf(datum, ganzes_jahr, nur_selektierte)
        buchungen, vorlaeufig, erstlastschrift = [], [], []
        for p in zahler:
            kto = p.get("FKonto")
            if kto is None:
                continue
            if kontofilter and kto.get("FEmpfaengerKonto", "").upper() != konto.upper():
                continue
            liste = self.zahlt_fuer(p, nur_selektierte)
            text, betrag = self.verwendungszweck(liste, datum, vorlage, "\r\n", 140, ganzes_jahr)
            vorlaeufig += liste
            if not kto.get("FErstlastschrift", 0):
                erstlastschrift.append(p)
            if betrag > 0:
                name, zweck = kto["FInhaber"][:35], text[:140]
                if akzente_aufloesen:
                    name, zweck = ohne_akzente(name), ohne_akzente(zweck)
                buchungen.append({"Name": name, "IBAN": kto["FIBAN"][:35],
                                  "Mandatsreferenz": kto["FMandatsreferenz"][:35],
                                  "Mandatsdatum": kto["FMandatsdatum"], "Sequenz": 2,
                                  "Betrag": round(betrag * 100), "Kundenreferenz": "",
                                  "Verwendungszweck": zweck, "Zahler": self.nummer(p)})
        return buchungen, hinweise, vorlaeufig, erstlastschrift


# ---------------------------------------------------------------------------
# The club

STICHTAG = tag(1, 1, 2025)         # age classes of the fees
RECHENDATUM = tag(31, 12, 2025)
MANDAT = tag(1, 2, 2014)


def altersklasse(text, betrag, bis=150):
    return {"FVerwendungszweck": text, "FBetrag": betrag, "FAlterBis": bis}


def klasse(schluessel, modus, faktortext, stufen, familie=False, maximum=0, ist=0):
    k = {"FSchluessel": schluessel, "FBezeichnung": "Klasse " + schluessel, "FTeilberechnung": modus,
         "FFaktorText": faktortext, "FFamilienbeitrag": familie, "FFamilienMax": maximum,
         "FFamilienIst": ist, "FFamilienAlter": 18}
    if stufen:
        k["FAltKlassen"] = stufen
    return k


def vereinskonto(schluessel, blz, kto, inhaber, glaeubiger):
    return {"FIBAN": z._iban(blz, kto), "FBLZ": blz, "FKontonummer": kto, "FInhaber": inhaber,
            "FKontoSchluessel": schluessel, "FBezeichnung": "Konto " + schluessel,
            "FBankname": "Bank", "FGlaeubigerID": glaeubiger}


def konto(inhaber, kto, schluessel="HAUPT", **kw):
    k = {"FIBAN": z._iban("37040044", kto), "FBLZ": "37040044", "FKontonummer": kto,
         "FInhaber": inhaber, "FMandatsreferenz": "MAND-" + kto[-4:], "FMandatsdatum": MANDAT,
         "FErstlastschrift": 0, "FEmpfaengerKonto": schluessel}
    k.update(kw)
    return k


def mitglied(nr, name, vorname, geb, schluessel, art, bezahlt=tag(31, 12, 2024), **kw):
    m = {"FMitgliedsnummer": nr, "FSelektiert": False,
         "FErstelltVon": {"FZeit": 44000.5, "FLogin": "Admin", "FBenutzerNr": 1},
         "FName": name, "FVorname": vorname, "FZusatz": "", "FTitel": "", "FMaennlich": True,
         "FGeburtsdatum": geb, "FStrasse": "Hauptstraße 1", "FPLZ": "97070", "FOrt": "Würzburg",
         "FLand": "", "FTelefon": "", "FMobil": "", "FEMail": "", "FHomepage": "",
         "FEintrittsdatum": tag(1, 1, 2010), "FEhrenmitgliedSeit": 0, "FAustrittsdatum": 0,
         "FAustrittsgrund": "", "FAnrechnung": 0, "FEhrung": 0, "FAbteilungen": "", "FGruppen": 0,
         "FBeitragsschluessel": schluessel, "FZahlart": art, "FBezahltBis": bezahlt,
         "FVorlaeufigBezahltBis": 0}
    m.update(kw)
    return m


def zahlt(p):
    return {"FZahler": {"FZeit": 44000.0, "FNummer": p["FMitgliedsnummer"],
                        "FGeburtsdatum": p["FGeburtsdatum"]}}


def mitglieder():
    """One or two members for each rule; payers with a booking have names
    with distinct first letters, so the order by name is plain."""
    ms = []

    def neu(*a, zahler=None, **kw):
        if zahler is not None:
            kw.update(zahlt(zahler))
        m = mitglied(*a, **kw)
        ms.append(m)
        return m

    # class by age: 17 and 18 on the fee reference date; monthly with ties to the even cent
    adler = neu(1, "Adler", "Anna", tag(10, 5, 1985), "ERW", 1, FSelektiert=True,
                FKonto=konto("Adler, Anna", "0000000101"))
    neu(2, "Adler", "Ben", tag(2, 1, 2007), "ERW", 2, zahler=adler, FSelektiert=True)
    neu(3, "Adler", "Carl", tag(1, 1, 2007), "MON", 2, tag(30, 6, 2025), zahler=adler)
    neu(4, "Adler", "Dora", tag(3, 3, 2015), "MON", 2, tag(30, 6, 2025), zahler=adler, FSelektiert=True)
    # a family fee; a co-financed member of another class adds its own fee
    becker = neu(5, "Becker", "Bernd", tag(4, 4, 1980), "FAM", 1,
                 FKonto=konto("Becker, Bernd", "0000000105", FErstlastschrift=tag(1, 3, 2015)))
    neu(6, "Becker", "Berta", tag(5, 5, 1982), "FAM", 2, zahler=becker, FSelektiert=True)
    neu(7, "Becker", "Bodo", tag(6, 6, 2012), "ERW", 2, zahler=becker, FSelektiert=True)
    # quarters rounded up, four months rounded down
    dietrich = neu(8, "Dietrich", "Dirk", tag(7, 7, 1970), "QUA", 1, tag(14, 3, 2025),
                   FKonto=konto("Dietrich, Dirk", "0000000108"))
    neu(9, "Dietrich", "Doris", tag(8, 8, 1972), "VIE", 2, tag(14, 3, 2025), zahler=dietrich)
    # to the day; half years rounded up over three unpaid years
    ernst = neu(10, "Ernst", "Emil", tag(9, 9, 1960), "TAG", 1, tag(30, 9, 2025), FSelektiert=True,
                FKonto=konto("Ernst, Emil", "0000000110"))
    neu(11, "Ernst", "Erna", tag(10, 10, 1962), "HJA", 2, tag(31, 12, 2022), zahler=ernst)
    # whole years rounded up: two years unpaid
    neu(12, "Fuchs", "Frieda", tag(11, 11, 1991), "JAHR", 1, tag(31, 12, 2023),
        FKonto=konto("Fuchs, Frieda", "0000000112"))
    # paid beyond the calculation date: a payer whose fees add up to 0
    neu(13, "Graf", "Gerd", tag(12, 12, 1975), "MON", 1, tag(31, 12, 2026), FSelektiert=True,
        FKonto=konto("Graf, Gerd", "0000000113"))
    # findings: no mandate reference, an unknown class, no account, a class without age classes
    hahn = neu(14, "Hahn", "Hugo", tag(1, 2, 1966), "ERW", 1,
               FKonto=konto("Hahn, Hugo", "0000000114", FMandatsreferenz=""))
    neu(15, "Igel", "Ina", tag(2, 3, 1977), "XYZ", 1, FKonto=konto("Igel, Ina", "0000000115"))
    neu(16, "Jung", "Jana", tag(3, 4, 1988), "ERW", 0, FVorlaeufigBezahltBis=tag(31, 12, 2024),
        FKonto=konto("Jung, Jana", "0000000116"))
    neu(17, "Klein", "Karl", tag(4, 5, 1955), "ERW", 1)
    # another receiving account
    neu(18, "Lorenz", "Lea", tag(5, 6, 1999), "QUA", 1, tag(30, 6, 2025),
        FVorlaeufigBezahltBis=tag(30, 6, 2025), FKonto=konto("Lorenz, Lea", "0000000118", "JUG"))
    # an umlaut in the holder's name; an amount a float does not hold exactly
    neu(19, "Müller", "Max", tag(6, 7, 1950), "ERW", 1, FKonto=konto("Müller, Max", "0000000119"))
    # the receiving key in lower case
    neu(20, "Nagel", "Nina", tag(7, 8, 1990), "VIE", 1, FKonto=konto("Nagel, Nina", "0000000120", "haupt"))
    neu(21, "Otto", "Olaf", tag(8, 9, 1984), "LEER", 1, FKonto=konto("Otto, Olaf", "0000000121"))
    neu(22, "Paul", "Petra", tag(9, 10, 1986), "ERW", 2, zahler=hahn)
    # accents in names
    neu(23, "Roux", "Désirée", tag(10, 11, 1979), "ERW", 1, FKonto=konto("Roux, Désirée", "0000000123"))
    # too many adults for the family fee
    vogel = neu(24, "Vogel", "Volker", tag(11, 12, 1969), "FAM2", 1, FSelektiert=True,
                FKonto=konto("Vogel, Volker", "0000000124"))
    neu(25, "Vogel", "Vera", tag(12, 1, 1971), "FAM2", 2, zahler=vogel)
    # long names: the purpose is shortened by the short-name rule; a holder longer than 35
    wolke = neu(26, "Wolkenstein-Trostburg", "Maximilian", tag(13, 2, 1964), "ERW", 1, FZusatz="jun.",
                FSelektiert=True,
                FKonto=konto("Wolkenstein-Trostburg, Maximilian Alexander", "0000000126"))
    neu(27, "Hohenzollern-Sigmaringen-Haigerloch", "Konstantin", tag(14, 3, 2010), "ERW", 2, zahler=wolke)
    neu(28, "Li", "Bo", tag(15, 4, 1995), "ERW", 2, zahler=wolke, FSelektiert=True)
    neu(31, "Ub", "Friedrich-Wilhelm-Maximilian-Karl", tag(2, 2, 1996), "ERW", 2, zahler=wolke)
    neu(29, "Wolkenstein-Trostburg", "Ottilie", tag(16, 5, 1966), "MON", 2, tag(30, 6, 2025), zahler=wolke)
    # a payer reference that does not resolve
    neu(30, "Zander", "Zoe", tag(17, 6, 2001), "ERW", 2,
        FZahler={"FZeit": 44000.0, "FNummer": 1, "FGeburtsdatum": tag(11, 5, 1985)})
    return ms


def verein(ohne_modus_null=False):
    klassen = [
        klasse("ERW", 0, False, [altersklasse("Jugend", 30.5, 17), altersklasse("Erwachsene", 61.25, 64),
                                 altersklasse("Senioren", 40.1)]),
        klasse("MON", 2, True, [altersklasse("Kind", 10.75, 17), altersklasse("Monat", 10.25)]),
        klasse("QUA", 7, True, [altersklasse("Quartal", 48.0)]),
        klasse("VIE", 8, False, [altersklasse("Vier", 36.0)]),
        klasse("TAG", 1, True, [altersklasse("Tag", 73.0)]),
        klasse("HJA", 11, False, [altersklasse("Halbjahr", 24.0)]),
        klasse("JAHR", 13, True, [altersklasse("Jahr", 20.0)]),
        klasse("FAM", 0, True, [altersklasse("Familie", 150.75, 0)], familie=True),
        klasse("FAM2", 0, False, [altersklasse("Kleinfamilie", 99.0, 0)], familie=True, maximum=1),
        klasse("LEER", 0, False, []),
    ]
    if ohne_modus_null:
        # a second run charges nothing only where the paid-until date counts
        for k in klassen:
            if k["FTeilberechnung"] == 0:
                k["FTeilberechnung"] = 3
    sd = {
        "FVereinsname": "TSV Beispiel", "FVereinsPLZ": "97070", "FVereinsort": "Würzburg",
        "FGruendungsdatum": tag(1, 5, 1948),
        "FJahresberechnung": 3, "FJahresdatum1": 36891, "FJahresdatum2": 36891, "FJahresdatum3": STICHTAG,
        "FBeitragsberechnung": 3, "FBeitragsdatum1": 36891, "FBeitragsdatum2": 36891,
        "FBeitragsdatum3": STICHTAG,
        "FZweckVorlage": "Vereinsbeitrag %Jahre%",
        "FVereinskonten": [
            vereinskonto("HAUPT", "79050000", "0012345678", "TSV Beispiel", "DE98ZZZ09999999999"),
            vereinskonto("JUG", "37040044", "0532013000", "TSV Jugend", "DE98ZZZ09999999999"),
            vereinskonto("haupt", "70150000", "0000987654", "TSV Zweitkonto", "DE98ZZZ09999999999")],
        "FBtrKlassen": klassen,
        "FTabVorlagen": [], "FGruppenAnzahl": 8,
    }
    return {
        "FFormatVersion": z.FORMAT_VERSION, "FErstellt": 40179.5, "FGeaendertAm": 45600.5,
        "FSchreibvorgaenge": 3, "FAustrittsliste": True, "FUnbekannteBehalten": True,
        "FBeschreibung": "Einzug", "FZAQFormat": "0000", "FNullbetragMelden": True,
        "FStammdaten": sd,
        "FBenutzer": [{"FLogin": "Admin", "FKennwortHash": z._hash("Geheim€Admin", "Admin"),
                       "FBenutzerNr": 1, "FVollerName": "Administrator", "FFunktion": "",
                       "FGueltigBis": 90000, "FRechte": 0x1FFFFF, "FKennwortAktionen": 0}],
        "FMitglieder": mitglieder(),
    }


ANMELDUNG = ("--user", "Admin", "--password", "Geheim€Admin")


def meldungen_aus(stderr):
    meldungen = []
    for zeile in stderr.replace("\r", "").splitlines():
        if zeile.split(":", 1)[0] in ("Fehler", "Warnung", "Information", "Frage"):
            meldungen.append(zeile)
        elif meldungen:
            meldungen[-1] += "\n" + zeile
    return meldungen


def lies(datei):
    with open(datei, "rb") as f:
        return f.read()


def faelligkeit():
    """A collection date every schema accepts for recurring debits: a
    weekday at least four days ahead."""
    d = datetime.date.today() + datetime.timedelta(days=4)
    while d.weekday() >= 5:
        d += datetime.timedelta(days=1)
    return d.strftime("%d.%m.%Y")


def pruefe_buchungen(d, ausgabe, erwartet):
    """Differences between a list's dump (and the run's output) and the
    expected bookings, one line each, naming the booking."""
    fehler = []
    # the order by name: distinct first letters make it plain
    sortiert = sorted(erwartet, key=lambda b: b["Name"][0])
    namen = [b["Name"] for b in d["Buchungen"]]
    if namen != [b["Name"] for b in sortiert]:
        fehler.append("Kontoinhaber der Buchungen: erwartet %r, ist %r"
                      % ([b["Name"] for b in sortiert], namen))
    ist_nach_name = {b["Name"]: b for b in d["Buchungen"]}
    for soll in sortiert:
        ist = ist_nach_name.get(soll["Name"], {})
        for feld in ("IBAN", "Mandatsreferenz", "Mandatsdatum", "Sequenz", "Betrag", "Kundenreferenz",
                     "Verwendungszweck"):
            if ist and ist[feld] != soll[feld]:
                fehler.append("Buchung für Zahler %s (%s), %s: erwartet %r, ist %r"
                              % (soll["Zahler"], soll["Name"], feld, soll[feld], ist[feld]))
    if ausgabe["Buchungen"] != len(erwartet):
        fehler.append("Ausgabe Buchungen: erwartet %d, ist %r" % (len(erwartet), ausgabe["Buchungen"]))
    summe = sum(b["Betrag"] for b in erwartet)
    if ausgabe["Summe"] != summe:
        fehler.append("Ausgabe Summe (Cent): erwartet %d, ist %r" % (summe, ausgabe["Summe"]))
    return fehler


# ---------------------------------------------------------------------------

class Hilfen(unittest.TestCase):
    """The computations of this file on the examples the rules give."""

    def test_beispiele(self):
        self.assertEqual(monate(tag(15, 3, 2010), tag(1, 1, 2011)), 9)
        self.assertEqual(ersetze_platzhalter("Beitrag %Jahre%", tag(1, 1, 2015), tag(31, 12, 2016)),
                         "Beitrag 2015+16")
        self.assertEqual(ersetze_platzhalter("B %Jahre% %jahre%", tag(1, 1, 2010), tag(31, 12, 2011)),
                         "B 2010+11 %jahre%")
        self.assertEqual(kurz_name({"FName": "Mustermann", "FVorname": "Anna"}, 3), "Muster-, Anna")
        self.assertEqual(kurz_name({"FName": "Li", "FVorname": "Anna"}, 3), "L., A.")
        self.assertEqual(ohne_akzente("Désirée Ç ñ"), "Desiree Ç ñ")
        o = Orakel({"FStammdaten": {"FBeitragsberechnung": 3, "FBeitragsdatum3": tag(1, 1, 2010)},
                    "FMitglieder": []})
        k = klasse("K", 2, True, [altersklasse("Jugend", 10.25)])
        m = mitglied(1, "A", "B", tag(1, 1, 1980), "K", 1, tag(30, 6, 2010))
        self.assertEqual(o.beitrag(k, m, tag(31, 12, 2010), False), (5.12, "6/12xJugend"))
        for modus, erwartet in [(6, 9), (7, 9), (8, 8), (9, 12)]:
            k = klasse("K", modus, False, [altersklasse("X", 12.0)])
            self.assertEqual(o.beitrag(k, dict(m, FBezahltBis=tag(14, 3, 2010)), tag(31, 12, 2010), False)[0],
                             erwartet, modus)
        k = klasse("K", 12, True, [altersklasse("Jahr", 10.0)])
        self.assertEqual(o.beitrag(k, dict(m, FBezahltBis=tag(31, 12, 2008)), tag(31, 12, 2010), False),
                         (20.0, "2xJahr"))
        k = klasse("K", 1, False, [altersklasse("X", 12.0)])
        self.assertEqual(o.beitrag(k, dict(m, FBezahltBis=tag(31, 12, 2009)), tag(31, 12, 2010), False)[0],
                         12.0)


class MitProgramm(unittest.TestCase):
    maxDiff = 6000

    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        cls.dir = cls.tmp.name
        cls.zaq = verein()
        cls.orakel = Orakel(cls.zaq)
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

    def cli(self, *args, config=None):
        r = subprocess.run([CLI, *args, *ANMELDUNG, "--config", config or self.dir], capture_output=True)
        self.assertGreaterEqual(r.returncode, 0, "zaq-cli abgestürzt: %s %s" % (args, r.stderr))
        return r

    def meldungen(self, r):
        return meldungen_aus(r.stderr.decode("utf-8", "replace"))

    def einzug(self, datei, liste, *optionen, config=None):
        """Runs the collection; (exit code, JSON output or None, messages,
        the day before and after the run)."""
        vorher = heute()
        r = self.cli("einzug", datei, liste, *optionen, config=config)
        nachher = heute()
        ausgabe = json.loads(r.stdout.decode("utf-8")) if r.returncode == 0 else None
        return r.returncode, ausgabe, self.meldungen(r), (vorher, nachher)

    def slv(self, liste):
        r = self.cli("slv-dump", liste)
        self.assertEqual(r.returncode, 0, r.stderr.decode("utf-8", "replace"))
        return json.loads(r.stdout.decode("utf-8"))


def laeufe(vorlage, ohne_akzente_ini):
    """The trial runs: name, options, config directory, and what the
    program must make of them (calculation date, key, account filter,
    template, full year, selected only, accents removed)."""
    # placeholders in any case, each replaced where it first occurs
    zweck = "%jahre% %JahrVon2%-%JahrBis4% %DatBis6% %Jahre%"
    d = ["--date", "31.12.2025"]
    return [
        ("Vorgaben", d, None, RECHENDATUM, "HAUPT", True, vorlage, False, False, True),
        ("Rechendatum der Vorgabe", [], None, naechstes_jahresende(), "HAUPT", True, vorlage, False, False,
         True),
        ("voller Jahresbeitrag", d + ["--full-year"], None, RECHENDATUM, "HAUPT", True, vorlage, True, False,
         True),
        ("nur selektierte", d + ["--selected"], None, RECHENDATUM, "HAUPT", True, vorlage, False, True, True),
        ("Kontofilter", d + ["--kontofilter"], None, RECHENDATUM, "HAUPT", True, vorlage, False, False, True),
        ("ohne Kontofilter", d + ["--ohne-kontofilter"], None, RECHENDATUM, "HAUPT", False, vorlage, False,
         False, True),
        ("Jugendkonto", d, None, RECHENDATUM, "JUG", True, vorlage, False, False, True),
        ("Zweck und Beschreibung", ["--date", "30.06.2026", "--zweck", zweck, "--beschreibung",
                                    "Sommerlauf 2026"], None, tag(30, 6, 2026), "HAUPT", True, zweck, False,
         False, True),
        ("Akzente bleiben", d, ohne_akzente_ini, RECHENDATUM, "HAUPT", True, vorlage, False, False, False),
    ]


class Buchungen(MitProgramm):
    """Trial runs with each option against the computed fees.  Each run is
    made once; the tests look at different parts of its result."""

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        ini = cls.pfad("akzente")
        os.makedirs(ini)
        with open(os.path.join(ini, "zaq.ini"), "wb") as f:
            f.write("[ZAQ Mitgliederverwaltung]\r\nDTA-Sonderzeichen auflösen=0\r\n".encode("cp1252"))
        cls.ergebnisse = []
        for name, optionen, config, datum, konto, filter_, zweck, ganz, sel, akzente in laeufe(
                cls.zaq["FStammdaten"]["FZweckVorlage"], ini):
            liste = cls.pfad(name + ".slv")
            vorher = heute()
            r = subprocess.run([CLI, "einzug", cls.datei, liste, "--konto", konto, *optionen, *ANMELDUNG,
                                "--config", config or cls.dir], capture_output=True)
            tage = (vorher, heute())
            erwartet, hinweise, _, _ = cls.orakel.einzug(datum, konto, filter_, zweck, ganz, sel, akzente)
            if "--beschreibung" in optionen:
                beschreibung = optionen[optionen.index("--beschreibung") + 1]
            else:
                # the wizard's first step proposes the year of its default calculation date
                beschreibung = "Mitgliedsbeiträge %d vom %s" % (als_datum(naechstes_jahresende()).year,
                                                                 datum_text(tage[0]))
            cls.ergebnisse.append((name, r, liste, konto, tage, beschreibung, erwartet, hinweise))

    def lauf(self, ergebnis):
        name, r, liste, konto, tage, beschreibung, erwartet, hinweise = ergebnis
        self.assertEqual(r.returncode, 0, "%s: %s" % (name, self.meldungen(r)))
        return json.loads(r.stdout.decode("utf-8")), self.slv(liste)

    def test_kopf(self):
        for e in self.ergebnisse:
            name, _, _, konto, tage, beschreibung, _, _ = e
            with self.subTest(fall=name):
                kopf = self.lauf(e)[1]["Kopf"]
                self.assertEqual(kopf["Kennung"], "SEPA-LASTSCHRIFTEN", name)
                self.assertEqual(kopf["Kontoschluessel"], konto, name + ": Kontoschlüssel im Kopf")
                self.assertEqual(kopf["Sequenz"], 2, name + ": Sequenz im Kopf")
                self.assertIn(math.floor(kopf["Datum"]), {t + 3 for t in tage}, "%s: Abbuchungstag %s statt "
                              "heute + 3" % (name, datum_text(math.floor(kopf["Datum"]))))
                self.assertEqual(kopf["Beschreibung"], beschreibung, name + ": Beschreibung im Kopf")

    def test_buchungen(self):
        for e in self.ergebnisse:
            with self.subTest(fall=e[0]):
                ausgabe, d = self.lauf(e)
                self.assertEqual(pruefe_buchungen(d, ausgabe, e[6]), [], e[0])

    def test_hinweisliste(self):
        for e in self.ergebnisse:
            name, hinweise = e[0], e[7]
            with self.subTest(fall=name):
                ausgabe = self.lauf(e)[0]
                self.assertEqual([h["Mitgliedsnummer"] for h in ausgabe["Hinweisliste"]],
                                 [h[0] for h in hinweise], name + ": Mitglieder der Hinweisliste")
                ist = {h["Mitgliedsnummer"]: h["Hinweise"] for h in ausgabe["Hinweisliste"]}
                fehler = ["Mitglied %d: erwartet %r, ist %r" % (nr, text, ist[nr])
                          for nr, text in hinweise if nr in ist and ist[nr] != text]
                self.assertEqual(fehler, [], name + ": Hinweise")

    def test_mitgliederdatei_unveraendert(self):
        self.assertEqual(lies(self.datei), self.bytes)

    def test_orakel_deckt_die_regeln_ab(self):
        """The club covers what it is made for: if this fails, the fixture
        changed, not the program."""
        erwartet, hinweise, _, _ = self.orakel.einzug(RECHENDATUM, "HAUPT", True, "Vereinsbeitrag %Jahre%")
        zwecke = {b["Zahler"]: b["Verwendungszweck"] for b in erwartet}
        self.assertEqual(sorted(zwecke), ["0001", "0005", "0008", "0010", "0012", "0019", "0020", "0023",
                                          "0026"])
        self.assertEqual({b["Zahler"]: b["Betrag"] for b in erwartet}["0001"], 6125 + 3050 + 512 + 538)
        self.assertIn("0003 Adler, Carl (6/12xMonat)", zwecke["0001"])
        self.assertIn("0006 Becker, Berta (0xFamilie)", zwecke["0005"])
        self.assertIn("0010 Ernst, Emil (3/12xTag)", zwecke["0010"])
        self.assertTrue(zwecke["0010"].startswith("Vereinsbeitrag 2023-25\r\n"))
        self.assertTrue(zwecke["0012"].startswith("Vereinsbeitrag 2024+25\r\n"))
        self.assertIn("(2xJahr)", zwecke["0012"])
        for kurz in ("0026 W., M. jun. (Erwachsene)", "0027 Hohenzo-, Konstantin (Jugend)",
                     "0028 L., B. (Erwachsene)", "0031 U., Fried- (Erwachsen"):
            self.assertIn(kurz, zwecke["0026"])
        self.assertEqual(len(zwecke["0026"]), 140)
        self.assertIn("0023 Roux, Desiree (Erwachsene)", zwecke["0023"])
        self.assertEqual(dict(hinweise)[13], "Zahler-Nullbetrag")
        self.assertEqual(dict(hinweise)[24], "Zu viele Erwachsene im Familienbeitrag")
        self.assertEqual(dict(hinweise)[14], "Fehlende Mandatsreferenz; 0014 Hahn, Hugo (Erwachsene); "
                                             "0022 Paul, Petra (Erwachsene)")


class Export(MitProgramm):
    """The pain.008 of each list validates and holds the run's bookings."""

    @unittest.skipUnless(shutil.which("xmllint"), "xmllint fehlt")
    def test_pain008(self):
        faelligkeit_text = faelligkeit()
        for konto, optionen in (("HAUPT", ["--date", "31.12.2025"]), ("HAUPT", ["--ohne-kontofilter"]),
                                ("JUG", ["--date", "31.12.2025"])):
            liste = self.pfad("export-%s-%d.slv" % (konto, len(optionen)))
            code, ausgabe, meldungen, _ = self.einzug(self.datei, liste, "--konto", konto, *optionen)
            self.assertEqual(code, 0, meldungen)
            buchungen = self.slv(liste)["Buchungen"]
            for schema in SCHEMATA:
                wo = "%s %s, %s" % (konto, " ".join(optionen), schema)
                with self.subTest(liste=konto, optionen=optionen, schema=schema):
                    xml = self.pfad("export.xml")
                    if os.path.exists(xml):
                        os.remove(xml)
                    r = self.cli("sepa-xml", self.datei, liste, xml, "--schema", schema,
                                 "--date", faelligkeit_text)
                    self.assertEqual(r.returncode, 0, "%s: %s" % (wo, self.meldungen(r)))
                    v = subprocess.run(["xmllint", "--noout", "--schema",
                                        os.path.join(XSD, schema + ".xsd"), xml], capture_output=True)
                    self.assertEqual(v.returncode, 0, "%s: %s" % (wo, v.stderr.decode("utf-8", "replace")))
                    self.pruefe_xml(wo, xml, schema, buchungen, ausgabe["Summe"], faelligkeit_text)

    def pruefe_xml(self, wo, xml, schema, buchungen, summe, faellig):
        ns = {"p": "urn:iso:std:iso:20022:tech:xsd:" + schema}
        wurzel = ET.parse(xml).getroot()
        kopf = wurzel.find("p:CstmrDrctDbtInitn/p:GrpHdr", ns)
        summe_text = "%d.%02d" % divmod(summe, 100)
        self.assertEqual(kopf.findtext("p:NbOfTxs", namespaces=ns), str(len(buchungen)), wo + ": NbOfTxs")
        self.assertEqual(kopf.findtext("p:CtrlSum", namespaces=ns), summe_text, wo + ": CtrlSum")
        self.assertEqual(sum(b["Betrag"] for b in buchungen), summe, wo + ": Summe der Liste")
        pmt = wurzel.findall("p:CstmrDrctDbtInitn/p:PmtInf", ns)
        self.assertEqual(len(pmt), 1, wo)
        self.assertEqual(pmt[0].findtext("p:CtrlSum", namespaces=ns), summe_text, wo + ": PmtInf/CtrlSum")
        self.assertEqual(pmt[0].findtext("p:PmtTpInf/p:SeqTp", namespaces=ns), "RCUR", wo)
        t, m, j = faellig.split(".")
        self.assertEqual(pmt[0].findtext("p:ReqdColltnDt", namespaces=ns), "%s-%s-%s" % (j, m, t), wo)
        tx = pmt[0].findall("p:DrctDbtTxInf", ns)
        self.assertEqual(len(tx), len(buchungen), wo)
        for i, (x, b) in enumerate(zip(tx, buchungen), 1):
            was = "%s: Transaktion %d (%s)" % (wo, i, b["Name"])
            self.assertEqual(x.findtext("p:InstdAmt", namespaces=ns), "%d.%02d" % divmod(b["Betrag"], 100),
                             was)
            self.assertEqual(x.findtext("p:Dbtr/p:Nm", namespaces=ns), sepa_text(b["Name"], 70), was)
            self.assertEqual(x.findtext("p:DbtrAcct/p:Id/p:IBAN", namespaces=ns), b["IBAN"], was)
            self.assertEqual(x.findtext("p:DrctDbtTx/p:MndtRltdInf/p:MndtId", namespaces=ns),
                             b["Mandatsreferenz"], was)
            self.assertEqual(x.findtext("p:RmtInf/p:Ustrd", namespaces=ns),
                             sepa_text(b["Verwendungszweck"].replace("\r\n", "//"), 140), was)


class EchterLauf(MitProgramm):
    """A real run sets the preliminary pay dates and first-debit dates of
    the members it charged; once they are taken over, nothing is left to
    charge for the same period."""

    def test_echt_und_zweiter_lauf(self):
        zaq = verein(ohne_modus_null=True)
        o = Orakel(zaq)
        datei = self.pfad("echt.zaq")
        with open(datei, "wb") as f:
            f.write(z.schreibe_datei(zaq, rng=random.Random(2)))
        erwartet, hinweise, vorlaeufig, erst = o.einzug(RECHENDATUM, "HAUPT", True, "Vereinsbeitrag %Jahre%")
        liste = self.pfad("echt.slv")
        code, ausgabe, meldungen, tage = self.einzug(datei, liste, "--konto", "HAUPT", "--date", "31.12.2025",
                                                     "--real")
        self.assertEqual(code, 0, meldungen)
        self.assertEqual(pruefe_buchungen(self.slv(liste), ausgabe, erwartet), [], "echter Lauf")

        _, neu = z.lies_datei(lies(datei))
        vorl = {m["FMitgliedsnummer"] for m in vorlaeufig}
        erst = {m["FMitgliedsnummer"] for m in erst}
        # members the run changes and members it leaves alone
        self.assertTrue({3, 6, 13, 29} <= vorl and not {14, 16, 18, 24} & vorl)
        self.assertTrue(13 in erst and 5 not in erst and 18 not in erst)
        fehler = []
        self.assertEqual(len(neu["FMitglieder"]), len(zaq["FMitglieder"]))
        for alt, ist in zip(zaq["FMitglieder"], neu["FMitglieder"]):
            nr = alt["FMitgliedsnummer"]
            soll = copy.deepcopy(alt)
            if nr in vorl:
                soll["FVorlaeufigBezahltBis"] = RECHENDATUM
            if nr in erst:
                soll["FKonto"]["FErstlastschrift"] = ist.get("FKonto", {}).get("FErstlastschrift")
                self.assertIn(soll["FKonto"]["FErstlastschrift"], tage,
                              "Mitglied %d: Erstlastschrift nicht heute" % nr)
            for feld, wert in soll.items():
                if feld == "FGeaendertVon":
                    continue
                if ist.get(feld) != wert:
                    fehler.append("Mitglied %d, %s: erwartet %r, ist %r" % (nr, feld, wert, ist.get(feld)))
        self.assertEqual(fehler, [])

        # "Vorläufige Rechendaten übernehmen", then the same run again
        for m in neu["FMitglieder"]:
            if m.get("FVorlaeufigBezahltBis", 0) > 0:
                m["FBezahltBis"], m["FVorlaeufigBezahltBis"] = m["FVorlaeufigBezahltBis"], 0
        with open(datei, "wb") as f:
            f.write(z.schreibe_datei(neu, rng=random.Random(3)))
        vorher = lies(datei)
        self.assertEqual(Orakel(neu).einzug(RECHENDATUM, "HAUPT", True, "Vereinsbeitrag %Jahre%")[0], [])
        zweite = self.pfad("zweite.slv")
        code, ausgabe, meldungen, _ = self.einzug(datei, zweite, "--konto", "HAUPT", "--date", "31.12.2025")
        self.assertEqual(code, 1, "zweiter Lauf: %s" % ausgabe)
        self.assertFalse(os.path.exists(zweite), "zweiter Lauf: Liste ohne Buchungen geschrieben")
        self.assertIn("Es wurden keine Mitglieder gefunden.", [t.split(": ", 1)[-1] for t in meldungen],
                      meldungen)
        self.assertEqual(lies(datei), vorher, "zweiter Lauf: Mitgliederdatei verändert")


if __name__ == "__main__":
    unittest.main()
