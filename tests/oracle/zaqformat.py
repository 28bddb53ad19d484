#!/usr/bin/env python3
"""Independent reader and writer of ZAQ member files (.zaq).

Used by the tests as an oracle next to the C++ program:
  * dump      print a member file in the program's dump form (one JSON object)
  * generate  write test member files together with their expected dump
  * compare   check that a file resaved by the program kept every field

Only the Python standard library is used.  See README.md for the dump form
and the structure the writer takes.
"""

import argparse
import codecs
import gc
import hashlib
import json
import os
import random
import struct
import sys
import zlib

# ---------------------------------------------------------------------------
# Text: Windows-1252, with the five undefined bytes mapped to U+0081 etc. so
# that every byte survives a round trip.

def _zeichentabelle():
    zeichen = []
    for b in range(256):
        try:
            zeichen.append(bytes([b]).decode("cp1252"))
        except UnicodeDecodeError:
            zeichen.append(chr(b))   # undefined byte: keeps its own code point
    return "".join(zeichen)


_TABELLE = _zeichentabelle()
_KODIER_TABELLE = codecs.charmap_build(_TABELLE)


def text_aus_bytes(b):
    return codecs.charmap_decode(b, "strict", _TABELLE)[0]


def text_zu_bytes(s):
    try:
        return codecs.charmap_encode(s, "strict", _KODIER_TABELLE)[0]
    except UnicodeEncodeError as e:
        raise ValueError("Text nicht in Windows-1252 darstellbar: %r" % s) from e


# ---------------------------------------------------------------------------
# Record classes and their fields.

# Field kinds
BOOL, U8, I16, U16, I32, F64, TEXT, BYTES, INTS = range(9)
FIX_UINT, FIX_HEX, KURZTEXT, F32, TOL = range(9, 14)   # blocks with a size
SUB, REP = 14, 15                                      # sub-records
NUR_LESEN_I32, VERSTECKT = 16, 17                      # read and dropped

_ART = {
    "bool": BOOL, "u8": U8, "i16": I16, "u16": U16, "i32": I32, "f64": F64,
    "text": TEXT, "bytes": BYTES, "ints": INTS, "uint": FIX_UINT,
    "hex": FIX_HEX, "kurztext": KURZTEXT, "f32": F32, "tol": TOL,
    "sub": SUB, "rep": REP, "nurlesen_i32": NUR_LESEN_I32,
    "versteckt": VERSTECKT,
}


class Feld:
    __slots__ = ("id", "name", "art", "groesse", "klasse", "index",
                 "optional", "pos", "nur_lokal")

    def __init__(self, fid, name, typ, optional=False, index=None):
        teile = typ.split(":")
        self.id = fid
        self.name = name
        self.art = _ART[teile[0]]
        self.groesse = 0
        self.klasse = None
        if self.art in (SUB, REP):
            self.klasse = teile[1]
        elif len(teile) > 1:
            self.groesse = int(teile[1])
        elif self.art == F32:
            self.groesse = 4
        self.index = index          # position inside FGruppenname
        # optional: the program's writer may leave the field out
        self.optional = optional or self.art in (REP, NUR_LESEN_I32)
        self.pos = 0                # position in the writer's order
        self.nur_lokal = False      # written only with write flag 2


class Klasse:
    def __init__(self, name, felder, element=None, unbekannte_schreiben=True):
        self.name = name
        self.felder = felder                 # in the writer's order
        self.element = element               # class of the items of a list
        self.unbekannte_schreiben = unbekannte_schreiben
        self.nach_id = {}
        for i, f in enumerate(felder):
            f.pos = i
            self.nach_id[f.id] = f
        self.namen = {f.name for f in felder}
        self.namen_unb = self.namen | {"FUnbekannt"}
        self.einfach = {f.name for f in felder if f.index is None and f.art in
                        (BOOL, U8, I16, U16, I32, F64, TEXT, INTS, FIX_UINT, KURZTEXT, TOL)
                        and not f.nur_lokal}


KLASSEN = {}


def _klasse(name, felder, **kw):
    KLASSEN[name] = Klasse(name, [Feld(*f) for f in felder], **kw)


def _liste(name, element):
    KLASSEN[name] = Klasse(name, [Feld(10, "FAnzahl", "i32"),
                                  Feld(20, "FListe", "rep:" + element)],
                           element=element)


_VERWEIS_BEN = [(10, "FZeit", "f64"), (400, "FLogin", "text"),
                (410, "FBenutzerNr", "u16")]

_klasse("TZAQ", [
    (1, "FFormatVersion", "i32"),
    (2, "FVersion", "versteckt:16"),
    (10, "FErstellt", "f64"),
    (20, "FGeaendertAm", "f64"),
    (30, "FSchreibvorgaenge", "u16"),
    (40, "FReserviert40", "i16"),
    (50, "FAustrittsliste", "bool"),
    (70, "FUnbekannteBehalten", "bool"),
    (60, "FLetzteAenderungVon", "sub:TVerweisBen"),
    (200, "FBeschreibung", "text"),
    (210, "FZAQFormat", "text"),
    (220, "FNullbetragMelden", "bool"),
    (230, "FHauptanwender", "text"),
    (2000, "FStammdaten", "sub:TStammdaten"),
    (2010, "FFtpDaten", "sub:TFtpDaten"),
    (2020, "FBenutzer", "sub:TBenutzerListe"),
    (2030, "FVerwaisteBenutzer", "sub:TBenutzerListe"),
    (2040, "FNotizen", "sub:TNotizListe"),
    (3000, "FMitglieder", "rep:TMitglied"),
    (3010, "FArchiv", "rep:TMitglied"),
])

_klasse("TMitglied", [
    (10, "FMitgliedsnummer", "u16"),
    (20, "FSelektiert", "bool"),
    (30, "FErstelltVon", "sub:TVerweisBen"),
    (40, "FGeaendertVon", "sub:TVerweisBen", True),
    (50, "FAustrittVon", "sub:TVerweisBen", True),
    (200, "FName", "text"),
    (210, "FVorname", "text"),
    (220, "FZusatz", "text"),
    (230, "FTitel", "text"),
    (240, "FMaennlich", "bool"),
    (250, "FGeburtsdatum", "i32"),
    (400, "FStrasse", "text"),
    (410, "FPLZ", "text"),
    (420, "FOrt", "text"),
    (430, "FLand", "text"),
    (600, "FTelefon", "text"),
    (610, "FMobil", "text"),
    (620, "FEMail", "text"),
    (630, "FHomepage", "text"),
    (800, "FEintrittsdatum", "i32"),
    (810, "FEhrenmitgliedSeit", "i32"),
    (820, "FAustrittsdatum", "i32"),
    (830, "FAustrittsgrund", "text"),
    (840, "FAnrechnung", "u8"),
    (850, "FEhrung", "u8"),
    (860, "FAbteilungen", "text"),
    (870, "FGruppen", "uint:4"),
    (1000, "FBeitragsschluessel", "kurztext:6"),
    (1010, "FZahlart", "uint:1"),
    (1020, "FBezahltBis", "i32"),
    (1021, "FVorlaeufigBezahltBis", "i32"),
    (1030, "FKonto", "sub:TMitgliedskonto", True),
    (1040, "FZahler", "sub:TVerweisMitgl", True),
    (1200, "FNotizen", "sub:TNotizListe"),
])

_stammdaten = [
    (10, "FVereinsname", "text"),
    (20, "FVereinsPLZ", "text"),
    (30, "FVereinsort", "text"),
    (40, "FGruendungsdatum", "i32"),
    (50, "FVereinsnummern", "text"),
    (200, "FJahresberechnung", "u8"),
    (210, "FJahresdatum1", "i32"),
    (220, "FJahresdatum2", "i32"),
    (230, "FJahresdatum3", "i32"),
    (240, "FGeburtstage", "text"),
    (250, "FEhrungen", "text"),
    (260, "FGeburtstagsJahre", "u8"),
    (400, "FBeitragsberechnung", "u8"),
    (410, "FBeitragsdatum1", "i32"),
    (420, "FBeitragsdatum2", "i32"),
    (430, "FBeitragsdatum3", "i32"),
    (460, "FZweckVorlage", "text"),
    (440, "FVereinskonten", "sub:TVereinskontenListe"),
    (450, "FBtrKlassen", "sub:TBtrKlassenListe"),
    (600, "FTabVorlagen", "sub:TTabVorlagenListe"),
    (800, "FGruppenAnzahl", "u8"),
]
_stammdaten += [(800 + i, "FGruppenname", "text", False, i - 1)
                for i in range(1, 33)]
_klasse("TStammdaten", _stammdaten)

_klasse("TFtpDaten", [
    (10, "FServer", "text"),
    (20, "FFtpBenutzer", "text"),
    (30, "FFtpKennwort", "text"),
    (40, "FServerDatei", "text"),
    (50, "FDeaktiviert", "bool"),
    (200, "FAusgespeichertVon", "text"),
    (210, "FLetzteAktualisierung", "f64"),
    (220, "FUploadVon", "text"),
    (230, "FUploadZeit", "f64"),
    (240, "FUploadVersion", "text"),
    (400, "FArchivTage", "i16"),
    (600, "FSchluesselZeit", "f64"),
    (610, "FSchluessel", "bytes", True),
])
# the shared key never leaves this computer
KLASSEN["TFtpDaten"].nach_id[610].nur_lokal = True

_klasse("TBenutzer", [
    (10, "FLogin", "text"),
    (20, "FKennwortHash", "hex:16"),
    (30, "FBenutzerNr", "u16"),
    (200, "FVollerName", "text"),
    (210, "FFunktion", "text"),
    (220, "FBildNr", "u8"),
    (230, "FBild", "bytes"),
    (400, "FGueltigBis", "i32"),
    (410, "FRechte", "tol:4"),
    (420, "FKennwortAktionen", "tol:4"),
])

_klasse("TVerweisBen", _VERWEIS_BEN)
_klasse("TVerweisMitgl", [(10, "FZeit", "f64"), (200, "FNummer", "u16"),
                          (210, "FGeburtsdatum", "i32")])

