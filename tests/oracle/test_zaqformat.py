#!/usr/bin/env python3
"""Self-tests of the member-file oracle.  Run: python3 tests/oracle/test_zaqformat.py"""

import copy
import json
import os
import random
import struct
import subprocess
import sys
import tempfile
import unittest
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import zaqformat as z  # noqa: E402

HIER = os.path.dirname(os.path.abspath(__file__))


def tag(fid, code):
    return ((fid << 4) | code).to_bytes(2, "little")


def i32(fid, v):
    return tag(fid, 8) + struct.pack("<i", v)


def sub(fid, daten):
    return tag(fid, 4) + struct.pack("<I", len(daten)) + daten


def lies(klasse, roh, unbuilt=frozenset()):
    return z.lies_record(roh, 0, len(roh), z.KLASSEN[klasse], frozenset(unbuilt))


def neu_gespeichert(daten, schluessel=None, aendern=None, pad_von=None):
    """A resave as the program does it: counter + 1, version 704, kept
    sub-records as byte arrays, new pad."""
    kopf, d = z.lies_datei(daten, schluessel)
    d = copy.deepcopy(d)
    d["FSchreibvorgaenge"] = (d.get("FSchreibvorgaenge", 0) + 1) & 0xFFFF
    d["FFormatVersion"] = 704
    if schluessel:
        d["FFtpDaten"]["FSchluessel"] = schluessel.hex()
    if aendern:
        aendern(d)
    pad = pad_von[216:266] if pad_von else None
    return z.schreibe_datei(d, rng=random.Random(99), pad=pad,
                            verschleiert=kopf["verschleiert"] == 1)


def klassen_felder(kl, rec, gefunden, mit_unbekannt):
    """Collects (class, field name) of every field present, and the classes with unknown fields."""
    if kl.element is not None:
        items = rec if isinstance(rec, list) else rec["FListe"]
        if isinstance(rec, dict) and rec.get("FUnbekannt"):
            mit_unbekannt.add(kl.name)
        gefunden.add((kl.name, "FListe"))
        for i in items:
            klassen_felder(z.KLASSEN[kl.element], i, gefunden, mit_unbekannt)
        return
    for name, wert in rec.items():
        if name == "FUnbekannt":
            mit_unbekannt.add(kl.name)
            continue
        gefunden.add((kl.name, name))
        f = next(f for f in kl.felder if f.name == name)
        if f.art == z.SUB:
            klassen_felder(z.KLASSEN[f.klasse], wert, gefunden, mit_unbekannt)
        elif f.art == z.REP:
            for w in wert:
                klassen_felder(z.KLASSEN[f.klasse], w, gefunden, mit_unbekannt)


