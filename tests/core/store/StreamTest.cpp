// The tagged-field encoding: size codes, Booleans, sub-records, unknown
// fields, tolerant blocks, and the error reports of a damaged record.
#include <gtest/gtest.h>

#include "Hilfen.h"
#include "store/DateiEA.h"

namespace zaq {
namespace {

struct Probe : TFeldDatensatz<Probe> {
  std::string FText;
  std::int32_t FZahl = 0;
  bool FSchalter = false;
  static std::span<const Feldbeschreibung<Probe>> Felder() {
    static const Feldbeschreibung<Probe> f[] = {
        {1, "FText", &Probe::FText},
        {2, "FZahl", &Probe::FZahl},
        {3, "FSchalter", &Probe::FSchalter},
    };
    return f;
  }
  const char* KlassenName() const override { return "TProbe"; }
};

struct ProbeListe : TListe<Probe> {
  const char* KlassenName() const override { return "TProbeListe"; }
};

std::uint16_t Tag(const TZAQStream& s, std::size_t pos) {
  return static_cast<std::uint16_t>(s.Daten()[pos] | s.Daten()[pos + 1] << 8);
}

TEST(Feldkodierung, TextlaengeWaehltDenGroessencode) {
  const struct {
    std::size_t laenge;
    int code;
    std::size_t kopf;
  } faelle[] = {{0, 0, 2}, {1, 5, 2}, {9, 13, 2}, {10, 1, 3}, {255, 1, 3}, {256, 2, 4}, {65535, 2, 4}, {65536, 3, 5}, {16777216, 4, 6}};
  for (const auto& f : faelle) {
    TZAQStream s;
    std::string text(f.laenge, 'x');
    SchreibeText(s, text, 77);
    ASSERT_EQ(s.Groesse(), f.kopf + f.laenge) << f.laenge;
    EXPECT_EQ(Tag(s, 0), 77 * 16 + f.code) << f.laenge;
    s.Positionieren(0);
    std::uint16_t id;
    std::int32_t groesse;
    LeseKopf(s, id, groesse);
    EXPECT_EQ(id, 77);
    EXPECT_EQ(groesse, static_cast<std::int32_t>(f.laenge));
    std::string zurueck;
    LeseText(s, zurueck, groesse);
    EXPECT_FALSE(s.FFehler);
    EXPECT_EQ(zurueck, text);
  }
}

TEST(Feldkodierung, BoolUndLeererUnterblock) {
  TZAQStream s;
  SchreibeBool(s, true, 50);
  SchreibeBool(s, false, 51);
  ProbeListe leer;
  struct Leer : TFeldDatensatz<Leer> {
    static std::span<const Feldbeschreibung<Leer>> Felder() { return {}; }
    const char* KlassenName() const override { return "TLeer"; }
  } nichts;
  bool ok = true;
  SchreibeUnterblock(s, nichts, 60, 0, ok);
  const Bytes erwartet = {0x2F, 0x03, 0x3E, 0x03, 0xC4, 0x03, 0, 0, 0, 0};
  EXPECT_EQ(s.Daten(), erwartet);
}

TEST(Feldkodierung, UmlauteWerdenAlsWindows1252Gespeichert) {
  TZAQStream s;
  SchreibeText(s, "Mär€", 1);
  const Bytes erwartet = {0x18, 0x00, 'M', 0xE4, 'r', 0x80};
  EXPECT_EQ(s.Daten(), erwartet);
}

TEST(Feldkodierung, FalscheGroesseSetztDenFehler) {
  const struct {
    const char* fall;
    std::function<void(TZAQStream&)> lesen;
  } faelle[] = {
      {"Int32 mit 2 Bytes", [](TZAQStream& s) { std::int32_t z; LeseInt32(s, z, 2); }},
      {"Text mit Bool-Code", [](TZAQStream& s) { std::string t; LeseText(s, t, kBoolWahr); }},
      {"Bool mit Daten", [](TZAQStream& s) { bool b; LeseBool(s, b, 1); }},
      {"Block zu gross", [](TZAQStream& s) { std::uint8_t b[32]; LeseBlockTolerant(s, b, 4, 33); }},
      {"Daten hinter dem Ende", [](TZAQStream& s) { Bytes b; LeseBytes(s, b, 100); }},
  };
  for (const auto& f : faelle) {
    TZAQStream s(Bytes(8, 0));
    f.lesen(s);
    EXPECT_TRUE(s.FFehler) << f.fall;
    EXPECT_EQ(s.Position(), 0u) << f.fall;
  }
}

TEST(Feldkodierung, TolerantFuelltAufUndSchneidetAb) {
  TZAQStream kurz(Bytes{0xAA, 0xBB});
  std::uint8_t ziel[4] = {1, 2, 3, 4};
  LeseBlockTolerant(kurz, ziel, 4, 2);
  EXPECT_EQ((Bytes(ziel, ziel + 4)), (Bytes{0xAA, 0xBB, 0, 0}));

  TZAQStream lang(Bytes{1, 2, 3, 4, 5, 6, 9});
  LeseBlockTolerant(lang, ziel, 4, 6);
  EXPECT_EQ((Bytes(ziel, ziel + 4)), (Bytes{1, 2, 3, 4}));
  EXPECT_EQ(lang.Position(), 6u);
}

class Datensatz : public test::MitOberflaeche {};

TEST_F(Datensatz, UnbekanntesFeldBleibtErhaltenNurMitFlag16) {
  TZAQStream s;
  SchreibeText(s, "Hallo", 1);
  SchreibeInt32(s, 1234, 99);     // a field of a newer program
  SchreibeBool(s, true, 98);
  SchreibeInt32(s, 7, 2);
  Probe p;
  bool ok = true;
  s.Positionieren(0);
  p.StreamLesen(s, static_cast<std::int64_t>(s.Groesse()), ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(p.FText, "Hallo");
  EXPECT_EQ(p.FZahl, 7);
  ASSERT_EQ(p.FUnbekannt.size(), 2u);
  EXPECT_EQ(s.FAnzahlUnbekannt, 2);

  TZAQStream mit, ohne;
  p.StreamSchreiben(mit, sfUnbekannte, ok);
  p.StreamSchreiben(ohne, 0, ok);
  // Known fields in table order, then the kept ones as they came.
  TZAQStream erwartet;
  SchreibeText(erwartet, "Hallo", 1);
  SchreibeInt32(erwartet, 7, 2);
  SchreibeBool(erwartet, false, 3);
  Bytes ohneUnbekannte = erwartet.Daten();
  SchreibeInt32(erwartet, 1234, 99);
  SchreibeBool(erwartet, true, 98);
  EXPECT_EQ(mit.Daten(), erwartet.Daten());
  EXPECT_EQ(ohne.Daten(), ohneUnbekannte);
  EXPECT_TRUE(ui.Meldungen.empty());
}

TEST_F(Datensatz, FeldMitIdNullWirdUebersprungen) {
  TZAQStream s;
  SchreibeText(s, "weg", 0);
  SchreibeInt32(s, 5, 2);
  Probe p;
  bool ok = true;
  s.Positionieren(0);
  p.StreamLesen(s, static_cast<std::int64_t>(s.Groesse()), ok);
  EXPECT_TRUE(ok);
  EXPECT_EQ(p.FZahl, 5);
  EXPECT_TRUE(p.FUnbekannt.empty());
}

TEST_F(Datensatz, FehlerMeldetJedeEbeneVonInnenNachAussen) {
  // A list item whose 32-bit field carries only 2 bytes.
  TZAQStream innen;
  SchreibeInt16(innen, 1, 2);
  TZAQStream s;
  SchreibeInt32(s, 1, 10);
  std::uint16_t tag = 20 * 16 + 4;
  s.Schreibe(&tag, 2);
  std::uint32_t laenge = static_cast<std::uint32_t>(innen.Groesse());
  s.Schreibe(&laenge, 4);
  s.Schreibe(innen.Daten().data(), innen.Groesse());
  ProbeListe liste;
  bool ok = true;
  s.Positionieren(0);
  liste.StreamLesen(s, static_cast<std::int64_t>(s.Groesse()), ok);
  EXPECT_FALSE(ok);
  ASSERT_EQ(ui.Meldungen.size(), 2u);
  EXPECT_EQ(ui.Meldungen[0].meldung.text,
            "Fehler in TDateiEA.StreamLesen: \r\n\r\nDatensatz-ID:2\r\nGröße: 2\r\nKlasse: TProbe");
  EXPECT_EQ(ui.Meldungen[1].meldung.text,
            "Fehler in TDateiEA.StreamLesen: \r\n\r\nDatensatz-ID:20\r\nGröße: 4\r\nKlasse: TProbeListe");
  EXPECT_EQ(ui.Meldungen[0].meldung.art, MeldungsArt::Fehler);
}

TEST_F(Datensatz, ListeHaeltNurWasGeliefertWurde) {
  ProbeListe quelle;
  for (int i = 0; i < 3; ++i) quelle.Hinzufuegen().FZahl = i + 1;
  TZAQStream s;
  bool ok = true;
  quelle.StreamSchreiben(s, 0, ok);
  // Announce 5 items, deliver 3.
  s.Daten()[2] = 5;
  s.Positionieren(0);
  ProbeListe ziel;
  ziel.Hinzufuegen().FZahl = 99;  // reading starts from an empty list
  ziel.StreamLesen(s, static_cast<std::int64_t>(s.Groesse()), ok);
  ASSERT_TRUE(ok);
  ASSERT_EQ(ziel.Anzahl(), 3);
  EXPECT_EQ(ziel.Element(2).FZahl, 3);
}

TEST_F(Datensatz, UeberlangesFeldScheitertOhneEigeneMeldung) {
  // The sub-record announces 3 bytes but its field needs 6.
  TZAQStream s;
  SchreibeInt32(s, 9, 2);
  Probe p;
  bool ok = true;
  s.Positionieren(0);
  p.StreamLesen(s, 3, ok);
  EXPECT_FALSE(ok);
  EXPECT_TRUE(ui.Meldungen.empty());
}

}  // namespace
}  // namespace zaq