_klasse("TNotiz", [
    (10, "FArt", "uint:1"),
    (20, "FBetreff", "text"),
    (30, "FTermin", "f64"),
    (40, "FInhalt", "bytes"),
    (50, "FBreite", "i32"),
    (60, "FHoehe", "i32"),
    (200, "FVerfasser", "sub:TVerweisBen"),
    (210, "FBearbeiter", "sub:TVerweisBen"),
])

_klasse("TBtrKlasse", [
    (10, "FSchluessel", "text"),
    (20, "FBezeichnung", "text"),
    (30, "FTeilberechnung", "u8"),
    (40, "FFaktorText", "bool"),
    (200, "FFamilienbeitrag", "bool"),
    (210, "FFamilienMax", "u8"),
    (220, "FFamilienIst", "u8"),
    (230, "FFamilienAlter", "u8"),
    (400, "FAltKlassen", "rep:TAltKlasse"),
])
_klasse("TAltKlasse", [
    (10, "FVerwendungszweck", "text"),
    (20, "FBetrag", "f32"),
    (30, "FAlterBis", "u8"),
])

_KONTO = [(10, "FIBAN", "text"), (20, "FBLZ", "text"),
          (30, "FKontonummer", "text"), (40, "FInhaber", "text")]
_klasse("TMitgliedskonto", _KONTO + [
    (200, "FMandatsreferenz", "text"),
    (210, "FMandatsdatum", "i32"),
    (220, "FErstlastschrift", "i32"),
    (230, "FEmpfaengerKonto", "kurztext:6"),
])
_klasse("TVereinskonto", _KONTO + [
    (400, "FKontoSchluessel", "text"),
    (410, "FBezeichnung", "text"),
    (420, "FBankname", "text"),
    (430, "FGlaeubigerID", "text"),
    (440, "FAlt440", "nurlesen_i32"),
])

_klasse("TTabVorlage", [
    (10, "FTitel", "text"),
    (20, "FDruckOptionen", "uint:1"),
    (30, "FKopfFormat", "sub:TFormat"),
    (40, "FTabellenFormat", "sub:TFormat"),
    (100, "FSpalten", "ints"),
    (200, "FSortierung", "ints"),
    (300, "FAbteilungen", "text"),
    (400, "FFilter", "uint:1"),
    (500, "FGruppen", "uint:4"),
])
_klasse("TFormat", [
    (10, "FSchriftart", "text"),
    (20, "FGroesse", "i32"),
    (30, "FStil", "uint:1"),
    (40, "FFarbe", "uint:4"),
    (100, "FZweitfarbe", "uint:4"),
])

# base classes: a reader built without a base class has none of its kinds either
BASIS = {"TMitgliedskonto": "TKonto", "TVereinskonto": "TKonto",
         "TVerweisBen": "TVerweis", "TVerweisMitgl": "TVerweis",
         "TBenutzerListe": "TListe", "TNotizListe": "TListe", "TTabVorlagenListe": "TListe",
         "TVereinskontenListe": "TListe", "TBtrKlassenListe": "TListe"}


def ungebaut(unbuilt):
    """The record classes a reader without the classes `unbuilt` does not know."""
    unbuilt = frozenset(unbuilt)
    if "TDateiEA" in unbuilt:
        return frozenset(KLASSEN)
    return frozenset(k for k in KLASSEN if k in unbuilt or BASIS.get(k) in unbuilt)


_liste("TBenutzerListe", "TBenutzer")
_liste("TNotizListe", "TNotiz")
_liste("TTabVorlagenListe", "TTabVorlage")
_liste("TVereinskontenListe", "TVereinskonto")
_liste("TBtrKlassenListe", "TBtrKlasse")

# ---------------------------------------------------------------------------
# Field encoding

MAGIC = b"ZAQ32**700"
HINWEIS = (b"\r\nZAQ Mitgliederverwaltung\r\nBin\xe4rdatei. "
           b"Nicht mit Texteditor bearbeiten!\r\n").ljust(200, b"\0")
KOPF_LAENGE = 266
FORMAT_VERSION = 704

WF_LOKAL, WF_SCHLUESSEL, WF_VERSCHLUESSELN, WF_ARCHIV, WF_UNBEKANNT = 1, 2, 4, 8, 16
FLAGS_SPEICHERN = WF_LOKAL | WF_SCHLUESSEL | WF_UNBEKANNT


class FormatFehler(Exception):
    """A record that cannot be read; `kette` lists (ID, size, class), innermost first."""

    def __init__(self, text, kette=None):
        super().__init__(text)
        self.text = text
        self.kette = kette or []

    def __str__(self):
        zeilen = [self.text]
        for fid, groesse, kl in self.kette:
            zeilen.append("Datensatz-ID: %d, Größe: %d, Klasse: %s"
                          % (fid, groesse, kl))
        return "\n".join(zeilen)


def groessencode(n):
    """Size code the writer uses for n data bytes (not for Booleans and sub-records)."""
    if n <= 0:
        return 0
    if n <= 9:
        return n + 4
    if n <= 0xFF:
        return 1
    if n <= 0xFFFF:
        return 2
    if n <= 0xFFFFFF:
        return 3
    return 4


def kopf(fid, n, code=None):
    """Tag and length of a field with n data bytes."""
    if not 0 <= fid <= 4095:
        raise ValueError("Feld-ID %d nicht schreibbar" % fid)
    if code is None:
        code = groessencode(n)
    tag = (fid << 4) | code
    if code == 0 or 5 <= code <= 15:
        return tag.to_bytes(2, "little")
    if n >= 1 << (8 * code):
        raise ValueError("Länge %d passt nicht in Code %d" % (n, code))
    return tag.to_bytes(2, "little") + n.to_bytes(code, "little")


def bool_feld(fid, wert):
    return ((fid << 4) | (15 if wert else 14)).to_bytes(2, "little")


def unterblock(fid, daten):
    """A sub-record: always code 4 with a 4-byte length."""
    if len(daten) > 0x7FFFFFFF:
        raise ValueError("Unterblock zu groß")
    return struct.pack("<HI", (fid << 4) | 4, len(daten)) + daten


def lies_kopf(buf, pos, ende):
    """Returns (ID, code, size, data position); size -2/-1 for the Boolean codes."""
    if pos + 2 > ende:
        raise FormatFehler("Feldkopf über das Ende des Datensatzes")
    tag = buf[pos] | (buf[pos + 1] << 8)
    pos += 2
    fid = tag >> 4
    code = tag & 15
    if code == 0:
        n = 0
    elif code <= 4:
        if pos + code > ende:
            raise FormatFehler("Feldlänge über das Ende des Datensatzes", [(fid, -3, "?")])
        n = int.from_bytes(buf[pos:pos + code], "little")
        pos += code
    elif code <= 13:
        n = code - 4
    else:
        n = -2 if code == 14 else -1
    return fid, code, n, pos


# ---------------------------------------------------------------------------
# Reading into the dump form

def _unbekannt(fid, n, buf, pos):
    if n < 0:
        return {"FID": fid, "FIstBool": True, "FWert": n == -1, "FDaten": ""}
    return {"FID": fid, "FIstBool": False, "FWert": False,
            "FDaten": buf[pos:pos + n].hex().upper()}


_FESTE_GROESSE = {U8: 1, I16: 2, U16: 2, I32: 4, F64: 8, NUR_LESEN_I32: 4}