class Feldkodierung(unittest.TestCase):
    def test_groessencodes_an_jeder_grenze(self):
        # length -> (code, length bytes after the tag)
        faelle = [(0, 0, b""), (1, 5, b""), (9, 13, b""), (10, 1, b"\x0a"),
                  (255, 1, b"\xff"), (256, 2, b"\x00\x01"), (65535, 2, b"\xff\xff"),
                  (65536, 3, b"\x00\x00\x01"), (16777215, 3, b"\xff\xff\xff"),
                  (16777216, 4, b"\x00\x00\x00\x01")]
        for n, code, laenge in faelle:
            with self.subTest(n=n):
                self.assertEqual(z.kopf(200, n), tag(200, code) + laenge)
        # a text of each length in a record reads back unchanged with that code
        for n, code, laenge in faelle[:8]:
            with self.subTest(text=n):
                text = ("Zäh€\x81" * 20000)[:n]
                roh = z.Schreiber().record(z.KLASSEN["TZAQ"], {"FBeschreibung": text})
                self.assertEqual(roh[:2 + len(laenge)], tag(200, code) + laenge)
                self.assertEqual(lies("TZAQ", roh), {"FBeschreibung": text})

    def test_bool_und_leerer_unterblock(self):
        roh = z.Schreiber().record(z.KLASSEN["TZAQ"], {
            "FAustrittsliste": True, "FUnbekannteBehalten": False, "FLetzteAenderungVon": {}})
        self.assertEqual(roh, bytes([0x2F, 0x03]) + bytes([0x6E, 0x04])
                         + bytes([0xC4, 0x03, 0, 0, 0, 0]))

    def test_feste_breiten_und_vorzeichen(self):
        m = {"FMitgliedsnummer": 65000, "FGeburtsdatum": -5, "FAnrechnung": 200,
             "FGruppen": 0x80000001, "FBeitragsschluessel": "J€Ü", "FZahlart": 2}
        roh = z.Schreiber().record(z.KLASSEN["TMitglied"], m)
        self.assertEqual(roh, tag(10, 6) + b"\xe8\xfd" + i32(250, -5) + tag(840, 5) + b"\xc8"
                         + tag(870, 8) + b"\x01\x00\x00\x80"
                         + tag(1000, 10) + b"\x03J\x80\xdc\x00\x00" + tag(1010, 5) + b"\x02")
        self.assertEqual(lies("TMitglied", roh), m)
        # a length byte beyond the five characters is cut to them
        self.assertEqual(lies("TMitgliedskonto", tag(230, 10) + b"\x09ABCDE" + tag(200, 6) + b"Mx"),
                         {"FEmpfaengerKonto": "ABCDE", "FMandatsreferenz": "Mx"})
        zaq = {"FReserviert40": -12345, "FSchreibvorgaenge": 40000}
        self.assertEqual(lies("TZAQ", z.Schreiber().record(z.KLASSEN["TZAQ"], zaq)), zaq)

    def test_windows_1252_jedes_byte(self):
        alle = bytes(range(256))
        text = z.text_aus_bytes(alle)
        self.assertEqual(z.text_zu_bytes(text), alle)
        self.assertEqual((text[0x80], text[0x81], text[0x8A], text[0x9F], text[0xE4]),
                         ("€", "\x81", "Š", "Ÿ", "ä"))
        for zeichen in ("\x80", "\u0100", "\u20ac\u4e00"):
            with self.subTest(zeichen=zeichen), self.assertRaises(ValueError):
                z.text_zu_bytes(zeichen)


class Lesen(unittest.TestCase):
    def test_toleranter_block(self):
        for daten, wert in [(b"\x34\x12", 0x1234), (b"\x01\x02\x03\x04\x05\x06", 0x04030201),
                            (b"", 0), (bytes(32), 0)]:
            with self.subTest(daten=daten):
                roh = z.kopf(410, len(daten)) + daten + z.kopf(10, 2) + b"Jo"
                self.assertEqual(lies("TBenutzer", roh), {"FRechte": wert, "FLogin": "Jo"})

    def test_liste_mit_weniger_eintraegen_als_angesagt(self):
        eintrag = sub(20, z.kopf(20, 3) + b"Abc")
        roh = i32(10, 5) + eintrag * 3
        self.assertEqual(lies("TNotizListe", roh), [{"FBetreff": "Abc"}] * 3)

    def test_groessen_die_nicht_passen(self):
        # class, raw fields, chain of (ID, size, class) innermost first
        mitglied = tag(250, 6) + b"\x01\x02"
        alt = tag(20, 6) + bytes(2)
        btr = sub(400, alt)
        liste = i32(10, 1) + sub(20, btr)
        stamm = sub(450, liste)
        faelle = [
            ("TZAQ", tag(1, 6) + b"\x01\x02", [(1, 2, "TZAQ")]),
            ("TZAQ", tag(200, 15), [(200, -1, "TZAQ")]),
            ("TZAQ", tag(50, 5) + b"\x01", [(50, 1, "TZAQ")]),
            ("TZAQ", tag(2, 8) + bytes(4), [(2, 4, "TZAQ")]),
            ("TBenutzer", z.kopf(410, 33) + bytes(33), [(410, 33, "TBenutzer")]),
            ("TMitglied", tag(1000, 9) + bytes(5), [(1000, 5, "TMitglied")]),
            ("TVereinskonto", tag(440, 6) + bytes(2), [(440, 2, "TVereinskonto")]),
            ("TZAQ", sub(3000, mitglied),
             [(250, 2, "TMitglied"), (3000, len(mitglied), "TZAQ")]),
            ("TZAQ", sub(2000, stamm),
             [(20, 2, "TAltKlasse"), (400, len(alt), "TBtrKlasse"),
              (20, len(btr), "TBtrKlassenListe"), (450, len(liste), "TStammdaten"),
              (2000, len(stamm), "TZAQ")]),
        ]
        for klasse, roh, kette in faelle:
            with self.subTest(roh=roh.hex()):
                with self.assertRaises(z.FormatFehler) as f:
                    lies(klasse, roh)
                self.assertEqual(f.exception.kette, kette)

    def test_unbekannte_felder_und_id_0(self):
        roh = (z.kopf(200, 2) + b"Hi" + tag(0, 7) + b"abc" + tag(0, 15)
               + tag(4000, 15) + tag(4001, 14) + z.kopf(4002, 3, code=2) + b"\x01\x02\x03"
               + sub(4003, tag(1, 15)) + i32(440, 7) + tag(4004, 0))
        # 200 belongs to the member account, 440 is read and dropped
        self.assertEqual(lies("TVereinskonto", roh), {
            "FUnbekannt": [
                {"FID": 200, "FIstBool": False, "FWert": False, "FDaten": "4869"},
                {"FID": 4000, "FIstBool": True, "FWert": True, "FDaten": ""},
                {"FID": 4001, "FIstBool": True, "FWert": False, "FDaten": ""},
                {"FID": 4002, "FIstBool": False, "FWert": False, "FDaten": "010203"},
                {"FID": 4003, "FIstBool": False, "FWert": False, "FDaten": "1F00"},
                {"FID": 4004, "FIstBool": False, "FWert": False, "FDaten": ""}]})

    def test_unbuilt_macht_unterbloecke_zu_unbekannten_feldern(self):
        benutzer = i32(10, 1) + sub(20, z.kopf(10, 5) + b"Admin")
        notiz = z.kopf(20, 2) + b"Re"
        roh = (tag(50, 15) + sub(2020, benutzer) + sub(2040, i32(10, 1) + sub(20, notiz))
               + tag(4000, 14))
        unb = lambda fid, d: {"FID": fid, "FIstBool": False, "FWert": False,
                              "FDaten": d.hex().upper()}
        alle = {"FAustrittsliste": True, "FBenutzer": [{"FLogin": "Admin"}],
                "FNotizen": [{"FBetreff": "Re"}],
                "FUnbekannt": [{"FID": 4000, "FIstBool": True, "FWert": False, "FDaten": ""}]}
        faelle = [
            (set(), alle),
            ({"TBenutzerListe"}, {"FAustrittsliste": True, "FNotizen": [{"FBetreff": "Re"}],
                                  "FUnbekannt": [unb(2020, benutzer)] + alle["FUnbekannt"]}),
            ({"TNotiz"}, dict(alle, FNotizen={"FListe": [], "FUnbekannt": [unb(20, notiz)]})),
            ({"TListe"}, {"FAustrittsliste": True, "FUnbekannt": [
                unb(2020, benutzer), unb(2040, i32(10, 1) + sub(20, notiz))] + alle["FUnbekannt"]}),
        ]
        for unbuilt, soll in faelle:
            with self.subTest(unbuilt=unbuilt):
                self.assertEqual(lies("TZAQ", roh, unbuilt), soll)
                # the writer's expectation agrees with the reader
                self.assertEqual(z.erwartet(lies("TZAQ", roh), unbuilt=unbuilt), soll)