def _wert(f, n, buf, pos, kl):
    """Value of a known non-record field; raises FormatFehler if the size does not fit."""
    art = f.art
    if art == BOOL:
        if n >= 0:
            raise FormatFehler("Größe passt nicht", [(f.id, n, kl.name)])
        return n == -1
    if n < 0:
        raise FormatFehler("Größe passt nicht", [(f.id, n, kl.name)])
    if art == TEXT:
        return text_aus_bytes(buf[pos:pos + n])
    if art == BYTES:
        return buf[pos:pos + n].hex().upper()
    if art == INTS:
        return list(struct.unpack_from("<%di" % (n // 4), buf, pos))
    if art == TOL:
        if n > 32:
            raise FormatFehler("Größe passt nicht", [(f.id, n, kl.name)])
        b = bytes(buf[pos:pos + min(n, f.groesse)]).ljust(f.groesse, b"\0")
        return int.from_bytes(b, "little") if f.groesse <= 4 else b.hex().upper()
    if n != _FESTE_GROESSE.get(art, f.groesse):
        raise FormatFehler("Größe passt nicht", [(f.id, n, kl.name)])
    if art == U8:
        return buf[pos]
    if art == I16:
        return struct.unpack_from("<h", buf, pos)[0]
    if art == U16:
        return struct.unpack_from("<H", buf, pos)[0]
    if art == I32:
        return struct.unpack_from("<i", buf, pos)[0]
    if art == F64:
        return struct.unpack_from("<d", buf, pos)[0]
    if art == F32:
        return struct.unpack_from("<f", buf, pos)[0]
    if art == FIX_UINT:
        return int.from_bytes(buf[pos:pos + n], "little")
    if art == FIX_HEX:
        return buf[pos:pos + n].hex().upper()
    if art == KURZTEXT:
        laenge = min(buf[pos], n - 1)
        return text_aus_bytes(buf[pos + 1:pos + 1 + laenge])
    return None   # NUR_LESEN_I32, VERSTECKT: checked and dropped


_LESE_INFO = {}


def _lese_info(kl, unbuilt):
    """ID -> field, without the sub-records of classes the reader does not know."""
    schl = (kl.name, unbuilt)
    info = _LESE_INFO.get(schl)
    if info is None:
        fehlend = ungebaut(unbuilt)
        info = {fid: f for fid, f in kl.nach_id.items()
                if f.klasse is None or f.klasse not in fehlend}
        _LESE_INFO[schl] = info
    return info


def lies_record(buf, pos, ende, kl, unbuilt=frozenset(), ziel=None):
    """Reads the fields of a record of class `kl` from buf[pos:ende] into its dump form."""
    liste = kl.element is not None
    rec = ziel if ziel is not None else {}
    items = [] if liste else None
    unb = rec.get("FUnbekannt") if not liste else None
    info = _lese_info(kl, unbuilt)
    tabelle = _TABELLE
    while pos < ende:
        # tag: 12-bit ID, 4-bit size code
        if pos + 2 > ende:
            raise FormatFehler("Feldkopf über das Ende des Datensatzes", [(0, 0, kl.name)])
        tag = buf[pos] | (buf[pos + 1] << 8)
        pos += 2
        fid = tag >> 4
        code = tag & 15
        if code >= 5:
            n = code - 4 if code <= 13 else code - 16    # 14 -> -2, 15 -> -1
        elif code == 0:
            n = 0
        else:
            n = int.from_bytes(buf[pos:pos + code], "little")
            pos += code
        if pos + (n if n > 0 else 0) > ende:
            raise FormatFehler("Feld über das Ende des Datensatzes", [(fid, n, kl.name)])
        f = info.get(fid)
        if f is None:
            if fid != 0:
                if unb is None:
                    unb = []
                    if not liste:
                        rec["FUnbekannt"] = unb
                unb.append(_unbekannt(fid, n, buf, pos))
            if n > 0:
                pos += n
            continue
        art = f.art
        # the common kinds first
        if art == TEXT and n >= 0 and f.index is None:
            rec[f.name] = codecs.charmap_decode(buf[pos:pos + n], "strict", tabelle)[0]
            pos += n
        elif art == I32 and n == 4:
            if not liste:
                rec[f.name] = int.from_bytes(buf[pos:pos + 4], "little", signed=True)
            pos += 4
        elif art == BOOL and n < 0:
            rec[f.name] = n == -1
        elif art == F64 and n == 8:
            rec[f.name] = struct.unpack_from("<d", buf, pos)[0]
            pos += 8
        elif art == SUB or art == REP:
            if n < 0:
                raise FormatFehler("Größe passt nicht", [(fid, n, kl.name)])
            sub = KLASSEN[f.klasse]
            try:
                if art == REP:
                    wert = lies_record(buf, pos, pos + n, sub, unbuilt)
                    if liste:
                        items.append(wert)
                    else:
                        rec.setdefault(f.name, []).append(wert)
                else:
                    alt = rec.get(f.name)
                    if sub.element is not None or not isinstance(alt, dict):
                        alt = None
                    rec[f.name] = lies_record(buf, pos, pos + n, sub, unbuilt, alt)
            except FormatFehler as e:
                e.kette.append((fid, n, kl.name))
                raise
            pos += n
        elif f.index is not None:
            namen = rec.get(f.name)
            if namen is None:
                namen = rec[f.name] = [None] * 32
            namen[f.index] = _wert(f, n, buf, pos, kl)
            pos += n
        else:
            wert = _wert(f, n, buf, pos, kl)
            if art != VERSTECKT and art != NUR_LESEN_I32 and not liste:
                rec[f.name] = wert
            if n > 0:
                pos += n
    if liste:
        if unb:
            return {"FListe": items, "FUnbekannt": unb}
        return items
    return rec


# ---------------------------------------------------------------------------
# Writing from the dump form (plus the writer's extras, see README)

def _kodierer(f):
    """A function value -> complete field bytes (tag, length, data) for field f."""
    fid = f.id
    art = f.art
    feste = {U8: ("<HB", 5), I16: ("<Hh", 6), U16: ("<HH", 6), I32: ("<Hi", 8),
             F64: ("<Hd", 12), F32: ("<Hf", 8)}
    if art in feste:
        fmt, code = feste[art]
        st = struct.Struct(fmt)
        tag = (fid << 4) | code

        def fest(v):
            try:
                return st.pack(tag, v)
            except struct.error as e:
                raise ValueError("%s: Wert %r passt nicht" % (f.name, v)) from e
        return fest
    if art == BOOL:
        wahr, falsch = bool_feld(fid, True), bool_feld(fid, False)
        return lambda v: wahr if v else falsch
    kurz = [kopf(fid, n) for n in range(10)]
    code1 = ((fid << 4) | 1).to_bytes(2, "little")
    if art == TEXT:
        tab = _KODIER_TABELLE

        def text(v):
            try:
                d = codecs.charmap_encode(v, "strict", tab)[0]
            except UnicodeEncodeError as e:
                raise ValueError("%s: nicht in Windows-1252: %r" % (f.name, v)) from e
            n = len(d)
            if n < 10:
                return kurz[n] + d
            if n < 256:
                return code1 + bytes((n,)) + d
            return kopf(fid, n) + d
        return text

    def allgemein(v):
        d = kodiere_wert(f, v)
        n = len(d)
        return (kurz[n] if n < 10 else kopf(fid, n)) + d
    return allgemein


# plan entries: (name, kind, field, encoder); kind 0 value, 1 sub, 2 repeated, 3 group name
_PLAENE = {}


def _plan(kl):
    plan = _PLAENE.get(kl.name)
    if plan is None:
        plan = []
        for f in kl.felder:
            if f.art == NUR_LESEN_I32:
                continue
            if f.art == SUB:
                plan.append((f.name, 1, f, None))
            elif f.art == REP:
                plan.append((f.name, 2, f, None))
            else:
                plan.append((f.name, 3 if f.index is not None else 0, f, _kodierer(f)))
        _PLAENE[kl.name] = plan
    return plan


_SCHREIBFUNKTIONEN = {}


def _schreibfunktion(kl):
    """A straight-line writer for the fields of class kl, in the writer's order.

    Generated once per class: big member files spend most of their time here."""
    fn = _SCHREIBFUNKTIONEN.get(kl.name)
    if fn is not None:
        return fn
    umgebung = {"unterblock": unterblock, "KLASSEN": KLASSEN, "WF_SCHLUESSEL": WF_SCHLUESSEL}
    zeilen = ["def schreibe(self, rec, out):", "    a = out.append", "    g = rec.get"]
    for i, (name, art, f, kod) in enumerate(_plan(kl)):
        umgebung["k%d" % i] = kod
        zeilen.append("    v = g(%r)" % name)
        zeilen.append("    if v is not None:")
        if art == 0 and f.nur_lokal:
            zeilen.append("        if self.flags & WF_SCHLUESSEL: a(k%d(v))" % i)
        elif art == 0:
            zeilen.append("        a(k%d(v))" % i)
        elif art == 1:
            zeilen.append("        a(unterblock(%d, self.record(KLASSEN[%r], v)))"
                          % (f.id, f.klasse))
        elif art == 2:
            zeilen.append("        for item in v:")
            if name == "FArchiv":
                zeilen.append("            if not self._archiv_schreiben(item): continue")
            zeilen.append("            a(unterblock(%d, self.record(KLASSEN[%r], item)))"
                          % (f.id, f.klasse))
        else:
            zeilen.append("        v = v[%d]" % f.index)
            zeilen.append("        if v is not None: a(k%d(v))" % i)
    exec("\n".join(zeilen), umgebung)
    fn = _SCHREIBFUNKTIONEN[kl.name] = umgebung["schreibe"]
    return fn


class Schreiber:
    def __init__(self, flags=FLAGS_SPEICHERN, archiv_stichtag=None, benutzer=None):
        self.flags = flags
        self.archiv_stichtag = archiv_stichtag
        self.benutzer = benutzer
        self.cache = {}

    def record(self, kl, rec):
        """The field bytes of one record."""
        if kl.element is not None:
            return self._liste(kl, rec)
        schl = id(rec)
        treffer = self.cache.get(schl)
        if treffer is not None:
            return treffer[1]
        if not kl.namen_unb.issuperset(rec):
            fremd = sorted(set(rec) - kl.namen_unb)
            raise ValueError("%s kennt kein Feld %s" % (kl.name, ", ".join(fremd)))
        out = []
        _schreibfunktion(kl)(self, rec, out)
        unb = rec.get("FUnbekannt")
        if unb:
            self._unbekannte(kl, unb, out)
        b = b"".join(out)
        self.cache[schl] = (rec, b)   # keeps rec alive while its id is cached
        return b

    def _liste(self, kl, rec):
        if isinstance(rec, dict):
            items = rec.get("FListe", [])
            anzahl = rec.get("FAnzahl", len(items))
            unb = rec.get("FUnbekannt")
        else:
            items, anzahl, unb = rec, len(rec), None
        sub = KLASSEN[kl.element]
        out = [] if anzahl is None else [kopf(10, 4), struct.pack("<i", anzahl)]
        for item in items:
            out.append(unterblock(20, self.record(sub, item)))
        self._unbekannte(kl, unb, out)
        return b"".join(out)

    def _unbekannte(self, kl, unb, out):
        if not unb or not self.flags & WF_UNBEKANNT:
            return
        for u in unb:
            out.append(kodiere_unbekannt(u))

    def _archiv_schreiben(self, m):
        if not self.flags & WF_ARCHIV or self.archiv_stichtag is None:
            return True
        return archiv_im_zeitraum(m, self.archiv_stichtag, self.benutzer)


def kodiere_unbekannt(u):
    if u.get("FIstBool"):
        return bool_feld(u["FID"], u.get("FWert", False))
    d = bytes.fromhex(u.get("FDaten", ""))
    code = u.get("FCode")
    if code == 4:
        return unterblock(u["FID"], d)
    return kopf(u["FID"], len(d), code) + d


def kodiere_wert(f, v):
    """Data bytes of a known non-record field."""
    art = f.art
    if art == TEXT:
        return text_zu_bytes(v)
    if art == BYTES:
        return bytes.fromhex(v)
    if art == INTS:
        return struct.pack("<%di" % len(v), *v)
    if art == U8:
        return struct.pack("<B", v)
    if art == I16:
        return struct.pack("<h", v)
    if art == U16:
        return struct.pack("<H", v)
    if art == I32:
        return struct.pack("<i", v)
    if art == F64:
        return struct.pack("<d", v)
    if art == F32:
        return struct.pack("<f", v)
    if art == FIX_UINT or art == TOL and f.groesse <= 4:
        return int(v).to_bytes(f.groesse, "little")
    if art == FIX_HEX or art == TOL or art == VERSTECKT:
        d = bytes.fromhex(v)
        if len(d) != f.groesse:
            raise ValueError("%s braucht %d Bytes" % (f.name, f.groesse))
        return d
    if art == KURZTEXT:
        d = text_zu_bytes(v)
        if len(d) > f.groesse - 1:
            raise ValueError("%s: Text zu lang: %r" % (f.name, v))
        return bytes([len(d)]) + d.ljust(f.groesse - 1, b"\0")
    raise ValueError("Feldart %d nicht schreibbar" % art)


def archiv_im_zeitraum(m, stichtag, benutzer):
    """Write flag 8: the archived member is still within the retention period.

    `stichtag` is today minus the retention days; `benutzer` the user list."""
    if m.get("FAustrittsdatum", 0) >= stichtag:
        return True
    g = m.get("FGeaendertVon")
    return bool(g) and g.get("FZeit", 0) >= stichtag and \
        suche_benutzer(benutzer, None, g.get("FLogin", ""), g.get("FBenutzerNr", 0)) is not None


def suche_benutzer(benutzer, verwaiste, login, nummer):
    """The last user with that login (and number, when not 0); then the former users."""
    def suche(liste):
        treffer = None
        for b in _items(liste):
            if b.get("FLogin", "") == login.strip() and \
                    (nummer == 0 or b.get("FBenutzerNr") == nummer):
                treffer = b
        return treffer
    t = suche(benutzer)
    if t is None and nummer != 0:
        t = suche(verwaiste)
    return t


def _items(liste):
    if liste is None:
        return []
    if isinstance(liste, dict):
        return liste.get("FListe", [])
    return liste


# ---------------------------------------------------------------------------
# File container

def _xor(daten, muster):
    """XOR data with a repeating pattern, starting at pattern offset 0."""
    if not muster or not daten:
        return daten
    n = len(daten)
    wdh = (muster * (n // len(muster) + 1))[:n]
    return (int.from_bytes(daten, "little") ^ int.from_bytes(wdh, "little")).to_bytes(n, "little")


def crc32(b):
    return zlib.crc32(b) & 0xFFFFFFFF


def schreibe_datei(zaq, flags=FLAGS_SPEICHERN, verschleiert=True, schluessel=None,
                   pad=None, rng=None, crc_falsch=False, version=(7, 0, 4, 0),
                   archiv_stichtag=None):
    """The bytes of a member file holding the TZAQ record `zaq` (dump form).

    With write flag 4 the body is enciphered with `schluessel` (default: the
    key in FFtpDaten)."""
    rec = dict(zaq)
    if "FVersion" not in rec:
        rec["FVersion"] = struct.pack("<4i", *version).hex()
    ftp = rec.get("FFtpDaten") or {}
    eigener = bytes.fromhex(ftp.get("FSchluessel", ""))
    if schluessel is None:
        schluessel = eigener
    if flags & WF_VERSCHLUESSELN and not schluessel:
        raise ValueError("Verschlüsseln ohne Schlüssel")
    s = Schreiber(flags, archiv_stichtag, rec.get("FBenutzer"))
    body = s.record(KLASSEN["TZAQ"], rec)
    if pad is None:
        rng = rng or random.Random()
        pad = bytes(rng.getrandbits(8) for _ in range(50))
    crc = crc32(body)
    if crc_falsch:
        crc ^= 0x5A5A5A5A
    kopfteil = (MAGIC + HINWEIS + bytes([1 if flags & WF_VERSCHLUESSELN else 0])
                + struct.pack("<I", crc32(schluessel))
                + bytes([1 if verschleiert else 0]) + pad)
    if verschleiert:
        body = _xor(body, pad)
    if flags & WF_VERSCHLUESSELN:
        body = _xor(body, schluessel)
    return kopfteil + body + struct.pack("<I", crc)


class DateiFehler(Exception):
    """A file that cannot be read as a member file (the program refuses it)."""

    def __init__(self, art, text):
        super().__init__(text)
        self.art = art   # "KeineZAQDatei", "Schluessel", "Pruefsumme", "Struktur"


def entschluessele(daten, schluessel=None, crc_ignorieren=False):
    """Checks the container and returns (header dict, plain body bytes)."""
    if len(daten) < 10 or daten[:10] != MAGIC:
        raise DateiFehler("KeineZAQDatei", "Keine Mitgliederdatei (Kennung fehlt)")
    if len(daten) < KOPF_LAENGE + 4:
        raise DateiFehler("Struktur", "Datei zu kurz")
    kopfinfo = {
        "hinweis": daten[10:210],
        "schluessel_flag": daten[210],
        "schluessel_pruefwert": struct.unpack_from("<I", daten, 211)[0],
        "verschleiert": daten[215],
        "pad": daten[216:266],
    }
    body = daten[KOPF_LAENGE:-4]
    if kopfinfo["schluessel_flag"] == 1:
        if not schluessel or crc32(schluessel) != kopfinfo["schluessel_pruefwert"]:
            raise DateiFehler("Schluessel", "Schlüssel stimmen nicht überein. "
                              "Datei kann nicht entschlüsselt werden!")
        body = _xor(body, schluessel)
    if kopfinfo["verschleiert"] == 1:
        body = _xor(body, kopfinfo["pad"])
    gespeichert = struct.unpack_from("<I", daten, len(daten) - 4)[0]
    kopfinfo["crc"] = gespeichert
    kopfinfo["crc_ok"] = crc32(body) == gespeichert
    if not kopfinfo["crc_ok"] and not crc_ignorieren:
        raise DateiFehler("Pruefsumme", "Die Prüfsumme der Datei stimmt nicht.")
    return kopfinfo, body


def lies_datei(daten, schluessel=None, crc_ignorieren=False, unbuilt=frozenset()):
    """Returns (header dict, dump of the TZAQ record)."""
    kopfinfo, body = entschluessele(daten, schluessel, crc_ignorieren)
    try:
        dump = lies_record(body, 0, len(body), KLASSEN["TZAQ"], frozenset(unbuilt))
    except FormatFehler as e:
        raise DateiFehler("Struktur", "Fehler beim Einlesen des Datei-Streams: %s" % e) from e
    return kopfinfo, dump


# ---------------------------------------------------------------------------
# The dump a correct reader shows for a structure written by `schreibe_datei`

def erwartet(zaq, flags=FLAGS_SPEICHERN, unbuilt=frozenset(), archiv_stichtag=None):
    s = Schreiber(flags, archiv_stichtag, zaq.get("FBenutzer"))
    return _Erwartung(flags, ungebaut(unbuilt), s).record(KLASSEN["TZAQ"], zaq)


_REST_PLAENE = {}


def _rest_plan(kl):
    plan = _REST_PLAENE.get(kl.name)
    if plan is None:
        plan = _REST_PLAENE[kl.name] = [(name, art, f) for name, art, f, _ in _plan(kl)
                                          if name not in kl.einfach]
    return plan


class _Erwartung:
    def __init__(self, flags, unbuilt, schreiber):
        self.flags = flags
        self.unbuilt = unbuilt
        self.s = schreiber
        self.cache = {}

    def unbekannte(self, unb):
        if not unb or not self.flags & WF_UNBEKANNT:
            return []
        return [{"FID": u["FID"], "FIstBool": bool(u.get("FIstBool", False)),
                 "FWert": bool(u.get("FWert", False)) if u.get("FIstBool") else False,
                 "FDaten": "" if u.get("FIstBool") else u.get("FDaten", "").upper()}
                for u in unb if u["FID"] != 0]

    def als_unbekannt(self, fid, kl, rec):
        return {"FID": fid, "FIstBool": False, "FWert": False,
                "FDaten": self.s.record(kl, rec).hex().upper()}

    def record(self, kl, rec):
        schl = id(rec)
        treffer = self.cache.get(schl)
        if treffer is not None:
            return treffer[1]
        if kl.element is not None:
            out = self._liste(kl, rec)
        else:
            out = self._record(kl, rec)
        self.cache[schl] = (rec, out)
        return out

    def _liste(self, kl, rec):
        if isinstance(rec, dict):
            items, unb = rec.get("FListe", []), rec.get("FUnbekannt")
        else:
            items, unb = rec, None
        sub = KLASSEN[kl.element]
        if kl.element in self.unbuilt:
            neu_items = []
            vorne = [self.als_unbekannt(20, sub, i) for i in items]
        else:
            neu_items = [self.record(sub, i) for i in items]
            vorne = []
        alle = vorne + self.unbekannte(unb)
        return {"FListe": neu_items, "FUnbekannt": alle} if alle else neu_items

    def _record(self, kl, rec):
        # values that read back as written are copied at once
        einfach = kl.einfach
        out = {k: v for k, v in rec.items() if k in einfach and v is not None}
        vorne = []
        flags, unbuilt = self.flags, self.unbuilt
        for name, art, f in _rest_plan(kl):
            v = rec.get(name)
            if v is None:
                continue
            if art == 0:
                if f.art == VERSTECKT or f.nur_lokal and not flags & WF_SCHLUESSEL:
                    continue
                if f.art == F32:
                    v = struct.unpack("<f", struct.pack("<f", v))[0]
                elif f.art in (BYTES, FIX_HEX):
                    v = v.upper()
                out[name] = v
            elif art == 3:
                if f.index == 0 and any(x is not None for x in v):
                    out[name] = list(v)
            else:
                sub = KLASSEN[f.klasse]
                werte = v if art == 2 else [v]
                if name == "FArchiv":
                    werte = [m for m in werte if self.s._archiv_schreiben(m)]
                if f.klasse in unbuilt:
                    vorne += [self.als_unbekannt(f.id, sub, w) for w in werte]
                elif art == 2:
                    if werte:
                        out[name] = [self.record(sub, w) for w in werte]
                else:
                    out[name] = self.record(sub, v)
        alle = vorne + self.unbekannte(rec.get("FUnbekannt"))
        if alle:
            out["FUnbekannt"] = alle
        return out


# ---------------------------------------------------------------------------
# Comparing an original with the program's resaved copy

class _Fehlt:
    """The resaved file must not contain this field."""

    def __init__(self, grund):
        self.grund = grund


class _Vielleicht:
    """The resaved file may drop this field; if it keeps it, the value must be equal."""

    def __init__(self, wert):
        self.wert = wert


def _ohne_unbekannte(kl, rec):
    if kl.element is not None:
        items = _items(rec)
        sub = KLASSEN[kl.element]
        return [_ohne_unbekannte(sub, i) for i in items]
    out = {}
    for k, v in rec.items():
        if k == "FUnbekannt":
            continue
        f = next((f for f in kl.felder if f.name == k), None)
        if f is not None and f.art == SUB:
            v = _ohne_unbekannte(KLASSEN[f.klasse], v)
        elif f is not None and f.art == REP:
            v = [_ohne_unbekannte(KLASSEN[f.klasse], x) for x in v]
        out[k] = v
    return out


def nach_speichern(orig):
    """What the program's local save must read back as, from the original's dump.

    Fields every write changes are removed; the rest follows the program's writer:
    format version 704, no unknown fields when FUnbekannteBehalten is false,
    member stamps only while they name an existing user.  A local save keeps
    the unknown fields of TFtpDaten too (only an upload leaves them out)."""
    exp = dict(orig)
    exp.pop("FSchreibvorgaenge", None)
    exp["FFormatVersion"] = FORMAT_VERSION
    if exp.get("FUnbekannteBehalten", True) is False:
        exp = _ohne_unbekannte(KLASSEN["TZAQ"], exp)
    benutzer, verwaiste = exp.get("FBenutzer"), exp.get("FVerwaisteBenutzer")
    for liste in ("FMitglieder", "FArchiv"):
        if liste not in exp:
            continue
        neu = []
        for m in exp[liste]:
            m = dict(m)
            for name in ("FGeaendertVon", "FAustrittVon"):
                st = m.get(name)
                if st is None:
                    continue
                login, nr = st.get("FLogin", ""), st.get("FBenutzerNr", 0)
                if nr != 0 and suche_benutzer(benutzer, None, login, nr) is not None:
                    continue
                if nr != 0 and suche_benutzer(None, verwaiste, login, nr) is not None:
                    m[name] = _Vielleicht(st)   # a former user: reading is open
                else:
                    m[name] = _Fehlt("Stempel ohne vorhandenen Benutzer")
            neu.append(m)
        exp[liste] = neu
    return exp


def _kurz(v):
    s = json.dumps(v, ensure_ascii=False)
    return s if len(s) <= 80 else s[:77] + "..."


def _gleich(a, b):
    if isinstance(a, float) and isinstance(b, float) and a != a and b != b:
        return True
    if isinstance(a, bool) != isinstance(b, bool):
        return False
    return a == b


def _liste_teile(v):
    if isinstance(v, dict):
        return v.get("FListe", []), v.get("FUnbekannt", [])
    return (v or []), []


def _vergleiche(kl, exp, act, pfad, fehler):
    if kl.element is not None:
        ei, eu = _liste_teile(exp)
        ai, au = _liste_teile(act)
        sub = KLASSEN[kl.element]
        if len(ei) != len(ai):
            fehler.append("%s: %d Einträge, neu %d" % (pfad, len(ei), len(ai)))
        for i, (e, a) in enumerate(zip(ei, ai)):
            _vergleiche(sub, e, a, "%s[%d]" % (pfad, i), fehler)
        _vergleiche_unbekannte(eu, au, pfad, fehler)
        return
    if not isinstance(act, dict):
        fehler.append("%s: kein Datensatz im neuen Stand" % pfad)
        return
    namen = []
    for f in kl.felder:
        if f.name not in namen and f.art not in (VERSTECKT, NUR_LESEN_I32):
            namen.append(f.name)
    for name in namen:
        f = next(f for f in kl.felder if f.name == name)
        p = "%s.%s" % (pfad, name) if pfad else name
        if f.art == REP:
            e, a = exp.get(name, []), act.get(name, [])
            if len(e) != len(a):
                fehler.append("%s: %d Einträge, neu %d" % (p, len(e), len(a)))
            for i, (x, y) in enumerate(zip(e, a)):
                _vergleiche(KLASSEN[f.klasse], x, y, "%s[%d]" % (p, i), fehler)
            continue
        if name not in exp:
            continue
        e = exp[name]
        if isinstance(e, _Fehlt):
            if name in act:
                fehler.append("%s: darf nicht geschrieben werden (%s), neu %s"
                              % (p, e.grund, _kurz(act[name])))
            continue
        if isinstance(e, _Vielleicht):
            if name not in act:
                continue
            e = e.wert
        if name not in act:
            fehler.append("%s: fehlt, Original %s" % (p, _kurz(e)))
            continue
        a = act[name]
        if f.art == SUB:
            _vergleiche(KLASSEN[f.klasse], e, a, p, fehler)
        elif f.index is not None:
            for i, x in enumerate(e):
                if x is not None and (len(a) <= i or a[i] != x):
                    fehler.append("%s[%d]: Original %s, neu %s"
                                  % (p, i, _kurz(x), _kurz(a[i] if len(a) > i else None)))
        elif not _gleich(e, a):
            fehler.append("%s: Original %s, neu %s" % (p, _kurz(e), _kurz(a)))
    e = exp.get("FUnbekannt", [])
    if isinstance(e, _Fehlt):
        if act.get("FUnbekannt"):
            fehler.append("%s.FUnbekannt: darf nicht geschrieben werden (%s)"
                          % (pfad, e.grund))
        return
    _vergleiche_unbekannte(e, act.get("FUnbekannt", []), pfad, fehler)


def _vergleiche_unbekannte(e, a, pfad, fehler):
    p = "%s.FUnbekannt" % pfad if pfad else "FUnbekannt"
    if len(e) != len(a):
        fehler.append("%s: %d Felder, neu %d (Original IDs %s, neu %s)"
                      % (p, len(e), len(a), [x["FID"] for x in e], [x["FID"] for x in a]))
        return
    for i, (x, y) in enumerate(zip(e, a)):
        if x != y:
            fehler.append("%s[%d]: Original %s, neu %s" % (p, i, _kurz(x), _kurz(y)))


def _pruefe_roh(buf, pos, ende, kl, pfad, fehler, fremd=frozenset()):
    """Checks the writer's rules in the raw fields: size codes, order, completeness.

    `fremd`: classes the writing program does not know; it keeps their records
    as unknown fields, written back as byte arrays after its own fields."""
    letzte = -1
    gesehen = set()
    nach_unbekannt = False
    items = 0
    anzahl = None
    while pos < ende:
        fid, code, n, dpos = lies_kopf(buf, pos, ende)
        p = "%s#%d" % (pfad, fid)
        f = kl.nach_id.get(fid)
        if f is not None and f.art in (SUB, REP) and f.klasse in fremd:
            f = None
        if f is None:
            if fid == 0:
                fehler.append("%s: Feld mit ID 0 geschrieben" % p)
            nach_unbekannt = True
            if n >= 0 and code != groessencode(n):
                fehler.append("%s: Größencode %d für %d Bytes (erwartet %d)"
                              % (p, code, n, groessencode(n)))
        else:
            if nach_unbekannt:
                fehler.append("%s: bekanntes Feld nach unbekannten Feldern" % p)
            if f.art == NUR_LESEN_I32:
                fehler.append("%s: Feld wird nur gelesen, nie geschrieben" % p)
            if f.pos < letzte or (f.pos == letzte and f.art != REP):
                fehler.append("%s: Feld außer der Reihenfolge oder doppelt" % p)
            letzte = max(letzte, f.pos)
            gesehen.add(fid)
            if f.art == BOOL:
                soll = code if code in (14, 15) else 15
            elif f.art in (SUB, REP):
                soll = 4
            else:
                soll = groessencode(n)
            if code != soll:
                fehler.append("%s: Größencode %d (erwartet %d)" % (p, code, soll))
            if f.art == TOL and n != f.groesse:
                fehler.append("%s: %d Bytes statt %d" % (p, n, f.groesse))
            if f.art in (SUB, REP) and n >= 0:
                _pruefe_roh(buf, dpos, dpos + n, KLASSEN[f.klasse], "%s/%s" % (pfad, f.name),
                            fehler, fremd)
            if kl.element is not None:
                if fid == 20:
                    items += 1
                elif fid == 10 and n == 4:
                    anzahl = struct.unpack_from("<i", buf, dpos)[0]
        pos = dpos + max(n, 0)
    for f in kl.felder:
        if f.art in (SUB, REP) and f.klasse in fremd:
            continue
        if not f.optional and f.id not in gesehen:
            fehler.append("%s: Feld %d (%s) fehlt" % (pfad, f.id, f.name))
    if kl.element is not None and anzahl is not None and anzahl != items:
        fehler.append("%s: Anzahl %d, aber %d Einträge" % (pfad, anzahl, items))


def vergleiche_dateien(orig, neu, schluessel=None, unbuilt=frozenset()):
    """Differences between an original member file and the program's resaved copy.

    With `unbuilt`, both files are read as a program without those classes reads
    them: their records are kept bytes that may only change their size code."""
    fehler = []
    fremd = ungebaut(unbuilt)
    ok_kopf, orig_dump = lies_datei(orig, schluessel, unbuilt=frozenset(unbuilt))
    try:
        neu_kopf, body = entschluessele(neu, schluessel, crc_ignorieren=True)
    except DateiFehler as e:
        return ["Neue Datei nicht lesbar: %s" % e]
    if not neu_kopf["crc_ok"]:
        fehler.append("Kopf: Prüfsumme stimmt nicht")
    if neu_kopf["hinweis"] != HINWEIS:
        fehler.append("Kopf: Hinweistext weicht ab")
    if neu_kopf["schluessel_flag"] not in (0, 1):
        fehler.append("Kopf: Schlüsselkennung %d" % neu_kopf["schluessel_flag"])
    if neu_kopf["verschleiert"] != ok_kopf["verschleiert"]:
        fehler.append("Kopf: Verschleierung %d, Original %d"
                      % (neu_kopf["verschleiert"], ok_kopf["verschleiert"]))
    if neu_kopf["pad"] == ok_kopf["pad"]:
        fehler.append("Kopf: Zufallsblock unverändert übernommen")
    try:
        neu_dump = lies_record(body, 0, len(body), KLASSEN["TZAQ"], frozenset(unbuilt))
    except FormatFehler as e:
        return fehler + ["Neue Datei: Strukturfehler: %s" % e]
    key = bytes.fromhex(neu_dump.get("FFtpDaten", {}).get("FSchluessel", ""))
    if neu_kopf["schluessel_pruefwert"] != crc32(key):
        fehler.append("Kopf: Schlüsselprüfwert %08X, Schlüssel ergibt %08X"
                      % (neu_kopf["schluessel_pruefwert"], crc32(key)))
    _pruefe_roh(body, 0, len(body), KLASSEN["TZAQ"], "TZAQ", fehler, fremd)
    _vergleiche(KLASSEN["TZAQ"], nach_speichern(orig_dump), neu_dump, "", fehler)
    return fehler


# ---------------------------------------------------------------------------
# Test files

SONDERZEICHEN = "€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ"
UNBELEGT = "\x81\x8d\x8f\x90\x9d"      # bytes without a Windows-1252 character
UMLAUTE = "äöüÄÖÜß"

_NACHNAMEN = ["Müller", "Schröder", "Weiß", "Groß", "Bäcker", "Köhler", "Jäger",
              "Fuß", "Hüttl", "Schäfer", "Zöllner", "Meißner", "Krüger", "Özdemir",
              "Ångström", "Dvorák", "Nußbaum", "Straßer", "Öttl", "Ærø"]
_VORNAMEN = ["Jürgen", "Björn", "Käthe", "Sören", "Günther", "Jörg", "Ülkü", "Gisela",
             "Zoë", "Renée", "Anaïs", "Jérôme", "Bärbel", "Jens", "Maria", "Hans-Peter"]
_ORTE = [("80331", "München"), ("50667", "Köln"), ("97070", "Würzburg"),
         ("90402", "Nürnberg"), ("66111", "Saarbrücken"), ("79098", "Freiburg im Breisgau"),
         ("88045", "Friedrichshafen"), ("01067", "Dresden")]
_STRASSEN = ["Hauptstraße", "Schloßallee", "Am Mühlbach", "Jägerweg", "Königsplatz",
             "Lindenstraße", "Ölbergstraße", "Bürgerweg"]
_GRUENDE = ["Austritt", "Ausschluß", "Todesfall", "Umzug – „weit weg“"]
_ABTEILUNGEN = ["Fußball", "Tennis", "Turnen", "A-Jugend", "Ski & Berg", "Tischtennis"]


def _hash(kennwort, login):
    return hashlib.md5(text_zu_bytes(kennwort + login)).hexdigest().upper()


def _zeit(rng, von, bis):
    """A date-time in whole seconds."""
    return rng.randint(von, bis) + rng.randint(0, 86399) / 86400.0


def _iban(blz, kto):
    zahl = int(blz + kto + "131400")
    return "DE%02d%s%s" % (98 - zahl % 97, blz, kto)


def _stempel(b, zeit):
    return {"FZeit": zeit, "FLogin": b["FLogin"], "FBenutzerNr": b["FBenutzerNr"]}


def _benutzer(rng, login, name, funktion, nr, rechte, aktionen):
    return {"FLogin": login, "FKennwortHash": _hash("Geheim€" + login, login),
            "FBenutzerNr": nr, "FVollerName": name, "FFunktion": funktion,
            "FBildNr": 255, "FBild": (b"\xff\xd8\xff\xe0" + rng.randbytes(60)
                                      + b"\xff\xd9").hex().upper(),
            "FGueltigBis": 47848 + rng.randint(0, 900), "FRechte": rechte,
            "FKennwortAktionen": aktionen}


def _rtf(text):
    return text_zu_bytes("{\\rtf1\\ansi " + text + "\\par}").hex().upper()


def _notiz(rng, nutzer, betreff, art):
    a, b = rng.choice(nutzer), rng.choice(nutzer)
    return {"FArt": art, "FBetreff": betreff, "FTermin": _zeit(rng, 44000, 46000),
            "FInhalt": _rtf(betreff + " \\'e4\\'80"),
            "FBreite": rng.randint(600, 1200), "FHoehe": rng.randint(300, 900),
            "FVerfasser": _stempel(a, _zeit(rng, 40000, 44000)),
            "FBearbeiter": _stempel(b, _zeit(rng, 44000, 45000))}


def _format(schrift, groesse, stil, farbe, zweit):
    return {"FSchriftart": schrift, "FGroesse": groesse, "FStil": stil, "FFarbe": farbe,
            "FZweitfarbe": zweit}


def _stammdaten(rng):
    sd = {
        "FVereinsname": "Turn- und Sportverein Grün-Weiß 1848 e.V. „Frisch auf“",
        "FVereinsPLZ": "97070", "FVereinsort": "Würzburg",
        "FGruendungsdatum": -18645,          # 1848, before the day-number origin
        "FVereinsnummern": "VR 1234 – Amtsgericht Würzburg; StNr 257/110/12345",
        "FJahresberechnung": 2, "FJahresdatum1": 36738, "FJahresdatum2": 36707,
        "FJahresdatum3": 43830, "FGeburtstage": "50;60;65;70;75;80;85;90;95;100",
        "FEhrungen": "5;10;15;25;40;50;60;65;70", "FGeburtstagsJahre": 3,
        "FBeitragsberechnung": 3, "FBeitragsdatum1": 36708, "FBeitragsdatum2": 36616,
        "FBeitragsdatum3": 45657, "FZweckVorlage": "Mitgliedsbeitrag %Jahre% – TSV Grün-Weiß",
        "FVereinskonten": [
            {"FIBAN": _iban("79050000", "0012345678"), "FBLZ": "79050000",
             "FKontonummer": "0012345678", "FInhaber": "TSV Grün-Weiß 1848 e.V.",
             "FKontoSchluessel": "HAUPT", "FBezeichnung": "Hauptkonto Sparkasse",
             "FBankname": "Sparkasse Mainfranken Würzburg", "FGlaeubigerID": "DE98ZZZ09999999999"},
            {"FIBAN": _iban("79090000", "0000987654"), "FBLZ": "79090000",
             "FKontonummer": "0000987654", "FInhaber": "TSV Grün-Weiß – Jugendkasse",
             "FKontoSchluessel": "JUG€", "FBezeichnung": "Jugendkonto Volksbank",
             "FBankname": "VR-Bank Würzburg", "FGlaeubigerID": "DE12ZZZ00000012345"},
        ],
        "FBtrKlassen": [
            {"FSchluessel": "ERW", "FBezeichnung": "Erwachsene nach Altersklassen",
             "FTeilberechnung": 3, "FFaktorText": True, "FFamilienbeitrag": False,
             "FFamilienMax": 3, "FFamilienIst": 0, "FFamilienAlter": 21,
             "FAltKlassen": [
                 {"FVerwendungszweck": "Jugend bis 17 – Förderung", "FBetrag": 30.5, "FAlterBis": 17},
                 {"FVerwendungszweck": "Erwachsene", "FBetrag": 96.25, "FAlterBis": 64},
                 {"FVerwendungszweck": "Senioren „65+“", "FBetrag": 48.125, "FAlterBis": 149}]},
            {"FSchluessel": "FAM", "FBezeichnung": "Familienbeitrag (Eltern + Kinder)",
             "FTeilberechnung": 12, "FFaktorText": True, "FFamilienbeitrag": True,
             "FFamilienMax": 0, "FFamilienIst": 2, "FFamilienAlter": 16,
             "FAltKlassen": [{"FVerwendungszweck": "Familie – einmalig", "FBetrag": 150.75,
                              "FAlterBis": 1}]},
            {"FSchluessel": "FÖRD", "FBezeichnung": "Fördermitglied ‰ Spende",
             "FTeilberechnung": 13, "FFaktorText": True, "FFamilienbeitrag": True,
             "FFamilienMax": 1, "FFamilienIst": 1, "FFamilienAlter": 99,
             "FAltKlassen": [{"FVerwendungszweck": "Förderbeitrag", "FBetrag": 24.0,
                              "FAlterBis": 150 - 1},
                             {"FVerwendungszweck": "Ehrenhalber", "FBetrag": 0.5,
                              "FAlterBis": 255}]},
        ],
        "FTabVorlagen": [
            {"FTitel": "Übungsleiter – Adressen", "FDruckOptionen": 0x0A,
             "FKopfFormat": _format("Arial Narrow", 12, 0x03, 0x00102030, 0x00EEDDCC),
             "FTabellenFormat": _format("Courier New", 9, 0x0C, 0x000000FF, 0x00FFFF00),
             "FSpalten": [1, 3, 25, 41, 44, 142, 170], "FSortierung": [-61, 21, 0],
             "FAbteilungen": "Fußball, Tennis", "FFilter": 0x95, "FGruppen": 0x80000021},
            {"FTitel": "Beiträge € und Konten", "FDruckOptionen": 0x06,
             "FKopfFormat": _format("Segoe UI", 14, 0x01, 0x00800000, 0x00010203),
             "FTabellenFormat": _format("Verdana", 8, 0x02, 0x00008000, 0x00ABCDEF),
             "FSpalten": [3, 25, 81, 83, 84, 85, 86, 101, 106, 107, 108, 109, 110],
             "FSortierung": [81, -3, 22], "FAbteilungen": "A-Jugend",
             "FFilter": 0x0C, "FGruppen": 0x0000FFFF},
            # Every column kind and the extremes of every field.
            {"FTitel": "", "FDruckOptionen": 0xFF,
             "FKopfFormat": _format("", -2**31, 0xFF, 0xFFFFFFFF, 0),
             "FTabellenFormat": _format("Ä" * 300, 2**31 - 1, 0, 0, 0xFFFFFFFF),
             "FSpalten": list(range(256)) + [-1, 2**31 - 1, -2**31],
             "FSortierung": [2**31 - 1, -2**31, 0, -164, 164], "FAbteilungen": "",
             "FFilter": 0xFF, "FGruppen": 0xFFFFFFFF},
        ],
        "FGruppenAnzahl": 32,
        "FGruppenname": ["Gruppe %d: %s" % (i + 1, ("Ä", "Ö", "Ü", "ß", "€", "…")[i % 6])
                         for i in range(32)],
    }
    sd["FGruppenname"][0] = "Aktive – „1. Mannschaft“"
    sd["FGruppenname"][31] = "Sonder " + SONDERZEICHEN[:10] + UNBELEGT
    return sd


def _ftp(rng, n_schluessel):
    return {"FServer": "ftp.grün-weiß.example", "FFtpBenutzer": "tsv_ftp",
            "FFtpKennwort": "Pa§§wört€", "FServerDatei": "/verein/daten.zaq",
            "FDeaktiviert": True, "FAusgespeichertVon": "Kassier",
            "FLetzteAktualisierung": _zeit(rng, 45000, 45600), "FUploadVon": "Schriftführer",
            "FUploadZeit": _zeit(rng, 45000, 45600), "FUploadVersion": "7.0.4.123",
            "FArchivTage": -365,           # negative: shows a reader's sign handling
            "FSchluesselZeit": float(rng.randint(44000, 45000)) + 0.5,
            "FSchluessel": rng.randbytes(n_schluessel).hex().upper()}


class _Pools:
    """Shared pieces of generated members (stamps, notes) to keep big files fast."""

    def __init__(self, rng, nutzer):
        self.stempel = [_stempel(rng.choice(nutzer), _zeit(rng, 40000, 45600))
                        for _ in range(64)]
        texte = ["Beitrag gemahnt", "Adresse prüfen", "Ehrung „25 Jahre“ vorbereiten",
                 "Rücklastschrift €", "Übungsleiterschein"]
        self.notizen = [[_notiz(rng, nutzer, texte[(i + j) % len(texte)], (i + j) % 7 + 1)
                         for j in range(1 + i // 12)] for i in range(16)]


def _mitglied(rng, nr, i, pools, zahler, archiv=False):
    nn = _NACHNAMEN[i % len(_NACHNAMEN)]
    vn = _VORNAMEN[(i * 7) % len(_VORNAMEN)]
    plz, ort = _ORTE[i % len(_ORTE)]
    geb = rng.randint(10000, 40000)
    eintritt = geb + rng.randint(3000, 9000)
    blz = "%08d" % rng.randint(10000000, 89999999)
    kto = "%010d" % rng.randint(1, 9999999999)
    st = pools.stempel
    sonder = SONDERZEICHEN[i % len(SONDERZEICHEN)] + UNBELEGT[i % len(UNBELEGT)]
    m = {
        "FMitgliedsnummer": nr,
        "FSelektiert": i % 3 != 1,
        "FErstelltVon": st[i % 64], "FGeaendertVon": st[(i + 5) % 64],
        "FAustrittVon": st[(i + 11) % 64],
        "FName": nn, "FVorname": vn, "FZusatz": "jun. " + sonder, "FTitel": "Dr. ‚h.c.‘",
        "FMaennlich": i % 2 == 1, "FGeburtsdatum": geb,
        "FStrasse": "%s %d" % (_STRASSEN[i % len(_STRASSEN)], i % 200 + 1),
        "FPLZ": plz, "FOrt": ort, "FLand": "Österreich" if i % 11 == 3 else "Deutschland",
        "FTelefon": "0931 %06d" % (i % 1000000), "FMobil": "+49 171 %07d" % i,
        "FEMail": "%s.%s@beispiel.de" % (vn.lower(), nn.lower()),
        "FHomepage": "https://verein.example/m/%d?x=…™" % nr,
        "FEintrittsdatum": eintritt, "FEhrenmitgliedSeit": eintritt + 9131,
        "FAustrittsdatum": (45000 + i % 300) if archiv else 46000 + i % 500,
        "FAustrittsgrund": _GRUENDE[i % len(_GRUENDE)],
        "FAnrechnung": i % 9 + 1, "FEhrung": (10, 25, 40)[i % 3],
        "FAbteilungen": ", ".join(_ABTEILUNGEN[j % 6] for j in range(i % 3, i % 3 + 2)),
        "FGruppen": (0x80000001 | (i * 2654435761) & 0x7FFFFFFE) & 0xFFFFFFFF,
        "FBeitragsschluessel": ("ERW", "FAM", "FÖRD", "J€ÜßÖ")[i % 4],
        "FZahlart": (2, 0, 1)[i % 3],
        "FBezahltBis": 45657 + i % 3, "FVorlaeufigBezahltBis": 46022 + i % 3,
        "FKonto": {"FIBAN": _iban(blz, kto), "FBLZ": blz, "FKontonummer": kto,
                   "FInhaber": "%s %s" % (vn, nn),
                   "FMandatsreferenz": "%03d%s%06d" % (nr, vn[0], geb % 1000000),
                   "FMandatsdatum": 41500 + i % 400, "FErstlastschrift": 41600 + i % 400,
                   "FEmpfaengerKonto": ("HAUPT", "JUG€")[i % 2]},
        "FZahler": {"FZeit": _zeit(rng, 42000, 45000), "FNummer": zahler[0],
                    "FGeburtsdatum": zahler[1]},
        "FNotizen": pools.notizen[i % 16],
    }
    return m


def club(rng, n_mitglieder=30, n_archiv=None):
    """A club with every field of every record filled."""
    nutzer = [
        _benutzer(rng, "Admin", "Administrator", "Datenpflege", 40001, 0x1FFFFF, 0x39D80),
        _benutzer(rng, "Kassier", "Käthe Bäcker", "Kassenwartin – Beiträge €", 51234,
                  0x1DF6FF, 0x19D80),
        _benutzer(rng, "Schriftführer", "Jürgen Groß", "Schriftführer „Protokoll“", 777,
                  0x003FFF, 0x00180),
        _benutzer(rng, "jugend", "Sören Weiß", "Jugendleiter", 65535, 0x000A95, 0x00001),
    ]
    verwaiste = [
        _benutzer(rng, "Alt€r", "Günther Fuß", "früherer Kassier", 12, 0x000F0F, 0x80),
        _benutzer(rng, "ehemals", "Maria Zöllner", "frühere Vorsitzende", 32768, 0x1, 0x0),
    ]
    pools = _Pools(rng, nutzer)
    if n_archiv is None:
        n_archiv = max(2, n_mitglieder // 10)
    mitglieder = []
    zahler = (0, 0)
    for i in range(n_mitglieder):
        # numbers stay unique and use the upper half of the 16-bit range
        nr = 65000 if i == 0 and n_mitglieder < 60000 else \
            (i + 1 if n_mitglieder <= 65000 else i % 65535 + 1)
        m = _mitglied(rng, nr, i, pools, zahler)
        if i == 0:   # the first payer pays for himself
            m["FZahler"].update(FNummer=nr, FGeburtsdatum=m["FGeburtsdatum"])
        mitglieder.append(m)
        if i % 3 == 0:
            zahler = (nr, m["FGeburtsdatum"])
    archiv = [_mitglied(rng, 100 + i, i + 7, pools, zahler, archiv=True)
              for i in range(n_archiv)]
    club_notizen = [_notiz(rng, nutzer, t, k + 1) for k, t in enumerate(
        ["Jahreshauptversammlung – Einladung", "Kassenprüfung ‰", "Sommerfest „Grün-Weiß“"])]
    return {
        "FFormatVersion": FORMAT_VERSION,
        "FErstellt": 40179.5,
        "FGeaendertAm": 45610.75,
        "FSchreibvorgaenge": 40000,
        "FReserviert40": -12345,
        "FAustrittsliste": False,
        "FUnbekannteBehalten": True,
        "FLetzteAenderungVon": _stempel(nutzer[1], 45610.75),
        "FBeschreibung": "Mitglieder TSV – äöüÄÖÜß " + SONDERZEICHEN + " " + UNBELEGT,
        "FZAQFormat": "00000",
        "FNullbetragMelden": False,
        "FHauptanwender": "Käthe Bäcker",
        "FStammdaten": _stammdaten(rng),
        "FFtpDaten": _ftp(rng, 5 * max(1, min(n_mitglieder, 2000))),
        "FBenutzer": nutzer,
        "FVerwaisteBenutzer": verwaiste,
        "FNotizen": club_notizen,
        "FMitglieder": mitglieder,
        "FArchiv": archiv,
    }


_LAENGEN = [0, 1, 9, 10, 255, 256, 65535, 65536]


def _text_der_laenge(n):
    vorrat = "Aä€Öü…ß‰Z" + UNBELEGT + "xyz"
    return (vorrat * (n // len(vorrat) + 1))[:n]


def gen_sizes(rng, n_mitglieder):
    z = club(rng, max(n_mitglieder, len(_LAENGEN)), 2)
    for k, n in enumerate(_LAENGEN):
        m = z["FMitglieder"][k]
        m["FName"] = _text_der_laenge(n)
        m["FStrasse"] = _text_der_laenge(_LAENGEN[-1 - k])
        m["FNotizen"] = [dict(m["FNotizen"][0], FInhalt=rng.randbytes(n).hex().upper(),
                              FBetreff=_text_der_laenge(n))]
        m["FUnbekannt"] = [{"FID": 3000 + k, "FIstBool": False, "FWert": False,
                            "FDaten": text_zu_bytes(_text_der_laenge(n)).hex().upper()}]
    z["FBeschreibung"] = _text_der_laenge(65536)
    z["FUnbekannt"] = [{"FID": 4000 + k, "FIstBool": False, "FWert": False,
                        "FDaten": rng.randbytes(n).hex().upper()}
                       for k, n in enumerate(_LAENGEN + [16777215, 16777216])]
    vorlage = z["FStammdaten"]["FTabVorlagen"][0]
    z["FStammdaten"]["FTabVorlagen"] = [
        dict(vorlage, FSpalten=list(range(n)), FSortierung=[-k for k in range(n)],
             FTitel=_text_der_laenge(n * 4))
        for n in (0, 1, 2, 3, 63, 64, 16383, 16384)]
    z["FBenutzer"][3]["FBild"] = rng.randbytes(256).hex().upper()
    z["FBenutzer"][2]["FBild"] = ""
    return z


def _unbekannte(rng, basis):
    """Unknown fields of every kind; ID 0 fields are skipped by a reader."""
    innen = (kopf(10, 5) + text_zu_bytes("Zähl") + bool_feld(20, True)
             + unterblock(30, kopf(1, 4) + struct.pack("<i", -7)) + unterblock(40, b""))
    return [
        {"FID": basis, "FIstBool": True, "FWert": True, "FDaten": ""},
        {"FID": basis + 1, "FIstBool": True, "FWert": False, "FDaten": ""},
        {"FID": 0, "FIstBool": False, "FWert": False, "FDaten": "DEADBEEF"},
        {"FID": basis + 2, "FIstBool": False, "FWert": False,
         "FDaten": struct.pack("<i", -123456 - basis).hex().upper()},
        {"FID": basis + 3, "FIstBool": False, "FWert": False,
         "FDaten": text_zu_bytes("Neues Feld äöü € " + UNBELEGT).hex().upper()},
        {"FID": basis + 4, "FIstBool": False, "FWert": False,
         "FDaten": rng.randbytes(rng.randint(10, 40)).hex().upper()},
        {"FID": basis + 5, "FIstBool": False, "FWert": False, "FDaten": innen.hex().upper(),
         "FCode": 4},
        {"FID": 0, "FIstBool": True, "FWert": True, "FDaten": ""},
        {"FID": basis + 6, "FIstBool": False, "FWert": False, "FDaten": ""},
        {"FID": 15, "FIstBool": False, "FWert": False, "FDaten": "00",
         "FCode": 5},
        {"FID": 4095, "FIstBool": False, "FWert": False, "FDaten": "", "FCode": 4},
    ]


def gen_unknown(rng, n_mitglieder):
    z = club(rng, max(n_mitglieder, 2), 1)
    zaehler = [0]

    def basis():
        # IDs 3100 to 3996: above every known ID, below the 4095 entry
        zaehler[0] += 1
        return 3100 + zaehler[0] % 90 * 10

    def setze(rec):
        rec["FUnbekannt"] = _unbekannte(rng, basis())

    def liste(rec):
        return {"FListe": rec, "FUnbekannt": _unbekannte(rng, basis())}

    setze(z)
    setze(z["FLetzteAenderungVon"])
    sd = z["FStammdaten"]
    setze(sd)
    for k in sd["FBtrKlassen"]:
        setze(k)
        for a in k["FAltKlassen"]:
            setze(a)
    sd["FBtrKlassen"] = liste(sd["FBtrKlassen"])
    for k in sd["FVereinskonten"]:
        setze(k)
    sd["FVereinskonten"] = liste(sd["FVereinskonten"])
    for t in sd["FTabVorlagen"]:
        setze(t)
        for f in ("FKopfFormat", "FTabellenFormat"):
            if f in t:
                setze(t[f])
    sd["FTabVorlagen"] = liste(sd["FTabVorlagen"])
    setze(z["FFtpDaten"])
    for b in z["FBenutzer"] + z["FVerwaisteBenutzer"]:
        setze(b)
    z["FBenutzer"] = liste(z["FBenutzer"])
    z["FVerwaisteBenutzer"] = liste(z["FVerwaisteBenutzer"])
    for n in z["FNotizen"]:
        setze(n)
        setze(n["FVerfasser"])
    z["FNotizen"] = liste(z["FNotizen"])
    for m in z["FMitglieder"] + z["FArchiv"]:
        # fresh copies: the generated members share stamps and notes
        for name in ("FErstelltVon", "FGeaendertVon", "FAustrittVon"):
            m[name] = dict(m[name])
            setze(m[name])
        setze(m)
        setze(m["FKonto"])
        setze(m["FZahler"])
        notizen = [dict(n) for n in m["FNotizen"]]
        for n in notizen:
            n["FBearbeiter"] = dict(n["FBearbeiter"])
            setze(n)
            setze(n["FBearbeiter"])
        m["FNotizen"] = liste(notizen)
    return z


# ---------------------------------------------------------------------------
# Command line

ARTEN = ("full", "sizes", "unknown", "scrambled", "plain", "keyed", "damaged")
VARIANTEN = ("flip", "truncated", "notzaq")


def generiere(art, n_mitglieder=None, seed=1, unbuilt=(), variante="flip"):
    """Returns (file bytes, expected JSON object, key or None)."""
    rng = random.Random(seed)
    klein = 5 if n_mitglieder is None else n_mitglieder
    flags = FLAGS_SPEICHERN
    verschleiert = True
    schluessel = None
    if art == "full":
        z = club(rng, 30 if n_mitglieder is None else n_mitglieder)
        z["FUnbekannteBehalten"] = False     # no unknown fields here to keep
    elif art == "sizes":
        z = gen_sizes(rng, 8 if n_mitglieder is None else n_mitglieder)
    elif art == "unknown":
        z = gen_unknown(rng, 3 if n_mitglieder is None else n_mitglieder)
    elif art in ("scrambled", "plain", "damaged"):
        z = club(rng, klein, 1)
        verschleiert = art != "plain"
        if art == "scrambled":
            # Records lacking fields, as older writers left them: a reader fills in the defaults.
            z["FStammdaten"]["FTabVorlagen"].append({"FTitel": "Nur Titel und Spalten", "FSpalten": [21, 22]})
            z["FStammdaten"]["FTabVorlagen"].append({"FKopfFormat": {"FGroesse": 14}})
    elif art == "keyed":
        z = club(rng, klein, 1)
        # as uploaded to the shared server: enciphered, without the key itself
        flags = WF_VERSCHLUESSELN | WF_UNBEKANNT
        schluessel = bytes.fromhex(z["FFtpDaten"]["FSchluessel"])
    else:
        raise ValueError("unbekannte Art %r" % art)
    if art == "damaged" and variante == "notzaq":
        text = ("Dies ist keine Mitgliederdatei, sondern nur Text mit der Endung .zaq.\r\n"
                "Größe, Straße – „Anführungszeichen“ €\r\n")
        return text_zu_bytes(text), {"Fehler": "KeineZAQDatei", "Zustand": 7}, None
    if art == "damaged":
        z["FBeschreibung"] = "Kippstelle:A"
    daten = schreibe_datei(z, flags, verschleiert=verschleiert, schluessel=schluessel,
                           rng=rng)
    dump = erwartet(z, flags, unbuilt)
    if art == "damaged":
        kopfinfo, body = entschluessele(daten)
        if variante == "flip":
            stelle = body.index(text_zu_bytes("Kippstelle:A")) + 11
            daten = bytearray(daten)
            daten[KOPF_LAENGE + stelle] ^= 0x03     # 'A' becomes 'B'
            dump["FBeschreibung"] = "Kippstelle:B"
            return bytes(daten), {"Fehler": "Pruefsumme", "Trotzdem": dump}, None
        if variante == "truncated":
            return (daten[:KOPF_LAENGE + len(body) // 2],
                    {"Fehler": "Pruefsumme", "Trotzdem": "Struktur"}, None)
        raise ValueError("unbekannte Variante %r" % variante)
    return daten, dump, schluessel


def _json_schreiben(obj, ziel, indent=None):
    text = json.dumps(obj, ensure_ascii=False, indent=indent)
    if ziel is None:
        sys.stdout.buffer.write(text.encode("utf-8") + b"\n")
    else:
        with open(ziel, "wb") as f:
            f.write(text.encode("utf-8") + b"\n")


def _liste_arg(s):
    return frozenset(x.strip() for x in (s or "").split(",") if x.strip())


def main(argv=None):
    p = argparse.ArgumentParser(description="ZAQ-Mitgliederdatei lesen, schreiben, vergleichen")
    sub = p.add_subparsers(dest="befehl", required=True)

    d = sub.add_parser("dump", help="Datei in der Dump-Form ausgeben")
    d.add_argument("datei")
    d.add_argument("--unbuilt", default="")
    d.add_argument("--key", default="", help="gemeinsamer Schlüssel als Hex")
    d.add_argument("--ignore-crc", action="store_true",
                   help="bei falscher Prüfsumme trotzdem lesen")
    d.add_argument("--indent", type=int, default=None)

    g = sub.add_parser("generate", help="Testdatei und erwarteten Dump erzeugen")
    g.add_argument("art", choices=ARTEN)
    g.add_argument("aus")
    g.add_argument("--members", type=int, default=None)
    g.add_argument("--seed", type=int, default=1)
    g.add_argument("--expected", default=None)
    g.add_argument("--unbuilt", default="")
    g.add_argument("--variant", choices=VARIANTEN, default="flip")

    c = sub.add_parser("compare", help="neu gespeicherte Datei mit dem Original vergleichen")
    c.add_argument("original")
    c.add_argument("neu")
    c.add_argument("--key", default="")
    c.add_argument("--unbuilt", default="")

    a = p.parse_args(argv)
    # Big files build millions of small objects without cycles: the cyclic
    # collector would only rescan them again and again.
    gc.disable()
    if a.befehl == "dump":
        with open(a.datei, "rb") as f:
            daten = f.read()
        try:
            _, dump = lies_datei(daten, bytes.fromhex(a.key), a.ignore_crc,
                                 _liste_arg(a.unbuilt))
        except DateiFehler as e:
            print("%s: %s" % (e.art, e), file=sys.stderr)
            return 2
        _json_schreiben(dump, None, a.indent)
        return 0
    if a.befehl == "generate":
        daten, dump, schluessel = generiere(a.art, a.members, a.seed, _liste_arg(a.unbuilt),
                                            a.variant)
        with open(a.aus, "wb") as f:
            f.write(daten)
        if schluessel is not None:
            with open(a.aus + ".key", "w") as f:
                f.write(schluessel.hex().upper() + "\n")
        if a.expected:
            _json_schreiben(dump, a.expected)
        return 0
    if a.befehl == "compare":
        with open(a.original, "rb") as f:
            orig = f.read()
        with open(a.neu, "rb") as f:
            neu = f.read()
        try:
            fehler = vergleiche_dateien(orig, neu, bytes.fromhex(a.key), _liste_arg(a.unbuilt))
        except DateiFehler as e:
            print("Original nicht lesbar: %s: %s" % (e.art, e), file=sys.stderr)
            return 2
        for zeile in fehler[:500]:
            print(zeile)
        if len(fehler) > 500:
            print("... und %d weitere Unterschiede" % (len(fehler) - 500))
        if not fehler:
            print("gleich")
        return 1 if fehler else 0
    return 2


if __name__ == "__main__":
    sys.exit(main())