class Datei(unittest.TestCase):
    def test_kopf_pad_und_pruefsumme(self):
        self.assertEqual(z.crc32(b"123456789"), 0xCBF43926)
        zaq = z.club(random.Random(3), 3)
        for verschleiert in (True, False):
            with self.subTest(verschleiert=verschleiert):
                d1 = z.schreibe_datei(zaq, verschleiert=verschleiert, rng=random.Random(1))
                d2 = z.schreibe_datei(zaq, verschleiert=verschleiert, rng=random.Random(2))
                self.assertNotEqual(d1, d2)
                plain = z.Schreiber().record(z.KLASSEN["TZAQ"], dict(
                    zaq, FVersion=struct.pack("<4i", 7, 0, 4, 0).hex()))
                self.assertEqual(d1[:10], b"ZAQ32**700")
                self.assertEqual(d1[10:84], b"\r\nZAQ Mitgliederverwaltung\r\nBin\xe4rdatei. "
                                 b"Nicht mit Texteditor bearbeiten!\r\n")
                self.assertEqual(d1[84:210], bytes(126))
                schluessel = bytes.fromhex(zaq["FFtpDaten"]["FSchluessel"])
                self.assertEqual(d1[210:216], b"\x00" + struct.pack("<I", zlib.crc32(schluessel))
                                 + bytes([verschleiert]))
                pad = d1[216:266]
                body = d1[266:-4]
                if verschleiert:
                    body = bytes(b ^ pad[k % 50] for k, b in enumerate(body))
                self.assertEqual(body, plain)
                self.assertEqual(d1[-4:], struct.pack("<I", zlib.crc32(plain)))
                self.assertEqual(d2[-4:], d1[-4:])
                falsch = z.schreibe_datei(zaq, verschleiert=verschleiert, crc_falsch=True)
                with self.assertRaises(z.DateiFehler) as f:
                    z.lies_datei(falsch)
                self.assertEqual(f.exception.art, "Pruefsumme")
                self.assertEqual(z.lies_datei(falsch, crc_ignorieren=True)[1], z.erwartet(zaq))

    def test_schluessel(self):
        daten, dump, schluessel = z.generiere("keyed")
        self.assertEqual(daten[210], 1)
        self.assertEqual(daten[211:215], struct.pack("<I", zlib.crc32(schluessel)))
        for versuch, fehler in [(None, "Schluessel"), (b"\x01" + schluessel[1:], "Schluessel"),
                                (schluessel, None)]:
            with self.subTest(fehler=fehler):
                if fehler:
                    with self.assertRaises(z.DateiFehler) as f:
                        z.lies_datei(daten, versuch)
                    self.assertEqual(f.exception.art, fehler)
                else:
                    self.assertEqual(z.lies_datei(daten, versuch)[1], dump)
        self.assertNotIn("FSchluessel", dump["FFtpDaten"])   # never sent to the server

    def test_beschaedigte_dateien(self):
        for variante, art, trotzdem in [("flip", "Pruefsumme", "dump"),
                                        ("truncated", "Pruefsumme", "Struktur"),
                                        ("notzaq", "KeineZAQDatei", "KeineZAQDatei")]:
            with self.subTest(variante=variante):
                daten, soll, _ = z.generiere("damaged", variante=variante)
                self.assertEqual(soll["Fehler"], art)
                with self.assertRaises(z.DateiFehler) as f:
                    z.lies_datei(daten)
                self.assertEqual(f.exception.art, art)
                if trotzdem == "dump":
                    self.assertEqual(z.lies_datei(daten, crc_ignorieren=True)[1], soll["Trotzdem"])
                else:
                    with self.assertRaises(z.DateiFehler) as f:
                        z.lies_datei(daten, crc_ignorieren=True)
                    self.assertEqual(f.exception.art, trotzdem)


class Generatoren(unittest.TestCase):
    def test_rundreise_jeder_art(self):
        # kind, members, unbuilt classes
        faelle = [("full", 40, ()), ("full", 5, ("TMitglied", "TStammdaten")),
                  ("sizes", None, ()), ("unknown", None, ()),
                  ("unknown", None, ("TBenutzerListe", "TAltKlasse", "TVerweisBen", "TFormat")),
                  ("scrambled", None, ()), ("plain", None, ()), ("keyed", None, ())]
        for art, anzahl, unbuilt in faelle:
            with self.subTest(art=art, unbuilt=unbuilt):
                daten, soll, schluessel = z.generiere(art, anzahl, 7, unbuilt)
                kopf, dump = z.lies_datei(daten, schluessel, unbuilt=unbuilt)
                self.assertEqual(dump, soll)
                self.assertEqual(kopf["verschleiert"], 0 if art == "plain" else 1)
                # the dump form is also the writer's input
                if not unbuilt:
                    wieder = z.schreibe_datei(dump, rng=random.Random(5))
                    self.assertEqual(z.lies_datei(wieder)[1], z.erwartet(dump))

    def test_full_fuellt_jedes_feld(self):
        daten, dump, _ = z.generiere("full", 12)
        gefunden, mit_unbekannt = set(), set()
        klassen_felder(z.KLASSEN["TZAQ"], dump, gefunden, mit_unbekannt)
        alle = {(k.name, f.name) for k in z.KLASSEN.values() for f in k.felder
                if f.art not in (z.VERSTECKT, z.NUR_LESEN_I32) and f.name != "FAnzahl"}
        self.assertEqual(alle - gefunden, set())
        self.assertEqual(mit_unbekannt, set())
        fehler = []
        z._pruefe_roh(z.entschluessele(daten)[1], 0, len(daten) - 270, z.KLASSEN["TZAQ"],
                      "TZAQ", fehler)
        self.assertEqual(fehler, [])

    def test_unknown_auf_jeder_ebene(self):
        _, dump, _ = z.generiere("unknown")
        gefunden, mit_unbekannt = set(), set()
        klassen_felder(z.KLASSEN["TZAQ"], dump, gefunden, mit_unbekannt)
        self.assertEqual(mit_unbekannt, set(z.KLASSEN))
        arten = {(u["FIstBool"], u["FWert"], len(u["FDaten"]) > 0) for u in dump["FUnbekannt"]}
        self.assertEqual(arten, {(True, True, False), (True, False, False),
                                 (False, False, True), (False, False, False)})
        self.assertNotIn(0, [u["FID"] for u in dump["FUnbekannt"]])

    def test_sizes_trifft_jeden_code(self):
        daten, dump, _ = z.generiere("sizes")
        body = z.entschluessele(daten)[1]
        codes = set()
        pos = 0
        while pos < len(body):          # the fields of TZAQ itself
            fid, code, n, pos = z.lies_kopf(body, pos, len(body))
            codes.add((fid >= 4000, code))
            pos += max(n, 0)
        self.assertTrue({(True, c) for c in (0, 1, 2, 3, 4, 5, 13)} <= codes)
        laengen = sorted(len(u["FDaten"]) // 2 for u in dump["FUnbekannt"])
        self.assertEqual(laengen[-2:], [16777215, 16777216])


class Vergleich(unittest.TestCase):
    def test_unveraendert_neu_gespeichert(self):
        for art in ("full", "sizes", "unknown", "plain", "keyed"):
            with self.subTest(art=art):
                daten, _, schluessel = z.generiere(art)
                self.assertEqual(z.vergleiche_dateien(
                    daten, neu_gespeichert(daten, schluessel), schluessel), [])

    def test_findet_abweichungen(self):
        daten, _, _ = z.generiere("unknown")
        _, orig = z.lies_datei(daten)

        def setze(pfad, wert):
            def aendern(d):
                ziel = d
                for schritt in pfad[:-1]:
                    ziel = ziel[schritt]
                if wert is None:
                    del ziel[pfad[-1]]
                else:
                    ziel[pfad[-1]] = wert
            return aendern

        def ftp_verloren(d):
            d["FFtpDaten"].pop("FUnbekannt")

        def als_unterblock(d):
            d["FMitglieder"][0]["FUnbekannt"][5]["FCode"] = 4

        def nur_lesen_geschrieben(d):
            d["FStammdaten"]["FVereinskonten"]["FListe"][0]["FUnbekannt"].append(
                {"FID": 440, "FIstBool": False, "FWert": False, "FDaten": "07000000"})

        # change of the resaved file, part of the expected difference line
        faelle = [
            (setze(["FMitglieder", 1, "FName"], "X"), "FMitglieder[1].FName: Original"),
            (setze(["FMitglieder", 1, "FName"], None), "FMitglieder[1].FName: fehlt"),
            (setze(["FStammdaten", "FGruppenname", 3], "Q"), "FStammdaten.FGruppenname[3]"),
            (setze(["FMitglieder", 0, "FKonto", "FUnbekannt", 4, "FDaten"], "00"),
             "FMitglieder[0].FKonto.FUnbekannt[4]"),
            (setze(["FFormatVersion"], 703), "FFormatVersion: Original 704"),
            (setze(["FMitglieder"], []), "FMitglieder: 3 Einträge, neu 0"),
            (ftp_verloren, "FFtpDaten.FUnbekannt: 9 Felder, neu 0"),
            (als_unterblock, "Größencode 4 für"),
            (nur_lesen_geschrieben, "FVereinskonten/FListe#440: Feld wird nur gelesen"),
        ]
        for aendern, teil in faelle:
            with self.subTest(teil=teil):
                fehler = z.vergleiche_dateien(daten, neu_gespeichert(daten, aendern=aendern))
                self.assertTrue(any(teil in f for f in fehler), fehler)
        fehler = z.vergleiche_dateien(daten, neu_gespeichert(daten, pad_von=daten))
        self.assertEqual(fehler, ["Kopf: Zufallsblock unverändert übernommen"])

    def test_schreibregeln_des_neuen_stands(self):
        text = z.kopf(10, 3) + b"Abc"
        alt = text + tag(20, 8) + bytes(4) + tag(30, 5) + b"\x11"
        faelle = [
            ("TAltKlasse", alt, []),
            ("TAltKlasse", text + tag(20, 8) + bytes(4) + tag(30, 1) + b"\x01\x11",
             ["#30: Größencode 1 (erwartet 5)"]),
            ("TAltKlasse", tag(20, 8) + bytes(4) + text + tag(30, 5) + b"\x11",
             ["#10: Feld außer der Reihenfolge"]),
            ("TAltKlasse", alt + tag(30, 5) + b"\x11", ["#30: Feld außer der Reihenfolge"]),
            ("TAltKlasse", alt[:-3], ["Feld 30 (FAlterBis) fehlt"]),
            ("TAltKlasse", alt + tag(4000, 14) + tag(0, 15), ["#0: Feld mit ID 0"]),
            ("TAltKlasse", text + tag(4000, 14) + alt[len(text):],
             ["#20: bekanntes Feld nach", "#30: bekanntes Feld nach"]),
            ("TAltKlasse", alt + tag(4000, 2) + b"\x03\x00abc", ["#4000: Größencode 2 für 3"]),
            ("TBenutzerListe", i32(10, 2) + sub(20, b""),
             ["Anzahl 2, aber 1"]),
            ("TBtrKlasse", z.kopf(10, 1) + b"A" + z.kopf(200, 0) + tag(400, 3) + b"\x00\x00\x00",
             ["#200: Größencode 0 (erwartet 15)", "#400: Größencode 3 (erwartet 4)"]),
        ]
        for klasse, roh, soll in faelle:
            with self.subTest(roh=roh.hex()):
                fehler = []
                z._pruefe_roh(roh, 0, len(roh), z.KLASSEN[klasse], "K", fehler)
                if klasse != "TAltKlasse":   # only the rule under test
                    fehler = [f for f in fehler if "fehlt" not in f]
                self.assertEqual(len(fehler), len(soll), fehler)
                for teil, f in zip(soll, fehler):
                    self.assertIn(teil, f)

    def test_was_das_programm_beim_speichern_aendert(self):
        basis = z.club(random.Random(4), 3)
        verwaist = basis["FVerwaisteBenutzer"][0]

        def stempel(st):
            return lambda zaq: zaq["FArchiv"][0].__setitem__("FAustrittVon", st)

        def ohne_unbekannte(d):
            neu = z._ohne_unbekannte(z.KLASSEN["TZAQ"], d)
            d.clear()
            d.update(neu)
        weg = lambda d: d["FArchiv"][0].pop("FAustrittVon")  # noqa: E731
        # change of the original; differences when the resave keeps everything,
        # and when it applies `anders`
        faelle = [
            (stempel({"FZeit": 1.0, "FLogin": "niemand", "FBenutzerNr": 9}),
             ["FAustrittVon: darf nicht"], weg, []),
            (stempel({"FZeit": 1.0, "FLogin": "Admin", "FBenutzerNr": 0}),
             ["FAustrittVon: darf nicht"], weg, []),
            (stempel(z._stempel(verwaist, 2.0)), [], weg, []),      # a former user: either
            (stempel(z._stempel(basis["FBenutzer"][2], 2.0)), [], weg, ["FAustrittVon: fehlt"]),
            (lambda zaq: zaq.update(FFormatVersion=703), [],
             lambda d: d.update(FFormatVersion=703), ["FFormatVersion: Original 704, neu 703"]),
            (lambda zaq: zaq.update(FUnbekannteBehalten=False,
                                    FUnbekannt=z._unbekannte(random.Random(1), 4000)),
             ["FUnbekannt: 0 Felder, neu 9"], ohne_unbekannte, []),
        ]
        for aendern, wenn_behalten, anders, wenn_anders in faelle:
            with self.subTest(behalten=wenn_behalten, anders=wenn_anders):
                zaq = copy.deepcopy(basis)
                aendern(zaq)
                daten = z.schreibe_datei(zaq, rng=random.Random(1))
                for neu_aendern, soll in [(None, wenn_behalten), (anders, wenn_anders)]:
                    fehler = z.vergleiche_dateien(daten, neu_gespeichert(daten, aendern=neu_aendern))
                    self.assertEqual(len(fehler), len(soll), fehler)
                    for teil, f in zip(soll, fehler):
                        self.assertIn(teil, f)

    def test_kommandozeile(self):
        with tempfile.TemporaryDirectory() as tmp:
            datei, soll = os.path.join(tmp, "u.zaq"), os.path.join(tmp, "u.json")
            neu = os.path.join(tmp, "neu.zaq")

            def cli(*args):
                return subprocess.run([sys.executable, os.path.join(HIER, "zaqformat.py")]
                                      + list(args), capture_output=True)
            self.assertEqual(cli("generate", "unknown", datei, "--expected", soll,
                                 "--unbuilt", "TMitgliedskonto,TVereinskonto").returncode, 0)
            r = cli("dump", datei, "--unbuilt", "TKonto")     # both kinds of account
            self.assertEqual(r.returncode, 0)
            with open(soll, encoding="utf-8") as f:
                self.assertEqual(json.loads(r.stdout.decode("utf-8")), json.load(f))
            with open(datei, "rb") as f:
                daten = f.read()
            with open(neu, "wb") as f:
                f.write(neu_gespeichert(daten))
            self.assertEqual(cli("compare", datei, neu).returncode, 0)
            with open(neu, "wb") as f:
                f.write(neu_gespeichert(daten, aendern=lambda d: d.update(FHauptanwender="X")))
            r = cli("compare", datei, neu)
            self.assertEqual(r.returncode, 1)
            self.assertIn("FHauptanwender", r.stdout.decode("utf-8"))
            with open(neu, "wb") as f:
                f.write(daten[:300])
            self.assertEqual(cli("dump", neu).returncode, 2)


if __name__ == "__main__":
    unittest.main()
